// Open, Save and Save As through scripted dialogs and message boxes, the start-up open, and the Image menu's
// transparency commands.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>
#include <functional>
#include <memory>

#include "editor/core/UndoRing.h"
#include "editor/ui/ficon.h"
#include "iconfile/core/IconCodec.h"
#include "iconfile/ui/fexticon.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;
using Answer = IMessageBoxes::Answer;

namespace {

// Answers a file dialog from a script (a path, or an empty string to cancel; an unscripted run cancels) and
// records what each run was shown.
struct DialogScript {
  struct Seen {
    QString title, filter, fileName;
    int filterIndex;
  };
  QStringList answers;
  int chooseFilterIndex = 0;  // when set, the user picks this filter
  std::vector<Seen> seen;
  void attach(TFileDialog& d) {
    d.Runner = [this](TFileDialog& dlg) {
      seen.push_back({dlg.Title, dlg.Filter, dlg.FileName, dlg.FilterIndex});
      const QString a = answers.isEmpty() ? QString() : answers.takeFirst();
      if (a.isEmpty()) return false;
      dlg.FileName = a;
      if (chooseFilterIndex) dlg.FilterIndex = chooseFilterIndex;
      return true;
    };
  }
};

QByteArray Bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Paint(TForm1& f, Color c = 0x0000FF) {
  f.state().iconimage.setPixel(2, 3, c);
  f.state().iconmask.setPixel(2, 3, kBlack);
  f.PushUndo();
}

}  // namespace

class FilesTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::unique_ptr<test::ScriptedMessageBoxes> boxes_;
  DialogScript open_, save_;

  std::unique_ptr<TForm1> Make(QStringList args = {}) {
    boxes_ = std::make_unique<test::ScriptedMessageBoxes>();
    open_ = {};
    save_ = {};
    TForm1Options o;
    o.boxes = boxes_.get();
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    o.arguments = std::move(args);
    auto f = std::make_unique<TForm1>(o);
    open_.attach(f->opendlg);
    save_.attach(f->savedlg);
    return f;
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  // A painted image of the type and size, saved through the first Save's dialog.
  QString Saved(TForm1& f, int type, int size, const QString& name) {
    f.RunNewImageHandler(type, size);
    Paint(f);
    save_.answers << Path(name);
    if (!f.Save1Click()) qFatal("could not save %s", qPrintable(name));
    return Path(name);
  }

  // Everything a refused command must leave alone.
  struct Snapshot {
    Bitmap image, mask;
    int type, size, undoTop, undoPos;
    bool modified;
    std::string name, target;
    QString dialogName, caption;
    explicit Snapshot(const TForm1& f)
        : image(f.state().iconimage), mask(f.state().iconmask), type(f.state().IconType), size(f.state().IconSize),
          undoTop(f.state().UndoTop), undoPos(f.state().UndoPos), modified(f.state().Modified),
          name(f.state().CurrentFileName), target(f.state().IconSaveTarget), dialogName(f.savedlg.FileName),
          caption(f.windowTitle()) {}
    bool operator==(const Snapshot&) const = default;
  };

 private slots:
  // Every file dialog lists each description once with its patterns, opens on the filter index left in it,
  // and gives a name typed without extension the extension of the filter chosen in it.
  void everyFileDialogListsEachDescriptionOnce() {
    auto f = Make();
    const auto saveAs = [](int t) { return [t](TForm1& w) { w.RunNewImageHandler(t, 32), w.SaveAs1Click(); }; };
    const QString rest = "GIF File (*.gif)|PNG File (*.png)|TIF File (*.tif *.tiff)|BMP File (*.bmp)";
    const struct {
      std::function<void(TForm1&)> run;
      TFileDialog TForm1::*dialog;
      QString shown, suffixes;
    } cases[] = {
        {&TForm1::Open1Click, &TForm1::opendlg,
         "Icon File (*.ico)|Cursor File (*.cur)|DLL File (*.dll)|EXE File (*.exe)|All Files (*.*)",
         "ico cur dll exe ico"},
        {&TForm1::Import1Click, &TForm1::opendlg, "JPEG File (*.jpg *.jpeg *.jpe *.jfif)|" + rest,
         "jpg gif png tif bmp"},
        {&TForm1::Export1Click, &TForm1::savedlg, "JPEG File (*.jpg)|" + rest, "jpg gif png tif bmp"},
        {&TForm1::bColorPalOpenClick, &TForm1::opendlg, "Color Palette (*.pal)", "pal"},
        {&TForm1::bColorPalSaveClick, &TForm1::savedlg, "Color Palette (*.pal)", "pal"},
        {saveAs(kType16Color), &TForm1::savedlg, "16 Color Icon (*.ico)", "ico"},
        {saveAs(kType256Color), &TForm1::savedlg, "256 Color Icon (*.ico)", "ico"},
        {saveAs(kTypeTrueColor), &TForm1::savedlg, "True Color Icon (*.ico)", "ico"},
        {saveAs(kTypeMono), &TForm1::savedlg, "Monochrome Icon (*.ico)", "ico"},
        {saveAs(kTypeCursor), &TForm1::savedlg, "Cursor Icon (*.cur)", "cur"},
    };
    for (const auto& c : cases) {
      c.run(*f);  // the script cancels; the platform's dialog then runs with the filter the command set
      TFileDialog d(TFileDialog::Kind::Save);
      d.Filter = (f.get()->*c.dialog).Filter;
      d.DefaultExt = QStringLiteral("ico");
      d.FilterIndex = static_cast<int>(c.shown.count(QLatin1Char('|'))) + 1;
      QStringList shown, suffixes;
      QString selected;
      QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dlg) return;
        const auto* types = dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));  // the listed entries
        for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
        selected = dlg->selectedNameFilter();
        for (const QString& filter : shown) emit dlg->filterSelected(filter), suffixes << dlg->defaultSuffix();
        dlg->reject();
      });
      QVERIFY(!d.Execute(f.get()));
      QCOMPARE(shown.join(QLatin1Char('|')), c.shown);
      QCOMPARE(selected, shown.last());
      QCOMPARE(suffixes.join(QLatin1Char(' ')), c.suffixes);
    }
  }

  // "All Files (*.*)" lists every file of the folder, also one whose name has no dot, and a file chosen
  // under it comes back with that entry's index.
  void allFilesListsNamesWithoutADot() {
    auto f = Make();
    QTemporaryDir folder;
    for (const char* name : {"program", "a.ico"})
      QVERIFY(QFile(folder.filePath(QString::fromLatin1(name))).open(QIODevice::WriteOnly));
    f->Open1Click();  // the script cancels; the command has set the filter
    TFileDialog d(TFileDialog::Kind::Open);
    d.Filter = f->opendlg.Filter;
    d.FilterIndex = 5;
    d.InitialDir = folder.path();
    QStringList listed;
    QString shown;
    QTimer::singleShot(0, [&] {
      auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dlg) return;
      const auto* view = dlg->findChild<QListView*>(QStringLiteral("listView"));
      const auto names = [view] {
        QStringList out;
        for (int r = 0; r < view->model()->rowCount(view->rootIndex()); ++r) {
          const QModelIndex i = view->model()->index(r, 0, view->rootIndex());
          if (i.flags() & Qt::ItemIsEnabled) out << i.data().toString();
        }
        return out;
      };
      (void)QTest::qWaitFor([&] { return names().size() >= 2; });  // the folder is read in a thread
      listed = names();
      listed.sort();
      shown = dlg->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))->currentText();
      dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("program"));
      static_cast<QDialog*>(dlg)->accept();
      if (dlg->isVisible()) dlg->reject();
    });
    QVERIFY(d.Execute(f.get()));
    QCOMPARE(shown, QStringLiteral("All Files (*.*)"));
    QCOMPARE(listed, QStringList({"a.ico", "program"}));
    QCOMPARE(d.FileName, folder.filePath(QStringLiteral("program")));
    QCOMPARE(d.FilterIndex, 5);
  }

  void firstSaveByType_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::newRow("16") << int(kType16Color) << 24 << "16 Color Icon (*.ico)|*.ico" << "a.ico";
    QTest::newRow("256") << int(kType256Color) << 40 << "256 Color Icon (*.ico)|*.ico" << "a.ico";
    QTest::newRow("true") << int(kTypeTrueColor) << 64 << "True Color Icon (*.ico)|*.ico" << "a.ico";
    QTest::newRow("mono") << int(kTypeMono) << 16 << "Monochrome Icon (*.ico)|*.ico" << "a.ico";
    QTest::newRow("cursor") << int(kTypeCursor) << 32 << "Cursor Icon (*.cur)|*.cur" << "a.cur";
  }
  // A name typed without extension gets the filter's, whatever filter index another command left behind;
  // the file opens again as the same image.
  void firstSaveByType() {
    QFETCH(int, type);
    QFETCH(int, size);
    QFETCH(QString, filter);
    QFETCH(QString, name);
    auto f = Make();
    f->RunNewImageHandler(type, size);
    Paint(*f, 0xFFFFFF);
    f->savedlg.FilterIndex = 3;
    const Bitmap image = f->state().iconimage, mask = f->state().iconmask;
    save_.answers << Path(QStringLiteral("a"));
    QVERIFY(f->Save1Click());
    QCOMPARE(save_.seen.at(0).filter, filter);
    QCOMPARE(save_.seen.at(0).title, QStringLiteral("Save Icon"));
    QCOMPARE(f->state().CurrentFileName, Path(name).toStdString());
    QCOMPARE(f->windowTitle(), "Glyphwerk: " + name);
    QVERIFY(!f->state().Modified);
    QCOMPARE(f->state().iconimage, image);  // a cursor's transparent pixels stay aqua

    f->N16x16_MonoClick();
    f->OpenIconFile(Path(name));
    QCOMPARE(f->state().IconType, type);
    QCOMPARE(f->state().IconSize, size);
    QCOMPARE(f->state().iconimage, image);
    QCOMPARE(f->state().iconmask, mask);
    QVERIFY(boxes_->messages.empty());
    f->SetSaveFilterForType(7);
    QCOMPARE(f->savedlg.Filter, QStringLiteral("True Color Icon (*.ico)|*.ico"));
  }

  // Save writes the icon's own file: the one read or first saved, then the one of the last Save As; never a
  // name another command left in the dialog.
  void saveTargets() {
    auto f = Make();
    save_.answers << QString();
    Paint(*f);
    QVERIFY(!f->Save1Click());  // cancelled: nothing changes
    QVERIFY(f->state().Modified);
    QVERIFY(f->state().CurrentFileName.empty());

    const QString a = Saved(*f, kTypeTrueColor, 32, QStringLiteral("a.ico"));
    Paint(*f, 0x00FF00);
    f->savedlg.FileName = Path(QStringLiteral("export.png"));
    QVERIFY(f->Save1Click());
    QCOMPARE(save_.seen.size(), size_t(2));
    QVERIFY(!QFile::exists(Path(QStringLiteral("export.png"))));

    save_.answers << Path(QStringLiteral("b.ico"));
    f->SaveAs1Click();
    QCOMPARE(save_.seen.back().fileName, a);
    QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk: b.ico"));
    QCOMPARE(Bytes(a), Bytes(Path(QStringLiteral("b.ico"))));
    Paint(*f, 0xFF0000);
    QVERIFY(f->Save1Click());
    QVERIFY(Bytes(a) != Bytes(Path(QStringLiteral("b.ico"))));
    f->SaveAs1Click();  // cancelled: offers the first name again
    QCOMPARE(save_.seen.back().fileName, a);
    QCOMPARE(f->savedlg.FileName, a);

    f->state().CurrentFileName.clear();  // as a command that forgets the file does
    Paint(*f);
    QVERIFY(!f->Save1Click());
    boxes_->answerNext(Answer::No);
    f->N16x16_16Click();
    Paint(*f);
    QVERIFY(!f->Save1Click());
    QCOMPARE(save_.seen.size(), size_t(6));
  }

  void failedSave_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("missing folder") << "none/x.ico";
    QTest::newRow("folder is a file") << "plain/x.ico";
    QTest::newRow("read-only folder") << "locked/x.ico";
    QTest::newRow("read-only file") << "readonly.ico";
    QTest::newRow("target is a folder") << "folder.ico";
    QTest::newRow("name longer than a folder takes") << QString(252, QLatin1Char('n')) + ".ico";
  }
  // Nothing changes, an existing file stays as it was, and the message names the file.
  void failedSave() {
    QFETCH(QString, name);
    QDir(dir_.path()).mkpath(QStringLiteral("folder.ico"));
    QDir(dir_.path()).mkpath(QStringLiteral("locked"));
    QFile::setPermissions(Path(QStringLiteral("locked")), QFile::ReadOwner | QFile::ExeOwner);
    for (const QString& existing : {QStringLiteral("plain"), QStringLiteral("readonly.ico")}) {
      QFile old(Path(existing));
      if (old.open(QIODevice::WriteOnly)) old.write("an earlier file");
    }
    QFile::setPermissions(Path(QStringLiteral("readonly.ico")), QFile::ReadOwner);
    const QByteArray before = Bytes(Path(name));
    auto f = Make();
    f->OpenIconFile(Saved(*f, kTypeMono, 24, QStringLiteral("good.ico")));
    Paint(*f);
    f->setCursor(Qt::CrossCursor);
    const Snapshot kept(*f);
    save_.answers << Path(name);
    f->SaveAs1Click();
    QVERIFY(Snapshot(*f) == kept);
    QCOMPARE(f->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(boxes_->messages.size(), size_t(1));
    QVERIFY(boxes_->messages[0].text.contains(QFileInfo(name).fileName()));
    QCOMPARE(Bytes(Path(name)), before);
    QVERIFY(QFileInfo(Path(QStringLiteral("folder.ico"))).isDir());
    QVERIFY(f->Save1Click());  // Save still writes the file read
  }

  void closeQuestionYesSaves_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("written");
    QTest::newRow("written") << "closing.ico" << true;
    QTest::newRow("write fails") << "none/closing.ico" << false;
    QTest::newRow("dialog cancelled") << "" << false;
  }
  // The window closes, and a new image replaces the old one, only when the file was written.
  void closeQuestionYesSaves() {
    QFETCH(QString, answer);
    QFETCH(bool, written);
    const QString path = answer.isEmpty() ? answer : Path(answer);
    QFile::remove(Path(QStringLiteral("closing.ico")));
    auto f = Make();
    f->show();
    Paint(*f);
    boxes_->answerNext(Answer::Yes);
    save_.answers << path;
    QCOMPARE(f->close(), written);
    QCOMPARE(f->state().Modified, !written);
    QCOMPARE(QFile::exists(Path(QStringLiteral("closing.ico"))), written);
    if (written) return;
    boxes_->answerNext(Answer::Yes);
    save_.answers << path;
    f->N16x16_16Click();
    QCOMPARE(f->state().IconSize, 32);
    QVERIFY(f->state().Modified);
  }

  // A good file replaces the image without asking twice; the open dialog keeps its filter index.
  void openReadsAFile() {
    auto f = Make();
    const QString path = Saved(*f, kType256Color, 48, QStringLiteral("pic.ICO"));
    const Bitmap image = f->state().iconimage;
    f->N32x32_TrueClick();
    Paint(*f);
    f->opendlg.Filter = QStringLiteral("PNG File (*.png)|*.png");  // as the import leaves it
    boxes_->answerNext(Answer::No);
    open_.answers << path;
    open_.chooseFilterIndex = 2;
    f->bFileOpenClick();
    QCOMPARE(boxes_->questions.size(), size_t(1));
    QCOMPARE(open_.seen.at(0).title, QStringLiteral("Open Icon"));
    QCOMPARE(open_.seen.at(0).filter, QStringLiteral("Icon File (*.ico)|*.ico|Cursor File (*.cur)|*.cur|DLL File "
                                                     "(*.dll)|*.dll|EXE File (*.exe)|*.exe|All Files (*.*)|*.*"));
    QCOMPARE(f->state().IconType, int(kType256Color));
    QCOMPARE(f->state().iconimage, image);
    QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk: pic.ICO"));
    QCOMPARE(f->editareaGroupBox->title(), QStringLiteral("Edit Area -- 256 Color Icon - 48 x 48"));
    QCOMPARE(f->state().IconSaveTarget, path.toStdString());
    QCOMPARE(f->savedlg.FileName, path);
    QVERIFY(!f->state().Modified);
    QCOMPARE(f->state().UndoTop, 1);
    QVERIFY(f->bUndo->isEnabled() && !f->bRedo->isEnabled());
    QVERIFY(!f->editarea->isEnabled() && f->Timer1->isActive());
    f->Timer1Timer();
    QVERIFY(f->editarea->isEnabled() && !f->Timer1->isActive());
    f->Open1Click();
    QCOMPARE(open_.seen.at(1).filterIndex, 2);
  }

  // Of a file whose other images are too large to keep, the first image opens and Open says once how many
  // Save will not write back.
  void openSaysOnceWhatSaveLeavesOut() {
    auto f = Make();
    f->RunNewImageHandler(kType16Color, 16);
    const KeptFileImage large{{16, 16, 16, 0, 1, 0, 4, 0}, std::vector<std::uint8_t>(15u << 19, 0x5A)};
    const std::vector<std::uint8_t> file =
        WithKeptImages(EncodeIconFile(f->state(), *FindIconFormat(kType16Color, 16)), {{large, large}});
    const QString path = Path(QStringLiteral("large.ico"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly));
    QVERIFY(out.write(reinterpret_cast<const char*>(file.data()), qint64(file.size())) > 0);
    out.close();
    f->N32x32_TrueClick();
    f->OpenIconFile(path);
    QCOMPARE(f->state().IconSize, 16);
    QCOMPARE(f->state().FileOtherImages.size(), size_t(1));
    QCOMPARE(boxes_->messages.size(), size_t(1));
    QCOMPARE(boxes_->messages[0].text,
             QStringLiteral("1 image of the file \"large.ico\" is too large to keep: Save will not write it back."));
    QCOMPARE(boxes_->messages[0].caption, QStringLiteral("Open Icon"));
  }

  // The colour group shows the opened file's own table; a new image brings the default back.
  void openShowsTheFilesColours() {
    auto f = Make();
    const auto pens = [&f] {
      return QList<QColor>{f->leftcolorDisp->palette().color(QPalette::Window),
                           f->rightcolorDisp->palette().color(QPalette::Window)};
    };
    f->OpenIconFile(QStringLiteral(GLYPHWERK_TEST_DATA "/icons/magick-16color-32.ico"));
    const EditorState& s = f->state();
    QVERIFY(s.Colors16 != s.DefaultColors16);
    QCOMPARE(s.Colors16, s.FileColorTable);
    QCOMPARE(pens(), (QList<QColor>{QColor(RedOf(s.Colors16[0]), GreenOf(s.Colors16[0]), BlueOf(s.Colors16[0])),
                                    QColor(RedOf(s.Colors16[15]), GreenOf(s.Colors16[15]), BlueOf(s.Colors16[15]))}));
    f->N32x32_16Click();
    QCOMPARE(s.Colors16, s.DefaultColors16);
    QCOMPARE(pens(), (QList<QColor>{Qt::black, Qt::white}));
  }

  void refusedOpenChangesNothing_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("question cancelled") << int(Answer::Cancel) << "good.ico" << "";
    QTest::newRow("dialog cancelled") << int(Answer::No) << "" << "";
    QTest::newRow("missing file") << int(Answer::No) << "missing.ico" << "Open Icon";
    QTest::newRow("truncated") << int(Answer::No) << "short.ico" << "Invalid Icon File";
    QTest::newRow("not an icon") << int(Answer::No) << "text.cur" << "Invalid Icon File";
    QTest::newRow("program file") << int(Answer::No) << "good.dll" << "";
    QTest::newRow("named pipe") << int(Answer::No) << "pipe.ico" << "Open Icon";
    QTest::newRow("named pipe as a program file") << int(Answer::No) << "pipe.exe" << "Open Icon";
  }
  void refusedOpenChangesNothing() {
    QFETCH(int, answer);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    auto f = Make();
    const QString good = Saved(*f, kType16Color, 16, QStringLiteral("good.ico"));
    QFile::copy(good, Path(QStringLiteral("good.dll")));
    QFile text(Path(QStringLiteral("text.cur")));
    text.open(QIODevice::WriteOnly);
    text.write("not a cursor");
    text.close();
    QFile cut(Path(QStringLiteral("short.ico")));
    cut.open(QIODevice::WriteOnly);
    cut.write(Bytes(good).chopped(1));
    cut.close();
    for (const char* pipe : {"pipe.ico", "pipe.exe"})
      QVERIFY(::mkfifo(qPrintable(Path(QLatin1String(pipe))), 0600) == 0 || errno == EEXIST);
    f->OpenIconFile(good);
    Paint(*f);
    const Snapshot kept(*f);
    boxes_->answerNext(Answer(answer));
    open_.answers << (name.isEmpty() ? name : Path(name));
    ::alarm(10);  // an Open that waits on a named pipe ends the test here
    f->Open1Click();
    ::alarm(0);
    QVERIFY(Snapshot(*f) == kept);
    QCOMPARE(open_.seen.size(), size_t(answer == int(Answer::Cancel) ? 0 : 1));
    QCOMPARE(f->editarea->isEnabled(), name.isEmpty() || answer == int(Answer::Cancel));
    if (caption.isEmpty()) return;
    QCOMPARE(boxes_->messages.at(0).caption, caption);
    if (caption == QLatin1String("Invalid Icon File"))
      QCOMPARE(boxes_->messages.at(0).text, QStringLiteral("Icon Format NOT Supported. "));
    else
      QVERIFY(boxes_->messages.at(0).text.contains(name));
    if (name.startsWith(QLatin1String("pipe"))) {
      QVERIFY(boxes_->messages.at(0).text.contains(QLatin1String("it is a named pipe")));
      QVERIFY(f->findChildren<TExeIconForm*>().isEmpty());
    }
  }

  // The file named on the command line (a path with a blank comes as two arguments) opens at start-up.
  void commandLineOpen() {
    QString path;
    {
      auto f = Make();
      path = Saved(*f, kTypeCursor, 32, QStringLiteral("my cursor.cur"));
    }
    {
      const auto f = Make(path.split(QLatin1Char(' ')));
      QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk: my cursor.cur"));
      QCOMPARE(f->state().IconType, int(kTypeCursor));
      QCOMPARE(f->savedlg.FileName, path);
      QVERIFY(f->editarea->isEnabled() && !f->Timer1->isActive());
    }
    const auto f = Make({Path(QStringLiteral("missing.ico"))});
    QCOMPARE(boxes_->messages.size(), size_t(1));
    QCOMPARE(f->windowTitle(), QStringLiteral("Glyphwerk"));
    QVERIFY(f->savedlg.FileName.isEmpty());
  }

  void transparencyCommands_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("masks");  // afterwards, at the white, the red and a transparent pixel
    QTest::newRow("left transparent") << "MakeWhiteTransparent1" << "w b w";
    QTest::newRow("right transparent") << "MakeRightPenColorTransparent1" << "b w w";
    QTest::newRow("left opaque") << "MakeLeftPenColorOpaque1" << "b b b";
    QTest::newRow("right opaque") << "MakeRightPenColorOpaque1" << "b b w";
  }
  // With the left pen white and the right pen red, each drops the tool stage, changes the image, pushes one
  // undo state and marks the image modified.
  void transparencyCommands() {
    QFETCH(QString, item);
    QFETCH(QString, masks);
    auto f = Make();
    EditorState& s = f->state();
    for (const auto& [x, c] : {std::pair{0, kWhite}, std::pair{1, Color(0x0000FF)}}) {
      s.iconimage.setPixel(x, 0, c);
      s.iconmask.setPixel(x, 0, kBlack);
    }
    s.LeftPenColor = kWhite;
    s.RightPenColor = 0x0000FF;
    s.ToolStage = 3;
    f->findChild<QAction*>(item)->trigger();
    QString seen;
    for (const Point p : {Point{0, 0}, Point{1, 0}, Point{5, 5}})
      seen += QLatin1String(s.iconmask.pixel(p.x, p.y) == kWhite ? " w" : " b");
    QCOMPARE(seen.trimmed(), masks);
    QCOMPARE(s.iconimage.pixel(1, 0) == kWhite, masks[2] == QLatin1Char('w'));
    QCOMPARE(s.ToolStage, 1);
    QCOMPARE(s.UndoTop, 1);
    QVERIFY(s.Modified && f->bUndo->isEnabled());
  }
};

QTEST_MAIN(FilesTest)
#include "test_files.moc"
