#pragma once
// The desktop snapshot: the square sizes offered, where the square lies around the pointer, the live view on
// the edit area and how the captured square lands in the image.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/core/EditorState.h"

namespace gw {

struct SnapShotSize {
  int edge;
  const char* text;
};
inline constexpr std::array<SnapShotSize, 7> SnapShotSizes{{
    {16, "16x16"}, {24, "24x24"}, {32, "32x32"}, {40, "40x40"}, {48, "48x48"}, {56, "56x56"}, {64, "64x64"}}};

// The sizes the set-up dialog offers for an image edge: the image's own size first, down to "16x16"; none
// for an edge that is not one of the seven.
std::vector<std::string> SnapShotChoices(int iconSize);
// The edge length a choice names: the number its first two characters make, when that is one of the seven
// sizes; 0 otherwise.
int SnapShotEdge(const std::string& text);

// The screen square of edge a around the pointer: the pointer sits at column and row a/2 - 1.
Rect SnapShotSquare(Point pointer, int edge);
// The pixels of `square` on a screen of bounds `screen`: what `grab` gives for the part on the screen (a
// bitmap of that part's size), black for the rest.
Bitmap CaptureScreenSquare(const Rect& square, const Rect& screen, const std::function<Bitmap(const Rect&)>& grab);

// The live view: the captured square, magnified by CellSize, over the top-left of the edit area.
void ShowSnapShotPreview(EditorState& s, const Bitmap& square);

// Lands the captured square in the image's top-left corner: the placement canvas is reset around the image
// as it was; a square smaller than the image keeps the picture under it (it is to float); the square's
// pixels go in opaque, the whole image is reduced to the type's palette, and one undo state is pushed.
// Returns the square in cells, to float when it is smaller than the image.
Rect LandSnapShot(EditorState& s, const Bitmap& square);

}  // namespace gw
