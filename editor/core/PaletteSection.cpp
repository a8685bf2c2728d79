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
  const auto key = [](std::size_t slot) { return "Color-" + std::to_string(slot); };
  const auto value = [&](std::size_t slot) {
    return std::to_string(static_cast<int>(slot < grid.size() ? grid[slot] : kBlack));
  };
  const auto slots = static_cast<std::size_t>(kColorPaletteSlots);
  // A section that holds these keys already is left where it is, so the file does not change.
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < slots; ++i) lines.push_back(key(i) + "=" + value(i));
  if (ini.readSectionValues(kColorPaletteSection) == lines) return;
  ini.eraseSection(kColorPaletteSection);
  for (std::size_t i = 0; i < slots; ++i) ini.writeString(kColorPaletteSection, key(i), value(i));
}

}  // namespace gw
