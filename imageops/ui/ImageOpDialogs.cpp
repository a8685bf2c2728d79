#include "imageops/ui/ImageOpDialogs.h"

#include <QPalette>
#include <QRadioButton>
#include <cstdlib>

#include "editor/core/EditArea.h"
#include "editor/ui/FormFit.h"
#include "editor/ui/ToolArt.h"
#include "editor/ui/ficon.h"
#include "imageops/core/Adjustments.h"
#include "platform/Canvas.h"

namespace gw {

int RadioItemIndex(std::initializer_list<const QRadioButton*> items) {
  int i = 0;
  for (const QRadioButton* b : items) {
    if (b->isChecked()) return i;
    ++i;
  }
  return -1;
}

namespace {

template <typename Dialog>
void ConnectButton(Dialog* d, QAbstractButton* b, void (Dialog::*handler)()) {
  QObject::connect(b, &QAbstractButton::clicked, d, [d, handler] { (d->*handler)(); });
}

}  // namespace

// ---- Softening and sharpening ---------------------------------------------------------------------------

TFormSoftening::TFormSoftening(TForm1& main) : TImageOpDialog(main) {
  setupUi(this);
  FitFormToTexts(this);
  ConnectButton(this, ButtonApply, &TFormSoftening::ButtonApplyClick);
  ConnectButton(this, ButtonReset, &TFormSoftening::ButtonResetClick);
  ConnectButton(this, ButtonDone, &TFormSoftening::ButtonDoneClick);
  ConnectButton(this, ButtonCancel, &TFormSoftening::ButtonCancelClick);
  FormCreate();
}

void TFormSoftening::FormCreate() { PlaceBesideMainWindow(); }

int TFormSoftening::ItemIndex() const { return RadioItemIndex({BlurOption0, BlurOption1, BlurOption2, BlurOption3}); }

void TFormSoftening::ButtonApplyClick() {
  switch (ItemIndex()) {
    case 0: Main.SlightBlur1Click(); break;
    case 1: Main.MoreBlur1Click(); break;
    case 2: Main.EvenMoreBlurClick(); break;
    default: Main.GaussianBlurClick(); break;
  }
}

TFormSharpener::TFormSharpener(TForm1& main) : TImageOpDialog(main) {
  setupUi(this);
  FitFormToTexts(this);
  ConnectButton(this, ButtonApply, &TFormSharpener::ButtonApplyClick);
  ConnectButton(this, ButtonReset, &TFormSharpener::ButtonResetClick);
  ConnectButton(this, ButtonDone, &TFormSharpener::ButtonDoneClick);
  ConnectButton(this, ButtonCancel, &TFormSharpener::ButtonCancelClick);
  FormCreate();
}

void TFormSharpener::FormCreate() { PlaceBesideMainWindow(); }

int TFormSharpener::ItemIndex() const { return RadioItemIndex({SharpOption0, SharpOption1}); }

void TFormSharpener::ButtonApplyClick() {
  if (ItemIndex() == 0)
    Main.SharpenBasicClick();
  else
    Main.SharpenMeanRemovalClick();
}

// ---- Contrast and brightness ----------------------------------------------------------------------------

TcontrastForm::TcontrastForm(TForm1& main) : TImageOpDialog(main) {
  setupUi(this);
  FitFormToTexts(this);
  connect(UpDown1, &QScrollBar::valueChanged, this, [this] { UpDown1Change(); });
  ConnectButton(this, Button1, &TcontrastForm::Button1Click);
  ConnectButton(this, Button2, &TcontrastForm::Button2Click);
  FormCreate();
}

void TcontrastForm::FormCreate() {
  ContrastInitializing = true;
  UpDown1->setValue((UpDown1->minimum() + UpDown1->maximum()) / 2);
  ContrastBase = UpDown1->value();
  PlaceBesideMainWindow();
  ContrastInitializing = false;
}

void TcontrastForm::UpDown1Change() {
  if (ContrastInitializing) return;
  const int p = UpDown1->value();
  Main.AdjustContrast(p > ContrastBase, std::abs(p - ContrastBase), 127, KeptMask(), KeptImage());
}

TFormBrightness::TFormBrightness(TForm1& main) : TImageOpDialog(main) {
  setupUi(this);
  FitFormToTexts(this);
  connect(UpDown1, &QScrollBar::valueChanged, this, [this] { UpDown1Change(); });
  ConnectButton(this, Button1, &TFormBrightness::Button1Click);
  ConnectButton(this, Button2, &TFormBrightness::Button2Click);
  FormCreate();
}

void TFormBrightness::FormCreate() {
  BrightnessInitializing = true;
  UpDown1->setValue((UpDown1->minimum() + UpDown1->maximum()) / 2);
  BrightnessLast = UpDown1->value();
  PlaceBesideMainWindow();
  BrightnessInitializing = false;
}

void TFormBrightness::UpDown1Change() {
  if (BrightnessInitializing) return;
  const int p = UpDown1->value();
  Main.AdjustBrightness(p > BrightnessLast, 10);
  BrightnessLast = p;
}

// ---- Gradient fill --------------------------------------------------------------------------------------

TGradientForm::TGradientForm(TForm1& main) : TImageOpDialog(main) {
  setupUi(this);
  FitFormToTexts(this);
  for (const auto& [bar, handler] : Bars())
    connect(bar, &QScrollBar::valueChanged, this, [this, h = handler] { (this->*h)(); });
  ConnectButton(this, ButtonApply, &TGradientForm::ButtonApplyClick);
  ConnectButton(this, ButtonReset, &TGradientForm::ButtonResetClick);
  ConnectButton(this, ButtonDone, &TGradientForm::ButtonDoneClick);
  ConnectButton(this, ButtonCancel, &TGradientForm::ButtonCancelClick);
  FormCreate();
}

std::array<std::pair<QScrollBar*, void (TGradientForm::*)()>, 6> TGradientForm::Bars() {
  return {{{sbRed1, &TGradientForm::sbRed1Change},   {sbGreen1, &TGradientForm::sbGreen1Change},
           {sbBlue1, &TGradientForm::sbBlue1Change}, {sbRed2, &TGradientForm::sbRed2Change},
           {sbGreen2, &TGradientForm::sbGreen2Change}, {sbBlue2, &TGradientForm::sbBlue2Change}}};
}

// The bars, orientation and check box show the last applied settings of this run.
void TGradientForm::FormCreate() {
  const EditorState& s = Main.state();
  const RGBParts c1 = SplitColor(s.GradientColor1), c2 = SplitColor(s.GradientColor2);
  const int positions[] = {c1.red, c1.green, c1.blue, c2.red, c2.green, c2.blue};
  const auto bars = Bars();
  for (std::size_t i = 0; i < bars.size(); ++i) bars[i].first->setValue(positions[i]);
  for (const auto& [bar, handler] : bars) (this->*handler)();  // labels and panels, changed or not
  cbOrientation->setCurrentIndex(s.GradientOrientation == kGradientHorizontal ? 1 : 0);
  chkboxExcludeTransparentPixels->setChecked(s.GradientExcludeTransparent);
  PlaceBesideMainWindow();
}

void TGradientForm::sbRed1Change() { labelRed1->setText(QString::number(sbRed1->value())); UpdateColorPanel1(); }
void TGradientForm::sbGreen1Change() { labelGreen1->setText(QString::number(sbGreen1->value())); UpdateColorPanel1(); }
void TGradientForm::sbBlue1Change() { labelBlue1->setText(QString::number(sbBlue1->value())); UpdateColorPanel1(); }
void TGradientForm::sbRed2Change() { labelRed2->setText(QString::number(sbRed2->value())); UpdateColorPanel2(); }
void TGradientForm::sbGreen2Change() { labelGreen2->setText(QString::number(sbGreen2->value())); UpdateColorPanel2(); }
void TGradientForm::sbBlue2Change() { labelBlue2->setText(QString::number(sbBlue2->value())); UpdateColorPanel2(); }

void TGradientForm::UpdateColorPanel1() {
  panelColor1_ = MakeColor(sbRed1->value(), sbGreen1->value(), sbBlue1->value());
  ShowColor(Panel1, panelColor1_);
}

void TGradientForm::UpdateColorPanel2() {
  panelColor2_ = MakeColor(sbRed2->value(), sbGreen2->value(), sbBlue2->value());
  ShowColor(Panel2, panelColor2_);
}

void TGradientForm::ShowColor(QFrame* panel, Color c) {
  QPalette pal = panel->palette();
  pal.setColor(QPalette::Window, QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  panel->setPalette(pal);
}

void TGradientForm::ButtonApplyClick() {
  EditorState& s = Main.state();
  s.GradientColor1 = panelColor1_;
  s.GradientColor2 = panelColor2_;
  s.GradientOrientation = cbOrientation->currentIndex();
  s.GradientExcludeTransparent = chkboxExcludeTransparentPixels->isChecked();
  Main.GradientFill(s.GradientColor1, s.GradientColor2, s.GradientExcludeTransparent, s.GradientOrientation);
}

// ---- Nudge ----------------------------------------------------------------------------------------------

TFormNudge::TFormNudge(TForm1& main) : TImageOpDialog(main) {
  setupUi(this);
  FitFormToTexts(this);
  const struct {
    QToolButton* button;
    CommandPicture picture;
    void (TFormNudge::*handler)();
  } arrows[] = {
      {SBUpLeft, CommandPicture::NudgeUpLeft, &TFormNudge::SBUpLeftClick},
      {SBUp, CommandPicture::NudgeUp, &TFormNudge::SBUpClick},
      {SBUpRight, CommandPicture::NudgeUpRight, &TFormNudge::SBUpRightClick},
      {SBLeft, CommandPicture::NudgeLeft, &TFormNudge::SBLeftClick},
      {SBRight, CommandPicture::NudgeRight, &TFormNudge::SBRightClick},
      {SBDownLeft, CommandPicture::NudgeDownLeft, &TFormNudge::SBDownLeftClick},
      {SBDown, CommandPicture::NudgeDown, &TFormNudge::SBDownClick},
      {SBDownRight, CommandPicture::NudgeDownRight, &TFormNudge::SBDownRightClick},
  };
  for (const auto& a : arrows) {
    a.button->setIcon(CommandButtonIcon(a.picture));
    ConnectButton(this, a.button, a.handler);
  }
  ConnectButton(this, ButtonReset, &TFormNudge::ButtonResetClick);
  ConnectButton(this, ButtonDone, &TFormNudge::ButtonDoneClick);
  ConnectButton(this, ButtonCancel, &TFormNudge::ButtonCancelClick);
  FormCreate();
}

void TFormNudge::FormCreate() {
  NudgeSavedRect = Main.state().PlacementWindowRect;
  PlaceBesideMainWindow();
}

void TFormNudge::SBUpLeftClick() { Main.NudgeUpLeft(); }
void TFormNudge::SBUpClick() { Main.bNudgeUpClick(); }
void TFormNudge::SBUpRightClick() { Main.NudgeUpRight(); }
void TFormNudge::SBLeftClick() { Main.bNudgeLeftClick(); }
void TFormNudge::SBRightClick() { Main.bNudgeRightClick(); }
void TFormNudge::SBDownLeftClick() { Main.NudgeDownLeft(); }
void TFormNudge::SBDownClick() { Main.bNudgeDownClick(); }
void TFormNudge::SBDownRightClick() { Main.NudgeDownRight(); }

void TFormNudge::Reset() {
  RestoreKeptCopy();
  Main.state().PlacementWindowRect = NudgeSavedRect;
}

void TFormNudge::PlaceRestoredImage() {
  EditorState& s = Main.state();
  Canvas(s.PlacementCanvas).copyRect(NudgeSavedRect, KeptImage(), s.IconRect);
  Canvas(s.PlacementMask).copyRect(NudgeSavedRect, KeptMask(), s.IconRect);
}

}  // namespace gw
