// The icon picker offscreen: its captions, the sheet's layout, picking from a scrolled sheet, and taking an
// icon into images of each kind, each pick undone afterwards.
#include <QFile>
#include <QPointer>
#include <QWheelEvent>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "../iconfile/PeBuilder.h"
#include "editor/core/UndoRing.h"
#include "editor/ui/ficon.h"
#include "iconfile/ui/fexticon.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;
using namespace gw::test;

namespace {

// Icon i: a 32 x 32 24-bit square, its left half pure white, its right half 0xRRGGBB = (i, 0x80, 0x40).
std::uint32_t RightHalf(int i) { return static_cast<std::uint32_t>(i) << 16 | 0x8040u; }
Bytes Icons(int count) {
  std::vector<Group> groups;
  std::vector<Icon> icons;
  for (int i = 0; i < count; ++i) {
    const auto id = static_cast<std::uint16_t>(i + 1);
    groups.push_back({"", id, {{32, 32, 24, id}}});
    icons.push_back({id, Dib(32, 32, 24, [i](int x, int) { return x < 16 ? 0xFFFFFFu : RightHalf(i); })});
  }
  return BuildPe(groups, icons);
}
Color Right(int i) { return MakeColor(i, 0x80, 0x40); }

}  // namespace

class ExeIconTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  test::ScriptedMessageBoxes boxes_;
  std::unique_ptr<TForm1> form_;

  TForm1& Form() {
    TForm1Options o;
    o.boxes = &boxes_;
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    form_ = std::make_unique<TForm1>(o);
    return *form_;
  }
  QString Write(const QString& name, const Bytes& bytes) {
    QFile f(dir_.filePath(name));
    if (!f.open(QIODevice::WriteOnly)) qFatal("cannot write");
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return f.fileName();
  }
  // Opens a picker for the file and waits until it has listed it.
  TExeIconForm* Open(TForm1& f, const QString& path) {
    f.OpenProgramFileIcons(path);
    auto pickers = f.findChildren<TExeIconForm*>();
    TExeIconForm* p = pickers.isEmpty() ? nullptr : pickers.last();
    if (!p) return nullptr;
    p->FormPaint();
    if (!QTest::qWaitFor([p] { return p->ListingDone(); })) return nullptr;
    return p;
  }
  static void Pick(TExeIconForm* p, QPoint at) {
    QTest::mousePress(p, Qt::LeftButton, {}, at);
    QTest::mouseDClick(p, Qt::LeftButton, {}, at);
  }

 private slots:
  void sheetLayoutAndCaptions() {
    TForm1& f = Form();
    const QString path = Write(QStringLiteral("thirteen.dll"), Icons(13));
    f.OpenProgramFileIcons(path);
    TExeIconForm* p = f.findChild<TExeIconForm*>();
    QVERIFY(p && p->isVisible());
    QCOMPARE(QString::fromStdString(f.state().ExeIconSourceFile), path);
    p->FormPaint();
    QCOMPARE(p->windowTitle(), QStringLiteral("Icons:  Extracting"));
    QTRY_VERIFY(p->ListingDone());
    QCOMPARE(p->windowTitle(), QStringLiteral("Icons: 13   Source: thirteen.dll"));
    QVERIFY(p->bOk->isHidden());
    const ExeIconSheet& s = *p->Sheet();
    QCOMPARE(s.ColumnCount(), 13);  // a 13-column window: 13 icons make a second, empty row
    QCOMPARE(s.SheetWidth(), 13 * 32);
    QCOMPARE(s.SheetHeight(), 64);
    QCOMPARE(s.SheetImage.pixel(12 * 32 + 20, 5), Right(12));
    QCOMPARE(s.SheetImage.pixel(20, 32 + 5), kWhite);
    QVERIFY(!f.state().Modified);  // listing a file changes nothing in the image
  }

  void noIconsThenClose() {
    TForm1& f = Form();
    const Bitmap before = f.state().iconimage;
    QPointer<TExeIconForm> p = Open(f, Write(QStringLiteral("readme.dll"), {'h', 'i', '\n'}));
    QVERIFY(p);
    QCOMPARE(p->windowTitle(), QStringLiteral("Icons:  No Icons"));
    QVERIFY(!p->bOk->isHidden());
    Pick(p, {10, 10});  // nothing is listed, so nothing is picked
    QCOMPARE(f.state().iconimage, before);
    QCOMPARE(f.state().UndoTop, 0);
    p->bOk->click();
    QTRY_VERIFY(!p);
  }

  void pickFromAScrolledSheetAndBesideIt() {
    TForm1& f = Form();
    TExeIconForm* p = Open(f, Write(QStringLiteral("many.exe"), Icons(150)));
    QVERIFY(p);
    QCOMPARE(p->Sheet()->SheetHeight(), (150 / 13) * 32 + 32);
    QVERIFY(!p->VertScrollBar->isHidden());
    QCOMPARE(p->VertScrollBar->singleStep(), 32);
    p->VertScrollBar->setValue(64);
    Pick(p, {40, 10});
    QCOMPARE(p->PickedCell, (Rect{32, 64, 64, 96}));
    QCOMPARE(f.state().iconimage.pixel(20, 5), Right(2 * 13 + 1));
    QCOMPARE(f.state().UndoTop, 1);
    p->VertScrollBar->setValue(p->VertScrollBar->maximum());
    const int lastRow = 11 * 32 - p->VertScrollBar->value();  // icons 143 ... 149 in columns 0 ... 6
    for (QPoint outside : {QPoint(13 * 32 + 2, 10), QPoint(7 * 32 + 5, lastRow + 5)}) {
      Pick(p, outside);  // beside the sheet, or past the last icon
      QCOMPARE(f.state().UndoTop, 1);
    }
  }

  // The wheel over the sheet scrolls it as over its bar: a notch moves it by the platform's lines of one icon
  // row each, within the bar's range; a sheet without a bar does not move.
  void wheelScrollsTheSheet() {
    TForm1& f = Form();
    TExeIconForm* p = Open(f, Write(QStringLiteral("many.exe"), Icons(150)));
    TExeIconForm* few = Open(f, Write(QStringLiteral("few.exe"), Icons(3)));
    QVERIFY(p && few && few->VertScrollBar->isHidden());
    const auto wheel = [](QWidget* w, int notches) {
      QWheelEvent e({40, 40}, {40, 40}, {}, {0, 120 * notches}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
      QApplication::sendEvent(w, &e);
    };
    const int step = QApplication::wheelScrollLines() * 32;
    wheel(p, -1);
    QCOMPARE(p->ScrollPosition(), step);
    Pick(p, {40, 10});  // the pick follows the scrolled sheet
    QCOMPARE(p->PickedCell, (Rect{32, step, 64, step + 32}));
    for (auto [notches, position] : {std::pair{1, 0}, {1, 0}, {-100, p->VertScrollBar->maximum()}}) {
      wheel(p, notches);
      QCOMPARE(p->ScrollPosition(), position);
    }
    wheel(few, -3);
    QCOMPARE(few->ScrollPosition(), 0);
  }

  void pickIntoEachKindOfImageAndUndo_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::newRow("true colour 16") << int(kTypeTrueColor) << 16;
    QTest::newRow("true colour 32") << int(kTypeTrueColor) << 32;
    QTest::newRow("true colour 48") << int(kTypeTrueColor) << 48;
    QTest::newRow("16 colours 32") << int(kType16Color) << 32;
    QTest::newRow("cursor") << int(kTypeCursor) << 32;
  }
  void pickIntoEachKindOfImageAndUndo() {
    QFETCH(int, type);
    QFETCH(int, size);
    TForm1& f = Form();
    QVERIFY(f.NewImage(type, size));
    EditorState& s = f.state();
    s.iconimage.setPixel(size - 1, size - 1, kBlack);  // a mark the pick must keep unless it covers it
    s.iconmask.setPixel(size - 1, size - 1, kBlack);
    PushUndo(s);
    f.savedlg.FileName = s.CurrentFileName.empty() ? QStringLiteral("old.ico") : f.savedlg.FileName;
    const Bitmap image = s.iconimage, mask = s.iconmask;
    const int top = s.UndoTop;

    TExeIconForm* p = Open(f, Write(QStringLiteral("one.dll"), Icons(3)));
    QVERIFY(p);
    Pick(p, {32 + 20, 5});
    QCOMPARE(s.UndoTop, top + 1);
    QVERIFY(f.savedlg.FileName.isEmpty());
    QCOMPARE(f.windowTitle(), QStringLiteral("Glyphwerk"));
    const int n = std::min(size, 32);
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) {
        const bool transparent = x < 16;  // the icon's pure white
        QCOMPARE(s.iconmask.pixel(x, y), transparent ? kWhite : kBlack);
        if (transparent) QCOMPARE(s.iconimage.pixel(x, y), s.TransparentColor);
      }
    const std::vector<Color>& palette = type == kType16Color ? s.Colors16 : s.MonoColors;
    if (size < 32) {
      QCOMPARE(s.iconimage.pixel(size - 1, size - 1), s.TransparentColor);  // the mark is covered
    } else if (type == kTypeTrueColor) {
      QCOMPARE(s.iconimage.pixel(20, 3), Right(1));
    } else {  // only palette colours are left, and the transparent colour
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          QVERIFY(s.iconmask.pixel(x, y) == kWhite ||
                  std::find(palette.begin(), palette.end(), s.iconimage.pixel(x, y)) != palette.end());
    }
    if (size > 32) {
      QCOMPARE(s.iconimage.pixel(size - 1, size - 1), kBlack);  // the rest of the image stays
      QCOMPARE(s.CurrentTool, 7);
      QCOMPARE(s.ToolStage, 4);
      QCOMPARE(s.MoveCellRect, (Rect{0, 0, 32, 32}));
      QCOMPARE(f.ActiveToolButton, f.bmove);
      QCOMPARE(s.WorkImages[2], image);  // what the floating picture was lifted from
    }
    QVERIFY(s.Modified);
    f.Undo1Click();
    QCOMPARE(s.iconimage, image);
    QCOMPARE(s.iconmask, mask);
  }

  void severalPickersEachWithItsOwnFile() {
    TForm1& f = Form();
    QPointer<TExeIconForm> a = Open(f, Write(QStringLiteral("a.dll"), Icons(2)));
    QPointer<TExeIconForm> b = Open(f, Write(QStringLiteral("b.dll"), Icons(5)));
    QVERIFY(a && b && a != b);
    QCOMPARE(a->IconCount(), 2);
    QCOMPARE(b->IconCount(), 5);
    a->close();
    QTRY_VERIFY(!a);
    Pick(b, {4 * 32 + 20, 5});
    QCOMPARE(f.state().iconimage.pixel(20, 5), Right(4));
  }
};

QTEST_MAIN(ExeIconTest)
#include "test_exeicon.moc"
