// The program-file reader on files built here: both header kinds, the order of the groups, the choice of
// entry, the payload kinds and depths, scaling, alpha against the mask, and broken files of every kind.
#include <gtest/gtest.h>

#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/PeResources.h"
#include "PeBuilder.h"

using namespace gw;
using namespace gw::test;

namespace {

// A 32 x 32 24-bit payload of one colour (0xRRGGBB), unmasked.
Bytes Solid(std::uint32_t rgb) { return Dib(32, 32, 24, [=](int, int) { return rgb; }); }
Group OneEntry(std::string name, std::uint16_t id, std::uint16_t icon) { return {std::move(name), id, {{32, 32, 24, icon}}}; }

// 16 bits with 5-6-5 bit fields: (16, 48, 0) stored on the left half, black on the right.
Bytes Fields565() {
  Bytes b = Dib(32, 32, 16, [](int x, int) { return x < 16 ? (16u << 11 | 48u << 5) : 0u; });
  Put(b, 16, 3, 4);
  b.insert(b.begin() + 40, 12, 0);
  Put(b, 40, 0xF800, 4);
  Put(b, 44, 0x07E0, 4);
  Put(b, 48, 0x001F, 4);
  return b;
}

// The same as a 1-bit DIB with a 12-byte core header: palette entries of three bytes.
Bytes Core1Bit(const Bytes& dib) {
  Bytes b;
  for (std::uint32_t v : {12u, 32u | 64u << 16, 1u | 1u << 16}) Append(b, v, 4);
  for (std::size_t at : {40u, 44u}) b.insert(b.end(), dib.begin() + static_cast<std::ptrdiff_t>(at), dib.begin() + static_cast<std::ptrdiff_t>(at + 3));
  b.insert(b.end(), dib.begin() + 48, dib.end());
  return b;
}

Bitmap Draw(const Bytes& payload) {
  Bitmap cell;
  EXPECT_TRUE(DrawIconPayload(payload, cell));
  return cell;
}
Bitmap DrawIcon(const Bytes& file, int index) {
  const PeResources res(file);
  Bitmap cell;
  DrawProgramFileIcon(res, index, cell);
  return cell;
}
constexpr Color Rgb(std::uint32_t rgb) { return MakeColor(int(rgb >> 16), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)); }

// Four groups declared out of order; the file stores the named ones first by name, then the numbered ones.
Bytes FourGroups(bool plus) {
  return BuildPe({OneEntry("", 20, 1), OneEntry("ZED", 0, 2), OneEntry("", 5, 3), OneEntry("ALPHA", 0, 4)},
                 {{1, Solid(0x200000)}, {2, Solid(0x002000)}, {3, Solid(0x000020)}, {4, Solid(0x202020)}}, plus);
}

}  // namespace

class BothHeaders : public ::testing::TestWithParam<bool> {};
INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, BothHeaders, ::testing::Bool());

TEST_P(BothHeaders, GroupsInStoredOrderNamedFirst) {
  const Bytes file = FourGroups(GetParam());
  EXPECT_EQ(PeResources(file).IconCount(), 4);
  const std::uint32_t want[] = {0x202020, 0x002000, 0x000020, 0x200000};  // ALPHA, ZED, 5, 20
  for (int i = 0; i < 4; ++i) EXPECT_EQ(DrawIcon(file, i).pixel(5, 5), Rgb(want[i])) << i;
}

TEST(GroupEntry, NearestSizeThenDepthFirstWins) {
  struct Case {
    std::vector<GroupEntry> entries;
    int want;
  } cases[] = {
      {{{32, 32, 8, 1}, {32, 32, 8, 2}}, 1},                      // a tie: the first listed
      {{{32, 32, 4, 1}, {32, 32, 24, 2}, {32, 32, 8, 3}}, 2},     // least |32 - bits|
      {{{16, 16, 32, 1}, {48, 48, 32, 2}, {40, 40, 4, 3}}, 3},    // nearest size before depth
      {{{0, 0, 32, 1}, {48, 48, 4, 2}}, 2},                       // 0 x 0 is 256 x 256
      {{{0, 32, 32, 1}, {40, 40, 4, 2}}, 2},                      // a single 0 is 0
      {{{24, 40, 4, 1}, {16, 32, 32, 2}}, 1},                     // equal totals: the first one's distances
      {{{16, 48, 4, 1}, {48, 16, 32, 2}}, 2},                     // the same distances: the depth
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseGroupEntry(GroupBytes(c.entries), 32, 32, 32), c.want);

  Bytes bad = GroupBytes({{32, 32, 8, 1}});
  bad[0] = 1;  // reserved must be 0
  EXPECT_FALSE(ChooseGroupEntry(bad, 32, 32, 32));
  bad = GroupBytes({{32, 32, 8, 1}});
  bad[2] = 0;  // type must name icons or cursors
  EXPECT_FALSE(ChooseGroupEntry(bad, 32, 32, 32));
  bad = GroupBytes({{16, 16, 8, 1}, {32, 32, 8, 2}});
  bad.resize(bad.size() - 1);  // the entry cut short is left out
  EXPECT_EQ(ChooseGroupEntry(bad, 32, 32, 32), 1);
}

TEST(IconDrawing, ScalesFromTheRealSize) {
  const auto pattern = [](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 13) * 0x010203 & 0xFFFFFF); };
  const Bitmap up = Draw(Dib(16, 16, 24, pattern));
  const Bitmap down = Draw(Dib(64, 64, 24, pattern));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      ASSERT_EQ(up.pixel(x, y), Rgb(pattern(x / 2, y / 2)));
      const std::uint32_t merged = pattern(2 * x, 2 * y) & pattern(2 * x + 1, 2 * y) & pattern(2 * x, 2 * y + 1) &
                                   pattern(2 * x + 1, 2 * y + 1);
      ASSERT_EQ(down.pixel(x, y), Rgb(merged));
    }
  // The directory's size is not the payload's: a group entry claiming 32 x 32 over 16 x 16 pixels.
  const Bytes file = BuildPe({{"", 1, {{32, 32, 24, 7}}}}, {{7, Dib(16, 16, 24, pattern)}});
  EXPECT_EQ(DrawIcon(file, 0), up);
}

TEST(IconDrawing, DepthsAlphaAndMask) {
  const auto left = [](int x, int) { return x < 16; };
  struct Case {
    const char* what;
    Bytes payload;
    Color atLeft, atRight;  // pixels (3, 3) and (20, 3)
  } cases[] = {
      {"1 bit", Dib(32, 32, 1, [](int x, int) { return x < 16 ? 1u : 0u; }, left, {0x0000FF, 0xFF0000}), Rgb(0x00FFFF), Rgb(0x0000FF)},
      {"1 bit, core header", Core1Bit(Dib(32, 32, 1, [](int x, int) { return x < 16 ? 1u : 0u; }, left, {0x0000FF, 0xFF0000})),
       Rgb(0x00FFFF), Rgb(0x0000FF)},
      {"4 bits", Dib(32, 32, 4, [](int x, int) { return x < 16 ? 3u : 15u; }), Rgb(0x333333), Rgb(0xFFFFFF)},
      {"8 bits, masked black shows white", Dib(32, 32, 8, [](int, int) { return 0u; }, left), Rgb(0xFFFFFF), Rgb(0x000000)},
      {"24 bits, masked colour XOR white", Dib(32, 32, 24, [](int, int) { return 0x102030u; }, left), Rgb(0xEFDFCF), Rgb(0x102030)},
      {"32 bits without alpha: the mask", Dib(32, 32, 32, [](int, int) { return 0x00102030u; }, left), Rgb(0xEFDFCF), Rgb(0x102030)},
      {"32 bits with alpha: blended, mask ignored", Dib(32, 32, 32, [](int x, int) { return x < 16 ? 0x80FF0000u : 0x00000000u; }, left),
       Rgb(0xFF7F7F), Rgb(0xFFFFFF)},
      {"16 bits, 5-5-5", Dib(32, 32, 16, [](int x, int) { return x < 16 ? 0x7C1Fu : 0x03E0u; }), Rgb(0xFF00FF), Rgb(0x00FF00)},
      {"16 bits, 5-6-5 fields", Fields565(), Rgb(0x84C300), Rgb(0x000000)},
      {"PNG: blended", Png(2, 1, [](int x, int) { return x == 0 ? 0x40FF8000u : 0xFF0000FFu; }), Rgb(0xFFDFBF), Rgb(0x0000FF)},
  };
  for (const Case& c : cases) {
    const Bitmap cell = Draw(c.payload);
    EXPECT_EQ(cell.pixel(3, 3), c.atLeft) << c.what;
    EXPECT_EQ(cell.pixel(20, 3), c.atRight) << c.what;
  }
}

TEST(IconDrawing, UndecodablePayloadsLeaveAWhiteCell) {
  Bytes rle = Solid(0x123456);
  rle[16] = 1;  // RLE compression
  Bytes v5 = Solid(0x123456);
  v5[0] = 124;  // a header size other than 12 or 40
  Bytes shortBits = Solid(0x123456);
  shortBits.resize(40 + 32 * 32 * 3 - 1);
  Bytes huge = Solid(0x123456);
  Put(huge, 4, 0x7FFFFFFF, 4);  // sizes whose bit count overflows 64 bits
  Put(huge, 8, 0x7FFFFFFE, 4);
  Bytes noMask = Solid(0x123456);
  noMask.resize(40 + 32 * 32 * 3);  // colour bits complete, the mask missing: every pixel opaque
  for (const Bytes& bad : {rle, v5, shortBits, huge, Bytes{}, Bytes{0x89, 'P', 'N', 'G'}, Png(5000, 1, [](int, int) { return 0u; })}) {
    Bitmap cell;
    EXPECT_FALSE(DrawIconPayload(bad, cell));
    EXPECT_EQ(cell, Bitmap(32, 32, kWhite));
  }
  EXPECT_EQ(Draw(noMask).pixel(0, 0), Rgb(0x123456));
}

TEST(BrokenFiles, EveryTruncationOfASmallFile) {
  const Bytes file = FourGroups(true);
  const Bitmap first = DrawIcon(file, 0);
  for (std::size_t n = 0; n < file.size(); ++n) {
    const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
    const PeResources res(cut);
    ASSERT_LE(res.IconCount(), 4) << n;
    for (int i = 0; i < res.IconCount(); ++i) {
      Bitmap cell;
      DrawProgramFileIcon(res, i, cell);
      ASSERT_EQ(cell.width(), 32);
    }
  }
  EXPECT_EQ(DrawIcon(file, 0), first);
}

TEST(BrokenFiles, BadOffsetsAndLoops) {
  // Offsets in the built file: the section at 0x200, the root's entries (3, then 14) at 0x210, the groups'
  // directory at 0x220 with its entries from 0x230, the first group's language directory after the icons'.
  const Bytes good = FourGroups(false);
  const std::size_t groupEntry = 0x230, rootType14 = 0x218;
  const std::uint32_t groupLanguages = static_cast<std::uint32_t>(good[groupEntry + 4] | good[groupEntry + 5] << 8);
  struct Case {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int width, count;
    bool firstDrawn;
  } cases[] = {
      {"no MZ", 0, 'X', 1, 0, false},
      {"e_lfanew past the end", 0x3C, 0xFFFFFFF0u, 4, 0, false},
      {"no PE signature", 0x40, 0x454E, 4, 0, false},
      {"unknown optional header", 0x58, 0x30B, 2, 0, false},
      {"too few data directories", 0x58 + 92, 2, 4, 0, false},
      {"section count past the end", 0x46, 0xFFFF, 2, 0, false},
      {"section raw data past the end", 0x58 + 224 + 20, 0x7FFFFFF0u, 4, 0, false},
      {"resource RVA in no section", 0x58 + 96 + 16, 0x9000, 4, 0, false},
      {"type directory is the root", rootType14 + 4, 0x80000000u, 4, 0, false},
      {"type entry not a directory", rootType14 + 4, 0x220, 4, 0, false},
      {"huge entry counts", 0x220 + 12, 0xFFFFFFFFu, 4, 0, false},
      {"name entry loops to its type directory", groupEntry + 4, 0x80000220u, 4, 4, false},
      {"name entry loops to the root", groupEntry + 4, 0x80000000u, 4, 4, false},
      {"name entry not a directory", groupEntry + 4, 0x40, 4, 4, false},
      {"language entry is a directory", 0x200 + (groupLanguages & 0x7FFFFFFF) + 20, 0x80000220u, 4, 4, false},
      {"language entry past the end", 0x200 + (groupLanguages & 0x7FFFFFFF) + 20, 0x7FFFFFF0u, 4, 4, false},
  };
  for (const Case& c : cases) {
    Bytes file = good;
    Put(file, c.at, c.value, c.width);
    file.resize(good.size());
    const PeResources res(file);
    EXPECT_EQ(res.IconCount(), c.count) << c.what;
    if (c.count == 0) continue;
    EXPECT_EQ(DrawIcon(file, 0) != Bitmap(32, 32, kWhite), c.firstDrawn) << c.what;
    EXPECT_NE(DrawIcon(file, 1), Bitmap(32, 32, kWhite)) << c.what << ": the later icons stay";
  }
  // A resource directory inside the headers is read at its RVA as a file offset.
  Bytes inHeaders = good;
  Put(inHeaders, 0x58 + 60, 0x10000, 4);
  Put(inHeaders, 0x58 + 96 + 16, 0x200, 4);
  EXPECT_EQ(DrawIcon(inHeaders, 0), DrawIcon(good, 0));
  EXPECT_EQ(PeResources(Bytes{'n', 'o', 't', ' ', 'a', ' ', 'p', 'r', 'o', 'g', 'r', 'a', 'm'}).IconCount(), 0);
  EXPECT_EQ(PeResources(BuildPe({}, {{1, Solid(0)}})).IconCount(), 0);
}
