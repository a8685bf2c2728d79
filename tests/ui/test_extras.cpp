// Copy and paste through the clipboard, the snapshot's set-up and landing, the text dialog, the hot-spot
// dialog, help and About, driven through the main window offscreen.
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDialog>
#include <QLineEdit>
#include <QListView>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <memory>

#include "editor/core/UndoRing.h"
#include "platform/Alpha.h"
#include "editor/ui/SnapShotCapture.h"
#include "editor/ui/fCursorHotSpot.h"
#include "editor/ui/fText.h"
#include "editor/ui/fabout.h"
#include "editor/ui/fsnapshotsetup.h"
#include "editor/ui/ficon.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;

namespace {

// Runs `act` on the modal dialog that the next statement opens, once it is up.
template <typename Dialog>
void OnNextModal(std::function<void(Dialog&)> act) {
  QTimer::singleShot(0, [act] {
    auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!d) qFatal("no modal dialog of the expected class");
    act(*d);
  });
}

}  // namespace

class ExtrasTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<test::ScriptedMessageBoxes> boxes_;

  std::unique_ptr<TForm1> Form(const QString& helpPath = {}) {
    boxes_ = std::make_unique<test::ScriptedMessageBoxes>();
    TForm1Options o;
    o.boxes = boxes_.get();
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.helpPath = helpPath;
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    return std::make_unique<TForm1>(o);
  }
  test::ScriptedMessageBoxes& Boxes() { return *boxes_; }

 private slots:
  // ---- Clipboard ----------------------------------------------------------------------------------------
  void copyPutsTheImageWithoutItsMask() {
    auto f = Form();
    f->N16x16_MonoClick();
    f->state().iconimage.setPixel(2, 3, kBlack);
    f->CopytoClipboard1->trigger();
    const QImage out = QApplication::clipboard()->image();
    QCOMPARE(out.size(), QSize(16, 16));
    QCOMPARE(out.pixel(2, 3), qRgb(0, 0, 0));
    QCOMPARE(out.pixel(0, 0), qRgb(0, 255, 255));  // transparent: aqua, as the image carries it
    QVERIFY(!f->state().Modified);
    QCOMPARE(f->state().UndoTop, 0);
  }

  void pasteComposesOntoWhiteAndDropsTheSelection() {
    auto f = Form();
    QImage picture(40, 40, QImage::Format_ARGB32);
    picture.fill(qRgba(255, 0, 0, 255));
    picture.setPixel(1, 0, qRgba(0, 0, 255, 0));  // fully transparent: white
    picture.setPixel(2, 0, qRgba(0, 0, 0, 128));  // half: grey
    QApplication::clipboard()->setImage(picture);
    f->state().ToolStage = 4;
    f->Paste1->trigger();
    const EditorState& s = f->state();
    QCOMPARE(s.ToolStage, 1);
    QCOMPARE(s.iconimage.pixel(31, 31), 0x0000FFu);
    QCOMPARE(s.iconimage.pixel(1, 0), kWhite);
    QCOMPARE(s.iconimage.pixel(2, 0), 0x7F7F7Fu);
    QCOMPARE(s.iconmask, Bitmap(32, 32, kBlack));
    QVERIFY(s.Modified);
    QVERIFY(f->bUndo->isEnabled());
  }

  // Pictures offered as file bytes, as other programs put them on the clipboard: the top-left square
  // arrives, composed on white, also from a screen capture larger than Qt itself decodes.
  void pasteTakesTheCornerOfPictureBytesOfAnySize() {
    const struct {
      const char* type;
      const char* format;
      int width, height;
      bool alpha;  // the format keeps it (Qt writes 24-bit BMP files)
    } cases[] = {{"image/png", "PNG", 8000, 6000, true}, {"image/bmp", "BMP", 100, 20, false}};
    for (const auto& c : cases) {
      const auto colour = [&c](int x, int y) { return qRgba(x * 7, y * 11, (x * y) & 255, c.alpha && x == 5 && y == 3 ? 128 : 255); };
      QImage picture(c.width, c.height, QImage::Format_ARGB32);
      picture.fill(qRgb(1, 2, 3));
      for (int y = 0; y < std::min(c.height, 32); ++y)
        for (int x = 0; x < 32; ++x) picture.setPixel(x, y, colour(x, y));
      QByteArray bytes;
      QBuffer buffer(&bytes);
      QVERIFY(buffer.open(QIODevice::WriteOnly));
      QVERIFY(picture.save(&buffer, c.format));
      picture = QImage();
      if (c.width == 8000) {
        QVERIFY(QImage::fromData(bytes).isNull());  // beyond Qt's allocation limit
      }
      auto f = Form();
      auto* mime = new QMimeData;
      mime->setData(QString::fromLatin1(c.type), bytes);
      QApplication::clipboard()->setMimeData(mime);
      f->Paste1->trigger();
      QVERIFY2(Boxes().messages.empty(), c.type);
      const EditorState& s = f->state();
      for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
          const QRgb p = colour(x, y);
          const auto on = [&](int v) { return ChannelOnWhite(v, qAlpha(p)); };
          const Color want = y < c.height ? MakeColor(on(qRed(p)), on(qGreen(p)), on(qBlue(p))) : kWhite;
          QVERIFY2(s.iconimage.pixel(x, y) == want, qPrintable(QStringLiteral("%1 at %2,%3").arg(c.type).arg(x).arg(y)));
        }
      QCOMPARE(s.iconmask, Bitmap(32, 32, kBlack));
      QCOMPARE(s.UndoTop, 1);
    }
  }

  void pasteWithoutAPictureSaysSoAndChangesNothing() {
    auto f = Form();
    for (bool empty : {false, true}) {
      if (empty) QApplication::clipboard()->clear();
      else QApplication::clipboard()->setText(QStringLiteral("only text"));
      f->state().ToolStage = 4;
      f->Paste1Click();
      QCOMPARE(Boxes().messages.size(), size_t(empty ? 2 : 1));
      QCOMPARE(Boxes().messages.back().text, QStringLiteral("No Bitmap to Paste."));
      QCOMPARE(Boxes().messages.back().caption, QStringLiteral("Information Dialog"));
      QCOMPARE(f->state().UndoTop, 0);
      QCOMPARE(f->state().ToolStage, 4);
      QVERIFY(!f->state().Modified);
    }
  }

  // ---- Snapshot -----------------------------------------------------------------------------------------
  void setUpOffersTheImageSizeDown() {
    auto f = Form();
    f->N64x64_16Click();
    TSnapShotSetup setup(f.get());
    QCOMPARE(setup.ComboBoxSnapShotArea->count(), 7);
    QCOMPARE(setup.ComboBoxSnapShotArea->currentText(), QStringLiteral("64x64"));
    setup.ComboBoxSnapShotArea->setCurrentIndex(2);
    setup.ButtonOk->click();
    QCOMPARE(setup.result(), int(QDialog::Accepted));
    QCOMPARE(f->state().SnapShotAreaText, std::string("48x48"));
  }

  void snapshotThatChangesNothingKeepsTheToolPressed() {
    auto f = Form();
    f->bline->click();
    // Cancelled set-up; then a set-up confirmed where there is no X11 session to capture from.
    OnNextModal<TSnapShotSetup>([](TSnapShotSetup& d) { d.ButtonCancel->click(); });
    f->bsnapshot->click();
    QVERIFY(Boxes().messages.empty());
    OnNextModal<TSnapShotSetup>([](TSnapShotSetup& d) { d.ButtonOk->click(); });
    f->bsnapshot->click();
    QCOMPARE(Boxes().messages.size(), size_t(1));
    QCOMPARE(Boxes().messages[0].text, TSnapShotCapture::NoX11Text);
    QCOMPARE(f->state().CurrentTool, 1);
    QCOMPARE(f->ActiveToolButton, f->bline);
    QVERIFY(f->bline->isChecked());
    QVERIFY(!f->bline->isEnabled());
    QVERIFY(!f->bsnapshot->isChecked());
    QVERIFY(f->bsnapshot->isEnabled());
    QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk"));
    QCOMPARE(f->state().UndoTop, 0);
    QVERIFY(!f->state().Modified);
  }

  void snapshotLandsFloatingOrWithThePencil() {
    auto f = Form();
    f->N48x48_TrueClick();
    f->savedlg.FileName = QStringLiteral("kept.ico");
    f->setWindowTitle(QStringLiteral("Glyphwerk: kept.ico"));
    f->LandSnapShot(Bitmap(24, 24, 0x336699));
    const EditorState& s = f->state();
    QCOMPARE(s.iconimage.pixel(23, 23), 0x336699u);
    QCOMPARE(s.ToolStage, 4);
    QCOMPARE(s.SelectionRect, (Rect{0, 0, 24 * 7, 24 * 7}));
    QCOMPARE(f->ActiveToolButton, f->bmove);
    QVERIFY(f->bmove->isChecked() && !f->bmove->isEnabled());
    QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk"));
    QVERIFY(f->savedlg.FileName.isEmpty());
    QVERIFY(s.Modified);
    QVERIFY(f->bUndo->isEnabled());
    // The move tool takes the floating square where it is dragged; the picture under it comes back.
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.get()));
    QTest::mousePress(f->editarea, Qt::LeftButton, {}, QPoint(2 * 7 + 3, 2 * 7 + 3));
    QTest::mouseMove(f->editarea, QPoint(12 * 7 + 3, 12 * 7 + 3));
    QTest::mouseRelease(f->editarea, Qt::LeftButton, {}, QPoint(12 * 7 + 3, 12 * 7 + 3));
    QCOMPARE(s.iconimage.pixel(0, 0), kWhite);
    QCOMPARE(s.iconmask.pixel(0, 0), kWhite);
    QCOMPARE(s.iconimage.pixel(33, 33), 0x336699u);

    auto g = Form();
    g->N16x16_16Click();
    g->bline->click();
    g->LandSnapShot(Bitmap(16, 16, 0x0000FE));
    QCOMPARE(g->state().iconimage, Bitmap(16, 16, 0x0000FF));  // reduced to the 16 colours
    QCOMPARE(g->ActiveToolButton, g->bpencil);
    QCOMPARE(g->state().ToolStage, 1);
  }

  // A floating picture from the text tool, the snapshot or the icon picker is a rectangle selection: Del
  // clears it at once (the Edit menu never opened), and whatever ends the picture disables the command.
  void deleteFollowsEveryFloatingPicture() {
    const std::function<void(TForm1&)> entries[] = {
        [](TForm1& f) { f.PlaceText(TTextRenderer(QStringLiteral("Ab"), QFont(), Qt::black)); },
        [](TForm1& f) { f.LandSnapShot(Bitmap(24, 24, 0x336699)); },
        [](TForm1& f) { f.state().PickedIconImage = Bitmap(32, 32, 0x0000FF), f.AcceptExeIcon(); },
    };
    const std::function<void(TForm1&)> ends[] = {
        [](TForm1& f) { QTest::keyClick(f.windowHandle(), Qt::Key_Delete); },
        [](TForm1& f) { f.bline->click(); },
        [](TForm1& f) { QTest::mouseClick(f.editarea, Qt::LeftButton, {}, QPoint(330, 330)); },  // beside it
    };
    for (const auto& enter : entries)
      for (const auto& end : ends) {
        auto f = Form();
        f->N48x48_TrueClick();
        f->show();
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.get()));
        const EditorState& s = f->state();
        enter(*f);
        const auto opaqueInBlock = [&s, block = s.MoveCellRect] {
          int n = 0;
          for (int y = block.top; y < block.bottom; ++y)
            for (int x = block.left; x < block.right; ++x) n += s.iconmask.pixel(x, y) == kBlack;
          return n;
        };
        QVERIFY(s.ToolStage == 4 && f->DeleteRectangle1->isEnabled() && opaqueInBlock() > 0);
        const int opaque = opaqueInBlock();
        end(*f);
        QVERIFY(!f->DeleteRectangle1->isEnabled());
        QCOMPARE(opaqueInBlock(), &end == &ends[0] ? 0 : opaque);  // only Del clears the picture
        QTest::keyClick(f->windowHandle(), Qt::Key_Delete);
        QCOMPARE(opaqueInBlock(), &end == &ends[0] ? 0 : opaque);
      }
  }

  // ---- Text ---------------------------------------------------------------------------------------------
  void textDialogRefusesEmptyTextAndEnterActsAsOk() {
    auto f = Form();
    TTextForm d(f.get());
    QCOMPARE(d.FontDialog1.Font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(d.FontDialog1.Font.pixelSize(), 11);
    QVERIFY(!d.FontDialog1.Font.bold() && !d.FontDialog1.Font.italic());
    QCOMPARE(d.FontDialog1.Color, QApplication::palette().color(QPalette::WindowText));
    QTest::keyClick(d.Edit1, Qt::Key_Return);
    QCOMPARE(Boxes().messages.size(), size_t(1));
    QCOMPARE(Boxes().messages[0].text, QStringLiteral("Text cannot be empty."));
    QCOMPARE(Boxes().messages[0].caption, QStringLiteral("Invalid Text"));
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(f->state().UndoTop, 0);

    d.Edit1->setText(QStringLiteral("Ab"));
    QTest::keyClick(d.Edit1, Qt::Key_Enter);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const EditorState& s = f->state();
    const Point size = TTextRenderer(QStringLiteral("Ab"), d.FontDialog1.Font, d.FontDialog1.Color).measure();
    QCOMPARE(s.MoveCellRect, (Rect{0, 0, size.x, size.y}));
    QCOMPARE(s.ToolStage, 4);
    QCOMPARE(f->ActiveToolButton, f->bmove);
    QVERIFY(s.Modified);
    QVERIFY(s.iconmask != Bitmap(32, 32, kWhite));
    // One undo step back to the picture before the text.
    f->Undo1Click();
    QCOMPARE(f->state().iconmask, Bitmap(32, 32, kWhite));
  }

  void fontDialogShowsPointsAndGivesPixels() {
    auto f = Form();
    TTextForm d(f.get());
    QFont shown;
    OnNextModal<QDialog>([&shown](QDialog& box) {
      auto* fonts = box.findChild<QFontDialog*>();
      if (!fonts) qFatal("no font dialog");
      shown = fonts->currentFont();
      QFont chosen(QStringLiteral("DejaVu Sans"));
      chosen.setPointSize(12);
      chosen.setBold(true);
      fonts->setCurrentFont(chosen);
      box.accept();
    });
    d.ButtonFontClick();
    QCOMPARE(shown.pointSize(), 8);  // 11 pixels at 96 an inch
    QCOMPARE(d.FontDialog1.Font.pixelSize(), 16);
    QVERIFY(d.FontDialog1.Font.bold());
    QCOMPARE(d.Edit1->font().pixelSize(), 16);
    QCOMPARE(d.ButtonOk->y(), d.Edit1->y() + d.Edit1->height() + 5);
    QCOMPARE(d.ButtonFont->y(), d.ButtonOk->y());
    QVERIFY(d.height() > d.ButtonOk->y() + d.ButtonOk->height());
    // A cancelled font dialog still leaves the face name Arial.
    d.FontDialog1.Runner = [](TFontDialog&) { return false; };
    d.FontDialog1.Font.setFamily(QStringLiteral("DejaVu Sans"));
    d.ButtonFontClick();
    QCOMPARE(d.FontDialog1.Font.family(), QStringLiteral("Arial"));
  }

  // In the font box, Return does what OK does and Escape what Cancel does, from the chooser's lists and
  // fields and from the box's buttons; the chooser inside the box is never hidden by them.
  void fontBoxTakesReturnAsOkAndEscapeAsCancel() {
    auto f = Form();
    TTextForm d(f.get());
    enum Part { FamilyList, StyleList, SizeEdit, CancelButton };
    const struct {
      Part part;
      Qt::Key key;
      const char* size;  // typed into the size field first
      bool confirmed;
      int pixels;  // the font's pixel size afterwards
    } cases[] = {{FamilyList, Qt::Key_Return, "8", true, 11}, {StyleList, Qt::Key_Enter, "8", true, 11},
                 {SizeEdit, Qt::Key_Return, "20", true, 27},  {FamilyList, Qt::Key_Escape, "20", false, 11},
                 {SizeEdit, Qt::Key_Escape, "20", false, 11}, {CancelButton, Qt::Key_Return, "20", false, 11}};
    for (const auto& c : cases) {
      d.FontDialog1.Font.setPixelSize(11);
      bool chooserShown = false, boxOpen = true;
      OnNextModal<QDialog>([&](QDialog& box) {
        auto* fonts = box.findChild<QFontDialog*>();
        const auto lists = fonts->findChildren<QListView*>();  // family, style, size
        auto* sizeEdit = fonts->findChildren<QLineEdit*>().at(2);
        sizeEdit->setText(QString::fromLatin1(c.size));
        QWidget* targets[] = {lists.at(0), lists.at(1), sizeEdit,
                              box.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)};
        targets[c.part]->setFocus();
        QTest::keyClick(targets[c.part], c.key);
        chooserShown = !fonts->isHidden();
        boxOpen = box.isVisible();
        if (boxOpen) box.reject();
      });
      const bool confirmed = d.FontDialog1.Execute(&d);
      QVERIFY2(chooserShown && !boxOpen && confirmed == c.confirmed && d.FontDialog1.Font.pixelSize() == c.pixels,
               qPrintable(QString::number(&c - cases)));
    }
  }

  void textRendersInItsColourThroughPixelSizedFonts() {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(20);
    const TTextRenderer big(QStringLiteral("HH"), font, Qt::red);
    font.setPixelSize(10);
    const TTextRenderer small(QStringLiteral("HH"), font, Qt::red);
    QVERIFY(big.measure().x > small.measure().x);
    QCOMPARE(small.measure().y, QFontMetrics(font).height());
    Bitmap target(32, 32, kAqua);
    big.draw(target, kAqua);
    int red = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) red += target.pixel(x, y) == 0x0000FFu;
    QVERIFY(red > 10);
    QCOMPARE(target.pixel(31, 31), kAqua);
  }

  // ---- Hot spot -----------------------------------------------------------------------------------------
  void hotSpotDialogShowsOneBasedAndStoresZeroBased() {
    auto f = Form();
    f->N32x32_CursorClick();
    TCursorHotSpot d(f.get());
    QCOMPARE(d.Edit_X->text(), QStringLiteral("1"));
    QCOMPARE(d.Edit_Y->text(), QStringLiteral("1"));
    QCOMPARE(d.Range_X->text(), QStringLiteral("1 - 32"));
    QCOMPARE(d.Range_Y->text(), QStringLiteral("1 - 32"));
    d.Edit_X->setText(QStringLiteral("31"));  // the arrows start from what is typed and stop at 1 and 32
    d.UpDown_X->upButton()->click();
    d.UpDown_X->upButton()->click();
    QCOMPARE(d.Edit_X->text(), QStringLiteral("32"));
    d.UpDown_Y->downButton()->click();
    QCOMPARE(d.Edit_Y->text(), QStringLiteral("1"));

    d.Edit_X->setText(QStringLiteral("16"));
    d.Edit_Y->setText(QStringLiteral("40"));
    d.ButtonOk->click();
    QCOMPARE(Boxes().messages.size(), size_t(1));
    QCOMPARE(Boxes().messages[0].text, InvalidHotSpotText(false, 32));
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(f->state().CursorHotSpotX, 0);
    d.Edit_Y->clear();
    d.ButtonOk->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(f->state().CursorHotSpotX, 15);
    QCOMPARE(f->state().CursorHotSpotY, 0);
    QVERIFY(!f->state().Modified);

    TCursorHotSpot again(f.get());
    QCOMPARE(again.Edit_X->text(), QStringLiteral("16"));
    again.Edit_X->setText(QStringLiteral("3"));
    again.ButtonCancel->click();
    QCOMPARE(f->state().CursorHotSpotX, 15);
  }

  // Return presses the focused button, not the default OK, in the modal dialogs too; with Shift or Ctrl it
  // presses nothing.
  void returnOnAFocusedCancelCancels() {
    auto f = Form();
    f->N32x32_CursorClick();
    const std::function<QDialog*()> dialogs[] = {[&] { return new TCursorHotSpot(f.get()); },
                                                 [&] { return new TSnapShotSetup(f.get()); }};
    const Qt::KeyboardModifiers modifiers[] = {Qt::ShiftModifier, Qt::ControlModifier, Qt::NoModifier};
    for (const auto& make : dialogs) {
      std::unique_ptr<QDialog> d(make());
      d->show();
      auto* cancel = d->findChild<QPushButton*>(QStringLiteral("ButtonCancel"));
      cancel->setFocus();
      for (const Qt::KeyboardModifiers m : modifiers) {
        QTest::keyClick(cancel, Qt::Key_Return, m);
        const bool pressed = m == Qt::NoModifier;
        QVERIFY2(d->isVisible() != pressed && d->result() == QDialog::Rejected,
                 qPrintable(d->objectName() + QString::number(m.toInt(), 16)));
      }
    }
  }

  void hotSpotSetInTheDialogIsSavedInTheCursorFile() {
    auto f = Form();
    f->N32x32_CursorClick();
    OnNextModal<TCursorHotSpot>([](TCursorHotSpot& d) {
      d.Edit_X->setText(QStringLiteral("16"));
      d.Edit_Y->setText(QStringLiteral("8"));
      d.ButtonOk->click();
    });
    f->CursorXYHotSpot->trigger();
    const QString path = dir_.filePath(QStringLiteral("hot.cur"));
    f->savedlg.Runner = [path](TFileDialog& d) {
      d.FileName = path;
      return true;
    };
    QVERIFY(f->Save1Click());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.size() > 14);
    QCOMPARE(bytes.mid(10, 4), QByteArray::fromHex("0f000700"));  // X 15, Y 7, little-endian words
  }

  // ---- Help and About -----------------------------------------------------------------------------------
  void helpLooksBesideTheProgramAndNamesAMissingFile() {
    auto f = Form();
    QCOMPARE(f->HelpFilePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/glyphwerk.hlp"));
    const QString missing = dir_.filePath(QStringLiteral("none/glyphwerk.hlp"));
    f = Form(missing);
    f->Help1->trigger();
    QCOMPARE(Boxes().messages.size(), size_t(1));
    QVERIFY(Boxes().messages[0].text.contains(missing));
    QVERIFY(!f->HelpWindow());
  }

  void helpShowsItsContentsFromF1() {
    auto f = Form(QStringLiteral(GLYPHWERK_TEST_DATA "/../../resources/glyphwerk.hlp"));
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.get()));
    QTest::keyClick(f.get(), Qt::Key_F1);
    QVERIFY(Boxes().messages.empty());
    QTextBrowser* help = f->HelpWindow();
    QVERIFY(help && help->isVisible());
    QCOMPARE(help->documentTitle(), QStringLiteral("Glyphwerk 3.0 Help"));
    QVERIFY(help->toPlainText().contains(QStringLiteral("Contents")));
    // Again: the same window, back at the top.
    help->verticalScrollBar()->setValue(help->verticalScrollBar()->maximum());
    f->Help1Click();
    QCOMPARE(f->HelpWindow(), help);
    QCOMPARE(help->verticalScrollBar()->value(), 0);
  }

  void aboutBoxTextsCentreAndMailLink() {
    auto f = Form();
    TAboutBox box(f.get());
    QCOMPARE(box.windowTitle(), QStringLiteral("About Glyph Werk"));
    QVERIFY(box.OKButton->isDefault());
    QCOMPARE(box.OKButton->x(), (box.width() - 75) / 2);
    QUrl opened;
    TAboutBox::OpenUrl = [&](const QUrl& u) { opened = u; };
    QTest::mouseClick(box.Label1, Qt::LeftButton);
    TAboutBox::OpenUrl = nullptr;
    QCOMPARE(opened, QUrl(QStringLiteral("mailto:glyphwerk@example.org")));
    box.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(qAbs(box.frameGeometry().center().x() - screen.center().x()) <= 1);
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.result(), int(QDialog::Accepted));
  }
};

QTEST_MAIN(ExtrasTest)
#include "test_extras.moc"
