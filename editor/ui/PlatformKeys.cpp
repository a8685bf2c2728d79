#include "editor/ui/PlatformKeys.h"

#include <QKeyEvent>
#include <QPushButton>

namespace gw {

void TScrollBar::keyPressEvent(QKeyEvent* event) {
  // Qt's scroll bar inverts its controls so that Down, Page Down and End move a vertical bar's thumb
  // towards its lower end; that also turns Left and Right round on a horizontal bar.
  switch (event->key()) {
    case Qt::Key_Left: triggerAction(SliderSingleStepSub); break;
    case Qt::Key_Right: triggerAction(SliderSingleStepAdd); break;
    default: QScrollBar::keyPressEvent(event); break;
  }
}

bool PressFocusedButton(const QWidget& dialog, const QKeyEvent& event) {
  const bool isReturn = event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter;
  const Qt::KeyboardModifiers allowed = event.key() == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
  if (!isReturn || (event.modifiers() & ~allowed)) return false;
  auto* button = qobject_cast<QPushButton*>(dialog.focusWidget());
  if (!button || !button->isEnabled() || button->window() != dialog.window()) return false;
  button->click();
  return true;
}

}  // namespace gw
