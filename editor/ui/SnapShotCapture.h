#pragma once
// The live part of the desktop snapshot: while it runs it holds the pointer and the keyboard, and a short
// timer grabs the screen square around the pointer. The first key or mouse button press ends it with the
// last square; the press and its release are its own, so they reach nothing else.

#include <QString>
#include <QWidget>

#include "platform/Bitmap.h"

class QTimer;

namespace gw {

class TSnapShotCapture : public QWidget {
  Q_OBJECT
 public:
  // `owner` is the window whose pointer and keyboard grabs the capture takes over.
  TSnapShotCapture(QWidget* owner, int edge);
  ~TSnapShotCapture() override;

  // Takes the pointer and keyboard and starts following the pointer. On failure releases what it took,
  // sets `problem` to what the user is told, and returns false.
  bool start(QString& problem);
  const Bitmap& lastSquare() const { return square_; }

  inline static const QString NoX11Text =
      QStringLiteral("The desktop snapshot needs an X11 session; there is none.");
  inline static const QString GrabFailedText =
      QStringLiteral("The desktop snapshot cannot take the pointer and keyboard: another program holds them.");
  inline static const QString ScreenFailedText =
      QStringLiteral("The desktop snapshot cannot read the screen.");

 signals:
  void frame(const Bitmap& square);   // each new square under the pointer
  void ended(const Bitmap& square);   // the ending press, with the last square
  void finished();                    // its release: the grabs are given back

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  bool captureSquare();  // false when the screen cannot be read
  void end();
  void release();

  int edge_;
  QTimer* timer_;
  Bitmap square_;
  bool grabbed_ = false;
  bool ended_ = false;
};

}  // namespace gw
