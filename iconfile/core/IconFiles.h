#pragma once
// Reading and writing icon and cursor files for the editor: the file-level half of Open and Save, over the
// codec in IconCodec.h. No Qt; the window (Open1Click, OpenIconFile, Save1Click, SaveAs1Click) runs the
// dialogs, the new-image handler, the hourglass, the caption and the message boxes around these calls.
//
// How the window uses them:
//   Open:  LoadIconFile(path) reads and validates the whole file and changes nothing. On NotSupported show
//          "Icon Format NOT Supported. " / "Invalid Icon File"; on CannotRead show `message`. On Ok run the
//          new-image handler of (icon.type, icon.size) without asking, then ReadIconFile(s, icon, path) (or the
//          named reader of that format), then show the colour group, UpdateEditAreaCaption and the caption
//          "Glyphwerk: NAME", and then `message` if there is one.
//   Save:  the file is s.IconSaveTarget (a successful read sets it; the window sets it from the first Save's
//          dialog and from Save As's; a new image clears it). SaveIconFile(s, path) picks the writer by
//          IconType and IconSize and writes the file whole through a temporary file beside it and a rename.
//          On failure nothing in the state changes and an existing file is left as it was; show `message`.
//          On success update the edit-area caption and the caption.

#include <cstdint>
#include <string>
#include <vector>

#include "editor/core/EditorState.h"
#include "iconfile/core/IconCodec.h"

namespace gw {

// --- Reading --------------------------------------------------------------------------------------------
enum class IconLoadStatus { Ok, CannotRead, NotSupported };
struct IconLoadResult {
  IconLoadStatus status = IconLoadStatus::CannotRead;
  DecodedIconFile icon;     // valid when status is Ok
  std::string message;      // CannotRead: a sentence naming the file; NotSupported: the decoder's reason;
                            // Ok: empty, or the sentence to show once the image is open that tells how many
                            // of the file's other images Save will not write back (KeptImagesMessage)
};
IconLoadResult LoadIconFile(const std::string& path);
// The sentence that names a file Open could not read and why.
std::string CannotReadMessage(const std::string& path, const std::string& why);
// The sentence that says that `notKept` (1 or more) of the images of the file at path are too large to keep.
std::string KeptImagesMessage(const std::string& path, int notKept);

// Makes a decoded file the current, unmodified document, after the new-image handler of its type and size
// has run: image and mask, IconType, IconSize, IconRect, the file's colour table (16 and 256 colours:
// UseFileColorTable, so the window shows the colour group anew), the cursor's hot spot, the file's other
// images (FileOtherImages), RefreshEditArea, SyncPlacementCanvas, CurrentFileName and IconSaveTarget := path,
// PushUndo, Modified := false. Returns false, changing nothing, when the image is not at the decoded size (the
// new-image handler did not run).
bool ReadIconFile(EditorState& s, const DecodedIconFile& icon, const std::string& path);

// --- Writing --------------------------------------------------------------------------------------------
struct IconSaveResult {
  bool ok = false;
  std::string message;      // on failure: a sentence naming the file and the reason
};
// Encodes the image in format f, followed by the file's other images, and writes it to path (temporary file
// and rename). On success: IconRect := (0, 0, S, S), IconType := f.type, Modified := false. On failure
// nothing changes.
IconSaveResult WriteIconFile(EditorState& s, const IconFormat& f, const std::string& path);
// The writer Save runs: SaveFormatFor(IconType, IconSize).
IconSaveResult SaveIconFile(EditorState& s, const std::string& path);

// --- The named readers and writers: each is ReadIconFile / WriteIconFile for its one format. A reader given
// a file of another format returns false and changes nothing.
#define GW_ICON_FILE_ENTRY_POINTS(Name)                                                             \
  bool ReadIcon##Name(EditorState& s, const DecodedIconFile& icon, const std::string& path);         \
  IconSaveResult SaveIcon##Name(EditorState& s, const std::string& path);
#define GW_ICON_FILE_SIZES(Depth)                                                                    \
  GW_ICON_FILE_ENTRY_POINTS(16x16_##Depth) GW_ICON_FILE_ENTRY_POINTS(24x24_##Depth)                  \
  GW_ICON_FILE_ENTRY_POINTS(32x32_##Depth) GW_ICON_FILE_ENTRY_POINTS(40x40_##Depth)                  \
  GW_ICON_FILE_ENTRY_POINTS(48x48_##Depth) GW_ICON_FILE_ENTRY_POINTS(56x56_##Depth)                  \
  GW_ICON_FILE_ENTRY_POINTS(64x64_##Depth)
GW_ICON_FILE_SIZES(16)
GW_ICON_FILE_SIZES(256)
GW_ICON_FILE_SIZES(True)
GW_ICON_FILE_SIZES(Mono)
#undef GW_ICON_FILE_SIZES
#undef GW_ICON_FILE_ENTRY_POINTS
bool ReadCursor32x32(EditorState& s, const DecodedIconFile& icon, const std::string& path);
IconSaveResult SaveCursor32x32(EditorState& s, const std::string& path);

}  // namespace gw
