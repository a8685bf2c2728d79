#pragma once
// The sixteen mirrors: one half or quadrant of the image becomes the reflection of another, image and mask
// alike.

#include <span>

#include "editor/core/EditorState.h"

namespace gw {

// In the order of the Mirror menu; each names the target first and the source after "Mirrors".
enum class Mirror {
  BottomMirrorsTop, TopMirrorsBottom, RightMirrorsLeft, LeftMirrorsRight,
  LeftTopMirrorsRightTop, RightTopMirrorsLeftTop, LeftBottomMirrorsRightBottom, RightBottomMirrorsLeftBottom,
  LeftTopMirrorsLeftBottom, LeftBottomMirrorsLeftTop, RightTopMirrorsRightBottom, RightBottomMirrorsRightTop,
  LeftTopMirrorsRightBottom, RightBottomMirrorsLeftTop, LeftBottomMirrorsRightTop, RightTopMirrorsLeftBottom,
};

// Which part of an axis a region covers.
enum class Span { Whole, FirstHalf, SecondHalf };
// The reflection that carries the target back to its source: across the vertical centre line, the
// horizontal one, the anti-diagonal (x + y = S - 1) or the main diagonal (x = y).
enum class Reflection { Vertical, Horizontal, AntiDiagonal, Diagonal };

struct MirrorRule {
  Mirror mirror;
  Span columns, rows;  // the target region
  Reflection reflection;
};
// The sixteen rules, in menu order.
std::span<const MirrorRule> MirrorRules();

// The pixel of the image before the command that (x, y) of the target takes.
Point MirrorSource(Reflection r, int size, int x, int y);

// Writes the reflection into the target region of image and mask (every read from the unchanged image),
// then PushUndo, RefreshEditArea, SyncPlacementCanvas. The caller drops the tool stage first.
void MirrorImage(EditorState& s, Mirror m);

}  // namespace gw
