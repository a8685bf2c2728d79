// Checks every case of the reference pixel sets against our drawing surface. The sets shipped in
// tests/data/gdi-reference are always checked; GLYPHWERK_GDI_REFERENCE may name a further directory of case
// files in the same format.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/platform/gdi_reference.h"

namespace fs = std::filesystem;

namespace gwtest {

std::map<std::string, Checker>& checkers() {
  static std::map<std::string, Checker> registry;
  return registry;
}

int RefCase::integer(const std::string& key) const {
  auto it = params.find(key);
  if (it == params.end()) throw std::runtime_error("missing key " + key);
  size_t used = 0;
  int v = std::stoi(it->second, &used, 0);
  if (used != it->second.size()) throw std::runtime_error("bad number for " + key);
  return v;
}

std::vector<gw::Point> RefCase::points() const {
  std::vector<gw::Point> pts;
  auto it = params.find("pts");
  if (it == params.end()) return pts;
  std::vector<int> nums;
  std::stringstream ss(it->second);
  std::string tok;
  while (std::getline(ss, tok, ',')) nums.push_back(std::stoi(tok));
  for (size_t i = 0; i + 1 < nums.size(); i += 2) pts.push_back({nums[i], nums[i + 1]});
  if (has("n") && static_cast<size_t>(integer("n")) != pts.size())
    throw std::runtime_error("n does not match the point list");
  return pts;
}

std::string compareMap(const gw::Bitmap& actual, const std::vector<std::string>& rows, size_t firstRow,
                       const std::map<char, gw::Color>& legend) {
  for (int y = 0; y < actual.height(); ++y) {
    if (firstRow + static_cast<size_t>(y) >= rows.size()) return "map has too few rows";
    const std::string& row = rows[firstRow + static_cast<size_t>(y)];
    if (static_cast<int>(row.size()) != actual.width()) return "map row " + std::to_string(y) + " has wrong width";
    for (int x = 0; x < actual.width(); ++x) {
      auto it = legend.find(row[static_cast<size_t>(x)]);
      if (it == legend.end()) return std::string("unknown map character '") + row[static_cast<size_t>(x)] + "'";
      if (actual.pixel(x, y) != it->second) {
        std::ostringstream os;
        os << "pixel (" << x << "," << y << ") expected '" << row[static_cast<size_t>(x)] << "' got 0x" << std::hex
           << actual.pixel(x, y);
        return os.str();
      }
    }
  }
  return {};
}

std::string renderMap(const gw::Bitmap& bmp, const std::map<char, gw::Color>& legend) {
  std::string out;
  for (int y = 0; y < bmp.height(); ++y) {
    for (int x = 0; x < bmp.width(); ++x) {
      char ch = '?';
      for (const auto& [k, v] : legend)
        if (v == bmp.pixel(x, y)) { ch = k; break; }
      out += ch;
    }
    out += '\n';
  }
  return out;
}

namespace {

std::vector<RefCase> readCaseFile(const fs::path& path) {
  std::ifstream in(path);
  std::vector<RefCase> cases;
  std::vector<std::string> loose;
  std::string line;
  RefCase* cur = nullptr;
  bool inBody = false;
  int lineNo = 0;
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (cur == nullptr) {
      if (line.rfind("case ", 0) == 0) {
        cases.emplace_back();
        cur = &cases.back();
        cur->file = path.filename().string();
        cur->line = lineNo;
        cur->header = line;
        std::istringstream hs(line);
        std::string word;
        hs >> word >> cur->family;
        while (hs >> word) {
          auto eq = word.find('=');
          if (eq != std::string::npos) cur->params[word.substr(0, eq)] = word.substr(eq + 1);
        }
        inBody = false;
      } else if (!line.empty()) {
        loose.push_back(line);
      }
      continue;
    }
    if (line == "end") {
      cur = nullptr;
      continue;
    }
    if (!inBody && line.rfind("size ", 0) == 0) {
      std::istringstream ss(line.substr(5));
      ss >> cur->width >> cur->height;
      inBody = true;
      continue;
    }
    cur->body.push_back(line);
  }
  if (cases.empty() && !loose.empty()) {
    RefCase whole;
    whole.file = path.filename().string();
    whole.line = 1;
    whole.family = path.stem().string();
    whole.header = "(whole file)";
    whole.body = std::move(loose);
    cases.push_back(std::move(whole));
  }
  return cases;
}

void checkDirectory(const fs::path& dir) {
  ASSERT_TRUE(fs::is_directory(dir)) << dir << " is not a directory";
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(dir))
    if (e.path().extension() == ".txt") files.push_back(e.path());
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no case files in " << dir;
  for (const auto& f : files) {
    auto cases = readCaseFile(f);
    EXPECT_FALSE(cases.empty()) << f << " holds no cases";
    int failed = 0;
    for (const auto& c : cases) {
      auto it = checkers().find(c.family);
      std::string err;
      if (it == checkers().end()) {
        err = "no checker for family '" + c.family + "'";
      } else {
        try {
          err = it->second(c);
        } catch (const std::exception& e) {
          err = std::string("malformed case: ") + e.what();
        }
      }
      if (!err.empty() && ++failed <= 10)
        ADD_FAILURE() << c.file << ":" << c.line << ": " << c.header << "\n  " << err;
    }
    EXPECT_EQ(failed, 0) << f.filename() << ": " << failed << " of " << cases.size() << " cases differ";
  }
}

}  // namespace

TEST(GdiReference, ShippedCasesMatch) { checkDirectory(fs::path(GLYPHWERK_TEST_DATA) / "gdi-reference"); }

TEST(GdiReference, ExtraCasesFromEnvironmentMatch) {
  const char* dir = std::getenv("GLYPHWERK_GDI_REFERENCE");
  if (dir == nullptr || *dir == '\0') GTEST_SKIP() << "GLYPHWERK_GDI_REFERENCE not set";
  checkDirectory(dir);
}

}  // namespace gwtest
