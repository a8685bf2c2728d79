#include "platform/Canvas.h"

#include <algorithm>

namespace gw {

void Canvas::setBrushColor(Color c) {
  brush_.color = c & 0x00FFFFFFu;
  brush_.style = BrushStyle::Solid;
  setBackground(BackgroundMode::Opaque, brush_.color);
}

void Canvas::setBrushStyle(BrushStyle s) {
  brush_.style = s;
  setBackground(s == BrushStyle::Solid ? BackgroundMode::Opaque : BackgroundMode::Transparent, brush_.color);
}

void Canvas::plotPen(int x, int y, Color c) {
  if (!bmp_->contains(x, y)) return;
  if (pen_.mode == PenMode::NotXor)
    bmp_->setPixel(x, y, ~(bmp_->pixel(x, y) ^ c) & 0x00FFFFFFu);
  else
    bmp_->setPixel(x, y, c);
}

void Canvas::fillRect(const Rect& r) {
  const int l = std::max(std::min(r.left, r.right), 0);
  const int rr = std::min(std::max(r.left, r.right), bmp_->width());
  const int t = std::max(std::min(r.top, r.bottom), 0);
  const int b = std::min(std::max(r.top, r.bottom), bmp_->height());
  for (int y = t; y < b; ++y)
    for (int x = l; x < rr; ++x) bmp_->setPixel(x, y, brush_.color);
}

}  // namespace gw
