#include "imageops/core/Mirrors.h"

#include <array>

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"

namespace gw {

namespace {

using enum Span;
using enum Reflection;
constexpr std::array<MirrorRule, 16> kRules = {{
    {Mirror::BottomMirrorsTop, Whole, SecondHalf, Horizontal},
    {Mirror::TopMirrorsBottom, Whole, FirstHalf, Horizontal},
    {Mirror::RightMirrorsLeft, SecondHalf, Whole, Vertical},
    {Mirror::LeftMirrorsRight, FirstHalf, Whole, Vertical},
    {Mirror::LeftTopMirrorsRightTop, FirstHalf, FirstHalf, Vertical},
    {Mirror::RightTopMirrorsLeftTop, SecondHalf, FirstHalf, Vertical},
    {Mirror::LeftBottomMirrorsRightBottom, FirstHalf, SecondHalf, Vertical},
    {Mirror::RightBottomMirrorsLeftBottom, SecondHalf, SecondHalf, Vertical},
    {Mirror::LeftTopMirrorsLeftBottom, FirstHalf, FirstHalf, Horizontal},
    {Mirror::LeftBottomMirrorsLeftTop, FirstHalf, SecondHalf, Horizontal},
    {Mirror::RightTopMirrorsRightBottom, SecondHalf, FirstHalf, Horizontal},
    {Mirror::RightBottomMirrorsRightTop, SecondHalf, SecondHalf, Horizontal},
    {Mirror::LeftTopMirrorsRightBottom, FirstHalf, FirstHalf, AntiDiagonal},
    {Mirror::RightBottomMirrorsLeftTop, SecondHalf, SecondHalf, AntiDiagonal},
    {Mirror::LeftBottomMirrorsRightTop, FirstHalf, SecondHalf, Diagonal},
    {Mirror::RightTopMirrorsLeftBottom, SecondHalf, FirstHalf, Diagonal},
}};
static_assert([] {
  for (std::size_t i = 0; i < kRules.size(); ++i)
    if (static_cast<std::size_t>(kRules[i].mirror) != i) return false;
  return true;
}(), "the rules stand in the order of Mirror");

struct Range {
  int first, end;
};
Range RangeOf(Span span, int size) {
  const int half = size / 2;
  switch (span) {
    case FirstHalf: return {0, half};
    case SecondHalf: return {half, size};
    default: return {0, size};
  }
}

}  // namespace

std::span<const MirrorRule> MirrorRules() { return kRules; }

Point MirrorSource(Reflection r, int size, int x, int y) {
  switch (r) {
    case Vertical: return {size - 1 - x, y};
    case Horizontal: return {x, size - 1 - y};
    case AntiDiagonal: return {size - 1 - y, size - 1 - x};
    default: return {y, x};
  }
}

void MirrorImage(EditorState& s, Mirror m) {
  const MirrorRule& rule = kRules[static_cast<std::size_t>(m)];
  Bitmap outImage = s.iconimage;
  Bitmap outMask = s.iconmask;
  const Range cols = RangeOf(rule.columns, s.IconSize), rows = RangeOf(rule.rows, s.IconSize);
  for (int y = rows.first; y < rows.end; ++y) {
    for (int x = cols.first; x < cols.end; ++x) {
      const Point from = MirrorSource(rule.reflection, s.IconSize, x, y);
      outImage.setPixel(x, y, s.iconimage.pixel(from.x, from.y));
      outMask.setPixel(x, y, s.iconmask.pixel(from.x, from.y));
    }
  }
  CopyIconImage(s, outImage, s.iconimage);
  CopyIconImage(s, outMask, s.iconmask);
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace gw
