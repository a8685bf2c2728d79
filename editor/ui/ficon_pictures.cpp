// Palette files, picture import and picture export: the dialogs and messages around the engines of
// iconfile/core.
#include <QCoreApplication>
#include <QDir>
#include <QTimer>

#include "editor/core/Palettes.h"
#include "editor/ui/ficon.h"
#include "iconfile/core/PaletteFile.h"
#include "iconfile/core/PictureImport.h"

namespace gw {

namespace {

const QString kPaletteFilter = QStringLiteral("Color Palette (*.pal)|*.pal");
const QString kImportFilter =
    QStringLiteral("JPEG File (*.jpg,*.jpeg,*.jpe,*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|GIF File (*.gif)|*.gif|") +
    QStringLiteral("PNG File (*.png)|*.png|TIF File (*.tif,*.tiff)|*.tif;*.tiff|BMP File (*.bmp)|*.bmp");
const QString kExportFilter = QStringLiteral("JPEG File (*.jpg)|*.jpg;|GIF File (*.gif)|*.gif|") +
                              QStringLiteral("PNG File (*.png)|*.png|TIF File (*.tif)|*.tif;*.tiff|BMP File (*.bmp)|*.bmp");

std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }
QString FromLocal(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

}  // namespace

// Runs the save dialog for a file that is not the icon (a name typed without extension gets the filter's);
// the dialog's file name is put back afterwards, so a later icon Save never writes to this file. The filter
// index and folder carry over as usual. Returns the chosen name, or an empty one when cancelled.
QString TForm1::RunOtherFileSaveDialog(const QString& filter, const std::optional<QString>& offeredName) {
  const QString iconTarget = savedlg.FileName;
  if (offeredName) savedlg.FileName = *offeredName;
  savedlg.Filter = filter;
  const bool ok = savedlg.Execute(this);
  const QString chosen = ok ? savedlg.FileName : QString();
  savedlg.FileName = iconTarget;
  return chosen;
}

void TForm1::bColorPalSaveClick() {
  savedlg.InitialDir = QCoreApplication::applicationDirPath() + QDir::separator();
  const QString chosen = RunOtherFileSaveDialog(kPaletteFilter);
  if (chosen.isEmpty()) return;
  const std::string path = Local(chosen);
  std::string error;
  if (!SavePaletteFile(State.TrueColorGrid, path, error))
    boxes_->error(QStringLiteral("Unable to write to %1").arg(FromLocal(path)));
}

void TForm1::bColorPalOpenClick() {
  opendlg.Filter = kPaletteFilter;
  if (!opendlg.Execute(this)) return;
  LoadPaletteFile(State.TrueColorGrid, Local(opendlg.FileName));
  gw::ShowTrueColorGrid(State);
  ShowColorGrid();
}

void TForm1::Import1Click() {
  if (!ConfirmDiscard()) return;
  editarea->setEnabled(false);
  opendlg.Filter = kImportFilter;
  if (!opendlg.Execute(this)) {
    editarea->setEnabled(true);
    return;
  }
  // The whole picture is read and checked before anything changes; the format comes from the content.
  const std::string path = Local(opendlg.FileName);
  std::string error;
  const std::optional<ImportSample> picture = ReadPictureForImport(path, State.DoNotScaleImportedImages, error);
  if (!picture) {
    editarea->setEnabled(true);
    boxes_->error(QStringLiteral("Cannot import %1: %2.").arg(FromLocal(path), FromLocal(error)));
    return;
  }

  DropToolStage(DropKind::ReplacesImage);
  State.Modified = false;  // the question was asked above; the new-image handler must not ask again
  RunNewImageHandler(kTypeTrueColor, ImportIconSize(picture->width, picture->height));
  PlaceImportedPicture(State, *picture);
  PushUndo();
  RefreshEditArea();
  // The edit area stays locked a moment, so the double click that chose the file does not paint.
  editarea->setEnabled(false);
  Timer1->start();
}

void TForm1::Export1Click() {
  const QString chosen = RunOtherFileSaveDialog(kExportFilter, FromLocal(ExportOfferedName(State.CurrentFileName)));
  if (chosen.isEmpty()) return;
  const ExportFormat format = ExportFormatForFilterIndex(savedlg.FilterIndex);
  const std::string path = Local(chosen);
  std::string error;
  if (!ExportPictureFile(State, format, path, error))
    boxes_->error(QStringLiteral("Cannot export to %1: %2.").arg(FromLocal(path), FromLocal(error)));
}

}  // namespace gw
