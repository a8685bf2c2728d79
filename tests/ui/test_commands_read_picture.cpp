// A curve being edited, through the main window's commands: Save, Save As, the close question's Save, Copy
// and Export write the picture without its inverted figure and leave the figure on screen for the curve to go
// on; a curve left by choosing another tool or by a command is an undo state of its own.
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

class CommandsReadPictureTest : public QObject {
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
  static QString Differing(const Outputs& a, const Outputs& b) {
    QStringList d;
    if (a.saveAs != b.saveAs) d << QStringLiteral("Save As");
    if (a.save != b.save) d << QStringLiteral("Save");
    if (a.closeSave != b.closeSave) d << QStringLiteral("the close question's Save");
    if (a.exported != b.exported) d << QStringLiteral("Export");
    if (a.copied != b.copied) d << QStringLiteral("Copy");
    return d.join(QStringLiteral(", "));
  }

 private slots:
  // The curve's three drags, each held in mid-drag and left between drags: every read gives the picture as it
  // was before the first press, the screen keeps the figure, and the curve is finished all the same.
  void readsSeeThePictureAndTheCurveGoesOn() {
    using S = Step;
    const std::vector<MouseStep> steps{{S::Press, 2, 20},   {S::Move, 10, 20},  {S::Move, 28, 20}, {S::Release, 28, 20},
                                       {S::Press, 14, 10},  {S::Move, 15, 4},   {S::Release, 15, 4},
                                       {S::Press, 15, 4},   {S::Move, 6, 30},   {S::Release, 6, 30}};
    auto f = Make();
    f->bcurves->click();
    const Bitmap before = f->state().iconimage;
    const Outputs picture = ReadAll(*f, QStringLiteral("picture"));
    QVERIFY(!picture.saveAs.isEmpty() && !picture.exported.isEmpty() && !picture.copied.isNull());
    for (std::size_t k = 0; k + 1 < steps.size(); ++k) {
      Run(*f, steps[k]);
      const Bitmap image = f->state().iconimage, mask = f->state().iconmask;
      const int stage = f->state().ToolStage;
      const QString differing = Differing(ReadAll(*f, QStringLiteral("step%1").arg(k)), picture);
      QVERIFY2(differing.isEmpty(), qPrintable(QStringLiteral("after step %1: %2").arg(k).arg(differing)));
      QVERIFY(f->state().iconimage == image && f->state().iconmask == mask);  // still on screen
      QCOMPARE(f->state().ToolStage, stage);
    }
    Run(*f, steps.back());
    QCOMPARE(f->state().ToolStage, 1);
    QVERIFY(f->state().iconimage != before);
    QVERIFY(f->state().iconimage == f->state().UndoImages[static_cast<std::size_t>(f->state().UndoPos)]);
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

QTEST_MAIN(CommandsReadPictureTest)
#include "test_commands_read_picture.moc"
