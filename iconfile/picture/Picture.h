#pragma once
// Decoded pictures, as every decoder of this folder gives them and every encoder takes them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gw {

// Top-down rows of 4 bytes a pixel: red, green, blue, alpha (255 = opaque).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  std::uint8_t* pixel(int x, int y) {
    return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  }
  const std::uint8_t* pixel(int x, int y) const {
    return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  }
};

// The largest pictures any decoder accepts: a side of 32768 pixels, 150 million pixels in all.
inline constexpr std::int64_t kMaxPictureSide = 32768;
inline constexpr std::int64_t kMaxPicturePixels = 150'000'000;
// Whether a width and height are within those limits (and positive).
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);

// PNG of every colour type and depth (16-bit samples keep their high byte), first image only.
// On failure returns nothing and sets `error` to a short reason.
std::optional<Picture> DecodePng(std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace gw
