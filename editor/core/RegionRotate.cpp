#include "editor/core/RegionRotate.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"
#include "platform/Canvas.h"

namespace gw {

namespace {

Rect Ordered(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

Rect Shifted(const Rect& r, int dx, int dy) { return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

// rect (edit-area pixels, corners in any order) in cells, clipped to the icon.
Rect CellsInIcon(const EditorState& s, const Rect& rect) {
  const Rect c = Ordered(PixelRectToCellRect(rect, s.CellSize > 0 ? s.CellSize : 1));
  const auto clip = [&](int v) { return std::clamp(v, 0, s.IconSize); };
  return {clip(c.left), clip(c.top), clip(c.right), clip(c.bottom)};
}

void SizeTo(Bitmap& b, int w, int h) {
  if (b.width() != w || b.height() != h) b.resize(w, h);
}

// Image and mask into WorkImages[4] and [5], where the caller writes the moved cells.
void CopyToResultImages(EditorState& s) {
  for (std::size_t i : {4u, 5u}) SizeTo(s.WorkImages[i], s.IconSize, s.IconSize);
  CopyIconImage(s, s.iconimage, s.WorkImages[4]);
  CopyIconImage(s, s.iconmask, s.WorkImages[5]);
}

void CopyResultImagesBack(EditorState& s) {
  CopyIconImage(s, s.WorkImages[4], s.iconimage);
  CopyIconImage(s, s.WorkImages[5], s.iconmask);
}

// The canvas window W still shows exactly the image and mask.
bool CanvasShowsImage(const EditorState& s, const Rect& w) {
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x)
      if (s.RotateCanvas.pixel(w.left + x, w.top + y) != s.iconimage.pixel(x, y) ||
          s.RotateMask.pixel(w.left + x, w.top + y) != s.iconmask.pixel(x, y))
        return false;
  return true;
}

// The first turn of a selection: the canvas holds the icon in W inside a transparent margin, the backup the
// picture as it is now.
void StartTurns(EditorState& s, const Rect& w) {
  SizeTo(s.RotateCanvas, kRotateCanvasSize, kRotateCanvasSize);
  SizeTo(s.RotateMask, kRotateCanvasSize, kRotateCanvasSize);
  FillImage(s.RotateCanvas, s.TransparentColor);
  FillImage(s.RotateMask, kWhite);
  Canvas(s.RotateCanvas).copyRect(w, s.iconimage, s.IconRect);
  Canvas(s.RotateMask).copyRect(w, s.iconmask, s.IconRect);
  for (std::size_t i : {2u, 3u}) SizeTo(s.WorkImages[i], s.IconSize, s.IconSize);
  CopyIconImage(s, s.iconimage, s.WorkImages[2]);
  CopyIconImage(s, s.iconmask, s.WorkImages[3]);
}

}  // namespace

Rect RotateCanvasWindow(const EditorState& s) {
  const int off = (kRotateCanvasSize - s.IconSize) / 2;
  return {off, off, off + s.IconSize, off + s.IconSize};
}

void FlipRegion(EditorState& s, bool horizontal, const Rect& rect) {
  CopyToResultImages(s);
  const Rect c = CellsInIcon(s, rect);
  for (int y = c.top; y < c.bottom; ++y)
    for (int x = c.left; x < c.right; ++x) {
      const int tx = horizontal ? c.left + c.right - 1 - x : x;
      const int ty = horizontal ? y : c.top + c.bottom - 1 - y;
      s.WorkImages[4].setPixel(tx, ty, s.iconimage.pixel(x, y));
      s.WorkImages[5].setPixel(tx, ty, s.iconmask.pixel(x, y));
    }
  CopyResultImagesBack(s);
}

void RotateRegionClockwise(EditorState& s, const Rect& rect) {
  CopyToResultImages(s);
  const Rect c = CellsInIcon(s, rect);
  for (int y = c.top; y < c.bottom; ++y)
    for (int x = c.left; x < c.right; ++x) {
      const int tx = c.right - 1 - (y - c.top), ty = c.top + (x - c.left);
      s.WorkImages[4].setPixel(tx, ty, s.iconimage.pixel(x, y));
      s.WorkImages[5].setPixel(tx, ty, s.iconmask.pixel(x, y));
    }
  CopyResultImagesBack(s);
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

void RotateSelection(EditorState& s, Rect& rect) {
  const Rect w = RotateCanvasWindow(s);
  const bool canvasLive = s.ToolStage > 3 && s.RotateCanvas.width() == kRotateCanvasSize &&
                          s.RotateCanvas.height() == kRotateCanvasSize && CanvasShowsImage(s, w);
  if (!canvasLive) {
    s.ToolStage = 3;
    StartTurns(s, w);
  }

  // The selection in cells (c) and in the canvas (r); it may stick out of the icon, never out of the canvas.
  const Rect c = Ordered(PixelRectToCellRect(rect, s.CellSize > 0 ? s.CellSize : 1));
  const int cw = c.width(), ch = c.height();
  const Rect r = Shifted(c, w.left, w.top);

  // The turned selection, clockwise: canvas pixel (x, y) of r goes to (h - 1 - y, x) of the turned block.
  Bitmap turnedImage(ch, cw, s.TransparentColor), turnedMask(ch, cw, kWhite);
  for (int y = 0; y < ch; ++y)
    for (int x = 0; x < cw; ++x) {
      const Color pixel = s.RotateCanvas.pixel(r.left + x, r.top + y);
      const Color mask = s.RotateMask.pixel(r.left + x, r.top + y);
      turnedImage.setPixel(ch - 1 - y, x, pixel == kInvalidColor ? s.TransparentColor : pixel);
      turnedMask.setPixel(ch - 1 - y, x, mask == kInvalidColor ? kWhite : mask);
    }

  // It keeps the centre. Worked out in canvas coordinates, which are never negative, so that turning the
  // turned rectangle gives the first one back exactly.
  const int rx = (r.left + r.right) / 2, ry = (r.top + r.bottom) / 2;
  const Rect turnedInCanvas{rx - ch / 2, ry - cw / 2, rx - ch / 2 + ch, ry - cw / 2 + cw};

  // The footprint left behind: the first rectangle (odd stages) held the selection and becomes empty; the
  // turned shape (even stages) gives back the picture as it was before the first turn.
  Canvas canvas(s.RotateCanvas), mask(s.RotateMask);
  canvas.setBrushColor(s.TransparentColor);
  canvas.fillRect(r);
  mask.setBrushColor(kWhite);
  mask.fillRect(r);
  if (s.ToolStage % 2 == 0) {
    const Rect inIcon{std::max(c.left, 0), std::max(c.top, 0), std::min(c.right, s.IconSize),
                      std::min(c.bottom, s.IconSize)};
    if (inIcon.left < inIcon.right && inIcon.top < inIcon.bottom) {
      canvas.copyRect(Shifted(inIcon, w.left, w.top), s.WorkImages[2], inIcon);
      mask.copyRect(Shifted(inIcon, w.left, w.top), s.WorkImages[3], inIcon);
    }
  }
  ++s.ToolStage;

  canvas.copyRect(turnedInCanvas, turnedImage, turnedImage.bounds());
  mask.copyRect(turnedInCanvas, turnedMask, turnedMask.bounds());
  Canvas(s.iconimage).copyRect(s.IconRect, s.RotateCanvas, w);
  Canvas(s.iconmask).copyRect(s.IconRect, s.RotateMask, w);
  rect = CellRectToPixelRect(Shifted(turnedInCanvas, -w.left, -w.top), s.CellSize);
}

}  // namespace gw
