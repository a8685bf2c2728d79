// Icon and cursor files: Open, Save and Save As, the filters of their dialogs, and the timer that gives the
// edit area back after an Open. Files are read, checked and written by iconfile/core/IconFiles.
#include <QFileInfo>
#include <QTimer>

#include "editor/ui/ficon.h"
#include "iconfile/core/IconFiles.h"

namespace gw {

namespace {

const QString kOpenFilter = QStringLiteral(
    "Icon File (*.ico)|*.ico|Cursor File (*.cur)|*.cur|DLL File (*.dll)|*.dll|EXE File (*.exe)|*.exe|"
    "All Files (*.*)|*.*");
const QString kInvalidIconText = QStringLiteral("Icon Format NOT Supported. ");
const QString kInvalidIconCaption = QStringLiteral("Invalid Icon File");
const QString kWorkingCaption = QStringLiteral("Working...");
const QString kSaveFailedCaption = QStringLiteral("Save Icon");
const QString kOpenCaption = QStringLiteral("Open Icon");

QString CaptionFor(const QString& path) { return ProgramTitle + QStringLiteral(": ") + QFileInfo(path).fileName(); }

// The hourglass and the "Working..." caption while a file is read or written. Ending it gives the window its
// cursor back and shows the given caption (by default the one it had).
class WorkingIndicator {
 public:
  explicit WorkingIndicator(QWidget& window)
      : window_(window), hadCursor_(window.testAttribute(Qt::WA_SetCursor)), cursor_(window.cursor()),
        caption_(window.windowTitle()) {
    window_.setCursor(Qt::WaitCursor);
    window_.setWindowTitle(kWorkingCaption);
  }
  ~WorkingIndicator() { end(); }
  WorkingIndicator(const WorkingIndicator&) = delete;
  WorkingIndicator& operator=(const WorkingIndicator&) = delete;

  void end() { end(caption_); }
  void end(const QString& caption) {
    if (ended_) return;
    ended_ = true;
    if (hadCursor_) window_.setCursor(cursor_);
    else window_.unsetCursor();
    window_.setWindowTitle(caption);
  }

 private:
  QWidget& window_;
  bool hadCursor_;
  QCursor cursor_;
  QString caption_;
  bool ended_ = false;
};

}  // namespace

void TForm1::SetSaveFilterForType(int type) {
  switch (type) {
    case kType16Color: savedlg.Filter = QStringLiteral("16 Color Icon (*.ico)|*.ico"); break;
    case kType256Color: savedlg.Filter = QStringLiteral("256 Color Icon (*.ico)|*.ico"); break;
    case kTypeMono: savedlg.Filter = QStringLiteral("Monochrome Icon (*.ico)|*.ico"); break;
    case kTypeCursor: savedlg.Filter = QStringLiteral("Cursor Icon (*.cur)|*.cur"); break;
    default: savedlg.Filter = QStringLiteral("True Color Icon (*.ico)|*.ico"); break;
  }
}

bool TForm1::Save1Click() {
  if (State.CurrentFileName.empty()) State.IconSaveTarget.clear();
  if (!State.IconSaveTarget.empty()) return SaveImageTo(QString::fromStdString(State.IconSaveTarget));
  // The first Save of this image: ask where. A name another command left in the dialog is not offered.
  SetSaveFilterForType(State.IconType);
  savedlg.FileName.clear();
  return savedlg.Execute(this) && SaveToChosenFile(savedlg.FileName, QString());
}

void TForm1::SaveAs1Click() {
  SetSaveFilterForType(State.IconType);
  const QString offered = QString::fromStdString(State.CurrentFileName);
  savedlg.FileName = offered;
  if (savedlg.Execute(this)) SaveToChosenFile(savedlg.FileName, offered);
}

bool TForm1::SaveToChosenFile(const QString& path, const QString& offered) {
  if (!SaveImageTo(path)) {
    savedlg.FileName = offered;  // a failed save leaves every name as it was
    return false;
  }
  State.IconSaveTarget = path.toStdString();
  if (State.CurrentFileName.empty()) State.CurrentFileName = State.IconSaveTarget;
  return true;
}

bool TForm1::SaveImageTo(const QString& path) {
  WorkingIndicator working(*this);
  const IconSaveResult saved = WithoutToolFigure(State, [&] { return SaveIconFile(State, path.toStdString()); });
  if (!saved.ok) {
    working.end();
    boxes_->message(QString::fromStdString(saved.message), kSaveFailedCaption);
    return false;
  }
  UpdateEditAreaCaption();
  working.end(CaptionFor(path));
  return true;
}

void TForm1::Open1Click() {
  if (!ConfirmDiscard()) return;
  editarea->setEnabled(false);
  opendlg.Filter = kOpenFilter;  // the filter index stays where the dialog's last use left it
  if (!opendlg.Execute(this)) {
    editarea->setEnabled(true);
    return;
  }
  const QString path = opendlg.FileName;
  if (IsIconOrCursorPath(path)) OpenIconFile(path);
  else OpenProgramFileIcons(path);
  Timer1->start();
}

void TForm1::OpenIconFile(const QString& path) {
  WorkingIndicator working(*this);
  const IconLoadResult loaded = LoadIconFile(path.toStdString());
  if (loaded.status != IconLoadStatus::Ok) {
    working.end();
    if (loaded.status == IconLoadStatus::CannotRead)
      boxes_->message(QString::fromStdString(loaded.message), kOpenCaption);
    else
      boxes_->message(kInvalidIconText, kInvalidIconCaption);
    return;
  }

  // A good file replaces the image; the save question was asked before the file was chosen.
  const DecodedIconFile& icon = loaded.icon;
  State.Modified = false;
  DropToolStage(DropKind::ReplacesImage);
  RunNewImageHandler(icon.type, icon.size);
  if (!ReadIconFile(State, icon, path.toStdString())) return;  // the handler always makes the decoded size
  ShowColorGrid();  // the file's own colour table
  UpdateUndoButtons();
  UpdateEditAreaCaption();
  RepaintImageViews();
  savedlg.FileName = path;
  working.end(CaptionFor(path));
  if (!loaded.message.empty()) boxes_->message(QString::fromStdString(loaded.message), kOpenCaption);
}

void TForm1::Timer1Timer() {
  Timer1->stop();
  editarea->setEnabled(true);
}

}  // namespace gw
