#pragma once
// The settings file "glyphwerk.ini" beside the program: the image type and size of the next start, three
// option check marks, the 256 colours of the true-colour grid and the window size. Read once at start-up,
// written whole at close; the window size is written on every resize after start-up.

#include <optional>
#include <string>

#include "editor/core/EditorState.h"

namespace gw {

inline constexpr const char* kSettingsFileName = "glyphwerk.ini";
inline constexpr int kDefaultFormWidth = 690;
inline constexpr int kDefaultFormHeight = 575;

// The program's folder (with or without its trailing separator) followed by "glyphwerk.ini".
std::string SettingsPathFor(const std::string& programFolder);

// The type of a stored name ("16 Color Icon", "256 Color Icon", "True Color Icon", "MonoChrome Icon",
// "Cursor"): trimmed of blanks and control characters, then compared exactly (letter case
// included); anything else is true colour.
int IconTypeFromName(const std::string& text);

struct WindowSize {
  int width = kDefaultFormWidth;
  int height = kDefaultFormHeight;
};

// The window size to use for a stored one: each side outside minimum ... maximum (the least the editor's
// layout needs, the most the screen offers) gives its default, 690 or 575.
WindowSize CheckedWindowSize(WindowSize stored, WindowSize minimum, WindowSize maximum);

// Reads every key at s.SettingsPath and applies it to the state: the three option marks, IconType, IconSize
// and TrueColorGrid. Returns the window size to apply (while s.Creating is set, so it is not written back).
// A missing file or key gives the defaults; a non-empty "Icon Size" that is not an integer gives 32; a
// "Color Palette" section without exactly 256 lines is ignored; a colour value that is not an integer or lies
// outside 0 ... 0xFFFFFF keeps its slot.
WindowSize LoadSettings(EditorState& s);

// Writes the "Others" and "Color Palette" sections to s.SettingsPath. The first write that fails stops the
// save; its message is returned so the window can report it once (std::nullopt when all went well).
std::optional<std::string> SaveSettings(const EditorState& s);

// The window's resize: writes "Form Size" unless s.Creating is set. Failures are ignored silently.
void FormResize(const EditorState& s, int width, int height);

// The two option commands: invert the check mark and return its new state.
bool ShowHintsClick(EditorState& s);
bool UserightmousebuttonasanEraserClick(EditorState& s);

}  // namespace gw
