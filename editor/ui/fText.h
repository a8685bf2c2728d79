#pragma once
// The text tool's dialog: a line of text and, through "Font", the face, size, style and colour it is drawn
// in. "Ok" puts the text into the image as a floating picture.

#include <QColor>
#include <QDialog>
#include <QFont>
#include <functional>

#include "editor/core/TextTool.h"
#include "ui_fText.h"

namespace gw {

class TForm1;

// Sizes are pixel heights, so the text comes out the same whatever the screen's resolution; the dialog
// shows them as points at 96 pixels an inch.
class TFontDialog {
 public:
  TFontDialog();
  QFont Font;      // pixel-sized
  QColor Color;
  // Returns whether the user confirmed; then Font and Color hold the choice. Tests replace the runner.
  bool Execute(QWidget* owner);
  std::function<bool(TFontDialog&)> Runner;

 private:
  bool RunQtDialog(QWidget* owner);
};

// One line of text in a font and colour, measured and drawn through Qt's fonts.
class TTextRenderer : public ITextRenderer {
 public:
  TTextRenderer(QString text, QFont font, QColor color);
  Point measure() const override;
  void draw(Bitmap& target, Color background) const override;
  bool italic() const override { return font_.italic(); }

 private:
  QString text_;
  QFont font_;
  QColor color_;
};

class TTextForm : public QDialog, public Ui::TextForm {
  Q_OBJECT
 public:
  explicit TTextForm(TForm1* owner);
  void ButtonFontClick();
  void ButtonCancelClick();
  void ButtonOkClick();
  TFontDialog FontDialog1;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;  // Edit1KeyPress: Enter runs "Ok"
  void keyPressEvent(QKeyEvent* event) override;                // Return presses the focused button

 private:
  TForm1* owner_;
};

}  // namespace gw
