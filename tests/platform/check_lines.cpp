// Reference-set checkers for the line-based figures: line, polyline, bezier, rect, dotted and notxor.

#include <sstream>
#include <string>
#include <vector>

#include "platform/Canvas.h"
#include "tests/platform/gdi_reference.h"

namespace gwtest {
namespace {

constexpr gw::Color kRed = 0x0000FF;    // RGB(255,0,0)
constexpr gw::Color kGreen = 0x00FF00;  // RGB(0,255,0)
constexpr gw::Color kBlue = 0xFF0000;   // RGB(0,0,255)

const std::map<char, gw::Color> kBlackMap = {{'.', gw::kWhite}, {'#', gw::kBlack}};

// The line of the body that starts with `prefix`, or "" when there is none.
std::string findLine(const RefCase& c, const std::string& prefix) {
  for (const auto& l : c.body)
    if (l.rfind(prefix, 0) == 0) return l;
  return {};
}

// key=value from a body line such as "startpoint x=3 y=4 drawn=1".
std::string valueOf(const std::string& line, const std::string& key) {
  std::istringstream is(line);
  std::string word;
  while (is >> word)
    if (word.rfind(key + "=", 0) == 0) return word.substr(key.size() + 1);
  return {};
}

// Checks a "startpoint ..." / "endpoint ..." line against the drawn bitmap.
std::string checkPointLine(const RefCase& c, const gw::Bitmap& bmp, const std::string& which) {
  const std::string line = findLine(c, which + " ");
  if (line.empty()) return which + " line missing";
  const int x = std::stoi(valueOf(line, "x"));
  const int y = std::stoi(valueOf(line, "y"));
  const std::string drawn = valueOf(line, "drawn");
  std::string actual = !bmp.contains(x, y) ? "outside" : (bmp.pixel(x, y) != gw::kWhite ? "1" : "0");
  if (actual != drawn) return which + " drawn=" + actual + ", expected " + drawn;
  return {};
}

void drawLine(gw::Canvas& cv, const RefCase& c) {
  cv.moveTo(c.integer("x0"), c.integer("y0"));
  cv.lineTo(c.integer("x1"), c.integer("y1"));
}

std::string checkLine(const RefCase& c) {
  gw::Bitmap bmp(c.width, c.height);
  gw::Canvas cv(bmp);
  drawLine(cv, c);
  return compareMap(bmp, c.body, 0, kBlackMap);
}

template <typename Draw>
std::string checkPath(const RefCase& c, Draw draw) {
  gw::Bitmap bmp(c.width, c.height);
  gw::Canvas cv(bmp);
  draw(cv, c.points());
  if (auto err = compareMap(bmp, c.body, 0, kBlackMap); !err.empty()) return err;
  if (auto err = checkPointLine(c, bmp, "startpoint"); !err.empty()) return err;
  return checkPointLine(c, bmp, "endpoint");
}

std::string checkPolyline(const RefCase& c) {
  return checkPath(c, [](gw::Canvas& cv, const std::vector<gw::Point>& p) { cv.polyline(p); });
}

std::string checkBezier(const RefCase& c) {
  return checkPath(c, [](gw::Canvas& cv, const std::vector<gw::Point>& p) { cv.polyBezier(p); });
}

void setBrush(gw::Canvas& cv, const RefCase& c, gw::Color color) {
  const std::string brush = c.params.at("brush");
  if (brush == "solid")
    cv.setBrushColor(color);
  else if (brush == "null")
    cv.setBrushStyle(gw::BrushStyle::Clear);
  else
    throw std::runtime_error("unknown brush " + brush);
}

std::string checkRect(const RefCase& c) {
  gw::Bitmap bmp(c.width, c.height);
  gw::Canvas cv(bmp);
  cv.setPenColor(kRed);
  setBrush(cv, c, kGreen);
  cv.rectangle(c.integer("l"), c.integer("t"), c.integer("r"), c.integer("b"));
  return compareMap(bmp, c.body, 0, {{'.', gw::kWhite}, {'p', kRed}, {'b', kGreen}});
}

std::string checkDotted(const RefCase& c) {
  gw::Bitmap bmp(c.width, c.height);
  gw::Canvas cv(bmp);
  cv.setPenStyle(gw::PenStyle::Dot);
  cv.setBrushStyle(gw::BrushStyle::Clear);
  const std::string bk = c.params.at("bk");
  if (bk == "opaque")
    cv.setBackground(gw::BackgroundMode::Opaque, kBlue);
  else if (bk == "transparent")
    cv.setBackground(gw::BackgroundMode::Transparent, gw::kWhite);
  else
    throw std::runtime_error("unknown bk " + bk);

  const std::string kind = c.params.at("kind");
  if (kind == "rect" || kind == "ellipse") {
    const int l = c.integer("l"), t = c.integer("t"), r = c.integer("r"), b = c.integer("b");
    if (kind == "rect")
      cv.rectangle(l, t, r, b);
    else
      cv.ellipse(l, t, r, b);
  } else {
    const auto pts = c.points();
    if (kind == "polyline") {
      cv.polyline(pts);
    } else if (kind == "lineto") {
      if (pts.empty()) throw std::runtime_error("no points");
      cv.moveTo(pts[0].x, pts[0].y);
      for (size_t i = 1; i < pts.size(); ++i) cv.lineTo(pts[i].x, pts[i].y);
    } else if (kind == "segments") {
      for (size_t i = 0; i + 1 < pts.size(); i += 2) {
        cv.moveTo(pts[i].x, pts[i].y);
        cv.lineTo(pts[i + 1].x, pts[i + 1].y);
      }
    } else {
      throw std::runtime_error("unknown kind " + kind);
    }
  }

  const std::map<char, gw::Color> legend = {{'.', gw::kWhite}, {'p', gw::kBlack}, {'k', kBlue}};
  if (c.body.empty() || c.body[0].rfind("px ", 0) != 0) {
    if (c.width <= 64 && c.height <= 64) return compareMap(bmp, c.body, 0, legend);
  }
  // Pixel list: every changed pixel in row-major order.
  std::vector<std::string> actual;
  for (int y = 0; y < bmp.height(); ++y)
    for (int x = 0; x < bmp.width(); ++x) {
      const gw::Color v = bmp.pixel(x, y);
      if (v == gw::kWhite) continue;
      const char ch = v == gw::kBlack ? 'p' : v == kBlue ? 'k' : '?';
      actual.push_back("px " + std::to_string(x) + "," + std::to_string(y) + " " + ch);
    }
  std::vector<std::string> expected;
  for (const auto& l : c.body)
    if (l.rfind("px ", 0) == 0) expected.push_back(l);
  for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
    const std::string a = i < actual.size() ? actual[i] : "(none)";
    const std::string e = i < expected.size() ? expected[i] : "(none)";
    if (a != e) return "pixel list entry " + std::to_string(i) + ": expected '" + e + "' got '" + a + "'";
  }
  return {};
}

// Draws the figure of a notxor case with the current pen mode.
void drawNotXorShape(gw::Canvas& cv, const RefCase& c) {
  const std::string shape = c.params.at("shape");
  if (shape == "line") {
    drawLine(cv, c);
  } else if (shape == "polyline") {
    cv.polyline(c.points());
  } else if (shape == "bezier") {
    cv.polyBezier(c.points());
  } else {
    const int l = c.integer("l"), t = c.integer("t"), r = c.integer("r"), b = c.integer("b");
    if (shape == "rect")
      cv.rectangle(l, t, r, b);
    else if (shape == "ellipse")
      cv.ellipse(l, t, r, b);
    else if (shape == "roundrect")
      cv.roundRect(l, t, r, b, c.integer("cw"), c.integer("ch"));
    else
      throw std::runtime_error("unknown shape " + shape);
  }
}

std::string checkNotXor(const RefCase& c) {
  auto makeCanvas = [&c](gw::Bitmap& bmp, gw::PenMode mode) {
    gw::Canvas cv(bmp);
    cv.setPenColor(gw::kBlack);
    cv.setPenMode(mode);
    if (c.has("brush")) setBrush(cv, c, gw::kBlack);
    return cv;
  };
  gw::Bitmap once(c.width, c.height);
  gw::Canvas cv = makeCanvas(once, gw::PenMode::NotXor);
  drawNotXorShape(cv, c);
  if (auto err = compareMap(once, c.body, 0, kBlackMap); !err.empty()) return err;

  gw::Bitmap twice = once;
  gw::Canvas cv2 = makeCanvas(twice, gw::PenMode::NotXor);
  drawNotXorShape(cv2, c);
  const bool restored = twice == gw::Bitmap(c.width, c.height);
  const std::string twiceLine = findLine(c, "twice identical=");
  if (twiceLine.empty()) return "twice line missing";
  if (valueOf(twiceLine, "identical") != (restored ? "1" : "0"))
    return std::string("twice identical=") + (restored ? "1" : "0") + ", expected " + twiceLine;

  gw::Bitmap copy(c.width, c.height);
  gw::Canvas cv3 = makeCanvas(copy, gw::PenMode::Copy);
  drawNotXorShape(cv3, c);
  const bool same = copy == once;
  const std::string copyLine = findLine(c, "copyfootprint identical=");
  if (copyLine.empty()) return "copyfootprint line missing";
  if (valueOf(copyLine, "identical") != (same ? "1" : "0"))
    return std::string("copyfootprint identical=") + (same ? "1" : "0") + ", expected " + copyLine;
  return {};
}

const RegisterChecker kLine("line", checkLine);
const RegisterChecker kPolyline("polyline", checkPolyline);
const RegisterChecker kBezier("bezier", checkBezier);
const RegisterChecker kRect("rect", checkRect);
const RegisterChecker kDotted("dotted", checkDotted);
const RegisterChecker kNotXor("notxor", checkNotXor);

}  // namespace
}  // namespace gwtest
