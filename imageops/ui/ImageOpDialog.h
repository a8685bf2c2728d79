#pragma once
// What the six image-operation dialogs share. Each is a modeless window of the main window, made by its
// command, placed beside the main window and freed when it closes. It keeps its own copy of the image and
// mask from when it opened, so Reset and Cancel return to that picture whatever other dialogs or tools do
// with the work images meanwhile.

#include <QDialog>
#include <QPoint>
#include <QRect>

#include "platform/Bitmap.h"

namespace gw {

class TForm1;

// Where an image-operation dialog's outer frame goes: left = floor(main left + main width x 0.55), top =
// floor(main top + main height x 0.3), from the main window's outer frame.
QPoint ImageOpDialogPosition(const QRect& mainFrame);

class TImageOpDialog : public QDialog {
  Q_OBJECT
 public:
  const Bitmap& KeptImage() const { return keptImage_; }
  const Bitmap& KeptMask() const { return keptMask_; }

 protected:
  // Takes the kept copy from the main window's image.
  explicit TImageOpDialog(TForm1& main);
  // The end of every dialog's set-up, after its form is built.
  void PlaceBesideMainWindow();
  // Reset: when the image or mask shown differs from the kept copy, the copy comes back on screen and in
  // the placement canvas and one undo state is pushed, so Undo walks back through what was cancelled and a
  // later edit undoes to the restored picture. When nothing differs, nothing happens.
  void RestoreKeptCopy();
  // "Reset": the kept copy back (a dialog that keeps more than the picture brings that back too).
  virtual void Reset() { RestoreKeptCopy(); }
  // "Cancel", and the Escape key: Reset, then close. The window's close box keeps the picture, as "Done".
  void Cancel();
  // Escape is "Cancel"; Return presses the focused button and does nothing elsewhere.
  void keyPressEvent(QKeyEvent* event) override;
  // Where the restored picture goes in the placement canvas: its home square, by default.
  virtual void PlaceRestoredImage();

  TForm1& Main;

 private:
  Bitmap keptImage_, keptMask_;
};

}  // namespace gw
