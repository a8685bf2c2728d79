// New images: the 29 formats, what "New" repeats, the captions, and the state of a fresh blank image.
#include <gtest/gtest.h>

#include <set>

#include "editor/core/EditArea.h"
#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"

namespace gw {
namespace {

TEST(NewImageFormats, TwentyNineDistinctFormats) {
  const auto formats = NewImageFormats();
  ASSERT_EQ(formats.size(), 29u);
  std::set<std::pair<int, int>> seen;
  for (const NewImageFormat& f : formats) {
    EXPECT_TRUE(seen.insert({f.type, f.size}).second);
    EXPECT_NE(CellSizeFor(f.size), 0);
  }
  EXPECT_TRUE(IsNewImageFormat(kTypeCursor, 32));
  EXPECT_FALSE(IsNewImageFormat(kTypeCursor, 16));
  EXPECT_FALSE(IsNewImageFormat(kTypeTrueColor, 20));
  EXPECT_FALSE(IsNewImageFormat(5, 32));
}

TEST(NewIconCursorTarget, RepeatsTypeAndSize) {
  EXPECT_EQ(NewIconCursorTarget(kTypeMono, 48), (NewImageFormat{kTypeMono, 48}));
  EXPECT_EQ(NewIconCursorTarget(kType16Color, 64), (NewImageFormat{kType16Color, 64}));
  EXPECT_EQ(NewIconCursorTarget(kType256Color, 24), (NewImageFormat{kType256Color, 24}));
  // A size that is not one of the seven gives 16; the cursor is 32 whatever the size.
  EXPECT_EQ(NewIconCursorTarget(kTypeTrueColor, 100), (NewImageFormat{kTypeTrueColor, 16}));
  EXPECT_EQ(NewIconCursorTarget(kTypeMono, 0), (NewImageFormat{kTypeMono, 16}));
  EXPECT_EQ(NewIconCursorTarget(kTypeCursor, 16), (NewImageFormat{kTypeCursor, 32}));
  // An unknown type is true colour.
  EXPECT_EQ(NewIconCursorTarget(9, 40), (NewImageFormat{kTypeTrueColor, 40}));
  EXPECT_EQ(NewIconCursorTarget(-1, 32), (NewImageFormat{kTypeTrueColor, 32}));
}

TEST(NewImageCaptions, NameTypeAndSize) {
  EXPECT_EQ(EditAreaCaption(kTypeTrueColor, 32), "Edit Area -- True Color Icon - 32 x 32");
  EXPECT_EQ(EditAreaCaption(kType256Color, 24), "Edit Area -- 256 Color Icon - 24 x 24");
  EXPECT_EQ(NewMenuCaption(kTypeMono, 16), "New MonoChrome Icon - 16 x 16");
  EXPECT_EQ(NewMenuCaption(kTypeCursor, 32), "New Cursor - 32 x 32");
  EXPECT_EQ(NewMenuCaption(kType16Color, 64), "New 16 Color Icon - 64 x 64");
  EXPECT_STREQ(IconTypeName(7), "Cursor");  // anything outside 0 ... 3
}

TEST(NewImageTypes, TransparentColourAndEnabling) {
  EXPECT_EQ(TypeInfo(kType16Color).transparentColor, kWhite);
  EXPECT_EQ(TypeInfo(kType256Color).transparentColor, kWhite);
  EXPECT_EQ(TypeInfo(kTypeTrueColor).transparentColor, kWhite);
  EXPECT_EQ(TypeInfo(kTypeMono).transparentColor, kAqua);
  EXPECT_EQ(TypeInfo(kTypeCursor).transparentColor, kAqua);
  for (int t = 0; t <= 4; ++t) {
    EXPECT_EQ(TypeInfo(t).colorSelector, t == kTypeTrueColor);
    EXPECT_EQ(TypeInfo(t).paletteButtons, t == kTypeTrueColor);
    EXPECT_EQ(TypeInfo(t).hotSpot, t == kTypeCursor);
  }
}

class StartNewImageTest : public ::testing::Test {
 protected:
  void SetUp() override { InitPalettes(s); }
  EditorState s;
};

TEST_F(StartNewImageTest, EveryFormatGivesABlankTransparentImage) {
  for (const NewImageFormat& f : NewImageFormats()) {
    SCOPED_TRACE(testing::Message() << "type " << f.type << " size " << f.size);
    s.Modified = true;
    s.ToolStage = 4;
    s.CurrentTool = 7;
    s.CurrentFileName = "old.ico";
    ASSERT_TRUE(StartNewImage(s, f.type, f.size));

    const int S = f.size, Z = CellSizeFor(S);
    const Color transparent = (f.type == kTypeMono || f.type == kTypeCursor) ? kAqua : kWhite;
    EXPECT_EQ(s.IconType, f.type);
    EXPECT_EQ(s.IconSize, S);
    EXPECT_EQ(s.CellSize, Z);
    EXPECT_EQ(s.TransparentColor, transparent);
    EXPECT_EQ(s.IconRect, (Rect{0, 0, S, S}));
    EXPECT_EQ(s.EditAreaRect, (Rect{0, 0, S * Z, S * Z}));
    EXPECT_EQ(s.CurrentPlacementRect, PlacementRectFor(S));
    EXPECT_EQ(s.iconimage, Bitmap(S, S, transparent));
    EXPECT_EQ(s.iconmask, Bitmap(S, S, kWhite));
    EXPECT_EQ(s.editarea, Bitmap(S * Z, S * Z, transparent));
    EXPECT_EQ(s.PlacementCanvas, Bitmap(4 * S, 4 * S, transparent));
    EXPECT_EQ(s.PlacementMask, Bitmap(4 * S, 4 * S, kWhite));
    EXPECT_EQ(s.PlacementWindowRect, PlacementRectFor(S));
    for (const Bitmap& w : s.WorkImages) EXPECT_EQ(w, Bitmap(S, S, kWhite));
    EXPECT_FALSE(s.Modified);
    EXPECT_EQ(s.ToolStage, 1);
    EXPECT_EQ(s.CurrentTool, 7);  // the tool is kept, only its stage resets
    EXPECT_TRUE(s.CurrentFileName.empty());
    // The undo ring holds exactly the blank image; nothing to undo or redo.
    EXPECT_EQ(s.UndoTop, 0);
    EXPECT_EQ(s.UndoPos, 0);
    EXPECT_FALSE(UndoPossible(s));
    EXPECT_FALSE(RedoPossible(s));
    EXPECT_EQ(s.UndoImages[0], s.iconimage);
    EXPECT_EQ(s.UndoMasks[0], s.iconmask);
  }
}

TEST_F(StartNewImageTest, TwentyFourPixelsSitAt36In96) {
  ASSERT_TRUE(StartNewImage(s, kType256Color, 24));
  EXPECT_EQ(s.editarea.width(), 312);
  EXPECT_EQ(s.PlacementCanvas.width(), 96);
  EXPECT_EQ(s.CurrentPlacementRect, (Rect{36, 36, 60, 60}));
}

TEST_F(StartNewImageTest, ThePreviousPictureIsNotCarriedOver) {
  ASSERT_TRUE(StartNewImage(s, kTypeTrueColor, 32));
  s.iconimage.setPixel(3, 3, 0x0000FF);
  s.iconmask.setPixel(3, 3, kBlack);
  PushUndo(s);
  s.PlacementCanvas.setPixel(0, 0, 0x123456);
  ASSERT_TRUE(StartNewImage(s, kTypeTrueColor, 32));
  EXPECT_EQ(s.iconimage.pixel(3, 3), kWhite);
  EXPECT_EQ(s.iconmask.pixel(3, 3), kWhite);
  EXPECT_EQ(s.PlacementCanvas.pixel(0, 0), kWhite);
  EXPECT_EQ(s.UndoTop, 0);
}

TEST_F(StartNewImageTest, AnInvalidFormatChangesNothing) {
  ASSERT_TRUE(StartNewImage(s, kTypeMono, 48));
  s.Modified = true;
  const Bitmap image = s.iconimage;
  EXPECT_FALSE(StartNewImage(s, kTypeCursor, 48));
  EXPECT_FALSE(StartNewImage(s, kTypeTrueColor, 100));
  EXPECT_EQ(s.IconType, kTypeMono);
  EXPECT_EQ(s.IconSize, 48);
  EXPECT_TRUE(s.Modified);
  EXPECT_EQ(s.iconimage, image);
}

TEST_F(StartNewImageTest, PaletteOfTheNewTypeIsSetUp) {
  s.Colors16[3] = 0x010203;
  ASSERT_TRUE(StartNewImage(s, kType16Color, 16));
  EXPECT_EQ(s.Colors16, s.DefaultColors16);  // the type's palette goes back to its default
  s.TrueColorGrid[5] = 0x0A0B0C;
  ASSERT_TRUE(StartNewImage(s, kTypeTrueColor, 16));
  EXPECT_EQ(s.TrueColorGrid[5], 0x0A0B0Cu);  // the true-colour grid is shown as it stands
}

}  // namespace
}  // namespace gw
