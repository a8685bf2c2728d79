#include "imageops/core/Nudge.h"

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"

namespace gw {

Point NudgeDelta(NudgeDirection d) {
  switch (d) {
    case NudgeDirection::Right: return {-1, 0};
    case NudgeDirection::Left: return {1, 0};
    case NudgeDirection::Down: return {0, -1};
    case NudgeDirection::Up: return {0, 1};
    case NudgeDirection::UpLeft: return {1, 1};
    case NudgeDirection::UpRight: return {-1, 1};
    case NudgeDirection::DownRight: return {-1, -1};
    case NudgeDirection::DownLeft: return {1, -1};
  }
  return {0, 0};
}

void ShowPlacementWindow(EditorState& s, const Rect& window) {
  for (int y = 0; y < s.IconSize; ++y) {
    for (int x = 0; x < s.IconSize; ++x) {
      const int cx = window.left + x, cy = window.top + y;
      const bool inside = s.PlacementCanvas.contains(cx, cy) && s.PlacementMask.contains(cx, cy);
      s.iconimage.setPixel(x, y, inside ? s.PlacementCanvas.pixel(cx, cy) : s.TransparentColor);
      s.iconmask.setPixel(x, y, inside ? s.PlacementMask.pixel(cx, cy) : kWhite);
    }
  }
}

void Nudge(EditorState& s, NudgeDirection d) {
  const Point delta = NudgeDelta(d);
  Rect& w = s.PlacementWindowRect;
  w = {w.left + delta.x, w.top + delta.y, w.right + delta.x, w.bottom + delta.y};
  ShowPlacementWindow(s, w);
  RefreshEditArea(s);
  PushUndo(s);
}

}  // namespace gw
