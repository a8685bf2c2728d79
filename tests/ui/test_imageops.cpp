// The image-operation dialogs and commands: layout, defaults and tab order, placement beside the main
// window, Reset and Cancel with their undo states, independent dialogs, closing on a new image, the Image
// and Edit menu commands, and the keys in the dialogs and on every scroll bar.
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <memory>

#include "editor/core/UndoRing.h"
#include "editor/ui/fText.h"
#include "editor/ui/ficon.h"
#include "imageops/ui/ImageOpDialogs.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;

namespace {

constexpr Color kSquare = MakeColor(100, 100, 100);

// The widgets of a dialog that take focus, in tab order from the first round to it again.
QStringList TabOrder(QWidget* dialog, QWidget* first) {
  QStringList out;
  QWidget* w = first;
  do {
    if (w != dialog && (w->focusPolicy() & Qt::TabFocus)) out << w->objectName();
    w = w->nextInFocusChain();
  } while (w != first);
  return out;
}

// An action on a dialog of a known class, for tables over all six.
template <typename Dialog, typename Act>
std::function<void(TImageOpDialog*)> On(Act act) {
  return [act](TImageOpDialog* d) { act(*static_cast<Dialog*>(d)); };
}

void FreeClosed() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class ImageOpsTest : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<test::ScriptedMessageBoxes> boxes_;

  std::unique_ptr<TForm1> Window() {
    boxes_ = std::make_unique<test::ScriptedMessageBoxes>();
    TForm1Options o;
    o.boxes = boxes_.get();
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1024; };
    o.useCommandLine = false;
    auto f = std::make_unique<TForm1>(o);
    // A grey square on the white image, pushed as an edit.
    EditorState& s = f->state();
    for (int y = 4; y < 8; ++y)
      for (int x = 4; x < 8; ++x) s.iconimage.setPixel(x, y, kSquare), s.iconmask.setPixel(x, y, kBlack);
    f->SyncPlacementCanvas();
    f->PushUndo();
    f->show();
    return f;
  }
  template <typename Dialog>
  static Dialog* Last(TForm1& f) {
    const auto all = f.findChildren<Dialog*>();
    return all.isEmpty() ? nullptr : all.last();
  }

 private slots:
  void layoutAndDefaults() {
    auto f = Window();
    struct Case {
      void (TForm1::*open)();
      QString title;
      QSize size;
      QStringList tabs;  // from the first control that takes focus
    };
    const QStringList radios{"BlurOption0", "BlurOption1", "BlurOption2", "BlurOption3"};
    const Case cases[] = {
        {&TForm1::Softening1Click, "Softening", {341, 235},
         radios + QStringList{"ButtonApply", "ButtonDone", "ButtonCancel", "ButtonReset"}},
        {&TForm1::Sharpen1Click, "Sharpening", {340, 207},
         {"SharpOption0", "SharpOption1", "ButtonApply", "ButtonDone", "ButtonReset", "ButtonCancel"}},
        {&TForm1::Constrast1Click, "Constrast Adj.", {202, 118}, {"Button1", "Button2", "UpDown1"}},
        {&TForm1::Intensity1Click, "Brightness", {225, 138}, {"Button1", "Button2", "UpDown1"}},
        {&TForm1::GradientFill1Click, "Gradient Fill", {547, 335},
         {"sbRed1", "sbGreen1", "sbBlue1", "sbRed2", "sbGreen2", "sbBlue2", "ButtonDone", "ButtonCancel",
          "cbOrientation", "chkboxExcludeTransparentPixels", "ButtonReset", "ButtonApply"}},
        {&TForm1::Nudge1Click, "Image Nudge", {315, 218}, {"ButtonReset", "ButtonDone", "ButtonCancel"}},
    };
    for (const Case& c : cases) {
      (f.get()->*c.open)();
      auto* d = Last<TImageOpDialog>(*f);
      QCOMPARE(d->windowTitle(), c.title);
      QCOMPARE(d->size(), c.size);
      QCOMPARE(TabOrder(d, d->findChild<QWidget*>(c.tabs.first())), c.tabs);
    }
    auto* soft = Last<TFormSoftening>(*f);
    QCOMPARE(soft->BlurOptions->geometry(), QRect(80, 8, 185, 137));
    QCOMPARE(soft->BlurOptions->title(), QStringLiteral("Make a Selection"));
    QCOMPARE(soft->BlurOption3->text(), QStringLiteral("Gaussian Blur"));
    QCOMPARE(soft->ButtonCancel->geometry(), QRect(248, 160, 75, 25));
    QCOMPARE(soft->ItemIndex(), 0);
    auto* sharp = Last<TFormSharpener>(*f);
    QCOMPARE(sharp->SharpOptions->geometry(), QRect(96, 16, 137, 105));
    QCOMPARE(sharp->SharpOption1->text(), QStringLiteral("Mean Removal"));
    QCOMPARE(sharp->ItemIndex(), 0);
    auto* contrast = Last<TcontrastForm>(*f);
    QCOMPARE(contrast->UpDown1->geometry(), QRect(48, 16, 97, 17));
    QCOMPARE(QList<int>({contrast->UpDown1->value(), contrast->UpDown1->maximum(), contrast->UpDown1->singleStep(),
                         contrast->UpDown1->pageStep(), contrast->ContrastBase}), QList<int>({50, 100, 5, 5, 50}));
    auto* bright = Last<TFormBrightness>(*f);
    QCOMPARE(QList<int>({bright->UpDown1->value(), bright->UpDown1->maximum(), bright->UpDown1->pageStep(),
                         bright->BrightnessLast}), QList<int>({5, 10, 1, 5}));
    QCOMPARE(bright->Label2->text() + bright->Label1->text(), QStringLiteral("DownUp"));
    auto* grad = Last<TGradientForm>(*f);
    QCOMPARE(grad->sbBlue2->geometry(), QRect(328, 232, 121, 17));
    QCOMPARE(grad->sbRed1->pageStep(), 10);
    QCOMPARE(grad->PanelColor1(), kBlack);
    QCOMPARE(grad->PanelColor2(), kWhite);
    QCOMPARE(grad->labelRed1->text() + grad->labelBlue2->text(), QStringLiteral("0255"));
    QCOMPARE(grad->cbOrientation->currentText(), QStringLiteral("Vertical"));
    QVERIFY(grad->chkboxExcludeTransparentPixels->isChecked());
    QCOMPARE(grad->labelOrientation->font().pointSize(), 10);
    auto* nudge = Last<TFormNudge>(*f);
    QCOMPARE(nudge->SBDownRight->geometry(), QRect(160, 96, 23, 22));
    QVERIFY(!nudge->SBUpLeft->icon().isNull());
    QCOMPARE(nudge->NudgeSavedRect, f->state().PlacementWindowRect);
  }

  void placementBesideTheMainWindow() {
    QCOMPARE(ImageOpDialogPosition(QRect(101, 51, 691, 577)), QPoint(101 + 380, 51 + 173));
    QCOMPARE(ImageOpDialogPosition(QRect(-10, 0, 100, 10)), QPoint(45, 3));
    auto f = Window();
    f->move(33, 27);
    for (void (TForm1::*open)() : {&TForm1::Softening1Click, &TForm1::Nudge1Click, &TForm1::GradientFill1Click}) {
      (f.get()->*open)();
      auto* d = Last<TImageOpDialog>(*f);
      QCOMPARE(d->pos(), ImageOpDialogPosition(f->frameGeometry()));
      QVERIFY(d->isVisible());
      QVERIFY(!d->isModal());
    }
  }

  void cancelAfterApplyPushesTheRestoredPicture() {
    auto f = Window();
    EditorState& s = f->state();
    const Bitmap before = s.iconimage;
    f->Softening1Click();
    QPointer<TFormSoftening> d = Last<TFormSoftening>(*f);
    d->BlurOption3->setChecked(true);
    d->ButtonApply->click();
    d->ButtonApply->click();
    const Bitmap blurred = s.iconimage;
    QVERIFY(blurred != before);
    const int top = s.UndoTop;
    d->ButtonCancel->click();
    QCOMPARE(s.iconimage, before);
    QCOMPARE(s.UndoTop, top + 1);
    FreeClosed();
    QVERIFY(d.isNull());
    f->Intensity1Click();
    QPointer<TImageOpDialog> escaped = Last<TImageOpDialog>(*f);
    QTest::keyClick(escaped, Qt::Key_Escape);
    FreeClosed();
    QVERIFY(escaped.isNull());
    // One Undo shows the cancelled result, the next the picture before it.
    f->Undo1Click();
    QCOMPARE(s.iconimage, blurred);
    f->Undo1Click();
    f->Undo1Click();
    QCOMPARE(s.iconimage, before);
    // A later edit undoes back to the restored picture.
    f->Redo1Click();
    f->Redo1Click();
    f->Redo1Click();
    f->Emboss1Click();
    f->Undo1Click();
    QCOMPARE(s.iconimage, before);
  }

  // Escape acts as "Cancel" in each dialog, from whichever of its controls has the focus: the picture from
  // the opening comes back and the dialog closes. The close box keeps the change, as "Done" does.
  void escapeCancelsAndTheCloseBoxKeeps() {
    struct Case {
      void (TForm1::*open)();
      const char* focused;  // the control the key is pressed in
      std::function<void(TImageOpDialog*)> change;
    };
    const Case cases[] = {
        {&TForm1::Softening1Click, "BlurOption3", On<TFormSoftening>([](auto& d) { d.ButtonApply->click(); })},
        {&TForm1::Sharpen1Click, "ButtonApply", On<TFormSharpener>([](auto& d) { d.ButtonApply->click(); })},
        {&TForm1::Constrast1Click, "UpDown1", On<TcontrastForm>([](auto& d) { d.UpDown1->setValue(90); })},
        {&TForm1::Intensity1Click, "UpDown1", On<TFormBrightness>([](auto& d) { d.UpDown1->setValue(9); })},
        {&TForm1::GradientFill1Click, "cbOrientation", On<TGradientForm>([](auto& d) { d.ButtonApply->click(); })},
        {&TForm1::Nudge1Click, "ButtonDone", On<TFormNudge>([](auto& d) { d.SBDownRight->click(); })},
    };
    for (const Case& c : cases) {
      for (bool escape : {true, false}) {
        auto f = Window();
        EditorState& s = f->state();
        const Bitmap image = s.iconimage, mask = s.iconmask;
        const Rect window = s.PlacementWindowRect;
        (f.get()->*c.open)();
        QPointer<TImageOpDialog> d = Last<TImageOpDialog>(*f);
        c.change(d);
        const Bitmap changed = s.iconimage;
        QVERIFY2(changed != image, c.focused);
        if (escape) QTest::keyClick(d->findChild<QWidget*>(QString::fromLatin1(c.focused)), Qt::Key_Escape);
        else d->close();
        FreeClosed();
        QVERIFY2(d.isNull(), c.focused);
        QCOMPARE(s.iconimage, escape ? image : changed);
        if (escape) QCOMPARE(s.iconmask, mask);
        if (escape) QCOMPARE(s.PlacementWindowRect, window);
      }
    }
  }

  void resetAndCancelWithNothingChangedPushNothing() {
    auto f = Window();
    EditorState& s = f->state();
    s.Modified = false;
    const int top = s.UndoTop;
    f->Sharpen1Click();
    Last<TFormSharpener>(*f)->ButtonReset->click();
    Last<TFormSharpener>(*f)->ButtonCancel->click();
    f->Intensity1Click();
    Last<TFormBrightness>(*f)->Button2->click();
    QCOMPARE(s.UndoTop, top);
    QVERIFY(!s.Modified);
    // Reset after an Apply restores and stays open; Apply then starts from the restored picture.
    const Bitmap before = s.iconimage;
    f->Sharpen1Click();
    auto* d = Last<TFormSharpener>(*f);
    d->SharpOption1->setChecked(true);
    d->ButtonApply->click();
    const Bitmap sharpened = s.iconimage;
    d->ButtonReset->click();
    QCOMPARE(s.iconimage, before);
    QCOMPARE(s.UndoTop, top + 2);
    QVERIFY(d->isVisible());
    d->ButtonApply->click();
    QCOMPARE(s.iconimage, sharpened);
    d->ButtonDone->click();
    QCOMPARE(s.iconimage, sharpened);
  }

  void contrastAndBrightnessFollowTheirBars() {
    auto f = Window();
    EditorState& s = f->state();
    s.iconimage.setPixel(0, 0, MakeColor(130, 130, 130));
    s.iconmask.setPixel(0, 0, kBlack);
    f->Constrast1Click();
    auto* c = Last<TcontrastForm>(*f);
    const int top = s.UndoTop;
    c->UpDown1->setValue(100);
    QCOMPARE(s.iconimage.pixel(0, 0), MakeColor(180, 180, 180));
    c->UpDown1->setValue(50);
    QCOMPARE(s.iconimage.pixel(0, 0), MakeColor(130, 130, 130));
    QCOMPARE(s.UndoTop, top + 2);
    c->Button1->click();

    f->Intensity1Click();
    auto* b = Last<TFormBrightness>(*f);
    b->UpDown1->setValue(10);  // one change event: one step
    QCOMPARE(s.iconimage.pixel(0, 0), MakeColor(140, 140, 140));
    b->UpDown1->setValue(9);
    b->UpDown1->setValue(8);
    QCOMPARE(s.iconimage.pixel(0, 0), MakeColor(120, 120, 120));
    QCOMPARE(b->BrightnessLast, 8);
    QCOMPARE(s.iconimage.pixel(20, 20), kWhite);  // transparent pixels keep their colour
  }

  void twoDialogsOfOneKindKeepTheirOwnCopies() {
    auto f = Window();
    EditorState& s = f->state();
    const Bitmap original = s.iconimage;
    f->Constrast1Click();
    auto* first = Last<TcontrastForm>(*f);
    first->UpDown1->setValue(0);
    const Bitmap lowered = s.iconimage;
    f->Constrast1Click();
    auto* second = Last<TcontrastForm>(*f);
    QVERIFY(first != second);
    QCOMPARE(second->KeptImage(), lowered);
    QCOMPARE(first->KeptImage(), original);
    second->UpDown1->setValue(100);
    // The first still measures from its own copy and its own base.
    first->UpDown1->setValue(45);
    QCOMPARE(first->ContrastBase, 50);
    QCOMPARE(s.iconimage.pixel(5, 5), MakeColor(105, 105, 105));
    second->Button2->click();
    QCOMPARE(s.iconimage, lowered);
    first->Button2->click();
    QCOMPARE(s.iconimage, original);
  }

  void aNewImageClosesTheDialogs() {
    auto f = Window();
    QList<QPointer<TImageOpDialog>> open;
    for (void (TForm1::*cmd)() : {&TForm1::Softening1Click, &TForm1::Sharpen1Click, &TForm1::Constrast1Click,
                                  &TForm1::Intensity1Click, &TForm1::GradientFill1Click, &TForm1::Nudge1Click}) {
      (f.get()->*cmd)();
      open << Last<TImageOpDialog>(*f);
    }
    boxes_->answerNext(IMessageBoxes::Answer::Cancel);
    QVERIFY(!f->NewImage(kTypeMono, 16));  // kept: the dialogs stay
    for (const auto& d : open) QVERIFY(d && d->isVisible());
    boxes_->answerNext(IMessageBoxes::Answer::No);
    QVERIFY(f->NewImage(kTypeMono, 16));
    FreeClosed();
    for (const auto& d : open) QVERIFY(d.isNull());
    // So does opening a file.
    f->Nudge1Click();
    QPointer<TImageOpDialog> nudge = Last<TImageOpDialog>(*f);
    f->OpenIconFile(QStringLiteral(GLYPHWERK_TEST_DATA "/icons/icotool-8bit-16.ico"));
    QCOMPARE(f->state().IconType, int(kType256Color));
    FreeClosed();
    QVERIFY(nudge.isNull());
  }

  void gradientSettingsChangeOnlyOnApply() {
    auto f = Window();
    EditorState& s = f->state();
    f->GradientFill1Click();
    auto* d = Last<TGradientForm>(*f);
    d->sbRed1->setValue(200);
    d->sbBlue2->setValue(10);
    QCOMPARE(d->labelRed1->text(), QStringLiteral("200"));
    QCOMPARE(d->PanelColor1(), MakeColor(200, 0, 0));
    QCOMPARE(d->Panel2->palette().color(QPalette::Window), QColor(255, 255, 10));
    d->cbOrientation->setCurrentIndex(1);
    d->ButtonDone->click();
    QCOMPARE(s.GradientColor1, kBlack);
    QCOMPARE(s.GradientOrientation, 0);

    f->GradientFill1Click();
    d = Last<TGradientForm>(*f);
    d->sbGreen1->setValue(16);
    d->chkboxExcludeTransparentPixels->setChecked(false);
    d->cbOrientation->setCurrentIndex(1);
    const int top = s.UndoTop;
    d->ButtonApply->click();
    QCOMPARE(s.UndoTop, top + 1);
    QCOMPARE(s.GradientColor1, MakeColor(0, 16, 0));
    QCOMPARE(s.iconimage.pixel(0, 20), MakeColor(0, 16, 0));
    QCOMPARE(s.iconimage.pixel(1, 20), MakeColor(8, 23, 8));  // horizontal, every pixel painted
    QCOMPARE(s.iconmask.pixel(20, 20), kBlack);
    d->ButtonCancel->click();
    QCOMPARE(s.iconmask.pixel(20, 20), kWhite);
    f->GradientFill1Click();
    d = Last<TGradientForm>(*f);
    QCOMPARE(d->sbGreen1->value(), 16);
    QCOMPARE(d->cbOrientation->currentIndex(), 1);
    QVERIFY(!d->chkboxExcludeTransparentPixels->isChecked());
  }

  void nudgeDialogAndButtons() {
    auto f = Window();
    EditorState& s = f->state();
    f->bNudgeRight->click();  // the window is off its home square when the dialog opens
    const Bitmap before = s.iconimage;
    const Rect saved = s.PlacementWindowRect;
    s.CurrentTool = 7;
    s.ToolStage = 3;
    f->Nudge1Click();
    QCOMPARE(s.ToolStage, 1);  // opening drops the selection, and so does every nudge
    auto* d = Last<TFormNudge>(*f);
    d->SBRight->click();
    s.ToolStage = 3;
    d->SBDownRight->click();
    QCOMPARE(s.ToolStage, 1);
    QCOMPARE(s.iconimage.pixel(7, 6), before.pixel(5, 5));
    QCOMPARE(s.PlacementWindowRect, (Rect{saved.left - 2, saved.top - 1, saved.right - 2, saved.bottom - 1}));
    f->RightMirrorsLeft1->trigger();  // an edit puts the window back home
    const int top = s.UndoTop;
    d->ButtonReset->click();
    QCOMPARE(s.iconimage, before);
    QCOMPARE(s.PlacementWindowRect, saved);
    QCOMPARE(s.UndoTop, top + 1);
    // The nudges continue from the restored picture.
    f->bNudgeUp->click();
    QCOMPARE(s.iconimage.pixel(5, 4), before.pixel(5, 5));
    f->bNudgeDown->click();
    QCOMPARE(s.iconimage, before);
    d->ButtonCancel->click();
    QCOMPARE(s.iconimage, before);
  }

  // Every scroll bar of the program, in the main window and the dialogs: the keys move the value the way
  // the bar's arrows point, Right and Down up, Left and Up down; the page keys by a page, Home and End to
  // the ends.
  void scrollBarKeysFollowTheArrows() {
    auto f = Window();
    f->Constrast1Click();
    f->Intensity1Click();
    f->GradientFill1Click();
    const QList<QScrollBar*> bars = f->findChildren<QScrollBar*>();
    QCOMPARE(bars.size(), 3 + 1 + 1 + 6);
    const std::pair<Qt::Key, std::function<int(QScrollBar*, int)>> keys[] = {
        {Qt::Key_Right, [](auto* b, int v) { return v + b->singleStep(); }},
        {Qt::Key_Down, [](auto* b, int v) { return v + b->singleStep(); }},
        {Qt::Key_Left, [](auto* b, int v) { return v - b->singleStep(); }},
        {Qt::Key_Up, [](auto* b, int v) { return v - b->singleStep(); }},
        {Qt::Key_PageDown, [](auto* b, int v) { return v + b->pageStep(); }},
        {Qt::Key_PageUp, [](auto* b, int v) { return v - b->pageStep(); }},
        {Qt::Key_Home, [](auto* b, int) { return b->minimum(); }},
        {Qt::Key_End, [](auto* b, int) { return b->maximum(); }}};
    for (QScrollBar* bar : bars)
      for (const auto& [key, expected] : keys) {
        const int middle = (bar->minimum() + bar->maximum()) / 2;
        bar->setValue(middle);
        QTest::keyClick(bar, key);
        QVERIFY2(bar->value() == expected(bar, middle),
                 qPrintable(bar->objectName() + " " + QKeySequence(key).toString()));
      }
  }

  // Return and Enter press the push button that has the focus, in each image-operation dialog and in Add
  // Text; on another control of an image-operation dialog they do nothing.
  void returnPressesTheFocusedButton() {
    auto f = Window();
    const std::function<void()> opens[] = {
        [&] { f->Softening1Click(); }, [&] { f->Sharpen1Click(); },      [&] { f->Constrast1Click(); },
        [&] { f->Intensity1Click(); }, [&] { f->GradientFill1Click(); }, [&] { f->Nudge1Click(); },
        [&] {
          auto* text = new TTextForm(f.get());
          text->setAttribute(Qt::WA_DeleteOnClose);
          text->FontDialog1.Runner = [](TFontDialog&) { return false; };
          text->show();
        }};
    for (const auto& open : opens)
      for (int i = 0;; ++i) {  // the i-th control that takes the focus, in a fresh dialog
        open();
        QPointer<QDialog> d = Last<QDialog>(*f);
        QList<QWidget*> controls;
        for (QWidget* w : d->findChildren<QWidget*>())
          if ((w->focusPolicy() & Qt::TabFocus) && !qobject_cast<QLineEdit*>(w)) controls << w;  // not Add Text's box
        if (i < controls.size()) {
          auto* button = qobject_cast<QPushButton*>(controls[i]);
          int clicks = 0;
          if (button) connect(button, &QAbstractButton::clicked, button, [&clicks] { ++clicks; });
          const int undo = f->state().UndoPos;
          controls[i]->setFocus();
          QTest::keyClick(controls[i], i % 2 ? Qt::Key_Enter : Qt::Key_Return);
          QVERIFY2(button ? clicks == 1 : d->isVisible() && f->state().UndoPos == undo,
                   qPrintable(d->windowTitle() + " " + controls[i]->objectName()));
        }
        if (d) d->close();
        FreeClosed();
        if (i >= controls.size()) break;
      }
  }

  void menuCommandsAndTheDelete() {
    auto f = Window();
    EditorState& s = f->state();
    const Bitmap before = s.iconimage;
    f->FlipEntireImageHorizontally1->trigger();
    QCOMPARE(s.iconimage.pixel(27, 4), kSquare);
    f->RotateImage90DegreesLeft1->trigger();
    f->RotateEntireImageClockwise1->trigger();
    f->FlipEntireImageHorizontally1->trigger();
    QCOMPARE(s.iconimage, before);
    f->RightMirrorsLeft1->trigger();
    QCOMPARE(s.iconimage.pixel(27, 4), kSquare);
    f->Laplace1->trigger();
    QCOMPARE(s.iconimage.pixel(0, 0), kWhite);
    QVERIFY(f->bUndo->isEnabled());

    // The delete acts on a live rectangle selection only, and then disables itself.
    f->Undo1Click();
    const Bitmap mask = s.iconmask;  // the square and its mirror image, opaque
    f->bmove->click();
    QTest::mousePress(f->editarea, Qt::LeftButton, {}, {85, 85});  // dragged up and to the left
    QTest::mouseMove(f->editarea, {45, 45});
    QTest::mouseRelease(f->editarea, Qt::LeftButton, {}, {45, 45});
    f->Edit1->aboutToShow();
    QVERIFY(f->DeleteRectangle1->isEnabled());
    const int top = s.UndoPos;
    f->DeleteRectangle1->trigger();
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const bool cleared = x >= 4 && x < 8 && y >= 4 && y < 8;
        QCOMPARE(s.iconmask.pixel(x, y), cleared ? kWhite : mask.pixel(x, y));
      }
    QCOMPARE(s.iconimage.pixel(4, 4), kWhite);
    QCOMPARE(s.ToolStage, 1);
    QCOMPARE(s.UndoPos, top + 1);
    QVERIFY(!f->DeleteRectangle1->isEnabled());
    // A selection dropped by another tool leaves nothing to delete.
    QTest::mousePress(f->editarea, Qt::LeftButton, {}, {205, 205});
    QTest::mouseMove(f->editarea, {255, 255});
    QTest::mouseRelease(f->editarea, Qt::LeftButton, {}, {255, 255});
    QVERIFY(f->DeleteRectangle1->isEnabled());
    f->bpencil->click();
    f->Edit1->aboutToShow();
    QVERIFY(!f->DeleteRectangle1->isEnabled());
    const Bitmap deleted = s.iconmask;
    const int pos = s.UndoPos;
    f->DeleteRectangle1Click();
    QCOMPARE(s.UndoPos, pos);
    QCOMPARE(s.iconmask, deleted);
  }
};

QTEST_MAIN(ImageOpsTest)
#include "test_imageops.moc"
