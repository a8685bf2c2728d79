// The main window: creation, start-up, the close question and shut-down.
#include "editor/ui/ficon.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <new>

#include "editor/core/EditArea.h"
#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "editor/ui/FormFit.h"
#include "editor/ui/ToolArt.h"

// The bundled pictures and form descriptions live in a static library; register them once.
static void InitGlyphwerkResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(resources);
    return true;
  }();
  (void)done;
}

namespace gw {

TForm1* Form1 = nullptr;

namespace {
constexpr int kPointListSize = 1024;
constexpr int kRotateCanvasEdge = 128;
constexpr int kMinimumScreenWidth = 800;

bool IsBlankOrControl(QChar c) { return c.unicode() <= 0x20; }
}  // namespace

QString JoinCommandLine(const QStringList& args) {
  QString text;
  for (const QString& a : args) text += a + QLatin1Char(' ');
  qsizetype first = 0, last = text.size();
  while (first < last && IsBlankOrControl(text[first])) ++first;
  while (last > first && IsBlankOrControl(text[last - 1])) --last;
  return text.mid(first, last - first);
}

bool IsIconOrCursorPath(const QString& path) {
  // The extension starts at the last "." after the last folder separator.
  const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  const qsizetype sep = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
  if (dot < 0 || dot < sep) return false;
  const QString ext = path.mid(dot).toLower();
  return ext == QLatin1String(".ico") || ext == QLatin1String(".cur");
}

TForm1::TForm1(TForm1Options options, QWidget* parent)
    : QMainWindow(parent), options_(std::move(options)), boxes_(options_.boxes ? options_.boxes : &DefaultMessageBoxes()) {
  InitGlyphwerkResources();
  Form1 = this;
  setupUi(this);
  FitFormToTexts(this);
  setObjectName(QStringLiteral("Form1"));
  // The separator lines of the Tools/Defaults menu carry their own names, N4 to N6.
  int separator = 4;
  for (QAction* a : Tools1->actions())
    if (a->isSeparator()) a->setObjectName(QStringLiteral("N%1").arg(separator++));
  setWindowIcon(WindowIcon());
  // No button of the window takes the keyboard focus: they show no focus mark, so Space or Return would
  // press a button nobody sees chosen. Keys reach only the menu shortcuts.
  for (QAbstractButton* b : centralWidget()->findChildren<QAbstractButton*>()) b->setFocusPolicy(Qt::NoFocus);

  iconimage->setBitmap(&State.iconimage);
  iconmask->setBitmap(&State.iconmask);
  editarea->setBitmap(&State.editarea);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(250);
  Timer1->setSingleShot(true);

  opendlg.DefaultExt = QStringLiteral("ico");
  opendlg.Title = QStringLiteral("Open Icon");
  savedlg.DefaultExt = QStringLiteral("ico");
  savedlg.Title = QStringLiteral("Save Icon");
  savedlg.OverwritePrompt = true;
  savedlg.HideReadOnly = true;

  SetupToolButtons();
  ConnectCommands();
  ConnectNewImageItems();

  try {
    FormCreate();
  } catch (const std::exception& e) {
    boxes_->error(QString::fromLocal8Bit(e.what()));
    RecoverFromFailedCreate();
  }
  // The window opens centred on the screen, at the size start-up gave it.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + std::max(0, (area.width() - width()) / 2), area.y() + std::max(0, (area.height() - height()) / 2));
  }
}

TForm1::~TForm1() {
  if (Form1 == this) Form1 = nullptr;
}

void TForm1::RequestTerminate() {
  terminateRequested_ = true;
  // The event loop ends as soon as it runs (or at its next turn when it already runs).
  QTimer::singleShot(0, qApp, &QCoreApplication::quit);
}

int TForm1::ScreenWidth() const {
  if (options_.screenWidth) return options_.screenWidth();
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->geometry().width() : 0;
}

void TForm1::FormCreate() {
  State.Creating = true;                                            // 1
  DeleteRectangle1->setEnabled(false);                              // 2
  State.IconSize = 32;                                              // 3
  State.CurrentPlacementRect = PlacementRectFor(32);

  State.ShapePoints.assign(kPointListSize, Point{});                 // 4
  State.ShapeOutline.assign(kPointListSize, Point{});
  State.ShapeCells.assign(kPointListSize, Point{});
  State.CurvePoints = {};

  try {                                                             // 5-7: colour arrays and palettes
    InitPalettes(State);
  } catch (const std::bad_alloc&) {
    boxes_->message(OutOfMemoryText, FatalErrorCaption);
    RequestTerminate();
    return;  // nothing below may use palettes that do not exist
  }

  State.SettingsPath = options_.settingsPath.isEmpty()              // 8
                           ? (QCoreApplication::applicationDirPath() + QDir::separator() +
                              QStringLiteral("glyphwerk.ini")).toStdString()
                           : options_.settingsPath.toStdString();
  setWindowTitle(ProgramTitle);                                     // 9
                                                                    // 10: no file blocks: each save
                                                                    //     and open makes its own bytes
  State.DragPoints[2] = State.DragPoints[3] = -1;                   // 11: the last cell

  ResizePickedIconImages(32);                                       // 12: the image objects not sized by
                                                                    //     every new image
  ApplyHints();                                                     // 13
  // 14: every image view stretches its bitmap to its size.
  LoadSettings();                                                   // 15
  NewIconCursorClick();                                             // 16
  ApplyHints();                                                     // 17
  LoadToolCursors();                                                // 18
  SetEditAreaCursor(ScreenCursor(kCursorPencil));
  bpencilClick();                                                   // 19

  ToolBar->resize(10 * bpencil->width(), 2 * bpencil->height() + 7);  // 20
  int toolbar2Width = 0;                                            // 21
  for (QWidget* w : ToolBar2->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    toolbar2Width += w->width();
  ToolBar2->resize(toolbar2Width, bUndo->height() + 11);
  ApplyStoredWindowSize();                                          //     the size read at 15, now that
                                                                    //     the layout it must hold is made

  State.RotateCanvas.resize(kRotateCanvasEdge, kRotateCanvasEdge);  // 22
  State.RotateMask.resize(kRotateCanvasEdge, kRotateCanvasEdge);

  if (ScreenWidth() < kMinimumScreenWidth) {                        // 23
    boxes_->message(ScreenTooSmallText, FatalErrorCaption);
    RequestTerminate();
    return;
  }

  const QString path = JoinCommandLine(options_.useCommandLine ? QCoreApplication::arguments().mid(1)
                                                               : options_.arguments);  // 24
  if (!path.isEmpty() && IsIconOrCursorPath(path)) OpenIconFile(path);  // a good file names the dialog
  State.Creating = false;                                           // 25
}

// A failure inside FormCreate leaves the steps after it undone; make sure the editor still holds a valid
// image, its cursors and a tool.
void TForm1::RecoverFromFailedCreate() {
  if (State.iconimage.width() == 0 || !IsNewImageFormat(State.IconType, State.IconSize)) {
    State.Modified = false;
    State.IconType = kTypeTrueColor;
    State.IconSize = 32;
    NewImage(kTypeTrueColor, 32);
  }
  LoadToolCursors();
  if (!ActiveToolButton) {
    SetEditAreaCursor(ScreenCursor(kCursorPencil));
    bpencilClick();
  }
  State.RotateCanvas.resize(kRotateCanvasEdge, kRotateCanvasEdge);
  State.RotateMask.resize(kRotateCanvasEdge, kRotateCanvasEdge);
  State.Creating = false;
}

void TForm1::ResizePickedIconImages(int edge) {
  State.PickedIconImage.resize(edge, edge);
  State.PickedIconMask.resize(edge, edge);
}

void TForm1::LoadToolCursors() {
  for (int slot = kCursorSnapshot; slot <= kCursorColorSelector; ++slot)
    screenCursors_[static_cast<std::size_t>(slot - kCursorSnapshot)] = ToolCursor(slot);
}

const QCursor& TForm1::ScreenCursor(int slot) const {
  static const QCursor arrow(Qt::ArrowCursor);
  if (slot < kCursorSnapshot || slot > kCursorColorSelector) return arrow;
  return screenCursors_[static_cast<std::size_t>(slot - kCursorSnapshot)];
}

void TForm1::SetEditAreaCursor(const QCursor& cursor) { editarea->setCursor(cursor); }

void TForm1::FormCloseQuery(bool& CanClose) {
  CanClose = true;
  if (!State.Modified) return;
  switch (boxes_->question(this, SaveQuestionText, SaveQuestionCaption)) {
    case IMessageBoxes::Answer::Cancel:
      CanClose = false;
      break;
    case IMessageBoxes::Answer::Yes:
      // Only a save that really wrote the file lets the image go.
      CanClose = Save1Click();
      break;
    case IMessageBoxes::Answer::No:
      break;
  }
}

bool TForm1::ConfirmDiscard() {
  bool ok = true;
  if (State.Modified) FormCloseQuery(ok);
  return ok;
}

void TForm1::FormClose() {
  try {
    SaveSettings();
  } catch (const std::exception& e) {
    // The settings could not be written; say so, and close all the same.
    boxes_->error(QString::fromLocal8Bit(e.what()));
  }
  // Everything FormCreate made belongs to the window's state and goes with it.
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (closed_) {
    event->accept();
    return;
  }
  bool CanClose = true;
  FormCloseQuery(CanClose);
  if (!CanClose) {
    event->ignore();
    return;
  }
  closed_ = true;
  FormClose();
  event->accept();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TForm1::Exit1Click() { close(); }
void TForm1::bFileSaveClick() { Save1Click(); }
void TForm1::bFileOpenClick() { Open1Click(); }

void TForm1::ConnectClick(QToolButton* button, void (TForm1::*handler)()) {
  connect(button, &QToolButton::clicked, this, [this, handler] { (this->*handler)(); });
}

// Every menu item and command button runs its handler.
void TForm1::ConnectCommands() {
  const auto on = [this](QAction* item, void (TForm1::*handler)()) {
    connect(item, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  on(NewIconCursor, &TForm1::NewIconCursorClick);
  on(Open1, &TForm1::Open1Click);
  connect(Save1, &QAction::triggered, this, [this] { Save1Click(); });
  on(SaveAs1, &TForm1::SaveAs1Click);
  on(Import1, &TForm1::Import1Click);
  on(Export1, &TForm1::Export1Click);
  on(Exit1, &TForm1::Exit1Click);
  on(DeleteRectangle1, &TForm1::DeleteRectangle1Click);
  on(Undo1, &TForm1::Undo1Click);
  on(Redo1, &TForm1::Redo1Click);
  on(CopytoClipboard1, &TForm1::CopytoClipboard1Click);
  on(Paste1, &TForm1::Paste1Click);
  on(Sharpen1, &TForm1::Sharpen1Click);
  on(Softening1, &TForm1::Softening1Click);
  on(Emboss1, &TForm1::Emboss1Click);
  on(Laplace1, &TForm1::Laplace1Click);
  on(Intensity1, &TForm1::Intensity1Click);
  on(Constrast1, &TForm1::Constrast1Click);
  on(Nudge1, &TForm1::Nudge1Click);
  on(MakeWhiteTransparent1, &TForm1::MakeWhiteTransparent1Click);
  on(MakeRightPenColorTransparent1, &TForm1::MakeRightPenColorTransparent1Click);
  on(MakeLeftPenColorOpaque1, &TForm1::MakeLeftPenColorOpaque1Click);
  on(MakeRightPenColorOpaque1, &TForm1::MakeRightPenColorOpaque1Click);
  on(FlipEntireImageHorizontally1, &TForm1::FlipEntireImageHorizontally1Click);
  on(FlipEntireImageVertically1, &TForm1::FlipEntireImageVertically1Click);
  on(RotateImage90DegreesLeft1, &TForm1::RotateImage90DegreesLeft1Click);
  on(RotateEntireImageClockwise1, &TForm1::RotateEntireImageClockwise1Click);
  on(BottomMirrorsTop1, &TForm1::BottomMirrorsTop1Click);
  on(TopMirrorsBottom1, &TForm1::TopMirrorsBottom1Click);
  on(RightMirrorsLeft1, &TForm1::RightMirrorsLeft1Click);
  on(LeftMirrorsRight1, &TForm1::LeftMirrorsRight1Click);
  on(LeftTopQuadrantMirrorsRightTopQuadrant1, &TForm1::LeftTopQuadrantMirrorsRightTopQuadrant1Click);
  on(RightTopQuadrantMirrorsLeftTopQuadrant1, &TForm1::RightTopQuadrantMirrorsLeftTopQuadrant1Click);
  on(LeftBottomQuadrantMirrorsRightBottomQuadrant1, &TForm1::LeftBottomQuadrantMirrorsRightBottomQuadrant1Click);
  on(RightBottomQuadrantMirrorsLeftBottomQuadrant1, &TForm1::RightBottomQuadrantMirrorsLeftBottomQuadrant1Click);
  on(LeftTopQuadrantMirrorsLeftBottomQuadrant2, &TForm1::LeftTopQuadrantMirrorsLeftBottomQuadrant2Click);
  on(LeftBottomQuadrantMirrorsLeftTopQuadrant1, &TForm1::LeftBottomQuadrantMirrorsLeftTopQuadrant1Click);
  on(RightTopQuadrantMirrorsRightBottomQuadrant1, &TForm1::RightTopQuadrantMirrorsRightBottomQuadrant1Click);
  on(RightBottomQuadrantMirrorsRightTopQuadrant1, &TForm1::RightBottomQuadrantMirrorsRightTopQuadrant1Click);
  on(LeftTopQuadrantMirrorsRightBottomQuadrant2, &TForm1::LeftTopQuadrantMirrorsRightBottomQuadrant2Click);
  on(RightBottomQuadrantMirrorsLeftTopQuadrant1, &TForm1::RightBottomQuadrantMirrorsLeftTopQuadrant1Click);
  on(LeftBottomQuadrantMirrorsRightTopQuadrant1, &TForm1::LeftBottomQuadrantMirrorsRightTopQuadrant1Click);
  on(RightTopQuadrantMirrorsLeftBottomQuadrant1, &TForm1::RightTopQuadrantMirrorsLeftBottomQuadrant1Click);
  on(GradientFill1, &TForm1::GradientFill1Click);
  on(ResetColorPalette1, &TForm1::ResetColorPalette1Click);
  on(CursorXYHotSpot, &TForm1::CursorXYHotSpotClick);
  on(UserightmousebuttonasanEraser, &TForm1::UserightmousebuttonasanEraserClick);
  on(DoNotScaleImportedImages1, &TForm1::DoNotScaleImportedImages1Click);
  on(ShowHints, &TForm1::ShowHintsClick);
  on(Help1, &TForm1::Help1Click);
  on(About1, &TForm1::About1Click);

  const auto click = [this](QToolButton* b, void (TForm1::*handler)()) { ConnectClick(b, handler); };
  click(bUndo, &TForm1::bUndoClick);
  click(bRedo, &TForm1::bRedoClick);
  click(bFileOpen, &TForm1::bFileOpenClick);
  click(bFileSave, &TForm1::bFileSaveClick);
  click(bColorPalOpen, &TForm1::bColorPalOpenClick);
  click(bColorPalSave, &TForm1::bColorPalSaveClick);
  click(bNudgeLeft, &TForm1::bNudgeLeftClick);
  click(bNudgeRight, &TForm1::bNudgeRightClick);
  click(bNudgeUp, &TForm1::bNudgeUpClick);
  click(bNudgeDown, &TForm1::bNudgeDownClick);

  connect(editarea, &TImageView::mouseDown, this, &TForm1::editareaMouseDown);
  connect(editarea, &TImageView::mouseMove, this, &TForm1::editareaMouseMove);
  connect(editarea, &TImageView::mouseUp, this, &TForm1::editareaMouseUp);
  connect(colorgrd, &TImageView::mouseDown, this, &TForm1::colorgrdMouseDown);
  connect(scrRed, &QScrollBar::valueChanged, this, [this] { scrRedChange(); });
  connect(scrGreen, &QScrollBar::valueChanged, this, [this] { scrGreenChange(); });
  connect(scrBlue, &QScrollBar::valueChanged, this, [this] { scrBlueChange(); });
  connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);

  const std::pair<QToolButton*, CommandPicture> pictures[] = {
      {bUndo, CommandPicture::Undo}, {bRedo, CommandPicture::Redo}, {bFileOpen, CommandPicture::Open},
      {bFileSave, CommandPicture::Save}, {bColorPalOpen, CommandPicture::PaletteOpen},
      {bColorPalSave, CommandPicture::PaletteSave}, {bNudgeLeft, CommandPicture::NudgeLeft},
      {bNudgeRight, CommandPicture::NudgeRight}, {bNudgeUp, CommandPicture::NudgeUp},
      {bNudgeDown, CommandPicture::NudgeDown}};
  for (const auto& [button, picture] : pictures) button->setIcon(CommandButtonIcon(picture));
}

}  // namespace gw
