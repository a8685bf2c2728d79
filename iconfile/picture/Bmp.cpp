// BMP reading and writing, our own: every field is checked against the bytes that are really there.
#include <algorithm>
#include <bit>

#include "iconfile/picture/Picture.h"
#include "platform/ByteReader.h"

namespace gw {

namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

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

bool Refuse(std::string& error, const char* text) {
  error = text;
  return false;
}

void SetColor(std::uint8_t* px, Color c) {
  px[0] = static_cast<std::uint8_t>(RedOf(c));
  px[1] = static_cast<std::uint8_t>(GreenOf(c));
  px[2] = static_cast<std::uint8_t>(BlueOf(c));
  px[3] = 255;
}

}  // namespace

bool DecodeBmpRows(std::span<const std::uint8_t> b, PictureRowSink& sink, std::string& error) {
  const ByteReader r(b);
  if (r.size() < 26 || r.u16(0) != 0x4D42u) return Refuse(error, "not a BMP picture");  // "BM"
  const std::uint32_t offBits = r.u32(10).value_or(0);
  const std::uint32_t headerSize = r.u32(14).value_or(0);
  const bool core = headerSize == 12;
  if (!core && (headerSize < 40 || headerSize > 124)) return Refuse(error, "unknown BMP header");
  if (!r.has(14, headerSize)) return Refuse(error, "BMP header is truncated");

  // The fields below all lie inside the header, which the file holds.
  std::int64_t width, height;
  std::uint32_t bits, compression = kRgb, colorsUsed = 0;
  if (core) {
    width = r.u16(18).value_or(0);
    height = r.u16(20).value_or(0);
    bits = r.u16(24).value_or(0);
  } else {
    width = r.i32(18).value_or(0);
    height = r.i32(22).value_or(0);
    bits = r.u16(28).value_or(0);
    compression = r.u32(30).value_or(0);
    colorsUsed = r.u32(46).value_or(0);
  }
  // The 64-byte header of the other BMP dialect numbers its compressions 3 (Huffman) and 4 (RLE24) alike.
  if (headerSize == 64 && compression >= kBitFields) return Refuse(error, "unsupported BMP compression");
  const bool topDown = height < 0;
  height = topDown ? -height : height;
  if (!PictureSizeAllowed(width, height)) return Refuse(error, width > 0 && height > 0 ? "picture is too large" : "BMP size is not allowed");

  // Bit fields: as many as the header has room for lie in it (from offset 54), the rest right behind it.
  std::uint64_t tableAt = 14 + std::uint64_t{headerSize};
  std::uint32_t masks[4] = {0, 0, 0, 0};
  const bool fields = compression == kBitFields || compression == kAlphaBitFields;
  if (fields) {
    if (bits != 16 && bits != 32) return Refuse(error, "BMP bit fields need 16 or 32 bits");
    if (headerSize > 40 && headerSize < 52) return Refuse(error, "unknown BMP header");
    const std::uint64_t count = compression == kAlphaBitFields ? 4 : 3;
    const std::uint64_t inHeader = std::min<std::uint64_t>(count, (headerSize - 40) / 4);
    for (std::uint64_t i = 0; i < count; ++i) {
      const auto mask = r.u32(i < inHeader ? 54 + 4 * i : tableAt + 4 * (i - inHeader));
      if (!mask) return Refuse(error, "BMP bit fields are truncated");
      masks[i] = *mask;
    }
    tableAt += 4 * (count - inHeader);
    if (headerSize >= 56) masks[3] = r.u32(66).value_or(0);
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

  // Colour table: up to the pixel data (or the end of the file when the pixels would lie inside it).
  std::vector<Color> table;  // 0x00BBGGRR
  if (bits <= 8) {
    const std::uint64_t entry = core ? 3 : 4;
    std::uint64_t count = colorsUsed ? colorsUsed : (std::uint64_t{1} << bits);
    count = std::min<std::uint64_t>(count, std::uint64_t{1} << bits);
    const std::uint64_t end = offBits >= tableAt ? std::min<std::uint64_t>(offBits, r.size()) : r.size();
    for (std::uint64_t i = 0; i < count && tableAt + (i + 1) * entry <= end; ++i) {
      const std::uint32_t bgr = r.u24(tableAt + i * entry).value_or(0);  // stored blue, green, red
      table.push_back(MakeColor(static_cast<int>(bgr >> 16), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>(bgr & 0xFF)));
    }
    if (table.empty()) return Refuse(error, "BMP colour table is missing");
  }
  auto indexColor = [&](std::size_t i) { return i < table.size() ? table[i] : 0u; };

  if (offBits < 14 + std::uint64_t{headerSize} || offBits >= r.size()) return Refuse(error, "BMP pixel data is missing");
  const ByteReader data(b.subspan(offBits));
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  const std::size_t stride = ((static_cast<std::size_t>(w) * bits + 31) / 32) * 4;
  const std::size_t rowBytes = (static_cast<std::size_t>(w) * bits + 7) / 8;
  const bool runs = compression == kRle8 || compression == kRle4;
  // Uncompressed rows must all be there before the picture is made (the last one without its padding).
  if (!runs && !data.has(stride * static_cast<std::size_t>(h - 1), rowBytes))
    return Refuse(error, "BMP pixel data is truncated");

  if (runs) {
    // Rows come bottom-up, as the runs reach them; pixels the runs skip stay transparent white.
    int open = -1;  // the row (counted from the bottom) being drawn; those below it are done
    std::uint8_t* cur = nullptr;
    const auto advanceTo = [&](int y) {  // ends the rows below y and opens row y
      for (y = std::min(y, h); open < y;) {
        if (open >= 0) sink.rowDone(h - 1 - open);
        if (++open < h) {
          cur = sink.row(h - 1 - open);
          for (int x = 0; x < w; ++x) cur[x * 4] = cur[x * 4 + 1] = cur[x * 4 + 2] = 255, cur[x * 4 + 3] = 0;
        }
      }
    };
    // Walks the runs, drawing them when asked; false when the data ends before the picture.
    const auto walk = [&](bool draw) {
      std::uint64_t pos = 0;
      int x = 0, y = 0;  // y counts rows from the bottom
      auto put = [&](std::uint32_t index) {
        if (x < w && y < h) {
          advanceTo(y);
          SetColor(cur + x * 4, indexColor(index));
        }
        ++x;
      };
      for (;;) {
        const auto pair = data.bytes(pos, 2);
        if (!pair) return false;
        const std::uint32_t n = (*pair)[0], v = (*pair)[1];
        pos += 2;
        if (n > 0) {
          if (!draw) {
            x += static_cast<int>(n);
          } else {
            for (std::uint32_t i = 0; i < n; ++i) put(compression == kRle8 ? v : (i % 2 == 0 ? v >> 4 : v & 15));
          }
        } else if (v == 0) {
          x = 0;
          ++y;
        } else if (v == 1) {
          return true;
        } else if (v == 2) {
          const auto delta = data.bytes(pos, 2);
          if (!delta) return false;
          x += (*delta)[0];
          y += (*delta)[1];
          pos += 2;
        } else {
          const std::uint64_t bytes = compression == kRle8 ? v : (v + 1) / 2;
          const auto literal = data.bytes(pos, bytes);
          if (!literal) return false;
          const auto s = *literal;
          if (!draw) {
            x += static_cast<int>(v);
          } else {
            for (std::uint32_t i = 0; i < v; ++i)
              put(compression == kRle8 ? s[i] : (i % 2 == 0 ? s[i / 2] >> 4 : s[i / 2] & 15));
          }
          pos += (bytes + 1) & ~std::uint64_t{1};
        }
        if (y >= h) return true;
        x = std::min(x, w);  // past the right edge nothing more is drawn on this row
      }
    };
    // Walked once to see that the data is whole, and only then drawn: a file cut short is refused before
    // any row is given.
    if (!walk(false)) return Refuse(error, "BMP run-length data is truncated");
    if (!sink.start(w, h)) return Refuse(error, "picture refused");
    walk(true);
    advanceTo(h);
    return true;
  }

  // An alpha channel that is 0 everywhere was never filled in: the picture is opaque.
  const auto pixelValue = [&](const ByteReader& pixels, std::size_t x) {
    return (bits == 16 ? pixels.u16(2 * x) : pixels.u32(4 * x)).value_or(0);
  };
  const bool alphaField = alpha.mask && (bits == 16 || (bits == 32 && fields));
  bool anyAlpha = false;
  for (int row = 0; alphaField && !anyAlpha && row < h; ++row) {
    const ByteReader pixels(data.bytes(stride * static_cast<std::size_t>(row), rowBytes).value());
    for (int x = 0; x < w && !anyAlpha; ++x) anyAlpha = alpha.of(pixelValue(pixels, static_cast<std::size_t>(x))) != 0;
  }
  if (!sink.start(w, h)) return Refuse(error, "picture refused");
  for (int row = 0; row < h; ++row) {
    // Checked above for every row: the bytes of the row's pixels are there.
    const std::span<const std::uint8_t> s = data.bytes(stride * static_cast<std::size_t>(row), rowBytes).value();
    const ByteReader pixels(s);
    const int y = topDown ? row : h - 1 - row;
    std::uint8_t* d = sink.row(y);
    for (int x = 0; x < w; ++x, d += 4) {
      const auto at = static_cast<std::size_t>(x);
      d[3] = 255;
      switch (bits) {
        case 1: SetColor(d, indexColor((s[at / 8] >> (7 - at % 8)) & 1)); break;
        case 4: SetColor(d, indexColor((s[at / 2] >> (at % 2 ? 0 : 4)) & 15)); break;
        case 8: SetColor(d, indexColor(s[at])); break;
        case 24: d[0] = s[at * 3 + 2], d[1] = s[at * 3 + 1], d[2] = s[at * 3]; break;
        case 16:
        case 32: {
          const std::uint32_t v = pixelValue(pixels, at);
          if (bits == 32 && !fields) {
            d[0] = static_cast<std::uint8_t>(v >> 16), d[1] = static_cast<std::uint8_t>(v >> 8), d[2] = static_cast<std::uint8_t>(v);
          } else {
            d[0] = red.of(v), d[1] = green.of(v), d[2] = blue.of(v);
            if (anyAlpha) d[3] = alpha.of(v);
          }
          break;
        }
      }
    }
    sink.rowDone(y);
  }
  return true;
}

std::optional<Picture> DecodeBmp(std::span<const std::uint8_t> bytes, std::string& error) {
  return DecodeWhole(DecodeBmpRows, bytes, error);
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
