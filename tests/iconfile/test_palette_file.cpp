// Palette files: the grid's 256 colours saved and loaded through the shared "Color Palette" section.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "iconfile/core/PaletteFile.h"

using namespace gw;
namespace fs = std::filesystem;

namespace {

class PaletteFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("gw-pal-" + std::to_string(::getpid()) + "-" +
                                       testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string file(const char* name = "colors.pal") const { return (dir / name).string(); }
  static std::vector<Color> Distinct() {
    std::vector<Color> g;
    for (int i = 0; i < 256; ++i) g.push_back(static_cast<Color>(i * 65793) ^ 7u);
    return g;
  }
  void write(const std::string& text) { std::ofstream(file()) << text; }
  std::string read() const {
    std::ifstream in(file());
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // A section of n keys named a1 ... an holding 1000 + i.
  void writeKeys(int n) {
    std::string t = "[Color Palette]\n";
    for (int i = 0; i < n; ++i) t += "a" + std::to_string(i + 1) + "=" + std::to_string(1000 + i) + "\n";
    write(t);
  }

  fs::path dir;
  std::string loadError;  // why a load found the file unreadable
};

TEST_F(PaletteFileTest, SaveThenLoadGivesTheSameColoursAndTheFileReadsAsExpected) {
  std::string error;
  ASSERT_TRUE(SavePaletteFile(Distinct(), file(), error)) << error;
  std::vector<Color> back(256, kBlack);
  EXPECT_TRUE(LoadPaletteFile(back, file(), loadError));
  EXPECT_EQ(back, Distinct());
  std::string want = "[Color Palette]\n";
  for (int i = 0; i < 256; ++i) want += "Color-" + std::to_string(i) + "=" + std::to_string(Distinct()[static_cast<std::size_t>(i)]) + "\n";
  EXPECT_EQ(read(), want);
  for (const auto& e : fs::directory_iterator(dir)) EXPECT_EQ(e.path().filename(), "colors.pal");  // no temporary left
}

TEST_F(PaletteFileTest, SavingIntoAnExistingFileReplacesTheSectionAndKeepsTheRest) {
  // Reordered and extra keys would shift a load if they stayed.
  write("[Other]\nx=1\n[Color Palette]\nColor-1=5\nColor-0=6\nExtra=7\n[Tail]\ny=2\n");
  std::string error;
  ASSERT_TRUE(SavePaletteFile(Distinct(), file(), error)) << error;
  std::vector<Color> back(256, kBlack);
  EXPECT_TRUE(LoadPaletteFile(back, file(), loadError));
  EXPECT_EQ(back, Distinct());
  const std::string text = read();
  EXPECT_EQ(text.rfind("[Other]\nx=1\n", 0), 0u);
  EXPECT_NE(text.find("[Tail]\ny=2\n"), std::string::npos);
  EXPECT_EQ(text.find("Extra"), std::string::npos);
}

TEST_F(PaletteFileTest, OnlyExactly256KeysAreTakenByPosition) {
  for (const int n : {0, 255, 257}) {
    writeKeys(n);
    std::vector<Color> grid = Distinct();
    EXPECT_FALSE(LoadPaletteFile(grid, file(), loadError)) << n;
    EXPECT_EQ(grid, Distinct()) << n;
  }
  writeKeys(256);
  std::vector<Color> grid = Distinct();
  EXPECT_TRUE(LoadPaletteFile(grid, file(), loadError));
  for (int i = 0; i < 256; ++i) EXPECT_EQ(grid[static_cast<std::size_t>(i)], static_cast<Color>(1000 + i));
  std::vector<Color> untouched = Distinct();
  EXPECT_FALSE(LoadPaletteFile(untouched, file("missing.pal"), loadError));
  EXPECT_EQ(untouched, Distinct());
}

TEST_F(PaletteFileTest, BadValuesKeepTheirSlot) {
  const struct {
    const char* text;
    bool taken;
    Color value;
  } cases[] = {{"abc", false, 0}, {"", false, 0}, {"99999999999", false, 0}, {"16777216", false, 0},
               {"-1", false, 0}, {"-2147483648", false, 0}, {"16777215", true, kWhite}, {"0", true, 0}, {"255", true, 255}};
  std::string t = "[Color Palette]\n";
  for (int i = 0; i < 256; ++i) {
    const std::size_t c = static_cast<std::size_t>(i);
    t += "Color-" + std::to_string(i) + "=" + (c < std::size(cases) ? cases[c].text : "1") + "\n";
  }
  write(t);
  std::vector<Color> grid = Distinct();
  EXPECT_TRUE(LoadPaletteFile(grid, file(), loadError));
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(grid[i], cases[i].taken ? cases[i].value : Distinct()[i]) << cases[i].text;
  EXPECT_EQ(grid[200], 1u);
}

TEST_F(PaletteFileTest, AnUnwritableFolderGivesAnErrorAndNoFile) {
  // /proc takes no new files, even from root.
  for (const std::string& target : {std::string("/proc/glyphwerk-test.pal"), (dir / "no-such-folder" / "p.pal").string()}) {
    std::string error;
    EXPECT_FALSE(SavePaletteFile(Distinct(), target, error)) << target;
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(target));
  }
}

}  // namespace
