#pragma once
// Palettes, the colour grid and the pen colours.

#include "editor/core/EditorState.h"

namespace gw {

// Start-up: fills the seven colour arrays with their defaults, builds the palettes, copies DefaultColors256
// into TrueColorGrid.
void InitPalettes(EditorState& s);

// Palette set-up of a new image of each type (resets the type's palette to its defaults, redraws the colour
// grid, sets the pens).
void ResetPalette16(EditorState& s);
void ResetPalette256(EditorState& s);
void ResetMonoPalette(EditorState& s);
void ShowTrueColorGrid(EditorState& s);
// Runs the palette set-up that belongs to IconType.
void SetupPaletteForType(EditorState& s);

}  // namespace gw
