// Bounds-checked little-endian reads: a value where all its bytes are there, nothing anywhere else.
#include <gtest/gtest.h>

#include <limits>

#include "platform/ByteReader.h"

using gw::ByteReader;

namespace {

constexpr std::uint8_t kBytes[] = {0x01, 0x02, 0x03, 0x04, 0xFF};
constexpr std::uint64_t kHuge = std::numeric_limits<std::uint64_t>::max();

struct ReadCase {
  std::uint64_t at;
  int width;
  std::optional<std::uint32_t> expected;
};

TEST(ByteReader, ReadsOnlyWhatIsThere) {
  const ByteReader r(kBytes);
  const ReadCase cases[] = {
      {0, 1, 0x01},       {4, 1, 0xFF},         {5, 1, std::nullopt},     {0, 2, 0x0201},
      {3, 2, 0xFF04},     {4, 2, std::nullopt}, {2, 3, 0xFF0403},         {3, 3, std::nullopt},
      {0, 4, 0x04030201}, {1, 4, 0xFF040302},   {2, 4, std::nullopt},     {kHuge, 1, std::nullopt},
      {kHuge - 1, 4, std::nullopt},             {std::uint64_t{1} << 32, 4, std::nullopt},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at << " x " << c.width);
    const auto v = c.width == 1 ? r.u8(c.at) : c.width == 2 ? r.u16(c.at) : c.width == 3 ? r.u24(c.at) : r.u32(c.at);
    EXPECT_EQ(v, c.expected);
  }
  EXPECT_EQ(r.i32(1), static_cast<std::int32_t>(0xFF040302u));
  EXPECT_EQ(r.i32(2), std::nullopt);
}

TEST(ByteReader, RangesMustLieWhollyInside) {
  const ByteReader r(kBytes);
  struct {
    std::uint64_t at, n;
    bool inside;
  } const cases[] = {{0, 5, true}, {5, 0, true}, {0, 6, false}, {4, 2, false}, {6, 0, false},
                     {1, kHuge, false}, {kHuge, 2, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.at << " + " << c.n);
    EXPECT_EQ(r.has(c.at, c.n), c.inside);
    const auto range = r.bytes(c.at, c.n);
    ASSERT_EQ(range.has_value(), c.inside);
    if (range) {
      EXPECT_EQ(range->size(), c.n);
    }
  }
  EXPECT_EQ(ByteReader({}).u8(0), std::nullopt);
}

}  // namespace
