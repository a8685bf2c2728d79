#pragma once
// The undo ring: 50 snapshot pairs of the image and its mask.
// UndoPossible/RedoPossible give the enabling of the Undo and Redo buttons.

#include "editor/core/EditorState.h"

namespace gw {

// Empties the ring and sizes its 100 bitmaps to size x size.
void ResetUndoRing(EditorState& s, int size);
// Stores iconimage/iconmask as the newest state, dropping undone states; sets Modified.
void PushUndo(EditorState& s);
// The same without touching Modified (the first state of a new image).
void PushUndoQuiet(EditorState& s);
// Show the previous / next state: copy it back into iconimage and iconmask, then RefreshEditArea and
// SyncPlacementCanvas. Return false when there was nothing to step to.
bool UndoStep(EditorState& s);
bool RedoStep(EditorState& s);
inline bool UndoPossible(const EditorState& s) { return s.UndoPos >= 1; }
inline bool RedoPossible(const EditorState& s) { return s.UndoPos < s.UndoTop; }

}  // namespace gw
