#pragma once
// The convolution filters: four blurs and two sharpeners (run from the softening and sharpening dialogs)
// and the Sobel and Laplace edge detectors. Each reads the live image, builds its result in WorkImages[0]
// (image) and [1] (mask) and copies it back.

#include <array>
#include <span>

#include "editor/core/EditorState.h"

namespace gw {

// Kernels, row-major: row = vertical offset, column = horizontal offset.
inline constexpr std::array<int, 9> kSlightBlurKernel = {1, 1, 1, 1, 16, 1, 1, 1, 1};
inline constexpr std::array<int, 9> kMoreBlurKernel = {1, 1, 1, 1, 6, 1, 1, 1, 1};
inline constexpr std::array<int, 9> kEvenMoreBlurKernel = {1, 1, 1, 1, 1, 1, 1, 1, 1};
inline constexpr std::array<int, 9> kGaussianBlurKernel = {1, 2, 1, 2, 4, 2, 1, 2, 1};
inline constexpr std::array<int, 9> kSharpenMeanRemovalKernel = {-1, -1, -1, -1, 9, -1, -1, -1, -1};
inline constexpr std::array<int, 9> kSharpenBasicKernel = {0, -2, 0, -2, 11, -2, 0, -2, 0};
inline constexpr std::array<int, 9> kSobelHorizontalKernel = {-1, 0, 1, -2, 0, 2, -1, 0, 1};
inline constexpr std::array<int, 9> kSobelVerticalKernel = {1, 2, 1, 0, 0, 0, -1, -2, -1};
inline constexpr std::array<int, 25> kLaplaceKernel = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 24,
                                                       -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

// Weighted mean over an n x n kernel (weights summing to 0 or less divide by 1), plus offset. The one-pixel
// border keeps its colour. With transparencyRules, near-white results and near-white sources snap to white
// (for monochrome and cursor images green and blue only), and every pixel the blur changes becomes opaque.
void BlurConvolve(EditorState& s, bool transparencyRules, int n, int offset, std::span<const int> kernel);
// The same weighted mean without the near-white rule; the mask is left alone.
void SharpenConvolve(EditorState& s, int n, int offset, std::span<const int> kernel);
// 255 - (clamped horizontal + clamped vertical gradient) per channel, held at 0; border TransparentColor;
// the whole mask opaque. Monochrome and cursor images get red 0.
void SobelEdges(EditorState& s, int n, std::span<const int> vertical, std::span<const int> horizontal);
// 255 - 2 x clamped sum per channel, held at 0, over a 5 x 5 kernel with a two-pixel border; otherwise as
// SobelEdges.
void LaplaceEdges(EditorState& s, int n, std::span<const int> kernel);

// The eight filter commands: the engine with its kernel, then PushUndo, RefreshEditArea and
// SyncPlacementCanvas. The caller drops the tool stage first.
enum class Filter {
  SlightBlur, MoreBlur, EvenMoreBlur, GaussianBlur, SharpenMeanRemoval, SharpenBasic, Sobel, Laplace,
};
void RunFilter(EditorState& s, Filter f);

}  // namespace gw
