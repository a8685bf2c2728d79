// Ellipses and rounded rectangles.
//
// Both figures are one closed outline: four quarter arcs of the corner ellipse joined by straight edges
// (an ellipse is a rounded rectangle whose corner ellipse is the whole box). The quarter arc is traced once,
// by an integer error walk in the style of Bresenham's circle, and mirrored into the four corners. The
// outline is one pen stroke that starts at the right end of the upper right arc and runs counter-clockwise:
// up over the top, down the left side, along the bottom and up the right side. Every point of the traced
// arc is one pixel of the stroke; where two mirrored arcs would meet in the same point (an odd width or
// height equal to the box) that point is drawn once. The brush covers each row of the figure from its
// leftmost to its rightmost outline pixel, before the pen draws the outline.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/Canvas.h"
#include "platform/CanvasPen.h"

namespace gw {

namespace {

using i64 = std::int64_t;
__extension__ typedef __int128 i128;

// Figures with a corner outside +-kCoordLimit draw nothing, as with the platform's own coordinate range.
constexpr i64 kCoordLimit = i64{1} << 27;
// Up to this corner-ellipse size the error terms fit 64 bits; larger ones are traced in 128 bits.
constexpr i64 kSmallArc = i64{1} << 18;

// Traces the lower right quarter of the ellipse inscribed in a w x h box (w, h >= 3), in the box's own
// pixel coordinates: from the rightmost point (w - 1, h / 2) downwards and leftwards until the column
// reaches the middle, w / 2. visit(x, y) gets each point once, in order; consecutive points are
// 8-neighbours. The walk keeps err as the ellipse's implicit function at the next candidate pixel, scaled so
// that every term stays an integer, and steps in x, in y or in both, whichever keeps closest to the curve.
template <typename T, typename Visit>
void traceQuarter(i64 w, i64 h, Visit&& visit) {
  const T a = static_cast<T>(w - 1);
  const T b = static_cast<T>(h - 1);
  const T oddB = static_cast<T>((h - 1) % 2);
  const T stepX = 8 * b * b;
  const T stepY = 8 * a * a;
  T dx = 4 * b * b * (1 - a);
  T dy = 4 * a * a * (1 + oddB);
  T err = dx + dy + a * a * oddB;
  i64 x = w - 1;
  i64 y = h / 2;
  while (x >= w / 2) {
    visit(x, y);
    const T e2 = 2 * err;
    bool moved = false;
    if (e2 >= dx) {
      --x;
      dx += stepX;
      err += dx;
      moved = true;
    }
    if (e2 <= dy) {
      ++y;
      dy += stepY;
      err += dy;
      moved = true;
    }
    if (!moved || y >= h) break;  // cannot happen for a well-formed box; guards against a stuck walk
  }
}

template <typename Visit>
void traceQuarterAnySize(i64 w, i64 h, Visit&& visit) {
  if (w <= kSmallArc && h <= kSmallArc)
    traceQuarter<i64>(w, h, visit);
  else
    traceQuarter<i128>(w, h, visit);
}

// The eight parts of the outline, in stroke order.
enum Part { kUpperRight, kTop, kUpperLeft, kLeft, kLowerLeft, kBottom, kLowerRight, kRight, kPartCount };

struct PenPixel {
  i64 index;  // position within its part, later within the whole stroke
  int part;
  int x, y;
};

// Leftmost and rightmost outline pixel of one row; empty while lo > hi.
struct RowExtent {
  i64 lo = INT64_MAX;
  i64 hi = INT64_MIN;
  void add(i64 a, i64 b) {
    lo = std::min(lo, a);
    hi = std::max(hi, b);
  }
};

int clampToInt(i64 v, i64 lo, i64 hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

}  // namespace

void Canvas::ellipse(int l, int t, int r, int b) {
  const i64 w = std::llabs(i64{r} - l);
  const i64 h = std::llabs(i64{b} - t);
  if (w > INT32_MAX || h > INT32_MAX) return;  // beyond the coordinate range anyway
  roundRect(l, t, r, b, static_cast<int>(w), static_cast<int>(h));
}

void Canvas::roundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const i64 l = std::min(left, right), r = std::max(left, right);
  const i64 t = std::min(top, bottom), b = std::max(top, bottom);
  const i64 w = r - l, h = b - t;
  const i64 cw = std::min<i64>(std::llabs(i64{cornerWidth}), w);
  const i64 ch = std::min<i64>(std::llabs(i64{cornerHeight}), h);
  if (cw <= 2 || ch <= 2) {
    rectangle(left, top, right, bottom);
    return;
  }
  if (l < -kCoordLimit || t < -kCoordLimit || r > kCoordLimit || b > kCoordLimit) return;

  const i64 width = bmp_->width(), height = bmp_->height();
  if (r <= 0 || b <= 0 || l >= width || t >= height) return;  // nothing of the figure can show

  // Mirroring: a point (x, y) of the traced quarter lies at column r - cw + x on the right and
  // l + cw - 1 - x on the left, and at row t + ch - 1 - y on the top and b - ch + y on the bottom.
  // When the corner ellipse spans an odd box width (height), the two top (left) arcs share their end point.
  const bool shareTop = cw == w && cw % 2 == 1;
  const bool shareSide = ch == h && ch % 2 == 1;

  const i64 rowBegin = std::max<i64>(t, 0), rowEnd = std::min<i64>(b, height);
  std::vector<RowExtent> rows(static_cast<std::size_t>(rowEnd - rowBegin));
  auto addRun = [&](i64 y, i64 x0, i64 x1) {
    if (y >= rowBegin && y < rowEnd && x0 <= x1) rows[static_cast<std::size_t>(y - rowBegin)].add(x0, x1);
  };

  std::vector<PenPixel> pixels;
  auto addPixel = [&](int part, i64 index, i64 x, i64 y) {
    if (x >= 0 && x < width && y >= 0 && y < height)
      pixels.push_back({index, part, static_cast<int>(x), static_cast<int>(y)});
  };

  // Trace the quarter once; each point goes to the four arcs. Arc indices that depend on the arc's length
  // are kept as offsets from the end (negative) and fixed up once the length is known.
  i64 count = 0;
  i64 lastX = 0, lastY = 0;
  traceQuarterAnySize(cw, ch, [&](i64 x, i64 y) {
    const i64 xr = r - cw + x, xl = l + cw - 1 - x;
    const i64 yt = t + ch - 1 - y, yb = b - ch + y;
    addRun(yt, xl, xr);
    addRun(yb, xl, xr);
    const i64 j = count++;
    addPixel(kUpperRight, j, xr, yt);
    addPixel(kUpperLeft, -j, xl, yt);  // runs backwards over the trace
    if (!(shareSide && j == 0)) addPixel(kLowerLeft, j - (shareSide ? 1 : 0), xl, yb);
    if (!(shareSide && j == 0)) addPixel(kLowerRight, -j, xr, yb);
    lastX = x;
    lastY = y;
  });
  const i64 n = count;

  i64 length[kPartCount] = {};
  length[kUpperRight] = n;
  length[kUpperLeft] = n - (shareTop ? 1 : 0);
  length[kLowerLeft] = n - (shareTop ? 1 : 0) - (shareSide ? 1 : 0);
  length[kLowerRight] = n - (shareSide ? 1 : 0);

  // The straight edges join the arcs' end points, leaving out both ends (they belong to the arcs).
  const i64 topRow = t + ch - 1 - lastY, bottomRow = b - ch + lastY;
  const i64 edgeRight = r - cw + lastX, edgeLeft = l + cw - 1 - lastX;  // ends of the top and bottom edges
  const i64 sideTop = t + ch - 1 - ch / 2, sideBottom = b - ch + ch / 2;  // ends of the left and right edges
  length[kTop] = length[kBottom] = std::max<i64>(edgeRight - edgeLeft - 1, 0);
  length[kLeft] = length[kRight] = std::max<i64>(sideBottom - sideTop - 1, 0);
  addRun(topRow, edgeLeft, edgeRight);
  addRun(bottomRow, edgeLeft, edgeRight);
  for (i64 y = std::max(sideTop + 1, rowBegin); y < std::min(sideBottom, rowEnd); ++y) addRun(y, l, r - 1);

  auto addHorizontal = [&](int part, i64 y, bool leftwards) {
    if (y < 0 || y >= height) return;
    for (i64 x = std::max(edgeLeft + 1, i64{0}); x < std::min(edgeRight, width); ++x)
      addPixel(part, leftwards ? edgeRight - 1 - x : x - edgeLeft - 1, x, y);
  };
  auto addVertical = [&](int part, i64 x, bool upwards) {
    if (x < 0 || x >= width) return;
    for (i64 y = std::max(sideTop + 1, i64{0}); y < std::min(sideBottom, height); ++y)
      addPixel(part, upwards ? sideBottom - 1 - y : y - sideTop - 1, x, y);
  };
  addHorizontal(kTop, topRow, true);
  addVertical(kLeft, l, false);
  addHorizontal(kBottom, bottomRow, false);
  addVertical(kRight, r - 1, true);

  i64 start[kPartCount] = {};
  for (int p = 1; p < kPartCount; ++p) start[p] = start[p - 1] + length[p - 1];
  std::vector<PenPixel> stroke;
  stroke.reserve(pixels.size());
  for (PenPixel px : pixels) {
    if (px.part == kUpperLeft || px.part == kLowerRight) {
      // Backwards arcs: the trace's point j is their point (n - 1 - j); the upper left arc leaves out the
      // shared top point, which is its first.
      px.index += n - 1;
      if (px.part == kUpperLeft && shareTop) {
        if (px.index == 0) continue;
        --px.index;
      }
    } else if (px.part == kLowerLeft && shareTop && px.index == length[kLowerLeft]) {
      continue;  // the shared bottom point belongs to the lower right arc
    }
    px.index += start[px.part];
    stroke.push_back(px);
  }
  std::sort(stroke.begin(), stroke.end(), [](const PenPixel& a, const PenPixel& c) { return a.index < c.index; });

  if (brush_.style == BrushStyle::Solid) {
    for (i64 y = rowBegin; y < rowEnd; ++y) {
      const RowExtent& e = rows[static_cast<std::size_t>(y - rowBegin)];
      if (e.lo > e.hi) continue;
      pen::mixSpan(*bmp_, static_cast<int>(y), clampToInt(e.lo, -1, width), clampToInt(e.hi + 1, -1, width),
                   brush_.color, pen_.mode);
    }
  }

  pen::PenStroke pen(*bmp_, pen_, bkMode_, bkColor_);
  i64 next = 0;
  for (const PenPixel& px : stroke) {
    pen.skip(px.index - next);
    pen.plot(px.x, px.y);
    next = px.index + 1;
  }
}

}  // namespace gw
