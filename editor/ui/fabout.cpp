#include "editor/ui/fabout.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>

#include "editor/ui/FormFit.h"
#include "editor/ui/ToolArt.h"

namespace gw {

std::function<void(const QUrl&)> TAboutBox::OpenUrl;

TAboutBox::TAboutBox(QWidget* owner) : QDialog(owner) {
  setupUi(this);
  FitFormToTexts(this);
  setFixedSize(size());
  OKButton->move((width() - OKButton->width()) / 2, OKButton->y());  // centred in the box, also once it grew
  ProgramIcon->setPixmap(WindowIcon().pixmap(32, 32));
  QFont link = Label1->font();
  link.setUnderline(true);
  Label1->setFont(link);
  QPalette palette = Label1->palette();
  palette.setColor(QPalette::WindowText, Qt::blue);
  Label1->setPalette(palette);
  Label1->installEventFilter(this);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
  OKButton->setFocus();
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label1 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label1Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutBox::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Centred on the screen, not on the main window.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    const QSize outer = frameGeometry().size();
    move(area.x() + (area.width() - outer.width()) / 2, area.y() + (area.height() - outer.height()) / 2);
  }
}

void TAboutBox::Label1Click() {
  const QUrl url(QStringLiteral("mailto:") + Label1->text());
  if (OpenUrl) OpenUrl(url);
  else QDesktopServices::openUrl(url);
}

}  // namespace gw
