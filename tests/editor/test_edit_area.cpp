// The edit area: zoom and home squares per size, the pixel/cell transforms at their edges, the magnified
// redraw and the placement canvas invariants.
#include <gtest/gtest.h>

#include "editor/core/EditArea.h"
#include "platform/Canvas.h"
#include "tests/editor/BlankImage.h"

namespace gw {
namespace {

// --- Per-size constants ----------------------------------------------------------------------------------

TEST(EditAreaSizes, ZoomAndHomeSquareForEverySize) {
  struct Row { int size, zoom, magnified; Rect home; };
  const Row rows[] = {{16, 20, 320, {24, 24, 40, 40}},     {24, 13, 312, {36, 36, 60, 60}},
                      {32, 10, 320, {48, 48, 80, 80}},     {40, 8, 320, {60, 60, 100, 100}},
                      {48, 7, 336, {72, 72, 120, 120}},    {56, 6, 336, {84, 84, 140, 140}},
                      {64, 5, 320, {96, 96, 160, 160}}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.size);
    EXPECT_EQ(CellSizeFor(r.size), r.zoom);
    EXPECT_EQ(r.size * CellSizeFor(r.size), r.magnified);
    EXPECT_EQ(PlacementRectFor(r.size), r.home);
  }
  EXPECT_EQ(CellSizeFor(100), 0);
}

// --- Transforms ------------------------------------------------------------------------------------------

TEST(PixelToCell, EdgePixelsBelongToTheCellBefore) {
  const int z = 10;
  const std::pair<int, int> cases[] = {{0, 0}, {1, 0}, {10, 0}, {11, 1}, {20, 1}, {21, 2},
                                       {320, 31}, {-5, 0}, {-10, -2}, {-11, -1}, {-20, -3}};
  for (auto [pixel, cell] : cases) {
    SCOPED_TRACE(pixel);
    EXPECT_EQ(PixelToCell({pixel, 0}, z).x, cell);
    EXPECT_EQ(PixelToCell({0, pixel}, z).y, cell);
  }
}

TEST(PixelToCell, OddZoomAndAxesIndependent) {
  EXPECT_EQ(PixelToCell({13, 14}, 13), (Point{0, 1}));
  EXPECT_EQ(PixelToCell({312, 26}, 13), (Point{23, 1}));
  EXPECT_EQ(PixelToCell({27, 0}, 13), (Point{2, 0}));
}

TEST(CellTransforms, RectanglesHaveNoEdgeCorrection) {
  EXPECT_EQ(PixelRectToCellRect({10, 20, 35, 40}, 10), (Rect{1, 2, 3, 4}));
  EXPECT_EQ(PixelRectToCellRect({-15, -10, 9, 0}, 10), (Rect{-1, -1, 0, 0}));  // truncation toward zero
  EXPECT_EQ(CellToPixel({3, 31}, 10), (Point{30, 310}));
  EXPECT_EQ(CellToPixel({-1, 0}, 7), (Point{-7, 0}));
  EXPECT_EQ(CellRectToPixelRect({1, 2, 3, 4}, 13), (Rect{13, 26, 39, 52}));
}

TEST(SplitColor, ChannelsFromTheLowByteUp) {
  const RGBParts p = SplitColor(0xF0CAA6);
  EXPECT_EQ(p.red, 0xA6);
  EXPECT_EQ(p.green, 0xCA);
  EXPECT_EQ(p.blue, 0xF0);
  const RGBParts top = SplitColor(0xFF123456);  // the top byte is ignored
  EXPECT_EQ(top.red, 0x56);
  EXPECT_EQ(top.green, 0x34);
  EXPECT_EQ(top.blue, 0x12);
}

// --- Redraw and placement canvas --------------------------------------------------------------------------

class PlacementTest : public ::testing::Test {
 protected:
  // A 24 x 24 image with a recognisable pattern: pixel (x, y) has colour x + 256 y, the mask a diagonal.
  void SetUp() override {
    s.IconSize = S;
    s.CellSize = CellSizeFor(S);
    s.IconRect = {0, 0, S, S};
    s.EditAreaRect = {0, 0, S * s.CellSize, S * s.CellSize};
    s.CurrentPlacementRect = PlacementRectFor(S);
    s.TransparentColor = kAqua;
    s.iconimage.resize(S, S);
    s.iconmask.resize(S, S, kWhite);
    for (int y = 0; y < S; ++y)
      for (int x = 0; x < S; ++x) {
        s.iconimage.setPixel(x, y, static_cast<Color>(x + 256 * y));
        if (x == y) s.iconmask.setPixel(x, y, kBlack);
      }
    s.editarea.resize(S * s.CellSize, S * s.CellSize, kWhite);
    ResizePlacementCanvas(s, 4 * S);
  }
  bool HoldsImageAt(const Rect& r) const {
    for (int y = 0; y < S; ++y)
      for (int x = 0; x < S; ++x) {
        if (s.PlacementCanvas.pixel(r.left + x, r.top + y) != s.iconimage.pixel(x, y)) return false;
        if (s.PlacementMask.pixel(r.left + x, r.top + y) != s.iconmask.pixel(x, y)) return false;
      }
    return true;
  }
  static constexpr int S = 24;
  EditorState s;
};

TEST_F(PlacementTest, ResizeClearsToTransparent) {
  EXPECT_EQ(s.PlacementCanvas.width(), 96);
  EXPECT_EQ(s.PlacementCanvas.height(), 96);
  EXPECT_EQ(s.PlacementMask.width(), 96);
  EXPECT_EQ(s.PlacementCanvas.pixel(95, 95), kAqua);
  EXPECT_EQ(s.PlacementMask.pixel(0, 0), kWhite);
}

TEST_F(PlacementTest, RefreshMagnifiesIntoExactBlocks) {
  RefreshEditArea(s);
  const int z = s.CellSize;  // 13
  for (const Point cell : {Point{0, 0}, Point{5, 7}, Point{23, 23}}) {
    const Color c = s.iconimage.pixel(cell.x, cell.y);
    EXPECT_EQ(s.editarea.pixel(cell.x * z, cell.y * z), c);
    EXPECT_EQ(s.editarea.pixel(cell.x * z + z - 1, cell.y * z + z - 1), c);
  }
  EXPECT_EQ(s.editarea.pixel(13, 0), s.iconimage.pixel(1, 0));
}

TEST(EditAreaRefresh, EqualsTheStretchedCopyForEverySize) {
  for (const int size : {16, 24, 32, 40, 48, 56, 64}) {
    EditorState s;
    LayOutBlankImage(s, size);
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) s.iconimage.setPixel(x, y, MakeColor(x * 3, y * 5, x ^ y));
    Bitmap want(s.editarea.width(), s.editarea.height());
    Canvas(want).copyRect(s.EditAreaRect, s.iconimage, s.IconRect);
    RefreshEditArea(s);
    EXPECT_TRUE(s.editarea == want) << size;
  }
}

TEST_F(PlacementTest, ResetPutsTheImageAtTheRectangleAndClearsTheRest) {
  s.PlacementCanvas.setPixel(2, 2, 0x123456);  // left over from an earlier import
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  EXPECT_EQ(s.CurrentPlacementRect, (Rect{36, 36, 60, 60}));
  EXPECT_TRUE(HoldsImageAt({36, 36, 60, 60}));
  EXPECT_EQ(s.PlacementWindowRect, (Rect{36, 36, 60, 60}));
  EXPECT_EQ(s.PlacementCanvas.pixel(2, 2), kAqua);
  EXPECT_EQ(s.PlacementCanvas.pixel(35, 36), kAqua);
  EXPECT_EQ(s.PlacementCanvas.pixel(60, 59), kAqua);
  EXPECT_EQ(s.PlacementMask.pixel(35, 35), kWhite);

  const Rect moved{37, 36, 61, 60};
  ResetPlacementCanvas(s, moved);
  EXPECT_TRUE(HoldsImageAt(moved));
  EXPECT_EQ(s.PlacementWindowRect, moved);
  EXPECT_EQ(s.PlacementCanvas.pixel(36, 36), kAqua);  // the old column is cleared
}

TEST_F(PlacementTest, SyncWritesHomeAndKeepsTheRest) {
  ResetPlacementCanvas(s, {37, 36, 61, 60});       // as after a nudge to the right
  s.PlacementCanvas.setPixel(5, 90, 0x00ABCDEF);   // outside the home square
  SyncPlacementCanvas(s);
  EXPECT_TRUE(HoldsImageAt({36, 36, 60, 60}));
  EXPECT_EQ(s.PlacementWindowRect, s.CurrentPlacementRect);
  EXPECT_EQ(s.PlacementCanvas.pixel(5, 90), 0x00ABCDEFu);
  // The column the nudged image reached beyond home keeps its content.
  EXPECT_EQ(s.PlacementCanvas.pixel(60, 40), s.iconimage.pixel(S - 1, 4));
}

TEST_F(PlacementTest, CopyIconImageAndFillImage) {
  Bitmap dst(S, S, kBlack);
  CopyIconImage(s, s.iconimage, dst);
  EXPECT_EQ(dst, s.iconimage);
  FillImage(dst, 0x00FF00);
  EXPECT_EQ(dst.pixel(0, 0), 0x00FF00u);
  EXPECT_EQ(dst.pixel(S - 1, S - 1), 0x00FF00u);
}

}  // namespace
}  // namespace gw
