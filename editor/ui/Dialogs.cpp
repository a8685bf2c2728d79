#include "editor/ui/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>

namespace gw {

IMessageBoxes::Answer QtMessageBoxes::question(QWidget* owner, const QString& text, const QString& caption) {
  const auto b = QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                       QMessageBox::Yes);
  if (b == QMessageBox::Yes) return Answer::Yes;
  if (b == QMessageBox::No) return Answer::No;
  return Answer::Cancel;
}

void QtMessageBoxes::message(const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

void QtMessageBoxes::error(const QString& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok,
                  QApplication::activeWindow());
  box.exec();
}

IMessageBoxes& DefaultMessageBoxes() {
  static QtMessageBoxes boxes;
  return boxes;
}

bool TFileDialog::Execute(QWidget* owner) { return Runner ? Runner(*this) : RunQtDialog(owner); }

bool TFileDialog::RunQtDialog(QWidget* owner) {
  QFileDialog dlg(owner, Title, InitialDir);
  dlg.setAcceptMode(kind_ == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(kind_ == Kind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setDefaultSuffix(DefaultExt);
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !OverwritePrompt);
  dlg.setOption(QFileDialog::ReadOnly, false);

  // "desc|pattern|desc|pattern" to Qt's "desc (pattern)" list; Qt separates patterns by blanks.
  QStringList filters;
  const QStringList parts = Filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')');
  }
  if (!filters.isEmpty()) {
    dlg.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size()) dlg.selectNameFilter(filters[FilterIndex - 1]);
  }
  if (ExtensionFromFilter) {
    // "*.jpg;*.jpeg" gives "jpg".
    const auto follow = [&dlg, parts, filters](const QString& chosen) {
      const qsizetype i = filters.indexOf(chosen);
      if (i < 0) return;
      QString first = parts[2 * i + 1].section(QLatin1Char(';'), 0, 0);
      dlg.setDefaultSuffix(first.startsWith(QLatin1String("*.")) ? first.mid(2) : QString());
    };
    follow(dlg.selectedNameFilter());
    QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, follow);
  }
  if (!FileName.isEmpty()) dlg.selectFile(FileName);

  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
  FileName = dlg.selectedFiles().first();
  const qsizetype idx = filters.indexOf(dlg.selectedNameFilter());
  if (idx >= 0) FilterIndex = static_cast<int>(idx) + 1;
  InitialDir = QFileInfo(FileName).absolutePath();
  return true;
}

}  // namespace gw
