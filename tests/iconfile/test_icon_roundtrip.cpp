// Every format: save, open, save gives the same bytes, and the header holds the values of the format table.
#include <gtest/gtest.h>

#include "iconfile/core/IconFiles.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

// Index, type, S, B, bColorCount, P, X, A, fill bytes of a 1-bit row, dwBytesInRes, biSizeImage, length.
struct Row {
  int index, type, S, B, c, P, X, A, fill, res, sizeImage, length;
};
constexpr Row kTable[] = {
    {0, 0, 16, 4, 16, 64, 128, 64, 2, 296, 192, 318},       {1, 1, 16, 8, 0, 1024, 256, 64, 2, 1384, 320, 1406},
    {2, 2, 16, 24, 0, 0, 768, 64, 2, 872, 832, 894},        {3, 3, 16, 1, 2, 8, 64, 64, 2, 176, 128, 198},
    {4, 0, 24, 4, 16, 64, 288, 96, 1, 488, 384, 510},       {5, 1, 24, 8, 0, 1024, 576, 96, 1, 1736, 672, 1758},
    {6, 2, 24, 24, 0, 0, 1728, 96, 1, 1864, 1824, 1886},    {7, 3, 24, 1, 2, 8, 96, 96, 1, 240, 192, 262},
    {8, 0, 32, 4, 16, 64, 512, 128, 0, 744, 640, 766},      {9, 1, 32, 8, 0, 1024, 1024, 128, 0, 2216, 1152, 2238},
    {10, 2, 32, 24, 0, 0, 3072, 128, 0, 3240, 3200, 3262},  {11, 3, 32, 1, 2, 8, 128, 128, 0, 304, 256, 326},
    {12, 4, 32, 1, 0, 8, 128, 128, 0, 304, 256, 326},       {13, 0, 40, 4, 16, 64, 800, 320, 3, 1224, 1120, 1246},
    {14, 1, 40, 8, 0, 1024, 1600, 320, 3, 2984, 1920, 3006}, {15, 2, 40, 24, 0, 0, 4800, 320, 3, 5160, 5120, 5182},
    {16, 3, 40, 1, 2, 8, 320, 320, 3, 688, 640, 710},       {17, 0, 48, 4, 16, 64, 1152, 384, 2, 1640, 1536, 1662},
    {18, 1, 48, 8, 0, 1024, 2304, 384, 2, 3752, 2688, 3774}, {19, 2, 48, 24, 0, 0, 6912, 384, 2, 7336, 7296, 7358},
    {20, 3, 48, 1, 2, 8, 384, 384, 2, 816, 768, 838},       {21, 0, 56, 4, 16, 64, 1568, 448, 1, 2120, 2016, 2142},
    {22, 1, 56, 8, 0, 1024, 3136, 448, 1, 4648, 3584, 4670}, {23, 2, 56, 24, 0, 0, 9408, 448, 1, 9896, 9856, 9918},
    {24, 3, 56, 1, 2, 8, 448, 448, 1, 944, 896, 966},       {25, 0, 64, 4, 16, 64, 2048, 512, 0, 2664, 2560, 2686},
    {26, 1, 64, 8, 0, 1024, 4096, 512, 0, 5672, 4608, 5694}, {27, 2, 64, 24, 0, 0, 12288, 512, 0, 12840, 12800, 12862},
    {28, 3, 64, 1, 2, 8, 512, 512, 0, 1072, 1024, 1094},
};

class EveryFormat : public ::testing::TestWithParam<Row> {};

TEST_P(EveryFormat, SaveOpenSaveGivesTheSameBytesAndTheTablesHeader) {
  const Row& r = GetParam();
  const IconFormat& f = *FindIconFormat(r.type, r.S);
  EXPECT_EQ((std::vector<int>{f.index, f.bits, f.paletteBytes, f.xorBytes, f.andBytes, f.andRowFillBytes,
                              f.xorRowFillBytes}),
            (std::vector<int>{r.index, r.B, r.P, r.X, r.A, r.fill, r.B == 1 ? r.fill : 0}));
  EditorState s;
  NewIcon(s, r.type, r.S);
  s.CursorHotSpotX = 5;
  s.CursorHotSpotY = 30;
  PaintPattern(s);
  const Bytes first = Encode(s);
  ASSERT_EQ(first.size(), std::size_t(r.length));
  const unsigned S = unsigned(r.S), cursor = r.type == kTypeCursor;
  const std::uint32_t header[][3] = {  // offset, width, value
      {0, 2, 0}, {2, 2, 1 + cursor}, {4, 2, 1}, {6, 1, S}, {7, 1, S}, {8, 1, unsigned(r.c)}, {9, 1, 0},
      {10, 2, cursor ? 5u : 1u}, {12, 2, cursor ? 30u : unsigned(r.B)}, {14, 4, unsigned(r.res)}, {18, 4, 22},
      {22, 4, 40}, {26, 4, S}, {30, 4, 2 * S}, {34, 2, 1}, {36, 2, unsigned(r.B)}, {38, 4, 0},
      {42, 4, unsigned(r.sizeImage)}, {46, 4, 0}, {50, 4, 0}, {54, 4, 0}, {58, 4, 0}};
  for (const auto& h : header) EXPECT_EQ(Le(first, h[0], int(h[1])), h[2]) << "offset " << h[0];

  std::string why;
  const auto decoded = DecodeIconFile(first, &why);
  ASSERT_TRUE(decoded) << why;
  EXPECT_EQ(std::vector<int>({decoded->type, decoded->size}), std::vector<int>({r.type, r.S}));
  EXPECT_EQ(decoded->image, s.iconimage);
  EXPECT_EQ(decoded->mask, s.iconmask);
  EditorState t;
  NewIcon(t, r.type, r.S);
  ASSERT_TRUE(ReadIconFile(t, *decoded, "a.ico"));
  EXPECT_EQ(Encode(t), first);
}

INSTANTIATE_TEST_SUITE_P(Formats, EveryFormat, ::testing::ValuesIn(kTable),
                         [](const auto& p) { return "F" + std::to_string(p.param.index); });

}  // namespace
}  // namespace gw
