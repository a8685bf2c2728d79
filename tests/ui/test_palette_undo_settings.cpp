// The main window's colour group, undo and redo, and the settings file, driven as a user would.
#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QToolButton>
#include <memory>

#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"
#include "editor/ui/FormFit.h"
#include "editor/ui/ficon.h"

using namespace gw;

namespace {

class ScriptedBoxes : public IMessageBoxes {
 public:
  Answer question(QWidget*, const QString&, const QString&) override {
    ++questions;
    return answer;
  }
  void message(const QString& text, const QString&) override { messages << text; }
  void error(const QString& text) override { errors << text; }
  Answer answer = Answer::No;
  int questions = 0;
  QStringList messages, errors;
};

Color PanelColor(const QWidget* w) {
  const QColor c = w->palette().color(QPalette::Window);
  return MakeColor(c.red(), c.green(), c.blue());
}

}  // namespace

class TestPaletteUndoSettings : public QObject {
  Q_OBJECT

  std::unique_ptr<QTemporaryDir> dir;
  ScriptedBoxes boxes;

  QString iniPath() const { return dir->filePath(QStringLiteral("glyphwerk.ini")); }
  std::unique_ptr<TForm1> makeForm(const QString& path = {}) {
    TForm1Options o;
    o.boxes = &boxes;
    o.settingsPath = path.isEmpty() ? iniPath() : path;
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    return std::make_unique<TForm1>(o);
  }
  void writeIni(const QString& text) {
    QFile f(iniPath());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.toUtf8());
  }
  QStringList iniLines() {
    QFile f(iniPath());
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList out;
    for (const QString& l : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n')))
      if (!l.trimmed().isEmpty()) out << l.trimmed();
    return out;
  }
  void clickGrid(TForm1& form, Qt::MouseButton button, QPoint p) {
    QTest::mouseClick(form.colorgrd, button, Qt::NoModifier, p);
  }

 private slots:
  void init() {
    dir = std::make_unique<QTemporaryDir>();
    QVERIFY(dir->isValid());
    boxes = ScriptedBoxes();
  }

  void noFileGivesTheDefaults() {
    auto form = makeForm();
    const EditorState& s = form->state();
    QCOMPARE(s.IconType, int(kTypeTrueColor));
    QCOMPARE(s.IconSize, 32);
    QCOMPARE(form->width(), 690);
    QCOMPARE(form->height(), 575);
    QVERIFY(form->ShowHints->isChecked());
    QVERIFY(!form->UserightmousebuttonasanEraser->isChecked());
    QVERIFY(!form->DoNotScaleImportedImages1->isChecked());
    QCOMPARE(s.TrueColorGrid, s.DefaultColors256);
    // True colour: the square grid with its bars, pens black and white, bars at entry 0.
    QCOMPARE(form->colorgrd->size(), QSize(256, 256));
    QVERIFY(!form->scrRed->isHidden());
    QCOMPARE(PanelColor(form->leftcolorDisp), Color(0x000000));
    QCOMPARE(PanelColor(form->rightcolorDisp), Color(0xFFFFFF));
    QCOMPARE(form->rdLabel->text(), QStringLiteral("Red=0"));
    QVERIFY(!form->bUndo->isEnabled());
    QVERIFY(!form->bRedo->isEnabled());
    QVERIFY(!QFile::exists(iniPath()));
  }

  void showingTheWindowAtStartUpWritesNothing() {
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QTest::qWait(20);
    QVERIFY(!QFile::exists(iniPath()));
    form->resize(700, 600);  // the first resize after start-up
    QTRY_VERIFY(iniLines().contains(QStringLiteral("Height=600")));
  }

  // The colour group's layout for each grid: group, panel, grid, pens, readouts, bars and the image panel.
  void colourGroupLayoutPerGrid() {
    auto form = makeForm();
    struct Case {
      QAction* item;
      int size;
      QSize grid;
      bool barsShown;
    };
    const Case cases[] = {{form->N16x16_Mono, 16, {256, 128}, false},
                          {form->N48x48_16, 48, {256, 128}, false},
                          {form->N24x24_256, 24, {256, 256}, false},
                          {form->N64x64_True, 64, {256, 256}, true},
                          {form->N32x32_Cursor, 32, {256, 128}, false}};
    // Wide readouts before the first new image: the layout places them at the widths they have then.
    form->scrRed->setValue(255);
    form->scrGreen->setValue(128);
    for (const Case& c : cases) {
      QLabel* labels[] = {form->rdLabel, form->grLabel, form->blLabel};
      int widthBefore[3];
      for (int i = 0; i < 3; ++i) {
        QLabel measure(labels[i]->text());
        QFont font = labels[i]->font();
        font.setPointSize(10);
        measure.setFont(font);
        measure.adjustSize();
        widthBefore[i] = measure.width();
      }
      c.item->trigger();
      const bool big = c.grid.height() == 256;
      const QRect edit = form->editareaGroupBox->geometry();
      const QRect group = form->colorgrdGroupBox->geometry();
      QCOMPARE(group.left(), edit.left() + edit.width() + 5);
      QCOMPARE(group.size(), QSize(286, 370));
      QCOMPARE(group.bottom(), edit.bottom());
      QCOMPARE(form->colorgrdGroupBox->font().pointSize(), 10);
      QCOMPARE(form->ToolBar2->x(), group.left());
      QCOMPARE(form->ToolBar2->y() + form->ToolBar2->height() + 2, group.top());

      // The pens stand inside the group's frame, below its caption (which the stored 10 pixels of the
      // square grid's layout would cross); the square panel keeps clear of them.
      const int inside = GroupInside(form->colorgrdGroupBox).top();
      QVERIFY(inside > 10 && inside < 60);
      const int pensOffset = big ? inside : 60;
      const QWidget* left = form->leftcolorDisp;
      const QWidget* right = form->rightcolorDisp;

      const QRect panel = form->colorgrdPanel->geometry();
      QCOMPARE(panel.size(), big ? QSize(272, 272) : QSize(272, 146));
      QCOMPARE(panel.left(), (286 - 272) / 2);
      QCOMPARE(panel.top(), big ? std::max((370 - 272) / 2 - 15, pensOffset + left->height() + 3) : (370 - 146) / 2);
      QCOMPARE(form->colorgrd->geometry(), QRect(QPoint(8, 8), c.grid));
      QCOMPARE(form->state().colorgrd.width(), c.grid.width());
      QCOMPARE(form->state().colorgrd.height(), c.grid.height());

      QCOMPARE(left->y(), group.top() + pensOffset);
      QCOMPARE(right->y(), left->y());
      QCOMPARE(left->x(), group.left() + 286 / 2 - (left->width() + right->width()) / 2);
      QCOMPARE(right->x(), left->x() + left->width() + 10);

      QScrollBar* bars[] = {form->scrRed, form->scrGreen, form->scrBlue};
      for (int i = 0; i < 3; ++i) {
        QCOMPARE(labels[i]->y(), panel.bottom() + 1 + 10);
        QCOMPARE(bars[i]->isHidden(), !c.barsShown);
        if (big) {
          QCOMPARE(labels[i]->x(), bars[i]->x());
          QCOMPARE(bars[i]->y(), labels[i]->y() + labels[i]->height() + 10);
        } else if (i > 0) {
          QCOMPARE(labels[i]->x(), labels[i - 1]->x() + widthBefore[i - 1] + 25);
        }
      }
      if (!big) QCOMPARE(form->rdLabel->x(), 286 / 2 - widthBefore[0] * 3 / 2 - 40);
      // Then they show entry 0, the left pen.
      QCOMPARE(form->rdLabel->text(), QStringLiteral("Red=%1").arg(RedOf(form->state().LeftPenColor)));

      const QRect image = form->imagePanel->geometry();
      QCOMPARE(image, QRect(group.left() + 286 - (2 * c.size + 20), 8, 2 * c.size + 20, c.size + 20));
    }
  }

  // "Show Hints" takes the hints from the tool buttons, the command bar, both pen panels and the actual-size
  // image and mask, and gives them back unchanged.
  void showHintsSwitchesTheHintsOfItsControls() {
    auto form = makeForm();
    const std::pair<QWidget*, QString> hinted[] = {
        {form->bpencil, QStringLiteral("Pencil")},          {form->bcolorselector, QStringLiteral("Color Selector")},
        {form->bUndo, QStringLiteral("Undo (Ctrl+Z)")},     {form->bRedo, QStringLiteral("Redo (Ctrl+Y)")},
        {form->leftcolorDisp, QStringLiteral("Left Pen Color")},
        {form->rightcolorDisp, QStringLiteral("Right Pen Color")}};
    for (const auto& [w, hint] : hinted) QCOMPARE(w->toolTip(), hint);
    QVERIFY(!form->iconimage->toolTip().isEmpty());
    const QString imageHint = form->iconimage->toolTip(), maskHint = form->iconmask->toolTip();

    form->ShowHints->trigger();
    QVERIFY(!form->ShowHints->isChecked());
    for (const auto& [w, hint] : hinted) QVERIFY2(w->toolTip().isEmpty(), qPrintable(hint));
    QVERIFY(form->iconimage->toolTip().isEmpty());
    QVERIFY(form->iconmask->toolTip().isEmpty());

    form->ShowHints->trigger();
    QVERIFY(form->ShowHints->isChecked());
    for (const auto& [w, hint] : hinted) QCOMPARE(w->toolTip(), hint);
    QCOMPARE(form->iconimage->toolTip(), imageHint);
    QCOMPARE(form->iconmask->toolTip(), maskHint);
  }

  void remembered16ColourImageAndPenPicks() {
    writeIni(QStringLiteral("[Others]\nIcon Type=16 Color Icon\nIcon Size=40\n"));
    auto form = makeForm();
    QCOMPARE(form->state().IconType, int(kType16Color));
    QCOMPARE(form->state().IconSize, 40);
    QCOMPARE(form->colorgrd->size(), QSize(256, 128));
    QVERIFY(form->scrRed->isHidden());
    QCOMPARE(form->imagePanel->width(), 2 * 40 + 20);
    // Right button on entry 3 (0x008080), left on entry 12 (0xFF0000) in the second row.
    clickGrid(*form, Qt::RightButton, {100, 10});
    clickGrid(*form, Qt::LeftButton, {4 * 32 + 5, 64 + 5});
    QCOMPARE(form->state().RightPenColor, Color(0x008080));
    QCOMPARE(form->state().LeftPenColor, Color(0xFF0000));
    QCOMPARE(PanelColor(form->rightcolorDisp), Color(0x008080));
    QCOMPARE(PanelColor(form->leftcolorDisp), Color(0xFF0000));
    QCOMPARE(form->blLabel->text(), QStringLiteral("Blue=255"));
    QCOMPARE(form->state().TrueColorGrid, form->state().DefaultColors256);
  }

  void barsEditTheEntryAndTheLastPen() {
    auto form = makeForm();
    clickGrid(*form, Qt::RightButton, {5 * 16 + 2, 2});  // entry 5, 0x008080
    QCOMPARE(form->scrRed->value(), 0x80);
    form->scrRed->setValue(255);  // moved from code: the change handler runs
    const EditorState& s = form->state();
    QCOMPARE(s.TrueColorGrid[5], Color(0x0080FF));
    QCOMPARE(s.RightPenColor, Color(0x0080FF));
    QCOMPARE(PanelColor(form->rightcolorDisp), Color(0x0080FF));
    QCOMPARE(form->rdLabel->text(), QStringLiteral("Red=255"));
    QCOMPARE(s.colorgrd.pixel(5 * 16 + 8, 8), Color(0x0080FF));
    // The same position again changes nothing.
    form->state().RightPenColor = 0x123456;
    form->scrRed->setValue(255);
    QCOMPARE(form->state().RightPenColor, Color(0x123456));
    // Reset brings back the table and entry 0 as the left pen.
    form->ResetColorPalette1->trigger();
    QCOMPARE(form->state().TrueColorGrid, form->state().DefaultColors256);
    QCOMPARE(PanelColor(form->leftcolorDisp), Color(0x000000));
  }

  void undoAndRedoFromMenuButtonsAndKeys() {
    auto form = makeForm();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->activateWindow();
    EditorState& s = form->state();
    s.iconimage.setPixel(3, 3, 0x0000FF);
    form->PushUndo();
    QVERIFY(s.Modified);
    QVERIFY(form->bUndo->isEnabled());
    QVERIFY(!form->bRedo->isEnabled());

    QTest::mouseClick(form->bUndo, Qt::LeftButton);
    QCOMPARE(s.iconimage.pixel(3, 3), Color(0xFFFFFF));
    QVERIFY(!form->bUndo->isEnabled());
    QVERIFY(form->bRedo->isEnabled());
    QVERIFY(s.Modified);  // undo does not clear it

    form->Redo1->trigger();
    QCOMPARE(s.iconimage.pixel(3, 3), Color(0x0000FF));
    QVERIFY(form->bUndo->isEnabled());
    QVERIFY(!form->bRedo->isEnabled());

    QTest::keyClick(form.get(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(s.iconimage.pixel(3, 3), Color(0xFFFFFF));
    QTest::keyClick(form.get(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(s.iconimage.pixel(3, 3), Color(0x0000FF));
    QCOMPARE(s.editarea.pixel(3 * 10 + 5, 3 * 10 + 5), Color(0x0000FF));

    // A new image empties the ring.
    form->N16x16_Mono->trigger();  // the question is answered No
    QCOMPARE(boxes.questions, 1);
    QCOMPARE(s.UndoTop, 0);
    QVERIFY(!form->bUndo->isEnabled());
    form->close();
  }

  void closeWritesExactlyTheSettingsKeys() {
    auto form = makeForm();
    form->N24x24_256->trigger();
    form->UserightmousebuttonasanEraser->trigger();
    form->ShowHints->trigger();
    QVERIFY(form->leftcolorDisp->toolTip().isEmpty());
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->resize(700, 560);
    QTRY_VERIFY(iniLines().contains(QStringLiteral("Width=700")));
    QVERIFY(form->close());
    QVERIFY(boxes.errors.isEmpty());

    const QStringList lines = iniLines();
    QStringList expected = {QStringLiteral("[Others]"), QStringLiteral("Icon Type=256 Color Icon"),
                            QStringLiteral("Icon Size=24"), QStringLiteral("Right Button Eraser=1"),
                            QStringLiteral("Hints=0"), QStringLiteral("Do Not Scale Imported Images=0")};
    const qsizetype others = lines.indexOf(QStringLiteral("[Others]"));
    QVERIFY(others >= 0);
    QCOMPARE(lines.mid(others, 6), expected);
    const qsizetype palette = lines.indexOf(QStringLiteral("[Color Palette]"));
    QVERIFY(palette >= 0);
    for (int i = 0; i < 256; ++i)
      QCOMPARE(lines[palette + 1 + i],
               QStringLiteral("Color-%1=%2").arg(i).arg(form->state().DefaultColors256[static_cast<size_t>(i)]));
    QVERIFY(lines.contains(QStringLiteral("[Form Size]")));
    QCOMPARE(lines.size(), qsizetype(6 + 257 + 3));

    // The next start comes back with them.
    auto again = makeForm();
    QCOMPARE(again->state().IconType, int(kType256Color));
    QCOMPARE(again->state().IconSize, 24);
    QVERIFY(again->UserightmousebuttonasanEraser->isChecked());
    QVERIFY(!again->ShowHints->isChecked());
    QVERIFY(again->leftcolorDisp->toolTip().isEmpty());
    QCOMPARE(again->width(), 700);
    QCOMPARE(again->height(), 560);
  }

  void aSettingsFileThatCannotBeWrittenIsReportedOnceAndTheWindowCloses() {
    auto form = makeForm(dir->filePath(QStringLiteral("missing/glyphwerk.ini")));
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    form->resize(720, 580);  // silent
    QVERIFY(boxes.errors.isEmpty());
    QVERIFY(form->close());
    QCOMPARE(boxes.errors.size(), 1);
    QVERIFY(!form->isVisible());
  }

  void badIconSizeStillReadsTheRest() {
    QString text = QStringLiteral("[Others]\nIcon Size=large\nIcon Type=MonoChrome Icon\n[Form Size]\nWidth=720\n"
                                  "[Color Palette]\n");
    for (int i = 0; i < 256; ++i) text += QStringLiteral("Color-%1=%2\n").arg(i).arg(i == 0 ? 255 : -1);
    writeIni(text);
    auto form = makeForm();
    QVERIFY(boxes.errors.isEmpty());
    QCOMPARE(form->state().IconType, int(kTypeMono));
    QCOMPARE(form->state().IconSize, 32);
    QCOMPARE(form->width(), 720);
    QCOMPARE(form->state().TrueColorGrid[0], Color(0x0000FF));
    QCOMPARE(form->state().TrueColorGrid[1], form->state().DefaultColors256[1]);  // negative: kept
  }

  // A damaged "Form Size" gives the default for that side; the next resize writes what the window shows.
  void damagedWindowSizeGivesTheDefault_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("zero") << "0" << "0" << QSize(690, 575);
    QTest::newRow("negative") << "-50" << "-1" << QSize(690, 575);
    QTest::newRow("huge and negative") << "100000" << "-50" << QSize(690, 575);
    QTest::newRow("text") << "wide" << "tall" << QSize(690, 575);
    QTest::newRow("too small for the layout") << "600" << "400" << QSize(690, 575);
    QTest::newRow("one side bad") << "700" << "100000" << QSize(700, 575);
    QTest::newRow("good") << "700" << "560" << QSize(700, 560);
  }
  void damagedWindowSizeGivesTheDefault() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, expected);
    writeIni(QStringLiteral("[Form Size]\nWidth=%1\nHeight=%2\n").arg(width, height));
    auto form = makeForm();
    QCOMPARE(form->size(), expected);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QCOMPARE(form->size(), expected);
    form->resize(expected.width() + 2, expected.height() + 1);
    QTRY_VERIFY(iniLines().contains(QStringLiteral("Width=%1").arg(expected.width() + 2)));
    QVERIFY(iniLines().contains(QStringLiteral("Height=%1").arg(expected.height() + 1)));
  }

  // The position readout is centred in its group by the width it really has, at start-up and after every
  // new image alike.
  void positionReadoutIsCentredEveryTime() {
    auto form = makeForm();
    const auto centred = [&] {
      return form->XYLabel->x() == (form->editareaGroupBox->width() - form->XYLabel->width()) / 2;
    };
    QVERIFY(centred());
    const int left = form->XYLabel->x();
    int commands = 0;
    for (QAction* item : form->findChildren<QAction*>()) {
      if (!item->objectName().startsWith(QLatin1Char('N')) || !item->objectName().contains(QLatin1Char('x')))
        continue;
      item->trigger();
      ++commands;
      QVERIFY2(centred(), qPrintable(item->objectName()));
      QCOMPARE(form->XYLabel->x(), left);
    }
    QCOMPARE(commands, 29);
  }
};

QTEST_MAIN(TestPaletteUndoSettings)
#include "test_palette_undo_settings.moc"
