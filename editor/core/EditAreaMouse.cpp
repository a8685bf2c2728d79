// The common part of the edit area's mouse handling: the press filter, the right-button eraser, the clamping
// of moves, the readouts and cursor, the last-cell filter and the undo push of every release. Each tool
// family's own steps are in the Tool*.cpp files.
#include "editor/core/EditAreaMouse.h"

#include "editor/core/Palettes.h"
#include "editor/core/Selection.h"
#include "editor/core/ToolFamilies.h"
#include "editor/core/ToolStage.h"
#include "editor/core/UndoRing.h"

namespace gw {

void ToolHost::PushUndo(EditorState& s) { gw::PushUndo(s); }
void ToolHost::SelectToolByIndex(EditorState& s, int index) {
  if (index >= 0 && index <= 16) ChooseToolState(s, *this, index);
}
void ToolHost::ShowColorComponents(EditorState& s, Color c) { gw::ShowColorComponents(s, c); }

void ChooseToolState(EditorState& s, ToolHost& host, int code) {
  DropToolStage(s, DropKind::ChangesImage);  // before the tool changes: it tells what is in progress
  s.CurrentTool = code;
  if (code == 11) host.PushUndo(s);  // the horizontal flip keeps an undo state at once
  ShowEdit(s);
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
}

Point ClampToEditArea(const EditorState& s, Point p) {
  const auto axis = [&](int v, int last) { return v < 0 ? 0 : v > last ? last + s.CellSize : v; };
  return {axis(p.x, s.EditAreaRect.right), axis(p.y, s.EditAreaRect.bottom)};
}

EditAreaCursor ToolCursorAt(const EditorState& s, int x, int y) {
  const int t = s.CurrentTool;
  if (IsSelectionTool(t)) {
    if (s.ToolStage < 3 || s.MouseDrawing) return EditAreaCursor::Arrow;
    const bool inside = t == 8 ? PointInShape(x, y, s.ShapeOutline, s.ShapePointCount)
                               : PointInRect({x, y}, s.SelectionRect);
    if (!inside) return EditAreaCursor::Arrow;
    switch (t) {
      case 11: return EditAreaCursor::SizeWE;
      case 12: return EditAreaCursor::SizeNS;
      case 13: return EditAreaCursor::Rotate;
      default: return EditAreaCursor::SizeAll;
    }
  }
  if (IsBandTool(t) || t == 0 || t == kCurveTool) return EditAreaCursor::Pencil;
  switch (t) {
    case 6: return EditAreaCursor::FloodFill;
    case 14: return EditAreaCursor::UpArrow;
    case 17: return EditAreaCursor::ColorSelector;
    default: return EditAreaCursor::Arrow;  // the eraser
  }
}

void editareaMouseDown(EditorState& s, ToolHost& host, MouseButton button, bool shift, int x, int y) {
  if (s.PressedButton != 0 || button == MouseButton::None) return;  // a second button during a press
  s.PressedButton = static_cast<int>(button);
  s.RightEraserStroke = s.RightButtonEraser && button == MouseButton::Right;
  if (s.RightEraserStroke) {
    s.RightEraserTag = s.CurrentTool;
    DropToolStage(s, DropKind::ChangesImage);
    s.CurrentTool = 9;
  }
  ToolEvent e{s, host, button, shift, {x, y}, {x, y}, PixelToCell({x, y}, s.CellSize)};
  const int t = s.CurrentTool;
  if (IsPencilTool(t)) PencilDown(e);
  else if (IsBandTool(t)) BandDown(e);
  else if (t == 7) RectSelectDown(e);
  else if (t == 8) ShapeSelectDown(e);
  else if (t == kCurveTool) CurveDown(e);
  else if (IsRectSelectTool(t)) FlipRotateDown(e);
}

MoveReadout editareaMouseMove(EditorState& s, ToolHost& host, bool shift, int x, int y) {
  const int t = s.CurrentTool;
  const Point pixel = t == kCurveTool ? Point{x, y} : ClampToEditArea(s, {x, y});
  ToolEvent e{s, host, MouseButton::None, shift, {x, y}, pixel, PixelToCell(pixel, s.CellSize)};

  MoveReadout r;
  r.cell = e.cell;
  r.pixelColor = s.editarea.pixel(pixel.x, pixel.y);
  r.transparent = s.iconimage.pixel(e.cell.x, e.cell.y) == s.TransparentColor &&
                  s.iconmask.pixel(e.cell.x, e.cell.y) == kWhite;
  r.cursor = ToolCursorAt(s, pixel.x, pixel.y);

  if (IsSelectionTool(t) && s.ToolStage >= 3 && !s.MouseDrawing) return r;
  if (e.cell == LastCell(s)) return r;
  if (IsPencilTool(t)) PencilMove(e);
  else if (IsBandTool(t)) BandMove(e);
  else if (IsRectSelectTool(t)) RectSelectMove(e);
  else if (t == 8) ShapeSelectMove(e);
  else if (t == kCurveTool) CurveMove(e);
  return r;
}

void editareaMouseUp(EditorState& s, ToolHost& host, MouseButton button, bool shift, int x, int y) {
  if (s.PressedButton != static_cast<int>(button)) return;  // not the button of the press in progress
  s.PressedButton = 0;
  const int t = s.CurrentTool;
  // Bands end where the last band was seen: their release is clamped as moves are.
  const Point pixel = IsBandTool(t) ? ClampToEditArea(s, {x, y}) : Point{x, y};
  ToolEvent e{s, host, button, shift, {x, y}, pixel, PixelToCell(pixel, s.CellSize)};
  if (IsPencilTool(t)) PencilUp(e);
  else if (IsBandTool(t)) BandUp(e);
  else if (t == 6) FloodFillUp(e);
  else if (t == 14) ColorSubstituteUp(e);
  else if (t == 17) ColorSelectorUp(e);
  else if (t == 7) RectSelectUp(e);
  else if (t == 8) ShapeSelectUp(e);
  else if (t == kCurveTool) CurveUp(e);
  else if (IsRectSelectTool(t)) FlipRotateUp(e);

  WithoutToolFigure(s, [&] { host.PushUndo(s); });  // an inverted figure stays on screen only

  if (s.RightEraserStroke) {
    s.RightEraserStroke = false;
    s.CurrentTool = s.RightEraserTag & 0xFF;  // the tool buttons were never touched
  }
}

}  // namespace gw
