// Commands whose behaviour is still to be built. Each handler is connected to its menu item, button or
// event already; the work moves out of this file, concern by concern, as it is written. The groups follow
// the sections of ficon.h.
#include <QToolButton>

#include "editor/ui/ficon.h"

namespace gw {

// ---- Icons from program files ---------------------------------------------------------------------------
void TForm1::OpenProgramFileIcons(const QString&) {}

}  // namespace gw
