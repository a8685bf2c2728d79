#include "editor/ui/UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "platform/TextToInt.h"

namespace gw {

TUpDown::TUpDown(QWidget* parent) : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  up_->setObjectName(QStringLiteral("up"));
  down_->setObjectName(QStringLiteral("down"));
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setIconSize(QSize(6, 6));
  }
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void TUpDown::resizeEvent(QResizeEvent*) {
  const int half = height() / 2;
  up_->setGeometry(0, 0, width(), half);
  down_->setGeometry(0, half, width(), height() - half);
}

void TUpDown::setRange(int min, int max) {
  min_ = min;
  max_ = std::max(min, max);
  position_ = std::clamp(position_, min_, max_);
}

void TUpDown::setPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  if (associate_) associate_->setText(QString::number(position_));
}

void TUpDown::step(int delta) {
  if (associate_)
    if (const std::optional<int> typed = TextToInt(associate_->text().toStdString()))
      position_ = std::clamp(*typed, min_, max_);
  setPosition(position_ + delta);
}

}  // namespace gw
