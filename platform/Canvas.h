#pragma once
// A drawing surface over a Bitmap, with the pixel rules of the platform's graphics interface: lines leave
// out their end point, closed figures leave out their right and bottom edges, and everything is clipped to
// the bitmap without changing which pixels a figure is made of.

#include <span>

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

namespace gw {

enum class PenStyle { Solid, Dot };          // Dot: 3 pixels on, 3 off
enum class PenMode { Copy, NotXor };         // NotXor: dst = ~(dst ^ pen); drawing twice restores
enum class BrushStyle { Solid, Clear };
enum class BackgroundMode { Transparent, Opaque };  // what the gaps of a dotted pen get
enum class StretchMode { ColorOnColor, BlackOnWhite };

struct Pen {
  Color color = kBlack;
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;
};

struct Brush {
  Color color = kWhite;
  BrushStyle style = BrushStyle::Solid;
};

class Canvas {
 public:
  explicit Canvas(Bitmap& target) : bmp_(&target) {}

  Bitmap& bitmap() { return *bmp_; }
  const Bitmap& bitmap() const { return *bmp_; }

  // Pixels.
  Color pixel(int x, int y) const { return bmp_->pixel(x, y); }
  void setPixel(int x, int y, Color c) { bmp_->setPixel(x, y, c); }

  // Pen and brush. Like the class library's canvas, a solid brush also sets an opaque background of its
  // colour (what the gaps of a dotted line get), and a clear brush a transparent one.
  Pen& pen() { return pen_; }
  const Pen& pen() const { return pen_; }
  void setPenColor(Color c) { pen_.color = c & 0x00FFFFFFu; }
  void setPenStyle(PenStyle s) { pen_.style = s; }
  void setPenMode(PenMode m) { pen_.mode = m; }
  const Brush& brush() const { return brush_; }
  void setBrushColor(Color c);  // also makes a clear brush solid
  void setBrushStyle(BrushStyle s);
  void setBackground(BackgroundMode mode, Color c) { bkMode_ = mode; bkColor_ = c & 0x00FFFFFFu; }
  BackgroundMode backgroundMode() const { return bkMode_; }
  Color backgroundColor() const { return bkColor_; }

  // Lines: the current position moves to the end point, which is not drawn. A line takes max(|dx|, |dy|)
  // steps along its major axis; the minor coordinate is the exact one rounded to the nearest pixel, an exact
  // half going to the smaller coordinate. Each lineTo starts the dot pattern afresh.
  void moveTo(int x, int y) { pos_ = {x, y}; }
  void lineTo(int x, int y);
  Point penPosition() const { return pos_; }

  // Closed figures in the box (l, t, r, b), corners in any order, right and bottom edges excluded.
  // rectangle: a zero-width or zero-height box, and a 1 x 1 box, draw nothing. The outline is one closed path
  // from (r-1, t) left along the top, down the left side, right along the bottom and up the right side (each
  // side leaving out its last pixel, so a 1-pixel-thin box retraces itself); a solid brush fills the inside
  // only, with the pen's mix.
  void rectangle(int l, int t, int r, int b);
  void ellipse(int l, int t, int r, int b);
  void roundRect(int l, int t, int r, int b, int cornerWidth, int cornerHeight);

  // Open polyline; every vertex but the last is drawn. The dot pattern runs on through the vertices.
  void polyline(std::span<const Point> pts);
  // Cubic Bezier segments: 1 + 3k points. Fewer, or a count not of that form, draws nothing. Each segment
  // is flattened to a polyline (midpoint subdivision in 1/16 pixel), drawn as one polyline: the final end
  // point is drawn only when the curve passes through it.
  void polyBezier(std::span<const Point> pts);

  // Fills r (clipped) with the brush colour in copy mode, whatever the brush style and pen mode. Like the
  // platform's rectangle fill, the corners are taken as given: a reversed or empty r fills nothing.
  void fillRect(const Rect& r);

  // Paints with the brush every pixel 4-connected to (x, y) through pixels of exactly `surface`.
  // Returns false (and paints nothing) when (x, y) is outside or does not hold `surface`.
  bool floodFillSurface(int x, int y, Color surface);

  // Source-copy of srcRect of src onto dstRect of this surface, stretching by repeating or dropping rows and
  // columns when the sizes differ (negative widths or heights mirror). BlackOnWhite ANDs the merged pixels
  // when shrinking, as the platform's default mode does. src may be this canvas's own bitmap.
  void copyRect(const Rect& dstRect, const Bitmap& src, const Rect& srcRect,
                StretchMode mode = StretchMode::ColorOnColor);

 private:
  // Plots one pen pixel (honouring the pen mode); used by every outline.
  void plotPen(int x, int y, Color c);

  Bitmap* bmp_;
  Pen pen_;
  Brush brush_;
  BackgroundMode bkMode_ = BackgroundMode::Opaque;
  Color bkColor_ = kWhite;
  Point pos_;
};

}  // namespace gw
