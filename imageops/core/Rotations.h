#pragma once
// Whole-image quarter turns and flips, and the delete of the selected rectangle.

#include "editor/core/EditorState.h"

namespace gw {

// W(y, S - 1 - x) := I(x, y) for image and mask, then PushUndo, RefreshEditArea, SyncPlacementCanvas.
void RotateImageCounterClockwise(EditorState& s);

// "Rotate Image 90 Degrees Left": the placement canvas is reset around the image, the image before the turn
// is pushed, then the turn (which pushes the turned image): two undo states. The caller drops the tool
// stage first.
void RotateImageLeft(EditorState& s);

// "Rotate Image 90 Degrees Right": as the left turn, with the region turn over the whole edit area.
void RotateImageRight(EditorState& s);

// The whole-image flips: the canvas is reset around the image, the whole edit area is mirrored left to
// right (horizontal) or top to bottom, then PushUndo, RefreshEditArea, SyncPlacementCanvas: one undo state.
void FlipImage(EditorState& s, bool horizontal);

// Whether a rectangle selection of the move/copy tool is live (made or floating).
bool RectangleSelectionLive(const EditorState& s);
// Makes the cells of SelectionRect transparent (TransparentColor, mask white), whichever way its corners
// were dragged and clipped to the image, then PushUndo, RefreshEditArea, SyncPlacementCanvas. The caller
// checks that the selection is live and drops the tool stage.
void DeleteSelectedRectangle(EditorState& s, const Rect& selection);

}  // namespace gw
