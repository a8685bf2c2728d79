#include "iconfile/core/IconFiles.h"

#include <filesystem>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"
#include "platform/FileReplace.h"

namespace gw {

namespace {

std::string FileName(const std::string& path) { return std::filesystem::path(path).filename().string(); }

IconLoadResult CannotRead(const std::string& path, const std::string& why) {
  IconLoadResult r;
  r.status = IconLoadStatus::CannotRead;
  r.message = CannotReadMessage(path, why);
  return r;
}

}  // namespace

std::string CannotReadMessage(const std::string& path, const std::string& why) {
  return "Cannot read the file \"" + FileName(path) + "\": " + why + ".";
}

std::string KeptImagesMessage(const std::string& path, int notKept) {
  const bool one = notKept == 1;
  return std::to_string(notKept) + (one ? " image" : " images") + " of the file \"" + FileName(path) + "\"" +
         (one ? " is" : " are") + " too large to keep: Save will not write " + (one ? "it" : "them") + " back.";
}

IconLoadResult LoadIconFile(const std::string& path) {
  if (path.empty()) return CannotRead(path, "no file name");
  FileContents file = ReadFileContents(path, kMaxIconFileBytes);
  if (file.tooLarge) {
    IconLoadResult r;
    r.status = IconLoadStatus::NotSupported;
    r.message = "larger than any icon file";
    return r;
  }
  if (!file.error.empty()) return CannotRead(path, file.error);

  IconLoadResult r;
  std::string why;
  if (auto icon = DecodeIconFile(file.bytes, &why)) {
    r.status = IconLoadStatus::Ok;
    r.icon = std::move(*icon);
    if (r.icon.imagesNotKept > 0) r.message = KeptImagesMessage(path, r.icon.imagesNotKept);
  } else {
    r.status = IconLoadStatus::NotSupported;
    r.message = why;
  }
  return r;
}

bool ReadIconFile(EditorState& s, const DecodedIconFile& icon, const std::string& path) {
  const int S = icon.size;
  if (!FindIconFormat(icon.type, S) || s.IconSize != S || s.iconimage.width() != S || s.iconimage.height() != S ||
      s.iconmask.width() != S || s.iconmask.height() != S || icon.image.width() != S || icon.mask.width() != S)
    return false;
  s.iconimage = icon.image;
  s.iconmask = icon.mask;
  s.IconRect = {0, 0, S, S};
  s.IconType = icon.type;
  s.IconSize = S;
  UseFileColorTable(s, icon.colorTable);  // may remap pixels to give the table its black
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
  if (icon.type == kTypeCursor) {
    s.CursorHotSpotX = icon.hotSpotX;
    s.CursorHotSpotY = icon.hotSpotY;
  }
  s.FileOtherImages = icon.otherImages;
  s.CurrentFileName = path;
  s.IconSaveTarget = path;
  PushUndo(s);
  s.Modified = false;
  return true;
}

IconSaveResult WriteIconFile(EditorState& s, const IconFormat& f, const std::string& path) {
  const std::vector<std::uint8_t> bytes = EncodeIconFile(s, f);
  if (const std::string why = ReplaceFileContents(path, bytes); !why.empty())
    return {false, "Cannot save the icon to \"" + FileName(path) + "\": " + why + "."};
  s.IconRect = {0, 0, f.size, f.size};
  s.IconType = f.type;
  s.Modified = false;
  return {true, {}};
}

IconSaveResult SaveIconFile(EditorState& s, const std::string& path) {
  return WriteIconFile(s, SaveFormatFor(s.IconType, s.IconSize), path);
}

namespace {
bool ReadAs(EditorState& s, int type, int size, const DecodedIconFile& icon, const std::string& path) {
  if (icon.type != type || icon.size != size) return false;
  return ReadIconFile(s, icon, path);
}
IconSaveResult SaveAs(EditorState& s, int type, int size, const std::string& path) {
  return WriteIconFile(s, *FindIconFormat(type, size), path);
}
}  // namespace

#define GW_ICON_FILE_ENTRY_POINTS(Name, type, size)                                                  \
  bool ReadIcon##Name(EditorState& s, const DecodedIconFile& icon, const std::string& path) {         \
    return ReadAs(s, type, size, icon, path);                                                        \
  }                                                                                                  \
  IconSaveResult SaveIcon##Name(EditorState& s, const std::string& path) { return SaveAs(s, type, size, path); }
#define GW_ICON_FILE_SIZES(Depth, type)                                                              \
  GW_ICON_FILE_ENTRY_POINTS(16x16_##Depth, type, 16) GW_ICON_FILE_ENTRY_POINTS(24x24_##Depth, type, 24) \
  GW_ICON_FILE_ENTRY_POINTS(32x32_##Depth, type, 32) GW_ICON_FILE_ENTRY_POINTS(40x40_##Depth, type, 40) \
  GW_ICON_FILE_ENTRY_POINTS(48x48_##Depth, type, 48) GW_ICON_FILE_ENTRY_POINTS(56x56_##Depth, type, 56) \
  GW_ICON_FILE_ENTRY_POINTS(64x64_##Depth, type, 64)
GW_ICON_FILE_SIZES(16, kType16Color)
GW_ICON_FILE_SIZES(256, kType256Color)
GW_ICON_FILE_SIZES(True, kTypeTrueColor)
GW_ICON_FILE_SIZES(Mono, kTypeMono)
#undef GW_ICON_FILE_SIZES
#undef GW_ICON_FILE_ENTRY_POINTS

bool ReadCursor32x32(EditorState& s, const DecodedIconFile& icon, const std::string& path) {
  return ReadAs(s, kTypeCursor, 32, icon, path);
}
IconSaveResult SaveCursor32x32(EditorState& s, const std::string& path) { return SaveAs(s, kTypeCursor, 32, path); }

}  // namespace gw
