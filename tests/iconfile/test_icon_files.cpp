// Reading a file into the editor and saving it: what changes on success, and that nothing does on failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/core/UndoRing.h"
#include "iconfile/core/IconFiles.h"
#include "tests/common/MemoryInChild.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class IconFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  static Bytes Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-iconfiles-" + std::to_string(::getpid()));
  EditorState s;
};

TEST_F(IconFilesTest, SaveOverAFileThenOpenMakesItTheUnmodifiedDocument) {
  NewIcon(s, kTypeCursor, 32);
  PaintPattern(s);
  s.CursorHotSpotY = 9;
  PushUndo(s);
  const Bitmap painted = s.iconimage;
  const std::string path = Path("a.cur");
  std::ofstream(path) << "older and longer contents than the cursor's 326 bytes, which replace them";
  ASSERT_TRUE(SaveIconFile(s, path).ok);
  EXPECT_FALSE(s.Modified);
  EXPECT_EQ(s.iconimage, painted) << "the cursor's aqua stays in the live image";
  EXPECT_EQ(Contents(path), Encode(s));

  const IconLoadResult r = LoadIconFile(path);
  ASSERT_EQ(r.status, IconLoadStatus::Ok) << r.message;
  EditorState t;
  NewIcon(t, r.icon.type, r.icon.size);
  const Bitmap blank = t.iconimage;
  ASSERT_TRUE(ReadIconFile(t, r.icon, path));
  EXPECT_EQ(t.iconimage, painted);
  EXPECT_EQ(std::vector<int>({t.IconType, t.IconSize, t.CursorHotSpotY, t.Modified, RedoPossible(t)}),
            std::vector<int>({kTypeCursor, 32, 9, false, false}));
  EXPECT_EQ(std::vector<std::string>({t.CurrentFileName, t.IconSaveTarget}), std::vector<std::string>({path, path}));
  ASSERT_TRUE(UndoStep(t));
  EXPECT_EQ(t.iconimage, blank);
}

TEST_F(IconFilesTest, ReadersTakeOnlyTheirFormatAfterItsNewImage) {
  NewIcon(s, kType16Color, 32);
  const auto icon = DecodeIconFile(Encode(s));
  EditorState t;
  NewIcon(t, kType16Color, 16);
  const Bitmap before = t.iconimage;
  EXPECT_FALSE(ReadIconFile(t, *icon, "x.ico")) << "the 32 x 32 new image did not run";
  EXPECT_EQ(t.iconimage, before);
  EXPECT_TRUE(t.CurrentFileName.empty());
  NewIcon(t, kType16Color, 32);
  EXPECT_FALSE(ReadIcon32x32_256(t, *icon, "x.ico"));
  EXPECT_TRUE(ReadIcon32x32_16(t, *icon, "x.ico"));
}

TEST_F(IconFilesTest, UnreadableAndUnsupportedFiles) {
  const std::string huge = Path("huge.ico"), empty = Path("empty.ico");
  std::ofstream(huge).close();
  fs::resize_file(huge, kMaxIconFileBytes + 1);
  std::ofstream(empty).close();
  const std::pair<std::string, IconLoadStatus> cases[] = {
      {Path("missing.ico"), IconLoadStatus::CannotRead}, {dir.string(), IconLoadStatus::CannotRead},
      {"", IconLoadStatus::CannotRead}, {huge, IconLoadStatus::NotSupported}, {empty, IconLoadStatus::NotSupported}};
  for (const auto& [path, status] : cases) EXPECT_EQ(LoadIconFile(path).status, status) << path;
  EXPECT_NE(LoadIconFile(Path("missing.ico")).message.find("missing.ico"), std::string::npos);
}

// Entries whose 8 MiB overlap but start apart are copies of their own: the second would take the kept bytes
// past their bound, so it and the entry that shares its bytes are not kept, and Open says so once. Save
// writes the rest, the shared copy once.
TEST_F(IconFilesTest, ImagesPastTheBoundOnKeptBytesAreCountedAndTheRestSaved) {
  const std::string path = Path("overlapping.ico");
  const Bytes file = OverlappingImages({0, 1, 0, 1, 2}, 8u << 20);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(file.data()), long(file.size()));
  const IconLoadResult r = LoadIconFile(path);
  ASSERT_EQ(r.status, IconLoadStatus::Ok);
  EXPECT_EQ(r.message,
            "3 images of the file \"overlapping.ico\" are too large to keep: Save will not write them back.");
  EXPECT_EQ(KeptImagesMessage("a/b.cur", 1),
            "1 image of the file \"b.cur\" is too large to keep: Save will not write it back.");
  ASSERT_EQ(r.icon.otherImages.size(), 2u);
  EXPECT_EQ(std::vector<int>({r.icon.otherImages[0].sameBytesAs, r.icon.otherImages[1].sameBytesAs}),
            std::vector<int>({-1, 1}));
  EXPECT_TRUE(r.icon.otherImages[0].bytes == Bytes(file.end() - 2 - (8 << 20), file.end() - 2));

  NewIcon(s, r.icon.type, r.icon.size);
  ASSERT_TRUE(ReadIconFile(s, r.icon, path));
  ASSERT_TRUE(SaveIconFile(s, path).ok);
  const Bytes saved = Contents(path);
  EXPECT_EQ(saved.size(), 6 + 3 * 16 + 296 + (8u << 20));
  const auto again = DecodeIconFile(saved);
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->otherImages == r.icon.otherImages);
  EXPECT_EQ(again->imagesNotKept, 0);
}

// 4,000 entries that each name 1 MiB of one run, a byte apart, would be 4 GB of copies: the kept copies stay
// within their bound, and the file Save makes of them is one Open reads.
TEST(KeptImages, CopiesStayWithinTheirBound) {
  std::vector<std::uint32_t> starts(4000);
  for (std::size_t i = 0; i < starts.size(); ++i) starts[i] = std::uint32_t(i);
  const Bytes file = OverlappingImages(starts, 1u << 20);
  const test::ChildRun run = test::RunInChild(test::kSanitized ? 0 : 96L << 20, [&] {
    const auto d = DecodeIconFile(file);
    if (!d) return std::string("refused");
    const std::size_t saved = WithKeptImages(Bytes(file.begin(), file.begin() + 22 + 296), d->otherImages).size();
    return std::to_string(d->otherImages.size()) + " kept, " + std::to_string(d->imagesNotKept) + " not, " +
           (saved <= kMaxIconFileBytes ? "opens again" : "too large");
  });
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.outcome, "14 kept, 3986 not, opens again");
  if (!test::kSanitized) {
    EXPECT_LT(run.peakGrowthKb, 64 << 10);
  }
}

TEST_F(IconFilesTest, FailedSaveChangesNothing) {
  NewIcon(s, kTypeTrueColor, 16);
  s.IconType = 7;  // saved as true colour, and kept when the save fails
  s.Modified = true;
  const std::string locked = Path("locked.ico");
  std::ofstream(locked) << "keep";
  fs::permissions(locked, fs::perms::owner_read);
  for (const std::string& path : {Path("no-such-folder/a.ico"), dir.string(), std::string(), locked}) {
    const IconSaveResult r = SaveIconFile(s, path);
    EXPECT_FALSE(r.ok) << path;
    EXPECT_NE(r.message.find(fs::path(path).filename().string()), std::string::npos) << r.message;
    EXPECT_EQ(std::vector<int>({s.IconType, s.Modified}), std::vector<int>({7, true}));
  }
  EXPECT_EQ(Contents(locked), (Bytes{'k', 'e', 'e', 'p'}));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary file left";
  fs::permissions(locked, fs::perms::owner_all);
  EXPECT_TRUE(SaveIconFile(s, locked).ok);
  EXPECT_EQ(s.IconType, kTypeTrueColor) << "the writer's type";
}

TEST(SaveFormat, FallsBackToTheCursorOr64) {
  const int cases[][3] = {{4, 16, 12}, {4, 64, 12}, {3, 20, 28}, {7, 32, 10}, {-1, 16, 2}, {0, 64, 25}, {1, 40, 14}};
  for (const auto& c : cases) EXPECT_EQ(SaveFormatFor(c[0], c[1]).index, c[2]) << c[0] << " " << c[1];
}

}  // namespace
}  // namespace gw
