#pragma once
// Reference pixel sets of the platform's drawing primitives: a reader for the case files and a registry of
// per-family checkers. Each checker draws its case with our Canvas / Region / Palette and returns an empty
// string when the pixels agree, or a short description of the first difference.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Geometry.h"

namespace gwtest {

struct RefCase {
  std::string file;    // file the case came from
  int line = 0;        // line of its "case" header (1 for a file without headers)
  std::string family;  // word after "case", or the file's stem for a file without headers
  std::string header;  // the whole header line
  std::map<std::string, std::string> params;  // key=value pairs of the header
  int width = 0, height = 0;                  // from the "size" line (0 if none)
  std::vector<std::string> body;              // every line after "size" up to "end" (or the whole file)

  bool has(const std::string& key) const { return params.count(key) != 0; }
  int integer(const std::string& key) const;     // throws when missing or not a number
  std::vector<gw::Point> points() const;         // from n= and pts=
};

using Checker = std::function<std::string(const RefCase&)>;

std::map<std::string, Checker>& checkers();

struct RegisterChecker {
  RegisterChecker(const std::string& family, Checker c) { checkers()[family] = std::move(c); }
};

// Helpers for checkers.
// Compares `actual` with `rows` (H strings of W characters) through a char -> colour table; a character
// missing from the table is an error. Returns "" or the first difference.
std::string compareMap(const gw::Bitmap& actual, const std::vector<std::string>& rows, size_t firstRow,
                       const std::map<char, gw::Color>& legend);
// Renders a bitmap as a character map through the inverse of `legend` ('?' for other colours), for messages.
std::string renderMap(const gw::Bitmap& bmp, const std::map<char, gw::Color>& legend);

}  // namespace gwtest
