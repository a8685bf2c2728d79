#pragma once
// Test set-up of the selection and rotation engines: a size x size image in which every pixel has its own
// colour and every fifth pixel is transparent, with the work images, rotation canvas, point lists and undo
// ring sized as start-up and a new image leave them.

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"
#include "tests/editor/BlankImage.h"

namespace gw {

inline void LayOutPatternedImage(EditorState& s, int size) {
  LayOutBlankImage(s, size);
  for (Bitmap& w : s.WorkImages) w.resize(size, size, kWhite);
  s.RotateCanvas.resize(128, 128);
  s.RotateMask.resize(128, 128);
  s.ShapePoints.assign(1024, Point{});
  s.ShapeOutline.assign(1024, Point{});
  s.ShapeCells.assign(1024, Point{});
  ResetUndoRing(s, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const bool clear = (x + 3 * y) % 5 == 0;
      s.iconimage.setPixel(x, y, clear ? s.TransparentColor : MakeColor(x * 3, y * 3, 7));
      s.iconmask.setPixel(x, y, clear ? kWhite : kBlack);
    }
}

}  // namespace gw
