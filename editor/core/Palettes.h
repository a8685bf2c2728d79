#pragma once
// Palettes, the colour grid and the pen colours.
//
// Each image type paints from its own colour set: MonoColors (monochrome icons and cursors), Colors16,
// Colors256, and for true colour the editable TrueColorGrid. The grid `colorgrd` shows the set of the current
// type; a click picks an entry into the left or right pen; the three RGB bars edit the picked entry.

#include <span>
#include <string>
#include <vector>

#include "editor/core/EditorState.h"

namespace gw {

// --- Default tables and palette building ---------------------------------------------------------------
// Write the default table of that size into the array (resized to 2, 16 or 256 entries).
void FillMonoColors(std::vector<Color>& colors);
void FillColors16(std::vector<Color>& colors);
void FillColors256(std::vector<Color>& colors);
// Entry i of the block := (red, green, blue of colour i, flags 0); the block gets the array's length.
void BuildMonoLogPalette(const std::vector<Color>& colors, LogPalette& block);
void BuildLogPalette16(const std::vector<Color>& colors, LogPalette& block);
void BuildLogPalette256(const std::vector<Color>& colors, LogPalette& block);
// Header := version 0x300 and the entry count; `handle` := a nearest-entry palette made from the block.
void CreateMonoPalette(LogPalette& block, Palette& handle);
void CreatePalette16(LogPalette& block, Palette& handle);
void CreatePalette256(LogPalette& block, Palette& handle);
// Copies `count` colours of src into dst (dst grows when it is shorter).
void CopyColors(std::vector<Color>& dst, const std::vector<Color>& src, int count);

// Start-up: fills the seven colour arrays with their defaults, builds the palettes, copies DefaultColors256
// into TrueColorGrid.
void InitPalettes(EditorState& s);

// --- Colour grid -----------------------------------------------------------------------------------------
// The colour array of the current type: MonoColors (3, 4), Colors16 (0), Colors256 (1), TrueColorGrid (2).
std::vector<Color>& ColorsOfType(EditorState& s);
// Grid entry at a point of colorgrd, by the cell layout of the current type (points outside are clamped
// onto the grid).
int PaletteIndexAt(const EditorState& s, int x, int y);
// The cell rectangle of colorgrd at a point.
Rect PaletteCellRect(const EditorState& s, int x, int y);
// A click on the grid: picks the entry under (x, y) into the left pen (left button) or the right pen (any
// other button), selects it for the RGB bars and shows its components.
void colorgrdMouseDown(EditorState& s, bool leftButton, int x, int y);
// The pen colour a drawing button paints with.
Color PenColorForButton(const EditorState& s, bool leftButton);

// Lay out and paint the grid for 2, 16 or 256 entries, hide or show the RGB bars and set both pens to their
// layout entries (0 and 1, 15 or 17).
void LayoutColorGrid2(EditorState& s, const std::vector<Color>& colors);
void LayoutColorGrid16(EditorState& s, const std::vector<Color>& colors);
void LayoutColorGrid256(EditorState& s, const std::vector<Color>& colors, int imageType);

// Palette set-up of a new image of each type: restores the type's palette from its default (16 and 256
// colours: from FileColorTable while it holds a table of that size), lays out the grid and picks entry 0 into
// the left pen. ShowTrueColorGrid shows TrueColorGrid as it stands.
void ResetPalette16(EditorState& s);
void ResetPalette256(EditorState& s);                 // with the current IconType
void ResetPalette256(EditorState& s, int imageType);
void ResetMonoPalette(EditorState& s);
void ShowTrueColorGrid(EditorState& s);               // with the current IconType
void ShowTrueColorGrid(EditorState& s, int imageType);
// An image read from a 16- or 256-colour file keeps the file's colour table (IconType already set): the
// table, made up to 16 or 256 entries from the type's default where the file has fewer and given a black
// entry (GiveTableABlackEntry on iconimage), becomes FileColorTable and the type's palette set-up runs with
// it. Other types (and an empty table) keep their palette; returns whether the table was taken.
bool UseFileColorTable(EditorState& s, std::span<const Color> table);
// A transparent pixel is saved with colour bits that name an entry of exact black (any other colour under a
// set mask bit inverts the screen). A table without one gets one: the entry whose change moves the picture
// least becomes black. The pixels it showed (those of the first entry of each colour; transparent pixels
// holding transparentColor do not count) take the nearest colour of the new table, black included, and an
// inverting pixel (any other colour under a white mask) the nearest that still inverts, neither black nor
// transparentColor; the change is the sum of the RGB distances they move. An unused entry or a second copy
// of a colour changes nothing; of equal changes the entry nearest black, then the last, gives way. So the
// image shows what Save writes. Returns that entry, or -1 when the table already had black.
int GiveTableABlackEntry(std::vector<Color>& table, Bitmap& image, const Bitmap& mask, Color transparentColor);
// Runs the palette set-up that belongs to IconType.
void SetupPaletteForType(EditorState& s);
// Menu "&Reset Color Palette": restores the default palette of the current type (true colour: the whole
// TrueColorGrid; an image read from a file: the file's table). The image is not changed.
void ResetColorPalette1Click(EditorState& s);

// --- Colour readouts and the RGB bars ------------------------------------------------------------------
// A readout caption is cut after its first "=" and the decimal value appended: ("Red=", 128) -> "Red=128".
std::string LabelWithValue(const std::string& caption, int value);
// Shows a colour's components in rdLabel/grLabel/blLabel and moves the three bars to them, red first. Each
// bar that moves runs its change handler.
void ShowColorComponents(EditorState& s, Color c);
// The bars' colour goes into the selected entry (Colors256 always, TrueColorGrid for true colour, the
// 256-entry logical palette and its handle), its grid cell, and the last-set pen.
void ApplyScrollBarColor(EditorState& s);
enum class ColorBar { Red, Green, Blue };
// Moves a bar to `position` (clamped to 0 ... 255). As with the class library's scroll bar, its change
// handler runs exactly when the position changes, whether a user or the code moved it. Returns whether it ran.
bool SetColorBarPosition(EditorState& s, ColorBar bar, int position);
int ColorBarPosition(const EditorState& s, ColorBar bar);
// Change handlers of the bars: the bar's readout, then ApplyScrollBarColor.
void scrRedChange(EditorState& s);
void scrGreenChange(EditorState& s);
void scrBlueChange(EditorState& s);
// rdLabel2/grLabel2/blLabel2 show the components of the colour under the mouse.
void ShowPixelColor(EditorState& s, Color c);

// --- Quantisers ------------------------------------------------------------------------------------------
// Snap every pixel of iconimage to the nearest entry of the type's palette (the two-colour one: black or
// white), taking the colour at that index from the active logical palette; then redraw the edit area and
// sync the placement canvas. The mask is not touched and no undo state is pushed (the callers push).
void QuantizeToMonoColors(EditorState& s);
void QuantizeToColors16(EditorState& s);
void QuantizeToColors256(EditorState& s);
// The quantiser of the image's type: monochrome and cursor the two-colour palette, 16 and 256 colours their
// palettes; true colour is left as it is.
void QuantizeToTypePalette(EditorState& s);
// Every pixel that is transparent in iconmask carries TransparentColor in iconimage.
void KeepTransparentColor(EditorState& s);
// QuantizeToTypePalette, then KeepTransparentColor (the reduction turns the transparent pixels into palette
// colours too), then the edit area's redraw and the placement canvas's sync. What a picture brought in from
// outside (paste, snapshot, text, an icon from a program file) goes through.
void ReduceToTypePalette(EditorState& s);

}  // namespace gw
