#pragma once
// A polygon region with the winding fill rule: pixel (x, y) is inside when the point (x, y) has a non-zero
// winding number, which keeps left and top edges and leaves out right and bottom ones.

#include <span>
#include <vector>

#include "platform/Canvas.h"
#include "platform/Geometry.h"

namespace gw {

class Region {
 public:
  enum class Kind { Null, Simple, Complex };  // empty, one rectangle, anything else

  Region() = default;
  static Region polygon(std::span<const Point> pts);

  bool contains(int x, int y) const;
  Rect box() const;  // (0,0,0,0) when empty
  Kind kind() const;
  void fill(Canvas& canvas, Color c) const;  // paints the pixels inside, clipped to the bitmap

 private:
  std::vector<Point> pts_;
  // Precomputed spans per row, for fast tests and fills.
  int top_ = 0;
  std::vector<std::vector<std::pair<int, int>>> rows_;  // [y - top_] -> sorted half-open x spans
  Rect box_;                                            // of the pixel set; (0,0,0,0) when empty
  Kind kind_ = Kind::Null;
};

}  // namespace gw
