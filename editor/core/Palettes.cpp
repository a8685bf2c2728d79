// Placeholder bodies; the palettes are filled in with their own change.
#include "editor/core/Palettes.h"

namespace gw {
void InitPalettes(EditorState&) {}
void ResetPalette16(EditorState&) {}
void ResetPalette256(EditorState&) {}
void ResetMonoPalette(EditorState&) {}
void ShowTrueColorGrid(EditorState&) {}
void SetupPaletteForType(EditorState&) {}
}  // namespace gw
