// Undo and redo: the Edit menu items, the two tool-bar buttons and their enabling, over the undo ring in
// editor/core/UndoRing.
#include "editor/core/UndoRing.h"
#include "editor/ui/ficon.h"

namespace gw {

void TForm1::UpdateUndoButtons() {
  bUndo->setEnabled(UndoPossible(State));
  bRedo->setEnabled(RedoPossible(State));
}

void TForm1::PushUndo() { PushUndo(State); }

void TForm1::PushUndo(EditorState& s) {
  gw::PushUndo(s);
  UpdateUndoButtons();
}

// A step replaces the image whole: whatever the tools had in progress belongs to the image it leaves.
void TForm1::Undo1Click() {
  DropToolStage(DropKind::ReplacesImage);
  if (UndoStep(State)) RepaintImageViews();
  UpdateUndoButtons();
}

void TForm1::Redo1Click() {
  DropToolStage(DropKind::ReplacesImage);
  if (RedoStep(State)) RepaintImageViews();
  UpdateUndoButtons();
}

void TForm1::bUndoClick() { Undo1Click(); }
void TForm1::bRedoClick() { Redo1Click(); }

}  // namespace gw
