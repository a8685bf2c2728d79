// The Image menu's transparency and opacity commands, over the engines in editor/core/Transparency.
#include "editor/core/Transparency.h"
#include "editor/ui/ficon.h"

namespace gw {

// Each ends the tools' work in progress, then the engine changes the image, pushes undo, redraws the edit area
// and syncs the placement canvas; the window shows the result.
void TForm1::RunTransparencyCommand(void (*command)(EditorState&)) {
  DropToolStage(DropKind::ChangesImage);
  command(State);
  UpdateUndoButtons();
  RepaintImageViews();
}

void TForm1::MakeWhiteTransparent1Click() { RunTransparencyCommand(&gw::MakeWhiteTransparent1Click); }
void TForm1::MakeRightPenColorTransparent1Click() {
  RunTransparencyCommand(&gw::MakeRightPenColorTransparent1Click);
}
void TForm1::MakeLeftPenColorOpaque1Click() { RunTransparencyCommand(&gw::MakeLeftPenColorOpaque1Click); }
void TForm1::MakeRightPenColorOpaque1Click() { RunTransparencyCommand(&gw::MakeRightPenColorOpaque1Click); }

}  // namespace gw
