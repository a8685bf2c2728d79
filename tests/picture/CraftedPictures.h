#pragma once
// Small builders of pictures that claim much and hold little: huge screens and canvases, frames far larger
// than their screen, progressive JPEGs that repeat a scan, PNG chunks that claim megabytes. Shared by the
// tests and bench/measure_readers.
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "iconfile/picture/Picture.h"

namespace gw::test {

using Bytes = std::vector<std::uint8_t>;

inline void Put16le(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v));
  b.push_back(static_cast<std::uint8_t>(v >> 8));
}
inline void Put32le(Bytes& b, std::uint32_t v) {
  Put16le(b, v & 0xFFFF);
  Put16le(b, v >> 16);
}
inline void Put16be(Bytes& b, std::uint32_t v) {
  b.push_back(static_cast<std::uint8_t>(v >> 8));
  b.push_back(static_cast<std::uint8_t>(v));
}
inline void Put32be(Bytes& b, std::uint32_t v) {
  Put16be(b, v >> 16);
  Put16be(b, v & 0xFFFF);
}

// Writes codes of growing width, least significant bit first (GIF) or most significant first (JPEG).
class BitWriter {
 public:
  explicit BitWriter(bool msbFirst) : msb_(msbFirst) {}
  void put(std::uint32_t code, int bits) {
    for (int i = 0; i < bits; ++i) {
      const std::uint32_t bit = msb_ ? (code >> (bits - 1 - i)) & 1 : (code >> i) & 1;
      acc_ |= bit << (msb_ ? 7 - n_ : n_);
      if (++n_ == 8) flush();
    }
  }
  // The last partial byte, padded with ones (JPEG) or zeros (GIF); a JPEG 0xFF byte is followed by a 0.
  Bytes finish() {
    if (n_ > 0) {
      if (msb_) acc_ |= 0xFFu >> n_;
      flush();
    }
    return std::move(out_);
  }

 private:
  void flush() {
    out_.push_back(static_cast<std::uint8_t>(acc_));
    if (msb_ && acc_ == 0xFF) out_.push_back(0);
    acc_ = 0, n_ = 0;
  }
  bool msb_;
  std::uint32_t acc_ = 0;
  int n_ = 0;
  Bytes out_;
};

// A GIF of a two-colour table (black, red) whose first frame (left, top, w x h) holds `pixels` pixels of
// index 0 (black), LZW-coded as the GIF encoder does (the longest known run each time, the table cleared
// when full); then the image ends and the trailer follows. Fewer pixels than w x h cut the frame short.
inline Bytes CraftedGif(int screenW, int screenH, int left, int top, int w, int h, std::uint64_t pixels,
                        bool interlaced = false) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16le(b, static_cast<std::uint32_t>(screenW));
  Put16le(b, static_cast<std::uint32_t>(screenH));
  b.insert(b.end(), {0x80, 0, 0, 0, 0, 0, 255, 0, 0});  // global table of 2 colours
  b.push_back(0x2C);
  for (const int v : {left, top, w, h}) Put16le(b, static_cast<std::uint32_t>(v));
  b.push_back(interlaced ? 0x40 : 0);
  b.push_back(2);  // LZW minimum code size
  constexpr std::uint32_t kClear = 4, kEnd = 5;
  BitWriter bits(false);
  std::uint32_t next = kEnd + 1, width = 3, longest = 1;  // codes 6, 7, ... are runs of 2, 3, ... zeros
  bits.put(kClear, 3);
  while (pixels > 0) {
    const std::uint64_t run = std::min<std::uint64_t>(longest, pixels);
    bits.put(run == 1 ? 0 : static_cast<std::uint32_t>(run) + 4, static_cast<int>(width));
    pixels -= run;
    if (next >= (1u << width) && width < 12) ++width;
    if (next >= 4095) {
      bits.put(kClear, static_cast<int>(width));
      next = kEnd + 1, width = 3, longest = 1;
    } else if (run == longest) {
      ++next, ++longest;  // the run and one more zero
    } else {
      ++next;
    }
  }
  bits.put(kEnd, static_cast<int>(width));
  const Bytes data = bits.finish();
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t n = std::min<std::size_t>(255, data.size() - at);
    b.push_back(static_cast<std::uint8_t>(n));
    b.insert(b.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + n));
  }
  b.push_back(0);
  b.push_back(0x3B);
  return b;
}

// A 4-bit run-length BMP of width x height, two colours, whose runs are `runs` (end of bitmap if empty).
inline Bytes CraftedRleBmp(int width, int height, const Bytes& runs = {0, 1}) {
  Bytes b = {'B', 'M'};
  Put32le(b, static_cast<std::uint32_t>(62 + runs.size()));
  Put32le(b, 0);
  Put32le(b, 62);
  Put32le(b, 40);
  Put32le(b, static_cast<std::uint32_t>(width));
  Put32le(b, static_cast<std::uint32_t>(height));
  Put16le(b, 1);
  Put16le(b, 4);
  Put32le(b, 2);  // RLE4
  for (int i = 0; i < 5; ++i) Put32le(b, 0);
  Put32le(b, 0x000000FF);  // red
  Put32le(b, 0x0000FF00);  // green
  b.insert(b.end(), runs.begin(), runs.end());
  return b;
}

inline std::uint32_t PngCrc(const std::uint8_t* p, std::size_t n) {
  return static_cast<std::uint32_t>(crc32(0, p, static_cast<uInt>(n)));
}

inline void PutPngChunk(Bytes& b, const char* type, const Bytes& data, std::uint32_t claimedLength = 0) {
  Put32be(b, claimedLength ? claimedLength : static_cast<std::uint32_t>(data.size()));
  const std::size_t start = b.size();
  b.insert(b.end(), type, type + 4);
  b.insert(b.end(), data.begin(), data.end());
  Put32be(b, PngCrc(b.data() + start, b.size() - start));
}

inline Bytes PngHeader(std::uint32_t w, std::uint32_t h, int depth, int colorType, bool interlaced) {
  Bytes b = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  Put32be(ihdr, w);
  Put32be(ihdr, h);
  ihdr.insert(ihdr.end(), {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(colorType), 0, 0,
                           static_cast<std::uint8_t>(interlaced ? 1 : 0)});
  PutPngChunk(b, "IHDR", ihdr);
  return b;
}

// A black 1-bit greyscale PNG of w x h, every row there, deflated as tightly as deflate goes.
inline Bytes CraftedBlackPng(std::uint32_t w, std::uint32_t h, bool interlaced) {
  const Bytes raw(PngRawSize(w, h, 1, interlaced), 0);
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes z(size);
  compress2(z.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
  z.resize(size);
  Bytes b = PngHeader(w, h, 1, 0, interlaced);
  PutPngChunk(b, "IDAT", z);
  PutPngChunk(b, "IEND", {});
  return b;
}

// A grey progressive JPEG of w x h (a multiple of 8), all mid-grey: its DC scan, then `acScans` times the
// same first scan of the AC coefficients, every block of it one end-of-band run.
inline Bytes CraftedProgressiveJpeg(int w, int h, int acScans) {
  Bytes b = {0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0};
  b.insert(b.end(), 64, 1);  // quantisation table 0, all ones
  b.insert(b.end(), {0xFF, 0xC2, 0, 11, 8});
  Put16be(b, static_cast<std::uint32_t>(h));
  Put16be(b, static_cast<std::uint32_t>(w));
  b.insert(b.end(), {1, 1, 0x11, 0});
  // DC table: one code '0' for difference category 0. AC table: 4-bit codes r for EOBr, r = 0 ... 14.
  b.insert(b.end(), {0xFF, 0xC4, 0, 20, 0x00, 1});
  b.insert(b.end(), 15, 0);
  b.push_back(0);
  b.insert(b.end(), {0xFF, 0xC4, 0, 34, 0x10, 0, 0, 0, 15});
  b.insert(b.end(), 12, 0);
  for (int r = 0; r < 15; ++r) b.push_back(static_cast<std::uint8_t>(r << 4));
  const std::uint64_t blocks = std::uint64_t(w / 8) * std::uint64_t(h / 8);
  const auto scan = [&](int ss, int se, const Bytes& data) {
    b.insert(b.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0x00, static_cast<std::uint8_t>(ss), static_cast<std::uint8_t>(se), 0});
    b.insert(b.end(), data.begin(), data.end());
  };
  BitWriter dc(true);
  for (std::uint64_t i = 0; i < blocks; ++i) dc.put(0, 1);
  scan(0, 0, dc.finish());
  BitWriter ac(true);
  for (std::uint64_t left = blocks; left > 0;) {
    int r = 0;
    while (r < 14 && (std::uint64_t{2} << r) <= left) ++r;
    const std::uint64_t run = std::min<std::uint64_t>(left, (std::uint64_t{2} << r) - 1);
    ac.put(static_cast<std::uint32_t>(r), 4);
    ac.put(static_cast<std::uint32_t>(run - (std::uint64_t{1} << r)), r);
    left -= run;
  }
  const Bytes acData = ac.finish();
  for (int i = 0; i < acScans; ++i) scan(1, 63, acData);
  b.insert(b.end(), {0xFF, 0xD9});
  return b;
}

}  // namespace gw::test
