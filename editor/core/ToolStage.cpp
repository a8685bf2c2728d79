#include "editor/core/ToolStage.h"

#include "editor/core/EditArea.h"
#include "platform/Canvas.h"

namespace gw {

void DropToolStage(EditorState& s, DropKind) { s.ToolStage = 1; }

void KeepPictureUnderFloat(EditorState& s) {
  CopyIconImage(s, s.iconimage, s.WorkImages[2]);
  CopyIconImage(s, s.iconmask, s.WorkImages[3]);
}

void EnterFloatingPicture(EditorState& s, const Rect& cellRect) {
  s.MoveCellRect = cellRect;
  s.PrevSelectionRect = CellRectToPixelRect(cellRect, s.CellSize);
  s.SelectionRect = s.PrevSelectionRect;
  Canvas c(s.editarea);
  c.setPenStyle(PenStyle::Dot);
  c.setBrushStyle(BrushStyle::Clear);
  c.rectangle(s.SelectionRect.left, s.SelectionRect.top, s.SelectionRect.right, s.SelectionRect.bottom);
  s.CurrentTool = 7;
  s.ToolStage = 4;
  s.MouseDrawing = false;
}

}  // namespace gw
