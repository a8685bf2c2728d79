// The convolution filters: exact values on one pixel and on steps, the near-white and mask rules, the
// border, and one undo state per filter.
#include <gtest/gtest.h>

#include "imageops/core/Filters.h"
#include "tests/imageops/OpsImage.h"

namespace gw {
namespace {

constexpr int kSize = 16, kX = 5, kY = 5;  // (kX, kY): the lone pixel

class FilterTest : public ::testing::Test {
 protected:
  // A field of one colour and mask (filled in `type`) with a different opaque-or-not pixel at (kX, kY).
  void LonePixel(Color field, Color fieldMask, Color lone, Color loneMask, int type = kTypeTrueColor) {
    StartImage(s, type, kSize);
    Paint(s, [=](int x, int y) { return x == kX && y == kY ? lone : field; },
          [=](int x, int y) { return x == kX && y == kY ? loneMask : fieldMask; });
  }
  Color At(int dx, int dy) const { return s.iconimage.pixel(kX + dx, kY + dy); }
  EditorState s;
};

struct MeanCase {
  Filter filter;
  Color field, lone;
  int centre, edge, corner;  // channels of the lone pixel and its side and corner neighbours
};

TEST_F(FilterTest, BlursAndSharpenersOfOnePixel) {
  const MeanCase cases[] = {
      {Filter::SlightBlur, kWhite, kBlack, 85, 244, 244},   {Filter::MoreBlur, kWhite, kBlack, 145, 236, 236},
      {Filter::EvenMoreBlur, kWhite, kBlack, 226, 226, 226}, {Filter::GaussianBlur, kWhite, kBlack, 191, 223, 239},
      {Filter::SharpenBasic, Grey(100), Grey(120), 173, 86, 100},
      {Filter::SharpenMeanRemoval, Grey(100), Grey(120), 255, 80, 80}};
  for (const MeanCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.filter));
    LonePixel(c.field, kWhite, c.lone, kWhite);
    const Bitmap image = s.iconimage, mask = s.iconmask;
    RunFilter(s, c.filter);
    EXPECT_EQ(At(0, 0), Grey(c.centre));
    EXPECT_EQ(At(1, 0), Grey(c.edge));
    EXPECT_EQ(At(0, -1), Grey(c.edge));
    EXPECT_EQ(At(-1, 1), Grey(c.corner));
    EXPECT_EQ(At(3, 3), c.field);
    // A blur makes what it changed opaque and leaves the white around it transparent; sharpeners leave the
    // mask alone.
    const bool blur = c.field == kWhite;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x)
        ASSERT_EQ(s.iconmask.pixel(x, y), blur && std::abs(x - kX) <= 1 && std::abs(y - kY) <= 1 ? kBlack : kWhite);
    EXPECT_EQ(s.PlacementCanvas.pixel(s.CurrentPlacementRect.left + kX, s.CurrentPlacementRect.top + kY), At(0, 0));
    EXPECT_EQ(s.UndoTop, 2);
    ASSERT_TRUE(UndoStep(s));
    EXPECT_TRUE(s.iconimage == image && s.iconmask == mask);
  }
}

TEST_F(FilterTest, NearWhiteSnapsToWhiteByTheTypesChannelsAndTheBorderStays) {
  const std::tuple<int, Color, Color> cases[] = {{kTypeTrueColor, Grey(252), kWhite},
                                                 {kTypeTrueColor, MakeColor(0, 252, 252), MakeColor(0, 252, 252)},
                                                 {kTypeMono, MakeColor(0, 252, 252), kAqua}};
  for (const auto& [type, fill, interior] : cases) {
    LonePixel(fill, kBlack, fill, kBlack, type);
    RunFilter(s, Filter::SlightBlur);
    EXPECT_EQ(s.iconimage.pixel(3, 3), interior) << fill;
    EXPECT_EQ(s.iconimage.pixel(0, 3), fill);
    EXPECT_EQ(s.iconmask.pixel(3, 3), kBlack);
  }
}

struct EdgeCase {
  int dx, dy, value;
};

TEST_F(FilterTest, SobelOfOneWhitePixelHoldsStrongEdgesBlack) {
  LonePixel(kBlack, kBlack, kWhite, kBlack);
  RunFilter(s, Filter::Sobel);
  // (-1, 1) sums to 510, which stays black instead of wrapping round to light.
  const EdgeCase cases[] = {{0, 0, 255}, {-1, 0, 0}, {1, 0, 255}, {0, -1, 255}, {0, 1, 0},
                            {-1, -1, 0}, {-1, 1, 0}, {1, 1, 0},   {1, -1, 255}, {4, 4, 255}};
  for (const EdgeCase& c : cases) EXPECT_EQ(At(c.dx, c.dy), Grey(c.value)) << c.dx << "," << c.dy;
  EXPECT_EQ(s.iconimage.pixel(0, 7), kWhite);  // border: TransparentColor
  EXPECT_EQ(s.iconmask, Bitmap(kSize, kSize, kBlack));
}

TEST_F(FilterTest, SobelOnStepsSeesFallingEdgesOnly) {
  // {step down the image (else across), light side first, light value, value next to the step on its
  // upper or left side}
  const std::tuple<bool, bool, int, int> cases[] = {
      {true, false, 60, 15}, {true, false, 100, 0}, {false, false, 60, 255}, {false, true, 60, 15}};
  const int h = kSize / 2;
  for (const auto& [vertical, lightFirst, value, expected] : cases) {
    StartImage(s, kTypeTrueColor, kSize);
    Paint(s, [&](int x, int y) { return ((vertical ? x : y) < h) == lightFirst ? Grey(value) : kBlack; },
          [](int, int) { return kBlack; });
    RunFilter(s, Filter::Sobel);
    EXPECT_EQ(vertical ? s.iconimage.pixel(h - 1, 4) : s.iconimage.pixel(4, h - 1), Grey(expected));
    EXPECT_EQ(s.iconimage.pixel(h + 3, h + 3), kWhite);  // flat
  }
}

TEST_F(FilterTest, LaplaceHoldsStrongEdgesBlackWithinATwoPixelBorder) {
  const std::pair<int, int> cases[] = {{255, 0}, {4, 63}, {5, 15}, {6, 0}};  // 255 - 2 x 24v, held at 0
  for (const auto& [lone, centre] : cases) {
    LonePixel(kBlack, kBlack, Grey(lone), kBlack);
    RunFilter(s, Filter::Laplace);
    EXPECT_EQ(At(0, 0), Grey(centre)) << lone;
    EXPECT_EQ(At(2, 2), kWhite);
    EXPECT_EQ(s.iconimage.pixel(1, 8), kWhite);
    EXPECT_EQ(s.iconmask.pixel(1, 8), kBlack);
  }
}

TEST_F(FilterTest, EdgeDetectorsOnMonochromeGiveOpaqueAquaWithRedZero) {
  for (Filter f : {Filter::Sobel, Filter::Laplace}) {
    LonePixel(kBlack, kWhite, kBlack, kWhite, kTypeMono);
    RunFilter(s, f);
    EXPECT_EQ(s.iconimage.pixel(7, 7), kAqua);
    EXPECT_EQ(s.iconimage.pixel(0, 0), kAqua);
    EXPECT_EQ(s.iconmask.pixel(7, 7), kBlack);
  }
}

}  // namespace
}  // namespace gw
