// Rubber-band shapes: line (1), hollow and filled ellipse (2, 4), rectangle (3, 5) and rounded rectangle (15,
// 16, corner ellipse 8 x 8 cells). While the button is held the band from the start cell to the pointer's
// cell is drawn inverted on image and mask; the release takes the last band off and draws the final shape in
// the pen colour with an opaque mask.
#include "editor/core/Palettes.h"
#include "editor/core/ToolFamilies.h"

namespace gw {

namespace {

constexpr int kRoundCorner = 8;

bool IsFilled(int tool) { return tool == 4 || tool == 5 || tool == 16; }

void DrawShape(Canvas& c, int tool, Point a, Point b) {
  switch (tool) {
    case 1:
      c.moveTo(a.x, a.y);
      c.lineTo(b.x, b.y);
      break;
    case 2: case 4: c.ellipse(a.x, a.y, b.x, b.y); break;
    case 3: case 5: c.rectangle(a.x, a.y, b.x, b.y); break;
    default: c.roundRect(a.x, a.y, b.x, b.y, kRoundCorner, kRoundCorner); break;
  }
}

// The shape from the start cell to `to` on the image (pen colour) and on the mask (black).
void DrawBand(EditorState& s, Point to, PenMode mode) {
  const int tool = s.CurrentTool;
  const bool filled = IsFilled(tool);
  Canvas image(s.iconimage), mask(s.iconmask);
  image.setPenColor(s.ImagePenColor);
  mask.setPenColor(kBlack);
  if (filled) {
    image.setBrushColor(s.ImagePenColor);
    mask.setBrushColor(kBlack);
  } else {
    image.setBrushStyle(BrushStyle::Clear);
    mask.setBrushStyle(BrushStyle::Clear);
  }
  for (Canvas* c : {&image, &mask}) {
    c->setPenMode(mode);
    DrawShape(*c, tool, StartCell(s), to);
  }
}

}  // namespace

void BandDown(ToolEvent& e) {
  EditorState& s = e.s;
  s.ImagePenColor = PenColorForButton(s, e.button == MouseButton::Left);
  s.MouseDrawing = true;
  s.BandDrawn = false;
  SetStartCell(s, e.cell);
  SetLastCell(s, e.cell);
}

void InvertBand(EditorState& s) { DrawBand(s, LastCell(s), PenMode::NotXor); }

void EraseBand(EditorState& s) {
  if (!s.BandDrawn) return;
  InvertBand(s);
  s.BandDrawn = false;
}

void BandMove(ToolEvent& e) {
  EditorState& s = e.s;
  if (s.MouseDrawing) {
    EraseBand(s);
    DrawBand(s, e.cell, PenMode::NotXor);
    s.BandDrawn = true;
    ShowEdit(s);
  }
  SetLastCell(s, e.cell);
}

void BandUp(ToolEvent& e) {
  EditorState& s = e.s;
  if (!s.MouseDrawing) return;  // dropped while the button was held
  EraseBand(s);
  DrawBand(s, e.cell, PenMode::Copy);
  ShowEdit(s);
  s.MouseDrawing = false;
}

}  // namespace gw
