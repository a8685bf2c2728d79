// Palettes: the default tables, the colour grid of each type, the pens, the RGB bars with their change rule,
// the reset command and the quantisers.
#include <gtest/gtest.h>

#include <tuple>

#include "editor/core/EditArea.h"
#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "tests/editor/BlankImage.h"

namespace gw {
namespace {

class PaletteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitPalettes(s);
    LayOutBlankImage(s, 16);
  }
  void NewImageOfType(int type) {
    s.IconType = type;
    SetupPaletteForType(s);
  }
  EditorState s;
};

// --- Default tables -------------------------------------------------------------------------------------

TEST_F(PaletteTest, DefaultTables) {
  EXPECT_EQ(s.DefaultMonoColors, (std::vector<Color>{0x000000, 0xFFFFFF}));
  EXPECT_EQ(s.DefaultColors16,
            (std::vector<Color>{0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                                0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF}));
  ASSERT_EQ(s.DefaultColors256.size(), 256u);
  EXPECT_EQ(s.DefaultColors256[160], 0x50B900u);
  EXPECT_EQ(s.DefaultColors256[159], 0xDCDC00u);
  EXPECT_EQ(s.DefaultColors256[161], 0x969600u);
  EXPECT_EQ(s.DefaultColors256[9], 0xF0CAA6u);
  EXPECT_EQ(s.DefaultColors256[17], 0xFFFFFFu);
  EXPECT_EQ(s.DefaultColors256[235], 0x005050u);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(s.DefaultColors256[236 + i], 0xF2F2F2u - 0x0C0C0Cu * static_cast<Color>(i));
  // Active arrays start as copies, the true-colour grid as the 256 table; they are separate storage.
  EXPECT_EQ(s.Colors16, s.DefaultColors16);
  EXPECT_EQ(s.Colors256, s.DefaultColors256);
  EXPECT_EQ(s.TrueColorGrid, s.DefaultColors256);
  s.Colors256[3] = 1;
  EXPECT_EQ(s.DefaultColors256[3], 0x808000u);
}

TEST_F(PaletteTest, LogicalPalettesMirrorTheArrays) {
  const std::tuple<const LogPalette*, const std::vector<Color>*, int> blocks[] = {
      {&s.MonoLogPalette, &s.MonoColors, 2},           {&s.DefaultMonoLogPalette, &s.DefaultMonoColors, 2},
      {&s.LogPalette16, &s.Colors16, 16},              {&s.DefaultLogPalette16, &s.DefaultColors16, 16},
      {&s.LogPalette256, &s.Colors256, 256},           {&s.DefaultLogPalette256, &s.DefaultColors256, 256}};
  for (const auto& [block, colors, n] : blocks) {
    EXPECT_EQ(block->palVersion, 0x300);
    ASSERT_EQ(block->palNumEntries, n);
    ASSERT_EQ(block->palPalEntry.size(), static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) ASSERT_EQ(block->color(i), (*colors)[static_cast<size_t>(i)]);
  }
  // Entry 9 of the 256 table, 0xF0CAA6: red 0xA6, green 0xCA, blue 0xF0, flags 0.
  EXPECT_EQ(s.DefaultLogPalette256.palPalEntry[9], (PaletteEntry{0xA6, 0xCA, 0xF0, 0}));
  EXPECT_EQ(s.DefaultPalette256.size(), 256);
  EXPECT_EQ(s.Palette16.size(), 16);
}

// --- The grid of each type ------------------------------------------------------------------------------

TEST_F(PaletteTest, GridLayoutAndPensPerType) {
  struct Case {
    int type, width, height, entries;
    Color right;
    bool bars;
  };
  const Case cases[] = {{kType16Color, 256, 128, 16, 0xFFFFFF, false},
                        {kType256Color, 256, 256, 256, 0xFFFFFF, false},
                        {kTypeTrueColor, 256, 256, 256, 0xFFFFFF, true},
                        {kTypeMono, 256, 128, 2, 0xFFFFFF, false},
                        {kTypeCursor, 256, 128, 2, 0xFFFFFF, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    NewImageOfType(c.type);
    EXPECT_EQ(s.colorgrd.width(), c.width);
    EXPECT_EQ(s.colorgrd.height(), c.height);
    EXPECT_EQ(s.ColorGridEntries, c.entries);
    EXPECT_EQ(s.ColorBarsVisible, c.bars);
    EXPECT_EQ(s.LeftPenColor, 0x000000u);
    EXPECT_EQ(s.RightPenColor, c.right);
    EXPECT_EQ(s.SelectedPaletteIndex, 0);
    EXPECT_TRUE(s.LastPenIsLeft);
    EXPECT_EQ(s.scrRedPosition + s.scrGreenPosition + s.scrBluePosition, 0);
    EXPECT_EQ(s.rdLabel, "Red=0");
  }
}

TEST_F(PaletteTest, GridCellsShowTheirEntries) {
  NewImageOfType(kType16Color);
  // Cells of 32 x 64: entry 11 (0x00FFFF) is column 3 of the second row.
  EXPECT_EQ(s.colorgrd.pixel(3 * 32, 64), 0x00FFFFu);
  EXPECT_EQ(s.colorgrd.pixel(3 * 32 + 31, 127), 0x00FFFFu);
  EXPECT_EQ(s.colorgrd.pixel(255, 127), 0xFFFFFFu);
  NewImageOfType(kType256Color);
  EXPECT_EQ(s.colorgrd.pixel(0 * 16 + 5, 10 * 16 + 5), 0x50B900u);  // entry 160
  EXPECT_EQ(s.colorgrd.pixel(255, 255), 0x0E0E0Eu);
  NewImageOfType(kTypeMono);
  EXPECT_EQ(s.colorgrd.pixel(127, 127), kBlack);
  EXPECT_EQ(s.colorgrd.pixel(128, 0), kWhite);
}

TEST_F(PaletteTest, PickMappingPerType) {
  struct Case {
    int type, x, y, index;
    Rect cell;
  };
  const Case cases[] = {
      {kTypeMono, 127, 127, 0, {0, 0, 128, 128}},      {kTypeMono, 128, 0, 1, {128, 0, 256, 128}},
      {kTypeCursor, 255, 100, 1, {128, 0, 256, 128}},   {kType16Color, 31, 63, 0, {0, 0, 32, 64}},
      {kType16Color, 32, 64, 9, {32, 64, 64, 128}},     {kType16Color, 255, 127, 15, {224, 64, 256, 128}},
      {kType16Color, 100, 10, 3, {96, 0, 128, 64}},     {kType256Color, 17, 16, 17, {16, 16, 32, 32}},
      {kType256Color, 255, 255, 255, {240, 240, 256, 256}}, {kTypeTrueColor, 5, 160, 160, {0, 160, 16, 176}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.type << " " << c.x << "," << c.y);
    s.IconType = c.type;
    EXPECT_EQ(PaletteIndexAt(s, c.x, c.y), c.index);
    EXPECT_EQ(PaletteCellRect(s, c.x, c.y), c.cell);
  }
  // Points off the grid stay on it.
  s.IconType = kType16Color;
  EXPECT_EQ(PaletteIndexAt(s, 300, 500), 15);
  EXPECT_EQ(PaletteIndexAt(s, -4, -4), 0);
}

TEST_F(PaletteTest, ClicksSetOnePenAndTheBarsFollowTheLastPen) {
  NewImageOfType(kTypeTrueColor);
  colorgrdMouseDown(s, false, 5 * 16 + 3, 3);  // entry 5, 0x008080, right button
  EXPECT_EQ(s.RightPenColor, 0x008080u);
  EXPECT_EQ(s.LeftPenColor, 0x000000u);
  EXPECT_FALSE(s.LastPenIsLeft);
  EXPECT_EQ(s.SelectedPaletteIndex, 5);
  EXPECT_EQ(s.rdLabel, "Red=128");
  EXPECT_EQ(s.grLabel, "Green=128");
  EXPECT_EQ(s.blLabel, "Blue=0");
  EXPECT_EQ(s.TrueColorGrid[5], 0x008080u);  // the pick wrote the entry's own colour back

  // Red to 255: entry 5 keeps green and blue, its cell is repainted, the right pen follows.
  EXPECT_TRUE(SetColorBarPosition(s, ColorBar::Red, 255));
  EXPECT_EQ(s.TrueColorGrid[5], 0x0080FFu);
  EXPECT_EQ(s.Colors256[5], 0x0080FFu);
  EXPECT_EQ(s.LogPalette256.color(5), 0x0080FFu);
  EXPECT_EQ(s.Palette256.nearestIndex(0x0080FF), 5);
  EXPECT_EQ(s.colorgrd.pixel(5 * 16, 0), 0x0080FFu);
  EXPECT_EQ(s.colorgrd.pixel(5 * 16 + 15, 15), 0x0080FFu);
  EXPECT_EQ(s.colorgrd.pixel(6 * 16, 0), s.TrueColorGrid[6]);
  EXPECT_EQ(s.RightPenColor, 0x0080FFu);
  EXPECT_EQ(s.LeftPenColor, 0x000000u);
  EXPECT_EQ(s.rdLabel, "Red=255");
  EXPECT_EQ(s.DefaultColors256[5], 0x008080u);
}

TEST_F(PaletteTest, BarHandlerRunsOnlyWhenThePositionChanges) {
  NewImageOfType(kTypeTrueColor);
  colorgrdMouseDown(s, true, 20, 0);  // entry 1, 0x800080
  s.LeftPenColor = 0x123456;
  EXPECT_FALSE(SetColorBarPosition(s, ColorBar::Red, 0x80));  // already there
  EXPECT_EQ(s.LeftPenColor, 0x123456u);
  EXPECT_TRUE(SetColorBarPosition(s, ColorBar::Blue, 400));  // clamped to the bar's maximum
  EXPECT_EQ(s.scrBluePosition, 255);
  EXPECT_EQ(s.LeftPenColor, 0xFF0080u);
  s.LeftPenColor = 0x123456;
  EXPECT_FALSE(SetColorBarPosition(s, ColorBar::Blue, 255));
  EXPECT_EQ(s.LeftPenColor, 0x123456u);
}

TEST_F(PaletteTest, ShownColourFromElsewhereGoesIntoTheSelectedEntry) {
  NewImageOfType(kTypeTrueColor);
  colorgrdMouseDown(s, true, 2 * 16, 0);  // entry 2
  ShowColorComponents(s, 0x336699);      // as the colour selector tool does
  EXPECT_EQ(s.TrueColorGrid[2], 0x336699u);
  EXPECT_EQ(s.LeftPenColor, 0x336699u);
  EXPECT_EQ(s.scrRedPosition, 0x99);
  EXPECT_EQ(s.scrGreenPosition, 0x66);
  EXPECT_EQ(s.scrBluePosition, 0x33);
}

TEST_F(PaletteTest, PicksInOtherTypesNeverTouchTheTrueColorGrid) {
  for (int type : {kTypeMono, kTypeCursor, kType16Color, kType256Color}) {
    NewImageOfType(type);
    colorgrdMouseDown(s, true, 255, 127);
    colorgrdMouseDown(s, false, 40, 0);
    ShowColorComponents(s, 0x445566);
  }
  EXPECT_EQ(s.TrueColorGrid, s.DefaultColors256);
}

TEST_F(PaletteTest, ResetRestoresTheDefaultsOfTheType) {
  NewImageOfType(kTypeTrueColor);
  for (int i = 0; i < 256; i += 7) s.TrueColorGrid[static_cast<size_t>(i)] = 0x010203;
  colorgrdMouseDown(s, false, 100, 100);
  s.iconimage.setPixel(1, 1, 0x445566);
  const Bitmap image = s.iconimage;
  ResetColorPalette1Click(s);
  EXPECT_EQ(s.TrueColorGrid, s.DefaultColors256);
  EXPECT_EQ(s.SelectedPaletteIndex, 0);
  EXPECT_EQ(s.LeftPenColor, 0x000000u);
  EXPECT_EQ(s.RightPenColor, 0xFFFFFFu);
  EXPECT_TRUE(s.LastPenIsLeft);
  EXPECT_EQ(s.iconimage, image);

  // A new true-colour image shows the grid as it stands.
  s.TrueColorGrid[17] = 0x00FF00;
  NewImageOfType(kTypeTrueColor);
  EXPECT_EQ(s.RightPenColor, 0x00FF00u);

  NewImageOfType(kType16Color);
  s.Colors16[15] = 0x111111;
  ResetColorPalette1Click(s);
  EXPECT_EQ(s.Colors16, s.DefaultColors16);
  EXPECT_EQ(s.LogPalette16.color(15), 0xFFFFFFu);
}

TEST(PaletteLabels, CaptionCutAfterTheFirstEquals) {
  EXPECT_EQ(LabelWithValue("Red=", 128), "Red=128");
  EXPECT_EQ(LabelWithValue("Green=17", 5), "Green=5");
  EXPECT_EQ(LabelWithValue("a=b=c", 0), "a=0");
  EXPECT_EQ(LabelWithValue("Blue", 9), "Blue9");
}

TEST_F(PaletteTest, PixelReadout) {
  ShowPixelColor(s, 0xF0CAA6);
  EXPECT_EQ(s.rdLabel2, "Red=166");
  EXPECT_EQ(s.grLabel2, "Green=202");
  EXPECT_EQ(s.blLabel2, "Blue=240");
}

// --- Quantisers -----------------------------------------------------------------------------------------

TEST_F(PaletteTest, Quantize16KeepsMidGreyAndSnapsTheRest) {
  NewImageOfType(kType16Color);
  s.iconimage.setPixel(0, 0, 0x808080);
  s.iconimage.setPixel(1, 0, 0x7A8185);  // nearest 0x808080
  s.iconimage.setPixel(2, 0, 0x0000F0);  // nearest 0x0000FF
  s.iconmask.setPixel(0, 0, kBlack);
  const Bitmap mask = s.iconmask;
  QuantizeToColors16(s);
  EXPECT_EQ(s.iconimage.pixel(0, 0), 0x808080u);
  EXPECT_EQ(s.iconimage.pixel(1, 0), 0x808080u);
  EXPECT_EQ(s.iconimage.pixel(2, 0), 0x0000FFu);
  EXPECT_EQ(s.iconimage.pixel(5, 5), 0xFFFFFFu);
  EXPECT_EQ(s.iconmask, mask);
  EXPECT_EQ(s.editarea.pixel(2 * 20 + 1, 1), 0x0000FFu);       // redrawn
  EXPECT_EQ(s.PlacementCanvas.pixel(24 + 2, 24), 0x0000FFu);   // synced
}

TEST_F(PaletteTest, QuantizeMonoTakesTheNearerOfBlackAndWhite) {
  NewImageOfType(kTypeMono);
  s.iconimage.setPixel(0, 0, 0x808080);  // 3 * 127^2 to white < 3 * 128^2 to black
  s.iconimage.setPixel(1, 0, 0x7F7F7F);
  s.iconimage.setPixel(2, 0, kAqua);
  QuantizeToMonoColors(s);
  EXPECT_EQ(s.iconimage.pixel(0, 0), kWhite);
  EXPECT_EQ(s.iconimage.pixel(1, 0), kBlack);
  EXPECT_EQ(s.iconimage.pixel(2, 0), kWhite);
}

TEST_F(PaletteTest, QuantizeLooksUpInTheDefaultAndTakesTheActiveColour) {
  NewImageOfType(kType256Color);
  // 0x0000FF stands at 16 and again at 50; the lookup keeps the lower index.
  s.LogPalette256.palPalEntry[16] = {1, 2, 3, 0};
  s.LogPalette256.palPalEntry[50] = {4, 5, 6, 0};
  s.iconimage.setPixel(0, 0, 0x0000FF);
  // 0xFF00FF at 11 and 86.
  s.LogPalette256.palPalEntry[11] = {7, 8, 9, 0};
  s.iconimage.setPixel(1, 0, 0xFF00FF);
  QuantizeToColors256(s);
  EXPECT_EQ(s.iconimage.pixel(0, 0), MakeColor(1, 2, 3));
  EXPECT_EQ(s.iconimage.pixel(1, 0), MakeColor(7, 8, 9));

  NewImageOfType(kType16Color);
  s.LogPalette16.palPalEntry[7] = {0x12, 0x34, 0x56, 0};
  s.iconimage.setPixel(3, 3, 0x808080);
  QuantizeToColors16(s);
  EXPECT_EQ(s.iconimage.pixel(3, 3), MakeColor(0x12, 0x34, 0x56));
}

// --- The colour table of the file an image was read from ---------------------------------------------------

TEST_F(PaletteTest, AFilesTableStandsInForTheDefaultUntilANewImage) {
  // Neither table holds black: the entry nearest to black (no pixel shows any) becomes black.
  const struct { int type; std::vector<Color> table; int rightEntry, blackEntry; } cases[] = {
      {kType16Color, {0x102030, 0x405060, 0x102030, 0xA0B0C0, 0x0000FF, 0x123456, 0x654321, 0x00FF00, 0x999999,
                      0x777777, 0xEEEEEE, 0x0F0F0F, 0x808000, 0x330033, 0xFFFFFF, 0x2040A0}, 15, 11},
      {kType256Color, {0x102030, 0x405060, 0x405060}, 17, 255},  // short, with a duplicate: the rest from the default
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    StartNewImage(s, c.type, 16);
    const std::vector<Color> defaults = ColorsOfType(s);
    std::vector<Color> full = defaults;
    std::copy(c.table.begin(), c.table.end(), full.begin());
    full[static_cast<std::size_t>(c.blackEntry)] = kBlack;
    ASSERT_TRUE(UseFileColorTable(s, c.table));
    EXPECT_EQ(ColorsOfType(s), full);
    EXPECT_EQ(s.LogPalette16.color(1), c.type == kType16Color ? 0x405060u : 0x000080u);
    const int cell = c.type == kType16Color ? 32 : 16;
    EXPECT_EQ(s.colorgrd.pixel(cell + 1, 1), 0x405060u);  // entry 1 in the grid
    EXPECT_EQ(std::vector<Color>({s.LeftPenColor, s.RightPenColor}),
              std::vector<Color>({full[0], full[static_cast<std::size_t>(c.rightEntry)]}));

    // The reductions snap to the nearest entry of the file's table, the transparent pixels keep white.
    s.iconimage.setPixel(0, 0, 0x425262);
    s.iconimage.setPixel(1, 0, 0x112233);
    s.iconmask.fill(kBlack);
    s.iconmask.setPixel(2, 0, kWhite);
    ReduceToTypePalette(s);
    EXPECT_EQ(std::vector<Color>({s.iconimage.pixel(0, 0), s.iconimage.pixel(1, 0), s.iconimage.pixel(2, 0)}),
              std::vector<Color>({0x405060, 0x102030, kWhite}));

    colorgrdMouseDown(s, false, cell + 1, 1);
    ResetColorPalette1Click(s);
    EXPECT_EQ(ColorsOfType(s), full);
    StartNewImage(s, c.type, 16);
    EXPECT_EQ(ColorsOfType(s), defaults);
    EXPECT_TRUE(s.FileColorTable.empty());
  }
  for (int type : {kTypeTrueColor, kTypeMono, kTypeCursor}) {
    StartNewImage(s, type, type == kTypeCursor ? 32 : 16);
    const std::vector<Color> before = ColorsOfType(s);
    EXPECT_FALSE(UseFileColorTable(s, cases[0].table)) << type;
    EXPECT_EQ(ColorsOfType(s), before);
  }
}

// Which entry of a table without black becomes black, and what the pixels it showed become. The image is one
// row of pixels; `clear` ones lie under a white mask (transparent in white, inverting in any other colour).
struct Pixel { Color c; bool clear; };
struct BlackEntryResult { int black; std::vector<Color> table, after; };
BlackEntryResult GiveBlackEntry(std::vector<Color> table, const std::vector<Pixel>& pixels) {
  const int n = static_cast<int>(pixels.size());
  Bitmap image(n, 1), mask(n, 1, kBlack);
  for (int x = 0; x < n; ++x) {
    image.setPixel(x, 0, pixels[std::size_t(x)].c);
    if (pixels[std::size_t(x)].clear) mask.setPixel(x, 0, kWhite);
  }
  const int black = GiveTableABlackEntry(table, image, mask, kWhite);
  std::vector<Color> after;
  for (int x = 0; x < n; ++x) after.push_back(image.pixel(x, 0));
  return {black, table, after};
}

TEST(BlackEntry, TheEntryWhoseChangeMovesThePictureLeastGivesWay) {
  constexpr Color kRed = 0x0000FF, kDark = 0x14143C, kGrey = 0x808080, kBlue = 0xC00000;
  const struct { std::vector<Color> table; std::vector<Pixel> pixels; int black; std::vector<Color> after; } cases[] = {
      {{kRed, kBlack}, {{kRed, false}}, -1, {kRed}},
      {{kRed, kDark, kGrey}, {{kRed, false}, {kGrey, false}}, 1, {kRed, kGrey}},  // an unused entry
      // each shown pixel moves to the nearest colour left: dark ones to black by 66, grey ones to dark by 167
      {{kGrey, kDark, kBlue}, {{kGrey, false}, {kGrey, false}, {kDark, false}, {kBlue, false}}, 1,
       {kGrey, kGrey, kBlack, kBlue}},
      {{kGrey, kDark}, {{kDark, false}, {kDark, false}, {kGrey, false}}, 1, {kBlack, kBlack, kGrey}},  // 2 x 66
      {{kGrey, kRed, kGrey}, {{kGrey, false}, {kRed, false}}, 2, {kGrey, kRed}},  // a second copy costs nothing
      // transparent pixels in the transparent colour do not count; one in another colour shows it
      {{kWhite, kRed, kDark}, {{kWhite, true}, {kWhite, true}, {kRed, true}, {kDark, false}}, 0,
       {kWhite, kWhite, kRed, kDark}},
      {{kRed}, {{kRed, false}, {kRed, true}}, 0, {kBlack, kWhite}},  // nothing left to invert with
  };
  for (const auto& c : cases) {
    const BlackEntryResult r = GiveBlackEntry(c.table, c.pixels);
    std::vector<Color> want = c.table;
    if (c.black >= 0) want[std::size_t(c.black)] = kBlack;
    EXPECT_EQ(std::tuple(r.black, r.table, r.after), std::tuple(c.black, want, c.after)) << c.table.size();
  }
}

// Sixteen spread colours, pink (255, 192, 203) in place of black, each entry shown by `others` opaque pixels
// unless a case counts it: which entry becomes black, and what its opaque and its inverting pixels become.
TEST(BlackEntry, OnSixteenColoursTheLeastChangeWinsNotTheFewestPixels) {
  constexpr Color kPurple = 0x800080, kPurple2 = 0x80008E;  // 14 apart
  struct Count { std::size_t entry; int opaque, inverting; };
  const struct { std::vector<std::pair<std::size_t, Color>> set; int others; std::vector<Count> counts;
                 int black; Color opaque, inverting; } cases[] = {
      // pink's 9 pixels would move by 64 each, the 12 of one purple onto the other by 14
      {{{13, kPurple2}}, 20, {{0, 9, 0}, {5, 12, 0}, {13, 13, 0}}, 5, kPurple2, 0},
      // 55 pixels 50 from red, 60 pixels 14 from the other purple (which has 61)
      {{{0, 0x0032FF}, {13, kPurple2}}, 61, {{0, 55, 0}, {13, 60, 0}}, 13, kPurple, 0},
      // a dark entry: opaque pixels go black, an inverting one to the nearest colour that still inverts
      {{{0, 0x14143C}}, 20, {{0, 2, 1}}, 0, kBlack, 0x000080},
      // near white: opaque to white, inverting not to white, which would show and save it transparent
      {{{0, 0xF0F0F0}}, 20, {{0, 1, 1}}, 0, kWhite, 0xC0C0C0},
      // four inverting pixels moving 83 each cost more than 19 opaque ones moving 14
      {{{0, 0xF0F0F0}, {13, kPurple2}}, 20, {{0, 0, 4}, {13, 19, 0}}, 13, kPurple, 0},
  };
  for (const auto& c : cases) {
    std::vector<Color> table = {0xCBC0FF, 0x000080, 0x008000, 0x008080, 0x800000, kPurple, 0x808000, 0x808080,
                                0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, kWhite};
    std::vector<Count> counts;
    for (std::size_t i = 0; i < table.size(); ++i) counts.push_back({i, c.others, 0});
    for (const auto& [i, color] : c.set) table[i] = color;
    for (const Count& k : c.counts) counts[k.entry] = k;
    std::vector<Pixel> pixels;
    for (const Count& k : counts) {
      pixels.insert(pixels.end(), std::size_t(k.opaque), {table[k.entry], false});
      pixels.insert(pixels.end(), std::size_t(k.inverting), {table[k.entry], true});
    }
    std::vector<Color> want;
    for (const Pixel& p : pixels)
      want.push_back(p.c != table[std::size_t(c.black)] ? p.c : p.clear ? c.inverting : c.opaque);
    const BlackEntryResult r = GiveBlackEntry(table, pixels);
    table[std::size_t(c.black)] = kBlack;
    EXPECT_EQ(std::tuple(r.black, r.table, r.after), std::tuple(c.black, table, want)) << c.black;
  }
}

}  // namespace
}  // namespace gw
