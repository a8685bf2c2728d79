// The checks the fuzz targets stop on: they pass what the editor does right, on the project's own files, and
// report each way a save or a sampled decode can go wrong.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include "fuzz/IconRoundTrip.h"
#include "fuzz/PictureSampling.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

Bytes ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A 16 x 16 16-colour image saved with two kept images after it: entries (0x20, ...) of 5 bytes and (0x30,
// ...) of 3.
Bytes SavedWithTwoKept() {
  EditorState s;
  NewIcon(s, kType16Color, 16);
  PaintPattern(s);
  s.FileOtherImages = {{{0x20, 0x20, 0, 0, 1, 0, 32, 0}, {1, 2, 3, 4, 5}}, {{0x30, 0x30, 0, 0, 1, 0, 8, 0}, {7, 8, 9}}};
  return Encode(s);
}
constexpr std::size_t kThirdEntry = 6 + 32;  // the directory entry of the second kept image

TEST(FuzzChecks, TheDirectoryMustDescribeTheSavedFile) {
  const struct {
    const char* change;
    std::function<void(Bytes&)> apply;
    const char* fault;  // the start of the report; empty for none
  } cases[] = {
      {"none", [](Bytes&) {}, ""},
      {"reserved word set", [](Bytes& b) { b[0] = 1; }, "the directory's reserved"},
      {"counts past the bytes", [](Bytes& b) { SetLe(b, 4, 2, 0xFFFF); }, "the directory is cut short"},
      {"first image another width", [](Bytes& b) { b[6] = 32; }, "the first entry"},
      {"kept images sharing a byte", [](Bytes& b) { SetLe(b, kThirdEntry + 12, 4, Le(b, kThirdEntry + 12, 4) - 1); },
       "the images are not back to back"},
      {"a kept image naming the bytes of the one before",
       [](Bytes& b) { std::copy_n(b.begin() + kThirdEntry - 8, 8, b.begin() + kThirdEntry + 8); }, "the images do not end"},
      {"a byte after the last image", [](Bytes& b) { b.push_back(0); }, "the images do not end"},
  };
  const IconFormat& f = *FindIconFormat(kType16Color, 16);
  for (const auto& c : cases) {
    Bytes saved = SavedWithTwoKept();
    c.apply(saved);
    EXPECT_EQ(fuzz::DirectoryFault(saved, f).substr(0, std::string(c.fault).size()), c.fault) << c.change;
    EXPECT_EQ(fuzz::DirectoryFault(saved, f).empty(), *c.fault == '\0') << c.change;
  }
}

TEST(FuzzChecks, KeptImagesMustBeTheOpenedFilesByteForByteInOrder) {
  const Bytes opened = SavedWithTwoKept();
  const auto keeping = [](std::vector<KeptFileImage> kept) {
    EditorState s;
    NewIcon(s, kTypeTrueColor, 16);
    s.FileOtherImages = std::move(kept);
    return Encode(s);
  };
  const KeptFileImage first{{0x20, 0x20, 0, 0, 1, 0, 32, 0}, {1, 2, 3, 4, 5}}, second{{0x30, 0x30, 0, 0, 1, 0, 8, 0}, {7, 8, 9}};
  KeptFileImage otherByte = first, otherEntry = first, shorter = first;
  otherByte.bytes[4] = 6;
  otherEntry.entry[7] = 1;
  shorter.bytes.pop_back();
  const struct {
    const char* saved;
    std::vector<KeptFileImage> kept;
    bool fault;
  } cases[] = {
      {"both", {first, second}, false},     {"none", {}, false},
      {"the second only", {second}, false}, {"both the other way round", {second, first}, true},
      {"one twice", {first, first}, true},  {"a byte changed", {otherByte, second}, true},
      {"an entry field changed", {otherEntry}, true}, {"one cut short", {shorter}, true},
  };
  for (const auto& c : cases) EXPECT_EQ(!fuzz::KeptImagesFault(opened, keeping(c.kept)).empty(), c.fault) << c.saved;
  EXPECT_NE(fuzz::KeptImagesFault(Bytes(3, 0), keeping({first})), "") << "an opened file of no directory keeps nothing";
  Bytes countingPastItsEnd = opened;
  SetLe(countingPastItsEnd, 4, 2, 0xFFFF);
  EXPECT_EQ(fuzz::KeptImagesFault(countingPastItsEnd, keeping({first, second})), "")
      << "the images of a directory that the file cuts short are kept as far as it goes";
}

TEST(FuzzChecks, TheProjectsIconFilesOpenAndSaveKeepingWhatTheyMust) {
  fuzz::IconRoundTrip roundTrip;
  int opened = 0;
  for (const auto& file : fs::directory_iterator(fs::path(GLYPHWERK_TEST_DATA) / "icons")) {
    const Bytes bytes = ReadBytes(file.path());
    EXPECT_EQ(roundTrip.fault(bytes), "") << file.path();
    opened += DecodeIconFile(bytes).has_value();
  }
  EXPECT_GE(opened, 15) << "most of the files are of the editor's formats";
  EXPECT_EQ(roundTrip.fault(SavedWithTwoKept()), "");
}

const std::map<std::string, PictureFormat> kFormatByExtension = {
    {".png", PictureFormat::Png}, {".jpg", PictureFormat::Jpeg}, {".gif", PictureFormat::Gif},
    {".tif", PictureFormat::Tiff}, {".bmp", PictureFormat::Bmp}};

TEST(FuzzChecks, TheProjectsPicturesSampleAsTheyDecodeWhole) {
  int pictures = 0;
  for (const auto& file : fs::directory_iterator(fs::path(GLYPHWERK_TEST_DATA) / "pictures")) {
    const auto format = kFormatByExtension.find(file.path().extension().string());
    if (format == kFormatByExtension.end()) continue;
    const Bytes bytes = ReadBytes(file.path());
    std::string error;
    const auto whole = DecodePicture(bytes, error);
    EXPECT_EQ(fuzz::SamplingFault(bytes, file.path().string(), format->second, whole), "") << file.path();
    ++pictures;
  }
  EXPECT_GE(pictures, 40);
}

TEST(FuzzChecks, ASampledDecodeThatDisagreesWithTheWholeOneIsReported) {
  const fs::path file = fs::path(GLYPHWERK_TEST_DATA) / "pictures" / "png_rgb8.png";
  const Bytes bytes = ReadBytes(file);
  std::string error;
  const Picture whole = *DecodePng(bytes, error);
  const struct {
    const char* whole;
    std::function<std::optional<Picture>()> make;
    PictureFormat format;  // what the target decodes
    const char* fault;
  } cases[] = {
      {"the bytes' own", [&] { return whole; }, PictureFormat::Png, ""},
      {"refused", [] { return std::nullopt; }, PictureFormat::Png,
       "the import takes a picture the whole decode refuses (stretched)"},
      {"a pixel brighter", [&] { Picture p = whole; ++p.rgba[0]; return p; }, PictureFormat::Png,
       "the import's sample differs from the whole decode's (stretched)"},
      {"a column narrower", [&] { return Picture::Filled(whole.width - 1, whole.height, 0, 0, 0); }, PictureFormat::Png,
       "the row decoder gives another size than the whole decode"},
  };
  for (const auto& c : cases) EXPECT_EQ(fuzz::SamplingFault(bytes, file.string(), c.format, c.make()), c.fault) << c.whole;
}

}  // namespace
}  // namespace gw
