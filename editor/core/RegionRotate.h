#pragma once
// Mirroring and turning a rectangle of the image and its mask together: the flip and rotate tools' selections
// and the whole-image flips and rotation. Rectangles are passed in edit-area pixels (cell corners, corners in
// either order) and turned into cells; they are clipped to the edit area.

#include "editor/core/EditorState.h"

namespace gw {

// Edge of RotateCanvas and RotateMask.
inline constexpr int kRotateCanvasSize = 128;

// Where the icon sits in the rotation canvas: (off, off, off + IconSize, off + IconSize) with
// off = (128 - IconSize) / 2.
Rect RotateCanvasWindow(const EditorState& s);

// Mirrors the cells of rect left to right (horizontal) or top to bottom, in image and mask, through
// WorkImages[4] and [5]. No redraw, no undo push.
void FlipRegion(EditorState& s, bool horizontal, const Rect& rect);

// Turns the cells of rect 90 degrees clockwise in place, keeping the top-right corner: a w x h rectangle's
// content fills columns Right - h ... Right - 1 and rows Top ... Top + w - 1; cells of the rectangle it does not
// cover keep their pixels, turned pixels outside the icon are dropped. Then PushUndo, RefreshEditArea and
// SyncPlacementCanvas.
void RotateRegionClockwise(EditorState& s, const Rect& rect);

// Turns the rotate tool's selection rect (edit-area pixels, SelectionRect) 90 degrees clockwise about its
// centre, advances ToolStage by one and writes the turned rectangle (corners ordered) back into rect. No redraw,
// no undo push.
//
// The turns happen on RotateCanvas/RotateMask, where the icon sits in RotateCanvasWindow, so a turned selection
// may stick out of the icon and come back whole at the next turn. At odd stages the selection's footprint is
// the rectangle first selected, at even stages its turned shape; leaving an odd footprint empties it
// (transparent), leaving an even one gives back the picture from the backup WorkImages[2] and [3] taken at the
// first turn (transparent outside the icon).
//
// When the canvas is rebuilt: a turn at ToolStage 3 (the first of a selection) fills the canvas from the image
// and takes the backup. Dropping the selection (DropToolStage, ToolStage := 1) therefore invalidates the canvas:
// the next selection starts at stage 3. As a safeguard, a turn at a later stage whose canvas window no longer
// equals the image and mask exactly (the image changed without the selection being dropped) also starts
// afresh from the image, as a first turn of rect, so a stale canvas is never written back.
void RotateSelection(EditorState& s, Rect& rect);

}  // namespace gw
