#pragma once
// Palette files (.pal): the true-colour grid's 256 colours as a "Color Palette" section, the same section
// the settings file keeps.

#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace gw {

// Replaces the file's "Color Palette" section with the 256 slots of `grid`, keeping its other sections. The
// file is written whole, once (platform/FileReplace). Returns false with `error` set to the reason, the file
// untouched, when it cannot be written (a file that exists but cannot be read is not written over).
bool SavePaletteFile(const std::vector<Color>& grid, const std::string& path, std::string& error);

// Takes the file's section into `grid` when it has exactly 256 lines (see LoadColorPaletteSection); a file
// that is missing or holds no such section changes nothing. Returns whether the section was taken. A file
// that is there but cannot be read (a named pipe, a folder, ...) changes nothing and sets `error` to why.
bool LoadPaletteFile(std::vector<Color>& grid, const std::string& path, std::string& error);

}  // namespace gw
