#pragma once
// Nudging: the image is a square window onto the placement canvas; a nudge moves the window one pixel and
// shows what it then covers, so pixels pushed out of view come back when nudged back.

#include "editor/core/EditorState.h"

namespace gw {

// The eight directions, named by how the picture moves as the user sees it.
enum class NudgeDirection { Right, Left, Down, Up, UpLeft, UpRight, DownRight, DownLeft };

// What a nudge adds to the window's left and right (dx) and top and bottom (dy): the window moves against
// the picture.
Point NudgeDelta(NudgeDirection d);

// Shows `window` of the placement canvas as the image and mask; parts beyond the canvas read transparent
// (TransparentColor, mask white). The canvas is not written.
void ShowPlacementWindow(EditorState& s, const Rect& window);

// Moves PlacementWindowRect by the direction's delta, shows it, redraws the edit area and pushes undo. The
// canvas stays as it is. The caller drops the tool stage first.
void Nudge(EditorState& s, NudgeDirection d);

}  // namespace gw
