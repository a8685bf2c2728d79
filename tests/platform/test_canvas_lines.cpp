// Behaviour of the line-based figures beyond the reference sets: not-xor drawing undoes itself, clipping
// leaves the pixels of a line unchanged, the pen position, the dot pattern and the plain rectangle fill.

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "platform/Canvas.h"

namespace gw {
namespace {

// A bitmap of random colours, so that not-xor has something other than white to invert.
Bitmap noise(int w, int h, std::mt19937& rng) {
  Bitmap bmp(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bmp.setPixel(x, y, static_cast<Color>(rng()));
  return bmp;
}

std::vector<Point> randomPoints(std::mt19937& rng, std::size_t n, int lo, int hi) {
  std::uniform_int_distribution<int> coord(lo, hi);
  std::vector<Point> pts;
  for (std::size_t i = 0; i < n; ++i) pts.push_back({coord(rng), coord(rng)});
  return pts;
}

TEST(CanvasNotXor, EveryFigureDrawnTwiceRestoresTheCanvas) {
  std::mt19937 rng(1234);
  std::uniform_int_distribution<int> pick(0, 3);
  for (int round = 0; round < 400; ++round) {
    const Bitmap before = noise(24, 24, rng);
    Bitmap bmp = before;
    Canvas cv(bmp);
    cv.setPenColor(static_cast<Color>(rng()));
    cv.setPenMode(PenMode::NotXor);
    if (rng() % 2) cv.setPenStyle(PenStyle::Dot);
    if (rng() % 2)
      cv.setBrushColor(static_cast<Color>(rng()));
    else
      cv.setBrushStyle(BrushStyle::Clear);
    const int kind = pick(rng);
    const auto pts = randomPoints(rng, kind == 2 ? 7 : 6, -8, 32);
    auto draw = [&] {
      switch (kind) {
        case 0: cv.moveTo(pts[0].x, pts[0].y); cv.lineTo(pts[1].x, pts[1].y); break;
        case 1: cv.polyline(pts); break;
        case 2: cv.polyBezier(pts); break;
        default: cv.rectangle(pts[0].x, pts[0].y, pts[1].x, pts[1].y); break;
      }
    };
    draw();
    draw();
    ASSERT_EQ(bmp, before) << "figure kind " << kind << " in round " << round;
  }
}

TEST(CanvasNotXor, InvertsRelativeToThePenColourAndFillsOnlyTheInsideOfARectangle) {
  Bitmap bmp(8, 8, MakeColor(10, 20, 30));
  Canvas cv(bmp);
  cv.setPenMode(PenMode::NotXor);
  cv.setPenColor(MakeColor(255, 0, 0));
  cv.setBrushColor(MakeColor(0, 255, 0));
  cv.rectangle(1, 1, 6, 6);
  EXPECT_EQ(bmp.pixel(1, 1), ~(MakeColor(10, 20, 30) ^ MakeColor(255, 0, 0)) & 0xFFFFFFu);  // outline
  EXPECT_EQ(bmp.pixel(3, 3), ~(MakeColor(10, 20, 30) ^ MakeColor(0, 255, 0)) & 0xFFFFFFu);  // inside
  EXPECT_EQ(bmp.pixel(6, 6), MakeColor(10, 20, 30));                                       // excluded edge
}

// Draws the same figure on a large canvas and on a small one that is its window at (ox, oy): with either pen
// style, the window must hold exactly the large canvas's pixels, dot phase included.
void expectClippingInvariant(PenStyle style, std::mt19937& rng) {
  const int big = 700, small = 16, ox = 340, oy = 340;
  std::uniform_int_distribution<int> pick(0, 2);
  for (int round = 0; round < 120; ++round) {
    const auto pts = randomPoints(rng, 5, -100, 800);
    std::vector<Point> shifted;
    for (const Point& p : pts) shifted.push_back({p.x - ox, p.y - oy});
    Bitmap large(big, big), window(small, small);
    const int kind = pick(rng);
    auto draw = [&](Bitmap& bmp, const std::vector<Point>& q) {
      Canvas cv(bmp);
      cv.setPenStyle(style);
      cv.setBrushStyle(BrushStyle::Clear);
      cv.setBackground(BackgroundMode::Opaque, MakeColor(0, 0, 255));
      if (kind == 0) {
        cv.moveTo(q[0].x, q[0].y);
        for (std::size_t i = 1; i < q.size(); ++i) cv.lineTo(q[i].x, q[i].y);
      } else if (kind == 1) {
        cv.polyline(q);
      } else {
        cv.rectangle(q[0].x, q[0].y, q[1].x, q[1].y);
      }
    };
    draw(large, pts);
    draw(window, shifted);
    for (int y = 0; y < small; ++y)
      for (int x = 0; x < small; ++x)
        ASSERT_EQ(window.pixel(x, y), large.pixel(x + ox, y + oy))
            << "kind " << kind << ", round " << round << ", at " << x << "," << y;
  }
}

TEST(CanvasClipping, FiguresFarOutsideDrawTheSamePixelsAsOnALargeCanvas) {
  std::mt19937 rng(99);
  expectClippingInvariant(PenStyle::Solid, rng);
  expectClippingInvariant(PenStyle::Dot, rng);
}

TEST(CanvasClipping, ExtremeCoordinatesStayExactAndCheap) {
  Bitmap bmp(16, 16);
  Canvas cv(bmp);
  cv.moveTo(INT_MIN, 5);
  cv.lineTo(INT_MAX, 5);
  cv.moveTo(-1000000000, -1000000000);
  cv.lineTo(1000000000, 1000000000);
  for (int x = 0; x < 16; ++x) {
    EXPECT_EQ(bmp.pixel(x, 5), kBlack) << x;
    EXPECT_EQ(bmp.pixel(x, x), kBlack) << x;
  }
  EXPECT_EQ(bmp.pixel(3, 4), kWhite);

  // A rectangle spanning the whole coordinate range leaves a canvas inside it to the brush.
  cv.setBrushColor(MakeColor(0, 255, 0));
  cv.rectangle(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  EXPECT_EQ(bmp.pixel(0, 0), MakeColor(0, 255, 0));
  EXPECT_EQ(bmp.pixel(15, 15), MakeColor(0, 255, 0));

  // Bezier control points at the ends of the range must not overflow the fixed-point flattening.
  const Point curve[] = {{INT_MIN, INT_MIN}, {INT_MAX, INT_MIN}, {INT_MIN, INT_MAX}, {INT_MAX, INT_MAX}};
  cv.polyBezier(curve);
}

TEST(CanvasPenPosition, OnlyMoveToAndLineToMoveIt) {
  Bitmap bmp(8, 8);
  Canvas cv(bmp);
  cv.moveTo(1, 2);
  EXPECT_EQ(cv.penPosition(), (Point{1, 2}));
  cv.lineTo(5, 6);
  EXPECT_EQ(cv.penPosition(), (Point{5, 6}));
  EXPECT_EQ(bmp.pixel(1, 2), kBlack);
  EXPECT_EQ(bmp.pixel(5, 6), kWhite);  // end point excluded
  cv.lineTo(5, 6);                     // zero length: nothing drawn, position kept
  EXPECT_EQ(bmp.pixel(5, 6), kWhite);
  EXPECT_EQ(cv.penPosition(), (Point{5, 6}));
  // The next line starts where the last ended, so its first pixel fills the previous end point.
  cv.lineTo(5, 0);
  EXPECT_EQ(bmp.pixel(5, 6), kBlack);

  const Point path[] = {{0, 0}, {7, 0}, {7, 7}};
  cv.polyline(path);
  const Point curve[] = {{0, 7}, {2, 2}, {5, 2}, {7, 7}};
  cv.polyBezier(curve);
  cv.rectangle(0, 0, 4, 4);
  EXPECT_EQ(cv.penPosition(), (Point{5, 0}));
}

TEST(CanvasDots, PatternRunsThroughAPolylineButRestartsWithEveryLineTo) {
  // Two 4-pixel legs: as one polyline the second leg continues the pattern (on on on off | off off on on),
  // as two lineTo calls each leg starts "on" again.
  const Point path[] = {{0, 0}, {4, 0}, {8, 0}};
  Bitmap one(9, 1), two(9, 1);
  Canvas c1(one), c2(two);
  for (Canvas* cv : {&c1, &c2}) {
    cv->setPenStyle(PenStyle::Dot);
    cv->setBrushStyle(BrushStyle::Clear);  // transparent gaps
  }
  c1.polyline(path);
  c2.moveTo(0, 0);
  c2.lineTo(4, 0);
  c2.lineTo(8, 0);
  auto row = [](const Bitmap& b) {
    std::string s;
    for (int x = 0; x < b.width(); ++x) s += b.pixel(x, 0) == kBlack ? 'p' : '.';
    return s;
  };
  EXPECT_EQ(row(one), "ppp...pp.");
  EXPECT_EQ(row(two), "ppp.ppp..");
}

TEST(CanvasDots, GapsTakeTheBackgroundThatTheBrushSets) {
  Bitmap bmp(8, 1);
  Canvas cv(bmp);
  cv.setPenStyle(PenStyle::Dot);
  cv.setBrushColor(MakeColor(0, 0, 255));  // a solid brush makes an opaque background of its colour
  EXPECT_EQ(cv.backgroundMode(), BackgroundMode::Opaque);
  cv.moveTo(0, 0);
  cv.lineTo(8, 0);
  EXPECT_EQ(bmp.pixel(2, 0), kBlack);
  EXPECT_EQ(bmp.pixel(3, 0), MakeColor(0, 0, 255));
  EXPECT_EQ(bmp.pixel(6, 0), kBlack);

  bmp.fill(kWhite);
  cv.setBrushStyle(BrushStyle::Clear);  // transparent gaps
  cv.moveTo(0, 0);
  cv.lineTo(8, 0);
  EXPECT_EQ(bmp.pixel(3, 0), kWhite);
  EXPECT_EQ(bmp.pixel(6, 0), kBlack);
}

TEST(CanvasFillRect, CopiesTheBrushColourAndTakesCornersAsGiven) {
  Bitmap bmp(8, 8);
  Canvas cv(bmp);
  cv.setBrushColor(MakeColor(0, 255, 0));
  cv.setBrushStyle(BrushStyle::Clear);  // the fill ignores the brush style ...
  cv.setPenMode(PenMode::NotXor);       // ... and the pen mode
  cv.fillRect({6, 6, 2, 2});            // reversed corners: nothing
  EXPECT_EQ(bmp, Bitmap(8, 8));
  cv.fillRect({-5, 6, 20, 20});         // clipped
  EXPECT_EQ(bmp.pixel(0, 6), MakeColor(0, 255, 0));
  EXPECT_EQ(bmp.pixel(7, 7), MakeColor(0, 255, 0));
  EXPECT_EQ(bmp.pixel(7, 5), kWhite);
  cv.fillRect({-5, 6, 20, 20});  // copy, not not-xor: a second fill keeps the colour
  EXPECT_EQ(bmp.pixel(3, 7), MakeColor(0, 255, 0));
}

TEST(CanvasFigures, DegenerateInputDrawsNothing) {
  Bitmap bmp(8, 8);
  Canvas cv(bmp);
  cv.setBrushColor(kBlack);
  const Point three[] = {{0, 0}, {7, 7}, {0, 7}};
  const Point five[] = {{0, 0}, {7, 7}, {0, 7}, {7, 0}, {3, 3}};
  cv.polyBezier(three);  // not 1 + 3k points
  cv.polyBezier(five);
  cv.polyline(std::span<const Point>(three, 1));
  cv.rectangle(2, 2, 2, 7);  // zero width
  cv.rectangle(3, 3, 4, 4);  // one pixel
  EXPECT_EQ(bmp, Bitmap(8, 8));
}

}  // namespace
}  // namespace gw
