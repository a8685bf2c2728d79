// BMP bit fields wherever a header puts them, and files cut short inside them: every cut is refused.
#include <gtest/gtest.h>

#include "iconfile/picture/Picture.h"

using namespace gw;

namespace {

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A 1 x 1, 32-bit picture with a `headerSize`-byte header and red, green, blue (and alpha) masks: those the
// header has room for inside it, the others right behind it.
std::vector<std::uint8_t> FieldsBmp(std::uint32_t headerSize, std::uint32_t compression) {
  const std::uint32_t masks[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
  const std::uint32_t count = compression == 6 ? 4 : 3;
  const std::uint32_t inHeader = std::min(count, (headerSize - 40) / 4);
  const std::uint32_t offBits = 14 + headerSize + 4 * (count - inHeader);
  std::vector<std::uint8_t> b(offBits + 4, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 2, static_cast<std::uint32_t>(b.size()));
  Put32(b, 10, offBits);
  Put32(b, 14, headerSize);
  Put32(b, 18, 1);
  Put32(b, 22, 1);
  b[26] = 1, b[28] = 32;
  Put32(b, 30, compression);
  for (std::uint32_t i = 0; i < count; ++i) Put32(b, 54 + 4 * i, masks[i]);
  if (headerSize >= 56) Put32(b, 66, masks[3]);
  Put32(b, offBits, 0x80FF4020);
  return b;
}

struct FieldsCase {
  std::uint32_t headerSize, compression;
  std::uint8_t alpha;  // 255: the picture has no alpha mask
};

TEST(BmpBitFields, AreReadInsideAndBehindTheHeaderAndRefusedWhenCutShort) {
  const FieldsCase cases[] = {{40, 3, 255}, {40, 6, 0x80}, {52, 3, 255}, {52, 6, 0x80},
                              {56, 3, 0x80}, {56, 6, 0x80}, {108, 3, 0x80}, {124, 6, 0x80}};
  for (const FieldsCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.headerSize << " / " << c.compression);
    const std::vector<std::uint8_t> whole = FieldsBmp(c.headerSize, c.compression);
    std::string error;
    const auto p = DecodeBmp(whole, error);
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(std::vector<std::uint8_t>(p->rgba.begin(), p->rgba.end()),
              (std::vector<std::uint8_t>{0xFF, 0x40, 0x20, c.alpha}));
    // Cut anywhere inside the masks that follow the header (or, for those inside it, inside the header).
    const std::size_t masksEnd = std::max<std::size_t>(14 + c.headerSize, whole.size() - 4);
    for (std::size_t n = masksEnd - 3; n < masksEnd; ++n) {
      const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
      EXPECT_FALSE(DecodeBmp(cut, error)) << n;
      EXPECT_TRUE(error == "BMP bit fields are truncated" || error == "BMP header is truncated") << error;
    }
  }
}

// Uncompressed rows the file cannot hold are refused from the header, whatever the claimed size.
TEST(BmpBitFields, RowsTheFileCannotHoldAreRefused) {
  for (const std::uint32_t side : {2u, 1000u, 12000u}) {
    std::vector<std::uint8_t> b = FieldsBmp(40, 3);
    Put32(b, 18, side);
    Put32(b, 22, side);
    std::string error;
    EXPECT_FALSE(DecodeBmp(b, error)) << side;
    EXPECT_EQ(error, "BMP pixel data is truncated");
  }
}

// A 3 x 2 RLE8 picture with a black and white colour table and the given run-length data.
std::vector<std::uint8_t> Rle8Bmp(const std::vector<std::uint8_t>& runs) {
  std::vector<std::uint8_t> b(14 + 40 + 8, 0);
  b[0] = 'B', b[1] = 'M';
  Put32(b, 10, static_cast<std::uint32_t>(b.size()));
  Put32(b, 14, 40);
  Put32(b, 18, 3);
  Put32(b, 22, 2);
  b[26] = 1, b[28] = 8;
  Put32(b, 30, 1);
  Put32(b, 46, 2);
  Put32(b, 58, 0x00FFFFFF);
  b.insert(b.end(), runs.begin(), runs.end());
  return b;
}

// Run-length data is whole when it reaches an end of picture or the top row; anything cut short before is
// refused. Skipped pixels are transparent white.
TEST(BmpRunLengths, AreDecodedOnlyWhenWhole) {
  struct Case {
    std::vector<std::uint8_t> runs;
    const char* bottomRow;  // 'W' white, 'K' black, '.' skipped; nullptr: refused
  } const cases[] = {
      {{2, 1, 0, 0, 1, 0, 0, 1}, "WW."},
      {{0, 3, 1, 0, 1, 0, 0, 0, 0, 0}, "WKW"},          // a literal of three, padded to an even length
      {{0, 2, 1, 0, 1, 1, 0, 1}, ".W."},                // a delta moves right
      {{3, 0, 0, 0, 3, 1, 0, 0}, "KKK"},                // past the top row: no end marker needed
      {{2, 1}, nullptr},                                // no end
      {{0, 2, 1}, nullptr},                             // delta cut short
      {{0, 3, 1, 0}, nullptr},                          // literal cut short
      {{0}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.runs));
    std::string error;
    const auto p = DecodeBmp(Rle8Bmp(c.runs), error);
    if (!c.bottomRow) {
      EXPECT_FALSE(p);
      EXPECT_EQ(error, "BMP run-length data is truncated");
      continue;
    }
    ASSERT_TRUE(p) << error;
    for (int x = 0; x < 3; ++x) {
      const std::uint8_t* px = p->pixel(x, 1);
      const char seen = px[3] == 0 ? '.' : px[0] == 255 ? 'W' : 'K';
      EXPECT_EQ(seen, c.bottomRow[x]) << x;
    }
  }
}

}  // namespace
