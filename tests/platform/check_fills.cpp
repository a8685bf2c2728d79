// Checkers of the reference families for copies, flood fills, regions and palettes.

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Palette.h"
#include "platform/Region.h"
#include "tests/platform/gdi_reference.h"

namespace gwtest {
namespace {

constexpr gw::Color kGreen = gw::MakeColor(0, 255, 0);
constexpr gw::Color kBlue = gw::MakeColor(0, 0, 255);

std::string at(int x, int y) { return "(" + std::to_string(x) + "," + std::to_string(y) + ")"; }

// "map x 0=3 1=- ..." -> per index the source index, or -1 for '-'. Throws on '?' or a malformed token.
std::vector<int> parseAxisMap(const std::string& line, const std::string& prefix, int count) {
  if (line.rfind(prefix, 0) != 0) throw std::runtime_error("expected '" + prefix + "'");
  std::vector<int> out(static_cast<size_t>(count), -1);
  std::istringstream ss(line.substr(prefix.size()));
  std::string tok;
  int seen = 0;
  while (ss >> tok) {
    const auto eq = tok.find('=');
    if (eq == std::string::npos) throw std::runtime_error("bad map token " + tok);
    const int d = std::stoi(tok.substr(0, eq));
    const std::string v = tok.substr(eq + 1);
    if (d < 0 || d >= count) throw std::runtime_error("map index out of range");
    if (v == "?") throw std::runtime_error("inconsistent map entries are not supported");
    out[static_cast<size_t>(d)] = v == "-" ? -1 : std::stoi(v);
    ++seen;
  }
  if (seen != count) throw std::runtime_error("map has wrong length");
  return out;
}

std::string checkStretch(const RefCase& c) {
  const int sw = c.integer("sw"), sh = c.integer("sh");
  const int xd = c.integer("xd"), yd = c.integer("yd"), wd = c.integer("wd"), hd = c.integer("hd");
  const int xs = c.integer("xs"), ys = c.integer("ys"), ws = c.integer("ws"), hs = c.integer("hs");
  const std::string modeName = c.params.at("mode");
  if (modeName != "coloroncolor" && modeName != "default") return "unknown mode " + modeName;
  const gw::StretchMode mode = modeName == "coloroncolor" ? gw::StretchMode::ColorOnColor : gw::StretchMode::BlackOnWhite;
  const bool bw = c.has("source") && c.params.at("source") == "bw";

  gw::Bitmap src(sw, sh);
  size_t resultRow = 0;
  if (bw) {
    if (c.body.empty() || c.body[0] != "source " + std::to_string(sw) + " " + std::to_string(sh))
      return "missing source line";
    for (int y = 0; y < sh; ++y) {
      const std::string& row = c.body.at(static_cast<size_t>(1 + y));
      if (static_cast<int>(row.size()) != sw) return "source row has wrong width";
      for (int x = 0; x < sw; ++x) src.setPixel(x, y, row[static_cast<size_t>(x)] == '#' ? gw::kBlack : gw::kWhite);
    }
    if (c.body.at(static_cast<size_t>(1 + sh)) != "result") return "missing result line";
    resultRow = static_cast<size_t>(2 + sh);
  } else {
    for (int y = 0; y < sh; ++y)
      for (int x = 0; x < sw; ++x) src.setPixel(x, y, static_cast<gw::Color>((y << 10) | x));
  }

  gw::Bitmap dst(c.width, c.height, gw::kWhite);
  gw::Canvas canvas(dst);
  canvas.copyRect({xd, yd, xd + wd, yd + hd}, src, {xs, ys, xs + ws, ys + hs}, mode);

  if (bw) return compareMap(dst, c.body, resultRow, {{'#', gw::kBlack}, {'.', gw::kWhite}});

  if (c.body.size() < 3) return "case too short";
  const auto mx = parseAxisMap(c.body[0], "map x ", c.width);
  const auto my = parseAxisMap(c.body[1], "map y ", c.height);
  if (c.body[2] != "check mismatches=0") return "unsupported check line: " + c.body[2];
  for (int y = 0; y < c.height; ++y) {
    for (int x = 0; x < c.width; ++x) {
      const int sx = mx[static_cast<size_t>(x)], sy = my[static_cast<size_t>(y)];
      const gw::Color want = sx < 0 || sy < 0 ? gw::kWhite : static_cast<gw::Color>((sy << 10) | sx);
      const gw::Color got = dst.pixel(x, y);
      if (got != want) {
        std::ostringstream os;
        os << "pixel " << at(x, y) << " expected ";
        if (want == gw::kWhite) os << "untouched";
        else os << "source " << at(sx, sy);
        if (got == gw::kWhite) os << ", got untouched";
        else os << ", got source " << at(static_cast<int>(got & 1023u), static_cast<int>(got >> 10));
        return os.str();
      }
    }
  }
  return {};
}

std::string checkFloodFill(const RefCase& c) {
  const std::map<char, gw::Color> legend{{'a', gw::kWhite}, {'c', gw::kBlack}, {'d', kBlue}, {'b', kGreen}};
  const size_t h = static_cast<size_t>(c.height);
  if (c.body.size() < 2 * h + 2 || c.body[h] != "result") return "case layout not understood";
  gw::Bitmap bmp(c.width, c.height);
  for (int y = 0; y < c.height; ++y) {
    const std::string& row = c.body[static_cast<size_t>(y)];
    if (static_cast<int>(row.size()) != c.width) return "input row has wrong width";
    for (int x = 0; x < c.width; ++x) {
      auto it = legend.find(row[static_cast<size_t>(x)]);
      if (it == legend.end() || it->first == 'b') return "bad input character";
      bmp.setPixel(x, y, it->second);
    }
  }
  const std::string colorName = c.params.at("color");
  if (colorName.size() != 1 || legend.count(colorName[0]) == 0) return "bad color=" + colorName;
  const std::string& retLine = c.body[2 * h + 1];
  if (retLine != "ret 0" && retLine != "ret 1") return "bad ret line";

  gw::Canvas canvas(bmp);
  canvas.setBrushColor(kGreen);
  const bool ret = canvas.floodFillSurface(c.integer("x"), c.integer("y"), legend.at(colorName[0]));
  if (ret != (retLine == "ret 1")) return "returned " + std::to_string(ret) + ", expected " + retLine;
  return compareMap(bmp, c.body, h + 1, legend);
}

std::string checkRegion(const RefCase& c) {
  if (c.params.count("fill") && c.params.at("fill") != "winding") return "only the winding rule is supported";
  const auto pts = c.points();
  const gw::Region rgn = gw::Region::polygon(pts);
  if (c.body.empty()) return "missing box line";

  std::istringstream bs(c.body[0]);
  std::string word, kindTok;
  gw::Rect want;
  bs >> word >> want.left >> want.top >> want.right >> want.bottom >> kindTok;
  if (word != "box" || !bs) return "bad box line";
  const gw::Rect box = rgn.box();
  if (!(box == want)) {
    std::ostringstream os;
    os << "box " << box.left << " " << box.top << " " << box.right << " " << box.bottom << ", expected "
       << c.body[0];
    return os.str();
  }
  const char* kindNames[] = {"kind=null", "kind=simple", "kind=complex"};
  const std::string kind = kindNames[static_cast<int>(rgn.kind())];
  if (kind != kindTok) return kind + ", expected " + kindTok;

  if (c.body.size() > 1 && c.body[1].rfind("in ", 0) == 0) {
    for (size_t i = 1; i < c.body.size(); ++i) {
      int x = 0, y = 0, v = 0;
      char comma = 0, eq = 0;
      std::istringstream ls(c.body[i].substr(3));
      ls >> x >> comma >> y >> eq >> v;
      if (!ls || comma != ',' || eq != '=') return "bad point line " + c.body[i];
      if (rgn.contains(x, y) != (v == 1)) return "contains" + at(x, y) + " should be " + std::to_string(v);
    }
    return {};
  }

  gw::Bitmap bmp(c.width, c.height, gw::kWhite);
  gw::Canvas canvas(bmp);
  rgn.fill(canvas, kGreen);
  if (auto err = compareMap(bmp, c.body, 1, {{'.', gw::kWhite}, {'b', kGreen}}); !err.empty()) return "fill: " + err;
  for (int y = -1; y <= c.height; ++y)
    for (int x = -1; x <= c.width; ++x) {
      const bool inMap = bmp.contains(x, y) && bmp.pixel(x, y) == kGreen;
      if (bmp.contains(x, y) && rgn.contains(x, y) != inMap) return "contains" + at(x, y) + " disagrees with the fill";
    }
  return {};
}

// The whole palette file: "entry" lines build the palettes, "nearest" lines are the queries.
std::string checkPalette(const RefCase& c) {
  auto field = [](const std::string& line, const std::string& key) {
    const auto p = line.find(" " + key + "=");
    if (p == std::string::npos) throw std::runtime_error("missing " + key + " in: " + line);
    const auto b = p + key.size() + 2;
    return line.substr(b, line.find(' ', b) - b);
  };
  std::map<std::string, std::map<int, gw::Color>> entries;
  for (const auto& line : c.body)
    if (line.rfind("entry ", 0) == 0)
      entries[field(line, "palette")][std::stoi(field(line, "index"))] =
          static_cast<gw::Color>(std::stoul(field(line, "color"), nullptr, 16));
  std::map<std::string, gw::Palette> palettes;
  for (const auto& [name, byIndex] : entries) {
    std::vector<gw::Color> list;
    for (const auto& [i, col] : byIndex) {
      if (i != static_cast<int>(list.size())) return "palette " + name + " has a gap at index " + std::to_string(i);
      list.push_back(col);
    }
    palettes.emplace(name, gw::Palette(list));
  }
  int queries = 0;
  for (const auto& line : c.body) {
    if (line.rfind("entry ", 0) == 0) continue;
    if (line.rfind("nearest ", 0) != 0) return "unknown line: " + line;
    const auto it = palettes.find(field(line, "palette"));
    if (it == palettes.end()) return "unknown palette in: " + line;
    const auto col = static_cast<gw::Color>(std::stoul(field(line, "color"), nullptr, 16));
    const int want = std::stoi(field(line, "index"));
    const int got = it->second.nearestIndex(col);
    if (got != want) return line + ": got index " + std::to_string(got);
    ++queries;
  }
  if (queries == 0) return "no queries";
  return {};
}

const RegisterChecker stretchChecker("stretch", checkStretch);
const RegisterChecker floodChecker("floodfill", checkFloodFill);
const RegisterChecker regionChecker("region", checkRegion);
const RegisterChecker paletteChecker("palette", checkPalette);

}  // namespace
}  // namespace gwtest
