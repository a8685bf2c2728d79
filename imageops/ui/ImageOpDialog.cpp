#include "imageops/ui/ImageOpDialog.h"

#include <QKeyEvent>
#include <cmath>

#include "editor/core/EditArea.h"
#include "editor/ui/PlatformKeys.h"
#include "editor/ui/ficon.h"

namespace gw {

QPoint ImageOpDialogPosition(const QRect& mainFrame) {
  const double left = std::floor(mainFrame.x() + mainFrame.width() * 0.55);
  const double top = std::floor(mainFrame.y() + mainFrame.height() * 0.3);
  return {static_cast<int>(left), static_cast<int>(top)};
}

TImageOpDialog::TImageOpDialog(TForm1& main)
    : QDialog(&main), Main(main), keptImage_(main.state().iconimage), keptMask_(main.state().iconmask) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
}

void TImageOpDialog::PlaceBesideMainWindow() { move(ImageOpDialogPosition(Main.frameGeometry())); }

void TImageOpDialog::RestoreKeptCopy() {
  EditorState& s = Main.state();
  if (s.iconimage == keptImage_ && s.iconmask == keptMask_) return;
  Main.DropToolStage(DropKind::ChangesImage);
  CopyIconImage(s, keptImage_, s.iconimage);
  CopyIconImage(s, keptMask_, s.iconmask);
  RefreshEditArea(s);
  PlaceRestoredImage();
  Main.PushUndo();
  Main.RepaintImageViews();
}

void TImageOpDialog::Cancel() {
  Reset();
  close();
}

void TImageOpDialog::keyPressEvent(QKeyEvent* event) {
  // The dialog's own Escape would only close it (as the close box does), keeping the change.
  if (event->matches(QKeySequence::Cancel)) {
    Cancel();
    return;
  }
  if (PressFocusedButton(*this, *event)) return;
  QDialog::keyPressEvent(event);
}

void TImageOpDialog::PlaceRestoredImage() { SyncPlacementCanvas(Main.state()); }

}  // namespace gw
