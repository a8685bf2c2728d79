#include "imageops/core/Filters.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"

namespace gw {

namespace {

int Clamp255(int v) { return std::clamp(v, 0, 255); }

bool IsMonoType(int type) { return type == kTypeMono || type == kTypeCursor; }

struct Sums {
  int red = 0, green = 0, blue = 0, weight = 0;
};

// Weighted channel sums of the n x n neighbourhood of (x, y) in the unfiltered image.
Sums Convolve(const Bitmap& image, int x, int y, int n, std::span<const int> kernel) {
  Sums out;
  const int half = n / 2;
  for (int dy = -half; dy <= half; ++dy) {
    for (int dx = -half; dx <= half; ++dx) {
      const Color c = image.pixel(x + dx, y + dy);
      if (c == kInvalidColor) continue;
      const int w = kernel[static_cast<std::size_t>((dy + half) * n + dx + half)];
      const RGBParts p = SplitColor(c);
      out.red += w * p.red;
      out.green += w * p.green;
      out.blue += w * p.blue;
      out.weight += w;
    }
  }
  return out;
}

bool IsBorder(int x, int y, int size, int width) {
  return x < width || y < width || x >= size - width || y >= size - width;
}

// Near-white snaps to white: all three channels at 250 or more gain 5 (green and blue only for monochrome
// and cursor images, whose transparent colour is aqua); the clamp then makes them 255.
void SnapNearWhite(RGBParts& c, bool mono) {
  if (mono) {
    if (c.green >= 250 && c.blue >= 250) c.green += 5, c.blue += 5;
  } else if (c.red >= 250 && c.green >= 250 && c.blue >= 250) {
    c.red += 5, c.green += 5, c.blue += 5;
  }
}

// The weighted mean of both the blur and the sharpeners: border pixels keep their colour, interior ones get
// sum / W + offset (W <= 0 taken as 1), clamped. With `mask` (the blur's transparency rules) the result and
// the source snap near-white to white first, and a pixel whose colour the mean changes turns opaque.
void WeightedMean(const EditorState& s, Bitmap& outImage, Bitmap* mask, int n, int offset,
                  std::span<const int> kernel) {
  const int size = s.IconSize;
  const bool mono = IsMonoType(s.IconType);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Color centre = s.iconimage.pixel(x, y);
      if (IsBorder(x, y, size, 1)) {
        outImage.setPixel(x, y, centre);
        continue;
      }
      const Sums sum = Convolve(s.iconimage, x, y, n, kernel);
      const int w = sum.weight <= 0 ? 1 : sum.weight;
      RGBParts now{sum.red / w + offset, sum.green / w + offset, sum.blue / w + offset};
      RGBParts was = SplitColor(centre);
      if (mask) SnapNearWhite(now, mono), SnapNearWhite(was, mono);
      const Color result = MakeColor(Clamp255(now.red), Clamp255(now.green), Clamp255(now.blue));
      outImage.setPixel(x, y, result);
      if (mask && result != MakeColor(Clamp255(was.red), Clamp255(was.green), Clamp255(was.blue)))
        mask->setPixel(x, y, kBlack);
    }
  }
}

// The edge detectors' common frame: border pixels get TransparentColor, every pixel turns opaque, and
// `interior` gives an interior pixel's output per channel sum set.
template <typename Interior>
void EdgeFilter(EditorState& s, int border, Interior interior) {
  const int size = s.IconSize;
  Bitmap outImage = s.iconimage;
  Bitmap outMask = s.iconmask;
  const bool mono = IsMonoType(s.IconType);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      outMask.setPixel(x, y, kBlack);
      if (IsBorder(x, y, size, border)) {
        outImage.setPixel(x, y, s.TransparentColor);
        continue;
      }
      const RGBParts out = interior(x, y);
      outImage.setPixel(x, y, MakeColor(mono ? 0 : out.red, out.green, out.blue));
    }
  }
  CopyIconImage(s, outImage, s.iconimage);
  CopyIconImage(s, outMask, s.iconmask);
}

Sums ClampedSums(const Bitmap& image, int x, int y, int n, std::span<const int> kernel) {
  Sums sum = Convolve(image, x, y, n, kernel);
  return {Clamp255(sum.red), Clamp255(sum.green), Clamp255(sum.blue), sum.weight};
}

// The strongest edges come out black: a result below 0 is held there.
int Inverted(int v) { return std::max(0, 255 - v); }

}  // namespace

void BlurConvolve(EditorState& s, bool transparencyRules, int n, int offset, std::span<const int> kernel) {
  Bitmap outImage = s.iconimage;
  Bitmap outMask = s.iconmask;
  WeightedMean(s, outImage, transparencyRules ? &outMask : nullptr, n, offset, kernel);
  CopyIconImage(s, outImage, s.iconimage);
  CopyIconImage(s, outMask, s.iconmask);
}

void SharpenConvolve(EditorState& s, int n, int offset, std::span<const int> kernel) {
  Bitmap outImage = s.iconimage;
  WeightedMean(s, outImage, nullptr, n, offset, kernel);
  CopyIconImage(s, outImage, s.iconimage);
}

void SobelEdges(EditorState& s, int n, std::span<const int> vertical, std::span<const int> horizontal) {
  EdgeFilter(s, 1, [&](int x, int y) {
    const Sums h = ClampedSums(s.iconimage, x, y, n, horizontal);
    const Sums v = ClampedSums(s.iconimage, x, y, n, vertical);
    return RGBParts{Inverted(h.red + v.red), Inverted(h.green + v.green), Inverted(h.blue + v.blue)};
  });
}

void LaplaceEdges(EditorState& s, int n, std::span<const int> kernel) {
  EdgeFilter(s, 2, [&](int x, int y) {
    const Sums sum = ClampedSums(s.iconimage, x, y, n, kernel);
    return RGBParts{Inverted(2 * sum.red), Inverted(2 * sum.green), Inverted(2 * sum.blue)};
  });
}

void RunFilter(EditorState& s, Filter f) {
  switch (f) {
    case Filter::SlightBlur: BlurConvolve(s, true, 3, 0, kSlightBlurKernel); break;
    case Filter::MoreBlur: BlurConvolve(s, true, 3, 0, kMoreBlurKernel); break;
    case Filter::EvenMoreBlur: BlurConvolve(s, true, 3, 0, kEvenMoreBlurKernel); break;
    case Filter::GaussianBlur: BlurConvolve(s, true, 3, 0, kGaussianBlurKernel); break;
    case Filter::SharpenMeanRemoval: SharpenConvolve(s, 3, 0, kSharpenMeanRemovalKernel); break;
    case Filter::SharpenBasic: SharpenConvolve(s, 3, 0, kSharpenBasicKernel); break;
    case Filter::Sobel: SobelEdges(s, 3, kSobelVerticalKernel, kSobelHorizontalKernel); break;
    case Filter::Laplace: LaplaceEdges(s, 5, kLaplaceKernel); break;
  }
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace gw
