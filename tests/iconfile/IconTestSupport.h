#pragma once
// Shared set-up of the icon file tests: a state with the default palettes, a new image of a format painted
// with a pattern of the type's colours and transparent pixels, and little-endian field readers.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "iconfile/core/IconFormat.h"

namespace gw {

inline std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

// A fresh state with the palettes of start-up and a blank image of (type, size).
inline void NewIcon(EditorState& s, int type, int size) {
  if (s.DefaultColors256.empty()) InitPalettes(s);
  StartNewImage(s, type, size);
}

// Paints every pixel: about one in five transparent, the rest opaque colours of the type (true colour: a
// spread of arbitrary colours), opaque white and black included.
inline void PaintPattern(EditorState& s) {
  const std::vector<Color>& colors = s.IconType == kType16Color    ? s.Colors16
                                     : s.IconType == kType256Color ? s.Colors256
                                                                   : s.MonoColors;
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x) {
      const int n = x * 7 + y * 13;
      if (n % 5 == 0) {
        s.iconimage.setPixel(x, y, s.TransparentColor);
        s.iconmask.setPixel(x, y, kWhite);
        continue;
      }
      const Color c = s.IconType == kTypeTrueColor ? MakeColor(x * 4, y * 4, n & 0xFF)
                                                   : colors[static_cast<std::size_t>(n) % colors.size()];
      s.iconimage.setPixel(x, y, c);
      s.iconmask.setPixel(x, y, kBlack);
    }
  s.iconimage.setPixel(1, 0, kWhite);
  s.iconimage.setPixel(2, 0, kBlack);
  s.iconmask.setPixel(1, 0, kBlack);
  s.iconmask.setPixel(2, 0, kBlack);
}

inline std::string FormatName(const IconFormat& f) {
  return std::string(IconTypeName(f.type)) + " " + std::to_string(f.size);
}

}  // namespace gw

namespace gw {

inline void SetLe(std::vector<std::uint8_t>& b, std::size_t at, int width, std::uint32_t v) {
  for (int i = 0; i < width; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace gw
