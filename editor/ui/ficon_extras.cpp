// The clipboard, the desktop snapshot, the text tool, the cursor hot spot, help and About, over the engines
// in editor/core/PastedPicture, SnapShot, TextTool and HotSpot (and iconfile/core/PictureImport's
// PictureCorner for a pasted picture's bytes).
#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>
#include <algorithm>
#include <optional>
#include <span>

#include "editor/core/PastedPicture.h"
#include "editor/core/SnapShot.h"
#include "editor/ui/QImageBitmap.h"
#include "editor/ui/SnapShotCapture.h"
#include "editor/ui/fCursorHotSpot.h"
#include "editor/ui/fText.h"
#include "editor/ui/fabout.h"
#include "editor/ui/fsnapshotsetup.h"
#include "editor/ui/ficon.h"
#include "iconfile/core/PictureImport.h"

namespace gw {

namespace {
const QString kSnapShotCaption = QStringLiteral("Desktop SnapShot");
const QString kSnapShotRunningCaption = QStringLiteral("<SPACEBAR> terminates SnapShot");
const QString kHelpCaption = QStringLiteral("Glyphwerk Help");
}  // namespace

// ---- Clipboard ------------------------------------------------------------------------------------------

void TForm1::CopytoClipboard1Click() {
  // The image alone: transparent pixels go out in the colour they carry.
  QGuiApplication::clipboard()->setImage(WithoutToolFigure(State, [&] { return ToQImage(State.iconimage); }));
}

namespace {

// The top-left side x side square of the clipboard's picture, composed on white. A picture offered as file
// bytes (PNG first, then BMP, then the other image types) goes through our decoders, which keep only the
// square however large the picture is: Qt's own decoding refuses pictures above its allocation limit, such
// as a capture of a large screen. An image handed over within the program, or one in a format our
// decoders do not know, comes through Qt.
std::optional<Bitmap> ClipboardCorner(const QMimeData& mime, int side) {
  QStringList types;
  for (const QString& type : mime.formats())
    if (type.startsWith(QStringLiteral("image/"))) types.append(type);
  const auto rank = [](const QString& type) {
    return type == QStringLiteral("image/png") ? 0 : type == QStringLiteral("image/bmp") ? 1 : 2;
  };
  std::stable_sort(types.begin(), types.end(), [&](const QString& a, const QString& b) { return rank(a) < rank(b); });
  for (const QString& type : types) {
    const QByteArray bytes = mime.data(type);
    std::string error;
    auto corner = PictureCorner(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                          static_cast<std::size_t>(bytes.size())),
                                side, error);
    if (corner) return corner;
  }
  if (!mime.hasImage()) return std::nullopt;
  const QImage picture = qvariant_cast<QImage>(mime.imageData());
  if (picture.isNull() || picture.width() <= 0 || picture.height() <= 0) return std::nullopt;
  return BitmapOverWhite(picture.copy(0, 0, std::min(picture.width(), side), std::min(picture.height(), side)));
}

}  // namespace

void TForm1::Paste1Click() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  const std::optional<Bitmap> corner = mime ? ClipboardCorner(*mime, State.IconSize) : std::nullopt;
  if (!corner) {
    boxes_->message(QStringLiteral("No Bitmap to Paste."), QStringLiteral("Information Dialog"));
    return;
  }
  DropToolStage(DropKind::ChangesImage);
  PastePicture(State, *corner);
  UpdateUndoButtons();
  RepaintImageViews();
}

// ---- Desktop snapshot -----------------------------------------------------------------------------------

// The button belongs to the tools' group, so a click has pressed it already; whatever ends the command
// before the capture runs shows the current tool's button pressed again.
void TForm1::bsnapshotClick() {
  const auto keepTool = [this] {
    if (ActiveToolButton) ActiveToolButton->setChecked(true);
  };
  {
    TSnapShotSetup setup(this);
    if (setup.exec() != QDialog::Accepted) {
      keepTool();
      return;
    }
  }
  const int edge = SnapShotEdge(State.SnapShotAreaText);
  if (edge == 0 || edge > State.IconSize) {
    keepTool();
    return;
  }
  auto* capture = new TSnapShotCapture(this, edge);
  QString problem;
  if (!capture->start(problem)) {
    delete capture;
    boxes_->message(problem, kSnapShotCaption);
    keepTool();
    return;
  }
  DropToolStage(DropKind::ChangesImage);
  bsnapshot->setChecked(true);
  bsnapshot->setEnabled(false);
  if (ActiveToolButton && ActiveToolButton != bsnapshot) ActiveToolButton->setEnabled(true);
  ActiveToolButton = bsnapshot;
  // The window shrinks to the edit area to uncover the desktop.
  snapShotWidth_ = width();
  resize(editareaGroupBox->width() + 20, height());
  setWindowTitle(kSnapShotRunningCaption);
  connect(capture, &TSnapShotCapture::frame, this, [this](const Bitmap& square) {
    ShowSnapShotPreview(State, square);
    RepaintImageViews();
  });
  connect(capture, &TSnapShotCapture::ended, this, &TForm1::LandSnapShot);
  connect(capture, &TSnapShotCapture::finished, capture, &QObject::deleteLater);
}

void TForm1::LandSnapShot(const Bitmap& square) {
  const Rect block = gw::LandSnapShot(State, square);
  UpdateUndoButtons();
  if (snapShotWidth_ > 0) resize(snapShotWidth_, height());
  snapShotWidth_ = 0;
  setWindowTitle(ProgramTitle);
  savedlg.FileName.clear();
  if (block.width() < State.IconSize) EnterFloatingPicture(block);
  else bpencilClick();
  State.Modified = true;
  RepaintImageViews();
}

// ---- Text tool ------------------------------------------------------------------------------------------

void TForm1::btextClick() {
  TTextForm dialog(this);
  dialog.exec();
}

void TForm1::PlaceText(const ITextRenderer& text) {
  DropToolStage(DropKind::ChangesImage);
  const Rect block = LandText(State, text);
  UpdateUndoButtons();
  EnterFloatingPicture(block);
  ResetPlacementCanvas(State.CurrentPlacementRect);
  State.Modified = true;
}

// ---- Cursor hot spot ------------------------------------------------------------------------------------

void TForm1::CursorXYHotSpotClick() {
  TCursorHotSpot dialog(this);
  dialog.exec();
}

// ---- Help and About -------------------------------------------------------------------------------------

QString TForm1::HelpFilePath() const {
  if (!options_.helpPath.isEmpty()) return options_.helpPath;
  return QCoreApplication::applicationDirPath() + QDir::separator() + QStringLiteral("glyphwerk.hlp");
}

void TForm1::Help1Click() {
  const QString path = HelpFilePath();
  if (!QFileInfo(path).isFile()) {
    boxes_->message(QStringLiteral("The help file was not found. It was looked for at:\n%1")
                        .arg(QDir::toNativeSeparators(path)),
                    kHelpCaption);
    return;
  }
  if (!helpWindow_) {
    helpWindow_ = new QTextBrowser(this);
    helpWindow_->setObjectName(QStringLiteral("HelpWindow"));
    helpWindow_->setWindowFlags(Qt::Window);
    helpWindow_->setWindowTitle(kHelpCaption);
    helpWindow_->setOpenExternalLinks(true);
    helpWindow_->resize(560, 600);
  }
  // Every time read afresh, at its contents.
  const QUrl url = QUrl::fromLocalFile(path);
  if (helpWindow_->source() == url) helpWindow_->reload();
  else helpWindow_->setSource(url, QTextDocument::HtmlResource);
  helpWindow_->verticalScrollBar()->setValue(0);
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

void TForm1::About1Click() {
  TAboutBox box(this);
  box.exec();
}

}  // namespace gw
