// The edit area's mouse events in the main window: forwarding to the tools and what the window shows of
// them (readouts, cursor, undo buttons, the colour group, the selection's menu item).
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "editor/ui/ficon.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;

class TestDrawing : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::ScriptedMessageBoxes boxes_;

  TForm1Options Options() {
    TForm1Options o;
    o.boxes = &boxes_;
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    return o;
  }
  // The centre of a cell in edit-area pixels (32 x 32 true colour: 10 pixels a cell).
  static QPoint At(int x, int y) { return {x * 10 + 5, y * 10 + 5}; }
  static void Drag(TForm1& f, QPoint from, QPoint to, Qt::MouseButton b = Qt::LeftButton) {
    QTest::mousePress(f.editarea, b, {}, from);
    QTest::mouseMove(f.editarea, to);
    QTest::mouseRelease(f.editarea, b, {}, to);
  }

 private slots:
  void paintingGoesThroughTheEditAreasEvents() {
    TForm1 f(Options());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const EditorState& s = f.state();
    QVERIFY(!f.bUndo->isEnabled());
    f.brect2->click();
    Drag(f, At(2, 2), At(6, 5));
    QCOMPARE(s.iconimage.pixel(4, 3), s.LeftPenColor);
    QCOMPARE(s.iconmask.pixel(4, 3), kBlack);
    QCOMPARE(s.editarea.pixel(45, 35), s.LeftPenColor);
    QVERIFY(f.bUndo->isEnabled());  // the release pushed through the window

    f.editareaMouseMove({}, 45, 35);
    QCOMPARE(f.XYLabel->text(), QStringLiteral("X= 5  Y= 4"));
    QCOMPARE(f.transparentLabel->text(), QStringLiteral("Opaque"));
    f.editareaMouseMove({}, 205, 205);
    QCOMPARE(f.transparentLabel->text(), QStringLiteral("Transparent"));
    QCOMPARE(f.transparentLabel->x(), (f.editareaGroupBox->width() - f.transparentLabel->width()) / 2);
    QCOMPARE(f.rdLabel2->text(), QStringLiteral("Red=255"));

    f.bUndoClick();
    QCOMPARE(s.iconimage.pixel(4, 3), s.TransparentColor);
  }

  void selectionCursorMenuItemAndUndoDrop() {
    TForm1 f(Options());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.bmove->click();
    QVERIFY(!f.DeleteRectangle1->isEnabled());
    Drag(f, At(2, 2), At(8, 8));
    QVERIFY(f.DeleteRectangle1->isEnabled());
    f.editareaMouseMove({}, 45, 45);
    QCOMPARE(f.editarea->cursor().shape(), Qt::SizeAllCursor);
    f.editareaMouseMove({}, 300, 300);
    QCOMPARE(f.editarea->cursor().shape(), Qt::ArrowCursor);
    f.Undo1Click();  // undo drops the selection
    QCOMPARE(f.state().ToolStage, 1);
  }

  void colourSelectorShowsThePickAndReturns() {
    TForm1 f(Options());
    EditorState& s = f.state();
    s.iconimage.setPixel(3, 3, 0x00C000);
    f.RefreshEditArea();
    f.bfloodfill->click();
    f.bcolorselector->click();
    QVERIFY(f.bcolorselector->isChecked());
    f.editareaMouseDown(Qt::LeftButton, {}, 35, 35);
    f.editareaMouseUp(Qt::LeftButton, {}, 35, 35);
    QCOMPARE(s.LeftPenColor, Color{0x00C000});
    QCOMPARE(f.leftcolorDisp->palette().color(QPalette::Window), QColor(0, 0xC0, 0));
    QCOMPARE(f.grLabel->text(), QStringLiteral("Green=192"));
    QCOMPARE(s.CurrentTool, 6);
    QVERIFY(f.bfloodfill->isChecked());
    QVERIFY(f.bcolorselector->isEnabled());
  }

  void pressWhoseReleaseWasLostEndsBeforeTheNext() {
    TForm1 f(Options());
    const EditorState& s = f.state();
    f.editareaMouseDown(Qt::LeftButton, {}, 15, 15);  // no button is held any more: its release was lost
    f.editareaMouseDown(Qt::LeftButton, {}, 55, 15);
    f.editareaMouseUp(Qt::LeftButton, {}, 55, 15);
    QCOMPARE(s.iconmask.pixel(1, 1), kBlack);
    QCOMPARE(s.iconmask.pixel(5, 1), kBlack);
    QCOMPARE(s.UndoPos, 2);  // both presses ended with their push
  }

  void floatingPicturePressesTheMoveButton() {
    TForm1 f(Options());
    f.bcurvesClick();
    f.EnterFloatingPicture({1, 1, 4, 4});
    QVERIFY(f.bmove->isChecked());
    QVERIFY(!f.bmove->isEnabled());
    QVERIFY(f.bcurves->isEnabled());
    QCOMPARE(f.state().ToolStage, 4);
  }
};

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
