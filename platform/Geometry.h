#pragma once
// Colours, points and rectangles as the drawing code uses them.

#include <cstdint>

namespace gw {

// 0x00BBGGRR: red in the low byte, blue in bits 16-23, top byte always 0.
using Color = std::uint32_t;

// What a read outside a bitmap gives. Its top byte is set, so it equals no colour a bitmap can hold.
inline constexpr Color kInvalidColor = 0xFFFFFFFFu;

inline constexpr Color MakeColor(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline constexpr int RedOf(Color c) { return static_cast<int>(c & 0xFF); }
inline constexpr int GreenOf(Color c) { return static_cast<int>((c >> 8) & 0xFF); }
inline constexpr int BlueOf(Color c) { return static_cast<int>((c >> 16) & 0xFF); }

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kAqua = 0xFFFF00;  // red 0, green 255, blue 255

struct Point {
  int x = 0;
  int y = 0;
  friend constexpr bool operator==(const Point&, const Point&) = default;
};

// Left, top, right, bottom; right and bottom are excluded.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  constexpr int width() const { return right - left; }
  constexpr int height() const { return bottom - top; }
  constexpr bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace gw
