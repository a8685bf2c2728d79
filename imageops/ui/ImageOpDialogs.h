#pragma once
// The six image-operation dialogs, built from their forms in resources/. Their handlers carry the names of
// the form's events; each reaches the main window it was opened from. FormCreate is a dialog's set-up once its
// form is built (the base has taken the kept copy already): initial positions, placement.

#include <array>
#include <utility>

#include "imageops/ui/ImageOpDialog.h"
#include "platform/Geometry.h"
#include "ui_fBrightness.h"
#include "ui_fContrast.h"
#include "ui_fNudge.h"
#include "ui_fgradientcolor.h"
#include "ui_fsharpening.h"
#include "ui_fsoftening.h"

class QRadioButton;

namespace gw {

// The selected item of a radio group (its buttons in order), -1 when none is.
int RadioItemIndex(std::initializer_list<const QRadioButton*> items);

// "Softening": Apply runs the chosen blur on the image as it now is; presses accumulate.
class TFormSoftening : public TImageOpDialog, public Ui::FormSoftening {
  Q_OBJECT
 public:
  explicit TFormSoftening(TForm1& main);
  void FormCreate();
  int ItemIndex() const;
  void ButtonApplyClick();
  void ButtonResetClick() { Reset(); }
  void ButtonDoneClick() { close(); }
  void ButtonCancelClick() { Cancel(); }
};

// "Sharpening": the same with the two sharpeners.
class TFormSharpener : public TImageOpDialog, public Ui::FormSharpener {
  Q_OBJECT
 public:
  explicit TFormSharpener(TForm1& main);
  void FormCreate();
  int ItemIndex() const;
  void ButtonApplyClick();
  void ButtonResetClick() { Reset(); }
  void ButtonDoneClick() { close(); }
  void ButtonCancelClick() { Cancel(); }
};

// "Constrast Adj.": every move of the bar shows the kept copy with the contrast changed by the bar's
// distance from where it opened.
class TcontrastForm : public TImageOpDialog, public Ui::contrastForm {
  Q_OBJECT
 public:
  explicit TcontrastForm(TForm1& main);
  void FormCreate();
  void UpDown1Change();
  void Button1Click() { close(); }   // "Done"
  void Button2Click() { Cancel(); }  // "Cancel"
  int ContrastBase = 50;

 private:
  bool ContrastInitializing = true;
};

// "Brightness": every move of the bar brightens or darkens the image as it now is by one step of 10.
class TFormBrightness : public TImageOpDialog, public Ui::FormBrightness {
  Q_OBJECT
 public:
  explicit TFormBrightness(TForm1& main);
  void FormCreate();
  void UpDown1Change();
  void Button1Click() { close(); }
  void Button2Click() { Cancel(); }
  int BrightnessLast = 5;

 private:
  bool BrightnessInitializing = true;
};

// "Gradient Fill": two colours on six bars, an orientation and whether transparent pixels are left alone;
// Apply stores them in the editor's gradient settings and fills.
class TGradientForm : public TImageOpDialog, public Ui::GradientForm {
  Q_OBJECT
 public:
  explicit TGradientForm(TForm1& main);
  void FormCreate();
  void sbRed1Change(); void sbGreen1Change(); void sbBlue1Change();
  void sbRed2Change(); void sbGreen2Change(); void sbBlue2Change();
  void UpdateColorPanel1();
  void UpdateColorPanel2();
  Color PanelColor1() const { return panelColor1_; }
  Color PanelColor2() const { return panelColor2_; }
  void ButtonApplyClick();
  void ButtonResetClick() { Reset(); }
  void ButtonDoneClick() { close(); }
  void ButtonCancelClick() { Cancel(); }

 private:
  std::array<std::pair<QScrollBar*, void (TGradientForm::*)()>, 6> Bars();
  void ShowColor(QFrame* panel, Color c);
  Color panelColor1_ = kBlack, panelColor2_ = kWhite;
};

// "Image Nudge": eight directions, and Reset back to the picture and window from when it opened.
class TFormNudge : public TImageOpDialog, public Ui::FormNudge {
  Q_OBJECT
 public:
  explicit TFormNudge(TForm1& main);
  void FormCreate();
  void SBUpLeftClick(); void SBUpClick(); void SBUpRightClick(); void SBLeftClick();
  void SBRightClick(); void SBDownLeftClick(); void SBDownClick(); void SBDownRightClick();
  void ButtonResetClick() { Reset(); }
  void ButtonDoneClick() { close(); }
  void ButtonCancelClick() { Cancel(); }
  Rect NudgeSavedRect;

 protected:
  // The picture and the saved window come back.
  void Reset() override;
  // The kept copy goes back into the canvas at the saved window, so the nudges continue from it.
  void PlaceRestoredImage() override;
};

}  // namespace gw
