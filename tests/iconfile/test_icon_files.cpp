// Reading a file into the editor and saving it: what changes on success, and that nothing does on failure.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/core/UndoRing.h"
#include "iconfile/core/IconFiles.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class IconFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) / ("gw-iconfiles-" + std::to_string(::getpid()));
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string Path(const std::string& name) const { return (dir / name).string(); }
  static std::vector<std::uint8_t> Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  fs::path dir;
  EditorState s;
};

TEST_F(IconFilesTest, SaveThenOpenMakesTheFileTheUnmodifiedDocument) {
  NewIcon(s, kTypeCursor, 32);
  PaintPattern(s);
  s.CursorHotSpotX = 3;
  s.CursorHotSpotY = 9;
  PushUndo(s);
  const Bitmap painted = s.iconimage;
  const std::string path = Path("a.cur");
  const IconSaveResult saved = SaveIconFile(s, path);
  ASSERT_TRUE(saved.ok) << saved.message;
  EXPECT_FALSE(s.Modified);
  EXPECT_EQ(s.iconimage, painted) << "the cursor's aqua stays in the live image";
  EXPECT_EQ(Contents(path), EncodeIconFile(s, *FindIconFormat(kTypeCursor, 32)));

  const IconLoadResult r = LoadIconFile(path);
  ASSERT_EQ(r.status, IconLoadStatus::Ok) << r.message;
  EditorState t;
  NewIcon(t, r.icon.type, r.icon.size);
  const Bitmap blank = t.iconimage;
  t.Modified = true;
  ASSERT_TRUE(ReadIconFile(t, r.icon, path));
  EXPECT_EQ(t.iconimage, painted);
  EXPECT_EQ(t.iconmask, s.iconmask);
  EXPECT_EQ(std::vector<int>({t.IconType, t.IconSize, t.CursorHotSpotX, t.CursorHotSpotY}),
            std::vector<int>({kTypeCursor, 32, 3, 9}));
  EXPECT_EQ(t.CurrentFileName, path);
  EXPECT_EQ(t.IconSaveTarget, path);
  EXPECT_FALSE(t.Modified);
  EXPECT_FALSE(RedoPossible(t));
  ASSERT_TRUE(UndoStep(t));
  EXPECT_EQ(t.iconimage, blank);
}

TEST_F(IconFilesTest, ReadersTakeOnlyTheirFormatAndTheImageTheyWereMadeFor) {
  NewIcon(s, kType16Color, 32);
  const auto icon = DecodeIconFile(EncodeIconFile(s, *FindIconFormat(kType16Color, 32)));
  ASSERT_TRUE(icon);
  EditorState t;
  NewIcon(t, kType16Color, 16);
  const Bitmap before = t.iconimage;
  EXPECT_FALSE(ReadIcon16x16_16(t, *icon, "x.ico"));
  EXPECT_FALSE(ReadIconFile(t, *icon, "x.ico")) << "the new-image handler of 32 x 32 did not run";
  EXPECT_EQ(t.iconimage, before);
  EXPECT_TRUE(t.CurrentFileName.empty());
  NewIcon(t, kType16Color, 32);
  EXPECT_FALSE(ReadIcon32x32_256(t, *icon, "x.ico"));
  EXPECT_TRUE(ReadIcon32x32_16(t, *icon, "x.ico"));
}

TEST_F(IconFilesTest, UnreadableAndUnsupportedFiles) {
  const std::string missing = Path("missing.ico");
  EXPECT_EQ(LoadIconFile(missing).status, IconLoadStatus::CannotRead);
  EXPECT_NE(LoadIconFile(missing).message.find("missing.ico"), std::string::npos);
  EXPECT_EQ(LoadIconFile(dir.string()).status, IconLoadStatus::CannotRead);
  EXPECT_EQ(LoadIconFile("").status, IconLoadStatus::CannotRead);
  const std::string huge = Path("huge.ico");
  std::ofstream(huge).close();
  fs::resize_file(huge, kMaxIconFileBytes + 1);
  EXPECT_EQ(LoadIconFile(huge).status, IconLoadStatus::NotSupported);
  const std::string empty = Path("empty.ico");
  std::ofstream(empty).close();
  EXPECT_EQ(LoadIconFile(empty).status, IconLoadStatus::NotSupported);
}

TEST_F(IconFilesTest, FailedSaveChangesNothing) {
  NewIcon(s, kTypeMono, 16);
  s.IconType = kTypeMono;
  s.Modified = true;
  s.CurrentFileName = "before.ico";
  for (const std::string& path : {Path("no-such-folder/a.ico"), dir.string(), std::string()}) {
    const IconSaveResult r = SaveIconFile(s, path);
    EXPECT_FALSE(r.ok) << path;
    EXPECT_NE(r.message.find(fs::path(path).filename().string()), std::string::npos) << r.message;
    EXPECT_TRUE(s.Modified);
    EXPECT_EQ(s.CurrentFileName, "before.ico");
  }
  EXPECT_TRUE(fs::is_directory(dir));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 0) << "no temporary file left";
}

TEST_F(IconFilesTest, SaveReplacesAnExistingFileAndPicksTheWriterByTypeAndSize) {
  // (IconType, IconSize) -> length of the file written.
  const int cases[][3] = {{kTypeCursor, 32, 326}, {kTypeMono, 24, 262}, {kType16Color, 64, 2686}, {kTypeTrueColor, 16, 894}};
  const std::string path = Path("b.ico");
  std::ofstream(path) << "old contents that are longer than nothing";
  for (const auto& c : cases) {
    NewIcon(s, c[0], c[1]);
    ASSERT_TRUE(SaveIconFile(s, path).ok);
    EXPECT_EQ(fs::file_size(path), std::uintmax_t(c[2]));
  }
  EXPECT_EQ(SaveIcon24x24_Mono(s, path).ok, true);
  EXPECT_EQ(s.IconType, kTypeMono) << "the writer's type";
  EXPECT_EQ(fs::file_size(path), 262u);
}

TEST(SaveFormat, FallsBackToTheCursorOr64) {
  // (type, size) -> table index.
  const int cases[][3] = {{4, 16, 12}, {4, 64, 12}, {3, 20, 28}, {7, 32, 10}, {-1, 16, 2}, {0, 64, 25}, {1, 40, 14}};
  for (const auto& c : cases) EXPECT_EQ(SaveFormatFor(c[0], c[1]).index, c[2]) << c[0] << " " << c[1];
}

}  // namespace
}  // namespace gw
