#pragma once
// Shared set-up of the icon file tests: a new image of a format, painted with the type's colours and
// transparent pixels, and little-endian field access.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "editor/core/Transparency.h"
#include "iconfile/core/IconCodec.h"

namespace gw {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t Le(const Bytes& b, std::size_t at, int width) {
  std::uint32_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}
inline void SetLe(Bytes& b, std::size_t at, int width, std::uint32_t v) {
  for (int i = 0; i < width; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A blank image of (type, size) in a state with the palettes of start-up.
inline void NewIcon(EditorState& s, int type, int size) {
  if (s.DefaultColors256.empty()) InitPalettes(s);
  StartNewImage(s, type, size);
}

// One pixel in five transparent, the rest opaque colours of the type (true colour: a spread of colours), with
// opaque white and black at (1, 0) and (2, 0).
inline void PaintPattern(EditorState& s) {
  const std::vector<Color>& colors = s.IconType == kType16Color    ? s.Colors16
                                     : s.IconType == kType256Color ? s.Colors256
                                                                   : s.MonoColors;
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x) {
      const int n = x * 7 + y * 13;
      const bool clear = n % 5 == 0 && x != 1 && x != 2;
      Color c = s.IconType == kTypeTrueColor ? MakeColor(x * 4, y * 4, n) : colors[std::size_t(n) % colors.size()];
      if (y == 0 && (x == 1 || x == 2)) c = x == 1 ? kWhite : kBlack;
      s.iconimage.setPixel(x, y, clear ? s.TransparentColor : c);
      s.iconmask.setPixel(x, y, clear ? kWhite : kBlack);
    }
}

inline Bytes Encode(const EditorState& s) { return EncodeIconFile(s, *FindIconFormat(s.IconType, s.IconSize)); }

// A file of a blank 16 x 16 16-colour icon and, after it, entries that each name `length` bytes of one run,
// starting `starts` bytes into it: an entry of a start of its own costs a copy of its own.
inline Bytes OverlappingImages(const std::vector<std::uint32_t>& starts, std::uint32_t length) {
  EditorState s;
  NewIcon(s, kType16Color, 16);
  const Bytes single = Encode(s);
  const auto directory = static_cast<std::uint32_t>(6 + 16 * (1 + starts.size()));
  Bytes out(directory, 0);
  std::copy_n(single.begin(), 22, out.begin());
  SetLe(out, 4, 2, static_cast<std::uint32_t>(1 + starts.size()));
  SetLe(out, 18, 4, directory);
  out.insert(out.end(), single.begin() + 22, single.end());
  const auto run = static_cast<std::uint32_t>(out.size());
  for (std::size_t i = 0; i < starts.size(); ++i) {
    std::copy_n(single.begin() + 6, 8, out.begin() + static_cast<long>(22 + 16 * i));
    SetLe(out, 22 + 16 * i + 8, 4, length);
    SetLe(out, 22 + 16 * i + 12, 4, run + starts[i]);
  }
  out.resize(run + length + *std::max_element(starts.begin(), starts.end()), 0x5A);
  return out;
}

}  // namespace gw
