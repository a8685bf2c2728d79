#pragma once
// A view of one of the editor's bitmaps: paints it stretched to the widget and reports mouse events in the
// bitmap's own pixel coordinates.

#include <QWidget>

#include "platform/Bitmap.h"

class QImage;

namespace gw {

// The bitmap's pixels as a QImage (0x00BBGGRR to 0xFFRRGGBB), converted row by row in one pass.
QImage ToQImage(const Bitmap& bmp);

class TImageView : public QWidget {
  Q_OBJECT
 public:
  explicit TImageView(QWidget* parent = nullptr);

  // The bitmap shown; not owned. nullptr shows an empty (white) view.
  void setBitmap(const Bitmap* bmp);
  const Bitmap* bitmap() const { return bmp_; }

  // Widget position to bitmap pixel (identity when the widget is the bitmap's size). Positions outside the
  // widget map outside the bitmap.
  QPoint toBitmap(QPointF widgetPos) const;

 signals:
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
  void mouseMove(Qt::KeyboardModifiers modifiers, int x, int y);
  void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const Bitmap* bmp_ = nullptr;
};

}  // namespace gw
