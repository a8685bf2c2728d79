#pragma once
// The editor's state: one object, owned by the main window and passed by reference to every engine.
// Member names follow the names the editor's documentation gives them.

#include <array>
#include <cstdint>
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

// A logical palette as the icon files store their colour tables: a version word (0x300), the entry count and
// one (red, green, blue, flags) record per entry.
struct PaletteEntry {
  std::uint8_t peRed = 0, peGreen = 0, peBlue = 0, peFlags = 0;
  friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};
struct LogPalette {
  std::uint16_t palVersion = 0x300;
  std::uint16_t palNumEntries = 0;
  std::vector<PaletteEntry> palPalEntry;
  // Entry i as a colour value 0x00BBGGRR.
  Color color(int i) const {
    const PaletteEntry& e = palPalEntry.at(static_cast<std::size_t>(i));
    return MakeColor(e.peRed, e.peGreen, e.peBlue);
  }
};

// An image of the opened file other than the one edited, written back as it was read: the first 8 bytes of
// its directory entry (width, height, colour count, reserved, and the planes and bit-count words, which hold
// a cursor's hot spot) and its bytes (the entry's byte count). An entry that named the same bytes as an
// earlier one holds none of its own: sameBytesAs is that entry's place in the saved directory (0 the edited
// image, i the i-th kept image), -1 for an image with bytes of its own.
struct KeptFileImage {
  std::array<std::uint8_t, 8> entry{};
  std::vector<std::uint8_t> bytes;
  int sameBytesAs = -1;
  friend bool operator==(const KeptFileImage&, const KeptFileImage&) = default;
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
  Rect SelectionRect;            // edit-area pixels
  Rect PrevSelectionRect;        // edit-area pixels: where the selected rectangle was before the current move
  Rect MoveCellRect;             // cells: where the floating rectangle now lies
  std::vector<Point> ShapePoints, ShapeOutline, ShapeCells;  // 1024 points each, made at start-up
  std::array<Point, 4> CurvePoints{};

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
  // The colour table of the 16- or 256-colour file the image was read from (16 or 256 entries), empty for an
  // image made new. While the image lasts it takes the place of the type's default table: the grid and pens
  // offer it, the palette reductions and Save map to it, Reset Color Palette brings it back.
  std::vector<Color> FileColorTable;
  Palette DefaultMonoPalette, DefaultPalette16, DefaultPalette256, Palette16, Palette256;
  int SelectedPaletteIndex = 0;
  Rect SelectedColorCellRect;
  Color LeftPenColor = kBlack;
  Color RightPenColor = kWhite;
  bool LastPenIsLeft = true;

  // --- Logical palettes, colour grid and colour readouts -------------------------------------------------
  LogPalette MonoLogPalette, DefaultMonoLogPalette;      // 2 entries each
  LogPalette LogPalette16, DefaultLogPalette16;          // 16
  LogPalette LogPalette256, DefaultLogPalette256;        // 256
  Bitmap colorgrd;                                       // the colour grid as shown
  int ColorGridEntries = 0;                              // cells of the grid as laid out: 2, 16 or 256
  bool ColorBarsVisible = false;                         // scrRed, scrGreen, scrBlue shown
  int scrRedPosition = 0, scrGreenPosition = 0, scrBluePosition = 0;
  std::string rdLabel = "Red=", grLabel = "Green=", blLabel = "Blue=";      // picked colour
  std::string rdLabel2 = "Red=", grLabel2 = "Green=", blLabel2 = "Blue=";   // colour under the mouse

  // --- Cursor hot spot -------------------------------------------------------------------------------
  int CursorHotSpotX = 0;
  int CursorHotSpotY = 0;

  // --- Options (menu check marks, remembered in the settings file) ---------------------------------------
  bool ShowHints = true;
  bool RightButtonEraser = false;
  bool DoNotScaleImportedImages = false;

  // --- Files and start-up ----------------------------------------------------------------------------
  std::string CurrentFileName;
  std::string ExeIconSourceFile;
  std::string SettingsPath;
  bool Creating = false;

  // --- Drawing tools ---------------------------------------------------------------------------------
  int ShapePointCount = 0;       // points of the free-form outline (while drawing: index of the last one)
  Color ImagePenColor = kBlack;  // the image pen of the stroke, band or curve in progress (the curve keeps it)
  bool BandDrawn = false;        // a rubber band is drawn inverted on the image and mask (start to last cell)
  int PressedButton = 0;         // the button of the press in progress (a MouseButton), 0 for none
  bool RightEraserStroke = false;  // the press in progress is a right-button eraser stroke
  int RightEraserTag = 0;        // "Use Right Mouse Button as an Eraser": the tool the stroke replaced
  int ColorSelectorTag = 0;      // bcolorselector: the tool that was current when the selector was chosen

  // --- Icon and cursor files -------------------------------------------------------------------------
  // The file Save writes: set by a successful read and by the save dialogs of Save and Save As, cleared by a
  // new image. Export and the palette save never set it.
  std::string IconSaveTarget;
  // The other images of the file the image was read from, in the file's order, empty for an image made new.
  // Save writes them unchanged after the edited image, as the file's second and later entries.
  std::vector<KeptFileImage> FileOtherImages;

  // --- Picture import and export, palette files ------------------------------------------------------

  // --- Image operations ------------------------------------------------------------------------------
  // The gradient fill's settings: live for the run, changed only by the dialog's Apply.
  Color GradientColor1 = kBlack;
  Color GradientColor2 = kWhite;
  bool GradientExcludeTransparent = true;
  int GradientOrientation = 0;   // 0 vertical, 1 horizontal

  // --- Clipboard, snapshot, text, hot spot -----------------------------------------------------------
  std::string SnapShotAreaText;  // the square chosen in the snapshot set-up ("16x16" ... "64x64")
};

}  // namespace gw
