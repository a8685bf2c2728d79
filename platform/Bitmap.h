#pragma once
// A 32-bit pixel image. Pixels are stored exactly; reads outside give kInvalidColor and writes outside are
// dropped.

#include <cstddef>
#include <vector>

#include "platform/Geometry.h"

namespace gw {

class Bitmap {
 public:
  Bitmap() = default;
  Bitmap(int width, int height, Color fill = kWhite);

  int width() const { return width_; }
  int height() const { return height_; }
  Rect bounds() const { return {0, 0, width_, height_}; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

  Color pixel(int x, int y) const {
    return contains(x, y) ? pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)]
                          : kInvalidColor;
  }
  void setPixel(int x, int y, Color c) {
    if (contains(x, y))
      pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = c & 0x00FFFFFFu;
  }

  // New size; every pixel becomes `fill`. Negative sizes count as 0.
  void resize(int width, int height, Color fill = kWhite);
  void fill(Color c);

  // Row-major pixel storage, width() * height() entries.
  const Color* data() const { return pixels_.data(); }
  Color* data() { return pixels_.data(); }
  const Color* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }
  Color* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width_); }

  friend bool operator==(const Bitmap&, const Bitmap&) = default;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Color> pixels_;
};

}  // namespace gw
