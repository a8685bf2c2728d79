#include "iconfile/core/PaletteFile.h"

#include <filesystem>
#include <system_error>

#include "editor/core/PaletteSection.h"
#include "iconfile/core/WholeFile.h"
#include "platform/IniFile.h"

namespace gw {

namespace fs = std::filesystem;

bool SavePaletteFile(const std::vector<Color>& grid, const std::string& path, std::string& error) {
  // The section is rewritten in a copy of the file, which then replaces it in one rename.
  TempFileBeside temp(path);
  if (!temp.ok()) {
    error = temp.error();
    return false;
  }
  std::error_code ec;
  if (fs::exists(path, ec)) {
    fs::copy_file(path, temp.path(), fs::copy_options::overwrite_existing, ec);
    if (ec) {
      error = ec.message();
      return false;
    }
  }
  try {
    IniFile ini(temp.path());
    WriteColorPaletteSection(ini, grid);
    ini.flush();
  } catch (const std::exception&) {
    error = "writing failed";
    return false;
  }
  if (!temp.commit()) {
    error = temp.error();
    return false;
  }
  return true;
}

bool LoadPaletteFile(std::vector<Color>& grid, const std::string& path) {
  return LoadColorPaletteSection(IniFile(path), grid);
}

}  // namespace gw
