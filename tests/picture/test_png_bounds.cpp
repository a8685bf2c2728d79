// PNG headers that claim more than the file can hold are refused before the rows are made.
#include <gtest/gtest.h>

#include "CraftedPictures.h"
#include "PictureFiles.h"

using namespace gw;
using gw::test::PicturePath;
using gw::test::ReadBytes;

namespace {

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t c = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < n; ++i) {
    c ^= p[i];
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1)));
  }
  return ~c;
}

void PutBe32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (24 - 8 * i));
}

// A small PNG whose header says width x height (interlaced or not), its checksum made to match.
std::vector<std::uint8_t> Claiming(std::uint32_t width, std::uint32_t height, bool interlaced = false) {
  std::vector<std::uint8_t> b = ReadBytes(PicturePath("png_rgb8.png"));
  PutBe32(b, 16, width);
  PutBe32(b, 20, height);
  b[28] = interlaced ? 1 : 0;
  PutBe32(b, 29, Crc32(b.data() + 12, 17));
  return b;
}

// Deflate gives at most 1032 bytes a byte: a header whose filtered rows (of 24 bits a pixel here, of all
// seven passes when interlaced) exceed that is refused before any row is made.
TEST(PngBounds, RowsTheFileCannotHoldAreRefusedFirst) {
  const std::uint64_t most = ReadBytes(PicturePath("png_rgb8.png")).size() * 1032;
  for (const bool interlaced : {false, true}) {
    std::uint32_t widest = static_cast<std::uint32_t>(most / 1000 / 3) + 10;  // of 1000 rows
    while (PngRawSize(widest, 1000, 24, interlaced) > most) --widest;
    struct Case {
      std::uint32_t width, height;
      const char* error;  // nullptr: refused for another reason (the data does not fill the rows)
    } const cases[] = {{30000, 5000, "PNG data is truncated"}, {widest + 1, 1000, "PNG data is truncated"},
                       {widest, 1000, nullptr}, {64, 64, nullptr}};
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << (interlaced ? " interlaced" : ""));
      std::string error;
      EXPECT_FALSE(DecodePng(Claiming(c.width, c.height, interlaced), error));
      if (c.error) {
        EXPECT_EQ(error, c.error);
      } else {
        EXPECT_NE(error, "PNG data is truncated");
      }
    }
  }
}

}  // namespace
