// Commands whose behaviour is still to be built. Each handler is connected to its menu item, button or
// event already; the work moves out of this file, concern by concern, as it is written. The groups follow
// the sections of ficon.h.
#include <QToolButton>

#include "editor/ui/ficon.h"

namespace gw {

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
