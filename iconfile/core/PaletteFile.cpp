#include "iconfile/core/PaletteFile.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "editor/core/PaletteSection.h"
#include "platform/FileReplace.h"
#include "platform/IniFile.h"

namespace gw {

namespace fs = std::filesystem;

namespace {

// A private copy of a file in the temporary folder, removed when done.
class ScratchCopy {
 public:
  ScratchCopy() {
    std::string pattern = (fs::temp_directory_path() / "glyphwerk-pal-XXXXXX").string();
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0) {
      ::close(fd);
      path_ = pattern;
    }
  }
  ~ScratchCopy() {
    if (path_.empty()) return;
    std::error_code ec;
    fs::remove(path_, ec);
  }
  ScratchCopy(const ScratchCopy&) = delete;
  ScratchCopy& operator=(const ScratchCopy&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace

bool SavePaletteFile(const std::vector<Color>& grid, const std::string& path, std::string& error) {
  // Nothing is tried where the file cannot be written at all.
  if (error = FileWriteRefusal(path); !error.empty()) return false;
  // The section is rewritten in a scratch copy of the file, which then replaces the file whole.
  ScratchCopy scratch;
  if (scratch.path().empty()) {
    error = "no room for a temporary file";
    return false;
  }
  std::error_code ec;
  if (fs::exists(path, ec)) {
    fs::copy_file(path, scratch.path(), fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = ec.message();
      return false;
    }
  }
  try {
    IniFile ini(scratch.path());
    WriteColorPaletteSection(ini, grid);
    ini.flush();
  } catch (const std::exception&) {
    error = "writing failed";
    return false;
  }
  std::ifstream in(scratch.path(), std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.eof() && in.fail()) {
    error = "writing failed";
    return false;
  }
  error = ReplaceFileContents(path, bytes);
  return error.empty();
}

bool LoadPaletteFile(std::vector<Color>& grid, const std::string& path) {
  return LoadColorPaletteSection(IniFile(path), grid);
}

}  // namespace gw
