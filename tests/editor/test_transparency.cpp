// The transparency conversions and the four transparency commands.
#include <gtest/gtest.h>

#include "editor/core/Palettes.h"
#include "editor/core/Transparency.h"
#include "editor/core/UndoRing.h"
#include "tests/editor/BlankImage.h"

namespace gw {
namespace {

using Conversion = void (*)(Bitmap&, const Bitmap&, int);

TEST(TransparencyConversions, ReplaceOnlyTheSoughtColourUnderAWhiteMask) {
  // conversion, image colour, mask colour -> image colour afterwards.
  struct Case {
    Conversion convert;
    Color image, mask, result;
  };
  const Case cases[] = {
      {TransparentWhiteToBlack, kWhite, kWhite, kBlack},  {TransparentWhiteToBlack, kWhite, kBlack, kWhite},
      {TransparentWhiteToBlack, kAqua, kWhite, kAqua},    {TransparentWhiteToBlack, kWhite, 0xFEFFFF, kWhite},
      {TransparentBlackToWhite, kBlack, kWhite, kWhite},  {TransparentBlackToWhite, kBlack, kBlack, kBlack},
      {TransparentBlackToWhite, 0x010000, kWhite, 0x010000}, {TransparentWhiteToAqua, kWhite, kWhite, kAqua},
      {TransparentWhiteToAqua, kWhite, kBlack, kWhite},   {TransparentAquaToWhite, kAqua, kWhite, kWhite},
      {TransparentAquaToWhite, kAqua, kBlack, kAqua},
  };
  for (const Case& c : cases) {
    Bitmap image(4, 4, c.image);
    const Bitmap mask(4, 4, c.mask);
    c.convert(image, mask, 4);
    EXPECT_EQ(image, Bitmap(4, 4, c.result)) << std::hex << c.image << " over " << c.mask;
    EXPECT_EQ(mask, Bitmap(4, 4, c.mask));
  }
}

TEST(TransparencyConversions, CoverOnlyTheSquareOfTheGivenSize) {
  Bitmap image(8, 8, kWhite);
  TransparentWhiteToBlack(image, Bitmap(8, 8, kWhite), 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(image.pixel(x, y), x < 3 && y < 3 ? kBlack : kWhite) << x << "," << y;
}

TEST(TransparencyConversions, StateVersionsWorkOnTheirPairs) {
  EditorState s;
  LayOutBlankImage(s, 16, kAqua);
  for (Bitmap& w : s.WorkImages) w.resize(16, 16, kWhite);
  TransparentAquaToWhite(s, 16);
  EXPECT_EQ(s.iconimage, Bitmap(16, 16, kWhite));
  TransparentWhiteToBlack(s, 16);
  EXPECT_EQ(s.WorkImages[4], Bitmap(16, 16, kBlack));
  TransparentBlackToWhite(s, 16);
  TransparentWhiteToAqua(s, 16);
  EXPECT_EQ(s.WorkImages[4], Bitmap(16, 16, kWhite));
  EXPECT_EQ(s.iconimage, Bitmap(16, 16, kAqua));
}

class TransparencyCommand : public ::testing::Test {
 protected:
  void Start(Color transparent) {
    InitPalettes(s);
    LayOutBlankImage(s, 16, transparent);
    ResetUndoRing(s, 16);
    PushUndoQuiet(s);
    s.Modified = false;
    // Row 0 opaque white, row 1 opaque red, the rest transparent.
    for (int x = 0; x < 16; ++x) {
      s.iconimage.setPixel(x, 0, kWhite);
      s.iconimage.setPixel(x, 1, 0x0000FF);
      s.iconmask.setPixel(x, 0, kBlack);
      s.iconmask.setPixel(x, 1, kBlack);
    }
  }
  Color MaskAt(int y) const { return s.iconmask.pixel(5, y); }
  EditorState s;
};

TEST_F(TransparencyCommand, WhitePenOnAColourIcon) {
  Start(kWhite);
  s.LeftPenColor = kWhite;
  MakeWhiteTransparent1Click(s);
  EXPECT_EQ(std::vector<Color>({MaskAt(0), MaskAt(1), MaskAt(2)}), std::vector<Color>({kWhite, kBlack, kWhite}));
  MakeLeftPenColorOpaque1Click(s);
  EXPECT_EQ(std::vector<Color>({MaskAt(0), MaskAt(1), MaskAt(2)}), std::vector<Color>({kBlack, kBlack, kBlack}));
  EXPECT_EQ(s.iconimage.pixel(5, 2), kWhite);
  EXPECT_EQ(s.UndoPos, 2);
  EXPECT_TRUE(s.Modified);
}

TEST_F(TransparencyCommand, WhitePenOnAMonochromeIconLeavesAquaTransparent) {
  Start(kAqua);
  s.LeftPenColor = kWhite;
  MakeLeftPenColorOpaque1Click(s);
  EXPECT_EQ(std::vector<Color>({MaskAt(0), MaskAt(1), MaskAt(2)}), std::vector<Color>({kBlack, kBlack, kWhite}));
}

TEST_F(TransparencyCommand, RightPenAndAColourNoPixelHas) {
  Start(kWhite);
  s.RightPenColor = 0x0000FF;
  MakeRightPenColorTransparent1Click(s);
  EXPECT_EQ(s.iconimage.pixel(5, 1), kWhite);
  EXPECT_EQ(MaskAt(1), kWhite);
  const Bitmap image = s.iconimage, mask = s.iconmask;
  MakeRightPenColorOpaque1Click(s);  // no pixel is red any more
  EXPECT_EQ(s.iconimage, image);
  EXPECT_EQ(s.iconmask, mask);
  EXPECT_EQ(s.UndoPos, 2) << "an undo state even when nothing changed";
  EXPECT_TRUE(s.Modified);
  EXPECT_EQ(s.editarea.pixel(5 * s.CellSize + 1, 1 * s.CellSize + 1), kWhite) << "the edit area is redrawn";
}

}  // namespace
}  // namespace gw
