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
    Paint(s, [=](int x, int) { return x < 4 ? TransparentOf(type) : colour; },
          [=](int x, int) { return x < 4 ? kWhite : mask; });
  }
  EditorState s;
};

struct ContrastCase {
  int type;
  Color colour, mask;
  int position;  // of the dialog's bar, from its centre 50
  Color expected, expectedMask;
};

TEST_F(AdjustTest, ContrastFromTheKeptCopyByPosition) {
  const ContrastCase cases[] = {
      {kTypeTrueColor, Grey(127), kBlack, 0, Grey(177), kBlack}, {kTypeTrueColor, Grey(128), kBlack, 0, Grey(78), kBlack},
      {kTypeTrueColor, Grey(130), kBlack, 0, Grey(80), kBlack},  {kTypeTrueColor, kWhite, kBlack, 0, Grey(205), kBlack},
      {kTypeTrueColor, Grey(127), kBlack, 100, Grey(77), kBlack}, {kTypeTrueColor, Grey(128), kBlack, 100, Grey(178), kBlack},
      {kTypeTrueColor, Grey(130), kBlack, 100, Grey(180), kBlack}, {kTypeTrueColor, kWhite, kBlack, 100, kWhite, kBlack},
      {kTypeTrueColor, Grey(130), kBlack, 50, Grey(130), kBlack},
      // Transparent white stays transparent unless lowered; monochrome's aqua the same way.
      {kTypeTrueColor, kWhite, kWhite, 0, Grey(205), kBlack}, {kTypeTrueColor, kWhite, kWhite, 50, kWhite, kWhite},
      {kTypeTrueColor, kWhite, kWhite, 100, kWhite, kWhite},
      {kTypeMono, kAqua, kWhite, 0, MakeColor(50, 205, 205), kBlack}, {kTypeMono, kAqua, kWhite, 50, kAqua, kWhite},
      {kTypeMono, kAqua, kWhite, 100, kAqua, kWhite}, {kTypeCursor, kWhite, kBlack, 100, kWhite, kBlack},
  };
  for (const ContrastCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.colour << " at " << c.position);
    Fill(c.type, 16, c.colour, c.mask);
    const Bitmap keptImage = s.iconimage, keptMask = s.iconmask;
    s.iconimage.setPixel(8, 3, kBlack);  // drawn meanwhile: the result comes from the kept copy all the same
    AdjustContrast(s, c.position > 50, std::abs(c.position - 50), 127, keptMask, keptImage);
    EXPECT_EQ(s.UndoTop, 2);
    EXPECT_EQ(s.iconimage.pixel(8, 3), c.expected);
    EXPECT_EQ(s.iconmask.pixel(8, 8), c.expectedMask);
    EXPECT_EQ(s.PlacementCanvas.pixel(s.CurrentPlacementRect.left + 8, s.CurrentPlacementRect.top), c.expected);
  }
}

TEST_F(AdjustTest, BrightnessStepsOpaquePixelsAndSkipsTransparentOnes) {
  Fill(kTypeTrueColor, 16, Grey(250), kBlack);
  AdjustBrightness(s, true, 10);
  EXPECT_EQ(s.iconimage.pixel(8, 4), kWhite);
  AdjustBrightness(s, false, 10);
  EXPECT_EQ(s.iconimage.pixel(8, 4), Grey(245));
  for (int k = 0; k < 30; ++k) AdjustBrightness(s, false, 10);
  EXPECT_EQ(s.iconimage.pixel(8, 4), kBlack);
  EXPECT_EQ(s.iconimage.pixel(0, 4), kWhite);
  EXPECT_EQ(s.iconmask.pixel(0, 4), kWhite);
  EXPECT_EQ(s.UndoTop, 33);
}

struct GradientCase {
  int size;
  Color from, to;
  int first, step;
};

TEST_F(AdjustTest, GradientStepsEvenlyPerLineInEitherOrientation) {
  const GradientCase cases[] = {
      {32, kBlack, kWhite, 0, 8}, {32, kWhite, kBlack, 255, -7}, {16, Grey(100), Grey(110), 100, 0}};
  for (const GradientCase& c : cases) {
    for (int orientation : {kGradientVertical, kGradientHorizontal}) {
      StartImage(s, kTypeTrueColor, c.size);
      GradientFill(s, c.from, c.to, false, orientation);
      // Line k has the colour-1 value plus k steps, along its whole length; the last line of white to black
      // at 32 is 38.
      for (int k = 0; k < c.size; ++k)
        for (int along : {0, c.size - 1})
          ASSERT_EQ(orientation == kGradientHorizontal ? s.iconimage.pixel(k, along) : s.iconimage.pixel(along, k),
                    Grey(c.first + k * c.step)) << k;
      EXPECT_EQ(s.iconmask, Bitmap(c.size, c.size, kBlack));
      EXPECT_EQ(s.UndoTop, 1);
    }
  }
}

TEST_F(AdjustTest, GradientKeepsTransparentPixelsWhenExcludedAndReducesToThePalette) {
  const std::pair<int, const std::vector<Color>*> cases[] = {
      {kTypeTrueColor, nullptr}, {kType16Color, &s.Colors16}, {kType256Color, &s.Colors256},
      {kTypeMono, &s.MonoColors}, {kTypeCursor, &s.MonoColors}};
  for (const auto& [type, palette] : cases) {
    SCOPED_TRACE(type);
    Fill(type, 32, kBlack, kBlack);
    GradientFill(s, MakeColor(0, 40, 200), MakeColor(255, 90, 10), true, kGradientVertical);
    EXPECT_EQ(s.iconimage.pixel(2, 9), TransparentOf(type));
    EXPECT_EQ(s.iconmask.pixel(2, 9), kWhite);
    EXPECT_EQ(s.iconmask.pixel(20, 9), kBlack);
    for (int y = 0; palette && y < 32; ++y)
      ASSERT_NE(std::find(palette->begin(), palette->end(), s.iconimage.pixel(7, y)), palette->end()) << y;
    if (!palette) {
      EXPECT_EQ(s.iconimage.pixel(7, 1), MakeColor(8, 41, 195));  // true colour: the exact ramp
    }
  }
}

}  // namespace
}  // namespace gw
