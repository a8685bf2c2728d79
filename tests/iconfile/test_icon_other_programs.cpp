// Files of other programs: the fixtures of tests/data/icons (made by its make.sh) open with the pixels and
// mask of their source pictures, and their 32-bit and PNG icons are refused. And the files we write are read
// by icotool, ImageMagick and Pillow with the same pixels and transparency.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "editor/core/EditAreaMouse.h"
#include "editor/core/UndoRing.h"
#include "iconfile/core/IconFiles.h"
#include "iconfile/picture/Picture.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;
const std::string kIcons = std::string(GLYPHWERK_TEST_DATA) + "/icons/";

Picture ReadPng(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string error;
  const auto p = DecodePng(Bytes{std::istreambuf_iterator<char>(in), {}}, error);
  EXPECT_TRUE(p) << path << ": " << error;
  return p ? *p : Picture{};
}

// A picture pixel with alpha below 128 must be transparent in the icon (white mask, and aqua for monochrome
// icons and cursors), any other opaque with its colour. allOpaque: transparent ones are expected opaque black.
void ExpectPixels(const Bitmap& image, const Bitmap& mask, int type, const Picture& p, bool allOpaque) {
  ASSERT_EQ(std::vector<int>({p.width, p.height}), std::vector<int>({image.width(), image.height()}));
  int wrong = 0;
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x) {
      const std::uint8_t* q = p.pixel(x, y);
      const bool clear = q[3] < 128 && !allOpaque;
      const Color want = q[3] < 128 ? kBlack : MakeColor(q[0], q[1], q[2]);
      const bool ok = clear ? mask.pixel(x, y) == kWhite && (type < kTypeMono || image.pixel(x, y) == kAqua)
                            : mask.pixel(x, y) == kBlack && image.pixel(x, y) == want;
      if (!ok && ++wrong <= 3) ADD_FAILURE() << "pixel " << x << ", " << y << std::hex << ": " << image.pixel(x, y);
    }
}

TEST(OtherProgramsFiles, OpenWithTheirPixelsOrAreRefused) {
  const struct { const char* file; const char* source; int type, size; bool allOpaque; } fixtures[] = {
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
      {"icotool-4bit-16.ico", "src-few-16.png", kType16Color, 16, false},
      {"icotool-4bit-48.ico", "src-few-48.png", kType16Color, 48, false},
      {"icotool-8bit-24.ico", "src-many-24.png", kType256Color, 24, false},
      {"icotool-8bit-64.ico", "src-many-64.png", kType256Color, 64, false},
      {"magick-16color-24.ico", "src-few-24.png", kType16Color, 24, false},
      {"magick-16color-64.ico", "src-few-64.png", kType16Color, 64, false},
      {"magick-256color-48.ico", "src-many-48.png", kType256Color, 48, false},
      {"magick-256color-64.ico", "src-many-64.png", kType256Color, 64, false},
      {"icotool-32bit-32.ico", nullptr, 0, 0, false}, {"icotool-png-32.ico", nullptr, 0, 0, false},
      {"magick-32bit-32.ico", nullptr, 0, 0, false},  {"pillow-32bit-32.ico", nullptr, 0, 0, false},
      {"pillow-png-32.ico", nullptr, 0, 0, false}};
  for (const auto& f : fixtures) {
    SCOPED_TRACE(f.file);
    const IconLoadResult r = LoadIconFile(kIcons + f.file);
    ASSERT_EQ(r.status, f.source ? IconLoadStatus::Ok : IconLoadStatus::NotSupported) << r.message;
    if (!f.source) continue;
    EXPECT_EQ(std::vector<int>({r.icon.type, r.icon.size}), std::vector<int>({f.type, f.size}));
    ExpectPixels(r.icon.image, r.icon.mask, f.type, ReadPng(kIcons + f.source), f.allOpaque);
  }
  const DecodedIconFile cursor = LoadIconFile(kIcons + "icotool-cursor-32.cur").icon;
  EXPECT_EQ(std::vector<int>({cursor.hotSpotX, cursor.hotSpotY}), std::vector<int>({5, 7}));
}

// The RGBA pixels Pillow reads from an icon file, row by row from the top.
Bytes PillowPixels(const std::string& path) {
  const std::string command = "/usr/bin/python3 -c \"import sys; from PIL import Image; sys.stdout.write("
                              "Image.open(sys.argv[1]).convert('RGBA').tobytes().hex())\" '" + path + "'";
  std::string hex;
  if (FILE* out = ::popen(command.c_str(), "r")) {
    for (int c; (c = std::fgetc(out)) != EOF;) hex.push_back(static_cast<char>(c));
    EXPECT_EQ(::pclose(out), 0) << command;
  }
  Bytes rgba;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
    rgba.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return rgba;
}

// Icons of 16 and 256 colours with colour tables of their own (tests/data/icons/make.sh).
const char* const kOwnTableIcons[] = {
    "icotool-4bit-16.ico",   "icotool-4bit-32.ico",    "icotool-4bit-48.ico",    "icotool-8bit-16.ico",
    "icotool-8bit-24.ico",   "icotool-8bit-64.ico",    "magick-16color-24.ico",  "magick-16color-32.ico",
    "magick-16color-64.ico", "magick-256color-16.ico", "magick-256color-48.ico", "magick-256color-64.ico"};

// The file opened as the Open command does it: the new-image handler of its format, then the reader.
void OpenInto(EditorState& s, const std::string& path) {
  const IconLoadResult r = LoadIconFile(path);
  ASSERT_EQ(r.status, IconLoadStatus::Ok) << r.message;
  NewIcon(s, r.icon.type, r.icon.size);
  ASSERT_TRUE(ReadIconFile(s, r.icon, path));
}

// How many pixels Pillow reads differently from what the edit area shows: an opaque pixel must have the
// colour of its cells, a transparent one (white mask) must be fully transparent.
int DiffersFromEditArea(const EditorState& s, const Bytes& rgba) {
  const int S = s.IconSize;
  if (rgba.size() != static_cast<std::size_t>(4 * S * S)) return S * S;
  int wrong = 0;
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      const std::uint8_t* p = &rgba[static_cast<std::size_t>(4 * (y * S + x))];
      const Color shown = s.editarea.pixel(x * s.CellSize + s.CellSize / 2, y * s.CellSize + s.CellSize / 2);
      const bool clear = s.iconmask.pixel(x, y) == kWhite;
      wrong += clear ? p[3] != 0 : p[3] != 255 || MakeColor(p[0], p[1], p[2]) != shown;
    }
  return wrong;
}

class OwnColorTables : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-tables-" + std::to_string(::getpid()));
};

TEST_F(OwnColorTables, OpenedAndSavedUneditedKeepEveryPixel) {
  for (const char* name : kOwnTableIcons) {
    SCOPED_TRACE(name);
    EditorState s;
    OpenInto(s, kIcons + name);
    const std::string saved = (dir / name).string();
    ASSERT_TRUE(SaveIconFile(s, saved).ok);
    const Bytes before = PillowPixels(kIcons + name), after = PillowPixels(saved);
    int changed = 0;
    for (std::size_t i = 0; i + 3 < std::min(before.size(), after.size()); i += 4)
      changed += !std::equal(&before[i], &before[i] + 4, &after[i]);
    EXPECT_EQ(before.size(), after.size());
    EXPECT_EQ(changed, 0);
    EXPECT_EQ(DiffersFromEditArea(s, after), 0);
  }
}

// Every entry of the grid picked into a pen and painted with the pencil into a cell of its own: what Save
// writes is what the edit area shows, and the pens are the file's colours.
TEST_F(OwnColorTables, PencilCellsInPenColoursAreSavedAsShown) {
  for (const char* name : kOwnTableIcons) {
    SCOPED_TRACE(name);
    EditorState s;
    OpenInto(s, kIcons + name);
    const std::vector<Color> fileColors = LoadIconFile(kIcons + name).icon.colorTable;
    const int entries = s.IconType == kType16Color ? 16 : 256, columns = entries == 16 ? 8 : 16;
    const int cellW = 256 / columns, cellH = entries == 16 ? 64 : 16;
    ToolHost host;
    s.CurrentTool = 0;
    s.ToolStage = 1;
    for (int i = 0; i < entries; i += entries == 16 ? 1 : 7) {
      const bool left = i % 2 == 0;
      colorgrdMouseDown(s, left, (i % columns) * cellW + 1, (i / columns) * cellH + 1);
      const Color pen = left ? s.LeftPenColor : s.RightPenColor;
      if (static_cast<std::size_t>(i) < fileColors.size()) {
        EXPECT_EQ(pen, fileColors[static_cast<std::size_t>(i)]) << i;
      }
      const int cell = (i * 5) % (s.IconSize * s.IconSize);
      const int px = (cell % s.IconSize) * s.CellSize + 1, py = (cell / s.IconSize) * s.CellSize + 1;
      const MouseButton b = left ? MouseButton::Left : MouseButton::Right;
      editareaMouseDown(s, host, b, false, px, py);
      editareaMouseUp(s, host, b, false, px, py);
      EXPECT_EQ(s.editarea.pixel(px, py), pen) << i;
    }
    const std::string saved = (dir / name).string();
    ASSERT_TRUE(SaveIconFile(s, saved).ok);
    EXPECT_EQ(DiffersFromEditArea(s, PillowPixels(saved)), 0);
    // Undone back to the file as read, the image saves as the file was.
    while (s.UndoPos > 1) ASSERT_TRUE(UndoStep(s));
    ASSERT_TRUE(SaveIconFile(s, saved).ok);
    EXPECT_EQ(PillowPixels(saved), PillowPixels(kIcons + name));
  }
}

// A file whose table is shorter than the depth's (biClrUsed 4) and holds a colour twice, its pixels using both
// copies: opened and saved, Pillow reads the same pixels, though the saved table has all 256 entries.
TEST_F(OwnColorTables, AShortTableWithDuplicatesKeepsItsPixels) {
  const std::vector<Color> table = {kBlack, 0x0A0B0C, 0x0A0B0C, 0x405060};
  const IconFormat& f = *FindIconFormat(kType256Color, 16);
  Bytes bytes(static_cast<std::size_t>(f.paletteOffset()), 0);
  const Bytes full = EncodeIconFile(f, Bitmap(16, 16, kBlack), Bitmap(16, 16, kBlack), 0, 0, {});
  std::copy_n(full.begin(), bytes.size(), bytes.begin());
  SetLe(bytes, 22 + 32, 4, static_cast<std::uint32_t>(table.size()));  // biClrUsed
  for (Color c : table)
    bytes.insert(bytes.end(), {std::uint8_t(BlueOf(c)), std::uint8_t(GreenOf(c)), std::uint8_t(RedOf(c)), 0});
  Bytes mask(static_cast<std::size_t>(f.andBytes), 0);
  for (int row = 0; row < 16; ++row)
    for (int x = 0; x < 16; ++x) {
      const bool clear = (x + 2 * row) % 7 == 0;
      bytes.push_back(static_cast<std::uint8_t>(clear ? 0 : (x + row) % 4));
      std::uint8_t& bits = mask[static_cast<std::size_t>(row * f.andRowBytes() + x / 8)];
      if (clear) bits = static_cast<std::uint8_t>(bits | 0x80 >> (x % 8));
    }
  bytes.insert(bytes.end(), mask.begin(), mask.end());
  SetLe(bytes, 14, 4, static_cast<std::uint32_t>(bytes.size() - 22));  // dwBytesInRes
  const std::string ours = (dir / "short.ico").string(), saved = (dir / "saved.ico").string();
  std::ofstream(ours, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));

  EditorState s;
  OpenInto(s, ours);
  EXPECT_EQ(std::vector<Color>(s.Colors256.begin(), s.Colors256.begin() + 5),
            std::vector<Color>({kBlack, 0x0A0B0C, 0x0A0B0C, 0x405060, s.DefaultColors256[4]}));
  ASSERT_TRUE(SaveIconFile(s, saved).ok);
  const Bytes before = PillowPixels(ours);
  ASSERT_EQ(before.size(), 4u * 16 * 16);
  EXPECT_EQ(PillowPixels(saved), before);
}

struct Tool {
  const char* name;     // what must be installed
  const char* command;  // %1: our file, %2: the PNG it writes
  bool cursorMasks;     // Pillow's cursor reader ignores a cursor's mask and shows the black colour bits
};
const Tool kTools[] = {
    {"icotool", "icotool -x -o '%2' '%1'", true},
    {"/usr/bin/convert", "/usr/bin/convert '%1' PNG32:'%2'", true},
    {"/usr/bin/python3", "/usr/bin/python3 -c \"import sys; from PIL import Image; "
                         "Image.open(sys.argv[1]).convert('RGBA').save(sys.argv[2])\" '%1' '%2'", false}};

class ReadByOtherPrograms : public ::testing::TestWithParam<Tool> {};

TEST_P(ReadByOtherPrograms, SamePixelsAndTransparency) {
  const Tool& tool = GetParam();
  if (std::system(("command -v " + std::string(tool.name) + " >/dev/null").c_str()) != 0)
    GTEST_SKIP() << tool.name << " is not installed (scripts/install-deps.sh)";
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-icons-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const auto& [type, size] : {std::pair{kType16Color, 32}, {kType256Color, 16}, {kTypeTrueColor, 24},
                                   {kTypeMono, 40}, {kTypeCursor, 32}}) {
    EditorState s;
    NewIcon(s, type, size);
    PaintPattern(s);
    const std::string ours = (dir / (type == kTypeCursor ? "a.cur" : "a.ico")).string(), png = (dir / "a.png").string();
    ASSERT_TRUE(SaveIconFile(s, ours).ok);
    std::string command = tool.command;
    command.replace(command.find("%1"), 2, ours);
    command.replace(command.find("%2"), 2, png);
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    if (type == kTypeCursor && !tool.cursorMasks) {
      TransparentAquaToWhite(s.iconimage, s.iconmask, size);
      TransparentWhiteToBlack(s.iconimage, s.iconmask, size);
      s.iconmask.fill(kBlack);
    }
    SCOPED_TRACE(std::string(tool.name) + " " + std::to_string(type) + " " + std::to_string(size));
    ExpectPixels(s.iconimage, s.iconmask, type, ReadPng(png), false);
  }
  fs::remove_all(dir);
}

INSTANTIATE_TEST_SUITE_P(Tools, ReadByOtherPrograms, ::testing::ValuesIn(kTools), [](const auto& p) {
  return std::string(p.index == 0 ? "icotool" : p.index == 1 ? "ImageMagick" : "Pillow");
});

}  // namespace
}  // namespace gw
