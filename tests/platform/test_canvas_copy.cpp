// Edge cases of copies, flood fills, regions and palettes beyond the reference sets.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <algorithm>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Palette.h"
#include "platform/Region.h"
#include "tests/common/MemoryInChild.h"

namespace {

using gw::Bitmap;
using gw::Canvas;
using gw::Color;
using gw::Point;
using gw::Rect;

constexpr Color kGreen = gw::MakeColor(0, 255, 0);

Bitmap numbered(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, static_cast<Color>((y << 10) | x));
  return b;
}

TEST(CanvasCopy, CopyWithinOneBitmapReadsTheSourceBeforeWriting) {
  Bitmap bmp = numbered(20, 20);
  const Bitmap before = bmp;
  Canvas c(bmp);
  // Overlapping, shifted right and down by 3, and stretched 2x: every pixel must come from the old image.
  c.copyRect({3, 3, 19, 19}, bmp, {0, 0, 8, 8});
  for (int y = 3; y < 19; ++y)
    for (int x = 3; x < 19; ++x) ASSERT_EQ(bmp.pixel(x, y), before.pixel((x - 3) / 2, (y - 3) / 2)) << x << "," << y;
  EXPECT_EQ(bmp.pixel(2, 2), before.pixel(2, 2));
  EXPECT_EQ(bmp.pixel(19, 19), before.pixel(19, 19));

  // Same result as copying from a separate bitmap, also when mirrored in place.
  Bitmap a = numbered(16, 16), b = numbered(16, 16);
  const Bitmap src = a;
  Canvas ca(a), cb(b);
  ca.copyRect({16, 0, 0, 16}, a, {0, 0, 16, 16});
  cb.copyRect({16, 0, 0, 16}, src, {0, 0, 16, 16});
  EXPECT_EQ(a, b);
}

TEST(CanvasCopy, SourceOutsideItsBitmapLeavesTheDestinationAlone) {
  const Bitmap src = numbered(4, 4);
  Bitmap dst(8, 8, gw::kWhite);
  Canvas c(dst);
  c.copyRect({0, 0, 8, 8}, src, {-2, -2, 6, 6});  // 1:1, only the middle 4x4 of dst has a source
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 2 && y < 6;
      EXPECT_EQ(dst.pixel(x, y), inside ? src.pixel(x - 2, y - 2) : gw::kWhite) << x << "," << y;
    }
  // Empty rectangles and destinations wholly outside change nothing.
  const Bitmap kept = dst;
  c.copyRect({0, 0, 0, 8}, src, {0, 0, 4, 4});
  c.copyRect({0, 0, 8, 8}, src, {0, 0, 4, 0});
  c.copyRect({100, 100, 140, 140}, src, {0, 0, 4, 4});
  c.copyRect({-40, 0, -8, 8}, src, {0, 0, 4, 4});
  c.copyRect({INT32_MIN, 0, INT32_MAX, 8}, src, {0, 0, 4, 4});  // beyond any coordinate: ignored
  EXPECT_EQ(dst, kept);
}

TEST(CanvasCopy, ShrinkingMergesOnlyInBlackOnWhite) {
  Bitmap src(4, 1, gw::kWhite);
  src.setPixel(0, 0, gw::kBlack);  // black in the first column of the first pair
  Bitmap coc(2, 1), bow(2, 1);
  Canvas(coc).copyRect({0, 0, 2, 1}, src, {0, 0, 4, 1}, gw::StretchMode::ColorOnColor);
  Canvas(bow).copyRect({0, 0, 2, 1}, src, {0, 0, 4, 1}, gw::StretchMode::BlackOnWhite);
  EXPECT_EQ(coc.pixel(0, 0), gw::kWhite);  // columns take the last of each pair
  EXPECT_EQ(bow.pixel(0, 0), gw::kBlack);  // black wins
  EXPECT_EQ(bow.pixel(1, 0), gw::kWhite);
}

TEST(CanvasFloodFill, FillsALargeWindingAreaWithoutDeepRecursion) {
  // A 340x340 serpentine: walls on every other row, each open at alternating ends, so the fill follows one
  // path about 58000 pixels long.
  Bitmap bmp(340, 340, gw::kWhite);
  for (int y = 1; y < 340; y += 2)
    for (int x = 0; x < 340; ++x)
      if (x != ((y / 2) % 2 == 0 ? 339 : 0)) bmp.setPixel(x, y, gw::kBlack);
  // Filled in a child whose processor time is capped and whose address space may grow by 1 MB (uncapped
  // under the sanitizers): a call for each pixel of the path would take more stack than that. The fill
  // itself takes a millisecond or two.
  const gw::test::ChildRun run = gw::test::RunInChild(gw::test::kSanitized ? 0 : 1L << 20, [&bmp] {
    Canvas c(bmp);
    c.setBrushColor(kGreen);
    if (!c.floodFillSurface(0, 0, gw::kWhite)) return std::string("refused");
    int white = 0, green = 0;
    for (int y = 0; y < 340; ++y)
      for (int x = 0; x < 340; ++x) {
        white += bmp.pixel(x, y) == gw::kWhite;
        green += bmp.pixel(x, y) == kGreen;
      }
    return std::to_string(white) + " white, " + std::to_string(green) + " green";
  }, 1);
  ASSERT_TRUE(run.finished) << "stopped after " << run.cpuMs << " ms of processor time";
  EXPECT_EQ(run.outcome, "0 white, " + std::to_string(170 * 340 + 170) + " green");

  // A checkerboard: every white cell is its own area (no diagonal steps).
  Bitmap board(340, 340);
  for (int y = 0; y < 340; ++y)
    for (int x = 0; x < 340; ++x) board.setPixel(x, y, (x + y) % 2 ? gw::kBlack : gw::kWhite);
  Canvas cb(board);
  cb.setBrushColor(kGreen);
  EXPECT_TRUE(cb.floodFillSurface(10, 10, gw::kWhite));
  EXPECT_EQ(board.pixel(10, 10), kGreen);
  EXPECT_EQ(board.pixel(11, 11), gw::kWhite);
}

TEST(CanvasFloodFill, RefusedStartsAndFillingWithTheSurfaceColour) {
  Bitmap bmp(8, 8, gw::kWhite);
  Canvas c(bmp);
  c.setBrushColor(kGreen);
  EXPECT_FALSE(c.floodFillSurface(-1, 0, gw::kWhite));
  EXPECT_FALSE(c.floodFillSurface(8, 3, gw::kWhite));
  EXPECT_FALSE(c.floodFillSurface(3, 3, gw::kBlack));
  EXPECT_EQ(bmp, Bitmap(8, 8, gw::kWhite));
  c.setBrushColor(gw::kWhite);
  EXPECT_TRUE(c.floodFillSurface(3, 3, gw::kWhite));  // terminates; nothing to change
  EXPECT_EQ(bmp, Bitmap(8, 8, gw::kWhite));
}

// Point-by-point winding number with the region's edge rule, for comparison.
bool windingInside(const std::vector<Point>& pts, int x, int y) {
  int wind = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    const Point a = pts[i], b = pts[(i + 1) % pts.size()];
    if (a.y == b.y) continue;
    const Point lo = a.y < b.y ? a : b, hi = a.y < b.y ? b : a;
    if (y < lo.y || y >= hi.y) continue;
    // crossing strictly right of x: x * dy < lo.x * dy + (y - lo.y) * dx
    const std::int64_t dy = hi.y - lo.y, dx = hi.x - lo.x;
    if (static_cast<std::int64_t>(x) * dy < static_cast<std::int64_t>(lo.x) * dy + (y - lo.y) * dx)
      wind += a.y < b.y ? 1 : -1;
  }
  return wind != 0;
}

std::vector<Point> starPolygon(int n, int step, double cx, double cy, double radius) {
  std::vector<Point> pts;
  for (int i = 0; i < n; ++i) {
    const double a = 2 * std::numbers::pi * static_cast<double>((i * step) % n) / n;
    pts.push_back({static_cast<int>(std::lround(cx + radius * std::cos(a))),
                   static_cast<int>(std::lround(cy + radius * std::sin(a)))});
  }
  return pts;
}

TEST(RegionPolygon, ThousandPointOutlinesMatchThePointRule) {
  // A region is built row by row from the edges that cross each row, not pixel by pixel from all the edges:
  // a 4000-row outline of 1024 points around the canvas takes a few milliseconds of processor time, not
  // billions of steps.
  const gw::test::ChildRun run = gw::test::RunInChild(0, [] {
    const gw::Region rgn = gw::Region::polygon(starPolygon(1024, 1, 170, 170, 1998));
    Bitmap bmp(340, 340, gw::kWhite);
    Canvas c(bmp);
    rgn.fill(c, kGreen);
    const bool filled = bmp.pixel(0, 0) == kGreen && bmp.pixel(339, 339) == kGreen;
    return std::to_string(rgn.box().bottom - rgn.box().top) + (filled ? " rows, canvas filled" : " rows");
  }, 2);
  ASSERT_TRUE(run.finished) << "stopped after " << run.cpuMs << " ms of processor time";
  EXPECT_EQ(run.outcome, "3996 rows, canvas filled");
  for (int step : {1, 337}) {  // a round outline, and a self-crossing star
    const auto pts = starPolygon(1024, step, 170, 170, 168);
    const gw::Region rgn = gw::Region::polygon(pts);
    Bitmap bmp(340, 340, gw::kWhite);
    Canvas c(bmp);
    rgn.fill(c, kGreen);
    Rect box{1000, 1000, -1000, -1000};
    for (int y = -2; y < 342; ++y)
      for (int x = -2; x < 342; ++x) {
        const bool want = windingInside(pts, x, y);
        ASSERT_EQ(rgn.contains(x, y), want) << "step " << step << " at " << x << "," << y;
        if (bmp.contains(x, y)) {
          ASSERT_EQ(bmp.pixel(x, y) == kGreen, want);
        }
        if (want) box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1), std::max(box.bottom, y + 1)};
      }
    EXPECT_EQ(rgn.box(), box);
    EXPECT_EQ(rgn.kind(), gw::Region::Kind::Complex);
  }
}

TEST(RegionPolygon, DegenerateAndRectangularPolygons) {
  EXPECT_EQ(gw::Region::polygon({}).kind(), gw::Region::Kind::Null);
  const std::vector<Point> two{{0, 0}, {5, 5}};
  EXPECT_EQ(gw::Region::polygon(two).box(), (Rect{0, 0, 0, 0}));
  const std::vector<Point> flat{{0, 3}, {9, 3}, {4, 3}};
  EXPECT_EQ(gw::Region::polygon(flat).kind(), gw::Region::Kind::Null);
  // A rectangle traced either way round: left and top edges in, right and bottom out.
  for (bool reversed : {false, true}) {
    std::vector<Point> r{{2, 3}, {7, 3}, {7, 9}, {2, 9}};
    if (reversed) std::reverse(r.begin(), r.end());
    const gw::Region rgn = gw::Region::polygon(r);
    EXPECT_EQ(rgn.kind(), gw::Region::Kind::Simple);
    EXPECT_EQ(rgn.box(), (Rect{2, 3, 7, 9}));
    EXPECT_TRUE(rgn.contains(2, 3));
    EXPECT_FALSE(rgn.contains(7, 5));
    EXPECT_FALSE(rgn.contains(4, 9));
  }
  // Absurd coordinates stay bounded and keep working near the canvas.
  const std::vector<Point> huge{{-2000000000, -2000000000}, {2000000000, -2000000000}, {0, 2000000000}};
  const gw::Region big = gw::Region::polygon(huge);
  EXPECT_TRUE(big.contains(0, 0));
  EXPECT_TRUE(big.contains(339, 339));
}

TEST(PaletteNearest, EmptyPaletteAndTies) {
  EXPECT_EQ(gw::Palette().nearestIndex(gw::kWhite), -1);
  const std::vector<Color> entries{gw::MakeColor(0, 0, 0), gw::MakeColor(10, 0, 0), gw::MakeColor(10, 0, 0),
                                   gw::MakeColor(0, 0, 10)};
  const gw::Palette p(entries);
  EXPECT_EQ(p.nearestIndex(gw::MakeColor(10, 0, 0)), 1);  // duplicate: lower index
  EXPECT_EQ(p.nearestIndex(gw::MakeColor(5, 0, 0)), 0);   // equal distance to 0 and 1
  EXPECT_EQ(p.nearestIndex(gw::MakeColor(0, 0, 9)), 3);
  EXPECT_EQ(p.entry(3), gw::MakeColor(0, 0, 10));
}

}  // namespace
