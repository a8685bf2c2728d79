#pragma once
// The cursor hot spot as the user sees it: counted from 1, stored from 0 in CursorHotSpotX and Y.

#include <string>

#include "editor/core/EditorState.h"

namespace gw {

// What an edit shows for a stored coordinate: its value plus 1.
std::string HotSpotText(int coordinate);
// The range label of an image edge: "1 - " and the edge.
std::string HotSpotRangeText(int iconSize);

enum class HotSpotField { None, X, Y };
// Takes the two edits' texts. An empty edit leaves its coordinate as it is; any other text must be a whole
// number from 1 to IconSize. Nothing is stored unless both are acceptable; then returns None, otherwise the
// first field that is not.
HotSpotField ApplyHotSpotEdits(EditorState& s, const std::string& x, const std::string& y);

}  // namespace gw
