#include "editor/core/ToolStage.h"

#include "editor/core/EditArea.h"
#include "editor/core/ToolFamilies.h"
#include "editor/core/UndoRing.h"
#include "platform/Canvas.h"

namespace gw {

bool ToolFigureShown(const EditorState& s) {
  if (s.CurrentTool == kCurveTool) return CurveFigureShown(s) || (s.ToolStage == 2 && s.MouseDrawing);
  return IsBandTool(s.CurrentTool) && s.BandDrawn;
}

void InvertToolFigure(EditorState& s) {
  if (s.CurrentTool == kCurveTool) DrawCurveFigure(s, PenMode::NotXor);
  else InvertBand(s);
}

void DropToolStage(EditorState& s, DropKind kind) {
  const bool drawn = ToolFigureShown(s);
  const bool kept = drawn && CurveFigureShown(s) && kind == DropKind::ChangesImage;
  if (kept) {
    DrawCurveFigure(s, PenMode::Copy);  // kept as the user saw it, in its own pen
  } else if (drawn) {
    // Taken off: an image about to be replaced needs no figure, and one that stays (an undo with nothing to
    // undo) keeps no inverted residue.
    InvertToolFigure(s);
  }
  s.BandDrawn = false;
  s.MouseDrawing = false;
  s.ToolStage = 1;
  if (kept) PushUndo(s);
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
