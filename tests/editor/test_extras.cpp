// Pictures from outside the drawing tools: the paste, the desktop snapshot's placement and landing, the
// text tool's block, and the hot spot as the dialog takes it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/core/HotSpot.h"
#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "editor/core/PastedPicture.h"
#include "editor/core/SnapShot.h"
#include "editor/core/TextTool.h"

namespace gw {
namespace {

// A picture whose pixel (x, y) is a colour of its own, unlike any palette entry.
Bitmap Pattern(int w, int h) {
  Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, MakeColor(3 * x + 1, 3 * y + 1, 77));
  return b;
}

class ExtrasTest : public ::testing::Test {
 protected:
  void SetUp() override { InitPalettes(s); }
  void NewImage(int type, int size) { ASSERT_TRUE(StartNewImage(s, type, size)); }
  // Paints pixel (x, y) opaque in colour c.
  void Paint(int x, int y, Color c) {
    s.iconimage.setPixel(x, y, c);
    s.iconmask.setPixel(x, y, kBlack);
  }
  EditorState s;
};

TEST(OverWhite, ComposesAlphaOntoWhite) {
  const struct { int r, g, b, a; Color want; } cases[] = {
      {10, 20, 30, 255, MakeColor(10, 20, 30)}, {10, 20, 30, 0, kWhite},
      {0, 0, 0, 128, MakeColor(127, 127, 127)}, {255, 0, 100, 51, MakeColor(255, 204, 224)}};
  for (const auto& c : cases) EXPECT_EQ(OverWhite(c.r, c.g, c.b, c.a), c.want) << c.a;
}

// --- Paste -------------------------------------------------------------------------------------------

TEST_F(ExtrasTest, PasteDrawsUnscaledAtTheCornerAndMakesTheWholeMaskOpaque) {
  const struct { int pictureEdge, iconSize; } cases[] = {{8, 32}, {100, 16}, {32, 32}};
  for (const auto& c : cases) {
    NewImage(kTypeTrueColor, c.iconSize);
    Paint(c.iconSize - 1, c.iconSize - 1, 0x123456);
    const Bitmap picture = Pattern(c.pictureEdge, c.pictureEdge);
    PastePicture(s, picture);
    for (int y = 0; y < c.iconSize; ++y)
      for (int x = 0; x < c.iconSize; ++x) {
        const bool inside = x < c.pictureEdge && y < c.pictureEdge;
        const Color before = x == c.iconSize - 1 && y == c.iconSize - 1 ? 0x123456 : kWhite;
        ASSERT_EQ(s.iconimage.pixel(x, y), inside ? picture.pixel(x, y) : before) << x << "," << y;
        ASSERT_EQ(s.iconmask.pixel(x, y), kBlack);
      }
    EXPECT_EQ(s.UndoTop, 1);
    EXPECT_TRUE(s.Modified);
    EXPECT_EQ(s.editarea.pixel(0, 0), picture.pixel(0, 0));
    const Rect home = s.CurrentPlacementRect;
    EXPECT_EQ(s.PlacementCanvas.pixel(home.left, home.top), picture.pixel(0, 0));
    EXPECT_EQ(s.PlacementMask.pixel(home.left, home.top), kBlack);
  }
}

TEST_F(ExtrasTest, PasteReducesToThePaletteOfTheType) {
  const struct { int type; Color in, want; } cases[] = {
      {kTypeTrueColor, 0x7F7F7E, 0x7F7F7E}, {kType16Color, 0x7F7F7E, 0x808080}, {kType16Color, 0x0000FE, 0x0000FF},
      {kTypeMono, 0xE0E0E0, kWhite},       {kTypeCursor, 0x202020, kBlack},    {kTypeCursor, kAqua, kWhite},
      {kType256Color, 0x0000FE, 0x0000FF}};
  for (const auto& c : cases) {
    NewImage(c.type, 32);
    PastePicture(s, Bitmap(4, 4, c.in));
    EXPECT_EQ(s.iconimage.pixel(1, 1), c.want) << c.type << " " << std::hex << c.in;
    // Outside the picture the formerly transparent pixels are now opaque, in the palette's colour.
    EXPECT_EQ(s.iconmask.pixel(20, 20), kBlack);
  }
}

// --- Snapshot ----------------------------------------------------------------------------------------

TEST(SnapShot, ChoicesRunFromTheImageSizeDown) {
  EXPECT_EQ(SnapShotChoices(16), std::vector<std::string>{"16x16"});
  EXPECT_EQ(SnapShotChoices(40), (std::vector<std::string>{"40x40", "32x32", "24x24", "16x16"}));
  const std::vector<std::string> all = SnapShotChoices(64);
  ASSERT_EQ(all.size(), 7u);
  EXPECT_EQ(all.front(), "64x64");
  EXPECT_TRUE(SnapShotChoices(20).empty());
  const struct { const char* text; int edge; } edges[] = {
      {"16x16", 16}, {"64x64", 64}, {"24", 24}, {"9x9", 0}, {"", 0}, {"20x20", 0}, {"x64", 0}};
  for (const auto& e : edges) EXPECT_EQ(SnapShotEdge(e.text), e.edge) << e.text;
}

TEST(SnapShot, SquareAroundThePointerAndBlackOffTheScreen) {
  EXPECT_EQ(SnapShotSquare({100, 50}, 16), (Rect{93, 43, 109, 59}));  // pointer at column and row 7
  EXPECT_EQ(SnapShotSquare({0, 0}, 64), (Rect{-31, -31, 33, 33}));
  const Rect screen{0, 0, 100, 80};
  const struct { Rect square; Rect part; } cases[] = {
      {{10, 10, 26, 26}, {10, 10, 26, 26}}, {{-3, -2, 13, 14}, {0, 0, 13, 14}},
      {{90, 70, 106, 86}, {90, 70, 100, 80}}, {{200, 200, 216, 216}, {}}};
  for (const auto& c : cases) {
    std::vector<Rect> asked;
    const Bitmap got = CaptureScreenSquare(c.square, screen, [&](const Rect& r) {
      asked.push_back(r);
      return Pattern(r.width(), r.height());
    });
    ASSERT_EQ(got.width(), 16);
    if (c.part.width() == 0) EXPECT_TRUE(asked.empty());
    else ASSERT_EQ(asked, std::vector<Rect>{c.part});
    const Bitmap part = Pattern(c.part.width(), c.part.height());
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const int sx = c.square.left + x, sy = c.square.top + y;
        const Color want = c.part.contains(sx, sy) ? part.pixel(sx - c.part.left, sy - c.part.top) : kBlack;
        ASSERT_EQ(got.pixel(x, y), want) << x << "," << y;
      }
  }
  // A grab that comes back short leaves black where it gave nothing.
  const Bitmap shortGrab =
      CaptureScreenSquare({0, 0, 16, 16}, screen, [](const Rect&) { return Bitmap(4, 4, 0x111111); });
  EXPECT_EQ(shortGrab.pixel(3, 3), 0x111111u);
  EXPECT_EQ(shortGrab.pixel(4, 4), kBlack);
}

TEST_F(ExtrasTest, SnapShotLandsTopLeftOpaqueAndKeepsThePictureUnderIt) {
  NewImage(kTypeTrueColor, 48);
  Paint(0, 0, 0x0000FF);
  Paint(30, 30, 0x00FF00);
  const Bitmap before = s.iconimage, beforeMask = s.iconmask;
  const Bitmap square = Pattern(24, 24);
  EXPECT_EQ(LandSnapShot(s, square), (Rect{0, 0, 24, 24}));
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 48; ++x) {
      const bool inside = x < 24 && y < 24;
      ASSERT_EQ(s.iconimage.pixel(x, y), inside ? square.pixel(x, y) : before.pixel(x, y));
      ASSERT_EQ(s.iconmask.pixel(x, y), inside ? kBlack : beforeMask.pixel(x, y));
    }
  EXPECT_EQ(s.WorkImages[2], before);
  EXPECT_EQ(s.WorkImages[3], beforeMask);
  EXPECT_EQ(s.UndoTop, 1);
  EXPECT_EQ(s.editarea.pixel(7 * 30, 7 * 30), 0x00FF00u);

  // A square as large as the image fills it and keeps nothing aside.
  NewImage(kTypeTrueColor, 16);
  s.WorkImages[2].fill(0x010101);
  EXPECT_EQ(LandSnapShot(s, Pattern(16, 16)), (Rect{0, 0, 16, 16}));
  EXPECT_EQ(s.WorkImages[2].pixel(0, 0), 0x010101u);
}

TEST_F(ExtrasTest, SnapShotReducesTheWholeImageButKeepsTransparentPixels) {
  const struct { int type; Color painted, paintedAfter, square, squareAfter; } cases[] = {
      {kType16Color, 0x7F7F7E, 0x808080, 0x0000FE, 0x0000FF},
      {kTypeCursor, 0xE0E0E0, kWhite, 0x202020, kBlack},
      {kTypeMono, 0x202020, kBlack, 0xE0E0E0, kWhite}};
  for (const auto& c : cases) {
    NewImage(c.type, 32);
    Paint(20, 20, c.painted);
    LandSnapShot(s, Bitmap(16, 16, c.square));
    EXPECT_EQ(s.iconimage.pixel(20, 20), c.paintedAfter) << c.type;
    EXPECT_EQ(s.iconimage.pixel(5, 5), c.squareAfter) << c.type;
    EXPECT_EQ(s.iconimage.pixel(25, 5), s.TransparentColor) << c.type;  // still transparent, still aqua
    EXPECT_EQ(s.iconmask.pixel(25, 5), kWhite);
  }
}

// --- Text tool ---------------------------------------------------------------------------------------

// A text that inks a rectangle of its measured size (or a part of it), optionally one stroke further
// right, as a slanted glyph does.
struct TextCase {
  Point size{10, 7};
  Color ink = 0x0000FF;
  Rect inked{0, 0, 10, 7};
  int overhangColumn = -1;  // an inked column right of the measured width
  bool slanted = false;
};
struct FakeText : ITextRenderer {
  explicit FakeText(TextCase text = {}) : t(text) {}
  TextCase t;
  Point measure() const override { return t.size; }
  void draw(Bitmap& target, Color background) const override {
    for (int y = 0; y < t.size.y; ++y)
      for (int x = 0; x < t.size.x; ++x) target.setPixel(x, y, t.inked.contains(x, y) ? t.ink : background);
    if (t.overhangColumn >= 0) target.setPixel(t.overhangColumn, 1, t.ink);
  }
  bool italic() const override { return t.slanted; }
};

TEST_F(ExtrasTest, TextBlockSizesAndMasks) {
  const struct {
    const char* name; int type; TextCase text; Rect block; Color inkAfter;
  } cases[] = {
      {"short text", kTypeTrueColor, {}, {0, 0, 10, 7}, 0x0000FF},
      {"wider than the icon", kTypeTrueColor, {{50, 7}, 0x0000FF, {0, 0, 50, 7}}, {0, 0, 32, 7}, 0x0000FF},
      {"italic overhang", kTypeTrueColor, {{10, 7}, 0x0000FF, {0, 0, 10, 7}, 12, true}, {0, 0, 13, 7}, 0x0000FF},
      {"italic without overhang", kTypeTrueColor, {{10, 7}, 0x0000FF, {0, 0, 10, 7}, -1, true}, {0, 0, 10, 7}, 0x0000FF},
      {"upright overhang", kTypeTrueColor, {{10, 7}, 0x0000FF, {0, 0, 10, 7}, 12}, {0, 0, 10, 7}, 0x0000FF},
      {"red in a cursor", kTypeCursor, {}, {0, 0, 10, 7}, kBlack},
      {"white in a mono icon", kTypeMono, {{10, 7}, kWhite}, {0, 0, 10, 7}, kWhite},
      {"grey in a 16-colour icon", kType16Color, {{10, 7}, 0x7F7F7E}, {0, 0, 10, 7}, 0x7F7F7E},
      {"blanks", kTypeCursor, {{10, 7}, kBlack, {}}, {0, 0, 10, 7}, kBlack},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NewImage(c.type, 32);
    Paint(31, 31, kBlack);
    Paint(1, 1, 0x00FF00);  // under the block: kept aside, then covered
    const Bitmap before = s.iconimage, beforeMask = s.iconmask;
    EXPECT_EQ(LandText(s, FakeText(c.text)), c.block);
    const bool whiteInk = c.text.ink == kWhite;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool inBlock = c.block.contains(x, y);
        const bool inked = inBlock && !whiteInk &&
                           (c.text.inked.contains(x, y) || (x == c.text.overhangColumn && y == 1));
        if (!inBlock) {
          ASSERT_EQ(s.iconimage.pixel(x, y), before.pixel(x, y)) << x << "," << y;
          ASSERT_EQ(s.iconmask.pixel(x, y), beforeMask.pixel(x, y));
        } else {
          ASSERT_EQ(s.iconimage.pixel(x, y), inked ? c.inkAfter : s.TransparentColor) << x << "," << y;
          ASSERT_EQ(s.iconmask.pixel(x, y), inked ? kBlack : kWhite) << x << "," << y;
        }
      }
    EXPECT_EQ(s.WorkImages[2], before);
    EXPECT_EQ(s.WorkImages[3], beforeMask);
    EXPECT_EQ(s.UndoTop, 1);
  }
}

// --- Hot spot ----------------------------------------------------------------------------------------

TEST_F(ExtrasTest, HotSpotEditsAreOneBasedAndRefusedOutsideTheImage) {
  EXPECT_EQ(HotSpotText(0), "1");
  EXPECT_EQ(HotSpotText(31), "32");
  EXPECT_EQ(HotSpotRangeText(32), "1 - 32");
  const struct { const char *x, *y; HotSpotField result; int wantX, wantY; } cases[] = {
      {"16", "8", HotSpotField::None, 15, 7},  {"1", "1", HotSpotField::None, 0, 0},
      {"32", "32", HotSpotField::None, 31, 31}, {"", "8", HotSpotField::None, 4, 7},
      {"16", "", HotSpotField::None, 15, 5},   {"", "", HotSpotField::None, 4, 5},
      {"0", "8", HotSpotField::X, 4, 5},       {"33", "8", HotSpotField::X, 4, 5},
      {"16", "40", HotSpotField::Y, 4, 5},     {"16", "-1", HotSpotField::Y, 4, 5},
      {"1.5", "8", HotSpotField::X, 4, 5},     {"16", "y", HotSpotField::Y, 4, 5}};
  for (const auto& c : cases) {
    NewImage(kTypeCursor, 32);
    s.CursorHotSpotX = 4;
    s.CursorHotSpotY = 5;
    EXPECT_EQ(ApplyHotSpotEdits(s, c.x, c.y), c.result) << c.x << " " << c.y;
    EXPECT_EQ(s.CursorHotSpotX, c.wantX) << c.x << " " << c.y;
    EXPECT_EQ(s.CursorHotSpotY, c.wantY) << c.x << " " << c.y;
    EXPECT_FALSE(s.Modified);
  }
}

}  // namespace
}  // namespace gw
