#pragma once
// Set-up shared by the image-operation tests: a laid-out image of a type whose undo ring holds it, with
// the palettes made, and helpers to fill it.

#include <functional>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"
#include "tests/editor/BlankImage.h"

namespace gw {

inline Color TransparentOf(int type) { return type == kTypeMono || type == kTypeCursor ? kAqua : kWhite; }

// A blank image of the type and size as a new image leaves it: canvas reset, one quiet undo state.
inline void StartImage(EditorState& s, int type, int size) {
  if (s.DefaultColors256.empty()) InitPalettes(s);
  s.IconType = type;
  LayOutBlankImage(s, size, TransparentOf(type));
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  ResetUndoRing(s, size);
  PushUndoQuiet(s);
  s.Modified = false;
}

// Every pixel: colour and mask from the functions of (x, y); then the canvas and the ring's newest state
// follow, as after an edit.
inline void Paint(EditorState& s, const std::function<Color(int, int)>& colour,
                  const std::function<Color(int, int)>& mask) {
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x) {
      s.iconimage.setPixel(x, y, colour(x, y));
      s.iconmask.setPixel(x, y, mask(x, y));
    }
  SyncPlacementCanvas(s);
  PushUndo(s);
}

inline Color Grey(int v) { return MakeColor(v, v, v); }
// A colour of its own for every pixel, and a mask pattern that tells positions apart too.
inline Color UniqueColor(int x, int y) { return MakeColor(x, y, 7); }
inline Color UniqueMask(int x, int y) { return (x * 3 + y) % 5 == 0 ? kWhite : kBlack; }

}  // namespace gw
