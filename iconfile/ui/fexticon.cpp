// The icon picker window and the main window's side of it: opening a picker for a program file and taking
// the picked icon into the image.
#include "iconfile/ui/fexticon.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>

#include "editor/ui/FormFit.h"
#include "editor/ui/ficon.h"
#include "iconfile/core/ExeIconAccept.h"
#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/IconFiles.h"

namespace gw {

namespace {
// How long one turn of the listing draws icons before the window gets its events again.
constexpr qint64 kListingSliceMs = 15;
}  // namespace

QString ExeIconListingCaption(const QString& prefix) { return prefix + QStringLiteral(" Extracting"); }
QString ExeIconNoIconsCaption(const QString& prefix) { return prefix + QStringLiteral(" No Icons"); }
QString ExeIconListedCaption(const QString& prefix, int count, const QString& path) {
  return prefix + QString::number(count) + QStringLiteral("   Source: ") + QFileInfo(path).fileName();
}

TExeIconForm::TExeIconForm(TForm1* owner, QString path, std::unique_ptr<ExeIconSheet> sheet)
    : QWidget(owner, Qt::Window), owner_(owner), sourceFile_(std::move(path)), sheet_(std::move(sheet)) {
  setupUi(this);
  FitFormToTexts(this);
  setObjectName(QStringLiteral("ExeIconForm"));
  setAttribute(Qt::WA_DeleteOnClose);
  listTimer_ = new QTimer(this);
  listTimer_->setInterval(0);
  connect(listTimer_, &QTimer::timeout, this, &TExeIconForm::ListSomeIcons);
  connect(bOk, &QPushButton::clicked, this, &TExeIconForm::bOkClick);
  connect(VertScrollBar, &QScrollBar::valueChanged, this, [this] { update(); });
  FormCreate();
  if (owner_) {
    const QRect o = owner_->frameGeometry();
    move(o.x() + (o.width() - width()) / 2, o.y() + (o.height() - height()) / 2);
  }
}

TExeIconForm::~TExeIconForm() = default;

void TExeIconForm::FormCreate() {
  firstPaint_ = true;
  bOk->hide();
  CaptionPrefix = windowTitle();
  VertScrollBar->setTracking(true);
  VertScrollBar->hide();
}

int TExeIconForm::ScrollPosition() const { return VertScrollBar->isHidden() ? 0 : VertScrollBar->value(); }

void TExeIconForm::FormPaint() {
  if (!firstPaint_) return;
  firstPaint_ = false;
  StartListing();
}

void TExeIconForm::StartListing() {
  if (!sheet_ || sheet_->Count() == 0) {
    setWindowTitle(ExeIconNoIconsCaption(CaptionPrefix));
    bOk->show();
    listed_ = true;
    return;
  }
  setWindowTitle(ExeIconListingCaption(CaptionPrefix));
  sheet_->Begin(width());
  keptCursor_ = cursor();
  setCursor(Qt::WaitCursor);
  listing_ = true;
  listTimer_->start();
}

void TExeIconForm::ListSomeIcons() {
  if (!sheet_ || !listing_) return;
  QElapsedTimer slice;
  slice.start();
  while (sheet_->ListNext())
    if (slice.elapsed() >= kListingSliceMs) break;
  update();
  if (sheet_->Done()) FinishListing();
}

void TExeIconForm::FinishListing() {
  listTimer_->stop();
  listing_ = false;
  listed_ = true;
  setWindowTitle(ExeIconListedCaption(CaptionPrefix, sheet_->Listed(), sourceFile_));
  VertScrollBar->setSingleStep(kExeIconCell);
  LayoutScrollBar();
  setCursor(keptCursor_);
}

void TExeIconForm::resizeEvent(QResizeEvent*) { LayoutScrollBar(); }

void TExeIconForm::LayoutScrollBar() {
  VertScrollBar->setGeometry(width() - VertScrollBar->width(), 0, VertScrollBar->width(), height());
  if (!listed_ || !sheet_) return;
  // The bar shows while the sheet is taller than the window and scrolls it by up to its hidden part.
  VertScrollBar->setPageStep(std::max(1, height()));
  VertScrollBar->setRange(0, std::max(0, sheet_->SheetHeight() - height()));
  VertScrollBar->setVisible(sheet_->SheetHeight() > height());
}

void TExeIconForm::wheelEvent(QWheelEvent* event) {
  if (VertScrollBar->isHidden()) {
    event->ignore();
    return;
  }
  QCoreApplication::sendEvent(VertScrollBar, event);
}

void TExeIconForm::paintEvent(QPaintEvent*) {
  FormPaint();
  if (!sheet_ || sheet_->SheetHeight() == 0) return;
  // The sheet moved up by the scroll position: only its visible rows are converted.
  const int top = ScrollPosition();
  const int rows = std::clamp(sheet_->SheetHeight() - top, 0, height());
  QImage visible(sheet_->SheetWidth(), rows, QImage::Format_RGB32);
  for (int y = 0; y < rows; ++y) {
    const Color* src = sheet_->SheetImage.row(top + y);
    auto* dst = reinterpret_cast<QRgb*>(visible.scanLine(y));
    for (int x = 0; x < sheet_->SheetWidth(); ++x) dst[x] = qRgb(RedOf(src[x]), GreenOf(src[x]), BlueOf(src[x]));
  }
  QPainter(this).drawImage(0, 0, visible);
}

void TExeIconForm::FormMouseDown(int x, int y) { PickedCell = ExeIconSheet::CellAt(x, y, ScrollPosition()); }

void TExeIconForm::FormDblClick() {
  if (!sheet_ || !owner_ || sheet_->IconAt(PickedCell) < 0) return;
  Bitmap& picked = owner_->state().PickedIconImage;
  picked.resize(kExeIconCell, kExeIconCell);
  for (int y = 0; y < kExeIconCell; ++y)
    std::copy(sheet_->SheetImage.row(PickedCell.top + y) + PickedCell.left,
              sheet_->SheetImage.row(PickedCell.top + y) + PickedCell.left + kExeIconCell, picked.row(y));
  owner_->AcceptExeIcon();
}

void TExeIconForm::mousePressEvent(QMouseEvent* event) {
  FormMouseDown(static_cast<int>(event->position().x()), static_cast<int>(event->position().y()));
}

void TExeIconForm::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (event->button() == Qt::LeftButton) FormDblClick();
}

void TExeIconForm::FormClose() {
  listTimer_->stop();
  listing_ = false;
  sheet_.reset();  // the file, the sheet and the cell go with the window
}

void TExeIconForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TExeIconForm::bOkClick() { close(); }

// ---- The main window's side ------------------------------------------------------------------------------

void TForm1::OpenProgramFileIcons(const QString& path) {
  State.ExeIconSourceFile = path.toStdString();
  // The file is opened once, here, and kept open by the picker's sheet, which reads only what its icons
  // need; one that cannot be opened opens no picker.
  std::string error;
  auto sheet = ExeIconSheet::Read(QFile::encodeName(path).toStdString(), error);
  if (!sheet) {
    boxes_->message(QString::fromStdString(CannotReadMessage(path.toStdString(), error)),
                    QStringLiteral("Open Icon"));
    return;
  }
  auto* picker = new TExeIconForm(this, QString::fromStdString(State.ExeIconSourceFile), std::move(sheet));
  picker->show();
}

void TForm1::AcceptExeIcon() {
  DropToolStage(DropKind::ChangesImage);
  savedlg.FileName.clear();
  const bool floating = PasteExeIcon(State);
  UpdateUndoButtons();
  RepaintImageViews();
  setWindowTitle(ProgramTitle);
  savedlg.FileName.clear();
  if (!floating) return;
  EnterFloatingPicture(kExeIconBlock);
  ResetPlacementCanvas(State.CurrentPlacementRect);
  State.Modified = true;
}

}  // namespace gw
