#include "iconfile/core/PaletteFile.h"

#include <exception>
#include <new>

#include "editor/core/PaletteSection.h"
#include "platform/FileReplace.h"
#include "platform/IniFile.h"

namespace gw {

bool SavePaletteFile(const std::vector<Color>& grid, const std::string& path, std::string& error) {
  // The file's new text is made in memory from its old one, then written whole, once.
  try {
    IniFile ini(path);
    WriteColorPaletteSection(ini, grid);
    ini.flush();
    return true;
  } catch (const IniWriteError& e) {
    error = e.reason();
  } catch (const std::bad_alloc&) {
    error = "not enough memory";
  } catch (const std::exception& e) {
    error = e.what();
  }
  return false;
}

bool LoadPaletteFile(std::vector<Color>& grid, const std::string& path, std::string& error) {
  try {
    const FileContents file = ReadFileContents(path, kMaxIniFileBytes);
    if (!file.error.empty()) {
      if (!file.missing) error = file.error;
      return false;
    }
    return LoadColorPaletteSection(
        IniFile::FromText({reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()}, path), grid);
  } catch (const std::bad_alloc&) {
    error = "not enough memory";
    return false;
  }
}

}  // namespace gw
