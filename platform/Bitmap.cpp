#include "platform/Bitmap.h"

#include <algorithm>

namespace gw {

Bitmap::Bitmap(int width, int height, Color fill) { resize(width, height, fill); }

void Bitmap::resize(int width, int height, Color fill) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill & 0x00FFFFFFu);
}

void Bitmap::fill(Color c) { std::fill(pixels_.begin(), pixels_.end(), c & 0x00FFFFFFu); }

}  // namespace gw
