// Commands whose behaviour is still to be built. Each handler is connected to its menu item, button or
// event already; the work moves out of this file, concern by concern, as it is written. The groups follow
// the sections of ficon.h.
#include <QToolButton>

#include "editor/ui/ficon.h"

namespace gw {

// ---- Shared by the commands below -----------------------------------------------------------------------
void TForm1::DropToolStage(DropKind kind) {
  gw::DropToolStage(State, kind);
  RefreshEditArea();
  RepaintImageViews();
}

void TForm1::EnterFloatingPicture(const Rect& cellRect) {
  gw::EnterFloatingPicture(State, cellRect);
  if (ActiveToolButton && ActiveToolButton != bmove) ActiveToolButton->setEnabled(true);
  ActiveToolButton = bmove;
  bmove->setChecked(true);
  bmove->setEnabled(false);
  RepaintImageViews();
}

// ---- Edit-area mouse and drawing tools ------------------------------------------------------------------
void TForm1::editareaMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}  // press on the edit area
void TForm1::editareaMouseMove(Qt::KeyboardModifiers, int, int) {}                   // move over the edit area
void TForm1::editareaMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int, int) {}    // release on the edit area

// ---- Icon and cursor files, transparency ----------------------------------------------------------------
void TForm1::Open1Click() {}                    // Icon > "&Open..."
bool TForm1::Save1Click() { return false; }     // Icon > "&Save": true only when the file was written
void TForm1::SaveAs1Click() {}                  // Icon > "Save &As..."
void TForm1::OpenIconFile(const QString&) {}    // the .ico or .cur file named on the command line
void TForm1::AllocateIconFileBlocks() {}        // the 29 per-format file blocks, made at start-up
void TForm1::Timer1Timer() {}                   // re-enables the edit area after a file read or an import

void TForm1::MakeWhiteTransparent1Click() {}          // Image > Transparency > "Make Left Pen Color Transparent"
void TForm1::MakeRightPenColorTransparent1Click() {}  // Image > Transparency > "Make Right Pen Color Transparent"
void TForm1::MakeLeftPenColorOpaque1Click() {}        // Image > Opacity > "Make Left Pen Color Opaque"
void TForm1::MakeRightPenColorOpaque1Click() {}       // Image > Opacity > "Make Right Pen Color Opaque"

// ---- Palette files, picture import and export -----------------------------------------------------------
void TForm1::Import1Click() {}                  // Icon > "Import..."
void TForm1::Export1Click() {}                  // Icon > "Export..."
void TForm1::bColorPalOpenClick() {}            // tool bar "Load Color Palette"
void TForm1::bColorPalSaveClick() {}            // tool bar "Save Color Palette"

// ---- Icons from program files ---------------------------------------------------------------------------
void TForm1::OpenProgramFileIcons(const QString&) {}

// ---- Clipboard, snapshot, text, hot spot, help and About ------------------------------------------------
// Tool bar "Desktop SnapShot". The button belongs to the tools' group, so a click has pressed it already;
// until the snapshot exists every click ends as a cancelled set-up does, changing nothing: the current
// tool's button shows pressed again.
void TForm1::bsnapshotClick() {
  if (ActiveToolButton) ActiveToolButton->setChecked(true);
}
void TForm1::btextClick() {}                    // tool bar "Insert Text"
void TForm1::CopytoClipboard1Click() {}         // Edit > "&Copy" (Ctrl+C)
void TForm1::Paste1Click() {}                   // Edit > "&Paste" (Ctrl+V)
void TForm1::CursorXYHotSpotClick() {}          // Tools/Defaults > "&Set Cursor Hot Spot..."
void TForm1::Help1Click() {}                    // Help > "&Help Topics" (F1)
void TForm1::About1Click() {}                   // Help > "&About..."

}  // namespace gw
