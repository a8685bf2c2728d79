#pragma once
// The edit area's mouse handling: one state machine over CurrentTool and ToolStage, fed with edit-area
// pixels, the button and the Shift key. Every tool paints on iconimage and iconmask in cells, then redraws
// the magnified view and syncs the placement canvas; rubber bands and the curve are drawn inverted on the
// image and mask, selection outlines on the edit area only. Every release pushes an undo state.
//
// What the window does around it (undo buttons, the tool buttons, the colour group) goes through ToolHost.

#include "editor/core/EditorState.h"

namespace gw {

enum class MouseButton : int { None = 0, Left = 1, Right = 2, Middle = 3 };

// The window's part in what the tools do. The defaults work on the state alone (what tests use).
class ToolHost {
 public:
  virtual ~ToolHost() = default;
  // Stores the image and mask in the undo ring.
  virtual void PushUndo(EditorState& s);
  // Chooses tool `index` (0 ... 16) as its button would; 17 and above do nothing.
  virtual void SelectToolByIndex(EditorState& s, int index);
  // Shows a picked colour on the readouts and bars (which puts it into the selected entry and last pen).
  virtual void ShowColorComponents(EditorState& s, Color c);
};

// The cursor over the edit area.
enum class EditAreaCursor { Arrow, Pencil, FloodFill, ColorSelector, Rotate, UpArrow, SizeAll, SizeWE, SizeNS };

// What a move shows besides the drawing.
struct MoveReadout {
  Point cell;                          // for ShowCursorPosition
  Color pixelColor = kInvalidColor;    // the edit area's pixel under the pointer, for ShowPixelColor
  bool transparent = false;            // "Transparent" (else "Opaque")
  EditAreaCursor cursor = EditAreaCursor::Arrow;
};

void editareaMouseDown(EditorState& s, ToolHost& host, MouseButton button, bool shift, int x, int y);
MoveReadout editareaMouseMove(EditorState& s, ToolHost& host, bool shift, int x, int y);
void editareaMouseUp(EditorState& s, ToolHost& host, MouseButton button, bool shift, int x, int y);

// The state part of choosing a tool: drops the tool stage (a curve in progress is kept as drawn and pushed
// as an undo state), makes `code` current, pushes undo for the horizontal flip, redraws, syncs and resets the
// placement canvas.
void ChooseToolState(EditorState& s, ToolHost& host, int code);

// The cursor of the current tool and stage at an edit-area pixel.
EditAreaCursor ToolCursorAt(const EditorState& s, int x, int y);

// A move's pointer position as the tools see it (every tool but the curve): left of or above the edit area
// counts as 0, right of or below it as one cell past the last.
Point ClampToEditArea(const EditorState& s, Point p);

}  // namespace gw
