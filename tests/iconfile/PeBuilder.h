#pragma once
// Program files built in the tests: one resource section holding icon groups and icons, laid out as a
// linker lays them out (named groups sorted by name, then numbered ones by id), and the icon payloads
// themselves (DIBs with their masks, and PNGs).

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace gw::test {

using Bytes = std::vector<std::uint8_t>;

inline void Put(Bytes& b, std::size_t at, std::uint32_t v, int width) {
  if (b.size() < at + static_cast<std::size_t>(width)) b.resize(at + static_cast<std::size_t>(width));
  for (int i = 0; i < width; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
inline void Append(Bytes& b, std::uint32_t v, int width) { Put(b, b.size(), v, width); }

struct GroupEntry {
  int width, height, bits;
  std::uint16_t id;
};
struct Group {
  std::string name;  // empty: numbered by `id`
  std::uint16_t id = 0;
  std::vector<GroupEntry> entries;
};
struct Icon {
  std::uint16_t id;
  Bytes payload;
};

// A group directory: reserved 0, type 1, the entries.
inline Bytes GroupBytes(const std::vector<GroupEntry>& entries) {
  Bytes b;
  Append(b, 0, 2);
  Append(b, 1, 2);
  Append(b, static_cast<std::uint32_t>(entries.size()), 2);
  for (const GroupEntry& e : entries) {
    Append(b, static_cast<std::uint32_t>(e.width & 0xFF), 1);
    Append(b, static_cast<std::uint32_t>(e.height & 0xFF), 1);
    Append(b, 0, 2);
    Append(b, 1, 2);
    Append(b, static_cast<std::uint32_t>(e.bits), 2);
    Append(b, 0, 4);
    Append(b, e.id, 2);
  }
  return b;
}

// A PE32 (plus = false) or PE32+ file with one resource section at RVA 0x1000, file offset 0x200.
inline Bytes BuildPe(std::vector<Group> groups, std::vector<Icon> icons, bool plus = true) {
  std::stable_sort(groups.begin(), groups.end(), [](const Group& a, const Group& b) {
    if (a.name.empty() != b.name.empty()) return !a.name.empty();
    return a.name.empty() ? a.id < b.id : a.name < b.name;
  });
  std::sort(icons.begin(), icons.end(), [](const Icon& a, const Icon& b) { return a.id < b.id; });
  constexpr std::uint32_t kRva = 0x1000;
  Bytes r;  // the section
  const auto directory = [&](std::size_t at, int named, int numbered) {
    Put(r, at + 12, static_cast<std::uint32_t>(named), 2);
    Put(r, at + 14, static_cast<std::uint32_t>(numbered), 2);
  };
  const std::size_t groupsAt = 16 + 2 * 8, iconsAt = groupsAt + 16 + 8 * groups.size();
  std::size_t next = iconsAt + 16 + 8 * icons.size();
  directory(0, 0, 2);
  Put(r, 16, 3, 4);
  Put(r, 20, 0x80000000u | static_cast<std::uint32_t>(iconsAt), 4);
  Put(r, 24, 14, 4);
  Put(r, 28, 0x80000000u | static_cast<std::uint32_t>(groupsAt), 4);
  const int named = static_cast<int>(std::count_if(groups.begin(), groups.end(), [](const Group& g) { return !g.name.empty(); }));
  directory(groupsAt, named, static_cast<int>(groups.size()) - named);
  directory(iconsAt, 0, static_cast<int>(icons.size()));
  // Each resource: a language directory with one entry (1033), its data entry, then its bytes.
  std::vector<std::pair<std::size_t, Bytes>> blobs;
  const auto leaf = [&](std::size_t entryAt, std::uint32_t name, Bytes bytes) {
    const std::size_t lang = next, data = next + 24;
    next += 40;
    Put(r, entryAt, name, 4);
    Put(r, entryAt + 4, 0x80000000u | static_cast<std::uint32_t>(lang), 4);
    directory(lang, 0, 1);
    Put(r, lang + 16, 1033, 4);
    Put(r, lang + 20, static_cast<std::uint32_t>(data), 4);
    blobs.push_back({data, std::move(bytes)});
  };
  std::vector<std::pair<std::size_t, std::string>> names;
  for (std::size_t i = 0; i < groups.size(); ++i) {
    const std::size_t entryAt = groupsAt + 16 + 8 * i;
    leaf(entryAt, groups[i].id, GroupBytes(groups[i].entries));
    if (!groups[i].name.empty()) names.push_back({entryAt, groups[i].name});
  }
  for (std::size_t i = 0; i < icons.size(); ++i) leaf(iconsAt + 16 + 8 * i, icons[i].id, icons[i].payload);
  for (const auto& [entryAt, name] : names) {
    Put(r, entryAt, 0x80000000u | static_cast<std::uint32_t>(next), 4);
    Put(r, next, static_cast<std::uint32_t>(name.size()), 2);
    for (std::size_t k = 0; k < name.size(); ++k) Put(r, next + 2 + 2 * k, static_cast<std::uint8_t>(name[k]), 2);
    next += 2 + 2 * name.size() + 2;
  }
  for (auto& [data, bytes] : blobs) {
    next = (next + 3) & ~std::size_t{3};
    Put(r, data, kRva + static_cast<std::uint32_t>(next), 4);
    Put(r, data + 4, static_cast<std::uint32_t>(bytes.size()), 4);
    if (r.size() < next + bytes.size()) r.resize(next + bytes.size());
    std::copy(bytes.begin(), bytes.end(), r.begin() + static_cast<std::ptrdiff_t>(next));
    next += bytes.size();
  }
  r.resize(std::max(r.size(), next));

  Bytes f(0x200, 0);
  f[0] = 'M';
  f[1] = 'Z';
  Put(f, 0x3C, 0x40, 4);
  Put(f, 0x40, 0x00004550u, 4);
  const std::size_t fileHeader = 0x44, opt = 0x58;
  const std::uint32_t optSize = plus ? 240 : 224;
  Put(f, fileHeader + 0, plus ? 0x8664 : 0x14C, 2);
  Put(f, fileHeader + 2, 1, 2);
  Put(f, fileHeader + 16, optSize, 2);
  Put(f, opt, plus ? 0x20B : 0x10B, 2);
  const std::size_t dirs = opt + (plus ? 112 : 96);
  Put(f, dirs - 4, 16, 4);
  Put(f, dirs + 16, kRva, 4);
  Put(f, dirs + 20, static_cast<std::uint32_t>(r.size()), 4);
  const std::size_t section = opt + optSize;
  for (int k = 0; k < 5; ++k) f[section + static_cast<std::size_t>(k)] = static_cast<std::uint8_t>(".rsrc"[k]);
  Put(f, section + 8, static_cast<std::uint32_t>(r.size()), 4);
  Put(f, section + 12, kRva, 4);
  Put(f, section + 16, static_cast<std::uint32_t>(r.size()), 4);
  Put(f, section + 20, 0x200, 4);
  f.insert(f.end(), r.begin(), r.end());
  return f;
}

// A DIB payload w x h of `bpp` bits: `color` gives the stored value at (x, y) from the top left (a palette
// index for up to 8 bits, else 0xAARRGGBB), `masked` the AND-mask bit; `palette` holds 0x00RRGGBB entries.
inline Bytes Dib(int w, int h, int bpp, const std::function<std::uint32_t(int, int)>& color,
                 const std::function<bool(int, int)>& masked = {}, std::vector<std::uint32_t> palette = {}) {
  if (bpp <= 8 && palette.empty())
    for (int i = 0; i < (1 << bpp); ++i) palette.push_back(static_cast<std::uint32_t>(i) * 0x010101u * (255 / ((1 << bpp) - 1)));
  Bytes b;
  Append(b, 40, 4);
  Append(b, static_cast<std::uint32_t>(w), 4);
  Append(b, static_cast<std::uint32_t>(2 * h), 4);
  Append(b, 1, 2);
  Append(b, static_cast<std::uint32_t>(bpp), 2);
  for (int i = 0; i < 6; ++i) Append(b, 0, 4);
  Put(b, 32, bpp <= 8 ? static_cast<std::uint32_t>(palette.size()) : 0, 4);
  for (std::uint32_t c : palette) Append(b, c, 4);
  const std::size_t stride = static_cast<std::size_t>((w * bpp + 31) / 32 * 4), maskStride = static_cast<std::size_t>((w + 31) / 32 * 4);
  const std::size_t bits = b.size(), mask = bits + stride * static_cast<std::size_t>(h);
  b.resize(mask + maskStride * static_cast<std::size_t>(h), 0);
  for (int y = 0; y < h; ++y) {
    const std::size_t row = bits + stride * static_cast<std::size_t>(h - 1 - y), mrow = mask + maskStride * static_cast<std::size_t>(h - 1 - y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = color(x, y);
      if (bpp >= 16) {
        Put(b, row + static_cast<std::size_t>(x * bpp / 8), v, bpp / 8);
      } else {
        const int bit = x * bpp;
        b[row + static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(v << (8 - bpp - bit % 8));
      }
      if (masked && masked(x, y)) b[mrow + static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  return b;
}

// A PNG payload w x h of 8-bit RGBA (`rgba` gives 0xAARRGGBB at (x, y)), its pixels in stored deflate blocks.
inline Bytes Png(int w, int h, const std::function<std::uint32_t(int, int)>& argb) {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < 256; ++n) {
    std::uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  const auto chunk = [&](const char* type, const Bytes& data) {
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(data.size() >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t v : body) crc = table[(crc ^ v) & 0xFF] ^ (crc >> 8);
    crc ^= 0xFFFFFFFFu;
    for (int i = 3; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
  };
  Bytes ihdr;
  for (int v : {w, h})
    for (int i = 3; i >= 0; --i) ihdr.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  chunk("IHDR", ihdr);
  Bytes raw;
  for (int y = 0; y < h; ++y) {
    raw.push_back(0);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t v = argb(x, y);
      raw.insert(raw.end(), {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                             static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 24)});
    }
  }
  Bytes z = {0x78, 0x01};
  for (std::size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const std::size_t n = std::min<std::size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.insert(z.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                       static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)});
    z.insert(z.end(), raw.begin() + static_cast<std::ptrdiff_t>(at), raw.begin() + static_cast<std::ptrdiff_t>(at + n));
    if (n == 0) break;
  }
  std::uint32_t a = 1, b = 0;
  for (std::uint8_t v : raw) {
    a = (a + v) % 65521;
    b = (b + a) % 65521;
  }
  for (int i = 3; i >= 0; --i) z.push_back(static_cast<std::uint8_t>(((b << 16) | a) >> (8 * i)));
  chunk("IDAT", z);
  chunk("IEND", {});
  return out;
}

}  // namespace gw::test
