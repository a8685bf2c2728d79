#include "editor/core/RegionRotate.h"

namespace gw {

Rect RotateCanvasWindow(const EditorState& s) {
  const int off = (kRotateCanvasSize - s.IconSize) / 2;
  return {off, off, off + s.IconSize, off + s.IconSize};
}

void FlipRegion(EditorState&, bool, const Rect&) {}
void RotateRegionClockwise(EditorState&, const Rect&) {}
void RotateSelection(EditorState&, Rect&) {}

}  // namespace gw
