// Curve (10): a drag draws a line (stage 2), the next drag bends it with both control points (stage 4), the
// third moves the first control point alone (stage 5) and its release draws the curve in the pen colour.
// While it is edited the figure is drawn inverted on image and mask. Positions are not clamped.
#include "editor/core/Palettes.h"
#include "editor/core/ToolFamilies.h"

namespace gw {

bool CurveFigureShown(const EditorState& s) {
  return s.CurrentTool == kCurveTool && s.ToolStage >= 3 && s.ToolStage <= 5;
}

void DrawCurveFigure(EditorState& s, PenMode mode) {
  const std::array<Point, 4>& p = s.CurvePoints;
  const bool line = s.ToolStage <= 3;
  Canvas image(s.iconimage), mask(s.iconmask);
  image.setPenColor(s.ImagePenColor);
  mask.setPenColor(kBlack);
  for (Canvas* c : {&image, &mask}) {
    c->setPenMode(mode);
    if (line) {
      c->moveTo(p[0].x, p[0].y);
      c->lineTo(p[3].x, p[3].y);
    } else {
      c->polyBezier(p);
    }
  }
}

void CurveDown(ToolEvent& e) {
  EditorState& s = e.s;
  std::array<Point, 4>& p = s.CurvePoints;
  switch (s.ToolStage) {
    case 1:
      s.ImagePenColor = PenColorForButton(s, e.button == MouseButton::Left);
      s.MouseDrawing = true;
      SetStartCell(s, e.cell);
      SetLastCell(s, e.cell);
      p[0] = p[3] = e.cell;  // a click leaves an empty line, not one to a stale end
      s.ToolStage = 2;
      break;
    case 3:
      DrawCurveFigure(s, PenMode::NotXor);  // the line goes
      SetLastCell(s, e.cell);
      p[1] = p[2] = e.cell;
      s.ToolStage = 4;
      DrawCurveFigure(s, PenMode::NotXor);  // the curve comes
      s.MouseDrawing = true;
      ShowEdit(s);
      break;
    case 5:
      DrawCurveFigure(s, PenMode::NotXor);
      SetLastCell(s, e.cell);
      p[1] = e.cell;
      DrawCurveFigure(s, PenMode::NotXor);
      s.MouseDrawing = true;
      ShowEdit(s);
      break;
    default:
      break;
  }
}

void CurveMove(ToolEvent& e) {
  EditorState& s = e.s;
  if (s.MouseDrawing && s.ToolStage >= 2 && s.ToolStage <= 5 && s.ToolStage != 3) {
    std::array<Point, 4>& p = s.CurvePoints;
    DrawCurveFigure(s, PenMode::NotXor);
    if (s.ToolStage == 2) {
      p[3] = e.cell;
    } else {
      p[1] = e.cell;
      if (s.ToolStage == 4) p[2] = e.cell;
    }
    DrawCurveFigure(s, PenMode::NotXor);
    ShowEdit(s);
  }
  SetLastCell(s, e.cell);
}

void CurveUp(ToolEvent& e) {
  EditorState& s = e.s;
  if (!s.MouseDrawing) return;
  s.MouseDrawing = false;
  if (s.ToolStage == 2) {
    s.ToolStage = 3;  // the inverted line stays
  } else if (s.ToolStage == 4) {
    s.ToolStage = 5;
  } else if (s.ToolStage == 5) {
    DrawCurveFigure(s, PenMode::Copy);  // paints exactly the inverted pixels in the pen colours
    ShowEdit(s);
    s.ToolStage = 1;
  }
}

}  // namespace gw
