#include "iconfile/core/IconFormat.h"

#include <array>

#include "editor/core/EditorState.h"

namespace gw {

namespace {

constexpr int FillTo4(int n) { return (4 - n % 4) % 4; }

constexpr IconFormat MakeFormat(int index, int type, int size) {
  const int bits = type == kType16Color ? 4 : type == kType256Color ? 8 : type == kTypeTrueColor ? 24 : 1;
  IconFormat f{};
  f.index = index;
  f.type = type;
  f.size = size;
  f.bits = bits;
  f.idType = type == kTypeCursor ? 2 : 1;
  f.bColorCount = static_cast<std::uint8_t>(type == kType16Color ? 16 : type == kTypeMono ? 2 : 0);
  f.biWidth = size;
  f.biHeight = 2 * size;
  f.colorTableEntries = bits == 24 ? 0 : 1 << bits;
  f.paletteBytes = 4 * f.colorTableEntries;
  f.xorRowPixelBytes = size * bits / 8;
  f.xorRowFillBytes = FillTo4(f.xorRowPixelBytes);
  f.xorBytes = size * (f.xorRowPixelBytes + f.xorRowFillBytes);
  f.andRowPixelBytes = size / 8;
  f.andRowFillBytes = FillTo4(f.andRowPixelBytes);
  f.andBytes = size * (f.andRowPixelBytes + f.andRowFillBytes);
  f.biSizeImage = static_cast<std::uint32_t>(f.xorBytes + f.andBytes);
  f.dwBytesInRes = static_cast<std::uint32_t>(kIconHeaderSize + f.paletteBytes) + f.biSizeImage;
  f.fileLength = kIconImageOffset + static_cast<int>(f.dwBytesInRes);
  return f;
}

constexpr std::array<IconFormat, kIconFormatCount> kFormats = [] {
  std::array<IconFormat, kIconFormatCount> t{};
  int i = 0;
  for (int size : {16, 24, 32, 40, 48, 56, 64}) {
    for (int type : {kType16Color, kType256Color, kTypeTrueColor, kTypeMono}) {
      t[static_cast<std::size_t>(i)] = MakeFormat(i, type, size);
      ++i;
      if (size == 32 && type == kTypeMono) {
        t[static_cast<std::size_t>(i)] = MakeFormat(i, kTypeCursor, 32);
        ++i;
      }
    }
  }
  return t;
}();

}  // namespace

std::span<const IconFormat> IconFormats() { return kFormats; }

const IconFormat* FindIconFormat(int type, int size) {
  for (const IconFormat& f : kFormats)
    if (f.type == type && f.size == size) return &f;
  return nullptr;
}

const IconFormat& SaveFormatFor(int type, int size) {
  if (type == kTypeCursor) return *FindIconFormat(kTypeCursor, 32);
  const int t = (type == kType16Color || type == kType256Color || type == kTypeMono) ? type : kTypeTrueColor;
  if (const IconFormat* f = FindIconFormat(t, size)) return *f;
  return *FindIconFormat(t, 64);
}

}  // namespace gw
