// Files of several images: the first is edited, the others are written back byte for byte after it; damaged
// entries are left out; a new image or a one-image file has none.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/core/EditAreaMouse.h"
#include "iconfile/core/IconFiles.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
const std::string kIcons = std::string(GLYPHWERK_TEST_DATA) + "/icons/";

Bytes Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// What icotool lists of a file's directory (empty when it is not installed).
std::string IcotoolList(const std::string& path) {
  std::string out;
  if (FILE* p = ::popen(("icotool -l '" + path + "' 2>/dev/null").c_str(), "r")) {
    for (int c; (c = std::fgetc(p)) != EOF;) out.push_back(static_cast<char>(c));
    ::pclose(p);
  }
  return out;
}

// Entry i of a file's directory (its first 12 bytes: all but the offset) and its image's bytes.
std::pair<Bytes, Bytes> EntryAndImage(const Bytes& file, std::size_t i) {
  const std::size_t at = 6 + 16 * i, offset = Le(file, at + 12, 4), length = Le(file, at + 8, 4);
  return {Bytes(file.begin() + long(at), file.begin() + long(at + 12)),
          Bytes(file.begin() + long(offset), file.begin() + long(offset + length))};
}

class KeptImages : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-kept-" + std::to_string(::getpid()));
};

// icotool's 16 x 16 4-bit, 24 x 24 8-bit and 48 x 48 24-bit icon, and its cursor of two images with their own
// hot spots (tests/data/icons/make.sh): saved unedited and after one pencil cell, every image after the first
// is as it was, and the first is the edited one.
TEST_F(KeptImages, SavedWithTheFirstImageEditedTheOthersAreByteIdentical) {
  for (const char* name : {"icotool-3images.ico", "icotool-2cursors.cur"}) {
    SCOPED_TRACE(name);
    const Bytes original = Contents(kIcons + name);
    const IconLoadResult r = LoadIconFile(kIcons + name);
    ASSERT_EQ(r.status, IconLoadStatus::Ok) << r.message;
    EditorState s;
    NewIcon(s, r.icon.type, r.icon.size);
    ASSERT_TRUE(ReadIconFile(s, r.icon, kIcons + name));
    const std::size_t count = Le(original, 4, 2);
    ASSERT_EQ(s.FileOtherImages.size(), count - 1);
    for (const bool edit : {false, true}) {
      if (edit) {
        ToolHost host;
        s.CurrentTool = 0;
        s.ToolStage = 1;
        s.LeftPenColor = s.iconimage.pixel(0, 0) == kBlack ? kWhite : kBlack;
        const int at = 3 * s.CellSize + 1;
        editareaMouseDown(s, host, MouseButton::Left, false, at, at);
        editareaMouseUp(s, host, MouseButton::Left, false, at, at);
        ASSERT_EQ(s.iconimage.pixel(3, 3), s.LeftPenColor);
      }
      const std::string saved = (dir / name).string();
      ASSERT_TRUE(SaveIconFile(s, saved).ok);
      const Bytes b = Contents(saved);
      ASSERT_EQ(Le(b, 4, 2), count);
      for (std::size_t i = 1; i < count; ++i) EXPECT_EQ(EntryAndImage(b, i), EntryAndImage(original, i)) << i;
      std::size_t length = EncodeIconFile(r.icon.format(), s.iconimage, s.iconmask, s.CursorHotSpotX,
                                          s.CursorHotSpotY, ColorSourceFor(s, s.IconType)).size() + 16 * (count - 1);
      for (std::size_t i = 1; i < count; ++i) length += Le(original, 6 + 16 * i + 8, 4);
      EXPECT_EQ(b.size(), length) << "nothing else in the file";
      const auto d = DecodeIconFile(b);
      ASSERT_TRUE(d);
      EXPECT_EQ(std::vector<bool>({d->image == s.iconimage, d->mask == s.iconmask, d->otherImages == s.FileOtherImages}),
                std::vector<bool>({true, true, true}));
      EXPECT_EQ(IcotoolList(saved), IcotoolList(kIcons + name));
    }
  }
}

TEST_F(KeptImages, ANewImageOrAOneImageFileHasNone) {
  EditorState s;
  const IconLoadResult r = LoadIconFile(kIcons + "icotool-3images.ico");
  NewIcon(s, r.icon.type, r.icon.size);
  ASSERT_TRUE(ReadIconFile(s, r.icon, "a.ico"));
  ASSERT_FALSE(s.FileOtherImages.empty());
  const Bytes single = EncodeIconFile(r.icon.format(), s.iconimage, s.iconmask, 0, 0, ColorSourceFor(s, s.IconType));
  NewIcon(s, kTypeTrueColor, 16);
  EXPECT_TRUE(s.FileOtherImages.empty());
  NewIcon(s, r.icon.type, r.icon.size);
  ASSERT_TRUE(ReadIconFile(s, r.icon, "a.ico"));
  ASSERT_TRUE(ReadIconFile(s, *DecodeIconFile(single), "b.ico"));
  EXPECT_TRUE(s.FileOtherImages.empty());
  EXPECT_EQ(Encode(s), single) << "a one-image file is written as before";
}

// A file of four images (the first ours, then three of 4, 5 and 6 bytes) with fields of its directory changed:
// which of the three are kept.
TEST(KeptImageEntries, OnlyEntriesWhoseBytesAreInTheFileAreKept) {
  EditorState s;
  NewIcon(s, kType16Color, 16);
  std::vector<KeptFileImage> three(3);
  for (std::size_t i = 0; i < 3; ++i) {
    three[i].entry = {std::uint8_t(i), 2, 3, 4, 5, 6, 7, 8};
    three[i].bytes.assign(4 + i, std::uint8_t(0xA0 + i));
  }
  const Bytes good = WithKeptImages(Encode(s), three);
  ASSERT_EQ(DecodeIconFile(good)->otherImages, three);
  const std::uint32_t length = std::uint32_t(good.size());
  const auto count = [](std::uint32_t v) { return std::pair<std::size_t, std::uint32_t>{4, v}; };
  const auto size = [](int entry, std::uint32_t v) { return std::pair<std::size_t, std::uint32_t>{6 + 16 * entry + 8, v}; };
  const auto offset = [](int entry, std::uint32_t v) { return std::pair<std::size_t, std::uint32_t>{6 + 16 * entry + 12, v}; };
  const struct { std::vector<std::pair<std::size_t, std::uint32_t>> set; std::vector<int> kept; } cases[] = {
      {{count(3)}, {0, 1}},                          // the count ends the directory early
      {{count(9)}, {0, 1, 2}},                       // entries the file does not hold
      {{size(1, 0)}, {1, 2}},                        // no bytes
      {{size(2, 0x10000)}, {0, 2}},                  // past the end of the file
      {{offset(3, length - 5)}, {0, 1}},             // ... by one byte
      {{offset(3, length - 15)}, {0, 1, 2}},         // inside: the first kept image's bytes and more
      {{offset(1, 0xFFFFFFFF)}, {1, 2}},             // an offset that would wrap in 32 bits
      {{offset(1, 6), size(1, length - 6)}, {0, 1}}  // the kept bytes would outgrow the file
  };
  for (const auto& c : cases) {
    Bytes b = good;
    for (const auto& [at, value] : c.set) SetLe(b, at, at == 4 ? 2 : 4, value);
    const auto d = DecodeIconFile(b);
    ASSERT_TRUE(d) << "the first image opens whatever the others hold";
    std::vector<int> kept;
    for (const KeptFileImage& k : d->otherImages) kept.push_back(k.entry[0]);
    EXPECT_EQ(kept, c.kept) << c.set[0].first << " := " << c.set[0].second;
  }
}

}  // namespace
}  // namespace gw
