#include "iconfile/core/IconFiles.h"

namespace gw {

IconLoadResult LoadIconFile(const std::string& path) {
  IconLoadResult r;
  r.message = "Cannot read " + path + ".";
  return r;
}

bool ReadIconFile(EditorState&, const DecodedIconFile&, const std::string&) { return false; }

IconSaveResult WriteIconFile(EditorState&, const IconFormat&, const std::string& path) {
  return {false, "Cannot write " + path + "."};
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
