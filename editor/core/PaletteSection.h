#pragma once
// The "Color Palette" section that the settings file and palette files share: keys "Color-0" to
// "Color-255", each the slot's colour 0x00BBGGRR in decimal.

#include <vector>

#include "platform/Geometry.h"
#include "platform/IniFile.h"

namespace gw {

inline constexpr const char* kColorPaletteSection = "Color Palette";
inline constexpr int kColorPaletteSlots = 256;

// Only a section of exactly 256 lines is taken, by position whatever the keys are called; a value that is no
// integer or lies outside 0 ... 16777215 keeps its slot. `grid` grows to 256 slots (black) when shorter.
// Returns whether the section was taken.
bool LoadColorPaletteSection(const IniFile& ini, std::vector<Color>& grid);

// Erases the section, then writes the 256 slots in order (a missing slot as black); a section that holds
// exactly those keys and values already is left as it is. Throws IniWriteError.
void WriteColorPaletteSection(IniFile& ini, const std::vector<Color>& grid);

}  // namespace gw
