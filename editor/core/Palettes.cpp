// Palettes, the colour grid and the pen colours.
#include "editor/core/Palettes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

#include "editor/core/EditArea.h"
#include "platform/Canvas.h"

namespace gw {

namespace {

constexpr std::array<Color, 2> kMonoTable = {0x000000, 0xFFFFFF};

constexpr std::array<Color, 16> kTable16 = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// Entries 236 ... 255 are the grey ramp 0xF2F2F2 - i * 0x0C0C0C.
constexpr std::array<Color, 256> kTable256 = {
    0x000000, 0x800080, 0x800000, 0x808000, 0x008000, 0x008080, 0x000080, 0xC0C0C0,
    0xC0DCC0, 0xF0CAA6, 0x808080, 0xFF00FF, 0xFF0000, 0xFFFF00, 0x00FF00, 0x00FFFF,
    0x0000FF, 0xFFFFFF, 0xF0FBFF, 0xA4A0A0, 0xD4F0FF, 0xB1E2FF, 0x8ED4FF, 0x6BC6FF,
    0x48B8FF, 0x25AAFF, 0x00AAFF, 0x0092DC, 0x007AB9, 0x006296, 0x004A73, 0x003250,
    0xD4E3FF, 0xB1C7FF, 0x8EABFF, 0x6B8FFF, 0x4873FF, 0x2557FF, 0x0055FF, 0x0049DC,
    0x003DB9, 0x003196, 0x002573, 0x001950, 0xD4D4FF, 0xB1B1FF, 0x8E8EFF, 0x6B6BFF,
    0x4848FF, 0x2525FF, 0x0000FF, 0x0000DC, 0x0000B9, 0x000096, 0x000073, 0x000050,
    0xE3D4FF, 0xC7B1FF, 0xAB8EFF, 0x8F6BFF, 0x7348FF, 0x5725FF, 0x5500FF, 0x4900DC,
    0x3D00B9, 0x310096, 0x250073, 0x190050, 0xF0D4FF, 0xE2B1FF, 0xD48EFF, 0xC66BFF,
    0xB848FF, 0xAA25FF, 0xAA00FF, 0x9200DC, 0x7A00B9, 0x620096, 0x4A0073, 0x320050,
    0xFFD4FF, 0xFFB1FF, 0xFF8EFF, 0xFF6BFF, 0xFF48FF, 0xFF25FF, 0xFF00FF, 0xDC00DC,
    0xB900B9, 0x960096, 0x730073, 0x500050, 0xFFD4F0, 0xFFB1E2, 0xFF8ED4, 0xFF6BC6,
    0xFF48B8, 0xFF25AA, 0xFF00AA, 0xDC0092, 0xB9007A, 0x960062, 0x73004A, 0x500032,
    0xFFD4E3, 0xFFB1C7, 0xFF8EAB, 0xFF6B8F, 0xFF4873, 0xFF2557, 0xFF0055, 0xDC0049,
    0xB9003D, 0x960031, 0x730025, 0x500019, 0xFFD4D4, 0xFFB1B1, 0xFF8E8E, 0xFF6B6B,
    0xFF4848, 0xFF2525, 0xFF0000, 0xDC0000, 0xB90000, 0x960000, 0x730000, 0x500000,
    0xFFE3D4, 0xFFC7B1, 0xFFAB8E, 0xFF8F6B, 0xFF7348, 0xFF5725, 0xFF5500, 0xDC4900,
    0xB93D00, 0x963100, 0x732500, 0x501900, 0xFFF0D4, 0xFFE2B1, 0xFFD48E, 0xFFC66B,
    0xFFB848, 0xFFAA25, 0xFFAA00, 0xDC9200, 0xB97A00, 0x966200, 0x734A00, 0x503200,
    0xFFFFD4, 0xFFFFB1, 0xFFFF8E, 0xFFFF6B, 0xFFFF48, 0xFFFF25, 0xFFFF00, 0xDCDC00,
    0x50B900, 0x969600, 0x737300, 0x505000, 0xF0FFD4, 0xE2FFB1, 0xD4FF8E, 0xC6FF6B,
    0xB8FF48, 0xAAFF25, 0xAAFF00, 0x92DC00, 0x7AB900, 0x629600, 0x4A7300, 0x325000,
    0xE3FFD4, 0xC7FFB1, 0xABFF8E, 0x8FFF6B, 0x73FF48, 0x57FF25, 0x55FF00, 0x49DC00,
    0x3DB900, 0x319600, 0x257300, 0x195000, 0xD4FFD4, 0xB1FFB1, 0x8EFF8E, 0x6BFF6B,
    0x48FF48, 0x25FF25, 0x00FF00, 0x00DC00, 0x00B900, 0x009600, 0x007300, 0x005000,
    0xD4FFE3, 0xB1FFC7, 0x8EFFAB, 0x6BFF8F, 0x48FF73, 0x25FF57, 0x00FF55, 0x00DC49,
    0x00B93D, 0x009631, 0x007325, 0x005019, 0xD4FFF0, 0xB1FFE2, 0x8EFFD4, 0x6BFFC6,
    0x48FFB8, 0x25FFAA, 0x00FFAA, 0x00DC92, 0x00B97A, 0x009662, 0x00734A, 0x005032,
    0xD4FFFF, 0xB1FFFF, 0x8EFFFF, 0x6BFFFF, 0x48FFFF, 0x25FFFF, 0x00FFFF, 0x00DCDC,
    0x00B9B9, 0x009696, 0x007373, 0x005050, 0xF2F2F2, 0xE6E6E6, 0xDADADA, 0xCECECE,
    0xC2C2C2, 0xB6B6B6, 0xAAAAAA, 0x9E9E9E, 0x929292, 0x868686, 0x7A7A7A, 0x6E6E6E,
    0x626262, 0x565656, 0x4A4A4A, 0x3E3E3E, 0x323232, 0x262626, 0x1A1A1A, 0x0E0E0E,
};

// Cell layout of the grid for an image type.
struct GridGeometry {
  int width, height, columns, rows;
  int cellWidth() const { return width / columns; }
  int cellHeight() const { return height / rows; }
};

GridGeometry GeometryForEntries(int entries) {
  switch (entries) {
    case 2: return {256, 128, 2, 1};
    case 16: return {256, 128, 8, 2};
    default: return {256, 256, 16, 16};
  }
}

int EntriesForType(int iconType) {
  switch (iconType) {
    case kTypeMono:
    case kTypeCursor: return 2;
    case kType16Color: return 16;
    default: return 256;
  }
}

template <std::size_t N>
void FillFrom(std::vector<Color>& colors, const std::array<Color, N>& table) {
  colors.assign(table.begin(), table.end());
}

void BuildLogPalette(const std::vector<Color>& colors, LogPalette& block) {
  block.palPalEntry.resize(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) {
    const Color c = colors[i];
    block.palPalEntry[i] = {static_cast<std::uint8_t>(RedOf(c)), static_cast<std::uint8_t>(GreenOf(c)),
                            static_cast<std::uint8_t>(BlueOf(c)), 0};
  }
  block.palNumEntries = static_cast<std::uint16_t>(colors.size());
}

std::vector<Color> ColorsOfBlock(const LogPalette& block) {
  std::vector<Color> out(block.palPalEntry.size());
  for (std::size_t i = 0; i < out.size(); ++i) out[i] = block.color(static_cast<int>(i));
  return out;
}

void CreateHandle(LogPalette& block, Palette& handle) {
  block.palVersion = 0x300;
  block.palNumEntries = static_cast<std::uint16_t>(block.palPalEntry.size());
  const std::vector<Color> colors = ColorsOfBlock(block);
  handle = Palette(colors);
}

Rect CellRect(const GridGeometry& g, int x, int y) {
  x = std::clamp(x, 0, g.width - 1);
  y = std::clamp(y, 0, g.height - 1);
  const int cw = g.cellWidth(), ch = g.cellHeight();
  const int left = cw * (x / cw), top = ch * (y / ch);
  return {left, top, left + cw, top + ch};
}

int IndexAt(const GridGeometry& g, int x, int y) {
  x = std::clamp(x, 0, g.width - 1);
  y = std::clamp(y, 0, g.height - 1);
  return x / g.cellWidth() + g.columns * (y / g.cellHeight());
}

void FillCell(EditorState& s, const Rect& r, Color c) {
  Canvas canvas(s.colorgrd);
  canvas.setBrushColor(c);
  canvas.fillRect(r);
}

// One body for the three grid layouts.
void LayoutColorGrid(EditorState& s, const std::vector<Color>& colors, int entries, int rightPenEntry,
                     bool showBars) {
  const GridGeometry g = GeometryForEntries(entries);
  s.colorgrd.resize(g.width, g.height, kWhite);
  s.ColorGridEntries = entries;
  for (int i = 0; i < entries && i < static_cast<int>(colors.size()); ++i) {
    const int cx = (i % g.columns) * g.cellWidth(), cy = (i / g.columns) * g.cellHeight();
    FillCell(s, {cx, cy, cx + g.cellWidth(), cy + g.cellHeight()}, colors[static_cast<std::size_t>(i)]);
  }
  s.ColorBarsVisible = showBars;
  if (static_cast<int>(colors.size()) > rightPenEntry) {
    s.LeftPenColor = colors[0];
    s.RightPenColor = colors[static_cast<std::size_t>(rightPenEntry)];
  }
}

// What a reset restores: the table of the file the image came from when it has that many entries, else the
// type's default.
const std::vector<Color>& TableToRestore(const EditorState& s, const std::vector<Color>& defaults) {
  return s.FileColorTable.size() == defaults.size() ? s.FileColorTable : defaults;
}

// The synthetic left-button click at (0, 0) that ends every reset.
void PickFirstEntry(EditorState& s) { colorgrdMouseDown(s, true, 0, 0); }

int& BarPosition(EditorState& s, ColorBar bar) {
  switch (bar) {
    case ColorBar::Red: return s.scrRedPosition;
    case ColorBar::Green: return s.scrGreenPosition;
    default: return s.scrBluePosition;
  }
}

// The quantisers share one body: lookup in a palette handle, colour from the active block at the index found.
void Quantize(EditorState& s, const Palette& lookup, const LogPalette& block) {
  for (int x = 0; x < s.IconSize; ++x) {
    for (int y = 0; y < s.IconSize; ++y) {
      const Color c = s.iconimage.pixel(x, y);
      if (c == kInvalidColor) continue;
      const int i = lookup.nearestIndex(c);
      if (i < 0 || i >= static_cast<int>(block.palPalEntry.size())) continue;
      s.iconimage.setPixel(x, y, block.color(i));
    }
  }
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace

// --- Default tables and palette building ---------------------------------------------------------------

void FillMonoColors(std::vector<Color>& colors) { FillFrom(colors, kMonoTable); }
void FillColors16(std::vector<Color>& colors) { FillFrom(colors, kTable16); }
void FillColors256(std::vector<Color>& colors) { FillFrom(colors, kTable256); }

void BuildMonoLogPalette(const std::vector<Color>& colors, LogPalette& block) { BuildLogPalette(colors, block); }
void BuildLogPalette16(const std::vector<Color>& colors, LogPalette& block) { BuildLogPalette(colors, block); }
void BuildLogPalette256(const std::vector<Color>& colors, LogPalette& block) { BuildLogPalette(colors, block); }

void CreateMonoPalette(LogPalette& block, Palette& handle) { CreateHandle(block, handle); }
void CreatePalette16(LogPalette& block, Palette& handle) { CreateHandle(block, handle); }
void CreatePalette256(LogPalette& block, Palette& handle) { CreateHandle(block, handle); }

void CopyColors(std::vector<Color>& dst, const std::vector<Color>& src, int count) {
  const std::size_t n = std::min(static_cast<std::size_t>(std::max(count, 0)), src.size());
  if (dst.size() < n) dst.resize(n);
  std::copy_n(src.begin(), n, dst.begin());
}

void InitPalettes(EditorState& s) {
  FillMonoColors(s.DefaultMonoColors);
  BuildMonoLogPalette(s.DefaultMonoColors, s.DefaultMonoLogPalette);
  CreateMonoPalette(s.DefaultMonoLogPalette, s.DefaultMonoPalette);
  FillMonoColors(s.MonoColors);
  BuildMonoLogPalette(s.MonoColors, s.MonoLogPalette);  // the active two-colour palette needs no handle
  s.MonoLogPalette.palVersion = 0x300;

  FillColors16(s.DefaultColors16);
  BuildLogPalette16(s.DefaultColors16, s.DefaultLogPalette16);
  CreatePalette16(s.DefaultLogPalette16, s.DefaultPalette16);
  FillColors16(s.Colors16);
  BuildLogPalette16(s.Colors16, s.LogPalette16);
  CreatePalette16(s.LogPalette16, s.Palette16);

  FillColors256(s.DefaultColors256);
  BuildLogPalette256(s.DefaultColors256, s.DefaultLogPalette256);
  CreatePalette256(s.DefaultLogPalette256, s.DefaultPalette256);
  FillColors256(s.Colors256);
  BuildLogPalette256(s.Colors256, s.LogPalette256);
  CreatePalette256(s.LogPalette256, s.Palette256);

  s.TrueColorGrid.assign(256, kBlack);
  CopyColors(s.TrueColorGrid, s.DefaultColors256, 256);
}

// --- Colour grid -----------------------------------------------------------------------------------------

std::vector<Color>& ColorsOfType(EditorState& s) {
  switch (s.IconType) {
    case kTypeMono:
    case kTypeCursor: return s.MonoColors;
    case kType16Color: return s.Colors16;
    case kType256Color: return s.Colors256;
    default: return s.TrueColorGrid;
  }
}

int PaletteIndexAt(const EditorState& s, int x, int y) {
  return IndexAt(GeometryForEntries(EntriesForType(s.IconType)), x, y);
}

Rect PaletteCellRect(const EditorState& s, int x, int y) {
  return CellRect(GeometryForEntries(EntriesForType(s.IconType)), x, y);
}

void colorgrdMouseDown(EditorState& s, bool leftButton, int x, int y) {
  s.SelectedPaletteIndex = PaletteIndexAt(s, x, y);
  const std::vector<Color>& colors = ColorsOfType(s);
  if (s.SelectedPaletteIndex >= static_cast<int>(colors.size())) return;  // palettes not set up
  const Color c = colors[static_cast<std::size_t>(s.SelectedPaletteIndex)];
  if (leftButton) {
    s.LeftPenColor = c;
    s.LastPenIsLeft = true;
  } else {
    s.RightPenColor = c;
    s.LastPenIsLeft = false;
  }
  s.SelectedColorCellRect = PaletteCellRect(s, x, y);
  ShowColorComponents(s, c);
}

Color PenColorForButton(const EditorState& s, bool leftButton) {
  return leftButton ? s.LeftPenColor : s.RightPenColor;
}

void LayoutColorGrid2(EditorState& s, const std::vector<Color>& colors) {
  LayoutColorGrid(s, colors, 2, 1, false);
}

void LayoutColorGrid16(EditorState& s, const std::vector<Color>& colors) {
  LayoutColorGrid(s, colors, 16, 15, false);
}

void LayoutColorGrid256(EditorState& s, const std::vector<Color>& colors, int imageType) {
  LayoutColorGrid(s, colors, 256, 17, imageType != kType256Color);
}

void ResetMonoPalette(EditorState& s) {
  CopyColors(s.MonoColors, s.DefaultMonoColors, 2);
  BuildMonoLogPalette(s.MonoColors, s.MonoLogPalette);
  s.MonoLogPalette.palVersion = 0x300;
  LayoutColorGrid2(s, s.MonoColors);
  PickFirstEntry(s);
}

void ResetPalette16(EditorState& s) {
  CopyColors(s.Colors16, TableToRestore(s, s.DefaultColors16), 16);
  BuildLogPalette16(s.Colors16, s.LogPalette16);
  CreatePalette16(s.LogPalette16, s.Palette16);
  LayoutColorGrid16(s, s.Colors16);
  PickFirstEntry(s);
}

void ResetPalette256(EditorState& s) { ResetPalette256(s, s.IconType); }

void ResetPalette256(EditorState& s, int imageType) {
  CopyColors(s.Colors256, TableToRestore(s, s.DefaultColors256), 256);
  BuildLogPalette256(s.Colors256, s.LogPalette256);
  CreatePalette256(s.LogPalette256, s.Palette256);
  LayoutColorGrid256(s, s.Colors256, imageType);
  PickFirstEntry(s);
}

void ShowTrueColorGrid(EditorState& s) { ShowTrueColorGrid(s, s.IconType); }

void ShowTrueColorGrid(EditorState& s, int imageType) {
  LayoutColorGrid256(s, s.TrueColorGrid, imageType);
  PickFirstEntry(s);
}

int GiveTableABlackEntry(std::vector<Color>& table, Bitmap& image, const Bitmap& mask, Color transparentColor) {
  if (table.empty() || std::find(table.begin(), table.end(), kBlack) != table.end()) return -1;
  // Under a white mask a pixel inverts the screen through its colour, unless it holds transparentColor.
  const auto inverting = [&](int x, int y) { return mask.pixel(x, y) == kWhite; };
  const auto shown = [&](int x, int y) { return !inverting(x, y) || image.pixel(x, y) != transparentColor; };
  // The pixels of each colour count for the first entry that holds it: Save writes them with that one.
  struct Shown { long opaque = 0, inverting = 0; };
  std::vector<Shown> uses(table.size());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (shown(x, y))
        if (const auto at = std::find(table.begin(), table.end(), image.pixel(x, y)); at != table.end()) {
          Shown& u = uses[static_cast<std::size_t>(at - table.begin())];
          ++(inverting(x, y) ? u.inverting : u.opaque);
        }
  // What the pixels of entry i become when it turns black: an opaque one the nearest colour left, the new
  // black included; an inverting one the nearest left that still inverts, neither black (Save writes black
  // under a set mask bit as transparent) nor transparentColor (shown as transparent), and transparentColor
  // only when the table has no other colour.
  const auto successors = [&](std::size_t i) {
    std::vector<Color> left = table;
    left[i] = kBlack;
    const auto nearest = [&] { return left[static_cast<std::size_t>(Palette(left).nearestIndex(table[i]))]; };
    const Color opaque = nearest();
    std::erase_if(left, [&](Color c) { return c == kBlack || c == transparentColor; });
    return std::pair(opaque, left.empty() ? transparentColor : nearest());
  };
  // How far the picture moves: the RGB distance of each pixel to what it becomes, summed.
  const auto change = [&](std::size_t i) {
    if (uses[i].opaque + uses[i].inverting == 0) return 0.0;
    const auto [opaque, inverts] = successors(i);
    const auto distance = [&](Color c) { return std::sqrt(static_cast<double>(SquaredDistance(table[i], c))); };
    return static_cast<double>(uses[i].opaque) * distance(opaque) +
           static_cast<double>(uses[i].inverting) * distance(inverts);
  };
  // The least change; of equal ones the entry nearest black, and of those the last (a later copy of a colour
  // is not the one Save writes with).
  std::size_t black = 0;
  auto least = std::pair(change(0), SquaredDistance(table[0], kBlack));
  for (std::size_t i = 1; i < table.size(); ++i)
    if (const auto here = std::pair(change(i), SquaredDistance(table[i], kBlack)); here <= least) {
      black = i;
      least = here;
    }
  const Color replaced = table[black];
  const auto [opaque, inverts] = successors(black);
  table[black] = kBlack;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (shown(x, y) && image.pixel(x, y) == replaced) image.setPixel(x, y, inverting(x, y) ? inverts : opaque);
  return static_cast<int>(black);
}

bool UseFileColorTable(EditorState& s, std::span<const Color> table) {
  const std::vector<Color>* defaults = s.IconType == kType16Color    ? &s.DefaultColors16
                                       : s.IconType == kType256Color ? &s.DefaultColors256
                                                                     : nullptr;
  if (!defaults || table.empty()) return false;
  std::vector<Color> full = *defaults;
  std::copy_n(table.begin(), std::min(table.size(), full.size()), full.begin());
  GiveTableABlackEntry(full, s.iconimage, s.iconmask, s.TransparentColor);
  s.FileColorTable = std::move(full);
  SetupPaletteForType(s);
  return true;
}

void SetupPaletteForType(EditorState& s) {
  switch (s.IconType) {
    case kTypeMono:
    case kTypeCursor: ResetMonoPalette(s); break;
    case kType16Color: ResetPalette16(s); break;
    case kType256Color: ResetPalette256(s, kType256Color); break;
    default: ShowTrueColorGrid(s, kTypeTrueColor); break;
  }
}

void ResetColorPalette1Click(EditorState& s) {
  switch (s.IconType) {
    case kTypeMono:
    case kTypeCursor: ResetMonoPalette(s); break;
    case kType16Color: ResetPalette16(s); break;
    case kType256Color: ResetPalette256(s, kType256Color); break;
    default:
      CopyColors(s.TrueColorGrid, s.DefaultColors256, 256);
      ShowTrueColorGrid(s, kTypeTrueColor);
      break;
  }
}

// --- Colour readouts and the RGB bars ------------------------------------------------------------------

std::string LabelWithValue(const std::string& caption, int value) {
  const std::size_t eq = caption.find('=');
  const std::string head = eq == std::string::npos ? caption : caption.substr(0, eq + 1);
  return head + std::to_string(value);
}

void ShowColorComponents(EditorState& s, Color c) {
  const RGBParts p = SplitColor(c);
  s.rdLabel = LabelWithValue(s.rdLabel, p.red);
  s.grLabel = LabelWithValue(s.grLabel, p.green);
  s.blLabel = LabelWithValue(s.blLabel, p.blue);
  SetColorBarPosition(s, ColorBar::Red, p.red);
  SetColorBarPosition(s, ColorBar::Green, p.green);
  SetColorBarPosition(s, ColorBar::Blue, p.blue);
}

void ApplyScrollBarColor(EditorState& s) {
  const int r = s.scrRedPosition, g = s.scrGreenPosition, b = s.scrBluePosition;
  const Color c = static_cast<Color>(r + 256 * g + 65536 * b);
  const int i = s.SelectedPaletteIndex;
  if (i < 0 || i >= 256) return;
  const auto idx = static_cast<std::size_t>(i);
  if (s.Colors256.size() > idx) s.Colors256[idx] = c;
  if (s.IconType == kTypeTrueColor && s.TrueColorGrid.size() > idx) s.TrueColorGrid[idx] = c;
  if (s.LogPalette256.palPalEntry.size() > idx) {
    s.LogPalette256.palPalEntry[idx] = {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                        static_cast<std::uint8_t>(b), 0};
    CreatePalette256(s.LogPalette256, s.Palette256);
  }
  FillCell(s, s.SelectedColorCellRect, c);
  if (s.LastPenIsLeft)
    s.LeftPenColor = c;
  else
    s.RightPenColor = c;
}

int ColorBarPosition(const EditorState& s, ColorBar bar) {
  switch (bar) {
    case ColorBar::Red: return s.scrRedPosition;
    case ColorBar::Green: return s.scrGreenPosition;
    default: return s.scrBluePosition;
  }
}

bool SetColorBarPosition(EditorState& s, ColorBar bar, int position) {
  position = std::clamp(position, 0, 255);
  int& pos = BarPosition(s, bar);
  if (pos == position) return false;
  pos = position;
  switch (bar) {
    case ColorBar::Red: scrRedChange(s); break;
    case ColorBar::Green: scrGreenChange(s); break;
    case ColorBar::Blue: scrBlueChange(s); break;
  }
  return true;
}

void scrRedChange(EditorState& s) {
  s.rdLabel = LabelWithValue(s.rdLabel, s.scrRedPosition);
  ApplyScrollBarColor(s);
}

void scrGreenChange(EditorState& s) {
  s.grLabel = LabelWithValue(s.grLabel, s.scrGreenPosition);
  ApplyScrollBarColor(s);
}

void scrBlueChange(EditorState& s) {
  s.blLabel = LabelWithValue(s.blLabel, s.scrBluePosition);
  ApplyScrollBarColor(s);
}

void ShowPixelColor(EditorState& s, Color c) {
  const RGBParts p = SplitColor(c);
  s.rdLabel2 = LabelWithValue(s.rdLabel2, p.red);
  s.grLabel2 = LabelWithValue(s.grLabel2, p.green);
  s.blLabel2 = LabelWithValue(s.blLabel2, p.blue);
}

// --- Quantisers ------------------------------------------------------------------------------------------

// The 16- and 256-colour lookups are in the active handles: the default palette for a new image, the file's
// table for an image read from a file. The two-colour palette is always black and white.
void QuantizeToMonoColors(EditorState& s) { Quantize(s, s.DefaultMonoPalette, s.MonoLogPalette); }
void QuantizeToColors16(EditorState& s) { Quantize(s, s.Palette16, s.LogPalette16); }
void QuantizeToColors256(EditorState& s) { Quantize(s, s.Palette256, s.LogPalette256); }

void QuantizeToTypePalette(EditorState& s) {
  switch (s.IconType) {
    case kTypeMono:
    case kTypeCursor: QuantizeToMonoColors(s); break;
    case kType16Color: QuantizeToColors16(s); break;
    case kType256Color: QuantizeToColors256(s); break;
    default: break;
  }
}

void KeepTransparentColor(EditorState& s) {
  for (int y = 0; y < s.iconimage.height(); ++y)
    for (int x = 0; x < s.iconimage.width(); ++x)
      if (s.iconmask.pixel(x, y) == kWhite) s.iconimage.setPixel(x, y, s.TransparentColor);
}

void ReduceToTypePalette(EditorState& s) {
  QuantizeToTypePalette(s);
  KeepTransparentColor(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace gw
