// Contrast, brightness and the gradient fill: exact channels, the mask rules, the palette reduction and one
// undo state per change.
#include <gtest/gtest.h>

#include <algorithm>

#include "imageops/core/Adjustments.h"
#include "tests/imageops/OpsImage.h"

namespace gw {
namespace {

class AdjustTest : public ::testing::Test {
 protected:
  void Fill(int type, int size, Color colour, Color mask) {
    StartImage(s, type, size);
    Paint(s, [=](int, int) { return colour; }, [=](int, int) { return mask; });
  }
  EditorState s;
};

struct ContrastCase {
  int type;
  Color colour, mask;
  int position;  // of the dialog's bar, centre 50
  Color expected, expectedMask;
};

TEST_F(AdjustTest, ContrastFromTheKeptCopyByPosition) {
  const ContrastCase cases[] = {
      {kTypeTrueColor, Grey(127), kBlack, 0, Grey(177), kBlack},
      {kTypeTrueColor, Grey(128), kBlack, 0, Grey(78), kBlack},
      {kTypeTrueColor, Grey(130), kBlack, 0, Grey(80), kBlack},
      {kTypeTrueColor, Grey(255), kBlack, 0, Grey(205), kBlack},
      {kTypeTrueColor, Grey(127), kBlack, 100, Grey(77), kBlack},
      {kTypeTrueColor, Grey(128), kBlack, 100, Grey(178), kBlack},
      {kTypeTrueColor, Grey(130), kBlack, 100, Grey(180), kBlack},
      {kTypeTrueColor, Grey(255), kBlack, 100, kWhite, kBlack},
      {kTypeTrueColor, Grey(130), kBlack, 50, Grey(130), kBlack},
      // Transparent white: raised or unchanged it stays transparent; lowered it turns grey and opaque.
      {kTypeTrueColor, kWhite, kWhite, 0, Grey(205), kBlack},
      {kTypeTrueColor, kWhite, kWhite, 50, kWhite, kWhite},
      {kTypeTrueColor, kWhite, kWhite, 100, kWhite, kWhite},
      {kTypeTrueColor, kWhite, kBlack, 100, kWhite, kBlack},
      // Monochrome keeps its aqua transparency the same way; opaque white stays opaque.
      {kTypeMono, kAqua, kWhite, 0, MakeColor(50, 205, 205), kBlack},
      {kTypeMono, kAqua, kWhite, 50, kAqua, kWhite},
      {kTypeMono, kAqua, kWhite, 100, kAqua, kWhite},
      {kTypeCursor, kWhite, kBlack, 100, kWhite, kBlack},
  };
  for (const ContrastCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.colour << " at " << c.position);
    Fill(c.type, 16, c.colour, c.mask);
    const Bitmap keptImage = s.iconimage, keptMask = s.iconmask;
    // Something drawn meanwhile does not count: the result comes from the kept copy.
    s.iconimage.setPixel(3, 3, kBlack);
    const int top = s.UndoTop;
    AdjustContrast(s, c.position > 50, std::abs(c.position - 50), 127, keptMask, keptImage);
    EXPECT_EQ(s.UndoTop, top + 1);
    EXPECT_TRUE(s.Modified);
    EXPECT_EQ(s.iconimage.pixel(3, 3), c.expected);
    EXPECT_EQ(s.iconmask.pixel(8, 8), c.expectedMask);
    EXPECT_EQ(s.PlacementCanvas.pixel(s.CurrentPlacementRect.left, s.CurrentPlacementRect.top), c.expected);
  }
}

TEST_F(AdjustTest, BrightnessStepsOpaquePixelsAndSkipsTransparentOnes) {
  StartImage(s, kTypeTrueColor, 16);
  Paint(s, [](int x, int) { return x == 0 ? Grey(200) : Grey(250); }, [](int x, int) { return x == 0 ? kWhite : kBlack; });
  AdjustBrightness(s, true, 10);
  EXPECT_EQ(s.iconimage.pixel(4, 4), kWhite);
  AdjustBrightness(s, false, 10);
  EXPECT_EQ(s.iconimage.pixel(4, 4), Grey(245));
  EXPECT_EQ(s.iconimage.pixel(0, 4), Grey(200));
  EXPECT_EQ(s.iconmask.pixel(0, 4), kWhite);
  EXPECT_EQ(s.UndoTop, 3);
  for (int k = 0; k < 30; ++k) AdjustBrightness(s, false, 10);
  EXPECT_EQ(s.iconimage.pixel(4, 4), kBlack);
}

// The channel of each line the fill painted.
std::vector<int> Ramp(const EditorState& s, bool horizontal) {
  std::vector<int> out;
  for (int k = 0; k < s.IconSize; ++k) {
    const Color c = horizontal ? s.iconimage.pixel(k, 3) : s.iconimage.pixel(3, k);
    EXPECT_EQ(c, Grey(RedOf(c)));
    // Constant along the line.
    EXPECT_EQ(horizontal ? s.iconimage.pixel(k, s.IconSize - 1) : s.iconimage.pixel(s.IconSize - 1, k), c);
    out.push_back(RedOf(c));
  }
  return out;
}

struct GradientCase {
  int size;
  Color from, to;
  int first, step;
};

TEST_F(AdjustTest, GradientStepsEvenlyPerLineInEitherOrientation) {
  const GradientCase cases[] = {{32, kBlack, kWhite, 0, 8}, {32, kWhite, kBlack, 255, -7}, {16, Grey(100), Grey(110), 100, 0}};
  for (const GradientCase& c : cases) {
    for (int orientation : {kGradientVertical, kGradientHorizontal}) {
      StartImage(s, kTypeTrueColor, c.size);
      GradientFill(s, c.from, c.to, false, orientation);
      const std::vector<int> ramp = Ramp(s, orientation == kGradientHorizontal);
      for (int k = 0; k < c.size; ++k) ASSERT_EQ(ramp[static_cast<std::size_t>(k)], c.first + k * c.step) << k;
      EXPECT_EQ(s.iconmask.pixel(5, 5), kBlack);
      EXPECT_EQ(s.UndoTop, 1);
    }
  }
  EXPECT_EQ(Ramp(s, true).back(), 100);
  StartImage(s, kTypeTrueColor, 32);
  GradientFill(s, kWhite, kBlack, false, kGradientVertical);
  EXPECT_EQ(Ramp(s, false).back(), 38);
}

TEST_F(AdjustTest, GradientExcludingTransparentPixelsKeepsThemByType) {
  for (int type : {kTypeTrueColor, kTypeMono, kTypeCursor, kType16Color}) {
    SCOPED_TRACE(type);
    StartImage(s, type, 32);
    const Color clear = TransparentOf(type);
    Paint(s, [=](int x, int) { return x < 4 ? clear : kBlack; }, [](int x, int) { return x < 4 ? kWhite : kBlack; });
    GradientFill(s, kBlack, kWhite, true, kGradientHorizontal);
    EXPECT_EQ(s.iconimage.pixel(2, 9), clear);
    EXPECT_EQ(s.iconmask.pixel(2, 9), kWhite);
    EXPECT_EQ(s.iconmask.pixel(20, 9), kBlack);
  }
}

TEST_F(AdjustTest, GradientIsReducedToThePaletteOfTheType) {
  struct Case {
    int type;
    const std::vector<Color>* palette;
  };
  const Case cases[] = {{kType16Color, &s.Colors16}, {kType256Color, &s.Colors256}, {kTypeMono, &s.MonoColors}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    StartImage(s, c.type, 32);
    GradientFill(s, MakeColor(0, 40, 200), MakeColor(255, 90, 10), false, kGradientVertical);
    for (int y = 0; y < 32; ++y)
      ASSERT_NE(std::find(c.palette->begin(), c.palette->end(), s.iconimage.pixel(7, y)), c.palette->end()) << y;
  }
  StartImage(s, kTypeTrueColor, 32);
  GradientFill(s, MakeColor(0, 40, 200), MakeColor(255, 90, 10), false, kGradientVertical);
  EXPECT_EQ(s.iconimage.pixel(7, 1), MakeColor(8, 41, 195));  // true colour keeps the exact ramp
}

}  // namespace
}  // namespace gw
