// The encoder's pixel and header rules, the decoder's recognition and colour rules, and the refusal of
// truncated, corrupted and hostile files.
#include <gtest/gtest.h>

#include "iconfile/core/IconCodec.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

using Bytes = std::vector<std::uint8_t>;

class IconCodecTest : public ::testing::Test {
 protected:
  Bytes Encode(int type, int size) { return EncodeIconFile(s, *FindIconFormat(type, size)); }
  Bytes Painted(int type, int size) {
    NewIcon(s, type, size);
    PaintPattern(s);
    return Encode(type, size);
  }
  static std::optional<DecodedIconFile> Decode(const Bytes& b) { return DecodeIconFile(b); }
  EditorState s;
};

// --- Encoder ---------------------------------------------------------------------------------------------

TEST_F(IconCodecTest, EncodesPixelsByDepth) {
  NewIcon(s, kTypeTrueColor, 16);
  s.iconimage.setPixel(0, 15, 0x0000FF);
  s.iconmask.setPixel(0, 15, kBlack);
  const Bytes t = Encode(kTypeTrueColor, 16);
  EXPECT_EQ(Bytes(t.begin() + 62, t.begin() + 68), (Bytes{0x00, 0x00, 0xFF, 0x00, 0x00, 0x00}))
      << "red as blue, green, red; a transparent white pixel as black";

  // 16 colours: a transparent near-white pixel (nearest index 15) is written as index 0 in either nibble; the
  // same colour opaque keeps 15.
  NewIcon(s, kType16Color, 16);
  for (int x : {0, 1, 2}) s.iconimage.setPixel(x, 15, 0xFEFEFE);
  s.iconmask.setPixel(2, 15, kBlack);
  const Bytes c16 = Encode(kType16Color, 16);
  EXPECT_EQ(c16[126], 0x00);
  EXPECT_EQ(c16[127], 0xF0);

  // Monochrome: transparent aqua -> colour 0, mask 1; opaque white -> 1, 0; light grey -> 0.
  NewIcon(s, kTypeMono, 24);
  s.iconimage.setPixel(1, 23, kWhite);
  s.iconimage.setPixel(2, 23, 0xC0C0C0);
  s.iconmask.setPixel(1, 23, kBlack);
  s.iconmask.setPixel(2, 23, kBlack);
  const Bytes m = Encode(kTypeMono, 24);
  const std::size_t xorAt = 62 + 8, andAt = xorAt + 96;
  EXPECT_EQ(Bytes(m.begin() + xorAt, m.begin() + xorAt + 4), (Bytes{0x40, 0, 0, 0}));
  EXPECT_EQ(Bytes(m.begin() + andAt, m.begin() + andAt + 4), (Bytes{0x9F, 0xFF, 0xFF, 0})) << "fill byte 0";
}

TEST_F(IconCodecTest, ColourTableIsTheTypesPaletteAndIndicesAreNearest) {
  NewIcon(s, kType256Color, 16);
  s.LogPalette256.palPalEntry[7] = {1, 2, 3, 0};
  CreatePalette256(s.LogPalette256, s.Palette256);
  s.iconimage.setPixel(0, 15, MakeColor(2, 2, 2));
  s.iconmask.setPixel(0, 15, kBlack);
  const Bytes b = Encode(kType256Color, 16);
  EXPECT_EQ(Bytes(b.begin() + 62 + 28, b.begin() + 62 + 32), (Bytes{3, 2, 1, 0}));
  EXPECT_EQ(b[62 + 1024], 7);
}

TEST_F(IconCodecTest, CursorKeepsItsHotSpotAndTheLiveImage) {
  NewIcon(s, kTypeCursor, 32);
  s.CursorHotSpotX = 5;
  s.CursorHotSpotY = 40000;
  const Bitmap before = s.iconimage;
  const Bytes b = Encode(kTypeCursor, 32);
  EXPECT_EQ(Bytes(b.begin() + 8, b.begin() + 14), (Bytes{0, 0, 5, 0, 0x40, 0x9C}));
  EXPECT_EQ(b[62 + 8], 0) << "transparent aqua written as black";
  EXPECT_EQ(s.iconimage, before);
  const auto d = Decode(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(std::vector<int>({d->hotSpotX, d->hotSpotY}), std::vector<int>({5, 40000}));
}

// --- Decoder ---------------------------------------------------------------------------------------------

TEST_F(IconCodecTest, IndexedPixelsTakeTheFilesColourTable) {
  Bytes b = Painted(kType16Color, 16);
  SetLe(b, 62 + 4, 4, 0x00112233);  // entry 1
  SetLe(b, 62 + 60, 4, 0x00445566); // entry 15
  b[126] = 0x1F;
  const auto d = Decode(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->image.pixel(0, 15), 0x332211u);
  EXPECT_EQ(d->image.pixel(1, 15), 0x665544u);
  EXPECT_EQ(s.Colors16, s.DefaultColors16) << "the editor's palette is not replaced";

  // 1 bit: the table's colours snap to black or white, either way round.
  Bytes m = Painted(kTypeMono, 16);
  const auto plain = Decode(m);
  SetLe(m, 62, 4, 0x00C8C8C8);
  SetLe(m, 66, 4, 0x000A0A0A);
  const auto inverted = Decode(m);
  ASSERT_TRUE(plain && inverted);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x)
      if (plain->mask.pixel(x, y) == kBlack) {
        ASSERT_EQ(inverted->image.pixel(x, y), plain->image.pixel(x, y) ^ kWhite);
      }
}

TEST_F(IconCodecTest, TransparencyOfDecodedPixels) {
  // (type, colour bits of pixel (0, S - 1), mask bit) -> image, mask.
  struct Case {
    int type;
    std::uint32_t colourBits;
    bool maskBit;
    Color image, mask;
  };
  const Case cases[] = {
      {kTypeTrueColor, 0x000000, true, kWhite, kWhite}, {kTypeTrueColor, 0x00FF00, true, 0x00FF00, kWhite},
      {kTypeTrueColor, 0x000000, false, kBlack, kBlack}, {kTypeMono, 0, true, kAqua, kWhite},
      {kTypeMono, 1, true, kAqua, kWhite},              {kTypeMono, 1, false, kWhite, kBlack},
      {kTypeCursor, 0, true, kAqua, kWhite},            {kType16Color, 0, true, kWhite, kWhite},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.type);
    NewIcon(s, c.type, 32);
    Bytes b = Encode(c.type, 32);
    const IconFormat& f = *FindIconFormat(c.type, 32);
    if (f.bits == 24) SetLe(b, std::size_t(f.xorOffset()), 3, c.colourBits);
    else b[std::size_t(f.xorOffset())] = static_cast<std::uint8_t>(c.colourBits << (8 - f.bits));
    b[std::size_t(f.andOffset())] = c.maskBit ? 0x80 : 0x00;
    const auto d = Decode(b);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->image.pixel(0, 31), c.image);
    EXPECT_EQ(d->mask.pixel(0, 31), c.mask);
  }
}

TEST_F(IconCodecTest, RecognitionOfTheFirstEntry) {
  // From a file of (type, size): the entry's idType, bWidth, bColorCount, wBitCount (-1: as written) and the
  // header's biBitCount (-1: as written) -> the format read, or -1 for refused.
  struct Case {
    int type, size, idType, width, c, b, headerBits, readType;
  };
  const Case cases[] = {
      {kTypeMono, 16, 2, -1, -1, -1, -1, -1},          // a 16 x 16 cursor
      {kTypeCursor, 32, -1, 16, -1, -1, -1, 4},        // a cursor's width does not decide
      {kTypeMono, 32, 2, -1, -1, -1, -1, 4},           // an .ico with idType 2
      {kType256Color, 16, -1, -1, 16, 8, -1, -1},      // c 16, b 8: a 16-colour entry over an 8-bit bitmap
      {kType16Color, 24, -1, -1, 0, 4, -1, 0},         //
      {kTypeMono, 24, -1, -1, 2, 1, -1, 3},            //
      {kTypeMono, 24, -1, -1, 0, 1, -1, 3},            //
      {kTypeMono, 32, -1, -1, 0, 1, -1, 3},            // not a cursor
      {kTypeMono, 32, -1, -1, 5, 0, -1, 4},            // c 5, b 0 at 32: the cursor
      {kTypeTrueColor, 48, -1, -1, 0, 32, 32, -1},     // 32 bits
      {kTypeTrueColor, 32, -1, -1, 0, 32, 32, -1},     // 32 bits at 32: the cursor rule, then refused
      {kTypeTrueColor, 40, -1, -1, 0, 0, -1, 2},       // bit count 0: the header decides
      {kType256Color, 56, -1, -1, 0, 0, -1, 1},        //
      {kType16Color, 64, -1, -1, 0, 0, -1, 0},         //
      {kTypeTrueColor, 32, -1, -1, 0, 0, 32, -1},      //
      {kTypeTrueColor, 16, -1, 0, -1, -1, -1, -1},     // a 256-pixel entry
      {kTypeTrueColor, 16, -1, 20, -1, -1, -1, -1},    //
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.type << " " << c.size << " " << c.idType << " " << c.width << " "
                                      << c.c << " " << c.b << " " << c.headerBits);
    NewIcon(s, c.type, c.size);
    Bytes b = Encode(c.type, c.size);
    if (c.idType >= 0) SetLe(b, 2, 2, std::uint32_t(c.idType));
    if (c.width >= 0) b[6] = std::uint8_t(c.width);
    if (c.c >= 0) b[8] = std::uint8_t(c.c);
    if (c.b >= 0) SetLe(b, 12, 2, std::uint32_t(c.b));
    if (c.headerBits >= 0) SetLe(b, 36, 2, std::uint32_t(c.headerBits));
    const auto d = Decode(b);
    EXPECT_EQ(d ? d->type : -1, c.readType);
  }
}

TEST_F(IconCodecTest, ReadsFromTheImageOffsetAndTheFirstEntryOnly) {
  const Bytes plain = Painted(kType16Color, 32);
  // Two entries, the image 40 bytes further on.
  Bytes b(plain.begin(), plain.begin() + 22);
  SetLe(b, 4, 2, 2);
  b.insert(b.end(), 16 + 24, 0xAB);
  SetLe(b, 18, 4, 22 + 16 + 24);
  b.insert(b.end(), plain.begin() + 22, plain.end());
  const auto a = Decode(plain), d = Decode(b);
  ASSERT_TRUE(a && d);
  EXPECT_EQ(d->image, a->image);
  EXPECT_EQ(d->mask, a->mask);
}

TEST_F(IconCodecTest, ShorterColourTables) {
  // A 4-bit bitmap with a 2-entry table: the pixels follow it, and every index must be in it.
  NewIcon(s, kType16Color, 16);
  Bytes b = Encode(kType16Color, 16);
  SetLe(b, 54, 4, 2);
  b.erase(b.begin() + 62 + 8, b.begin() + 62 + 64);
  SetLe(b, 62, 4, 0x00FF0000);  // red
  SetLe(b, 66, 4, 0x0000FF00);
  b[70] = 0x10;
  const auto d = Decode(b);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->image.pixel(0, 15), 0x00FF00u);
  EXPECT_EQ(d->image.pixel(1, 15), 0x0000FFu);
  b[70] = 0x12;
  EXPECT_FALSE(Decode(b));
}

// --- Hostile files ---------------------------------------------------------------------------------------

TEST_F(IconCodecTest, EveryTruncationIsRefused) {
  for (const IconFormat& f : IconFormats()) {
    const Bytes b = Painted(f.type, f.size);
    for (std::size_t n = 0; n < b.size(); ++n)
      ASSERT_FALSE(DecodeIconFile(std::span(b).first(n))) << FormatName(f) << " cut to " << n;
  }
}

TEST_F(IconCodecTest, BadFieldsAreRefused) {
  // (offset, width, value) written into a 16-colour 32 x 32 file.
  struct Case {
    std::size_t at;
    int width;
    std::uint32_t value;
  };
  const Case cases[] = {
      {0, 2, 1},           {2, 2, 0},          {2, 2, 3},          {4, 2, 0},          {18, 4, 0xFFFFFFFF},
      {18, 4, 766},        {18, 4, 766 - 39},  {18, 4, 23},        {22, 4, 12},        {22, 4, 108},
      {22, 4, 124},        {26, 4, 16},        {30, 4, 32},        {30, 4, 0xFFFFFFC0}, {36, 2, 8},
      {38, 4, 1},          {38, 4, 3},         {54, 4, 17},        {54, 4, 0xFFFFFFFF}, {26, 4, 0x80000020},
  };
  const Bytes good = Painted(kType16Color, 32);
  ASSERT_TRUE(Decode(good));
  for (const Case& c : cases) {
    Bytes b = good;
    SetLe(b, c.at, c.width, c.value);
    EXPECT_FALSE(Decode(b)) << "offset " << c.at << " := " << c.value;
  }
  // Fields other writers fill differently are not checked.
  const Case ignored[] = {{9, 1, 7}, {10, 2, 0}, {14, 4, 0}, {34, 2, 0}, {42, 4, 0}, {46, 4, 99}, {58, 4, 3}, {65, 1, 9}};
  for (const Case& c : ignored) {
    Bytes b = good;
    SetLe(b, c.at, c.width, c.value);
    EXPECT_TRUE(Decode(b)) << "offset " << c.at << " := " << c.value;
  }
}

}  // namespace
}  // namespace gw
