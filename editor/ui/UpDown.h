#pragma once
// An up-down control: two small arrow buttons that step a whole number between Min and Max and show it in
// an attached edit. A click first takes the edit's own number, when it holds one, so that typing and
// stepping agree.

#include <QWidget>

class QLineEdit;
class QToolButton;

namespace gw {

class TUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TUpDown(QWidget* parent = nullptr);

  void setAssociate(QLineEdit* edit) { associate_ = edit; }
  void setRange(int min, int max);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  // Clamped to Min ... Max; the attached edit shows it.
  void setPosition(int position);
  // One step up (+1) or down (-1), stopping at the ends.
  void step(int delta);

  QToolButton* upButton() const { return up_; }
  QToolButton* downButton() const { return down_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QLineEdit* associate_ = nullptr;
  QToolButton* up_;
  QToolButton* down_;
  int min_ = 0, max_ = 100, position_ = 0;
};

}  // namespace gw
