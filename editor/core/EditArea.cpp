#include "editor/core/EditArea.h"

#include <algorithm>

#include "platform/Canvas.h"

namespace gw {

int CellSizeFor(int size) {
  switch (size) {
    case 16: return 20;
    case 24: return 13;
    case 32: return 10;
    case 40: return 8;
    case 48: return 7;
    case 56: return 6;
    case 64: return 5;
    default: return 0;
  }
}

Rect PlacementRectFor(int size) { return {3 * size / 2, 3 * size / 2, 5 * size / 2, 5 * size / 2}; }

static int PixelToCellAxis(int p, int z) {
  if (p == 0) return 0;
  return (p % z == 0) ? p / z - 1 : p / z;
}

Point PixelToCell(Point p, int cellSize) {
  return {PixelToCellAxis(p.x, cellSize), PixelToCellAxis(p.y, cellSize)};
}

Rect PixelRectToCellRect(const Rect& r, int z) { return {r.left / z, r.top / z, r.right / z, r.bottom / z}; }

Point CellToPixel(Point cell, int z) { return {cell.x * z, cell.y * z}; }

Rect CellRectToPixelRect(const Rect& r, int z) { return {r.left * z, r.top * z, r.right * z, r.bottom * z}; }

void RefreshEditArea(EditorState& s) {
  const Rect& d = s.EditAreaRect;
  const int size = s.iconimage.width(), z = s.CellSize;
  // The usual case, an exact magnification of the whole image onto the whole edit area: each image row
  // becomes one edit-area row of Z-pixel runs, repeated Z times. The same pixels as the stretched copy.
  if (z > 0 && s.IconRect == Rect{0, 0, size, size} && s.iconimage.height() == size &&
      d == Rect{0, 0, size * z, size * z} && s.editarea.width() == d.right && s.editarea.height() == d.bottom) {
    const std::size_t rowLength = static_cast<std::size_t>(d.right);
    for (int y = 0; y < size; ++y) {
      const Color* in = s.iconimage.row(y);
      Color* first = s.editarea.row(y * z);
      for (int x = 0; x < size; ++x) std::fill_n(first + x * z, z, in[x]);
      for (int k = 1; k < z; ++k) std::copy_n(first, rowLength, s.editarea.row(y * z + k));
    }
    return;
  }
  Canvas(s.editarea).copyRect(s.EditAreaRect, s.iconimage, s.IconRect);
}

void SyncPlacementCanvas(EditorState& s) {
  Canvas(s.PlacementCanvas).copyRect(s.CurrentPlacementRect, s.iconimage, s.IconRect);
  Canvas(s.PlacementMask).copyRect(s.CurrentPlacementRect, s.iconmask, s.IconRect);
  s.PlacementWindowRect = s.CurrentPlacementRect;
}

void ResetPlacementCanvas(EditorState& s, const Rect& r) {
  s.PlacementCanvas.fill(s.TransparentColor);
  s.PlacementMask.fill(kWhite);
  Canvas(s.PlacementCanvas).copyRect(r, s.iconimage, s.IconRect);
  Canvas(s.PlacementMask).copyRect(r, s.iconmask, s.IconRect);
  s.PlacementWindowRect = r;
}

void ResizePlacementCanvas(EditorState& s, int e) {
  s.PlacementCanvas.resize(e, e, s.TransparentColor);
  s.PlacementMask.resize(e, e, kWhite);
}

void CopyIconImage(const EditorState& s, const Bitmap& src, Bitmap& dst) {
  Canvas(dst).copyRect(s.IconRect, src, s.IconRect);
}

void FillImage(Bitmap& image, Color c) { image.fill(c); }

RGBParts SplitColor(Color c) { return {RedOf(c), GreenOf(c), BlueOf(c)}; }

}  // namespace gw
