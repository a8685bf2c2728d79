#pragma once
// Contrast, brightness and the gradient fill: whole-image colour changes, each one undoable edit.

#include "editor/core/EditorState.h"

namespace gw {

// Recomputes the image from keptImage: each channel above `threshold` moves away from it by `amount` when
// increasing (towards it when not), a channel at or below it the other way; clamped to 0 ... 255. A pixel
// whose result is not TransparentColor turns opaque; one whose result is TransparentColor turns transparent
// where keptMask is, and otherwise keeps its mask. Then PushUndo, RefreshEditArea, SyncPlacementCanvas.
void AdjustContrast(EditorState& s, bool increase, int amount, int threshold, const Bitmap& keptMask,
                    const Bitmap& keptImage);

// Each opaque pixel's channels go up (or down) by `amount`, held within 0 ... 255; transparent pixels and
// the mask stay as they are. Then PushUndo, RefreshEditArea, SyncPlacementCanvas.
void AdjustBrightness(EditorState& s, bool increase, int amount);

// Orientation of the gradient fill.
inline constexpr int kGradientVertical = 0;    // the colour changes from row to row
inline constexpr int kGradientHorizontal = 1;  // from column to column

// Paints every pixel (with excludeTransparent, every opaque one) in a ramp from c1 in equal integer steps
// per line, (c2 - c1 + 1) / S per channel, truncating; painted pixels turn opaque. The image is then reduced
// to its type's palette (transparent pixels of monochrome and cursor images keep TransparentColor), and the
// fill ends with PushUndo, RefreshEditArea, SyncPlacementCanvas.
void GradientFill(EditorState& s, Color c1, Color c2, bool excludeTransparent, int orientation);

}  // namespace gw
