// The transparency conversions and the four transparency commands.
#include <gtest/gtest.h>

#include "editor/core/Palettes.h"
#include "editor/core/Transparency.h"
#include "editor/core/UndoRing.h"
#include "tests/editor/BlankImage.h"

namespace gw {
namespace {

TEST(TransparencyConversions, ReplaceOnlyTheSoughtColourUnderAWhiteMask) {
  using Conversion = void (*)(Bitmap&, const Bitmap&, int);
  // conversion, image colour, mask colour -> image colour afterwards.
  const struct { Conversion convert; Color image, mask, result; } cases[] = {
      {TransparentWhiteToBlack, kWhite, kWhite, kBlack},     {TransparentWhiteToBlack, kWhite, kBlack, kWhite},
      {TransparentWhiteToBlack, kAqua, kWhite, kAqua},       {TransparentWhiteToBlack, kWhite, 0xFEFFFF, kWhite},
      {TransparentBlackToWhite, kBlack, kWhite, kWhite},     {TransparentBlackToWhite, kBlack, kBlack, kBlack},
      {TransparentBlackToWhite, 0x010000, kWhite, 0x010000}, {TransparentWhiteToAqua, kWhite, kWhite, kAqua},
      {TransparentWhiteToAqua, kWhite, kBlack, kWhite},      {TransparentAquaToWhite, kAqua, kWhite, kWhite},
      {TransparentAquaToWhite, kAqua, kBlack, kAqua}};
  for (const auto& c : cases) {
    Bitmap image(4, 4, c.image);
    const Bitmap mask(4, 4, c.mask);
    c.convert(image, mask, 4);
    EXPECT_EQ(image, Bitmap(4, 4, c.result)) << std::hex << c.image << " over " << c.mask;
  }
  // Only the top-left S x S square.
  Bitmap image(8, 8, kWhite);
  TransparentWhiteToBlack(image, Bitmap(8, 8, kWhite), 3);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) ASSERT_EQ(image.pixel(x, y), x < 3 && y < 3 ? kBlack : kWhite) << x << "," << y;
}

class TransparencyCommand : public ::testing::Test {
 protected:
  // Row 0 opaque white, row 1 opaque red, the rest transparent.
  void Start(Color transparent) {
    InitPalettes(s);
    LayOutBlankImage(s, 16, transparent);
    ResetUndoRing(s, 16);
    PushUndoQuiet(s);
    for (int x = 0; x < 16; ++x)
      for (int y : {0, 1}) {
        s.iconimage.setPixel(x, y, y == 0 ? kWhite : 0x0000FF);
        s.iconmask.setPixel(x, y, kBlack);
      }
  }
  std::vector<Color> Rows() const {
    return {s.iconimage.pixel(5, 0), s.iconmask.pixel(5, 0), s.iconimage.pixel(5, 1), s.iconmask.pixel(5, 1),
            s.iconimage.pixel(5, 2), s.iconmask.pixel(5, 2)};
  }
  EditorState s;
};

TEST_F(TransparencyCommand, WhitePenOnAColourIconAndOnAMonochromeOne) {
  Start(kWhite);
  s.LeftPenColor = kWhite;
  MakeWhiteTransparent1Click(s);
  EXPECT_EQ(Rows(), (std::vector<Color>{kWhite, kWhite, 0x0000FF, kBlack, kWhite, kWhite}));
  MakeLeftPenColorOpaque1Click(s);
  EXPECT_EQ(Rows(), (std::vector<Color>{kWhite, kBlack, 0x0000FF, kBlack, kWhite, kBlack}));
  EXPECT_EQ(s.UndoPos, 2);
  Start(kAqua);
  s.iconmask.setPixel(5, 0, kWhite);
  MakeLeftPenColorOpaque1Click(s);
  EXPECT_EQ(Rows(), (std::vector<Color>{kWhite, kBlack, 0x0000FF, kBlack, kAqua, kWhite})) << "aqua stays transparent";
}

TEST_F(TransparencyCommand, RightPenAndAColourNoPixelHas) {
  Start(kWhite);
  s.RightPenColor = 0x0000FF;
  MakeRightPenColorTransparent1Click(s);
  EXPECT_EQ(Rows(), (std::vector<Color>{kWhite, kBlack, kWhite, kWhite, kWhite, kWhite}));
  s.Modified = false;
  const Bitmap image = s.iconimage, mask = s.iconmask;
  MakeRightPenColorOpaque1Click(s);  // no pixel is red any more
  EXPECT_EQ(std::vector<Bitmap>({s.iconimage, s.iconmask}), std::vector<Bitmap>({image, mask}));
  EXPECT_EQ(s.UndoPos, 2) << "an undo state even when nothing changed";
  EXPECT_TRUE(s.Modified);
  EXPECT_EQ(s.editarea.pixel(5 * s.CellSize + 1, s.CellSize + 1), kWhite) << "the edit area is redrawn";
}

}  // namespace
}  // namespace gw
