#pragma once
// The 29 single-image icon and cursor file formats: one row per (type, size) with every value of the file's
// directory, entry and bitmap header, and the length of every piece of the file.
//
// A file is, back to back: the directory (6 bytes), one directory entry (16), the bitmap information header
// (40), the colour table (P), the colour bitmap (X, rows bottom-up) and the transparency mask (A). Rows of
// 1-bit pixels carry zero fill bytes up to a multiple of 4.

#include <cstdint>
#include <span>

namespace gw {

inline constexpr int kIconDirectorySize = 6;
inline constexpr int kIconEntrySize = 16;
inline constexpr int kIconHeaderSize = 40;
inline constexpr int kIconImageOffset = kIconDirectorySize + kIconEntrySize;  // 22: dwImageOffset
inline constexpr int kIconFormatCount = 29;

struct IconFormat {
  int index;             // position in the table: by size, then 16-colour, 256-colour, true colour, mono
  int type;              // IconType: 0 16 colours, 1 256 colours, 2 true colour, 3 monochrome, 4 cursor
  int size;              // S: edge length in pixels
  int bits;              // B: bits per pixel of the colour bitmap (1, 4, 8, 24)
  // Directory and entry.
  std::uint16_t idType;  // 1 icon, 2 cursor
  std::uint8_t bColorCount;
  // Bitmap header.
  std::int32_t biWidth, biHeight;
  std::uint32_t biSizeImage;
  std::uint32_t dwBytesInRes;
  // Pieces.
  int colorTableEntries;  // 2, 16, 256, or 0 for true colour
  int paletteBytes;       // P
  int xorRowPixelBytes, xorRowFillBytes;
  int xorBytes;           // X
  int andRowPixelBytes, andRowFillBytes;
  int andBytes;           // A
  int fileLength;         // 62 + P + X + A

  int xorRowBytes() const { return xorRowPixelBytes + xorRowFillBytes; }
  int andRowBytes() const { return andRowPixelBytes + andRowFillBytes; }
  int paletteOffset() const { return kIconImageOffset + kIconHeaderSize; }
  int xorOffset() const { return paletteOffset() + paletteBytes; }
  int andOffset() const { return xorOffset() + xorBytes; }
};

// The 29 rows in table order.
std::span<const IconFormat> IconFormats();
// The row of a (type, size), or nullptr when it is not one of the 29.
const IconFormat* FindIconFormat(int type, int size);
// The row Save writes for an image of that type and size: the cursor whatever the size; an icon type (any
// value other than 0, 1, 3 and 4 counting as true colour) at its size, sizes not in the table taking 64.
const IconFormat& SaveFormatFor(int type, int size);

}  // namespace gw
