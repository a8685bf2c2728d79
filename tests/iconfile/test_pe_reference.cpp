// The icons of real and built program files against what the platform drew for them: every case file of
// tests/data/pe-reference and, when GLYPHWERK_PE_REFERENCE names a folder, every case file there too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/PeResources.h"

namespace fs = std::filesystem;
using namespace gw;

namespace {

// One case file: the program file it names and, per icon, 32 rows of RRGGBB (empty rows: no icon).
struct ReferenceCase {
  std::string file;
  bool fault = false;
  int count = 0;
  std::vector<std::vector<std::string>> icons;
};

ReferenceCase ReadCase(const fs::path& txt) {
  std::ifstream in(txt);
  if (!in) throw std::runtime_error("cannot read " + txt.string());
  ReferenceCase c;
  std::string line, word;
  int metricsX = 0, metricsY = 0;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    words >> word;
    if (word == "metrics") {
      words >> metricsX >> metricsY;
    } else if (word == "file") {
      std::string kind;
      words >> c.file >> kind;
      c.fault = kind == "fault";
      if (!c.fault) words >> c.count;
    } else if (word == "icon") {
      int index = -1;
      std::string null;
      words >> index >> null;
      if (index != static_cast<int>(c.icons.size())) throw std::runtime_error("icon out of order in " + txt.string());
      c.icons.emplace_back();
      if (null == "null") continue;
      for (int row = 0; row < kExeIconCell && std::getline(in, line); ++row) c.icons.back().push_back(line);
      if (c.icons.back().size() != static_cast<std::size_t>(kExeIconCell))
        throw std::runtime_error("short icon in " + txt.string());
    }
  }
  if (metricsX != kExeIconCell || metricsY != kExeIconCell || c.file.empty())
    throw std::runtime_error("no metrics or file line in " + txt.string());
  if (!c.fault && static_cast<int>(c.icons.size()) != c.count)
    throw std::runtime_error("icons missing in " + txt.string());
  return c;
}

std::string Row(const Bitmap& cell, int y) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (int x = 0; x < cell.width(); ++x) {
    const Color c = cell.pixel(x, y);
    for (int v : {RedOf(c), GreenOf(c), BlueOf(c)}) {
      out += hex[v >> 4];
      out += hex[v & 15];
    }
  }
  return out;
}

// Checks every case of a folder; returns how many were checked.
int CheckFolder(const fs::path& folder) {
  if (!fs::is_directory(folder)) {
    ADD_FAILURE() << "no reference folder " << folder;
    return 0;
  }
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".txt") continue;
    SCOPED_TRACE(entry.path().string());
    ReferenceCase c;
    try {
      c = ReadCase(entry.path());
    } catch (const std::exception& e) {
      ADD_FAILURE() << e.what();
      continue;
    }
    std::string error;
    auto opened = FileBytes::Open((folder / c.file).string(), error);
    if (!opened) {
      ADD_FAILURE() << "cannot read " << c.file << ": " << error;
      continue;
    }
    const PeResources file(std::move(opened));
    // A file the platform crashed on has no icons.
    EXPECT_EQ(file.IconCount(), c.fault ? 0 : c.count);
    for (int i = 0; i < static_cast<int>(c.icons.size()) && i < file.IconCount(); ++i) {
      Bitmap cell;
      DrawProgramFileIcon(file, i, cell);
      for (int y = 0; y < kExeIconCell; ++y) {
        const std::string want = c.icons[static_cast<std::size_t>(i)].empty()
                                     ? std::string(kExeIconCell * 6, 'F')
                                     : c.icons[static_cast<std::size_t>(i)][static_cast<std::size_t>(y)];
        if (Row(cell, y) != want) {
          ADD_FAILURE() << c.file << " icon " << i << " row " << y << "\n got  " << Row(cell, y) << "\n want " << want;
          break;
        }
      }
    }
    ++checked;
  }
  return checked;
}

}  // namespace

TEST(PeReference, EveryCaseOfTheProjectSet) {
  EXPECT_GE(CheckFolder(fs::path(GLYPHWERK_TEST_DATA) / "pe-reference"), 8);
}

TEST(PeReference, EveryCaseOfTheFolderNamedByTheEnvironment) {
  const char* folder = std::getenv("GLYPHWERK_PE_REFERENCE");
  if (!folder || !*folder) GTEST_SKIP() << "GLYPHWERK_PE_REFERENCE is not set";
  EXPECT_GE(CheckFolder(folder), 1) << "no case file in " << folder;
}
