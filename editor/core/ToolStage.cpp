#include "editor/core/ToolStage.h"

#include "editor/core/EditArea.h"
#include "editor/core/ToolFamilies.h"
#include "platform/Canvas.h"

namespace gw {

void DropToolStage(EditorState& s, DropKind kind) {
  bool drawn = true;
  if (CurveFigureShown(s) && kind == DropKind::ChangesImage) {
    DrawCurveFigure(s, PenMode::Copy);  // kept as the user saw it, in its own pen
  } else if (CurveFigureShown(s) || (s.CurrentTool == kCurveTool && s.ToolStage == 2 && s.MouseDrawing)) {
    // Taken off: an image about to be replaced needs no figure, and one that stays (an undo with nothing to
    // undo) keeps no inverted residue.
    DrawCurveFigure(s, PenMode::NotXor);
  } else if (IsBandTool(s.CurrentTool) && s.BandDrawn) {
    EraseBand(s);
  } else {
    drawn = false;
  }
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
