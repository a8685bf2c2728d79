// What Save writes of a file it read: the file's other images after the edited one, byte for byte; and for a
// colour table without black, transparent pixels named by a black entry, while the image shows what is saved.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "editor/core/EditAreaMouse.h"
#include "iconfile/core/IconFiles.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

// A click of the current tool on cell (x, x).
void ClickCell(EditorState& s, MouseButton button, int x) {
  ToolHost host;
  const int at = x * s.CellSize + 1;
  editareaMouseDown(s, host, button, false, at, at);
  editareaMouseUp(s, host, button, false, at, at);
}

// Entry i of a file's directory (all but its offset) and its image's bytes.
std::pair<Bytes, Bytes> EntryAndImage(const Bytes& file, std::size_t i) {
  const std::size_t at = 6 + 16 * i, offset = Le(file, at + 12, 4), length = Le(file, at + 8, 4);
  return {Bytes(file.begin() + long(at), file.begin() + long(at + 12)),
          Bytes(file.begin() + long(offset), file.begin() + long(offset + length))};
}

std::string IcotoolList(const std::string& path) {
  std::string out;
  if (FILE* p = ::popen(("icotool -l '" + path + "' 2>/dev/null").c_str(), "r")) {
    for (int c; (c = std::fgetc(p)) != EOF;) out.push_back(static_cast<char>(c));
    ::pclose(p);
  }
  return out;
}

// icotool's 16 x 16 4-bit, 24 x 24 8-bit and 48 x 48 24-bit icon, and its cursor of two images with hot spots
// of their own (tests/data/icons/make.sh): saved unedited, then after one pencil cell, every image after the
// first is as it was, and the first is the edited one. A new image drops them.
TEST(SeveralImages, SavedWithTheFirstEditedTheOthersAreByteIdentical) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-several-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  for (const std::string name : {"icotool-3images.ico", "icotool-2cursors.cur"}) {
    SCOPED_TRACE(name);
    const std::string source = std::string(GLYPHWERK_TEST_DATA) + "/icons/" + name, saved = (dir / name).string();
    std::ifstream in(source, std::ios::binary);
    const Bytes original{std::istreambuf_iterator<char>(in), {}};
    const IconLoadResult r = LoadIconFile(source);
    EditorState s;
    NewIcon(s, r.icon.type, r.icon.size);
    ASSERT_TRUE(ReadIconFile(s, r.icon, source));
    for (const bool edit : {false, true}) {
      if (edit) {
        s.LeftPenColor = s.iconimage.pixel(3, 3) == kBlack ? kWhite : kBlack;
        ClickCell(s, MouseButton::Left, 3);
      }
      ASSERT_TRUE(SaveIconFile(s, saved).ok);
      std::ifstream written(saved, std::ios::binary);
      const Bytes b{std::istreambuf_iterator<char>(written), {}};
      ASSERT_EQ(Le(b, 4, 2), Le(original, 4, 2));
      for (std::size_t i = 1; i < Le(original, 4, 2); ++i)
        EXPECT_EQ(EntryAndImage(b, i), EntryAndImage(original, i)) << i;
      const auto d = DecodeIconFile(b);
      ASSERT_TRUE(d);
      EXPECT_TRUE(d->image == s.iconimage && d->mask == s.iconmask && d->otherImages == r.icon.otherImages);
      EXPECT_EQ(IcotoolList(saved), IcotoolList(source)) << "icotool reads the same directory";
    }
    EXPECT_EQ(s.iconimage.pixel(3, 3), s.LeftPenColor);
    NewIcon(s, kTypeTrueColor, 16);
    EXPECT_TRUE(s.FileOtherImages.empty());
  }
  fs::remove_all(dir);
}

// A file of four images (the first ours, then three of 4, 5 and 6 bytes) with fields of its directory changed:
// which of the three are kept. The first image opens whatever the others hold.
TEST(SeveralImages, OnlyEntriesWhoseBytesAreInTheFileAreKept) {
  EditorState s;
  NewIcon(s, kType16Color, 16);
  std::vector<KeptFileImage> three(3);
  for (std::size_t i = 0; i < 3; ++i) three[i] = {{std::uint8_t(i), 2, 3, 4, 5, 6, 7, 8}, Bytes(4 + i, 0xA0)};
  const Bytes good = WithKeptImages(Encode(s), three);
  ASSERT_EQ(DecodeIconFile(good)->otherImages, three);
  const std::uint32_t length = std::uint32_t(good.size());
  using Set = std::pair<std::size_t, std::uint32_t>;  // (file offset, value): 4 is the count, else a 32-bit field
  const auto size = [](int entry, std::uint32_t v) { return Set{6 + 16 * entry + 8, v}; };
  const auto offset = [](int entry, std::uint32_t v) { return Set{6 + 16 * entry + 12, v}; };
  const struct { std::vector<Set> set; std::vector<int> kept; } cases[] = {
      {{{4, 3}}, {0, 1}},                            // the count ends the directory early
      {{{4, 9}}, {0, 1, 2}},                         // entries the file does not hold
      {{size(1, 0)}, {1, 2}},                        // no bytes
      {{size(2, 0x10000)}, {0, 2}},                  // past the end of the file
      {{offset(3, length - 5)}, {0, 1}},             // ... by one byte
      {{offset(3, length - 15)}, {0, 1, 2}},         // inside: the first kept image's bytes and more
      {{offset(1, 0xFFFFFFFF)}, {1, 2}},             // an offset that would wrap in 32 bits
      {{offset(1, 6), size(1, length - 6)}, {1, 2}}  // bytes over the directory are no image
  };
  for (const auto& c : cases) {
    Bytes b = good;
    for (const auto& [at, value] : c.set) SetLe(b, at, at == 4 ? 2 : 4, value);
    const auto d = DecodeIconFile(b);
    ASSERT_TRUE(d);
    std::vector<int> kept;
    for (const KeptFileImage& k : d->otherImages) kept.push_back(k.entry[0]);
    EXPECT_EQ(kept, c.kept) << c.set[0].first << " := " << c.set[0].second;
  }
}

// A directory entry of a crafted file: one of the images F (the first, ours), A (1,736 bytes) and B (7,336),
// or with no image letter, bytes that only an offset and a length name.
struct Named {
  char image;
  std::uint32_t offset = 0, length = 0;
};

// The single files of the three images: a 16 x 16 16-colour, a 24 x 24 256-colour and a 48 x 48 true-colour icon.
Bytes SingleFile(char image) {
  EditorState s;
  const int type = image == 'F' ? kType16Color : image == 'A' ? kType256Color : kTypeTrueColor;
  NewIcon(s, type, image == 'F' ? 16 : image == 'A' ? 24 : 48);
  PaintPattern(s);
  return Encode(s);
}

// A file whose directory counts `count` entries and holds F then `others`; each image's bytes once, in order.
Bytes Layout(const std::vector<Named>& others, std::uint16_t count) {
  const std::size_t directory = 6 + 16 * (1 + others.size());
  Bytes out(directory, 0);
  SetLe(out, 2, 2, 1);
  SetLe(out, 4, 2, count);
  std::map<char, std::uint32_t> placed;
  for (std::size_t i = 0; i <= others.size(); ++i) {
    const Named n = i == 0 ? Named{'F'} : others[i - 1];
    const Bytes single = SingleFile(n.image ? n.image : 'A');
    const std::size_t at = 6 + 16 * i;
    std::copy_n(single.begin() + 6, 8, out.begin() + long(at));
    SetLe(out, at + 8, 4, n.image ? std::uint32_t(single.size() - 22) : n.length);
    if (n.image && !placed.count(n.image)) {
      placed[n.image] = std::uint32_t(out.size());
      out.insert(out.end(), single.begin() + 22, single.end());
    }
    SetLe(out, at + 12, 4, n.image ? placed[n.image] : n.offset);
  }
  return out;
}

// What the peers make of a file: "icotool IMAGES, ImageMagick IMAGES, Pillow IMAGES", a count of -1 where one
// refuses it. Pillow loads every frame.
std::string PeersRead(const std::string& path) {
  const auto lines = [](const std::string& command) {
    int n = 0, c = 0;
    FILE* p = ::popen((command + " 2>/dev/null").c_str(), "r");
    while (p && (c = std::fgetc(p)) != EOF) n += c == '\n';
    return p && ::pclose(p) == 0 ? n : -1;
  };
  return "icotool " + std::to_string(lines("icotool -l '" + path + "'")) + ", ImageMagick " +
         std::to_string(lines("/usr/bin/identify '" + path + "'")) + ", Pillow " +
         std::to_string(lines("/usr/bin/python3 -c \"import sys; from PIL import Image; "
                              "f = Image.open(sys.argv[1]).ico; "
                              "[print(f.frame(i).load() and i) for i in range(len(f.entry))]\" '" + path + "'"));
}

// Directories of several images, opened and saved unedited. `saved` spells the saved file's entries by image;
// entries of one letter name one copy of its bytes, and the file holds nothing else. icotool reads a file front
// to back and gives up at an entry whose bytes it has passed, so of shared bytes it lists only the first
// entries, in the opened file as in the saved one.
TEST(SeveralImages, SavedDirectoryNamesEachImageOnceAndThePeersReadIt) {
  const fs::path dir = fs::path(::testing::TempDir()) / ("gw-layouts-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const struct {
    const char* name;
    std::vector<Named> others;
    std::uint16_t count;
    const char* saved;
    int icotoolLists;
  } cases[] = {
      {"control", {{'A'}, {'B'}}, 3, "FAB", 3},
      {"count past the directory", {{'A'}, {'B'}}, 65535, "FAB", 3},
      {"large shared bytes", {{'A'}, {'B'}, {'B'}}, 4, "FABB", 3},
      {"small shared bytes", {{'B'}, {'A'}, {'A'}}, 4, "FBAA", 3},
      {"the first image's bytes", {{'F'}, {'A'}}, 3, "FFA", 2},
      {"an entry in the directory", {{'A'}, {0, 6, 16}, {'B'}}, 4, "FAB", 3},
      {"entries over the header and the directory", {{0, 0, 6}, {'A'}, {0, 20, 40}}, 4, "FA", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto d = DecodeIconFile(Layout(c.others, c.count));
    ASSERT_TRUE(d);
    EditorState s;
    NewIcon(s, d->type, d->size);
    ASSERT_TRUE(ReadIconFile(s, *d, "a.ico"));
    const std::string path = (dir / "saved.ico").string();
    ASSERT_TRUE(SaveIconFile(s, path).ok);
    std::ifstream in(path, std::ios::binary);
    const Bytes b{std::istreambuf_iterator<char>(in), {}};
    std::string letters;
    std::map<char, std::set<std::uint32_t>> offsets;
    std::size_t size = 6;
    for (std::size_t i = 0; i < Le(b, 4, 2); ++i) {
      const auto [entry, image] = EntryAndImage(b, i);
      char letter = '?';
      for (const char name : {'F', 'A', 'B'})
        if (const Bytes single = SingleFile(name); image == Bytes(single.begin() + 22, single.end())) letter = name;
      letters += letter;
      if (offsets[letter].insert(std::uint32_t(Le(b, 6 + 16 * i + 12, 4))).second) size += image.size();
      size += 16;
    }
    EXPECT_EQ(letters, c.saved);
    for (const auto& [name, at] : offsets) EXPECT_EQ(at.size(), 1u) << name << " is written more than once";
    EXPECT_EQ(b.size(), size);
    const std::string n = std::to_string(std::strlen(c.saved));
    EXPECT_EQ(PeersRead(path), "icotool " + std::to_string(c.icotoolLists) + ", ImageMagick " + n + ", Pillow " + n);
  }
  fs::remove_all(dir);
}

// A file as other programs write one with a table of no black: entry 0, (60, 20, 20), is the darkest and the
// transparent pixels carry it; the image shows the first `used` entries. Opened, an erased cell is saved
// with the colour bits of a black entry and reopens transparent; an unused entry became black, or when all
// are shown, the one whose pixels move least, and they moved already in the image shown.
TEST(OwnTableWithoutBlack, AnErasedCellIsSavedBlackAndReopensTransparent) {
  const struct { int type, size, used; } cases[] = {
      {kType16Color, 16, 12}, {kType16Color, 32, 16}, {kType256Color, 24, 200}, {kType256Color, 24, 256}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.used));
    const IconFormat& f = *FindIconFormat(c.type, c.size);
    std::vector<Color> table(std::size_t(f.colorTableEntries));
    for (int i = 0; i < f.colorTableEntries; ++i)
      table[std::size_t(i)] = MakeColor(60 + i % 16 * 12, 20 + i / 16 * 14, 20 + i * 7 % 200);
    LogPalette block;
    BuildLogPalette256(table, block);
    const Palette nearest(table);
    Bitmap image(c.size, c.size, kWhite), mask(c.size, c.size, kBlack);
    for (int k = 0; k < c.size * c.size; ++k) {
      if (k % 7 == 0) mask.setPixel(k % c.size, k / c.size, kWhite);
      else image.setPixel(k % c.size, k / c.size, table[std::size_t(k % c.used)]);
    }
    const auto file = DecodeIconFile(EncodeIconFile(f, image, mask, 0, 0, {&block, &nearest}));
    ASSERT_TRUE(file);
    EditorState s;
    NewIcon(s, c.type, c.size);
    ASSERT_TRUE(ReadIconFile(s, *file, "a.ico"));
    const auto black = std::find(s.FileColorTable.begin(), s.FileColorTable.end(), kBlack);
    ASSERT_NE(black, s.FileColorTable.end());
    const Color gone = table[std::size_t(black - s.FileColorTable.begin())];
    std::vector<Color> remapped;  // what the changed pixels were
    for (int k = 0; k < c.size * c.size; ++k)
      if (const Color was = file->image.pixel(k % c.size, k / c.size); was != s.iconimage.pixel(k % c.size, k / c.size))
        remapped.push_back(was);
    EXPECT_EQ(remapped.empty(), c.used < f.colorTableEntries);
    EXPECT_EQ(std::count(remapped.begin(), remapped.end(), gone), long(remapped.size()));
    EXPECT_EQ(std::count(s.FileColorTable.begin(), s.FileColorTable.end(), kBlack), 1);

    s.RightButtonEraser = true;
    ClickCell(s, MouseButton::Right, 3);
    const Bytes saved = Encode(s);
    const std::size_t row = std::size_t(f.xorOffset() + (c.size - 4) * f.xorRowBytes());
    const int i = f.bits == 8 ? saved[row + 3] : saved[row + 1] & 0x0F;
    EXPECT_EQ(Le(saved, std::size_t(f.paletteOffset() + 4 * i), 3), kBlack) << "the erased cell's entry";
    const auto again = DecodeIconFile(saved);
    ASSERT_TRUE(again);
    EXPECT_EQ(std::vector<Color>({again->image.pixel(3, 3), again->mask.pixel(3, 3)}),
              std::vector<Color>({kWhite, kWhite}));
    EXPECT_TRUE(again->image == s.iconimage && again->mask == s.iconmask) << "saved as shown";
  }
}

// A 16-colour file of no black whose dark entry 0 shows two opaque pixels and one under a set mask bit (the
// screen inverted through it), the other entries 17 pixels each: entry 0 becomes black, the opaque pixels
// with it, and the inverting one takes the nearest colour that still inverts. Saved, it reopens as shown.
TEST(OwnTableWithoutBlack, AnInvertingPixelOfTheEntryThatTurnsBlackReopensAsShown) {
  const IconFormat& f = *FindIconFormat(kType16Color, 16);
  std::vector<Color> table = {0x14143C, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
                              0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, kWhite};
  LogPalette block;
  BuildLogPalette256(table, block);
  const Palette nearest(table);
  Bitmap image(16, 16), mask(16, 16, kBlack);
  for (int k = 0; k < 256; ++k) image.setPixel(k % 16, k / 16, table[k < 3 ? 0 : std::size_t(1 + (k - 3) % 15)]);
  mask.setPixel(2, 0, kWhite);
  const auto file = DecodeIconFile(EncodeIconFile(f, image, mask, 0, 0, {&block, &nearest}));
  ASSERT_TRUE(file);
  EditorState s;
  NewIcon(s, kType16Color, 16);
  ASSERT_TRUE(ReadIconFile(s, *file, "a.ico"));
  EXPECT_EQ(s.FileColorTable[0], kBlack);
  EXPECT_EQ(std::vector<Color>({s.iconimage.pixel(0, 0), s.iconimage.pixel(2, 0), s.iconmask.pixel(2, 0)}),
            std::vector<Color>({kBlack, 0x000080, kWhite}));
  const auto again = DecodeIconFile(Encode(s));
  ASSERT_TRUE(again);
  EXPECT_TRUE(again->image == s.iconimage && again->mask == s.iconmask) << "saved as shown";
}

}  // namespace
}  // namespace gw
