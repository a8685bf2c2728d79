#pragma once
// New blank images: the 29 (type, size) formats, the per-type and per-size constants, the captions that name
// the current type and size, and the state part of making a new image.

#include <span>
#include <string>

#include "editor/core/EditorState.h"

namespace gw {

// What a type brings to a new image: the colour of its transparent pixels and which commands it enables.
struct IconTypeInfo {
  int type;
  const char* name;          // as shown in captions and stored in the settings file
  Color transparentColor;
  bool colorSelector;        // the "Color Selector" tool button
  bool hotSpot;              // the "Set Cursor Hot Spot..." menu item
  bool paletteButtons;       // "Load Color Palette" / "Save Color Palette"
};

// The row of a type; a type outside 0..4 gets the cursor row.
const IconTypeInfo& TypeInfo(int type);
// Type names for captions: 0..3 by type, anything else "Cursor".
const char* IconTypeName(int type);

// One format of the New menu: a type and an edge length.
struct NewImageFormat {
  int type = kTypeTrueColor;
  int size = 32;
  friend constexpr bool operator==(const NewImageFormat&, const NewImageFormat&) = default;
};

// The 29 formats: seven sizes (16 ... 64) of each of the four icon types, then the 32 x 32 cursor.
std::span<const NewImageFormat> NewImageFormats();
bool IsNewImageFormat(int type, int size);

// The format "New" repeats for a remembered type and size: the cursor whatever the size; 3, 0, 1 by type,
// any other type true colour; the size by exact value, anything not 24 ... 64 giving 16.
NewImageFormat NewIconCursorTarget(int type, int size);

// "Edit Area -- True Color Icon - 32 x 32" and "New True Color Icon - 32 x 32".
inline constexpr const char kEditAreaCaptionPrefix[] = "Edit Area -- ";
std::string EditAreaCaption(int type, int size);
std::string NewMenuCaption(int type, int size);

// Makes a blank, fully transparent image of a valid format and resets everything that belongs to the old
// one: zoom, rectangles, the image, mask and edit-area bitmaps, the placement canvas, the work images, the
// undo ring (which then holds the blank image), the file name, the tool stage, the type's palette (its
// default table, whatever file the old image came from) and the modified flag. Returns false, changing
// nothing, for a (type, size) that is not one of the 29 formats.
// The save question and everything shown in the window are the caller's.
bool StartNewImage(EditorState& s, int type, int size);

}  // namespace gw
