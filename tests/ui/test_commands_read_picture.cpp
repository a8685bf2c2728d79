// What a tool shows inverted on the image while it works (a curve being edited, a band being dragged) through
// the main window's commands: Save, Save As, the close question's Save, Copy and Export write the picture
// without it and leave it on screen for the tool to go on; a curve left by choosing another tool or by a
// command is an undo state of its own.
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "editor/ui/ficon.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;
using Answer = IMessageBoxes::Answer;

namespace {

enum class Step { Press, Move, Release };
struct MouseStep {
  Step step;
  int x, y;  // a cell
};

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// What every command that reads the image for a file, the clipboard or an export gave.
struct Outputs {
  QByteArray saveAs, save, closeSave, exported;
  QImage copied;
  bool operator==(const Outputs&) const = default;
};

}  // namespace

Q_DECLARE_METATYPE(std::vector<MouseStep>)

class ToolFiguresTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  test::ScriptedMessageBoxes boxes_;  // shared by the forms of a test
  QStringList answers_;

  std::unique_ptr<TForm1> Make() {
    TForm1Options o;
    o.boxes = &boxes_;
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    auto f = std::make_unique<TForm1>(o);
    f->savedlg.Runner = [this](TFileDialog& d) {
      if (answers_.isEmpty()) return false;
      d.FileName = answers_.takeFirst();
      d.FilterIndex = 3;  // PNG, for the export
      return true;
    };
    f->RunNewImageHandler(kTypeTrueColor, 32);  // 10 edit-area pixels a cell
    // Two of three pixels opaque: a not-xor figure turns them into holes.
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if ((x + y) % 3 != 0) {
          f->state().iconimage.setPixel(x, y, 0xCC6633);
          f->state().iconmask.setPixel(x, y, kBlack);
        }
    f->PushUndo();
    f->RefreshEditArea();
    return f;
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  static void Run(TForm1& f, const MouseStep& m) {
    const int x = m.x * 10 + 5, y = m.y * 10 + 5;
    switch (m.step) {
      case Step::Press: f.editareaMouseDown(Qt::LeftButton, {}, x, y); break;
      case Step::Move: f.editareaMouseMove({}, x, y); break;
      case Step::Release: f.editareaMouseUp(Qt::LeftButton, {}, x, y); break;
    }
  }

  // Save As, Save, Save through the close question, Export as PNG and Copy, each into a fresh file.
  Outputs ReadAll(TForm1& f, const QString& tag) {
    Outputs o;
    const QString ico = Path(tag + QStringLiteral(".ico")), png = Path(tag + QStringLiteral(".png"));
    answers_ << ico;
    f.SaveAs1Click();
    o.saveAs = Bytes(ico);
    QFile::remove(ico);
    f.Save1Click();
    o.save = Bytes(ico);
    QFile::remove(ico);
    f.state().Modified = true;
    boxes_.answerNext(Answer::Yes);
    f.ConfirmDiscard();
    o.closeSave = Bytes(ico);
    answers_ << png;
    f.Export1Click();
    o.exported = Bytes(png);
    f.CopytoClipboard1Click();
    o.copied = QApplication::clipboard()->image();
    return o;
  }

 private slots:
  void readsSeeThePictureAndTheToolGoesOn_data() {
    QTest::addColumn<int>("tool");
    QTest::addColumn<std::vector<MouseStep>>("steps");
    using S = Step;
    // The curve's three drags, each held in mid-drag and left between drags; a line and a filled ellipse held.
    QTest::newRow("curve") << 10
                           << std::vector<MouseStep>{{S::Press, 2, 20},  {S::Move, 10, 20}, {S::Move, 28, 20},
                                                     {S::Release, 28, 20}, {S::Press, 14, 10}, {S::Move, 15, 4},
                                                     {S::Release, 15, 4},  {S::Press, 15, 4},  {S::Move, 6, 30},
                                                     {S::Release, 6, 30}};
    QTest::newRow("line") << 1 << std::vector<MouseStep>{{S::Press, 2, 2}, {S::Move, 20, 25}, {S::Release, 20, 25}};
    QTest::newRow("filled ellipse")
        << 4 << std::vector<MouseStep>{{S::Press, 3, 3}, {S::Move, 25, 18}, {S::Release, 25, 18}};
  }
  void readsSeeThePictureAndTheToolGoesOn() {
    QFETCH(int, tool);
    QFETCH(std::vector<MouseStep>, steps);
    auto f = Make();
    auto plain = Make();  // the same strokes without a read between
    f->SelectToolByIndex(tool);
    plain->SelectToolByIndex(tool);
    const Bitmap before = f->state().iconimage;
    const Outputs picture = ReadAll(*f, QStringLiteral("picture"));
    QVERIFY(!picture.saveAs.isEmpty() && !picture.exported.isEmpty() && !picture.copied.isNull());
    for (std::size_t k = 0; k + 1 < steps.size(); ++k) {
      Run(*f, steps[k]);
      Run(*plain, steps[k]);
      const Bitmap image = f->state().iconimage, mask = f->state().iconmask;
      const int stage = f->state().ToolStage;
      const Outputs read = ReadAll(*f, QStringLiteral("step%1").arg(k));
      QVERIFY2(read.saveAs == picture.saveAs, qPrintable(QStringLiteral("Save As after step %1").arg(k)));
      QVERIFY2(read.save == picture.save, qPrintable(QStringLiteral("Save after step %1").arg(k)));
      QVERIFY2(read.closeSave == picture.closeSave, qPrintable(QStringLiteral("close's Save after step %1").arg(k)));
      QVERIFY2(read.exported == picture.exported, qPrintable(QStringLiteral("Export after step %1").arg(k)));
      QVERIFY2(read.copied == picture.copied, qPrintable(QStringLiteral("Copy after step %1").arg(k)));
      QVERIFY(f->state().iconimage == image && f->state().iconmask == mask);  // still on screen
      QCOMPARE(f->state().ToolStage, stage);
    }
    Run(*f, steps.back());
    Run(*plain, steps.back());
    QVERIFY(f->state().iconimage == plain->state().iconimage);
    QVERIFY(f->state().iconmask == plain->state().iconmask);
    QVERIFY(f->state().iconimage != before);  // the stroke was made
  }

  void leftCurveIsAnUndoState_data() {
    QTest::addColumn<bool>("byCommand");
    QTest::newRow("another tool") << false;
    QTest::newRow("a whole-image command") << true;
  }
  // The curve as it was left comes back by Redo; a command after it, undone, leaves the curve.
  void leftCurveIsAnUndoState() {
    QFETCH(bool, byCommand);
    auto f = Make();
    const Bitmap picture = f->state().iconimage;
    f->bcurves->click();
    for (const MouseStep& m : {MouseStep{Step::Press, 2, 20}, MouseStep{Step::Move, 28, 20},
                               MouseStep{Step::Release, 28, 20}, MouseStep{Step::Press, 15, 4},
                               MouseStep{Step::Release, 15, 4}})
      Run(*f, m);
    if (byCommand) f->BottomMirrorsTop1Click();
    else f->bpencil->click();
    const Bitmap left = f->state().iconimage;
    QVERIFY(left != picture);
    f->Undo1Click();
    if (byCommand) {
      QVERIFY(f->state().iconimage != picture);  // the curve, without the mirror
      f->Undo1Click();
    }
    QVERIFY(f->state().iconimage == picture);
    QVERIFY(f->bRedo->isEnabled());
    f->Redo1Click();
    if (byCommand) f->Redo1Click();
    QVERIFY(f->state().iconimage == left);
    QVERIFY(!f->bRedo->isEnabled());
    QVERIFY(f->bUndo->isEnabled());
  }
};

QTEST_MAIN(ToolFiguresTest)
#include "test_commands_read_picture.moc"
