// Reference-set checkers for the ellipse and the rounded rectangle: each case is drawn on a fresh white
// canvas with a red pen and, for brush=solid, a green brush.

#include <map>
#include <stdexcept>
#include <string>

#include "platform/Canvas.h"
#include "tests/platform/gdi_reference.h"

namespace gwtest {
namespace {

constexpr gw::Color kRed = 0x0000FF;    // RGB(255,0,0)
constexpr gw::Color kGreen = 0x00FF00;  // RGB(0,255,0)

const std::map<char, gw::Color> kLegend = {{'.', gw::kWhite}, {'p', kRed}, {'b', kGreen}};

template <typename Draw>
std::string checkFigure(const RefCase& c, Draw draw) {
  gw::Bitmap bmp(c.width, c.height);
  gw::Canvas cv(bmp);
  cv.setPenColor(kRed);
  const std::string brush = c.params.at("brush");
  if (brush == "solid")
    cv.setBrushColor(kGreen);
  else if (brush == "null")
    cv.setBrushStyle(gw::BrushStyle::Clear);
  else
    throw std::runtime_error("unknown brush " + brush);
  draw(cv, c.integer("l"), c.integer("t"), c.integer("r"), c.integer("b"));
  std::string err = compareMap(bmp, c.body, 0, kLegend);
  if (!err.empty() && c.width <= 64 && c.height <= 64) err += "\n" + renderMap(bmp, kLegend);
  return err;
}

std::string checkEllipse(const RefCase& c) {
  return checkFigure(c, [](gw::Canvas& cv, int l, int t, int r, int b) { cv.ellipse(l, t, r, b); });
}

std::string checkRoundRect(const RefCase& c) {
  const int cw = c.integer("cw"), ch = c.integer("ch");
  return checkFigure(c, [cw, ch](gw::Canvas& cv, int l, int t, int r, int b) { cv.roundRect(l, t, r, b, cw, ch); });
}

const RegisterChecker kEllipse("ellipse", checkEllipse);
const RegisterChecker kRoundRect("roundrect", checkRoundRect);

}  // namespace
}  // namespace gwtest
