// The main window: its composition, start-up, the 29 new-image commands and "New", the save question on
// closing and before a new image, and the edit area's transforms.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "editor/core/UndoRing.h"
#include "editor/ui/ToolArt.h"
#include "editor/ui/ficon.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;
using Answer = IMessageBoxes::Answer;

namespace {

// A window whose Save reports a scripted result, to see what the close question does with it.
class SavingForm : public TForm1 {
 public:
  using TForm1::TForm1;
  bool Save1Click() override {
    ++saves;
    return saveSucceeds;
  }
  int saves = 0;
  bool saveSucceeds = true;
};

QAction* Item(TForm1& f, const char* name) {
  auto* a = f.findChild<QAction*>(QString::fromLatin1(name));
  if (!a) qFatal("no menu item %s", name);
  return a;
}

QStringList Captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
  return out;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<test::ScriptedMessageBoxes> ownedBoxes_;

  TForm1Options Options(int screenWidth = 1024, QStringList args = {}) {
    ownedBoxes_ = std::make_unique<test::ScriptedMessageBoxes>();
    TForm1Options o;
    o.boxes = ownedBoxes_.get();
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [screenWidth] { return screenWidth; };
    o.useCommandLine = false;
    o.arguments = std::move(args);
    return o;
  }
  test::ScriptedMessageBoxes& Boxes() { return *ownedBoxes_; }

  // Marks the image as edited, as every finished edit does.
  static void Edit(TForm1& f) {
    f.state().iconimage.setPixel(1, 1, 0x0000FF);
    PushUndo(f.state());
  }

 private slots:
  void startUpState() {
    TForm1 f(Options());
    const EditorState& s = f.state();
    QCOMPARE(f.windowTitle(), QStringLiteral("Glyphwerk"));
    QVERIFY(!f.DeleteRectangle1->isEnabled());
    QVERIFY(f.bpencil->isChecked());
    QCOMPARE(f.ActiveToolButton, f.bpencil);
    QCOMPARE(s.CurrentTool, 0);
    QCOMPARE(s.ToolStage, 1);
    QCOMPARE(f.editarea->cursor().pixmap().cacheKey(), f.ScreenCursor(kCursorPencil).pixmap().cacheKey());
    QVERIFY(!f.editarea->cursor().pixmap().isNull());

    QCOMPARE(s.IconType, int(kTypeTrueColor));
    QCOMPARE(s.IconSize, 32);
    QCOMPARE(s.CellSize, 10);
    QCOMPARE(s.iconimage, Bitmap(32, 32, kWhite));
    QCOMPARE(s.iconmask, Bitmap(32, 32, kWhite));
    QCOMPARE(f.editarea->size(), QSize(320, 320));
    QCOMPARE(f.iconimage->size(), QSize(32, 32));
    QCOMPARE(f.editareaGroupBox->title(), QStringLiteral("Edit Area -- True Color Icon - 32 x 32"));
    QCOMPARE(f.NewIconCursor->text(), QStringLiteral("New True Color Icon - 32 x 32"));
    // The first layout places the readouts at their form widths, before the group's font grows to 10.
    QCOMPARE(f.editareaGroupBox->font().pointSize(), 10);
    QCOMPARE(f.grLabel2->x(), (370 - 42) / 2 - 10);
    QCOMPARE(f.blLabel2->x(), f.grLabel2->x() + 42 + 50);
    QCOMPARE(f.transparentLabel->x(), (370 - 80) / 2);
    QVERIFY(!s.Modified);
    QVERIFY(!s.Creating);
    QCOMPARE(s.UndoTop, 0);
    QVERIFY(!f.bUndo->isEnabled());
    QVERIFY(!f.bRedo->isEnabled());
    QVERIFY(!f.CursorXYHotSpot->isEnabled());
    QVERIFY(f.bcolorselector->isEnabled());
    QVERIFY(f.bColorPalOpen->isEnabled());
    QCOMPARE(s.DragPoints[2], -1);
    QCOMPARE(s.DragPoints[3], -1);
    QCOMPARE(s.ShapePoints.size(), size_t(1024));
    QCOMPARE(s.RotateCanvas.width(), 128);
    QCOMPARE(s.PickedIconImage.width(), 32);
    QCOMPARE(QString::fromStdString(s.SettingsPath), dir_.filePath(QStringLiteral("glyphwerk.ini")));
    QVERIFY(Boxes().messages.empty());
    QVERIFY(Boxes().questions.empty());
    QVERIFY(!f.terminateRequested());
    QCOMPARE(Form1, &f);
  }

  void composition() {
    TForm1 f(Options());
    // The menu bar and its menus in order.
    QStringList menus;
    for (const QAction* a : f.MainMenu1->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"&Icon", "&Edit", "&Image", "&Tools/Defaults", "&Help"}));
    QCOMPARE(Captions(f.File1).mid(1),
             (QStringList{"&New", "&Open...", "&Save", "Save &As...", "Import...", "Export...", "E&xit"}));
    QCOMPARE(Captions(f.New1), (QStringList{"&True Color Icon", "&256 Color Icon", "&16 Color Icon",
                                            "Monochrome Icon", "Cursor"}));
    QCOMPARE(Captions(f.NTrueColorIcon1),
             (QStringList{"64x64", "56x56", "48x48", "40x40", "32x32", "24x24", "16x16"}));
    const QStringList sizes{"64x64", "56x56", "48x48", "40x40", "32x32", "24x24", "16x16"};
    QCOMPARE(Captions(f.N256ColorIcon1), sizes);
    QCOMPARE(Captions(f.N16ColorIcon1), sizes);
    QCOMPARE(Captions(f.MonochromeIcon1), sizes);
    QCOMPARE(Captions(f.Cursor1), QStringList{"32x32"});
    QCOMPARE(f.N48x48_True->text(), QStringLiteral("48x48"));
    QCOMPARE(f.NTrueColorIcon1->actions()[2], f.N48x48_True);
    QCOMPARE(f.MonochromeIcon1->actions().last(), f.N16x16_Mono);
    QCOMPARE(Captions(f.Image1),
             (QStringList{"Sharpening...", "Softening...", "Edge Detection", "Brightness...", "Contrast...",
                          "Nudge...", "Transparency", "Opacity", "Flip", "Rotate", "Mirror", "Gradient Fill..."}));
    QCOMPARE(Captions(f.EdgeDetection1), (QStringList{"Sobel", "Laplace"}));
    QCOMPARE(f.EdgeDetection1->actions()[0], f.Emboss1);
    QCOMPARE(Captions(f.Transparency1),
             (QStringList{"Make Left Pen Color &Transparent", "&Make Right Pen Color Transparent"}));
    QCOMPARE(f.Transparency1->actions()[0], f.MakeWhiteTransparent1);
    QCOMPARE(Captions(f.Opacity1),
             (QStringList{"Make Left Pen Color &Opaque", "Make Right Pen Color O&paque"}));
    QCOMPARE(Captions(f.Flip1),
             (QStringList{"&Flip Entire Image Horizontally", "F&lip Entire Image Vertically"}));
    QCOMPARE(f.Rotate1->actions()[1], f.RotateEntireImageClockwise1);
    QCOMPARE(f.Mirror1->actions()[18], f.RightTopQuadrantMirrorsLeftBottomQuadrant1);
    for (const char* name : {"N4", "N5", "N6"}) QVERIFY2(Item(f, name)->isSeparator(), name);
    QCOMPARE(f.Tools1->actions()[1], Item(f, "N4"));
    QCOMPARE(f.Tools1->actions()[5], Item(f, "N6"));
    // Check marks and enabling as the form gives them.
    QVERIFY(f.UserightmousebuttonasanEraser->isCheckable());
    QVERIFY(!f.UserightmousebuttonasanEraser->isChecked());
    QVERIFY(f.DoNotScaleImportedImages1->isCheckable());
    QVERIFY(f.ShowHints->isCheckable());
    QVERIFY(!f.Undo1->isCheckable());
    QVERIFY(f.Undo1->isEnabled());
    QVERIFY(f.Redo1->isEnabled());
    for (QAction* a : {f.NewIconCursor, f.Open1, f.Save1, f.SaveAs1, f.Import1, f.Export1, f.Exit1,
                       f.Sharpen1, f.GradientFill1, f.ResetColorPalette1, f.CursorXYHotSpot, f.About1})
      QVERIFY2(a->shortcut().isEmpty(), qPrintable(a->objectName()));
    QCOMPARE(Captions(f.Edit1), (QStringList{"Delete Selected Rectangle", "&Undo", "Redo", "&Copy", "&Paste"}));
    QCOMPARE(Captions(f.Tools1),
             (QStringList{"&Reset Color Palette", "-", "&Set Cursor Hot Spot...", "-",
                          "Use Right Mouse Button as an Eraser", "-", "Do Not Scale Imported Images"}));
    QCOMPARE(Captions(f.Info1), (QStringList{"Show Hints", "&Help Topics", "&About..."}));
    QVERIFY(f.ShowHints->isChecked());
    const QStringList mirror = Captions(f.Mirror1);
    QCOMPARE(mirror.size(), 19);
    QCOMPARE(mirror.count(QStringLiteral("-")), 3);
    QCOMPARE(mirror[4], QStringLiteral("-"));
    QCOMPARE(mirror.first(), QStringLiteral("Bottom Half Mirrors Top Half"));
    QCOMPARE(Captions(f.Rotate1),
             (QStringList{"Rotate Image 90 Degrees Left", "&Rotate Image 90 Degrees Right"}));

    // Shortcuts, Redo's set explicitly to Ctrl+Y.
    QCOMPARE(f.Redo1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
    QCOMPARE(f.Undo1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(f.CopytoClipboard1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(f.Paste1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_V));
    QCOMPARE(f.DeleteRectangle1->shortcut(), QKeySequence(Qt::Key_Delete));
    QCOMPARE(f.Help1->shortcut(), QKeySequence(Qt::Key_F1));

    // The drawing tool bar: two rows of ten, all but the text button in one exclusive group.
    QCOMPARE(f.ToolBar->size(), QSize(300, 65));
    const auto tools = f.ToolBar->findChildren<QToolButton*>();
    QCOMPARE(tools.size(), 20);
    for (QToolButton* b : tools) {
      QVERIFY2(!b->toolTip().isEmpty(), qPrintable(b->objectName()));
      QVERIFY(!b->icon().isNull());
      QCOMPARE(b->isCheckable(), b != f.btext);
    }
    // Every tool button with its hint, in tool-bar order: ten a row, 30 x 29 each.
    const QToolButton* toolOrder[] = {
        f.bpencil, f.bline, f.bcircle, f.brect, f.brect3, f.bcircle2, f.brect2, f.brect4, f.bfloodfill, f.bmove,
        f.bmove2, f.beraser, f.bcurves, f.bsnapshot, f.bfliph, f.bflipv, f.brotate, f.bcolorsub,
        f.bcolorselector, f.btext};
    const QStringList toolHints{
        "Pencil", "Straight Line", "Hollow Circle", "Hollow Rectangle", "Rounded Hollow Rectangle",
        "Filled Circle", "Filled Rectangle", "Rounded Filled Rectangle", "Flood Fill", "Move/Copy Rectangle",
        "Move/Copy Shape", "Eraser", "Curves", "Desktop SnapShot", "Flip Horizontally", "Flip Vertically",
        "Rotate", "Color Subtitute", "Color Selector", "Insert Text"};
    for (int i = 0; i < 20; ++i) {
      QCOMPARE(toolOrder[i]->toolTip(), toolHints[i]);
      QCOMPARE(toolOrder[i]->geometry(), QRect(30 * (i % 10), 29 * (i / 10), 30, 29));
    }
    // The command tool bar: ten 23 x 22 buttons in four groups parted by 8-pixel separators.
    QCOMPARE(f.ToolBar2->size(), QSize(10 * 23 + 3 * 8, 22 + 11));
    const QToolButton* commandOrder[] = {f.bUndo, f.bRedo, f.bFileOpen, f.bFileSave, f.bColorPalOpen,
                                         f.bColorPalSave, f.bNudgeLeft, f.bNudgeRight, f.bNudgeUp, f.bNudgeDown};
    const QStringList commandHints{"Undo (Ctrl+Z)", "Redo (Ctrl+Y)", "Open an Icon", "Save Icon",
                                   "Load Color Palette", "Save Color Palette", "Nudge Left", "Nudge Right",
                                   "Nudge Up", "Nudge Down"};
    const int groupOf[] = {0, 0, 1, 1, 2, 2, 3, 3, 3, 3};
    for (int i = 0; i < 10; ++i) {
      QCOMPARE(commandOrder[i]->toolTip(), commandHints[i]);
      QCOMPARE(commandOrder[i]->geometry(), QRect(23 * i + 8 * groupOf[i], 0, 23, 22));
      QVERIFY(commandOrder[i]->autoRaise());
      QVERIFY(!commandOrder[i]->isCheckable());
    }

    QCOMPARE(f.iconimage->toolTip(), QStringLiteral("Icon Image"));
    QVERIFY(!f.iconimage->isEnabled());
    QCOMPARE(f.leftcolorDisp->toolTip(), QStringLiteral("Left Pen Color"));
    QCOMPARE(f.colorgrdGroupBox->title(), QStringLiteral("Colors"));
    QCOMPARE(f.scrRed->maximum(), 255);
    QCOMPARE(f.scrRed->pageStep(), 10);
    QCOMPARE(f.opendlg.Title, QStringLiteral("Open Icon"));
    QCOMPARE(f.savedlg.Title, QStringLiteral("Save Icon"));
    QCOMPARE(f.savedlg.DefaultExt, QStringLiteral("ico"));
    QVERIFY(f.savedlg.OverwritePrompt);
    QVERIFY(f.Timer1->isSingleShot());
    QCOMPARE(f.Timer1->interval(), 250);
    QVERIFY(!f.Timer1->isActive());
    // The six tool cursors are our own pictures.
    for (int slot = kCursorSnapshot; slot <= kCursorColorSelector; ++slot)
      QVERIFY(!f.ScreenCursor(slot).pixmap().isNull());
  }

  void newImageCommands_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("zoom");
    QTest::addColumn<QString>("typeName");
    const struct { const char* suffix; int type; const char* name; } types[] = {
        {"16", kType16Color, "16 Color Icon"}, {"256", kType256Color, "256 Color Icon"},
        {"True", kTypeTrueColor, "True Color Icon"}, {"Mono", kTypeMono, "MonoChrome Icon"}};
    const int zooms[] = {20, 13, 10, 8, 7, 6, 5};
    for (const auto& t : types)
      for (int i = 0; i < 7; ++i) {
        const int size = 16 + 8 * i;
        const QString item = QStringLiteral("N%1x%1_%2").arg(size).arg(QLatin1String(t.suffix));
        QTest::newRow(qPrintable(item)) << item << t.type << size << zooms[i] << QString::fromLatin1(t.name);
      }
    QTest::newRow("N32x32_Cursor") << QStringLiteral("N32x32_Cursor") << int(kTypeCursor) << 32 << 10
                                   << QStringLiteral("Cursor");
  }

  void newImageCommands() {
    QFETCH(QString, item);
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(int, zoom);
    QFETCH(QString, typeName);
    TForm1 f(Options());
    f.bmoveClick();  // the tool is kept across a new image
    f.savedlg.FileName = QStringLiteral("old.ico");
    Item(f, qPrintable(item))->trigger();

    const EditorState& s = f.state();
    QCOMPARE(s.IconType, type);
    QCOMPARE(s.IconSize, size);
    QCOMPARE(s.CellSize, zoom);
    const int home = 3 * size / 2;
    QCOMPARE(s.CurrentPlacementRect, (Rect{home, home, home + size, home + size}));
    QCOMPARE(s.PlacementCanvas.width(), 4 * size);
    const Color transparent = type >= kTypeMono ? kAqua : kWhite;
    QCOMPARE(s.iconimage, Bitmap(size, size, transparent));
    QCOMPARE(s.iconmask, Bitmap(size, size, kWhite));
    QVERIFY(!s.Modified);
    QCOMPARE(s.UndoTop, 0);
    QCOMPARE(s.CurrentTool, 7);
    QCOMPARE(s.ToolStage, 1);

    // The layout of the edit-area group for the size.
    const int magnified = size * zoom;
    QCOMPARE(f.editarea->size(), QSize(magnified, magnified));
    QCOMPARE(f.editarea->pos(), QPoint(2, 2));
    QCOMPARE(f.editareaPanel->size(), QSize(magnified + 4, magnified + 4));
    QCOMPARE(f.editareaGroupBox->size(), QSize(370, 435));
    QCOMPARE(f.editareaGroupBox->pos(), QPoint(f.ToolBar->x(), f.ToolBar->y() + f.ToolBar->height() + 2));
    QCOMPARE(f.editareaPanel->x(), (370 - magnified - 4) / 2);
    QCOMPARE(f.XYLabel->y(), f.editareaPanel->y() - 20);
    QCOMPARE(f.rdLabel2->y(), f.editareaPanel->y() + f.editareaPanel->height() + 7);
    QCOMPARE(f.rdLabel2->x(), f.grLabel2->x() - 90);
    QCOMPARE(f.editareaPanel->y(), (435 - magnified - 4) / 2);
    QCOMPARE(f.XYLabel->geometry(),
             QRect((370 - f.XYLabel->width()) / 2, f.editareaPanel->y() - 20, f.XYLabel->width(), 20));
    // The position readout shows its widest reading whole.
    f.ShowCursorPosition(63, 63);
    QVERIFY(f.XYLabel->width() >= 75);
    QVERIFY(f.XYLabel->width() >= f.XYLabel->fontMetrics().horizontalAdvance(f.XYLabel->text()));
    QCOMPARE(f.grLabel2->y(), f.rdLabel2->y());
    QCOMPARE(f.blLabel2->y(), f.rdLabel2->y());
    // From the second layout on, the readouts are measured in the group's font.
    QCOMPARE(f.grLabel2->x(), (370 - f.grLabel2->width()) / 2 - 10);
    QCOMPARE(f.blLabel2->x(), f.grLabel2->x() + f.grLabel2->width() + 50);
    QCOMPARE(f.transparentLabel->x(), (370 - f.transparentLabel->width()) / 2);
    QCOMPARE(f.transparentLabel->y(), f.rdLabel2->y() + f.rdLabel2->height() + 4);
    QCOMPARE(f.iconimage->geometry(), QRect(7, 7, size, size));
    QCOMPARE(f.iconmask->geometry(), QRect(size + 9, 7, size, size));
    QVERIFY(f.imagePanel->rect().contains(f.iconmask->geometry()));

    // Captions and enabling.
    QCOMPARE(f.editareaGroupBox->title(), QStringLiteral("Edit Area -- %1 - %2 x %2").arg(typeName).arg(size));
    QCOMPARE(f.NewIconCursor->text(), QStringLiteral("New %1 - %2 x %2").arg(typeName).arg(size));
    QCOMPARE(f.windowTitle(), QStringLiteral("Glyphwerk"));
    QCOMPARE(f.CursorXYHotSpot->isEnabled(), type == kTypeCursor);
    QCOMPARE(f.bcolorselector->isEnabled(), type == kTypeTrueColor);
    QCOMPARE(f.bColorPalOpen->isEnabled(), type == kTypeTrueColor);
    QCOMPARE(f.bColorPalSave->isEnabled(), type == kTypeTrueColor);
    QVERIFY(!f.bUndo->isEnabled());
    QVERIFY(f.savedlg.FileName.isEmpty());
    QVERIFY(Boxes().questions.empty());  // nothing was modified, so nothing is asked
  }

  void newRepeatsCurrentTypeAndSize() {
    TForm1 f(Options());
    f.N48x48_MonoClick();
    f.N16x16_TrueClick();
    f.state().IconType = kTypeMono;
    f.state().IconSize = 48;
    f.NewIconCursor->trigger();
    QCOMPARE(f.state().IconType, int(kTypeMono));
    QCOMPARE(f.state().IconSize, 48);
    QCOMPARE(f.NewIconCursor->text(), QStringLiteral("New MonoChrome Icon - 48 x 48"));

    f.state().IconSize = 100;  // as a settings file may leave it
    f.NewIconCursorClick();
    QCOMPARE(f.state().IconSize, 16);
    QCOMPARE(f.state().IconType, int(kTypeMono));

    f.N32x32_CursorClick();
    f.state().IconSize = 64;
    f.NewIconCursorClick();
    QCOMPARE(f.state().IconType, int(kTypeCursor));
    QCOMPARE(f.state().IconSize, 32);
  }

  void newImageRestoresAMaximisedWindow() {
    TForm1 f(Options());
    f.setWindowState(Qt::WindowMaximized);
    f.N24x24_256Click();
    QVERIFY(!(f.windowState() & Qt::WindowMaximized));
    QCOMPARE(f.editarea->width(), 312);
  }

  void saveQuestionBeforeNewImage() {
    SavingForm f(Options());
    Edit(f);
    const Bitmap edited = f.state().iconimage;

    // Cancel: nothing at all changes.
    Boxes().answerNext(Answer::Cancel);
    f.N24x24_256Click();
    QCOMPARE(Boxes().questions.size(), size_t(1));
    QCOMPARE(Boxes().questions[0].text, QStringLiteral("Save Painted Icon ?"));
    QCOMPARE(Boxes().questions[0].caption, QStringLiteral("Save Icon Dialog"));
    QCOMPARE(f.state().IconSize, 32);
    QCOMPARE(f.state().iconimage, edited);
    QVERIFY(f.state().Modified);
    QCOMPARE(f.state().UndoTop, 1);
    QCOMPARE(f.editareaGroupBox->title(), QStringLiteral("Edit Area -- True Color Icon - 32 x 32"));
    QCOMPARE(f.saves, 0);

    // Yes with a save that fails: the image stays.
    f.saveSucceeds = false;
    Boxes().answerNext(Answer::Yes);
    f.N24x24_256Click();
    QCOMPARE(f.saves, 1);
    QCOMPARE(f.state().IconSize, 32);
    QCOMPARE(f.state().iconimage, edited);

    // Yes with a save that writes: the new image replaces it.
    f.saveSucceeds = true;
    Boxes().answerNext(Answer::Yes);
    f.N24x24_256Click();
    QCOMPARE(f.saves, 2);
    QCOMPARE(f.state().IconSize, 24);
    QCOMPARE(f.editareaGroupBox->title(), QStringLiteral("Edit Area -- 256 Color Icon - 24 x 24"));
    QCOMPARE(f.NewIconCursor->text(), QStringLiteral("New 256 Color Icon - 24 x 24"));

    // No: replaced without saving.
    Edit(f);
    Boxes().answerNext(Answer::No);
    f.N16x16_MonoClick();
    QCOMPARE(f.saves, 2);
    QCOMPARE(f.state().IconType, int(kTypeMono));
    QVERIFY(!f.state().Modified);
  }

  void closeWithoutModificationAsksNothing() {
    TForm1 f(Options());
    f.show();
    QVERIFY(f.close());
    QVERIFY(Boxes().questions.empty());
    QVERIFY(!f.isVisible());
  }

  void closeQuestionAnswers() {
    // Cancel keeps the window and the image.
    {
      SavingForm f(Options());
      f.show();
      Edit(f);
      const Bitmap edited = f.state().iconimage;
      Boxes().answerNext(Answer::Cancel);
      QVERIFY(!f.close());
      QVERIFY(f.isVisible());
      QCOMPARE(f.state().iconimage, edited);
      QCOMPARE(f.saves, 0);
    }
    // No closes without saving.
    {
      SavingForm f(Options());
      f.show();
      Edit(f);
      Boxes().answerNext(Answer::No);
      QVERIFY(f.close());
      QCOMPARE(f.saves, 0);
    }
    // Yes closes only when the save wrote the file.
    {
      SavingForm f(Options());
      f.show();
      Edit(f);
      f.saveSucceeds = false;
      Boxes().answerNext(Answer::Yes);
      QVERIFY(!f.close());
      QCOMPARE(f.saves, 1);
      QVERIFY(f.state().Modified);
      f.saveSucceeds = true;
      Boxes().answerNext(Answer::Yes);
      QVERIFY(f.close());
      QCOMPARE(f.saves, 2);
    }
    // Yes with a cancelled save dialog keeps the window open: the image is never lost.
    {
      TForm1 f(Options());
      f.savedlg.Runner = [](TFileDialog&) { return false; };
      f.show();
      Edit(f);
      Boxes().answerNext(Answer::Yes);
      f.Exit1->trigger();
      QVERIFY(f.isVisible());
      Boxes().answerNext(Answer::Yes);
      QVERIFY(!f.ConfirmDiscard());
      QVERIFY(f.state().Modified);
    }
  }

  void confirmDiscard() {
    SavingForm f(Options());
    QVERIFY(f.ConfirmDiscard());  // unmodified: no question
    QVERIFY(Boxes().questions.empty());
    Edit(f);
    Boxes().answerNext(Answer::Cancel);
    QVERIFY(!f.ConfirmDiscard());
    Boxes().answerNext(Answer::No);
    QVERIFY(f.ConfirmDiscard());
    QCOMPARE(Boxes().questions.size(), size_t(2));
  }

  void screenWidthCheck() {
    {
      TForm1 f(Options(800));
      QVERIFY(Boxes().messages.empty());
      QVERIFY(!f.terminateRequested());
    }
    {
      TForm1 f(Options(799));
      QCOMPARE(Boxes().messages.size(), size_t(1));
      QCOMPARE(Boxes().messages[0].caption, QStringLiteral("Fatal Error"));
      QCOMPARE(Boxes().messages[0].text,
               QStringLiteral("Glyphwerk 3.0 only supports video modes of 800x600 or greater,") + QChar(10) +
                   QChar(13) + QStringLiteral("optimally at 1024x768.  Please fix accordingly.  Thanks."));
      QVERIFY(f.terminateRequested());
      // The image made before the check is still valid.
      QCOMPARE(f.state().iconimage.width(), 32);
    }
  }

  void commandLine() {
    QCOMPARE(JoinCommandLine({"my", "icon.ICO"}), QStringLiteral("my icon.ICO"));
    QCOMPARE(JoinCommandLine({}), QString());
    QCOMPARE(JoinCommandLine({" \t a.cur", ""}), QStringLiteral("a.cur"));
    QVERIFY(IsIconOrCursorPath(QStringLiteral("/tmp/my icon.ICO")));
    QVERIFY(IsIconOrCursorPath(QStringLiteral("x.cur")));
    QVERIFY(!IsIconOrCursorPath(QStringLiteral("picture.bmp")));
    QVERIFY(!IsIconOrCursorPath(QStringLiteral("/tmp/dir.ico/file")));
    QVERIFY(!IsIconOrCursorPath(QStringLiteral("ico")));
    {
      // A file that cannot be read gets a message, and start-up completes with a blank image.
      TForm1 f(Options(1024, {dir_.filePath("my"), "icon.ICO"}));
      QVERIFY(f.savedlg.FileName.isEmpty());
      QCOMPARE(Boxes().messages.size(), size_t(1));
      QVERIFY(Boxes().messages[0].text.contains("my icon.ICO"));
      QCOMPARE(f.state().IconSize, 32);
    }
    {
      TForm1 f(Options(1024, {"picture.bmp"}));
      QVERIFY(f.savedlg.FileName.isEmpty());
      QVERIFY(Boxes().messages.empty());
    }
  }

  void editAreaTransforms() {
    TForm1 f(Options());
    QCOMPARE(f.state().CellSize, 10);
    QCOMPARE(f.PixelToCell({10, 11}), (Point{0, 1}));
    QCOMPARE(f.PixelToCell({-10, 0}), (Point{-2, 0}));
    QCOMPARE(f.PixelToCell({320, 1}), (Point{31, 0}));
    QCOMPARE(f.PixelRectToCellRect({10, 20, 35, 40}), (Rect{1, 2, 3, 4}));
    QCOMPARE(f.CellToPixel({31, 0}), (Point{310, 0}));
    f.ShowCursorPosition(0, 0);
    QCOMPARE(f.XYLabel->text(), QStringLiteral("X= 1  Y= 1"));
  }

  void editAreaShowsTheImageMagnified() {
    TForm1 f(Options());
    f.state().iconimage.setPixel(2, 3, 0x0000FF);
    f.RefreshEditArea();
    const QImage shown = f.editarea->grab().toImage();
    QCOMPARE(shown.size(), QSize(320, 320));
    QCOMPARE(shown.pixelColor(25, 35), QColor(255, 0, 0));  // cell (2, 3) is red
    QCOMPARE(shown.pixelColor(29, 39), QColor(255, 0, 0));
    QCOMPARE(shown.pixelColor(30, 35), QColor(255, 255, 255));
    QCOMPARE(shown.pixelColor(19, 35), QColor(255, 255, 255));
  }

  void imageViewReportsBitmapPixels() {
    Bitmap bmp(10, 10, kWhite);
    TImageView view;
    view.setBitmap(&bmp);
    view.resize(20, 20);  // stretched twice
    QSignalSpy down(&view, &TImageView::mouseDown);
    QSignalSpy up(&view, &TImageView::mouseUp);
    QTest::mousePress(&view, Qt::RightButton, Qt::ShiftModifier, QPoint(5, 19));
    QTest::mouseRelease(&view, Qt::RightButton, Qt::NoModifier, QPoint(0, 0));
    QCOMPARE(down.size(), 1);
    QCOMPARE(down[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(down[0][1].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(down[0][2].toInt(), 2);
    QCOMPARE(down[0][3].toInt(), 9);
    QCOMPARE(up.size(), 1);
    QCOMPARE(view.toBitmap(QPointF(-3, 40)), QPoint(-2, 20));  // outside the view maps outside the bitmap
    view.resize(10, 10);
    QCOMPARE(view.toBitmap(QPointF(-1, 9)), QPoint(-1, 9));

    bmp.setPixel(0, 0, 0x00FF0000);  // blue in the 0x00BBGGRR layout
    bmp.setPixel(9, 9, 0x0000FF00);
    const QImage img = ToQImage(bmp);
    QCOMPARE(img.pixelColor(0, 0), QColor(0, 0, 255));
    QCOMPARE(img.pixelColor(9, 9), QColor(0, 255, 0));
  }

  // Space and Return press no button of the window, fresh and after edits: no button takes the focus, and
  // the keys reach only the menu shortcuts.
  void spaceAndReturnPressNothing() {
    TForm1 f(Options());
    QStringList runs;
    for (TFileDialog* d : {&f.opendlg, &f.savedlg})
      d->Runner = [&runs](TFileDialog& dlg) {
        runs << dlg.Title;
        return false;
      };
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    const EditorState& s = f.state();
    for (int edits : {0, 2}) {
      for (int i = 0; i < edits; ++i) QTest::mouseClick(f.editarea, Qt::LeftButton, {}, QPoint(15 + 20 * i, 15));
      const Bitmap image = s.iconimage;
      const int pos = s.UndoPos, tool = s.CurrentTool;
      for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Space})
        QTest::keyClick(f.windowHandle(), key);
      QCOMPARE(s.UndoPos, pos);
      QCOMPARE(s.iconimage, image);
      QCOMPARE(s.CurrentTool, tool);
      QCOMPARE(runs, QStringList());
      QVERIFY(Boxes().questions.empty() && Boxes().messages.empty());
      QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }
    QCOMPARE(s.UndoPos, 2);
    for (const QAbstractButton* b : f.findChildren<QAbstractButton*>())
      QVERIFY2(b->focusPolicy() == Qt::NoFocus, qPrintable(b->objectName()));
  }

  void toolChoiceKeepsOneDisabledButton() {
    TForm1 f(Options());
    // The chosen (disabled) tool shows the same black picture as the others; green only under the mouse.
    const QIcon icon = f.bpencil->icon();
    QCOMPARE(icon.pixmap(23, QIcon::Disabled).toImage(), icon.pixmap(23, QIcon::Normal).toImage());
    QVERIFY(icon.pixmap(23, QIcon::Active).toImage() != icon.pixmap(23, QIcon::Normal).toImage());
    f.bfloodfill->click();
    QCOMPARE(f.state().CurrentTool, 6);
    QVERIFY(f.bfloodfill->isChecked());
    QVERIFY(!f.bfloodfill->isEnabled());
    QVERIFY(f.bpencil->isEnabled());
    QVERIFY(!f.bpencil->isChecked());
    QCOMPARE(f.editarea->cursor().pixmap().cacheKey(), f.ScreenCursor(kCursorFloodFill).pixmap().cacheKey());
    f.bcolorselectorClick();
    QCOMPARE(f.state().ColorSelectorTag, 6);
    f.N16x16_16Click();  // not true colour: the selector button goes off and stays off
    QVERIFY(!f.bcolorselector->isEnabled());
    f.bpencilClick();
    QVERIFY(!f.bcolorselector->isEnabled());
    f.N16x16_TrueClick();
    QVERIFY(f.bcolorselector->isEnabled());
  }
};

QTEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
