#include "imageops/core/Rotations.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/RegionRotate.h"
#include "editor/core/UndoRing.h"

namespace gw {

namespace {

constexpr int kMoveRectangleTool = 7;

void FinishEdit(EditorState& s) {
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace

void RotateImageCounterClockwise(EditorState& s) {
  const int size = s.IconSize;
  Bitmap outImage = s.iconimage;
  Bitmap outMask = s.iconmask;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      outImage.setPixel(y, size - 1 - x, s.iconimage.pixel(x, y));
      outMask.setPixel(y, size - 1 - x, s.iconmask.pixel(x, y));
    }
  }
  CopyIconImage(s, outImage, s.iconimage);
  CopyIconImage(s, outMask, s.iconmask);
  FinishEdit(s);
}

void RotateImageLeft(EditorState& s) {
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  PushUndo(s);
  RotateImageCounterClockwise(s);
}

void RotateImageRight(EditorState& s) {
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  PushUndo(s);
  RotateRegionClockwise(s, s.EditAreaRect);
}

void FlipImage(EditorState& s, bool horizontal) {
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  FlipRegion(s, horizontal, s.EditAreaRect);
  FinishEdit(s);
}

bool RectangleSelectionLive(const EditorState& s) { return s.CurrentTool == kMoveRectangleTool && s.ToolStage >= 3; }

void DeleteSelectedRectangle(EditorState& s, const Rect& selection) {
  const Rect ordered{std::min(selection.left, selection.right), std::min(selection.top, selection.bottom),
                     std::max(selection.left, selection.right), std::max(selection.top, selection.bottom)};
  const Rect c = PixelRectToCellRect(ordered, s.CellSize);
  const int size = s.IconSize;
  for (int x = std::max(c.left, 0); x < std::min(c.right, size); ++x) {
    for (int y = std::max(c.top, 0); y < std::min(c.bottom, size); ++y) {
      s.iconimage.setPixel(x, y, s.TransparentColor);
      s.iconmask.setPixel(x, y, kWhite);
    }
  }
  FinishEdit(s);
}

}  // namespace gw
