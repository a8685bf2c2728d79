#pragma once
// The edit area: the mapping between edit-area pixels and image cells, the redraw of the magnified view, and
// the placement canvas the image sits in.

#include "editor/core/EditorState.h"

namespace gw {

// Zoom (screen pixels per image pixel) for an image edge: 20, 13, 10, 8, 7, 6, 5 for 16 ... 64; 0 otherwise.
int CellSizeFor(int size);
// The image's home square inside the 4S placement canvas: (3S/2, 3S/2, 5S/2, 5S/2).
Rect PlacementRectFor(int size);

// A pixel on a cell's left or top edge belongs to the cell before it: cell k >= 1 is hit by pixels
// kZ+1 ... (k+1)Z, cell 0 by pixels 0 ... Z.
Point PixelToCell(Point p, int cellSize);
Rect PixelRectToCellRect(const Rect& r, int cellSize);  // each edge divided by Z, truncating
Point CellToPixel(Point cell, int cellSize);
Rect CellRectToPixelRect(const Rect& r, int cellSize);

// Copies IconRect of iconimage onto editarea at EditAreaRect, magnified.
void RefreshEditArea(EditorState& s);
// Copies the image and mask to the home square of the placement canvas; the window moves back there.
void SyncPlacementCanvas(EditorState& s);
// Clears the whole placement canvas (TransparentColor, mask white) and puts the image and mask at r.
void ResetPlacementCanvas(EditorState& s, const Rect& r);
// Resizes the placement pair to e x e and clears it.
void ResizePlacementCanvas(EditorState& s, int e);
// Copies IconRect of src onto IconRect of dst.
void CopyIconImage(const EditorState& s, const Bitmap& src, Bitmap& dst);
// Fills the whole bitmap with c.
void FillImage(Bitmap& image, Color c);

struct RGBParts {
  int red = 0, green = 0, blue = 0;
};
RGBParts SplitColor(Color c);

}  // namespace gw
