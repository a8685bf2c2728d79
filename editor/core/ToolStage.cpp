#include "editor/core/ToolStage.h"

#include "editor/core/EditArea.h"
#include "editor/core/ToolFamilies.h"
#include "platform/Canvas.h"

namespace gw {

void DropToolStage(EditorState& s, DropKind kind) {
  bool drawn = false;
  if (kind == DropKind::ChangesImage) {
    if (CurveFigureShown(s)) {
      // Kept as the user saw it, in its own pen.
      DrawCurveFigure(s, PenMode::Copy);
      drawn = true;
    } else if (s.CurrentTool == kCurveTool && s.ToolStage == 2 && s.MouseDrawing) {
      DrawCurveFigure(s, PenMode::NotXor);  // a line still being dragged goes, as a band does
      drawn = true;
    } else if (IsBandTool(s.CurrentTool) && s.BandDrawn) {
      EraseBand(s);
      drawn = true;
    }
  }
  // A replaced image takes whatever was drawn inverted with it.
  s.BandDrawn = false;
  s.MouseDrawing = false;
  s.ToolStage = 1;
  RefreshEditArea(s);  // takes a selection's outline or marks off the edit area
  if (drawn) SyncPlacementCanvas(s);
}

void KeepPictureUnderFloat(EditorState& s) {
  CopyIconImage(s, s.iconimage, s.WorkImages[2]);
  CopyIconImage(s, s.iconmask, s.WorkImages[3]);
}

void EnterFloatingPicture(EditorState& s, const Rect& cellRect) {
  s.MoveCellRect = cellRect;
  s.PrevSelectionRect = CellRectToPixelRect(cellRect, s.CellSize);
  s.SelectionRect = s.PrevSelectionRect;
  RefreshEditArea(s);
  DrawSelectionRect(s, s.SelectionRect, PenMode::Copy);
  s.CurrentTool = 7;
  s.ToolStage = 4;
  s.MouseDrawing = false;
  s.BandDrawn = false;
}

}  // namespace gw
