#pragma once
// The About box: product name, version and the address comments go to, which opens a mail to it.

#include <QDialog>
#include <QUrl>
#include <functional>

#include "ui_fabout.h"

namespace gw {

class TAboutBox : public QDialog, public Ui::AboutBox {
  Q_OBJECT
 public:
  explicit TAboutBox(QWidget* owner);
  // Opens "mailto:" and the address in the user's mail program.
  void Label1Click();
  // How links are opened; tests replace it. Empty: the desktop's own handler.
  static std::function<void(const QUrl&)> OpenUrl;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

}  // namespace gw
