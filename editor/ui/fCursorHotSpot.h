#pragma once
// The cursor hot spot dialog: the hot spot counted from 1, with a range label and arrows for each
// coordinate.

#include <QDialog>

#include "editor/ui/UpDown.h"
#include "ui_fCursorHotSpot.h"

namespace gw {

class TForm1;

inline const QString InvalidHotSpotCaption = QStringLiteral("Invalid Hot Spot");
// "The horizontal (X) hot spot must be a whole number from 1 to 32."
QString InvalidHotSpotText(bool horizontal, int iconSize);

class TCursorHotSpot : public QDialog, public Ui::CursorHotSpot {
  Q_OBJECT
 public:
  explicit TCursorHotSpot(TForm1* owner);
  void FormCreate();
  // Stores both coordinates and closes with OK; a value outside the image is refused with a message, and
  // the dialog stays open with nothing stored.
  void ButtonOkClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // Return presses the focused button

 private:
  TForm1* owner_;
};

}  // namespace gw
