#pragma once
// Reading the committed test pictures and their reference pixels (binary PPM and PGM).
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "iconfile/picture/Picture.h"

namespace gw::test {

inline std::string PicturePath(const std::string& name) { return std::string(GLYPHWERK_TEST_DATA) + "/pictures/" + name; }

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A P6 or P5 file (maxval 255) as an opaque picture; an empty picture when it cannot be read.
inline Picture ReadPnm(const std::string& path) {
  const std::vector<std::uint8_t> b = ReadBytes(path);
  std::string head(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(b.size(), 64)));
  std::istringstream s(head);
  std::string magic;
  int w = 0, h = 0, max = 0;
  s >> magic >> w >> h >> max;
  const std::size_t at = static_cast<std::size_t>(s.tellg()) + 1;
  const int n = magic == "P6" ? 3 : 1;
  Picture p;
  if ((magic != "P6" && magic != "P5") || max != 255 || b.size() < at + static_cast<std::size_t>(w * h * n)) return p;
  p = Picture::Filled(w, h, 0, 0, 0);
  for (int i = 0; i < w * h; ++i)
    for (int c = 0; c < 3; ++c) p.rgba[static_cast<std::size_t>(i) * 4 + c] = b[at + static_cast<std::size_t>(i * n + (n == 3 ? c : 0))];
  return p;
}

// Counts the rows a decoder hands over, keeping none.
struct RowCounter : PictureRowSink {
  bool start(int width, int) override { return row_.resize(static_cast<std::size_t>(width) * 4), true; }
  std::uint8_t* row(int) override { return row_.data(); }
  void rowDone(int) override { ++rows; }
  int rows = 0;
  std::vector<std::uint8_t> row_;
};

}  // namespace gw::test
