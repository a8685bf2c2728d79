#include "imageops/core/Adjustments.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"

namespace gw {

namespace {

int Clamp255(int v) { return std::clamp(v, 0, 255); }

void FinishEdit(EditorState& s) {
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace

void AdjustContrast(EditorState& s, bool increase, int amount, int threshold, const Bitmap& keptMask,
                    const Bitmap& keptImage) {
  Bitmap outImage = s.iconimage;
  Bitmap outMask = s.iconmask;
  const auto adjust = [&](int v) {
    const bool upper = v > threshold;
    return Clamp255(upper == increase ? v + amount : v - amount);
  };
  for (int y = 0; y < s.IconSize; ++y) {
    for (int x = 0; x < s.IconSize; ++x) {
      const RGBParts p = SplitColor(keptImage.pixel(x, y));
      const Color n = MakeColor(adjust(p.red), adjust(p.green), adjust(p.blue));
      outImage.setPixel(x, y, n);
      if (n != s.TransparentColor)
        outMask.setPixel(x, y, kBlack);
      else if (keptMask.pixel(x, y) == kWhite)
        outMask.setPixel(x, y, kWhite);
    }
  }
  CopyIconImage(s, outImage, s.iconimage);
  CopyIconImage(s, outMask, s.iconmask);
  FinishEdit(s);
}

void AdjustBrightness(EditorState& s, bool increase, int amount) {
  const int step = increase ? amount : -amount;
  for (int x = 0; x < s.IconSize; ++x) {
    for (int y = 0; y < s.IconSize; ++y) {
      if (s.iconmask.pixel(x, y) == kWhite) continue;
      const RGBParts p = SplitColor(s.iconimage.pixel(x, y));
      s.iconimage.setPixel(x, y, MakeColor(Clamp255(p.red + step), Clamp255(p.green + step), Clamp255(p.blue + step)));
    }
  }
  FinishEdit(s);
}

void GradientFill(EditorState& s, Color c1, Color c2, bool excludeTransparent, int orientation) {
  const int size = s.IconSize;
  if (size <= 0) return;  // no image: no steps to divide into
  const RGBParts from = SplitColor(c1), to = SplitColor(c2);
  const RGBParts step{(to.red - from.red + 1) / size, (to.green - from.green + 1) / size,
                      (to.blue - from.blue + 1) / size};
  RGBParts now = from;
  const bool horizontal = orientation == kGradientHorizontal;
  for (int line = 0; line < size; ++line) {
    const Color c = MakeColor(now.red, now.green, now.blue);
    for (int along = 0; along < size; ++along) {
      const int x = horizontal ? line : along;
      const int y = horizontal ? along : line;
      if (excludeTransparent && s.iconmask.pixel(x, y) == kWhite) continue;
      s.iconimage.setPixel(x, y, c);
      s.iconmask.setPixel(x, y, kBlack);
    }
    now = {Clamp255(now.red + step.red), Clamp255(now.green + step.green), Clamp255(now.blue + step.blue)};
  }
  QuantizeToTypePalette(s);
  // The two-colour palette has no aqua: the pixels left transparent get their colour back.
  if (excludeTransparent && (s.IconType == kTypeMono || s.IconType == kTypeCursor)) KeepTransparentColor(s);
  FinishEdit(s);
}

}  // namespace gw
