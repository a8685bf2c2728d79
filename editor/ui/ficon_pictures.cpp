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

void TForm1::bColorPalSaveClick() {
  // The icon's own save target is kept apart (IconSaveTarget), so the name left in the dialog is harmless.
  savedlg.InitialDir = QCoreApplication::applicationDirPath() + QDir::separator();
  savedlg.Filter = kPaletteFilter;
  if (!savedlg.Execute(this)) return;
  const std::string path = Local(savedlg.FileName);
  std::string error;
  if (!SavePaletteFile(State.TrueColorGrid, path, error))
    boxes_->error(QStringLiteral("Unable to write to %1: %2").arg(FromLocal(path), FromLocal(error)));
}

void TForm1::bColorPalOpenClick() {
  opendlg.Filter = kPaletteFilter;
  if (!opendlg.Execute(this)) return;
  const std::string path = Local(opendlg.FileName);
  std::string error;
  LoadPaletteFile(State.TrueColorGrid, path, error);
  gw::ShowTrueColorGrid(State);
  ShowColorGrid();
  if (!error.empty()) boxes_->error(QStringLiteral("Cannot load the palette %1: %2.").arg(FromLocal(path), FromLocal(error)));
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
  savedlg.Filter = kExportFilter;
  savedlg.FileName = FromLocal(ExportOfferedName(State.CurrentFileName));
  if (!savedlg.Execute(this)) return;
  const ExportFormat format = ExportFormatForFilterIndex(savedlg.FilterIndex);
  const std::string path = Local(savedlg.FileName);
  std::string error;
  if (!WithoutToolFigure(State, [&] { return ExportPictureFile(State, format, path, error); }))
    boxes_->error(QStringLiteral("Cannot export to %1: %2.").arg(FromLocal(path), FromLocal(error)));
}

}  // namespace gw
