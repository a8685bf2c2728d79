#include "editor/core/Selection.h"

#include <algorithm>
#include <vector>

#include "editor/core/EditArea.h"
#include "platform/Canvas.h"
#include "platform/Region.h"

namespace gw {

namespace {

Rect Ordered(const Rect& r) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
          std::max(r.top, r.bottom)};
}

// How many points of the lists can be used: count cut to the limit and to every list's length.
int UsableCount(int count, std::size_t a, std::size_t b = kShapePointLimit) {
  const std::size_t n = std::min({a, b, static_cast<std::size_t>(kShapePointLimit)});
  return std::clamp(count, 0, static_cast<int>(n));
}

Region PolygonRegion(std::span<const Point> points, int count) {
  return Region::polygon(points.first(static_cast<std::size_t>(UsableCount(count, points.size()))));
}

// The work images are sized with every new image; one still of another size is made the icon's size.
void SizeToIcon(const EditorState& s, Bitmap& b) {
  if (b.width() != s.IconSize || b.height() != s.IconSize) b.resize(s.IconSize, s.IconSize);
}

// WorkImages[4] and [5] cleared for the floating pixels of this move.
void ClearFloatImages(EditorState& s) {
  for (int i : {2, 3, 4, 5}) SizeToIcon(s, s.WorkImages[static_cast<std::size_t>(i)]);
  FillImage(s.WorkImages[4], s.TransparentColor);
  FillImage(s.WorkImages[5], kWhite);
}

void KeepBackup(EditorState& s) {
  CopyIconImage(s, s.iconimage, s.WorkImages[2]);
  CopyIconImage(s, s.iconmask, s.WorkImages[3]);
}

}  // namespace

void MoveSelectedRect(EditorState& s, bool shift, const Rect& newRect, const Rect& oldRect) {
  const Rect src = Ordered(PixelRectToCellRect(oldRect, s.CellSize));
  Rect dst = Ordered(PixelRectToCellRect(newRect, s.CellSize));
  dst.right = dst.left + src.width();  // a move keeps the size: no copy here stretches
  dst.bottom = dst.top + src.height();
  ClearFloatImages(s);
  if (s.ToolStage != 3 && s.ToolStage != 4) return;

  Bitmap& floatImage = s.WorkImages[4];
  Bitmap& floatMask = s.WorkImages[5];
  Canvas(floatImage).copyRect(dst, s.iconimage, src);
  Canvas(floatMask).copyRect(dst, s.iconmask, src);
  if (s.ToolStage == 3) {
    if (!shift) ClearRectToTransparent(s, src);
    KeepBackup(s);
  } else if (!shift) {
    Canvas(s.iconimage).copyRect(s.MoveCellRect, s.WorkImages[2], s.MoveCellRect);
    Canvas(s.iconmask).copyRect(s.MoveCellRect, s.WorkImages[3], s.MoveCellRect);
  }
  Canvas(s.iconimage).copyRect(dst, floatImage, dst);
  Canvas(s.iconmask).copyRect(dst, floatMask, dst);
  s.MoveCellRect = dst;
  s.ToolStage = 4;
}

void MoveSelectedShape(EditorState& s, std::span<const Point> oldPoints, std::span<const Point> newPoints,
                       bool shift, int count) {
  const int n = UsableCount(count, oldPoints.size(), newPoints.size());
  std::vector<Point> from(static_cast<std::size_t>(n)), to(static_cast<std::size_t>(n));
  ScalePointsToCells(oldPoints, from, n, s.CellSize);
  ScalePointsToCells(newPoints, to, n, s.CellSize);
  ClearFloatImages(s);
  if (s.ToolStage != 3 && s.ToolStage != 4) return;

  Bitmap& floatImage = s.WorkImages[4];
  Bitmap& floatMask = s.WorkImages[5];
  CopyShapeRegion(s, s.iconimage, floatImage, n, to, from);
  CopyShapeRegion(s, s.iconmask, floatMask, n, to, from);
  if (s.ToolStage == 3) {
    if (!shift) ClearPolygonToTransparent(s, from, n);
    KeepBackup(s);
  } else if (!shift) {
    const int under = UsableCount(n, s.ShapeCells.size());
    CopyShapeRegion(s, s.WorkImages[2], s.iconimage, under, s.ShapeCells, s.ShapeCells);
    CopyShapeRegion(s, s.WorkImages[3], s.iconmask, under, s.ShapeCells, s.ShapeCells);
  }
  CopyShapeRegion(s, floatImage, s.iconimage, n, to, to);
  CopyShapeRegion(s, floatMask, s.iconmask, n, to, to);
  if (s.ShapeCells.size() < static_cast<std::size_t>(n)) s.ShapeCells.resize(kShapePointLimit);
  CopyPoints(to, s.ShapeCells, n);
  s.ToolStage = 4;
}

void ClearRectToTransparent(EditorState& s, const Rect& cellRect) {
  const Rect r = Ordered(cellRect);
  Canvas image(s.iconimage);
  image.setBrushColor(s.TransparentColor);
  image.fillRect(r);
  Canvas mask(s.iconmask);
  mask.setBrushColor(kWhite);
  mask.fillRect(r);
}

void ClearPolygonToTransparent(EditorState& s, std::span<const Point> cellPoints, int count) {
  const Region region = PolygonRegion(cellPoints, count);
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x)
      if (region.contains(x, y)) {
        s.iconimage.setPixel(x, y, s.TransparentColor);
        s.iconmask.setPixel(x, y, kWhite);
      }
}

void CopyShapeRegion(const EditorState& s, const Bitmap& source, Bitmap& destination, int count,
                     std::span<const Point> destinationPoints, std::span<const Point> sourcePoints) {
  const int n = UsableCount(count, destinationPoints.size(), sourcePoints.size());
  if (n == 0) return;
  const int dx = destinationPoints[0].x - sourcePoints[0].x;
  const int dy = destinationPoints[0].y - sourcePoints[0].y;
  const Region region = PolygonRegion(sourcePoints, n);
  // A copy within one bitmap reads what was there before it, so a shifted copy does not feed on itself.
  const Bitmap snapshot = &source == &destination ? source : Bitmap();
  const Bitmap& from = &source == &destination ? snapshot : source;
  const Rect box = region.box();
  const int xEnd = std::min(box.right, s.IconSize), yEnd = std::min(box.bottom, s.IconSize);
  for (int y = std::max(box.top, 0); y < yEnd; ++y)
    for (int x = std::max(box.left, 0); x < xEnd; ++x)
      if (from.contains(x, y) && region.contains(x, y)) destination.setPixel(x + dx, y + dy, from.pixel(x, y));
}

void ScalePointsToCells(std::span<const Point> source, std::span<Point> destination, int count, int cellSize) {
  const int z = cellSize > 0 ? cellSize : 1;
  const int n = UsableCount(count, source.size(), destination.size());
  for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
    destination[i] = {source[i].x / z, source[i].y / z};
}

void CopyPoints(std::span<const Point> source, std::span<Point> destination, int count) {
  const int n = UsableCount(count, source.size(), destination.size());
  std::copy_n(source.begin(), n, destination.begin());
}

bool PointInRect(Point p, const Rect& rect) {
  const Rect r = Ordered(rect);
  return r.left <= p.x && p.x <= r.right && r.top <= p.y && p.y <= r.bottom;
}

bool PointInShape(int x, int y, std::span<const Point> points, int count) {
  return PolygonRegion(points, count).contains(x, y);
}

bool ShapeBoxInRect(std::span<const Point> points, int count, const Rect& rect) {
  const Rect box = PolygonRegion(points, count).box();
  return PointInRect({box.left, box.top}, rect) && PointInRect({box.right, box.bottom}, rect);
}

}  // namespace gw
