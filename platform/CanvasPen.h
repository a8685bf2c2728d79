#pragma once
// Internal helpers of the Canvas figures: the pen mix applied to one pixel, brush spans with the same mix,
// and PenStroke, which takes the pixels of an outline in drawing order and applies the pen's style (the
// 3-on / 3-off dot pattern), its mode and the background. Not part of the public drawing interface.

#include <algorithm>
#include <cstdint>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Geometry.h"

namespace gw::pen {

// Writes c at (x, y) with the mix of `mode`: Copy stores c, NotXor stores ~(dst ^ c). Outside: dropped.
inline void mixPixel(Bitmap& bmp, int x, int y, Color c, PenMode mode) {
  if (!bmp.contains(x, y)) return;
  if (mode == PenMode::NotXor)
    bmp.setPixel(x, y, ~(bmp.pixel(x, y) ^ c) & 0x00FFFFFFu);
  else
    bmp.setPixel(x, y, c);
}

// Mixes c into the pixels x0 <= x < x1 of row y, clipped to the bitmap.
inline void mixSpan(Bitmap& bmp, int y, int x0, int x1, Color c, PenMode mode) {
  if (y < 0 || y >= bmp.height()) return;
  x0 = std::max(x0, 0);
  x1 = std::min(x1, bmp.width());
  if (x0 >= x1) return;
  Color* row = bmp.row(y);
  c &= 0x00FFFFFFu;
  if (mode == PenMode::NotXor) {
    for (int x = x0; x < x1; ++x) row[x] = ~(row[x] ^ c) & 0x00FFFFFFu;
  } else {
    std::fill(row + x0, row + x1, c);
  }
}

// One stroke of the pen: call plot() for every pixel of the outline in drawing order (also for pixels
// outside the bitmap, so that the dot pattern does not depend on clipping), or skip(n) for n pixels that are
// known to lie outside. The dot pattern starts "on" and is restarted by restart(); it runs through every
// pixel plotted between restarts. Gaps of a dotted pen get the background colour when the background is
// opaque, with the pen's mix, and are left alone when it is transparent.
class PenStroke {
 public:
  PenStroke(Bitmap& bmp, const Pen& p, BackgroundMode bkMode, Color bkColor)
      : bmp_(&bmp), pen_(p), bkOpaque_(bkMode == BackgroundMode::Opaque), bkColor_(bkColor & 0x00FFFFFFu) {}

  void restart() { phase_ = 0; }

  void plot(int x, int y) {
    if (pen_.style == PenStyle::Solid) {
      mixPixel(*bmp_, x, y, pen_.color, pen_.mode);
      return;
    }
    const bool on = phase_ < 3;
    phase_ = phase_ == 5 ? 0 : phase_ + 1;
    if (on)
      mixPixel(*bmp_, x, y, pen_.color, pen_.mode);
    else if (bkOpaque_)
      mixPixel(*bmp_, x, y, bkColor_, pen_.mode);
  }

  // Advances the pattern over n pixels without drawing them.
  void skip(std::int64_t n) {
    if (n > 0) phase_ = static_cast<int>((phase_ + n % 6) % 6);
  }

  const Pen& pen() const { return pen_; }

 private:
  Bitmap* bmp_;
  Pen pen_;
  bool bkOpaque_;
  Color bkColor_;
  int phase_ = 0;  // 0..5; 0-2 draw the pen, 3-5 are the gap
};

}  // namespace gw::pen
