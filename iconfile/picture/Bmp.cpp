// BMP reading and writing, our own: every field is checked against the bytes that are really there.
#include <algorithm>
#include <bit>
#include <cstring>

#include "iconfile/picture/Picture.h"

namespace gw {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

std::uint32_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at] | (b[at + 1] << 8));
}
std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

// One colour channel of a bit-field pixel, scaled to 0 ... 255.
struct Channel {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;
  explicit Channel(std::uint32_t m) : mask(m) {
    if (!m) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  bool contiguous() const { return !mask || (max & (max + 1)) == 0; }
  std::uint8_t of(std::uint32_t v) const {
    if (!max) return 0;
    const std::uint64_t x = (v & mask) >> shift;
    return static_cast<std::uint8_t>((x * 255 + max / 2) / max);
  }
};

std::optional<Picture> Refuse(std::string& error, const char* text) {
  error = text;
  return std::nullopt;
}

void SetColor(std::uint8_t* px, Color c) {
  px[0] = static_cast<std::uint8_t>(RedOf(c));
  px[1] = static_cast<std::uint8_t>(GreenOf(c));
  px[2] = static_cast<std::uint8_t>(BlueOf(c));
  px[3] = 255;
}

}  // namespace

std::optional<Picture> DecodeBmp(std::span<const std::uint8_t> b, std::string& error) {
  if (b.size() < 26 || b[0] != 'B' || b[1] != 'M') return Refuse(error, "not a BMP picture");
  const std::uint32_t offBits = U32(b, 10);
  const std::uint32_t headerSize = U32(b, 14);
  const bool core = headerSize == 12;
  if (!core && (headerSize < 40 || headerSize > 124)) return Refuse(error, "unknown BMP header");
  if (14 + static_cast<std::uint64_t>(headerSize) > b.size()) return Refuse(error, "BMP header is truncated");

  std::int64_t width, height;
  std::uint32_t bits, compression = kRgb, colorsUsed = 0;
  if (core) {
    width = U16(b, 18);
    height = U16(b, 20);
    bits = U16(b, 24);
  } else {
    width = static_cast<std::int32_t>(U32(b, 18));
    height = static_cast<std::int32_t>(U32(b, 22));
    bits = U16(b, 28);
    compression = U32(b, 30);
    colorsUsed = U32(b, 46);
  }
  // The 64-byte header of the other BMP dialect numbers its compressions 3 (Huffman) and 4 (RLE24) alike.
  if (headerSize == 64 && compression >= kBitFields) return Refuse(error, "unsupported BMP compression");
  const bool topDown = height < 0;
  height = topDown ? -height : height;
  if (!PictureSizeAllowed(width, height)) return Refuse(error, width > 0 && height > 0 ? "picture is too large" : "BMP size is not allowed");

  // Bit fields: inside a V2 header or longer, else right behind the 40-byte header.
  std::size_t tableAt = 14 + headerSize;
  std::uint32_t masks[4] = {0, 0, 0, 0};
  const bool fields = compression == kBitFields || compression == kAlphaBitFields;
  if (fields) {
    if (bits != 16 && bits != 32) return Refuse(error, "BMP bit fields need 16 or 32 bits");
    const int count = compression == kAlphaBitFields ? 4 : 3;
    std::size_t at = 54;
    if (headerSize == 40) {
      if (tableAt + 4u * count > b.size()) return Refuse(error, "BMP bit fields are truncated");
      tableAt += 4u * count;
    } else if (headerSize < 52) {
      return Refuse(error, "unknown BMP header");
    }
    for (int i = 0; i < count; ++i) masks[i] = U32(b, at + 4u * i);
    if (headerSize >= 56) masks[3] = U32(b, 66);
  } else if (bits == 16) {
    masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
  }
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
  if (!red.contiguous() || !green.contiguous() || !blue.contiguous() || !alpha.contiguous())
    return Refuse(error, "BMP bit fields are not contiguous");

  switch (compression) {
    case kRgb:
      if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Refuse(error, "unsupported BMP depth");
      break;
    case kRle8:
    case kRle4:
      if (bits != (compression == kRle8 ? 8u : 4u)) return Refuse(error, "BMP run-length depth is wrong");
      if (topDown) return Refuse(error, "top-down BMP cannot be run-length coded");
      break;
    case kBitFields:
    case kAlphaBitFields: break;
    default: return Refuse(error, "unsupported BMP compression");
  }

  // Colour table.
  std::vector<Color> table;  // 0x00BBGGRR
  if (bits <= 8) {
    const std::size_t entry = core ? 3 : 4;
    std::size_t count = colorsUsed ? colorsUsed : (std::size_t{1} << bits);
    count = std::min<std::size_t>(count, std::size_t{1} << bits);
    const std::size_t end = std::min<std::size_t>(offBits >= tableAt ? offBits : b.size(), b.size());
    if (end < tableAt) return Refuse(error, "BMP colour table is missing");
    count = std::min(count, (end - tableAt) / entry);
    if (count == 0) return Refuse(error, "BMP colour table is missing");
    for (std::size_t i = 0; i < count; ++i) {
      const std::size_t at = tableAt + i * entry;
      table.push_back(MakeColor(b[at + 2], b[at + 1], b[at]));  // stored blue, green, red
    }
  }
  auto indexColor = [&](std::size_t i) { return i < table.size() ? table[i] : 0u; };

  if (offBits < 14 + headerSize || offBits >= b.size()) return Refuse(error, "BMP pixel data is missing");
  const std::span<const std::uint8_t> data = b.subspan(offBits);
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  Picture p;
  p.width = w;
  p.height = h;
  p.rgba.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4, 255);

  if (compression == kRle8 || compression == kRle4) {
    // Pixels the runs skip stay transparent white.
    for (std::size_t i = 3; i < p.rgba.size(); i += 4) p.rgba[i] = 0;
    std::size_t pos = 0;
    int x = 0, y = 0;  // y counts rows from the bottom
    auto put = [&](std::uint32_t index) {
      if (x < w && y < h) SetColor(p.pixel(x, h - 1 - y), indexColor(index));
      ++x;
    };
    for (;;) {
      if (pos + 2 > data.size()) return Refuse(error, "BMP run-length data is truncated");
      const std::uint32_t n = data[pos], v = data[pos + 1];
      pos += 2;
      if (n > 0) {
        for (std::uint32_t i = 0; i < n; ++i) put(compression == kRle8 ? v : (i % 2 == 0 ? v >> 4 : v & 15));
      } else if (v == 0) {
        x = 0;
        ++y;
      } else if (v == 1) {
        break;
      } else if (v == 2) {
        if (pos + 2 > data.size()) return Refuse(error, "BMP run-length data is truncated");
        x += data[pos];
        y += data[pos + 1];
        pos += 2;
      } else {
        const std::size_t bytes = compression == kRle8 ? v : (v + 1) / 2;
        if (pos + bytes > data.size()) return Refuse(error, "BMP run-length data is truncated");
        for (std::uint32_t i = 0; i < v; ++i)
          put(compression == kRle8 ? data[pos + i] : (i % 2 == 0 ? data[pos + i / 2] >> 4 : data[pos + i / 2] & 15));
        pos += (bytes + 1) & ~std::size_t{1};
      }
      if (y >= h) break;
      x = std::min(x, w);  // past the right edge nothing more is drawn on this row
    }
    return p;
  }

  const std::size_t stride = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
  const std::size_t lastRow = (static_cast<std::size_t>(w) * bits + 7) / 8;
  if (stride * static_cast<std::size_t>(h - 1) + lastRow > data.size()) return Refuse(error, "BMP pixel data is truncated");
  bool anyAlpha = false;
  for (int row = 0; row < h; ++row) {
    const std::uint8_t* s = data.data() + stride * static_cast<std::size_t>(row);
    std::uint8_t* d = p.pixel(0, topDown ? row : h - 1 - row);
    for (int x = 0; x < w; ++x, d += 4) {
      switch (bits) {
        case 1: SetColor(d, indexColor((s[x / 8] >> (7 - x % 8)) & 1)); break;
        case 4: SetColor(d, indexColor((s[x / 2] >> (x % 2 ? 0 : 4)) & 15)); break;
        case 8: SetColor(d, indexColor(s[x])); break;
        case 24: d[0] = s[x * 3 + 2], d[1] = s[x * 3 + 1], d[2] = s[x * 3]; break;
        case 16:
        case 32: {
          const std::uint32_t v = bits == 16 ? U16(data, stride * row + 2u * x) : U32(data, stride * row + 4u * x);
          if (bits == 32 && !fields) {
            d[0] = static_cast<std::uint8_t>(v >> 16), d[1] = static_cast<std::uint8_t>(v >> 8), d[2] = static_cast<std::uint8_t>(v);
          } else {
            d[0] = red.of(v), d[1] = green.of(v), d[2] = blue.of(v);
            if (alpha.mask) {
              d[3] = alpha.of(v);
              anyAlpha = anyAlpha || d[3] != 0;
            }
          }
          break;
        }
      }
    }
  }
  // An alpha channel that is 0 everywhere was never filled in: the picture is opaque.
  if (alpha.mask && !anyAlpha)
    for (std::size_t i = 3; i < p.rgba.size(); i += 4) p.rgba[i] = 255;
  return p;
}

bool EncodeBmp(const Picture& picture, std::vector<std::uint8_t>& out, std::string& error) {
  const int w = picture.width, h = picture.height;
  if (w <= 0 || h <= 0 || !PictureSizeAllowed(w, h)) {
    error = "picture size not allowed in BMP";
    return false;
  }
  const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * static_cast<std::size_t>(h);
  out.assign(54 + imageSize, 0);
  auto put16 = [&](std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v), out[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    put16(at, v & 0xFFFF);
    put16(at + 2, v >> 16);
  };
  out[0] = 'B', out[1] = 'M';
  put32(2, static_cast<std::uint32_t>(out.size()));
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(w));
  put32(22, static_cast<std::uint32_t>(h));
  put16(26, 1);
  put16(28, 24);
  put32(34, static_cast<std::uint32_t>(imageSize));
  put32(38, 2835);  // 72 dots per inch
  put32(42, 2835);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* d = out.data() + 54 + stride * static_cast<std::size_t>(h - 1 - y);
    const std::uint8_t* s = picture.pixel(0, y);
    for (int x = 0; x < w; ++x) d[x * 3] = s[x * 4 + 2], d[x * 3 + 1] = s[x * 4 + 1], d[x * 3 + 2] = s[x * 4];
  }
  return true;
}

}  // namespace gw
