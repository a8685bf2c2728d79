#pragma once
// Our own pictures: the drawing tools' buttons (black normally, green under the mouse), the command
// buttons, the window icon and the six tool cursors. All are drawn here with QPainter.

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace gw {

// Picture numbers of the drawing tool bar.
enum ToolPictureIndex : int {
  kPicPencil = 0, kPicLine = 1, kPicCircle = 2, kPicRect = 3, kPicFilledCircle = 4, kPicFilledRect = 5,
  kPicFloodFill = 6, kPicMoveRect = 7, kPicMoveShape = 8, kPicEraser = 9, kPicCurves = 10, kPicSnapshot = 11,
  kPicFlipH = 12, kPicFlipV = 13, kPicRotate = 14, kPicColorSub = 15, kPicRoundRect = 16,
  kPicRoundFilledRect = 17, kPicText = 18, kPicColorSelector = 19,
};
inline constexpr int kToolPictureCount = 20;

enum class CommandPicture {
  Undo, Redo, Open, Save, PaletteOpen, PaletteSave, NudgeLeft, NudgeRight, NudgeUp, NudgeDown,
  NudgeUpLeft, NudgeUpRight, NudgeDownLeft, NudgeDownRight,
};

// 23 x 23 picture of a tool, drawn in the given ink.
QPixmap ToolButtonPicture(int index, const QColor& ink);
// The tool's icon: black normally and when disabled, green under the mouse.
QIcon ToolButtonIcon(int index);
// 16 x 16 command picture with its normal and disabled look.
QIcon CommandButtonIcon(CommandPicture picture);

// Screen-cursor slots of the tool cursors.
enum ToolCursorSlot : int {
  kCursorSnapshot = 30, kCursorFloodFill = 31, kCursorPencil = 32, kCursorEraser = 33, kCursorRotate = 34,
  kCursorColorSelector = 35,
};
// The cursor of a slot 30 ... 35 (the arrow for any other slot).
QCursor ToolCursor(int slot);
// The resource name of a slot: "SNAPSHOT", "FLOODFILL", "PENCIL", "ERASER", "ROTATE", "COLORSELECTOR".
const char* ToolCursorName(int slot);

QIcon WindowIcon();

}  // namespace gw
