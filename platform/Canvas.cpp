#include "platform/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/CanvasPen.h"

namespace gw {

namespace {

using i64 = std::int64_t;
// Wide enough for products of two coordinate differences, whatever int coordinates a caller passes.
__extension__ using i128 = __int128;

i128 floorDiv(i128 a, i128 b) {  // b > 0
  i128 q = a / b;
  if ((a % b != 0) && (a < 0)) --q;
  return q;
}

// a / b rounded to the nearest integer, an exact half going to the smaller value (b > 0).
i128 roundDivHalfDown(i128 a, i128 b) { return -floorDiv(b - 2 * a, 2 * b); }

// Strokes the line from a to b, b excluded: n = max(|dx|, |dy|) steps along the major axis, the minor
// coordinate rounded from the exact line. Only the steps that can land on the bitmap are visited; the
// others still advance the pen's pattern, so clipping never changes the pixels of a line.
void strokeLine(pen::PenStroke& stroke, const Bitmap& bmp, Point a, Point b) {
  const i64 dx = i64{b.x} - a.x;
  const i64 dy = i64{b.y} - a.y;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const i64 n = xMajor ? std::llabs(dx) : std::llabs(dy);
  if (n == 0) return;
  const i64 major0 = xMajor ? a.x : a.y;
  const i64 minor0 = xMajor ? a.y : a.x;
  const i64 dMinor = xMajor ? dy : dx;
  const i64 step = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const i64 limit = xMajor ? bmp.width() : bmp.height();

  // Steps i in [lo, hi] put the major coordinate inside [0, limit).
  i64 lo = 0;
  i64 hi = n - 1;
  if (step > 0) {
    lo = std::max(lo, -major0);
    hi = std::min(hi, limit - 1 - major0);
  } else {
    lo = std::max(lo, major0 - limit + 1);
    hi = std::min(hi, major0);
  }
  if (lo > hi) {
    stroke.skip(n);
    return;
  }
  stroke.skip(lo);
  for (i64 i = lo; i <= hi; ++i) {
    const int major = static_cast<int>(major0 + step * i);
    const int minor = static_cast<int>(minor0 + roundDivHalfDown(i128{i} * dMinor, n));
    if (xMajor)
      stroke.plot(major, minor);
    else
      stroke.plot(minor, major);
  }
  stroke.skip(n - 1 - hi);
}

// Flattening of one cubic Bezier segment, in 1/16 pixel units.
struct FixPt {
  i64 x, y;
};

constexpr int kBezierShift = 4;  // 1/16 pixel
constexpr i64 kBezierPixel = i64{1} << kBezierShift;
constexpr int kBezierMaxDepth = 8;

// Fixed point to whole pixels, rounded half up.
i64 fixToPixel(i64 v) { return (v + kBezierPixel / 2) >> kBezierShift; }

// The halfway value as the platform computes it: (a + b + 1) / 2 with division truncating towards zero.
// That is exact, halves rounded up, for sums >= -1; a negative even sum comes out one unit high (curves
// through negative coordinates depend on this).
i64 halfway(i64 a, i64 b) { return (a + b + 1) / 2; }
FixPt halfway(FixPt a, FixPt b) { return {halfway(a.x, b.x), halfway(a.y, b.y)}; }

// True when v lies between a and b (inclusive), in either order.
bool between(i64 a, i64 v, i64 b) { return v < a ? v >= b : v <= b; }

// A segment is flat enough to draw as its chord when, measured along the chord's major axis, both control
// points lie between the ends, and, across it, within one pixel of the chord. The chord's slope is taken in
// whole fixed-point units per pixel, and a chord shorter than half a pixel counts as flat.
bool flatEnough(const FixPt (&p)[4]) {
  const i64 dx = p[3].x - p[0].x;
  const i64 dy = p[3].y - p[0].y;
  const bool xMajor = std::llabs(dy) <= std::llabs(dx);
  auto major = [xMajor](FixPt q) { return xMajor ? q.x : q.y; };
  auto minor = [xMajor](FixPt q) { return xMajor ? q.y : q.x; };
  for (int k = 1; k <= 2; ++k)
    if (!between(major(p[0]), major(p[k]), major(p[3]))) return false;
  const i64 run = fixToPixel(major(p[3]) - major(p[0]));
  if (run == 0) return true;
  const i64 slope = (minor(p[3]) - minor(p[0])) / run;
  for (int k = 1; k <= 2; ++k) {
    const i128 offset = i128{minor(p[k]) - minor(p[0])} - i128{slope} * fixToPixel(major(p[k]) - major(p[0]));
    if (offset > kBezierPixel || offset < -kBezierPixel) return false;
  }
  return true;
}

void flattenBezier(const FixPt (&p)[4], int depth, std::vector<Point>& out) {
  if (depth >= kBezierMaxDepth || flatEnough(p)) {
    out.push_back({static_cast<int>(fixToPixel(p[3].x)), static_cast<int>(fixToPixel(p[3].y))});
    return;
  }
  const FixPt a = halfway(p[0], p[1]), b = halfway(p[1], p[2]), c = halfway(p[2], p[3]);
  const FixPt d = halfway(a, b), e = halfway(b, c);
  const FixPt m = halfway(d, e);
  const FixPt first[4] = {p[0], a, d, m};
  const FixPt second[4] = {m, e, c, p[3]};
  flattenBezier(first, depth + 1, out);
  flattenBezier(second, depth + 1, out);
}

FixPt toFix(Point p) { return {i64{p.x} << kBezierShift, i64{p.y} << kBezierShift}; }

}  // namespace

void Canvas::setBrushColor(Color c) {
  brush_.color = c & 0x00FFFFFFu;
  brush_.style = BrushStyle::Solid;
  setBackground(BackgroundMode::Opaque, brush_.color);
}

void Canvas::setBrushStyle(BrushStyle s) {
  brush_.style = s;
  setBackground(s == BrushStyle::Solid ? BackgroundMode::Opaque : BackgroundMode::Transparent, brush_.color);
}

void Canvas::plotPen(int x, int y, Color c) { pen::mixPixel(*bmp_, x, y, c, pen_.mode); }

void Canvas::lineTo(int x, int y) {
  pen::PenStroke stroke(*bmp_, pen_, bkMode_, bkColor_);
  strokeLine(stroke, *bmp_, pos_, {x, y});
  pos_ = {x, y};
}

void Canvas::polyline(std::span<const Point> pts) {
  pen::PenStroke stroke(*bmp_, pen_, bkMode_, bkColor_);
  for (std::size_t i = 1; i < pts.size(); ++i) strokeLine(stroke, *bmp_, pts[i - 1], pts[i]);
}

void Canvas::polyBezier(std::span<const Point> pts) {
  if (pts.size() < 4 || (pts.size() - 1) % 3 != 0) return;
  std::vector<Point> flat;
  flat.push_back(pts[0]);
  for (std::size_t i = 0; i + 3 < pts.size(); i += 3) {
    const FixPt seg[4] = {toFix(pts[i]), toFix(pts[i + 1]), toFix(pts[i + 2]), toFix(pts[i + 3])};
    flattenBezier(seg, 0, flat);
  }
  polyline(flat);
}

void Canvas::rectangle(int l, int t, int r, int b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (r == l || b == t) return;
  if (brush_.style == BrushStyle::Solid)
    for (int y = std::max(t + 1, 0), yEnd = std::min(b - 1, bmp_->height()); y < yEnd; ++y)
      pen::mixSpan(*bmp_, y, l + 1, r - 1, brush_.color, pen_.mode);
  // The outline runs as one closed path from the top right corner: left along the top, down the left side,
  // right along the bottom and up the right side, each side leaving out its last pixel.
  const Point path[] = {{r - 1, t}, {l, t}, {l, b - 1}, {r - 1, b - 1}, {r - 1, t}};
  polyline(path);
}

void Canvas::fillRect(const Rect& r) {
  const int l = std::max(r.left, 0);
  const int rr = std::min(r.right, bmp_->width());
  const int t = std::max(r.top, 0);
  const int b = std::min(r.bottom, bmp_->height());
  for (int y = t; y < b; ++y) pen::mixSpan(*bmp_, y, l, rr, brush_.color, PenMode::Copy);
}

}  // namespace gw
