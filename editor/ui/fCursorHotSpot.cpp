#include "editor/ui/fCursorHotSpot.h"

#include "editor/core/HotSpot.h"
#include "editor/ui/FormFit.h"
#include "editor/ui/PlatformKeys.h"
#include "editor/ui/ficon.h"
#include "platform/TextToInt.h"

namespace gw {

QString InvalidHotSpotText(bool horizontal, int iconSize) {
  return QStringLiteral("The %1 hot spot must be a whole number from 1 to %2.")
      .arg(horizontal ? QStringLiteral("horizontal (X)") : QStringLiteral("vertical (Y)"))
      .arg(iconSize);
}

TCursorHotSpot::TCursorHotSpot(TForm1* owner) : QDialog(owner), owner_(owner) {
  setupUi(this);
  FitFormToTexts(this);
  setFixedSize(size());
  UpDown_X->setAssociate(Edit_X);
  UpDown_Y->setAssociate(Edit_Y);
  ButtonOk->setDefault(true);
  connect(ButtonOk, &QPushButton::clicked, this, &TCursorHotSpot::ButtonOkClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
  move(owner->geometry().center() - rect().center());
}

void TCursorHotSpot::FormCreate() {
  const EditorState& s = owner_->state();
  Edit_X->setText(QString::fromStdString(HotSpotText(s.CursorHotSpotX)));
  Edit_Y->setText(QString::fromStdString(HotSpotText(s.CursorHotSpotY)));
  Range_X->setText(QString::fromStdString(HotSpotRangeText(s.IconSize)));
  Range_Y->setText(Range_X->text());
  for (auto [upDown, edit] : {std::pair{UpDown_X, Edit_X}, std::pair{UpDown_Y, Edit_Y}}) {
    upDown->setRange(1, s.IconSize);
    upDown->setAssociate(nullptr);  // the edit keeps what it shows, also outside the range
    upDown->setPosition(TextToInt(edit->text().toStdString()).value_or(1));
    upDown->setAssociate(edit);
  }
}

void TCursorHotSpot::ButtonOkClick() {
  EditorState& s = owner_->state();
  const HotSpotField bad = ApplyHotSpotEdits(s, Edit_X->text().trimmed().toStdString(),
                                             Edit_Y->text().trimmed().toStdString());
  if (bad == HotSpotField::None) {
    accept();
    return;
  }
  owner_->boxes().message(InvalidHotSpotText(bad == HotSpotField::X, s.IconSize), InvalidHotSpotCaption);
  QLineEdit* edit = bad == HotSpotField::X ? Edit_X : Edit_Y;
  edit->setFocus();
  edit->selectAll();
}

void TCursorHotSpot::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QDialog::keyPressEvent(event);
}

}  // namespace gw
