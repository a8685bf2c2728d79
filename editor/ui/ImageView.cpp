#include "editor/ui/ImageView.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace gw {

QImage ToQImage(const Bitmap& bmp) {
  QImage img(bmp.width(), bmp.height(), QImage::Format_RGB32);
  for (int y = 0; y < bmp.height(); ++y) {
    const Color* src = bmp.row(y);
    auto* dst = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < bmp.width(); ++x) {
      const Color c = src[x];
      dst[x] = 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
    }
  }
  return img;
}

TImageView::TImageView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
}

void TImageView::setBitmap(const Bitmap* bmp) {
  bmp_ = bmp;
  update();
}

QPoint TImageView::toBitmap(QPointF pos) const {
  if (!bmp_ || width() <= 0 || height() <= 0 || (bmp_->width() == width() && bmp_->height() == height()))
    return {static_cast<int>(std::floor(pos.x())), static_cast<int>(std::floor(pos.y()))};
  return {static_cast<int>(std::floor(pos.x() * bmp_->width() / width())),
          static_cast<int>(std::floor(pos.y() * bmp_->height() / height()))};
}

void TImageView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!bmp_ || bmp_->width() <= 0 || bmp_->height() <= 0) {
    painter.fillRect(rect(), Qt::white);
    return;
  }
  painter.drawImage(rect(), ToQImage(*bmp_));
}

void TImageView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = toBitmap(event->position());
  emit mouseDown(event->button(), event->modifiers(), p.x(), p.y());
}

void TImageView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint p = toBitmap(event->position());
  emit mouseMove(event->modifiers(), p.x(), p.y());
}

void TImageView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = toBitmap(event->position());
  emit mouseUp(event->button(), event->modifiers(), p.x(), p.y());
}

}  // namespace gw
