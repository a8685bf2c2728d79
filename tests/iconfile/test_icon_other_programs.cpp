// Files of other programs: the committed fixtures of tests/data/icons (made by its make.sh) open with the
// pixels and mask of their source pictures, their 32-bit and PNG icons are refused; and the files this
// editor writes are read by icotool, ImageMagick and Pillow with the same pixels and transparency.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "iconfile/core/IconFiles.h"
#include "iconfile/picture/Picture.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
const std::string kIcons = std::string(GLYPHWERK_TEST_DATA) + "/icons/";

Picture ReadPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  std::string error;
  auto p = DecodePng(bytes, error);
  EXPECT_TRUE(p) << path << ": " << error;
  return p ? *p : Picture{};
}

// Compares an icon with an RGBA picture: a pixel with alpha below 128 must be transparent (white mask; aqua
// for monochrome icons and cursors, whose colour bits cannot show anything else); any other must be opaque
// with the picture's colour. allOpaque: transparent picture pixels are expected as opaque black.
void ExpectPixels(const DecodedIconFile& icon, const Picture& p, bool allOpaque, const std::string& what) {
  ASSERT_EQ(p.width, icon.size) << what;
  ASSERT_EQ(p.height, icon.size) << what;
  int wrong = 0;
  for (int y = 0; y < icon.size; ++y)
    for (int x = 0; x < icon.size; ++x) {
      const std::uint8_t* q = p.pixel(x, y);
      const bool transparent = q[3] < 128 && !allOpaque;
      const Color want = q[3] < 128 ? kBlack : MakeColor(q[0], q[1], q[2]);
      const bool ok = transparent
                          ? icon.mask.pixel(x, y) == kWhite &&
                                (icon.type < kTypeMono || icon.image.pixel(x, y) == kAqua)
                          : icon.mask.pixel(x, y) == kBlack && icon.image.pixel(x, y) == want;
      if (!ok && ++wrong <= 3)
        ADD_FAILURE() << what << " pixel (" << x << ", " << y << "): image " << std::hex << icon.image.pixel(x, y)
                      << " mask " << icon.mask.pixel(x, y) << ", expected " << want << (transparent ? " transparent" : "");
    }
  EXPECT_EQ(wrong, 0) << what;
}

struct Fixture {
  const char* file;
  const char* source;  // nullptr: refused
  int type, size;
  bool allOpaque;
};
constexpr Fixture kFixtures[] = {
    {"icotool-1bit-32.ico", "src-mono-32.png", kTypeMono, 32, false},
    {"icotool-4bit-32.ico", "src-16color-32.png", kType16Color, 32, false},
    {"icotool-8bit-16.ico", "src-256color-16.png", kType256Color, 16, false},
    {"icotool-24bit-24.ico", "src-true-24.png", kTypeTrueColor, 24, false},
    {"icotool-cursor-32.cur", "src-mono-32.png", kTypeCursor, 32, false},
    {"magick-16color-32.ico", "src-16color-32.png", kType16Color, 32, false},
    {"magick-256color-16.ico", "src-256color-16.png", kType256Color, 16, false},
    {"pillow-1bit-32.ico", "src-mono-32.png", kTypeMono, 32, true},
    {"pillow-8bit-32.ico", "src-16color-32.png", kType256Color, 32, true},
    {"pillow-24bit-32.ico", "src-16color-32.png", kTypeTrueColor, 32, true},
    {"icotool-32bit-32.ico", nullptr, 0, 0, false},
    {"icotool-png-32.ico", nullptr, 0, 0, false},
    {"magick-32bit-32.ico", nullptr, 0, 0, false},
    {"pillow-32bit-32.ico", nullptr, 0, 0, false},
    {"pillow-png-32.ico", nullptr, 0, 0, false},
};

TEST(OtherProgramsFiles, OpenWithTheirPixelsOrAreRefused) {
  for (const Fixture& f : kFixtures) {
    SCOPED_TRACE(f.file);
    const IconLoadResult r = LoadIconFile(kIcons + f.file);
    if (!f.source) {
      EXPECT_EQ(r.status, IconLoadStatus::NotSupported);
      continue;
    }
    ASSERT_EQ(r.status, IconLoadStatus::Ok) << r.message;
    EXPECT_EQ(std::vector<int>({r.icon.type, r.icon.size}), std::vector<int>({f.type, f.size}));
    ExpectPixels(r.icon, ReadPng(kIcons + f.source), f.allOpaque, f.file);
  }
  const IconLoadResult cursor = LoadIconFile(kIcons + "icotool-cursor-32.cur");
  EXPECT_EQ(std::vector<int>({cursor.icon.hotSpotX, cursor.icon.hotSpotY}), std::vector<int>({5, 7}));
}

// --- Our files read by the other programs ------------------------------------------------------------------

bool HaveTool(const std::string& name) { return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0; }

struct Tool {
  const char* name;     // what must be installed
  const char* command;  // %1: our file, %2: the PNG to write
  bool cursorMasks;     // whether it reads a cursor's mask (Pillow's cursor reader ignores it)
};
const Tool kTools[] = {
    {"icotool", "icotool -x -o '%2' '%1'", true},
    {"convert", "convert '%1' PNG32:'%2'", true},
    {"/usr/bin/python3",
     "/usr/bin/python3 -c \"import sys; from PIL import Image; "
     "Image.open(sys.argv[1]).convert('RGBA').save(sys.argv[2])\" '%1' '%2'",
     false},
};

std::string Fill(std::string text, const std::string& a, const std::string& b) {
  for (const auto& [key, value] : {std::pair{std::string("%1"), a}, std::pair{std::string("%2"), b}})
    for (std::size_t at; (at = text.find(key)) != std::string::npos;) text.replace(at, key.size(), value);
  return text;
}

class ReadByOtherPrograms : public ::testing::TestWithParam<Tool> {};

TEST_P(ReadByOtherPrograms, SamePixelsAndTransparency) {
  const Tool& tool = GetParam();
  if (!HaveTool(tool.name)) GTEST_SKIP() << tool.name << " is not installed (scripts/install-deps.sh)";
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-icons-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::pair<int, int> formats[] = {{kType16Color, 32}, {kType256Color, 16}, {kTypeTrueColor, 24},
                                         {kTypeMono, 40}, {kTypeCursor, 32}};
  for (const auto& [type, size] : formats) {
    EditorState s;
    NewIcon(s, type, size);
    PaintPattern(s);
    const std::string name = std::to_string(type) + "-" + std::to_string(size);
    const std::string ours = (dir / (name + (type == kTypeCursor ? ".cur" : ".ico"))).string();
    const std::string png = (dir / (name + ".png")).string();
    ASSERT_TRUE(SaveIconFile(s, ours).ok);
    ASSERT_EQ(std::system(Fill(tool.command, ours, png).c_str()), 0) << tool.command;
    DecodedIconFile expected;
    expected.type = type;
    expected.size = size;
    expected.image = s.iconimage;
    expected.mask = s.iconmask;
    if (type == kTypeCursor && !tool.cursorMasks) {
      // Its transparent pixels show their colour bits, which are black.
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          if (expected.mask.pixel(x, y) == kWhite) expected.image.setPixel(x, y, kBlack);
      expected.mask.fill(kBlack);
    }
    ExpectPixels(expected, ReadPng(png), false, std::string(tool.name) + " " + name);
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Tools, ReadByOtherPrograms, ::testing::ValuesIn(kTools), [](const auto& p) {
  return std::string(p.index == 0 ? "icotool" : p.index == 1 ? "ImageMagick" : "Pillow");
});

}  // namespace
}  // namespace gw
