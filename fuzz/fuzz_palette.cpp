// Palette files (.pal) read from arbitrary bytes: a file either fills the 256 slots with colours or leaves
// them as they were. Nothing may crash or read outside.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzFile.h"
#include "iconfile/core/PaletteFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder folder;
  static const std::string path = folder.path() + "/colors.pal";
  fuzz::WriteInput(path, data, size);
  const std::vector<gw::Color> before(256, 0x123456u);
  std::vector<gw::Color> grid = before;
  std::string error;
  const bool taken = gw::LoadPaletteFile(grid, path, error);
  if (grid.size() != 256 || (!taken && grid != before) || !error.empty()) std::abort();
  for (const gw::Color c : grid)
    if (c > 0xFFFFFFu) std::abort();
  return 0;
}
