#pragma once
// The snapshot's set-up dialog: the size of the screen square to capture, the image's own size first.

#include <QDialog>

#include "ui_fsnapshotsetup.h"

namespace gw {

class TForm1;

class TSnapShotSetup : public QDialog, public Ui::SnapShotSetup {
  Q_OBJECT
 public:
  explicit TSnapShotSetup(TForm1* owner);
  void FormCreate();
  void ButtonOkClick();  // SnapShotAreaText := the chosen size; ends with OK

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // Return presses the focused button

 private:
  TForm1* owner_;
};

}  // namespace gw
