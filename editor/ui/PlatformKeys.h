#pragma once
// Keys as the platform's controls take them where Qt's own differ: the arrows on a scroll bar, and Return on
// a focused button of a dialog that has no default button.

#include <QScrollBar>

class QKeyEvent;

namespace gw {

// Every scroll bar of the program (the forms name this class). Left and Up step the value down, Right and
// Down step it up, on either orientation, as the bar's arrows point; Qt's horizontal bar takes Left and
// Right the other way round. Page Up and Page Down step a page down and up, Home and End go to the ends.
class TScrollBar : public QScrollBar {
  Q_OBJECT
 public:
  explicit TScrollBar(QWidget* parent = nullptr) : QScrollBar(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// Return or Enter without modifiers (Enter also from the keypad) clicks the enabled push button that has the
// focus in `dialog`, and returns true. Otherwise returns false and leaves the key to the dialog. The dialogs
// that call it keep their buttons from becoming default buttons, so Return elsewhere in them does only what
// the dialog itself gives it.
bool PressFocusedButton(const QWidget& dialog, const QKeyEvent& event);

}  // namespace gw
