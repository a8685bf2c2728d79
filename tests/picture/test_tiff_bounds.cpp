// TIFF strips and tiles that claim more than their data can fill are refused before the picture is made,
// and large pictures are decoded without being held whole: each case runs in a child process whose address
// space may grow by 200 MB at most.
#include <gtest/gtest.h>
#include <tiffio.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "PictureFiles.h"
#include "tests/common/MemoryInChild.h"

using namespace gw;
namespace fs = std::filesystem;

namespace {

// `block` is the rows per strip, or the side of a square tile when `tiled`; colours are YCbCr, subsampled
// `ycbcr` times each way, when that is above 0.
struct Layout {
  std::uint32_t width, height;
  std::uint16_t samples, bits, compression;
  std::uint32_t block;
  bool tiled = false;
  std::uint16_t planar = PLANARCONFIG_CONTIG, orientation = ORIENTATION_TOPLEFT;
  std::uint16_t ycbcr = 0;
};

// Written by libtiff: `stored` zero bytes as each strip or tile, or (stored 0) rows rowOf(y, plane), zero
// rows when none is given.
using RowMaker = std::function<std::vector<std::uint8_t>(std::uint32_t, std::uint16_t)>;
std::vector<std::uint8_t> MakeTiff(const Layout& l, std::size_t stored, const RowMaker& rowOf = {}) {
  const fs::path file = fs::temp_directory_path() / ("gw-tiff-bounds-" + std::to_string(::getpid()) + ".tif");
  TIFF* tif = TIFFOpen(file.c_str(), "w");
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, l.width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, l.height);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, l.samples);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, l.bits);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, l.ycbcr ? PHOTOMETRIC_YCBCR : l.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  if (l.ycbcr) TIFFSetField(tif, TIFFTAG_YCBCRSUBSAMPLING, l.ycbcr, l.ycbcr);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, l.planar);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, l.compression);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, l.orientation);
  TIFFSetField(tif, l.tiled ? TIFFTAG_TILEWIDTH : TIFFTAG_ROWSPERSTRIP, l.block);
  if (l.tiled) TIFFSetField(tif, TIFFTAG_TILELENGTH, l.block);
  std::vector<std::uint8_t> raw(stored ? stored : static_cast<std::size_t>(TIFFScanlineSize(tif)), 0);
  for (std::uint32_t i = 0; stored && i < TIFFNumberOfStrips(tif); ++i)  // tiles too
    l.tiled ? TIFFWriteRawTile(tif, i, raw.data(), static_cast<tmsize_t>(stored)) : TIFFWriteRawStrip(tif, i, raw.data(), static_cast<tmsize_t>(stored));
  for (std::uint16_t p = 0; !stored && !l.tiled && p < (l.planar == PLANARCONFIG_SEPARATE ? l.samples : 1); ++p)
    for (std::uint32_t y = 0; y < l.height; ++y) TIFFWriteScanline(tif, rowOf ? rowOf(y, p).data() : raw.data(), y, p);
  std::vector<std::uint8_t> tile(!stored && l.tiled ? static_cast<std::size_t>(TIFFTileSize(tif)) : 0);
  for (std::uint32_t t = 0; !tile.empty() && t < TIFFNumberOfTiles(tif); ++t) {  // one column of tiles
    for (std::uint32_t y = 0; y < l.block && t * l.block + y < l.height; ++y) {
      const std::vector<std::uint8_t> row = rowOf(t * l.block + y, 0);
      std::copy(row.begin(), row.end(), tile.begin() + static_cast<std::ptrdiff_t>(y * l.block * l.samples));
    }
    TIFFWriteEncodedTile(tif, t, tile.data(), static_cast<tmsize_t>(tile.size()));
  }
  TIFFClose(tif);
  std::vector<std::uint8_t> bytes = test::ReadBytes(file.string());
  fs::remove(file);
  return bytes;
}

TEST(TiffBounds, WhatTheDataCannotFillIsRefusedAndWhatItFillsIsReadByRows) {
  const char* const tooShort = "TIFF data is too short for its picture";
  const auto planes = PLANARCONFIG_SEPARATE;
  const auto contig = PLANARCONFIG_CONTIG;
  const auto top = ORIENTATION_TOPLEFT;
  const struct Case {
    const char* what;
    Layout layout;
    std::size_t stored;  // bytes a strip or tile; 0: its rows of zeros, encoded
    const char* error;   // nullptr: every row is read
  } cases[] = {
      {"16-bit deflate, one huge strip", {12000, 12000, 3, 16, COMPRESSION_ADOBE_DEFLATE, 12000}, 1000, tooShort},
      {"uncompressed, one strip", {12000, 12000, 3, 8, COMPRESSION_NONE, 12000}, 1000, tooShort},
      {"uncompressed, short strips", {12000, 12000, 3, 8, COMPRESSION_NONE, 16}, 1000, tooShort},
      {"PackBits, huge strips", {12000, 12000, 1, 8, COMPRESSION_PACKBITS, 4000}, 1000, tooShort},
      {"LZW, one huge strip", {12000, 12000, 3, 8, COMPRESSION_LZW, 12000}, 1000, tooShort},
      {"deflate, separate planes", {12000, 12000, 3, 8, COMPRESSION_ADOBE_DEFLATE, 12000, false, planes}, 1000, tooShort},
      {"deflate, huge tiles", {12000, 12000, 4, 8, COMPRESSION_ADOBE_DEFLATE, 2048, true}, 1000, tooShort},
      {"JPEG, huge tiles", {4096, 4096, 3, 8, COMPRESSION_JPEG, 4096, true}, 1000, tooShort},
      // Read a band at a time, the band's rows and the strip or tile they come from stay within 512 MB.
      {"tiles 8192 rows high", {12000, 12000, 3, 8, COMPRESSION_NONE, 8192, true}, 1000, kTooLargeToImport},
      {"YCbCr 2 x 2, one strip", {12000, 12000, 3, 8, COMPRESSION_ADOBE_DEFLATE, 12000, false, contig, top, 2}, 300'000, kTooLargeToImport},
      {"YCbCr 2 x 2, deflated zeros, one strip", {2000, 2000, 3, 8, COMPRESSION_ADOBE_DEFLATE, 2000, false, contig, top, 2}, 0, nullptr},
      {"deflated zeros, one strip", {8000, 8000, 1, 8, COMPRESSION_ADOBE_DEFLATE, 8000}, 0, nullptr},
      {"uncompressed, the last strip short", {300, 100, 3, 8, COMPRESSION_NONE, 64}, 0, nullptr},
      {"deflated zeros, one strip a plane", {6000, 6000, 3, 8, COMPRESSION_ADOBE_DEFLATE, 6000, false, planes}, 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> bytes = MakeTiff(c.layout, c.stored);
    const test::ChildRun run = test::RunInChild(test::kSanitized ? 0 : 200L << 20, [&] {
      test::RowCounter sink;
      std::string error;
      const bool read = DecodePictureRows(bytes, sink, error);
      return std::string(!read ? error : sink.rows == static_cast<int>(c.layout.height) ? "read" : "rows missing");
    });
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(run.outcome, c.error ? c.error : "read");
  }
}

// Rows come top-down and left to right whatever the file's orientation: interleaved, in planes or in tiles
// (two bands of rows).
TEST(TiffBounds, EveryOrientationReadsTopDown) {
  const struct Case {
    std::uint16_t orientation, planar;
    bool tiled;
  } cases[] = {{ORIENTATION_TOPLEFT, PLANARCONFIG_CONTIG, false},  {ORIENTATION_BOTLEFT, PLANARCONFIG_CONTIG, false},
               {ORIENTATION_TOPRIGHT, PLANARCONFIG_CONTIG, false}, {ORIENTATION_BOTRIGHT, PLANARCONFIG_CONTIG, false},
               {ORIENTATION_BOTLEFT, PLANARCONFIG_SEPARATE, false}, {ORIENTATION_BOTRIGHT, PLANARCONFIG_CONTIG, true},
               {ORIENTATION_TOPLEFT, PLANARCONFIG_CONTIG, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.orientation << " " << c.planar << " " << c.tiled);
    // 4 x 40 RGB; in the file's order row y has the reds 5 y, 0, 0, 200 (green and blue 0).
    const bool separate = c.planar == PLANARCONFIG_SEPARATE;
    const auto red = [](std::uint32_t y, std::uint32_t x) { return static_cast<std::uint8_t>(x == 0 ? 5 * y : x == 3 ? 200 : 0); };
    const auto rows = [&](std::uint32_t y, std::uint16_t plane) {
      std::vector<std::uint8_t> row(separate ? 4 : 12, 0);
      for (std::uint32_t x = 0; x < 4 && plane == 0; ++x) row[separate ? x : x * 3] = red(y, x);
      return row;
    };
    std::string error;
    const Layout layout{4, 40, 3, 8, COMPRESSION_LZW, c.tiled ? 16u : 1u, c.tiled, c.planar, c.orientation};
    const auto p = DecodeTiff(MakeTiff(layout, 0, rows), error);
    ASSERT_TRUE(p) << error;
    const bool up = c.orientation == ORIENTATION_BOTLEFT || c.orientation == ORIENTATION_BOTRIGHT;
    const bool back = c.orientation == ORIENTATION_TOPRIGHT || c.orientation == ORIENTATION_BOTRIGHT;
    for (std::uint32_t y = 0; y < 40; ++y)
      for (std::uint32_t x = 0; x < 4; ++x) ASSERT_EQ(p->pixel(static_cast<int>(x), static_cast<int>(y))[0], red(up ? 39 - y : y, back ? 3 - x : x)) << x << ", " << y;
  }
}

}  // namespace
