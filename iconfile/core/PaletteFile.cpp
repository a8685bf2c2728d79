#include "iconfile/core/PaletteFile.h"

#include <exception>
#include <new>

#include "editor/core/PaletteSection.h"
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

bool LoadPaletteFile(std::vector<Color>& grid, const std::string& path) {
  try {
    return LoadColorPaletteSection(IniFile(path), grid);
  } catch (const std::bad_alloc&) {
    return false;  // as a file that cannot be read: nothing is taken
  }
}

}  // namespace gw
