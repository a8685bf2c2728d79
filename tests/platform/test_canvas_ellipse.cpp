// Ellipse and rounded rectangle behaviour beyond the reference sets: symmetry, corner order, the not-xor
// round trip, clipping of figures far larger than the canvas, and the dot pattern under clipping.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>

#include "platform/Canvas.h"
#include "tests/common/MemoryInChild.h"

namespace {

using gw::Bitmap;
using gw::Canvas;
using gw::Color;

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;

struct Box {
  int l, t, r, b, cw, ch;
};

// Draws one figure on a fresh white w x h canvas: a roundRect when cw != 0, else an ellipse.
Bitmap draw(const Box& f, int w, int h, bool brush, gw::PenMode mode = gw::PenMode::Copy,
            gw::PenStyle style = gw::PenStyle::Solid) {
  Bitmap bmp(w, h);
  Canvas cv(bmp);
  cv.setPenColor(mode == gw::PenMode::NotXor ? gw::kBlack : kRed);
  cv.setPenMode(mode);
  cv.setPenStyle(style);
  if (brush)
    cv.setBrushColor(mode == gw::PenMode::NotXor ? gw::kBlack : kGreen);
  else
    cv.setBrushStyle(gw::BrushStyle::Clear);
  if (f.cw != 0)
    cv.roundRect(f.l, f.t, f.r, f.b, f.cw, f.ch);
  else
    cv.ellipse(f.l, f.t, f.r, f.b);
  return bmp;
}

// Random figures that fit a 48 x 48 canvas, avoiding the very narrow and tall (or wide and flat) corner
// ellipses whose arcs stop short of the box.
std::vector<Box> randomFigures(unsigned seed, int count) {
  std::mt19937 rng(seed);
  std::uniform_int_distribution<int> pos(0, 47), corner(0, 30);
  std::vector<Box> out;
  while (static_cast<int>(out.size()) < count) {
    Box f{pos(rng), pos(rng), pos(rng), pos(rng), 0, 0};
    const int w = std::abs(f.r - f.l), h = std::abs(f.b - f.t);
    if (out.size() % 2 == 1) {
      f.cw = corner(rng);
      f.ch = corner(rng);
      if (f.cw == 0) f.cw = 1;
    }
    const int cw = f.cw > 0 ? std::min(f.cw, w) : w, ch = f.cw > 0 ? std::min(f.ch, h) : h;
    const int lo = std::min(cw, ch), hi = std::max(cw, ch);
    if (lo >= 3 && (lo <= 4 ? hi > 6 : hi > 3 * lo)) continue;
    out.push_back(f);
  }
  return out;
}

TEST(CanvasEllipse, FiguresAreSymmetricAndFillTheirBox) {
  for (const Box& f : randomFigures(1, 300)) {
    SCOPED_TRACE(testing::Message() << f.l << "," << f.t << "," << f.r << "," << f.b << " corner " << f.cw << "x"
                                    << f.ch);
    const Bitmap bmp = draw(f, 48, 48, true);
    const int l = std::min(f.l, f.r), r = std::max(f.l, f.r), t = std::min(f.t, f.b), b = std::max(f.t, f.b);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) {
        const bool inBox = x >= l && x < r && y >= t && y < b;
        if (!inBox) {
          ASSERT_EQ(bmp.pixel(x, y), gw::kWhite) << "outside the box at " << x << "," << y;
          continue;
        }
        ASSERT_EQ(bmp.pixel(x, y), bmp.pixel(l + r - 1 - x, y)) << x << "," << y;
        ASSERT_EQ(bmp.pixel(x, y), bmp.pixel(x, t + b - 1 - y)) << x << "," << y;
      }
    // Every row and column of the box is touched, except by figures too small to be drawn at all.
    if (r - l >= 2 && b - t >= 2) {
      for (int y = t; y < b; ++y) {
        bool any = false;
        for (int x = l; x < r; ++x) any = any || bmp.pixel(x, y) != gw::kWhite;
        ASSERT_TRUE(any) << "row " << y << " untouched";
      }
    }
  }
}

TEST(CanvasEllipse, BrushStaysInsideTheOutline) {
  // No brush pixel has a 4-neighbour outside the figure: the outline encloses the fill.
  for (const Box& f : randomFigures(2, 300)) {
    const Bitmap bmp = draw(f, 48, 48, true);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) {
        if (bmp.pixel(x, y) != kGreen) continue;
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
          ASSERT_NE(bmp.pixel(x + dx, y + dy), gw::kWhite)
              << "brush leaks at " << x << "," << y << " of " << f.l << "," << f.t << "," << f.r << "," << f.b;
      }
    // The same outline with and without the brush.
    const Bitmap hollow = draw(f, 48, 48, false);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 48; ++x) ASSERT_EQ(hollow.pixel(x, y) == kRed, bmp.pixel(x, y) == kRed);
  }
}

TEST(CanvasEllipse, CornerOrderDoesNotMatter) {
  for (const Box& f : randomFigures(3, 200)) {
    const Bitmap ref = draw(f, 48, 48, true);
    EXPECT_EQ(draw({f.r, f.t, f.l, f.b, f.cw, f.ch}, 48, 48, true), ref);
    EXPECT_EQ(draw({f.l, f.b, f.r, f.t, f.cw, f.ch}, 48, 48, true), ref);
    EXPECT_EQ(draw({f.r, f.b, f.l, f.t, f.cw, f.ch}, 48, 48, true), ref);
    if (f.cw != 0) {
      EXPECT_EQ(draw({f.l, f.t, f.r, f.b, -f.cw, -f.ch}, 48, 48, true), ref);
    }
  }
}

TEST(CanvasEllipse, NotXorTwiceRestoresAndLeavesTheInterior) {
  for (const Box& f : randomFigures(5, 200)) {
    for (bool brush : {false, true})
      for (auto style : {gw::PenStyle::Solid, gw::PenStyle::Dot}) {
        Bitmap bmp(48, 48);
        Canvas cv(bmp);
        cv.setPenColor(gw::kBlack);
        cv.setPenMode(gw::PenMode::NotXor);
        cv.setPenStyle(style);
        if (brush)
          cv.setBrushColor(gw::kBlack);
        else
          cv.setBrushStyle(gw::BrushStyle::Clear);
        cv.setBackground(gw::BackgroundMode::Transparent, gw::kWhite);
        auto once = [&] {
          if (f.cw > 0)
            cv.roundRect(f.l, f.t, f.r, f.b, f.cw, f.ch);
          else
            cv.ellipse(f.l, f.t, f.r, f.b);
        };
        once();
        const Bitmap first = bmp;
        once();
        ASSERT_EQ(bmp, Bitmap(48, 48)) << "not restored: " << f.l << "," << f.t << "," << f.r << "," << f.b;
        if (brush && style == gw::PenStyle::Solid) {
          // The brush covers the outline too, so only the interior (the copy-mode fill) stays black.
          const Bitmap copy = draw(f, 48, 48, true);
          const int w = std::abs(f.r - f.l), h = std::abs(f.b - f.t);
          if (f.cw == 0 ? std::min(w, h) > 2 : std::min({f.cw, f.ch, w, h}) > 2) {
            for (int y = 0; y < 48; ++y)
              for (int x = 0; x < 48; ++x) ASSERT_EQ(first.pixel(x, y) == gw::kBlack, copy.pixel(x, y) == kGreen);
          }
        }
      }
  }
}

// Draws f on a small canvas and on one large enough to hold it whole, shifted by (dx, dy), and compares
// the small canvas with the matching part of the large one.
void expectClippedLikeWhole(const Box& f, int dx, int dy, int bigW, int bigH, gw::PenStyle style) {
  SCOPED_TRACE(testing::Message() << f.l << "," << f.t << "," << f.r << "," << f.b);
  const Bitmap small = draw(f, 40, 40, true, gw::PenMode::Copy, style);
  const Bitmap big = draw({f.l + dx, f.t + dy, f.r + dx, f.b + dy, f.cw, f.ch}, bigW, bigH, true, gw::PenMode::Copy, style);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(small.pixel(x, y), big.pixel(x + dx, y + dy)) << x << "," << y;
}

TEST(CanvasEllipse, ClippingDoesNotChangeThePixels) {
  const Box figures[] = {{-300, -200, 500, 400, 0, 0},  {-30, 5, 70, 35, 0, 0},    {10, -80, 30, 120, 0, 0},
                         {-50, -50, 45, 45, 0, 0},      {-400, -10, 39, 50, 0, 0}, {-300, -200, 500, 400, 90, 60},
                         {-100, -3, 100, 41, 301, 17},  {20, -60, 200, 20, 40, 120}};
  for (const Box& f : figures)
    for (auto style : {gw::PenStyle::Solid, gw::PenStyle::Dot}) expectClippedLikeWhole(f, 420, 220, 960, 640, style);
}

TEST(CanvasEllipse, HugeFiguresAreQuickAndClipped) {
  // Only the canvas's part of a figure is filled and stroked: figures of 200000 x 200000 pixels on a 32 x 32
  // canvas take a few milliseconds of processor time, where their whole area would take minutes.
  const gw::test::ChildRun run = gw::test::RunInChild(0, [] {
    Bitmap bmp(32, 32);
    Canvas cv(bmp);
    cv.setPenColor(kRed);
    cv.setBrushColor(kGreen);
    cv.ellipse(-100000, -100000, 100000, 100000);
    // The canvas lies well inside the circle: all brush.
    if (bmp.pixel(0, 0) != kGreen || bmp.pixel(31, 31) != kGreen) return "the circle's inside is not brush";
    cv.roundRect(-100000, 5, 100000, 100000, 200000, 40);
    // The flat top edge crosses the canvas.
    if (bmp.pixel(16, 5) != kRed || bmp.pixel(16, 4) != kGreen) return "the top edge is not where it belongs";
    return "drawn";
  }, 1);
  ASSERT_TRUE(run.finished) << "stopped after " << run.cpuMs << " ms of processor time";
  EXPECT_EQ(run.outcome, "drawn");
}

TEST(CanvasEllipse, OutlineFollowsTheTrueEllipse) {
  // Every outline pixel centre lies within about a pixel of the inscribed ellipse, also for corner ellipses
  // too large for 64-bit error terms.
  struct Case {
    long long l, t, r, b;
    int canvas;
  };
  const Case cases[] = {{0, 0, 47, 31, 48}, {0, -150000, 600001, 150000, 64}, {-5000000, -40, 5000000, 40, 64}};
  for (const Case& c : cases) {
    Bitmap bmp(c.canvas, c.canvas);
    Canvas cv(bmp);
    cv.setPenColor(kRed);
    cv.setBrushStyle(gw::BrushStyle::Clear);
    cv.ellipse(static_cast<int>(c.l), static_cast<int>(c.t), static_cast<int>(c.r), static_cast<int>(c.b));
    const double cx = static_cast<double>(c.l + c.r - 1) / 2, cy = static_cast<double>(c.t + c.b - 1) / 2;
    const double rx = static_cast<double>(c.r - c.l - 1) / 2, ry = static_cast<double>(c.b - c.t - 1) / 2;
    int drawn = 0;
    for (int y = 0; y < c.canvas; ++y)
      for (int x = 0; x < c.canvas; ++x) {
        if (bmp.pixel(x, y) != kRed) continue;
        ++drawn;
        // Distance from the curve, measured along the normal of the implicit function.
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        const double f = u * u + v * v - 1;
        const double grad = 2 * std::hypot(u / rx, v / ry);
        EXPECT_LT(std::abs(f) / grad, 1.0) << x << "," << y << " of box " << c.l << "," << c.t;
      }
    EXPECT_GT(drawn, 10);
  }
}

TEST(CanvasEllipse, OutOfRangeAndEmptyFiguresDrawNothing) {
  const Box figures[] = {{INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0},
                         {-(1 << 28), 0, 10, 10, 0, 0},
                         {5, 5, 5, 20, 0, 0},
                         {5, 5, 20, 5, 8, 8},
                         {-100, -100, -10, -10, 0, 0},
                         {50, 50, 90, 90, 8, 8}};
  for (const Box& f : figures) EXPECT_EQ(draw(f, 40, 40, true), Bitmap(40, 40)) << f.l << "," << f.t;
}

TEST(CanvasEllipse, DottedBrushShowsThroughTransparentGaps) {
  // The brush covers the whole figure before the pen draws, so with a transparent background the gaps of a
  // dotted outline keep the brush colour.
  Bitmap bmp(24, 24);
  Canvas cv(bmp);
  cv.setPenStyle(gw::PenStyle::Dot);
  cv.setBrushColor(kGreen);
  cv.setBackground(gw::BackgroundMode::Transparent, gw::kWhite);
  cv.ellipse(2, 2, 22, 18);
  int pen = 0, brush = 0;
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      pen += bmp.pixel(x, y) == gw::kBlack;
      brush += bmp.pixel(x, y) == kGreen;
    }
  EXPECT_GT(pen, 20);
  // The outline's first pixel, the right end of the middle row of the upper half, starts the pattern "on".
  EXPECT_EQ(bmp.pixel(21, 9), gw::kBlack);
  // The top row is outline only: its gaps show the brush, none stays white.
  int topPen = 0, topBrush = 0;
  for (int x = 2; x < 22; ++x) {
    topPen += bmp.pixel(x, 2) == gw::kBlack;
    topBrush += bmp.pixel(x, 2) == kGreen;
  }
  EXPECT_GT(topPen, 0);
  EXPECT_GT(topBrush, 0);
  EXPECT_EQ(bmp.pixel(12, 10), kGreen);
  EXPECT_GT(brush, 200);
}

}  // namespace
