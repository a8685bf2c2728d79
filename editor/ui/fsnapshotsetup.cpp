#include "editor/ui/fsnapshotsetup.h"

#include "editor/core/SnapShot.h"
#include "editor/ui/FormFit.h"
#include "editor/ui/PlatformKeys.h"
#include "editor/ui/ficon.h"

namespace gw {

TSnapShotSetup::TSnapShotSetup(TForm1* owner) : QDialog(owner), owner_(owner) {
  setupUi(this);
  FitFormToTexts(this);
  setFixedSize(size());
  ButtonOk->setDefault(true);
  connect(ButtonOk, &QPushButton::clicked, this, &TSnapShotSetup::ButtonOkClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
  ButtonOk->setFocus();
  // Centred on the main window.
  move(owner->geometry().center() - rect().center());
}

void TSnapShotSetup::FormCreate() {
  ComboBoxSnapShotArea->clear();
  for (const std::string& choice : SnapShotChoices(owner_->state().IconSize))
    ComboBoxSnapShotArea->addItem(QString::fromStdString(choice));
  ComboBoxSnapShotArea->setCurrentIndex(0);
}

void TSnapShotSetup::ButtonOkClick() {
  owner_->state().SnapShotAreaText = ComboBoxSnapShotArea->currentText().toStdString();
  accept();
}

void TSnapShotSetup::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QDialog::keyPressEvent(event);
}

}  // namespace gw
