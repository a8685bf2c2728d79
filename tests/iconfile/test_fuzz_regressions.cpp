// Every input a fuzz target once failed on, kept in fuzz-regressions/TARGET/, goes through the reader that
// target drives. A reader must decode it or refuse it with a reason; under the sanitizer build any read
// outside the input fails the test too.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "editor/core/Palettes.h"
#include "editor/core/Settings.h"
#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/IconCodec.h"
#include "iconfile/core/PaletteFile.h"
#include "iconfile/core/PeResources.h"
#include "iconfile/picture/Picture.h"

using namespace gw;
namespace fs = std::filesystem;

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

// A picture decoder: a picture within the limits, or an error that says why.
std::function<void(const fs::path&)> PictureDecoder(std::optional<Picture> (*decode)(std::span<const std::uint8_t>, std::string&)) {
  return [decode](const fs::path& path) {
    const auto bytes = ReadAll(path);
    std::string error;
    const auto picture = decode(bytes, error);
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
      {"fuzz_bmp", PictureDecoder(DecodeBmp)},
      {"fuzz_gif", PictureDecoder(DecodeGif)},
      {"fuzz_jpeg", PictureDecoder(DecodeJpeg)},
      {"fuzz_png", PictureDecoder(DecodePng)},
      {"fuzz_tiff", PictureDecoder(DecodeTiff)},
      {"fuzz_iconfile",
       [](const fs::path& path) {
         std::string why;
         const auto icon = DecodeIconFile(ReadAll(path), &why);
         EXPECT_TRUE(icon || !why.empty());
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
      reader->second(input.path());
      ++inputs;
    }
  }
  EXPECT_GT(inputs, 0);
}

}  // namespace
