#include "editor/core/PaletteSection.h"

#include <optional>
#include <string>

#include "platform/TextToInt.h"

namespace gw {

namespace {
constexpr long long kLargestColor = 0xFFFFFF;
}

bool LoadColorPaletteSection(const IniFile& ini, std::vector<Color>& grid) {
  const std::vector<std::string> lines = ini.readSectionValues(kColorPaletteSection);
  if (lines.size() != static_cast<std::size_t>(kColorPaletteSlots)) return false;
  if (grid.size() < lines.size()) grid.resize(lines.size(), kBlack);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t eq = lines[i].find('=');
    const std::string valueText = eq == std::string::npos ? lines[i] : lines[i].substr(eq + 1);
    const std::optional<int> value = TextToInt(valueText);
    if (!value || *value < 0 || *value > kLargestColor) continue;
    grid[i] = static_cast<Color>(*value);
  }
  return true;
}

void WriteColorPaletteSection(IniFile& ini, const std::vector<Color>& grid) {
  ini.eraseSection(kColorPaletteSection);
  for (int i = 0; i < kColorPaletteSlots; ++i) {
    const auto slot = static_cast<std::size_t>(i);
    const Color c = slot < grid.size() ? grid[slot] : kBlack;
    ini.writeInteger(kColorPaletteSection, "Color-" + std::to_string(i), static_cast<int>(c));
  }
}

}  // namespace gw
