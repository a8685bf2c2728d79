// TIFF files whose strips or tiles claim more than their data can fill are refused before the picture is
// made, and large pictures are decoded without being held whole: each case runs in a child process whose
// address space may grow by 200 MB at most.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <tiffio.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "PictureFiles.h"

using namespace gw;
namespace fs = std::filesystem;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
constexpr bool kSanitized = __has_feature(address_sanitizer);
#else
constexpr bool kSanitized = false;
#endif

// The picture's layout; `block` is the rows per strip, or the side of a square tile when `tiled`.
struct Layout {
  std::uint32_t width, height;
  std::uint16_t samples, bits, compression;
  std::uint32_t block;
  bool tiled = false;
  std::uint16_t orientation = ORIENTATION_TOPLEFT;
  std::uint16_t planar = PLANARCONFIG_CONTIG;
};

// A TIFF written by libtiff: every strip or tile holds `raw` as stored, or (with `raw` empty) the encoded
// rows `rowOf(y, plane)` (plane 0 alone for interleaved samples).
using RowMaker = std::function<std::vector<std::uint8_t>(std::uint32_t, std::uint16_t)>;
std::vector<std::uint8_t> MakeTiff(const Layout& l, const std::vector<std::uint8_t>& raw, const RowMaker& rowOf = {}) {
  const fs::path file = fs::temp_directory_path() / ("gw-tiff-bounds-" + std::to_string(::getpid()) + ".tif");
  TIFF* tif = TIFFOpen(file.c_str(), "w");
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, l.width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, l.height);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, l.samples);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, l.bits);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, l.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, l.planar);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, l.compression);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, l.orientation);
  if (l.tiled) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, l.block);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, l.block);
    for (std::uint32_t t = 0; t < TIFFNumberOfTiles(tif); ++t) TIFFWriteRawTile(tif, t, const_cast<std::uint8_t*>(raw.data()), static_cast<tmsize_t>(raw.size()));
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, l.block);
    if (rowOf) {
      const std::uint16_t planes = l.planar == PLANARCONFIG_SEPARATE ? l.samples : 1;
      for (std::uint16_t s = 0; s < planes; ++s)
        for (std::uint32_t y = 0; y < l.height; ++y) TIFFWriteScanline(tif, rowOf(y, s).data(), y, s);
    } else {
      for (std::uint32_t s = 0; s < TIFFNumberOfStrips(tif); ++s) TIFFWriteRawStrip(tif, s, const_cast<std::uint8_t*>(raw.data()), static_cast<tmsize_t>(raw.size()));
    }
  }
  TIFFClose(tif);
  std::vector<std::uint8_t> bytes = test::ReadBytes(file.string());
  fs::remove(file);
  return bytes;
}

// Runs `work` in a child process that may take 200 MB more address space than it starts with (no cap under
// AddressSanitizer, whose shadow memory a cap would refuse); its exit status, or 128 + the signal.
int RunCapped(const std::function<int()>& work) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (!kSanitized) {
      std::ifstream statm("/proc/self/statm");
      std::uint64_t pages = 0;
      statm >> pages;
      const rlim_t cap = pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{200} << 20);
      const rlimit limit{cap, cap};
      ::setrlimit(RLIMIT_AS, &limit);
    }
    ::_exit(work());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Counts the rows a decoder hands over, keeping none.
class RowCounter : public PictureRowSink {
 public:
  bool start(int width, int) override {
    row_.resize(static_cast<std::size_t>(width) * 4);
    return true;
  }
  std::uint8_t* row(int) override { return row_.data(); }
  void rowDone(int) override { ++rows; }
  int rows = 0;

 private:
  std::vector<std::uint8_t> row_;
};

TEST(TiffBounds, StripsAndTilesTheDataCannotFillAreRefusedFirst) {
  // Each strip or tile stores 1000 bytes.
  const char* const shortData = "TIFF data is too short for its picture";
  const struct Case {
    const char* what;
    Layout layout;
    const char* error;
  } cases[] = {
      {"16-bit deflate, one huge strip", {12000, 12000, 3, 16, COMPRESSION_ADOBE_DEFLATE, 12000}, shortData},
      {"uncompressed, one strip", {12000, 12000, 3, 8, COMPRESSION_NONE, 12000}, shortData},
      {"uncompressed, short strips", {12000, 12000, 3, 8, COMPRESSION_NONE, 16}, shortData},
      {"PackBits, huge strips", {12000, 12000, 1, 8, COMPRESSION_PACKBITS, 4000}, shortData},
      {"LZW, one huge strip", {12000, 12000, 3, 8, COMPRESSION_LZW, 12000}, shortData},
      {"deflate, huge tiles", {12000, 12000, 4, 8, COMPRESSION_ADOBE_DEFLATE, 2048, true}, shortData},
      {"JPEG, huge tiles", {4096, 4096, 3, 8, COMPRESSION_JPEG, 4096, true}, shortData},
      {"tiles 4096 rows high on a 12000-pixel row", {12000, 12000, 3, 8, COMPRESSION_NONE, 4096, true}, "TIFF tiles are too large"},
      {"deflate, separate planes", {12000, 12000, 3, 8, COMPRESSION_ADOBE_DEFLATE, 12000, false, ORIENTATION_TOPLEFT,
                                    PLANARCONFIG_SEPARATE}, shortData},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::vector<std::uint8_t> bytes = MakeTiff(c.layout, std::vector<std::uint8_t>(1000, 0));
    const int status = RunCapped([&] {
      RowCounter sink;
      std::string error;
      return !DecodePictureRows(bytes, sink, error) && error == c.error ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
  }
}

// Large pictures whose data does fill them (deflated zeros in one strip a plane, 64 and 108 MB of samples)
// are decoded within the cap: row by row, never held whole.
TEST(TiffBounds, FilledHugeStripsAreDecodedRowByRow) {
  const Layout layouts[] = {{8000, 8000, 1, 8, COMPRESSION_ADOBE_DEFLATE, 8000},
                            {6000, 6000, 3, 8, COMPRESSION_ADOBE_DEFLATE, 6000, false, ORIENTATION_TOPLEFT, PLANARCONFIG_SEPARATE}};
  for (const Layout& l : layouts) {
    SCOPED_TRACE(testing::Message() << l.width << " x " << l.height << " planar " << l.planar);
    const std::size_t rowBytes = l.planar == PLANARCONFIG_SEPARATE ? l.width : l.width * l.samples;
    const auto bytes = MakeTiff(l, {}, [&](std::uint32_t, std::uint16_t) { return std::vector<std::uint8_t>(rowBytes, 0); });
    const int status = RunCapped([&] {
      RowCounter sink;
      std::string error;
      return DecodePictureRows(bytes, sink, error) && sink.rows == static_cast<int>(l.height) ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
  }
}

// Rows come top-down whatever the file's orientation, read row by row (interleaved strips) or a band at a
// time (planes, tiles).
TEST(TiffBounds, EveryOrientationReadsTopDown) {
  struct Case {
    std::uint16_t orientation, planar;
    std::uint8_t topLeft, topRight;  // red of the first row's first and last pixel
  } const cases[] = {{ORIENTATION_TOPLEFT, PLANARCONFIG_CONTIG, 0, 200},   {ORIENTATION_BOTLEFT, PLANARCONFIG_CONTIG, 50, 200},
                     {ORIENTATION_TOPRIGHT, PLANARCONFIG_CONTIG, 200, 0},  {ORIENTATION_BOTRIGHT, PLANARCONFIG_CONTIG, 200, 50},
                     {ORIENTATION_BOTLEFT, PLANARCONFIG_SEPARATE, 50, 200}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.orientation << " " << c.planar);
    // 4 x 6 RGB, one row a strip; in the file's order row y has the reds 10 y, 0, 0, 200 (green and blue 0).
    const bool separate = c.planar == PLANARCONFIG_SEPARATE;
    const auto rows = [separate](std::uint32_t y, std::uint16_t plane) {
      const std::uint8_t red[] = {static_cast<std::uint8_t>(10 * y), 0, 0, 200};
      std::vector<std::uint8_t> row(separate ? 4 : 12, 0);
      for (std::size_t x = 0; x < 4 && plane == 0; ++x) row[separate ? x : x * 3] = red[x];
      return row;
    };
    const Layout layout{4, 6, 3, 8, COMPRESSION_NONE, 1, false, c.orientation, c.planar};
    std::string error;
    const auto p = DecodeTiff(MakeTiff(layout, {}, rows), error);
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(p->pixel(0, 0)[0], c.topLeft);
    EXPECT_EQ(p->pixel(3, 0)[0], c.topRight);
  }
}

}  // namespace
