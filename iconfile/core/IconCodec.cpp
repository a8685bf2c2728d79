#include "iconfile/core/IconCodec.h"

#include <algorithm>
#include <array>
#include <map>

#include "editor/core/Transparency.h"
#include "platform/ByteReader.h"

namespace gw {

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::size_t at, std::uint16_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// An S x S copy of src; pixels src does not have are black.
Bitmap SquareCopy(const Bitmap& src, int S) {
  Bitmap b(S, S, kBlack);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x)
      if (src.contains(x, y)) b.setPixel(x, y, src.pixel(x, y));
  return b;
}

// Rows bottom-up, 8 pixels a byte, most significant bit leftmost: a bit for every exactly white pixel.
void PutWhiteBits(Bytes& out, std::size_t at, const Bitmap& b, int S, int rowBytes) {
  for (int row = 0; row < S; ++row) {
    const int y = S - 1 - row;
    std::uint8_t* p = out.data() + at + static_cast<std::size_t>(row) * static_cast<std::size_t>(rowBytes);
    for (int x = 0; x < S; ++x)
      if (b.pixel(x, y) == kWhite) p[x / 8] = static_cast<std::uint8_t>(p[x / 8] | (0x80 >> (x % 8)));
  }
}

int NearestIndex(const Palette* nearest, Color c) {
  const int i = nearest ? nearest->nearestIndex(c) : -1;
  return i < 0 ? 0 : i;
}

}  // namespace

IconColorSource ColorSourceFor(const EditorState& s, int type) {
  switch (type) {
    case kType16Color: return {&s.LogPalette16, &s.Palette16};
    case kType256Color: return {&s.LogPalette256, &s.Palette256};
    case kTypeTrueColor: return {};
    default: return {&s.MonoLogPalette, nullptr};
  }
}

std::vector<std::uint8_t> EncodeIconFile(const IconFormat& f, const Bitmap& image, const Bitmap& mask,
                                         int hotSpotX, int hotSpotY, const IconColorSource& colors) {
  const int S = f.size;
  Bitmap pixels = SquareCopy(image, S);
  const Bitmap bits = SquareCopy(mask, S);
  if (f.type == kTypeCursor) TransparentAquaToWhite(pixels, bits, S);
  TransparentWhiteToBlack(pixels, bits, S);

  Bytes out(static_cast<std::size_t>(f.fileLength), 0);
  // Directory and its one entry.
  Put16(out, 2, f.idType);
  Put16(out, 4, 1);
  out[6] = static_cast<std::uint8_t>(S);
  out[7] = static_cast<std::uint8_t>(S);
  out[8] = f.bColorCount;
  const bool cursor = f.type == kTypeCursor;
  Put16(out, 10, cursor ? static_cast<std::uint16_t>(hotSpotX) : std::uint16_t{1});
  Put16(out, 12, cursor ? static_cast<std::uint16_t>(hotSpotY) : static_cast<std::uint16_t>(f.bits));
  Put32(out, 14, f.dwBytesInRes);
  Put32(out, 18, kIconImageOffset);
  // Bitmap header.
  Put32(out, 22, kIconHeaderSize);
  Put32(out, 26, static_cast<std::uint32_t>(f.biWidth));
  Put32(out, 30, static_cast<std::uint32_t>(f.biHeight));
  Put16(out, 34, 1);
  Put16(out, 36, static_cast<std::uint16_t>(f.bits));
  Put32(out, 42, f.biSizeImage);

  // Colour table: the type's palette, entry by entry (blue, green, red, flags).
  for (int i = 0; i < f.colorTableEntries; ++i) {
    if (!colors.table || i >= static_cast<int>(colors.table->palPalEntry.size())) break;
    const PaletteEntry& e = colors.table->palPalEntry[static_cast<std::size_t>(i)];
    const std::size_t at = static_cast<std::size_t>(f.paletteOffset() + 4 * i);
    out[at] = e.peBlue;
    out[at + 1] = e.peGreen;
    out[at + 2] = e.peRed;
    out[at + 3] = e.peFlags;
  }

  // Colour bitmap.
  const std::size_t xorAt = static_cast<std::size_t>(f.xorOffset());
  if (f.bits == 1) {
    PutWhiteBits(out, xorAt, pixels, S, f.xorRowBytes());
  } else {
    for (int row = 0; row < S; ++row) {
      const int y = S - 1 - row;
      std::uint8_t* p = out.data() + xorAt + static_cast<std::size_t>(row) * static_cast<std::size_t>(f.xorRowBytes());
      for (int x = 0; x < S; ++x) {
        const Color c = pixels.pixel(x, y);
        if (f.bits == 24) {
          p[3 * x] = static_cast<std::uint8_t>(BlueOf(c));
          p[3 * x + 1] = static_cast<std::uint8_t>(GreenOf(c));
          p[3 * x + 2] = static_cast<std::uint8_t>(RedOf(c));
        } else if (f.bits == 8) {
          p[x] = static_cast<std::uint8_t>(NearestIndex(colors.nearest, c));
        } else {
          int i = NearestIndex(colors.nearest, c);
          if (bits.pixel(x, y) == kWhite && colors.nearest && i < colors.nearest->size() &&
              colors.nearest->entry(i) == kWhite)
            i = NearestIndex(colors.nearest, kBlack);  // a transparent pixel never shows as white
          p[x / 2] = static_cast<std::uint8_t>(p[x / 2] | (x % 2 == 0 ? i << 4 : i));
        }
      }
    }
  }
  // Mask.
  PutWhiteBits(out, static_cast<std::size_t>(f.andOffset()), bits, S, f.andRowBytes());
  return out;
}

std::vector<std::uint8_t> EncodeIconFile(const EditorState& s, const IconFormat& f) {
  return WithKeptImages(
      EncodeIconFile(f, s.iconimage, s.iconmask, s.CursorHotSpotX, s.CursorHotSpotY, ColorSourceFor(s, f.type)),
      s.FileOtherImages);
}

std::vector<std::uint8_t> WithKeptImages(std::vector<std::uint8_t> single, std::span<const KeptFileImage> others) {
  if (others.empty() || single.size() < kIconImageOffset) return single;
  const std::size_t count = 1 + others.size();
  const std::size_t directory = kIconDirectorySize + kIconEntrySize * count;
  Bytes out(directory, 0);
  std::copy_n(single.begin(), kIconImageOffset, out.begin());  // the directory and the first entry
  Put16(out, 4, static_cast<std::uint16_t>(count));
  Put32(out, 18, static_cast<std::uint32_t>(directory));
  out.insert(out.end(), single.begin() + kIconImageOffset, single.end());
  // Where each entry's bytes went (offset, length), in directory order.
  std::vector<std::pair<std::size_t, std::size_t>> places{{directory, single.size() - kIconImageOffset}};
  for (const KeptFileImage& k : others) {
    const std::size_t entry = kIconDirectorySize + kIconEntrySize * places.size();
    std::copy(k.entry.begin(), k.entry.end(), out.begin() + static_cast<std::ptrdiff_t>(entry));
    if (k.sameBytesAs >= 0 && static_cast<std::size_t>(k.sameBytesAs) < places.size()) {
      places.push_back(places[static_cast<std::size_t>(k.sameBytesAs)]);
    } else {
      places.emplace_back(out.size(), k.bytes.size());
      out.insert(out.end(), k.bytes.begin(), k.bytes.end());
    }
    Put32(out, entry + 8, static_cast<std::uint32_t>(places.back().second));
    Put32(out, entry + 12, static_cast<std::uint32_t>(places.back().first));
  }
  return out;
}

namespace {

std::optional<DecodedIconFile> Refuse(std::string* why, const char* reason) {
  if (why) *why = reason;
  return std::nullopt;
}

// The directory's second and later images (see DecodedIconFile::otherImages); the first entry names
// `firstLength` bytes at `firstOffset`.
void KeepOtherImages(const ByteReader& r, std::uint64_t firstOffset, std::uint64_t firstLength, DecodedIconFile& d) {
  const std::uint64_t count = r.u16(4).value_or(0);
  // The first byte of an image named so far: no entry reaches it.
  std::uint64_t dataStart = firstOffset >= kIconImageOffset ? firstOffset : r.size();
  std::map<std::pair<std::uint64_t, std::uint64_t>, int> named{{{firstOffset, firstLength}, 0}};  // -> place
  std::uint64_t keptBytes = 0;
  for (std::uint64_t i = 1; i < count; ++i) {
    const std::uint64_t directoryEnd = kIconImageOffset + kIconEntrySize * i;
    if (directoryEnd > dataStart) break;
    const auto entry = r.bytes(directoryEnd - kIconEntrySize, kIconEntrySize);
    if (!entry) break;  // the directory ends with the file
    const ByteReader e(*entry);
    const std::uint64_t length = e.u32(8).value_or(0), offset = e.u32(12).value_or(0);
    if (length == 0 || offset < directoryEnd || !r.has(offset, length)) continue;  // no image
    dataStart = std::min(dataStart, offset);
    const auto [same, isNew] = named.try_emplace({offset, length}, static_cast<int>(d.otherImages.size()) + 1);
    if (isNew && keptBytes + length > kMaxKeptImageBytes) {
      same->second = -1;  // an entry naming these bytes again is left out too
    }
    if (same->second < 0) {
      ++d.imagesNotKept;
      continue;
    }
    KeptFileImage& k = d.otherImages.emplace_back();
    std::copy_n(entry->begin(), k.entry.size(), k.entry.begin());
    if (isNew) {
      keptBytes += length;
      const auto image = r.bytes(offset, length);
      k.bytes.assign(image->begin(), image->end());
    } else {
      k.sameBytesAs = same->second;
    }
  }
}

bool IsIconSize(int s) { return s >= 16 && s <= 64 && s % 8 == 0; }

// Brightness with the weights of broadcast video (0.299, 0.587, 0.114), times 1000.
int Luminance(Color c) { return 299 * RedOf(c) + 587 * GreenOf(c) + 114 * BlueOf(c); }

// The format of the first entry by its type word, width, colour count and bit count (a bit count of 0 in an
// icon's entry is taken from its bitmap header, -1 when there is none), or nullptr.
const IconFormat* Recognize(int idType, int width, int c, int b, int headerBits) {
  if (idType == 2) return FindIconFormat(kTypeCursor, 32);
  if (!IsIconSize(width)) return nullptr;
  const int depth = b == 0 ? headerBits : b;
  if (c == 0 && depth == 24) return FindIconFormat(kTypeTrueColor, width);
  if (c == 0 && depth == 8) return FindIconFormat(kType256Color, width);
  if (c == 16 || depth == 4) return FindIconFormat(kType16Color, width);
  if (c == 2 || b == 1) return FindIconFormat(kTypeMono, width);
  if (width == 32 && (c == 0 || b == 0)) return FindIconFormat(kTypeCursor, 32);
  return nullptr;
}

}  // namespace

std::optional<DecodedIconFile> DecodeIconFile(std::span<const std::uint8_t> bytes, std::string* why) {
  const ByteReader r(bytes);
  if (!r.has(0, kIconImageOffset)) return Refuse(why, "shorter than a directory and its entry");
  // The directory and its first entry are there: none of these reads fails.
  if (r.u16(0) != 0u) return Refuse(why, "reserved word not 0");
  const int idType = static_cast<int>(r.u16(2).value_or(0));
  if (idType != 1 && idType != 2) return Refuse(why, "neither an icon nor a cursor");
  if (r.u16(4) == 0u) return Refuse(why, "no images");
  const int width = static_cast<int>(r.u8(6).value_or(0));
  const int colorCount = static_cast<int>(r.u8(8).value_or(0));
  const int entryBits = static_cast<int>(r.u16(12).value_or(0));
  const std::uint64_t offset = r.u32(18).value_or(0);
  const auto header = r.bytes(offset, kIconHeaderSize);
  const ByteReader h(header.value_or(std::span<const std::uint8_t>{}));
  const int headerBits = header ? static_cast<int>(h.u16(14).value_or(0)) : -1;

  const IconFormat* f = Recognize(idType, width, colorCount, entryBits, headerBits);
  if (!f) return Refuse(why, "not one of the supported formats");
  if (!header) return Refuse(why, "bitmap header outside the file");
  const int S = f->size;
  if (h.u32(0) != kIconHeaderSize) return Refuse(why, "not a 40-byte bitmap header");
  if (h.i32(4) != S || h.i32(8) != 2 * S) return Refuse(why, "bitmap size does not match the entry");
  if (headerBits != f->bits) return Refuse(why, "bit count does not match the entry");
  if (h.u32(16) != 0u) return Refuse(why, "compressed bitmap");

  // The colour table: biClrUsed entries, 0 meaning all that the depth can index.
  const std::uint64_t used = h.u32(32).value_or(0);
  std::uint64_t entries = used;
  if (f->bits <= 8) {
    const std::uint64_t full = std::uint64_t{1} << f->bits;
    if (used > full) return Refuse(why, "colour table larger than the depth");
    if (used == 0) entries = full;
  }
  const std::uint64_t tableBytes = 4 * entries;
  const auto xorBytes = static_cast<std::uint64_t>(f->xorBytes), andBytes = static_cast<std::uint64_t>(f->andBytes);
  const auto body = r.bytes(offset + kIconHeaderSize, tableBytes + xorBytes + andBytes);
  if (!body) return Refuse(why, "file shorter than its bitmap");
  const ByteReader tableBytesReader(body->first(static_cast<std::size_t>(tableBytes)));
  const std::span<const std::uint8_t> xorBits = body->subspan(static_cast<std::size_t>(tableBytes), static_cast<std::size_t>(xorBytes));
  const std::span<const std::uint8_t> andBits = body->last(static_cast<std::size_t>(andBytes));

  std::vector<Color> table(static_cast<std::size_t>(f->bits <= 8 ? entries : 0));
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::uint32_t bgr = tableBytesReader.u24(4 * i).value_or(0);  // blue, green, red, flags
    table[i] = MakeColor(static_cast<int>(bgr >> 16), static_cast<int>((bgr >> 8) & 0xFF), static_cast<int>(bgr & 0xFF));
  }
  if (f->bits == 1) {
    // Two levels stay two: the darker entry reads as black, the lighter as white (entry 0 black when they are
    // equally bright). A table of one entry takes the nearer of black and white.
    if (table.size() == 2) {
      const bool firstIsDarker = Luminance(table[0]) <= Luminance(table[1]);
      table = {firstIsDarker ? kBlack : kWhite, firstIsDarker ? kWhite : kBlack};
    } else {
      const Palette blackWhite(std::array<Color, 2>{kBlack, kWhite});
      for (Color& c : table) c = blackWhite.nearestIndex(c) == 0 ? kBlack : kWhite;
    }
  }

  DecodedIconFile d;
  d.type = f->type;
  d.size = S;
  if (f->bits == 4 || f->bits == 8) d.colorTable = table;
  d.image = Bitmap(S, S, kBlack);
  d.mask = Bitmap(S, S, kBlack);
  if (f->type == kTypeCursor) {
    d.hotSpotX = static_cast<int>(r.u16(10).value_or(0));
    d.hotSpotY = static_cast<int>(r.u16(12).value_or(0));
  }
  const auto indexed = [&](int i) { return static_cast<std::size_t>(i) < table.size(); };
  // Each row of both bitmaps is a slice of what was checked above; pixels index only inside their row.
  const auto xorRowBytes = static_cast<std::size_t>(f->xorRowBytes()), andRowBytes = static_cast<std::size_t>(f->andRowBytes());
  for (int row = 0; row < S; ++row) {
    const int y = S - 1 - row;
    const std::span<const std::uint8_t> p = xorBits.subspan(static_cast<std::size_t>(row) * xorRowBytes, xorRowBytes);
    for (int x = 0; x < S; ++x) {
      const auto at = static_cast<std::size_t>(x);
      int i = 0;
      switch (f->bits) {
        case 24:
          d.image.setPixel(x, y, MakeColor(p[3 * at + 2], p[3 * at + 1], p[3 * at]));
          continue;
        case 8: i = p[at]; break;
        case 4: i = (p[at / 2] >> (at % 2 == 0 ? 4 : 0)) & 0x0F; break;
        default: i = (p[at / 8] >> (7 - at % 8)) & 1; break;
      }
      if (!indexed(i)) return Refuse(why, "pixel index outside the colour table");
      d.image.setPixel(x, y, table[static_cast<std::size_t>(i)]);
    }
    const std::span<const std::uint8_t> m = andBits.subspan(static_cast<std::size_t>(row) * andRowBytes, andRowBytes);
    for (int x = 0; x < S; ++x)
      if ((m[static_cast<std::size_t>(x) / 8] >> (7 - x % 8)) & 1) d.mask.setPixel(x, y, kWhite);
  }

  TransparentBlackToWhite(d.image, d.mask, S);
  if (f->type == kTypeMono || f->type == kTypeCursor) TransparentWhiteToAqua(d.image, d.mask, S);
  KeepOtherImages(r, offset, r.u32(14).value_or(0), d);
  return d;
}

}  // namespace gw
