// Import, export and palette files through the main window's commands, the dialogs answered by scripts.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <sys/stat.h>
#include <unistd.h>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "editor/core/UndoRing.h"
#include "editor/ui/ficon.h"
#include "iconfile/core/PictureImport.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;

namespace {

QString DataPicture(const char* name) { return QStringLiteral(GLYPHWERK_TEST_DATA "/pictures/") + QLatin1String(name); }

// A dialog runner that picks `name` with filter `index`, recording what the dialog held when it ran.
struct Pick {
  QString name;
  int index = 1;
  bool confirm = true;
  QString seenName, seenFilter, seenFolder;
  int seenIndex = 0;
  std::function<bool(TFileDialog&)> runner() {
    return [this](TFileDialog& d) {
      seenName = d.FileName, seenFilter = d.Filter, seenFolder = d.InitialDir, seenIndex = d.FilterIndex;
      if (!confirm) return false;
      d.FileName = name;
      d.FilterIndex = index;
      return true;
    };
  }
};

bool AllBlack(const Bitmap& b) {
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.pixel(x, y) != kBlack) return false;
  return true;
}

}  // namespace

class PicturesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<test::ScriptedMessageBoxes> boxes_;
  Pick pick_;

  std::unique_ptr<TForm1> Form() {
    boxes_ = std::make_unique<test::ScriptedMessageBoxes>();
    TForm1Options o;
    o.boxes = boxes_.get();
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    auto f = std::make_unique<TForm1>(o);
    f->opendlg.Runner = pick_.runner();
    f->savedlg.Runner = pick_.runner();
    return f;
  }
  // A modified 16-colour image, the state an import must either replace whole or leave alone.
  static void EditedMonoImage(TForm1& f) {
    f.N32x32_MonoClick();
    f.state().iconimage.setPixel(2, 2, kBlack);
    f.PushUndo();
  }
  QString Path(const char* name) const { return dir_.filePath(QLatin1String(name)); }

 private slots:
  void init() { pick_ = Pick(); }

  void importMakesANewTrueColourImage() {
    auto f = Form();
    EditedMonoImage(*f);
    boxes_->answerNext(IMessageBoxes::Answer::No);
    // The JPEG filter entry selected for a PNG: the content decides.
    pick_.name = DataPicture("png_rgb8.png");
    f->Import1->trigger();
    const EditorState& s = f->state();
    QCOMPARE(boxes_->questions.size(), std::size_t{1});
    QVERIFY(boxes_->errors.isEmpty());
    QVERIFY(pick_.seenFilter.startsWith(QStringLiteral("JPEG File (*.jpg,*.jpeg,*.jpe,*.jfif)|*.jpg;*.jpeg;*.jpe;*.jfif|GIF")));
    QCOMPARE(s.IconType, int(kTypeTrueColor));
    QCOMPARE(s.IconSize, 24);  // 23 x 13
    std::string error;
    const auto picture = ReadPictureFile(Local(DataPicture("png_rgb8.png")), error);
    QVERIFY(picture);
    QCOMPARE(s.iconimage.pixel(0, 0), ComposeOnWhite(*picture).pixel(0, 0));
    QVERIFY(AllBlack(s.iconmask));
    QVERIFY(s.Modified);
    QCOMPARE(s.UndoPos, 1);  // the blank image, then the picture
    QVERIFY(f->bUndo->isEnabled());
    QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk"));
    QVERIFY(f->bColorPalSave->isEnabled());
    QVERIFY(!f->editarea->isEnabled());
    QVERIFY(f->Timer1->isActive());
    QCOMPARE(f->Timer1->interval(), 250);

    // The next import starts from the index and folder the last one left.
    f->Timer1->stop();
    pick_.index = 3;
    pick_.name = DataPicture("gif_plain.gif");
    boxes_->answerNext(IMessageBoxes::Answer::No);
    f->Import1->trigger();
    QCOMPARE(pick_.seenIndex, 1);
    pick_.name = DataPicture("bmp_8bit.bmp");
    boxes_->answerNext(IMessageBoxes::Answer::No);
    f->Import1->trigger();
    QCOMPARE(pick_.seenIndex, 3);
    QCOMPARE(f->state().IconSize, 24);
  }

  void importThatFailsChangesNothing() {
    QFile broken(Path("broken.jpg"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    QFile whole(DataPicture("jpeg_baseline.jpg"));
    QVERIFY(whole.open(QIODevice::ReadOnly));
    broken.write(whole.readAll().left(300));
    broken.close();
    const struct {
      const char* what;
      IMessageBoxes::Answer answer;
      bool confirm;
      QString file;
      bool message;
    } cases[] = {
        {"question cancelled", IMessageBoxes::Answer::Cancel, true, DataPicture("png_rgb8.png"), false},
        {"dialog cancelled", IMessageBoxes::Answer::No, false, {}, false},
        {"truncated JPEG", IMessageBoxes::Answer::No, true, Path("broken.jpg"), true},
        {"missing file", IMessageBoxes::Answer::No, true, Path("missing.png"), true},
        {"not a picture", IMessageBoxes::Answer::No, true, DataPicture("make.sh"), true},
        {"named pipe", IMessageBoxes::Answer::No, true, Path("pipe.png"), true},
    };
    QCOMPARE(::mkfifo(qPrintable(Path("pipe.png")), 0600), 0);
    ::alarm(10);  // an import that waits on the named pipe ends the test here
    for (const auto& c : cases) {
      auto f = Form();
      EditedMonoImage(*f);
      const EditorState before = f->state();
      boxes_->answerNext(c.answer);
      pick_.confirm = c.confirm;
      pick_.name = c.file;
      f->Import1->trigger();
      const EditorState& s = f->state();
      QVERIFY2(s.iconimage == before.iconimage && s.iconmask == before.iconmask, c.what);
      QCOMPARE(s.IconType, before.IconType);
      QCOMPARE(s.UndoPos, before.UndoPos);
      QVERIFY2(s.Modified, c.what);
      QVERIFY2(f->editarea->isEnabled(), c.what);
      QCOMPARE(boxes_->errors.size(), qsizetype(c.message ? 1 : 0));
      if (c.message) QVERIFY2(boxes_->errors[0].contains(c.file), qPrintable(boxes_->errors[0]));
    }
    ::alarm(0);
    QVERIFY(boxes_->errors[0].contains(QLatin1String("it is a named pipe")));
  }

  void exportWritesTheFilterFormatAndKeepsTheIconTarget() {
    auto f = Form();
    f->N16x16_TrueClick();
    EditorState& s = f->state();
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) s.iconimage.setPixel(x, y, MakeColor(x * 16, y * 16, 7));
    s.CurrentFileName = Local(Path("my.icon.ico"));
    s.IconSaveTarget = s.CurrentFileName;

    // PNG by index, a name without extension: it becomes out.png.
    pick_.name = Path("out");
    pick_.index = 3;
    f->Export1->trigger();
    QCOMPARE(pick_.seenName, QStringLiteral("my"));
    QVERIFY(pick_.seenFilter.startsWith(QStringLiteral("JPEG File (*.jpg)|*.jpg;|GIF File (*.gif)|*.gif|PNG")));
    std::string error;
    const auto png = ReadPictureFile(Local(Path("out.png")), error);
    QVERIFY2(png, error.c_str());
    QVERIFY(ComposeOnWhite(*png) == s.iconimage);
    QCOMPARE(s.CurrentFileName, Local(Path("my.icon.ico")));
    QCOMPARE(s.IconSaveTarget, Local(Path("my.icon.ico")));  // a later Save still writes the icon there
    QCOMPARE(f->savedlg.FilterIndex, 3);

    // A .png name under the JPEG entry is a JPEG file.
    pick_.name = Path("photo.png");
    pick_.index = 1;
    f->Export1->trigger();
    QFile written(Path("photo.png"));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.read(3) == QByteArray("\xFF\xD8\xFF", 3));

    // An unwritable place: a message naming the file, and no file.
    pick_.name = QStringLiteral("/proc/glyphwerk-export.png");
    pick_.index = 3;
    f->Export1->trigger();
    QCOMPARE(boxes_->errors.size(), qsizetype(1));
    QVERIFY(boxes_->errors[0].contains(pick_.name));
    QVERIFY(!QFile::exists(pick_.name));
    QVERIFY(!s.Modified);

    // A cancelled export writes nothing.
    pick_.confirm = false;
    const auto count = QDir(dir_.path()).entryList(QDir::Files).size();
    f->Export1->trigger();
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).size(), count);
  }

  void paletteSavesAndLoadsTheTrueColourGrid() {
    auto f = Form();
    f->N32x32_TrueClick();
    EditorState& s = f->state();
    for (std::size_t i = 0; i < 256; ++i) s.TrueColorGrid[i] = static_cast<Color>(i * 3);
    const std::vector<Color> saved = s.TrueColorGrid;
    f->savedlg.FileName = QStringLiteral("icon.ico");
    pick_.name = Path("colors");
    f->bColorPalSave->click();
    QCOMPARE(pick_.seenFilter, QStringLiteral("Color Palette (*.pal)|*.pal"));
    QCOMPARE(pick_.seenName, QStringLiteral("icon.ico"));
    QCOMPARE(pick_.seenFolder, QCoreApplication::applicationDirPath() + QDir::separator());
    QVERIFY(QFile::exists(Path("colors.pal")));
    QVERIFY(s.IconSaveTarget.empty());

    std::fill(s.TrueColorGrid.begin(), s.TrueColorGrid.end(), kWhite);
    pick_.name = Path("colors.pal");
    f->bColorPalOpen->click();
    QCOMPARE(s.TrueColorGrid, saved);
    QCOMPARE(s.ColorGridEntries, 256);
    QVERIFY(boxes_->errors.isEmpty());

    // A named pipe is refused at once with its name and what it is; the grid stays.
    pick_.name = Path("pipe.pal");
    QCOMPARE(::mkfifo(qPrintable(pick_.name), 0600), 0);
    ::alarm(10);
    f->bColorPalOpen->click();
    ::alarm(0);
    QCOMPARE(s.TrueColorGrid, saved);
    QCOMPARE(boxes_->errors, QStringList{QStringLiteral("Cannot load the palette %1: it is a named pipe.").arg(pick_.name)});
    boxes_->errors.clear();

    pick_.name = QStringLiteral("/proc/glyphwerk.pal");
    f->bColorPalSave->click();
    QCOMPARE(boxes_->errors, QStringList{QStringLiteral("Unable to write to /proc/glyphwerk.pal: the folder /proc is read-only")});
    QVERIFY(!s.Modified);
  }

 private:
  static std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }
};

QTEST_MAIN(PicturesTest)
#include "test_pictures.moc"
