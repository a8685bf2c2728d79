// Pencil (0) and eraser (9): single cells, set on the press and on every move into another cell while the
// pointer is over the edit area. The pencil paints the button's pen colour with an opaque mask, the eraser
// TransparentColor with a white mask. No line joins the cells that move events report.
#include "editor/core/Palettes.h"
#include "editor/core/ToolFamilies.h"

namespace gw {

namespace {

void SetCell(EditorState& s, Point cell) {
  s.iconimage.setPixel(cell.x, cell.y, s.ImagePenColor);
  s.iconmask.setPixel(cell.x, cell.y, s.CurrentTool == 9 ? kWhite : kBlack);
  ShowEdit(s);
}

}  // namespace

void PencilDown(ToolEvent& e) {
  EditorState& s = e.s;
  s.ImagePenColor = s.CurrentTool == 9 ? s.TransparentColor : PenColorForButton(s, e.button == MouseButton::Left);
  s.MouseDrawing = true;
  SetStartCell(s, e.cell);
  SetLastCell(s, e.cell);
  SetCell(s, e.cell);
}

void PencilMove(ToolEvent& e) {
  EditorState& s = e.s;
  // The clamp stands for the edge cells; a pointer beside the edit area sets nothing.
  if (!s.EditAreaRect.contains(e.raw.x, e.raw.y)) return;
  if (s.MouseDrawing) SetCell(s, e.cell);
  SetLastCell(s, e.cell);
}

void PencilUp(ToolEvent& e) { e.s.MouseDrawing = false; }

}  // namespace gw
