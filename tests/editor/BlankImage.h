#pragma once
// Test set-up shared by the engine tests: the state laid out for a blank size x size image, as a new image
// leaves the bitmaps and rectangles (the undo ring and palettes are left to each test).

#include "editor/core/EditArea.h"
#include "editor/core/EditorState.h"

namespace gw {

inline void LayOutBlankImage(EditorState& s, int size, Color transparent = kWhite) {
  const int zoom = CellSizeFor(size);
  s.IconSize = size;
  s.CellSize = zoom;
  s.TransparentColor = transparent;
  s.IconRect = {0, 0, size, size};
  s.EditAreaRect = {0, 0, size * zoom, size * zoom};
  s.CurrentPlacementRect = PlacementRectFor(size);
  s.iconimage.resize(size, size, transparent);
  s.iconmask.resize(size, size, kWhite);
  s.editarea.resize(size * zoom, size * zoom, kWhite);
  ResizePlacementCanvas(s, 4 * size);
}

}  // namespace gw
