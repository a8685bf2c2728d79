// Every input a fuzz target once failed on, kept in fuzz-regressions/TARGET/, goes through the reader that
// target drives, with the target's checks. A reader must decode it or refuse it with a reason, asking for no
// more memory than a bound; under the sanitizer build any read outside the input fails the test too.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "editor/core/Palettes.h"
#include "editor/core/Settings.h"
#include "fuzz/IconRoundTrip.h"
#include "fuzz/PictureSampling.h"
#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/IconCodec.h"
#include "iconfile/core/PaletteFile.h"
#include "iconfile/core/PeResources.h"
#include "iconfile/picture/Picture.h"

using namespace gw;
namespace fs = std::filesystem;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define GW_SANITIZER_ALLOCATOR 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define GW_SANITIZER_ALLOCATOR 1
#endif

namespace {

// While a reader runs, every byte asked of malloc, calloc and realloc is counted (the codec libraries'
// requests and operator new's included), and a request that would take the count past the bound is
// refused. So a reader that asks for memory out of proportion to its input fails the test, and never takes
// the memory: a plain memory limit would not do, as the libraries take a refused allocation for a bad file.
// The sanitizer builds bring their own allocator: there the readers run uncounted.
constexpr std::size_t kReaderMemoryBound = std::size_t{256} << 20;
bool g_counting = false;
std::size_t g_granted = 0;  // bytes
std::size_t g_refused = 0;  // the largest request refused

[[maybe_unused]] bool Granted(std::size_t bytes) {
  if (!g_counting) return true;
  if (bytes <= kReaderMemoryBound - g_granted) {
    g_granted += bytes;
    return true;
  }
  g_refused = std::max(g_refused, bytes);
  errno = ENOMEM;
  return false;
}

// The bytes a call asked for; past the bound, the largest request refused.
std::size_t Requested(const std::function<void()>& call) {
  g_granted = g_refused = 0;
  g_counting = true;
  call();
  g_counting = false;
  return g_refused != 0 ? g_refused : g_granted;
}

}  // namespace

#ifndef GW_SANITIZER_ALLOCATOR
// The process's allocation functions, over the C library's own.
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* malloc(std::size_t size) noexcept { return Granted(size) ? __libc_malloc(size) : nullptr; }
void* calloc(std::size_t count, std::size_t size) noexcept {
  const bool overflow = size != 0 && count > SIZE_MAX / size;
  return Granted(overflow ? SIZE_MAX : count * size) ? __libc_calloc(count, size) : nullptr;
}
void* realloc(void* p, std::size_t size) noexcept { return Granted(size) ? __libc_realloc(p, size) : nullptr; }
}
#endif

namespace {

const fs::path kFolder = fs::path(GLYPHWERK_TEST_DATA) / "fuzz-regressions";

// In a buffer of exactly the file's size, so that the sanitizer sees a read one byte past its end.
std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(fs::file_size(path)));
  std::ifstream in(path, std::ios::binary);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  EXPECT_EQ(in.gcount(), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

// A picture decoder: a picture within the limits, or an error that says why; and Import and Paste keep what
// the whole decode gives.
std::function<void(const fs::path&)> PictureDecoder(std::optional<Picture> (*decode)(std::span<const std::uint8_t>, std::string&),
                                                    PictureFormat format) {
  return [decode, format](const fs::path& path) {
    const auto bytes = ReadAll(path);
    std::string error;
    const auto picture = decode(bytes, error);
    EXPECT_EQ(fuzz::SamplingFault(bytes, path.string(), format, picture), "");
    if (!picture) {
      EXPECT_FALSE(error.empty());
      return;
    }
    EXPECT_TRUE(PictureSizeAllowed(picture->width, picture->height));
    EXPECT_EQ(picture->rgba.size(), static_cast<std::size_t>(picture->width) * static_cast<std::size_t>(picture->height) * 4);
  };
}

// The reader each fuzz target drives, by the target's name.
const std::map<std::string, std::function<void(const fs::path&)>>& Readers() {
  static const std::map<std::string, std::function<void(const fs::path&)>> readers = {
      {"fuzz_bmp", PictureDecoder(DecodeBmp, PictureFormat::Bmp)},
      {"fuzz_gif", PictureDecoder(DecodeGif, PictureFormat::Gif)},
      {"fuzz_jpeg", PictureDecoder(DecodeJpeg, PictureFormat::Jpeg)},
      {"fuzz_png", PictureDecoder(DecodePng, PictureFormat::Png)},
      {"fuzz_tiff", PictureDecoder(DecodeTiff, PictureFormat::Tiff)},
      {"fuzz_iconfile",
       [](const fs::path& path) {
         std::string why;
         const auto icon = DecodeIconFile(ReadAll(path), &why);
         EXPECT_TRUE(icon || !why.empty());
       }},
      {"fuzz_open_save",
       [](const fs::path& path) {
         static fuzz::IconRoundTrip roundTrip;
         EXPECT_EQ(roundTrip.fault(ReadAll(path)), "");
       }},
      {"fuzz_pe",
       [](const fs::path& path) {
         const auto bytes = ReadAll(path);
         const PeResources file(bytes);
         Bitmap cell;
         for (int i = 0; i < std::min(file.IconCount(), 64); ++i) DrawProgramFileIcon(file, i, cell);
         DrawIconPayload(bytes, cell);
         EXPECT_EQ(cell.width(), kExeIconCell);
       }},
      {"fuzz_settings",
       [](const fs::path& path) {
         EditorState s;
         InitPalettes(s);
         s.SettingsPath = path.string();
         (void)LoadSettings(s);
         EXPECT_EQ(s.TrueColorGrid.size(), 256u);
       }},
      {"fuzz_palette",
       [](const fs::path& path) {
         std::vector<Color> grid(256, 0x123456u);
         std::string error;
         (void)LoadPaletteFile(grid, path.string(), error);
         EXPECT_EQ(grid.size(), 256u);
         EXPECT_EQ(error, "");
       }},
  };
  return readers;
}

TEST(FuzzRegressions, EveryKeptInputIsDecodedOrRefused) {
  int inputs = 0;
  for (const auto& folder : fs::directory_iterator(kFolder)) {
    const std::string target = folder.path().filename().string();
    const auto reader = Readers().find(target);
    ASSERT_NE(reader, Readers().end()) << "no reader for the folder " << target;
    for (const auto& input : fs::directory_iterator(folder.path())) {
      SCOPED_TRACE(input.path().string());
      const std::size_t requested = Requested([&] { reader->second(input.path()); });
      EXPECT_LE(requested, kReaderMemoryBound) << "the reader asked for memory beyond the bound";
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
