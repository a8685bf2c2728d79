#pragma once
// The editor's state: one object, owned by the main window and passed by reference to every engine.
// Member names follow the names the editor's documentation gives them.

#include <array>
#include <string>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Geometry.h"
#include "platform/Palette.h"

namespace gw {

inline constexpr int kUndoDepth = 50;
inline constexpr int kWorkImageCount = 8;

// Image types, as stored in IconType and in the settings file.
enum IconTypeCode : int {
  kType16Color = 0,
  kType256Color = 1,
  kTypeTrueColor = 2,
  kTypeMono = 3,
  kTypeCursor = 4,
};

struct EditorState {
  // --- Type, size and layout -------------------------------------------------------------------------
  int IconType = kTypeTrueColor;
  int IconSize = 0;
  int CellSize = 8;
  Color TransparentColor = 0;
  Rect IconRect;                 // (0, 0, S, S)
  Rect EditAreaRect;             // (0, 0, S*Z, S*Z)
  Rect CurrentPlacementRect{48, 48, 80, 80};
  Rect PlacementWindowRect;

  // --- The image and its views -----------------------------------------------------------------------
  Bitmap iconimage;              // the document: colours, transparent pixels hold TransparentColor
  Bitmap iconmask;               // 0xFFFFFF transparent, 0x000000 opaque
  Bitmap editarea;               // iconimage magnified by CellSize
  std::array<Bitmap, kWorkImageCount> WorkImages;
  Bitmap PlacementCanvas;        // 4S x 4S, background TransparentColor
  Bitmap PlacementMask;          // 4S x 4S, background white
  Bitmap PickedIconImage, PickedIconMask;
  Bitmap RotateCanvas, RotateMask;

  // --- Tools -----------------------------------------------------------------------------------------
  int CurrentTool = 0;           // 0 = pencil
  int ToolStage = 0;             // 1 = idle
  bool MouseDrawing = false;
  std::array<int, 8> DragPoints{};
  Rect SelectionRect;

  // --- Undo ring -------------------------------------------------------------------------------------
  std::array<Bitmap, kUndoDepth> UndoImages;
  std::array<Bitmap, kUndoDepth> UndoMasks;
  int UndoTop = -1;
  int UndoPos = -1;
  bool Modified = false;

  // --- Palettes and pens -----------------------------------------------------------------------------
  std::vector<Color> MonoColors, DefaultMonoColors;      // 2 each
  std::vector<Color> Colors16, DefaultColors16;          // 16 each
  std::vector<Color> Colors256, DefaultColors256;        // 256 each
  std::vector<Color> TrueColorGrid;                      // 256
  Palette DefaultMonoPalette, DefaultPalette16, DefaultPalette256, Palette16, Palette256;
  int SelectedPaletteIndex = 0;
  Rect SelectedColorCellRect;
  Color LeftPenColor = kBlack;
  Color RightPenColor = kWhite;
  bool LastPenIsLeft = true;

  // --- Cursor hot spot -------------------------------------------------------------------------------
  int CursorHotSpotX = 0;
  int CursorHotSpotY = 0;

  // --- Options (menu check marks, remembered in the settings file) ---------------------------------------
  bool ShowHints = true;
  bool RightButtonEraser = false;
  bool DoNotScaleImportedImages = false;

  // --- Files and start-up ----------------------------------------------------------------------------
  std::string CurrentFileName;
  std::string SettingsPath;
  bool Creating = false;
};

}  // namespace gw
