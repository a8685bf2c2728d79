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

namespace {

// The patterns of a "description|pattern|..." filter, one entry per description.
QStringList FilterPatterns(const QString& filter) {
  QStringList patterns;
  const QStringList parts = filter.split(QLatin1Char('|'));
  for (qsizetype i = 1; i < parts.size(); i += 2) patterns << parts[i];
  return patterns;
}

// "cur" for "*.cur;*.ico", nothing for "*.*" or "*".
QString PatternExtension(const QString& patterns) {
  const QString first = patterns.section(QLatin1Char(';'), 0, 0).trimmed();
  if (!first.startsWith(QLatin1String("*.")) || first.size() < 3) return {};
  const QString ext = first.mid(2);
  return ext.contains(QLatin1Char('*')) || ext.contains(QLatin1Char('?')) ? QString() : ext;
}

// The extension of the filter entry at a 1-based index (the first when out of range), else the default.
QString FilterExtensionAt(const QString& filter, qsizetype index, const QString& defaultExt) {
  const QStringList patterns = FilterPatterns(filter);
  if (patterns.isEmpty()) return defaultExt;
  const QString ext = PatternExtension(patterns[index >= 1 && index <= patterns.size() ? index - 1 : 0]);
  return ext.isEmpty() ? defaultExt : ext;
}

}  // namespace

std::vector<TFileDialog::FilterEntry> TFileDialog::FilterEntries() const {
  std::vector<FilterEntry> entries;
  const QStringList parts = Filter.split(QLatin1Char('|'));
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString description = parts[i].trimmed();
    // A trailing "(...)" naming patterns is the description's own copy of them.
    if (description.endsWith(QLatin1Char(')'))) {
      const qsizetype open = description.lastIndexOf(QLatin1Char('('));
      if (open >= 0 && description.indexOf(QLatin1Char('*'), open) >= 0) description = description.left(open).trimmed();
    }
    FilterEntry entry;
    for (const QString& p : parts[i + 1].split(QLatin1Char(';')))
      if (!p.trimmed().isEmpty()) entry.patterns << p.trimmed();
    entry.shown = description + QStringLiteral(" (") + entry.patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    entries.push_back(std::move(entry));
  }
  return entries;
}

QString TFileDialog::FilterExtension() const { return FilterExtensionAt(Filter, FilterIndex, DefaultExt); }

bool TFileDialog::Execute(QWidget* owner) {
  if (!(Runner ? Runner(*this) : RunQtDialog(owner))) return false;
  if (kind_ == Kind::Save && !FileName.isEmpty() && QFileInfo(FileName).suffix().isEmpty() &&
      !FileName.endsWith(QLatin1Char('.'))) {
    const QString ext = FilterExtension();
    if (!ext.isEmpty()) FileName += QLatin1Char('.') + ext;
  }
  return true;
}

bool TFileDialog::RunQtDialog(QWidget* owner) {
  QFileDialog dlg(owner, Title, InitialDir);
  dlg.setAcceptMode(kind_ == Kind::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(kind_ == Kind::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dlg.setOption(QFileDialog::DontConfirmOverwrite, !OverwritePrompt);
  dlg.setOption(QFileDialog::ReadOnly, false);

  // The dialog matches names by the patterns of the last "(...)" of each entry and, with the details hidden,
  // lists only what stands before it: the entry as described. "*.*" is every file here, also one whose name
  // has no dot, which Qt's "*.*" would leave out.
  QStringList filters, matched;
  for (const FilterEntry& e : FilterEntries()) {
    QStringList patterns = e.patterns;
    for (QString& p : patterns)
      if (p == QLatin1String("*.*")) p = QStringLiteral("*");
    filters << e.shown;
    matched << e.shown + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
  }
  // The dialog names an entry by its listed text or by its whole filter, depending on the Qt version.
  const auto filterIndex = [&filters, &matched](const QString& name) {
    const qsizetype i = filters.indexOf(name);
    return i >= 0 ? i : matched.indexOf(name);
  };
  if (!filters.isEmpty()) {
    dlg.setOption(QFileDialog::HideNameFilterDetails);
    dlg.setNameFilters(matched);
    if (FilterIndex >= 1 && FilterIndex <= filters.size()) dlg.selectNameFilter(matched[FilterIndex - 1]);
  }
  // A name typed without extension gets the one of the filter chosen at that moment, so that the overwrite
  // question asks about the file that will really be written.
  const auto followFilter = [this, &dlg, &filterIndex](const QString& chosen) {
    dlg.setDefaultSuffix(FilterExtensionAt(Filter, filterIndex(chosen) + 1, DefaultExt));
  };
  followFilter(dlg.selectedNameFilter());
  QObject::connect(&dlg, &QFileDialog::filterSelected, &dlg, followFilter);
  if (!FileName.isEmpty()) dlg.selectFile(FileName);

  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
  FileName = dlg.selectedFiles().first();
  const qsizetype idx = filterIndex(dlg.selectedNameFilter());
  if (idx >= 0) FilterIndex = static_cast<int>(idx) + 1;
  InitialDir = QFileInfo(FileName).absolutePath();
  return true;
}

}  // namespace gw
