#include "editor/core/HotSpot.h"

#include <optional>

#include "platform/TextToInt.h"

namespace gw {

std::string HotSpotText(int coordinate) { return std::to_string(coordinate + 1); }

std::string HotSpotRangeText(int iconSize) { return "1 - " + std::to_string(iconSize); }

namespace {

// The 0-based coordinate an edit asks for: the current one for an empty edit, nothing for a bad one.
std::optional<int> Coordinate(const std::string& text, int current, int iconSize) {
  if (text.empty()) return current;
  const std::optional<int> v = TextToInt(text);
  if (!v || *v < 1 || *v > iconSize) return std::nullopt;
  return *v - 1;
}

}  // namespace

HotSpotField ApplyHotSpotEdits(EditorState& s, const std::string& x, const std::string& y) {
  const std::optional<int> nx = Coordinate(x, s.CursorHotSpotX, s.IconSize);
  if (!nx) return HotSpotField::X;
  const std::optional<int> ny = Coordinate(y, s.CursorHotSpotY, s.IconSize);
  if (!ny) return HotSpotField::Y;
  s.CursorHotSpotX = *nx;
  s.CursorHotSpotY = *ny;
  return HotSpotField::None;
}

}  // namespace gw
