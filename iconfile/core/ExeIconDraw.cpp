#include "iconfile/core/ExeIconDraw.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "iconfile/picture/Picture.h"
#include "platform/Alpha.h"
#include "platform/ByteReader.h"

namespace gw {

namespace {

// A little-endian field of 1 to 4 bytes, read checked: 0 where the bytes are not there (the sizes are
// checked before, so that does not happen).
std::uint32_t Le(std::span<const std::uint8_t> b, std::size_t at, int width) {
  const ByteReader r(b);
  return (width == 4 ? r.u32(at) : width == 3 ? r.u24(at) : width == 2 ? r.u16(at) : r.u8(at)).value_or(0);
}

// The source run [lo, hi) that destination position k of `dst` takes from `src` positions.
struct Run {
  std::int64_t lo, hi;
};
std::vector<Run> MapAxis(std::int64_t dst, std::int64_t src) {
  std::vector<Run> runs;
  for (std::int64_t k = 0; k < dst; ++k) {
    if (dst >= src) {
      const std::int64_t j = ((2 * k + 1) * src - 1) / (2 * dst);
      runs.push_back({j, j + 1});
    } else {
      runs.push_back({(2 * k * src + dst) / (2 * dst), (2 * (k + 1) * src + dst) / (2 * dst)});
    }
  }
  return runs;
}

// A picture of 0xAARRGGBB values read through `pixel` (x, y from the top left), stretched to edge x edge.
using PixelAt = std::function<std::uint32_t(std::int64_t, std::int64_t)>;
std::vector<std::uint32_t> Stretch(std::int64_t width, std::int64_t height, const PixelAt& pixel, int edge) {
  const auto cols = MapAxis(edge, width), rows = MapAxis(edge, height);
  std::vector<std::uint32_t> out(static_cast<std::size_t>(edge) * static_cast<std::size_t>(edge), 0xFFFFFFFFu);
  for (int r = 0; r < edge; ++r)
    for (std::int64_t y = rows[static_cast<std::size_t>(r)].lo; y < rows[static_cast<std::size_t>(r)].hi; ++y)
      for (int c = 0; c < edge; ++c)
        for (std::int64_t x = cols[static_cast<std::size_t>(c)].lo; x < cols[static_cast<std::size_t>(c)].hi; ++x)
          out[static_cast<std::size_t>(r * edge + c)] &= pixel(x, y);
  return out;
}

// A colour field of a 16-bit pixel widened to 8 bits as the platform does: its top bits, then repeated once.
std::uint32_t Field(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0, len = 0;
  while (!((mask >> shift) & 1)) ++shift;
  while (shift + len < 32 && ((mask >> (shift + len)) & 1)) ++len;
  if (len > 8) {
    shift += len - 8;
    len = 8;
  }
  std::uint32_t v = pixel & mask;
  const int move = shift - (8 - len);
  v = move < 0 ? v << -move : v >> move;
  v &= (0xFF00u >> len) & 0xFFu;
  return (v | (v >> len)) & 0xFF;
}

Color FromRgb(std::uint32_t argb) { return MakeColor(static_cast<int>((argb >> 16) & 0xFF), static_cast<int>((argb >> 8) & 0xFF), static_cast<int>(argb & 0xFF)); }

// Premultiplied by alpha and put over white, channel by channel.
void BlendOnWhite(const std::vector<std::uint32_t>& argb, Bitmap& cell) {
  const int edge = cell.width();
  for (int y = 0; y < edge; ++y)
    for (int x = 0; x < edge; ++x) {
      const std::uint32_t v = argb[static_cast<std::size_t>(y * edge + x)];
      const int a = static_cast<int>(v >> 24);
      const auto channel = [&](int shift) { return ChannelOnWhite(static_cast<int>((v >> shift) & 0xFF), a); };
      cell.setPixel(x, y, MakeColor(channel(16), channel(8), channel(0)));
    }
}

bool DrawPng(std::span<const std::uint8_t> payload, Bitmap& cell) {
  // The header's size first, so that a huge claimed picture is never decoded.
  if (payload.size() < 24) return false;
  const auto be = [&](std::size_t at) {
    return (std::int64_t{payload[at]} << 24) | (std::int64_t{payload[at + 1]} << 16) |
           (std::int64_t{payload[at + 2]} << 8) | std::int64_t{payload[at + 3]};
  };
  if (be(16) > kMaxPngIconSide || be(20) > kMaxPngIconSide) return false;
  std::string error;
  const std::optional<Picture> picture = DecodePng(payload, error);
  if (!picture || picture->width <= 0 || picture->height <= 0) return false;
  const auto argb = Stretch(picture->width, picture->height, [&](std::int64_t x, std::int64_t y) {
    const std::uint8_t* p = picture->pixel(static_cast<int>(x), static_cast<int>(y));
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
  }, cell.width());
  BlendOnWhite(argb, cell);
  return true;
}

// The program-file reader reads every payload a DIB of the largest side drawn can take.
static_assert(kMaxIconPayloadBytes >= 52 + 256 * 4 + kMaxDibIconSide * kMaxDibIconSide * 4 +
                                           kMaxDibIconSide * ((kMaxDibIconSide + 31) / 32 * 4));

bool DrawDib(std::span<const std::uint8_t> b, Bitmap& cell) {
  if (b.size() < 12) return false;
  const std::uint32_t headerSize = Le(b, 0, 4);
  if (headerSize > b.size() || (headerSize != 12 && headerSize != 40)) return false;
  const bool core = headerSize == 12;
  const std::int64_t width = core ? Le(b, 4, 2) : static_cast<std::int32_t>(Le(b, 4, 4));
  const std::int64_t fullHeight = core ? Le(b, 6, 2) : static_cast<std::int32_t>(Le(b, 8, 4));
  const std::uint32_t bpp = core ? Le(b, 10, 2) : Le(b, 14, 2);
  const std::uint32_t compression = core ? 0 : Le(b, 16, 4);
  if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32) return false;
  // Bit fields (after the header) for 16 and 32 bits; 16 bits without them are 5-5-5.
  const bool bitFields = compression == 3;
  if ((compression != 0 && !bitFields) || (bitFields && bpp != 16 && bpp != 32)) return false;
  if (bitFields && b.size() < 52) return false;
  const std::array<std::uint32_t, 3> masks = bitFields ? std::array<std::uint32_t, 3>{Le(b, 40, 4), Le(b, 44, 4), Le(b, 48, 4)}
                                                       : std::array<std::uint32_t, 3>{0x7C00, 0x03E0, 0x001F};
  // 32 bits with other fields than the usual bytes are not drawn.
  if (bitFields && bpp == 32 && masks != std::array<std::uint32_t, 3>{0xFF0000, 0xFF00, 0xFF}) return false;
  // The colour image and the mask share the stored height; an odd last row belongs to neither.
  const std::int64_t height = fullHeight / 2;
  if (width <= 0 || height <= 0 || width > kMaxDibIconSide || height > kMaxDibIconSide) return false;

  std::int64_t colors = core ? 0 : std::min<std::int64_t>(Le(b, 32, 4), 256);
  if (bpp <= 8 && (core || colors == 0)) colors = std::int64_t{1} << bpp;
  const std::int64_t entrySize = core ? 3 : 4;
  const std::int64_t tableAt = headerSize + (bitFields ? 12 : 0);
  const std::int64_t bitsAt = tableAt + colors * entrySize;
  const std::int64_t stride = ((width * bpp + 31) / 32) * 4;
  const std::int64_t maskStride = ((width + 31) / 32) * 4;
  const std::int64_t size = static_cast<std::int64_t>(b.size());
  // Divisions, not products: a width and height near the 32-bit limits would overflow even 64 bits.
  if (bitsAt > size || height > (size - bitsAt) / stride) return false;
  const std::int64_t maskAt = bitsAt + stride * height;
  const bool hasMask = height <= (size - maskAt) / maskStride;  // a missing mask leaves every pixel opaque

  std::vector<std::uint32_t> palette(static_cast<std::size_t>(colors));
  for (std::int64_t i = 0; i < colors; ++i) {
    const std::size_t at = static_cast<std::size_t>(tableAt + i * entrySize);
    palette[static_cast<std::size_t>(i)] = Le(b, at, 3);  // blue, green, red
  }
  // Rows are stored bottom-up.
  const auto color = [&](std::int64_t x, std::int64_t y) -> std::uint32_t {
    const std::size_t row = static_cast<std::size_t>(bitsAt + (height - 1 - y) * stride);
    if (bpp == 32) return Le(b, row + static_cast<std::size_t>(x) * 4, 4);
    if (bpp == 24) return Le(b, row + static_cast<std::size_t>(x) * 3, 3);
    if (bpp == 16) {
      const std::uint32_t v = Le(b, row + static_cast<std::size_t>(x) * 2, 2);
      return (Field(v, masks[0]) << 16) | (Field(v, masks[1]) << 8) | Field(v, masks[2]);
    }
    const std::int64_t bit = x * bpp;
    const std::uint32_t index = (Le(b, row + static_cast<std::size_t>(bit / 8), 1) >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
    return index < palette.size() ? palette[index] : 0;
  };
  bool alpha = false;
  if (bpp == 32)
    for (std::int64_t y = 0; y < height && !alpha; ++y)
      for (std::int64_t x = 0; x < width && !alpha; ++x) alpha = (color(x, y) >> 24) != 0;

  const int edge = cell.width();
  const auto argb = Stretch(width, height, color, edge);
  if (alpha) {
    BlendOnWhite(argb, cell);
    return true;
  }
  std::vector<std::uint32_t> mask(argb.size(), 0);
  if (hasMask)
    mask = Stretch(width, height, [&](std::int64_t x, std::int64_t y) -> std::uint32_t {
      const std::size_t row = static_cast<std::size_t>(maskAt + (height - 1 - y) * maskStride);
      return (Le(b, row + static_cast<std::size_t>(x / 8), 1) >> (7 - x % 8)) & 1 ? 0xFFFFFFu : 0u;
    }, edge);
  for (int y = 0; y < edge; ++y)
    for (int x = 0; x < edge; ++x) {
      const std::size_t i = static_cast<std::size_t>(y * edge + x);
      cell.setPixel(x, y, FromRgb((argb[i] ^ mask[i]) & 0xFFFFFFu));
    }
  return true;
}

}  // namespace

bool DrawIconPayload(std::span<const std::uint8_t> payload, Bitmap& cell, int edge) {
  cell.resize(edge, edge, kWhite);
  static constexpr std::uint8_t kPngSignature[4] = {0x89, 'P', 'N', 'G'};
  const bool png = payload.size() >= 4 && std::equal(kPngSignature, kPngSignature + 4, payload.begin());
  const bool drawn = png ? DrawPng(payload, cell) : DrawDib(payload, cell);
  if (!drawn) cell.fill(kWhite);
  return drawn;
}

bool DrawProgramFileIcon(const PeResources& file, int index, Bitmap& cell) {
  const auto payload = file.IconPayload(index, kExeIconCell, 32);
  if (!payload) {
    cell.resize(kExeIconCell, kExeIconCell, kWhite);
    return false;
  }
  return DrawIconPayload(*payload, cell, kExeIconCell);
}

}  // namespace gw
