// Flood fill (6), colour substitute (14) and colour selector (17): tools that act on the release only.
#include "editor/core/Palettes.h"
#include "editor/core/ToolFamilies.h"

namespace gw {

void FloodFillUp(ToolEvent& e) {
  EditorState& s = e.s;
  const Point c = e.cell;
  const Color surface = s.iconimage.pixel(c.x, c.y);
  if (surface == kInvalidColor) return;
  // The connected area of the image's colour at the cell, found on a copy filled with another colour; the
  // image gets the pen colour and the mask black over exactly that area, so no pixel of it stays transparent.
  Bitmap area = s.iconimage;
  Canvas marker(area);
  marker.setBrushColor(surface ^ 1u);
  marker.floodFillSurface(c.x, c.y, surface);
  const Color pen = PenColorForButton(s, e.button == MouseButton::Left);
  for (int y = 0; y < area.height(); ++y)
    for (int x = 0; x < area.width(); ++x)
      if (area.pixel(x, y) != s.iconimage.pixel(x, y)) {
        s.iconimage.setPixel(x, y, pen);
        s.iconmask.setPixel(x, y, kBlack);
      }
  ShowEdit(s);
}

void ColorSubstituteUp(ToolEvent& e) {
  EditorState& s = e.s;
  const Color old = s.editarea.pixel(e.raw.x, e.raw.y);
  const Color now = e.button == MouseButton::Left ? s.LeftPenColor : s.RightPenColor;
  if (old != kInvalidColor && old != now) {
    for (int x = 0; x < s.IconSize; ++x)
      for (int y = 0; y < s.IconSize; ++y)
        if (s.iconimage.pixel(x, y) == old) {
          s.iconimage.setPixel(x, y, now);
          s.iconmask.setPixel(x, y, kBlack);  // a substituted pixel is opaque
        }
  }
  ShowEdit(s);
}

void ColorSelectorUp(ToolEvent& e) {
  EditorState& s = e.s;
  const Color c = s.editarea.pixel(e.raw.x, e.raw.y);
  if (c == kInvalidColor) return;  // beside the edit area there is no colour to pick
  if (e.button == MouseButton::Left) {
    s.LeftPenColor = c;
    s.LastPenIsLeft = true;
  } else {
    s.RightPenColor = c;
    s.LastPenIsLeft = false;
  }
  e.host.ShowColorComponents(s, c);
  e.host.SelectToolByIndex(s, s.ColorSelectorTag);
}

}  // namespace gw
