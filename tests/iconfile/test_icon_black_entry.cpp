// Files whose own colour table holds no black: an erased cell is saved with colour bits of an exact black
// entry, so it reopens transparent, and the image shown after the open is the image saved.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/core/EditAreaMouse.h"
#include "iconfile/core/IconFiles.h"
#include "tests/iconfile/IconTestSupport.h"

namespace gw {
namespace {

// A file as other programs write one with a table of no black: entry 0, (60, 20, 20), is the darkest and its
// transparent pixels carry it; the image shows the first `used` entries, every one of them.
Bytes FileWithoutBlack(const IconFormat& f, int used) {
  std::vector<Color> table(std::size_t(f.colorTableEntries));
  for (int i = 0; i < f.colorTableEntries; ++i) table[std::size_t(i)] = MakeColor(60 + i % 16 * 12, 20 + i / 16 * 14, 20 + i * 7 % 200);
  LogPalette block;
  Palette nearest;
  if (f.bits == 4) BuildLogPalette16(table, block), CreatePalette16(block, nearest);
  else BuildLogPalette256(table, block), CreatePalette256(block, nearest);
  Bitmap image(f.size, f.size, kWhite), mask(f.size, f.size, kBlack);
  for (int k = 0; k < f.size * f.size; ++k) {
    const int x = k % f.size, y = k / f.size;
    if (k % 7 == 0) mask.setPixel(x, y, kWhite);
    else image.setPixel(x, y, table[std::size_t(k % used)]);
  }
  return EncodeIconFile(f, image, mask, 0, 0, {&block, &nearest});
}

// The colour of the table entry that pixel (x, y) of a 4- or 8-bit file names.
Color EntryAt(const Bytes& b, const IconFormat& f, int x, int y) {
  const std::size_t row = std::size_t(f.xorOffset() + (f.size - 1 - y) * f.xorRowBytes());
  const int i = f.bits == 8 ? b[row + std::size_t(x)] : b[row + std::size_t(x / 2)] >> (x % 2 ? 0 : 4) & 0x0F;
  return MakeColor(b[std::size_t(f.paletteOffset() + 4 * i + 2)], b[std::size_t(f.paletteOffset() + 4 * i + 1)],
                   b[std::size_t(f.paletteOffset() + 4 * i)]);
}

int Differing(const Bitmap& a, const Bitmap& b) {
  int n = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
  return n;
}

TEST(OwnTableWithoutBlack, AnErasedCellIsSavedBlackAndReopensTransparent) {
  // type, size, entries the image shows (all of them: one must give way to black).
  const struct { int type, size, used; } cases[] = {
      {kType16Color, 16, 12}, {kType16Color, 32, 16}, {kType256Color, 24, 200}, {kType256Color, 24, 256}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.type) + " " + std::to_string(c.used));
    const IconFormat& f = *FindIconFormat(c.type, c.size);
    const auto file = DecodeIconFile(FileWithoutBlack(f, c.used));
    ASSERT_TRUE(file);
    EditorState s;
    NewIcon(s, c.type, c.size);
    ASSERT_TRUE(ReadIconFile(s, *file, "a.ico"));
    const int remapped = Differing(s.iconimage, file->image);
    if (c.used < f.colorTableEntries) EXPECT_EQ(remapped, 0) << "an unused entry became black";
    else EXPECT_TRUE(remapped > 0 && remapped <= c.size * c.size / c.used) << remapped << ": only the least used entry";
    EXPECT_EQ(std::count(s.FileColorTable.begin(), s.FileColorTable.end(), kBlack), 1);

    ToolHost host;
    s.RightButtonEraser = true;
    const int at = 3 * s.CellSize + 1;
    ASSERT_EQ(s.iconmask.pixel(3, 3), kBlack);
    editareaMouseDown(s, host, MouseButton::Right, false, at, at);
    editareaMouseUp(s, host, MouseButton::Right, false, at, at);
    const Bytes saved = Encode(s);
    EXPECT_EQ(EntryAt(saved, f, 3, 3), kBlack);
    const auto again = DecodeIconFile(saved);
    ASSERT_TRUE(again);
    EXPECT_EQ(std::vector<Color>({again->image.pixel(3, 3), again->mask.pixel(3, 3)}), std::vector<Color>({kWhite, kWhite}));
    EXPECT_EQ(Differing(again->image, s.iconimage) + Differing(again->mask, s.iconmask), 0) << "saved as shown";
  }
}

}  // namespace
}  // namespace gw
