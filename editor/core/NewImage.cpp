#include "editor/core/NewImage.h"

#include <array>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"

namespace gw {

namespace {

constexpr std::array<IconTypeInfo, 5> kTypes{{
    {kType16Color, "16 Color Icon", kWhite, false, false, false},
    {kType256Color, "256 Color Icon", kWhite, false, false, false},
    {kTypeTrueColor, "True Color Icon", kWhite, true, false, true},
    {kTypeMono, "MonoChrome Icon", kAqua, false, false, false},
    {kTypeCursor, "Cursor", kAqua, false, true, false},
}};

constexpr std::array<int, 7> kSizes{16, 24, 32, 40, 48, 56, 64};

constexpr std::array<NewImageFormat, 29> kFormats = [] {
  std::array<NewImageFormat, 29> f{};
  std::size_t i = 0;
  for (int type : {kType16Color, kType256Color, kTypeTrueColor, kTypeMono})
    for (int size : kSizes) f[i++] = {type, size};
  f[i] = {kTypeCursor, 32};
  return f;
}();

}  // namespace

const IconTypeInfo& TypeInfo(int type) {
  return (type >= 0 && type < static_cast<int>(kTypes.size())) ? kTypes[static_cast<std::size_t>(type)]
                                                                : kTypes[kTypeCursor];
}

const char* IconTypeName(int type) { return (type >= 0 && type <= kTypeMono) ? TypeInfo(type).name : "Cursor"; }

std::span<const NewImageFormat> NewImageFormats() { return kFormats; }

bool IsNewImageFormat(int type, int size) {
  for (const NewImageFormat& f : kFormats)
    if (f.type == type && f.size == size) return true;
  return false;
}

NewImageFormat NewIconCursorTarget(int type, int size) {
  if (type == kTypeCursor) return {kTypeCursor, 32};
  const int t = (type == kTypeMono || type == kType16Color || type == kType256Color) ? type : kTypeTrueColor;
  int s = 16;
  for (int candidate : kSizes)
    if (candidate == size) s = candidate;
  return {t, s};
}

static std::string TypeAndSize(int type, int size) {
  const std::string n = std::to_string(size);
  return std::string(IconTypeName(type)) + " - " + n + " x " + n;
}

std::string EditAreaCaption(int type, int size) { return kEditAreaCaptionPrefix + TypeAndSize(type, size); }
std::string NewMenuCaption(int type, int size) { return "New " + TypeAndSize(type, size); }

bool StartNewImage(EditorState& s, int type, int size) {
  if (!IsNewImageFormat(type, size)) return false;
  const IconTypeInfo& info = TypeInfo(type);

  // Zoom, size, home square and the transparent colour of the new type.
  s.CellSize = CellSizeFor(size);
  s.IconSize = size;
  s.CurrentPlacementRect = PlacementRectFor(size);
  s.TransparentColor = info.transparentColor;

  // The image rectangles and bitmaps: a fully transparent image, its white mask, the magnified view.
  const int magnified = size * s.CellSize;
  s.IconRect = {0, 0, size, size};
  s.EditAreaRect = {0, 0, magnified, magnified};
  s.iconimage.resize(size, size, s.TransparentColor);
  s.iconmask.resize(size, size, kWhite);
  s.editarea.resize(magnified, magnified, kWhite);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);

  // The placement canvas at four times the size, with the image at home.
  ResizePlacementCanvas(s, 4 * size);
  ResetPlacementCanvas(s, s.CurrentPlacementRect);

  for (Bitmap& w : s.WorkImages) w.resize(size, size, kWhite);
  ResetUndoRing(s, size);

  s.CurrentFileName.clear();
  s.IconSaveTarget.clear();
  s.ToolStage = 1;  // a pending selection or curve is dropped; the tool is kept
  s.IconType = type;
  s.FileColorTable.clear();  // a new image paints from the type's default table
  s.FileOtherImages.clear();  // and belongs to no file of several images
  SetupPaletteForType(s);
  s.Modified = false;
  PushUndoQuiet(s);
  return true;
}

}  // namespace gw
