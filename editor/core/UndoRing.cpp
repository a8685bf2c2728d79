// The undo ring: 50 whole snapshots of the image and its mask. Slot 0 is the oldest state kept, UndoTop the
// newest and UndoPos the one now shown.
#include "editor/core/UndoRing.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "platform/Canvas.h"

namespace gw {

namespace {

// Steps 3 to 6 of a push: a new newest state after the shown one; a full ring loses its oldest state.
void StoreState(EditorState& s) {
  s.UndoTop += 1;
  if (s.UndoTop >= kUndoDepth) {
    // Slot k takes slot k + 1 for k = 0 ... 48; the old slot 0 ends up in slot 49 and is overwritten below.
    std::rotate(s.UndoImages.begin(), s.UndoImages.begin() + 1, s.UndoImages.end());
    std::rotate(s.UndoMasks.begin(), s.UndoMasks.begin() + 1, s.UndoMasks.end());
    s.UndoTop = kUndoDepth - 1;
  }
  s.UndoPos = s.UndoTop;
  const auto slot = static_cast<std::size_t>(s.UndoTop);
  Canvas(s.UndoImages[slot]).copyRect(s.IconRect, s.iconimage, s.IconRect);
  Canvas(s.UndoMasks[slot]).copyRect(s.IconRect, s.iconmask, s.IconRect);
}

void ShowState(EditorState& s) {
  const auto slot = static_cast<std::size_t>(s.UndoPos);
  Canvas(s.iconimage).copyRect(s.IconRect, s.UndoImages[slot], s.IconRect);
  Canvas(s.iconmask).copyRect(s.IconRect, s.UndoMasks[slot], s.IconRect);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace

void ResetUndoRing(EditorState& s, int size) {
  for (int k = 0; k < kUndoDepth; ++k) {
    s.UndoImages[static_cast<std::size_t>(k)].resize(size, size, kWhite);
    s.UndoMasks[static_cast<std::size_t>(k)].resize(size, size, kWhite);
  }
  s.UndoTop = -1;
  s.UndoPos = -1;
}

void PushUndo(EditorState& s) {
  s.Modified = true;
  if (RedoPossible(s)) s.UndoTop = s.UndoPos;  // the undone states are dropped
  StoreState(s);
}

void PushUndoQuiet(EditorState& s) { StoreState(s); }

bool UndoStep(EditorState& s) {
  if (s.UndoPos <= 0) return false;
  s.UndoPos -= 1;
  ShowState(s);
  return true;
}

bool RedoStep(EditorState& s) {
  if (s.UndoPos >= s.UndoTop) return false;
  s.UndoPos += 1;
  ShowState(s);
  return true;
}

}  // namespace gw
