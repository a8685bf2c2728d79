// The encoder's pixel rules, the decoder's recognition, colour and transparency rules, and the refusal of
// truncated, corrupted and hostile files.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

class IconCodecTest : public ::testing::Test {
 protected:
  Bytes Blank(int type, int size) {
    NewIcon(s, type, size);
    return Encode(s);
  }
  void Opaque(int x, int y, Color c) {
    s.iconimage.setPixel(x, y, c);
    s.iconmask.setPixel(x, y, kBlack);
  }
  static Bytes Slice(const Bytes& b, std::size_t at, std::size_t n) {
    return Bytes(b.begin() + long(at), b.begin() + long(at + n));
  }
  // The two left pixels of the bottom row: the first two of the file.
  static std::vector<Color> FirstTwo(const DecodedIconFile& d) {
    return {d.image.pixel(0, d.size - 1), d.image.pixel(1, d.size - 1)};
  }
  EditorState s;
};

TEST_F(IconCodecTest, EncodesPixelsByDepth) {
  NewIcon(s, kTypeTrueColor, 16);
  Opaque(0, 15, 0x0000FF);
  EXPECT_EQ(Slice(Encode(s), 62, 6), (Bytes{0, 0, 0xFF, 0, 0, 0})) << "red; then transparent white as black";
  // 16 colours: a transparent near-white pixel (nearest entry 15) is written as 0 in either nibble.
  NewIcon(s, kType16Color, 16);
  for (int x : {0, 1, 2}) s.iconimage.setPixel(x, 15, 0xFEFEFE);
  s.iconmask.setPixel(2, 15, kBlack);
  EXPECT_EQ(Slice(Encode(s), 126, 2), (Bytes{0x00, 0xF0}));
  // ... with a file's table the rule follows white (entry 3) and black (entry 6), not the entry numbers.
  std::vector<Color> table(16, 0x123456);
  table[3] = kWhite, table[6] = kBlack, table[15] = 0x0000FF;
  UseFileColorTable(s, table);
  s.iconimage.setPixel(1, 15, 0x0000FF);  // transparent red stays red
  EXPECT_EQ(Slice(Encode(s), 126, 2), (Bytes{0x6F, 0x36}));  // opaque near-white: 3
  // Monochrome: transparent aqua -> colour 0, mask 1; opaque white -> 1, 0; light grey -> 0; fill byte 0.
  NewIcon(s, kTypeMono, 24);
  Opaque(1, 23, kWhite);
  Opaque(2, 23, 0xC0C0C0);
  const Bytes m = Encode(s);
  EXPECT_EQ(Slice(m, 70, 4), (Bytes{0x40, 0, 0, 0}));
  EXPECT_EQ(Slice(m, 70 + 96, 4), (Bytes{0x9F, 0xFF, 0xFF, 0}));
  // 256 colours: the table is the current palette, an index the nearest entry.
  NewIcon(s, kType256Color, 16);
  s.LogPalette256.palPalEntry[7] = {1, 2, 3, 0};
  CreatePalette256(s.LogPalette256, s.Palette256);
  Opaque(0, 15, MakeColor(2, 2, 2));
  const Bytes p = Encode(s);
  EXPECT_EQ(Slice(p, 62 + 28, 4), (Bytes{3, 2, 1, 0}));
  EXPECT_EQ(p[62 + 1024], 7);
}

TEST_F(IconCodecTest, CursorHotSpotIsKeptAsSixteenBits) {
  NewIcon(s, kTypeCursor, 32);
  s.CursorHotSpotX = 5;
  s.CursorHotSpotY = 40000;
  const Bytes b = Encode(s);
  EXPECT_EQ(Slice(b, 8, 6), (Bytes{0, 0, 5, 0, 0x40, 0x9C}));
  const auto d = DecodeIconFile(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(std::vector<int>({d->hotSpotX, d->hotSpotY}), std::vector<int>({5, 40000}));
}

TEST_F(IconCodecTest, IndexedPixelsTakeTheFilesColourTable) {
  Bytes b = Blank(kType16Color, 16);
  SetLe(b, 62 + 4, 4, 0x00112233);
  SetLe(b, 62 + 60, 4, 0x00445566);
  b[126] = 0x1F;
  b[126 + 128] = 0;  // opaque
  auto d = DecodeIconFile(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(FirstTwo(*d), std::vector<Color>({0x332211, 0x665544}));
  // 1 bit: the table's entries snap to black or white, here the other way round.
  NewIcon(s, kTypeMono, 16);
  Opaque(0, 15, kWhite);
  Opaque(1, 15, kBlack);
  b = Encode(s);
  SetLe(b, 62, 4, 0x00C8C8C8);
  SetLe(b, 66, 4, 0x000A0A0A);
  d = DecodeIconFile(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(FirstTwo(*d), std::vector<Color>({kBlack, kWhite}));
}

// A two-colour icon keeps its two levels whatever its colours: the darker entry (by luminance; entry 0 on a
// tie) opens black and the lighter white, and what is saved opens the same again.
TEST_F(IconCodecTest, TwoColourIconsKeepTheirTwoLevels) {
  // The two entries as the file stores them (0xRRGGBB), and whether entry 0 opens black.
  const struct { std::uint32_t entry0, entry1; bool entry0Black; } tables[] = {
      {0x000080, 0x800000, true},   // navy and maroon
      {0x800000, 0x000080, false},  // maroon and navy
      {0x000000, 0x8B0000, true},   // black and dark red
      {0xE0FFFF, 0xFFE0E0, false},  // light cyan and light pink
      {0x000000, 0xFFFFFF, true},   {0xFFFFFF, 0x000000, false},  {0x808080, 0x808080, true}};
  NewIcon(s, kTypeMono, 16);
  PaintPattern(s);
  const Bitmap painted = s.iconimage;
  for (const auto& t : tables) {
    Bytes b = Encode(s);
    SetLe(b, 62, 4, t.entry0);
    SetLe(b, 66, 4, t.entry1);
    Bitmap want = painted;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if (s.iconmask.pixel(x, y) == kBlack && !t.entry0Black) want.setPixel(x, y, painted.pixel(x, y) ^ kWhite);
    const auto d = DecodeIconFile(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->image, want) << std::hex << t.entry0 << " " << t.entry1;
    EXPECT_EQ(d->mask, s.iconmask);
    const auto again = DecodeIconFile(EncodeIconFile(d->format(), d->image, d->mask, 0, 0, ColorSourceFor(s, kTypeMono)));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->image, want);
  }
}

TEST_F(IconCodecTest, TransparencyOfDecodedPixels) {
  // type, colour bits of pixel (0, S - 1), its mask bit -> image, mask.
  const struct { int type; std::uint32_t bits; bool maskBit; Color image, mask; } cases[] = {
      {kTypeTrueColor, 0x000000, true, kWhite, kWhite}, {kTypeTrueColor, 0x00FF00, true, 0x00FF00, kWhite},
      {kTypeTrueColor, 0x000000, false, kBlack, kBlack}, {kTypeMono, 0, true, kAqua, kWhite},
      {kTypeMono, 1, true, kAqua, kWhite}, {kTypeMono, 1, false, kWhite, kBlack}, {kTypeCursor, 0, true, kAqua, kWhite},
      {kType16Color, 0, true, kWhite, kWhite}};
  for (const auto& c : cases) {
    Bytes b = Blank(c.type, 32);
    const IconFormat& f = *FindIconFormat(c.type, 32);
    if (f.bits == 24) SetLe(b, std::size_t(f.xorOffset()), 3, c.bits);
    else b[std::size_t(f.xorOffset())] = std::uint8_t(c.bits << (8 - f.bits));
    b[std::size_t(f.andOffset())] = c.maskBit ? 0x80 : 0x00;
    const auto d = DecodeIconFile(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(std::vector<Color>({d->image.pixel(0, 31), d->mask.pixel(0, 31)}), std::vector<Color>({c.image, c.mask}))
        << c.type << " " << c.bits << " " << c.maskBit;
  }
}

TEST_F(IconCodecTest, RecognitionOfTheFirstEntry) {
  // A file of (type, size) with its idType, bWidth, bColorCount, wBitCount and biBitCount changed where not
  // -1 -> the type read, -1 for refused.
  const struct { int type, size, idType, width, c, b, headerBits, read; } cases[] = {
      {kTypeMono, 16, 2, -1, -1, -1, -1, -1},       // a 16 x 16 cursor
      {kTypeCursor, 32, -1, 16, -1, -1, -1, 4},     // a cursor's width does not decide
      {kTypeMono, 32, 2, -1, -1, -1, -1, 4},        // an icon file with idType 2
      {kType256Color, 16, -1, -1, 16, 8, -1, -1},   // c 16, b 8: 16 colours by the entry, 8 bits by the header
      {kType16Color, 24, -1, -1, 0, 4, -1, 0},      {kTypeMono, 24, -1, -1, 2, 1, -1, 3},
      {kTypeMono, 24, -1, -1, 0, 1, -1, 3},         {kTypeMono, 32, -1, -1, 0, 1, -1, 3},
      {kTypeMono, 32, -1, -1, 5, 0, -1, 4},         // c 5, b 0 at 32: the cursor
      {kTypeTrueColor, 48, -1, -1, 0, 32, 32, -1},  // 32 bits
      {kTypeTrueColor, 32, -1, -1, 0, 32, 32, -1},  // 32 bits at 32: the cursor rule, then refused
      {kTypeTrueColor, 40, -1, -1, 0, 0, -1, 2},    // bit count 0: the header decides
      {kType256Color, 56, -1, -1, 0, 0, -1, 1},     {kType16Color, 64, -1, -1, 0, 0, -1, 0},
      {kTypeTrueColor, 32, -1, -1, 0, 0, 32, -1},   {kTypeTrueColor, 16, -1, 0, -1, -1, -1, -1},
      {kTypeTrueColor, 16, -1, 20, -1, -1, -1, -1}};
  for (const auto& c : cases) {
    Bytes b = Blank(c.type, c.size);
    const std::tuple<int, int, int> fields[] = {{2, 2, c.idType}, {6, 1, c.width}, {8, 1, c.c}, {12, 2, c.b},
                                                 {36, 2, c.headerBits}};
    for (const auto& [at, width, value] : fields)
      if (value >= 0) SetLe(b, std::size_t(at), width, std::uint32_t(value));
    const auto d = DecodeIconFile(b);
    EXPECT_EQ(d ? d->type : -1, c.read) << c.type << " " << c.size << " " << c.idType << " " << c.width << " " << c.c
                                        << " " << c.b << " " << c.headerBits;
  }
}

TEST_F(IconCodecTest, ImageAtItsOffsetWithAShorterColourTable) {
  // Two entries and 24 spare bytes before the image, whose 4-bit bitmap has a 2-entry table.
  const Bytes plain = Blank(kType16Color, 16);
  Bytes b(plain.begin(), plain.begin() + 22);
  SetLe(b, 4, 2, 2);
  SetLe(b, 18, 4, 22 + 16 + 24);
  b.insert(b.end(), 16 + 24, 0xAB);
  b.insert(b.end(), plain.begin() + 22, plain.begin() + 62 + 8);
  b.insert(b.end(), plain.begin() + 62 + 64, plain.end());
  const std::size_t bitmap = 62 + 40 + 8;
  SetLe(b, 62 + 32, 4, 2);
  SetLe(b, 62 + 40, 4, 0x00FF0000);
  SetLe(b, 62 + 44, 4, 0x0000FF00);
  b[bitmap] = 0x10;
  b[bitmap + 128] = 0;
  const auto d = DecodeIconFile(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(FirstTwo(*d), std::vector<Color>({0x00FF00, 0x0000FF}));
  b[bitmap] = 0x12;
  EXPECT_FALSE(DecodeIconFile(b)) << "index 2 is outside the table";
}

TEST_F(IconCodecTest, EveryTruncationIsRefused) {
  for (const IconFormat& f : IconFormats()) {
    const Bytes b = Blank(f.type, f.size);
    for (std::size_t n = 0; n < b.size(); ++n)
      ASSERT_FALSE(DecodeIconFile(std::span(b).first(n))) << f.index << " cut to " << n;
  }
}

TEST_F(IconCodecTest, BadFieldsAreRefusedAndFieldsOthersFillDifferentlyAreNot) {
  // offset, width, value written into a 16-colour 32 x 32 file; then whether it still opens.
  const struct { std::size_t at; int width; std::uint32_t value; bool opens; } cases[] = {
      {0, 2, 1, false}, {2, 2, 0, false}, {2, 2, 3, false}, {4, 2, 0, false}, {18, 4, 0xFFFFFFFF, false},
      {18, 4, 766, false}, {18, 4, 727, false}, {18, 4, 23, false}, {22, 4, 12, false}, {22, 4, 108, false},
      {22, 4, 124, false}, {26, 4, 16, false}, {26, 4, 0x80000020, false}, {30, 4, 32, false},
      {30, 4, 0xFFFFFFC0, false}, {36, 2, 8, false}, {38, 4, 1, false}, {38, 4, 3, false}, {54, 4, 17, false},
      {54, 4, 0xFFFFFFFF, false}, {4, 2, 0xFFFF, true}, {9, 1, 7, true}, {10, 2, 0, true}, {14, 4, 0, true},
      {34, 2, 0, true}, {42, 4, 0, true}, {46, 4, 99, true}, {58, 4, 3, true}, {65, 1, 9, true}};
  const Bytes good = Blank(kType16Color, 32);
  for (const auto& c : cases) {
    Bytes b = good;
    SetLe(b, c.at, c.width, c.value);
    EXPECT_EQ(bool(DecodeIconFile(b)), c.opens) << "offset " << c.at << " := " << c.value;
  }
}

}  // namespace
}  // namespace gw
