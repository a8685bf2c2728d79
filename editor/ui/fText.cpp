#include "editor/ui/fText.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "editor/ui/FormFit.h"
#include "editor/ui/PlatformKeys.h"
#include "editor/ui/QImageBitmap.h"
#include "editor/ui/ficon.h"

namespace gw {

namespace {
constexpr double kPixelsPerPoint = 96.0 / 72.0;

void ShowColor(QPushButton* button, const QColor& c) {
  QPixmap swatch(24, 12);
  swatch.fill(c);
  button->setIcon(QIcon(swatch));
}

// The platform's font chooser as a part of a box. Its own ways to finish (Return in its lists, which
// accepts it, and Escape, which rejects it) would only hide it inside the box: they end the box instead.
// Return and Escape anywhere in it go on to the box, where Return is OK and Escape is Cancel.
class EmbeddedFontChooser : public QFontDialog {
 public:
  explicit EmbeddedFontChooser(QDialog& box) : QFontDialog(&box), box_(box) {
    setWindowFlags(Qt::Widget);
    setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  }
  void done(int result) override { box_.done(result); }

 protected:
  void keyPressEvent(QKeyEvent* event) override { event->ignore(); }

 private:
  QDialog& box_;
};
}  // namespace

TFontDialog::TFontDialog() : Font(QStringLiteral("MS Sans Serif")) {
  Font.setPixelSize(11);
  Color = QApplication::palette().color(QPalette::WindowText);
}

bool TFontDialog::Execute(QWidget* owner) { return Runner ? Runner(*this) : RunQtDialog(owner); }

// The platform's font dialog chooses no colour: it is embedded, with a colour button beside it.
bool TFontDialog::RunQtDialog(QWidget* owner) {
  QDialog box(owner);
  box.setWindowTitle(QStringLiteral("Font"));
  auto* fonts = new EmbeddedFontChooser(box);
  // The dialog lists installed faces only: it opens on the face the font's name resolves to, so that OK
  // without a change keeps the font that drawing with the name would use.
  QFont shown = Font;
  shown.setFamily(QFontInfo(Font).family());
  shown.setPointSizeF(Font.pixelSize() / kPixelsPerPoint);
  fonts->setCurrentFont(shown);
  auto* colorButton = new QPushButton(QStringLiteral("Color..."), &box);
  QColor chosenColor = Color;
  ShowColor(colorButton, chosenColor);
  QObject::connect(colorButton, &QPushButton::clicked, &box, [&] {
    const QColor c = QColorDialog::getColor(chosenColor, &box, QStringLiteral("Color"));
    if (c.isValid()) chosenColor = c;
    ShowColor(colorButton, chosenColor);
  });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &box);
  // The default button: else the chooser's own hidden OK would keep that place and Return would press none.
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(colorButton);
  row->addStretch();
  row->addWidget(buttons);
  auto* layout = new QVBoxLayout(&box);
  layout->addWidget(fonts);
  layout->addLayout(row);
  if (box.exec() != QDialog::Accepted) return false;
  QFont chosen = fonts->currentFont();
  chosen.setPixelSize(std::max(1, static_cast<int>(std::lround(chosen.pointSizeF() * kPixelsPerPoint))));
  Font = chosen;
  Color = chosenColor;
  return true;
}

TTextRenderer::TTextRenderer(QString text, QFont font, QColor color)
    : text_(std::move(text)), font_(std::move(font)), color_(std::move(color)) {}

Point TTextRenderer::measure() const {
  const QFontMetrics metrics(font_);
  return {metrics.horizontalAdvance(text_), metrics.height()};
}

void TTextRenderer::draw(Bitmap& target, Color background) const {
  QImage surface = ToQImage(target);
  {
    QPainter p(&surface);
    p.setFont(font_);
    p.setPen(color_);
    p.setBackgroundMode(Qt::OpaqueMode);
    p.setBackground(QColor(RedOf(background), GreenOf(background), BlueOf(background)));
    p.drawText(0, QFontMetrics(font_).ascent(), text_);
  }
  target = BitmapOverWhite(surface);
}

TTextForm::TTextForm(TForm1* owner) : QDialog(owner), owner_(owner) {
  setupUi(this);
  FitFormToTexts(this);
  setFixedSize(size());
  Edit1->installEventFilter(this);
  connect(ButtonFont, &QPushButton::clicked, this, &TTextForm::ButtonFontClick);
  connect(ButtonCancel, &QPushButton::clicked, this, &TTextForm::ButtonCancelClick);
  connect(ButtonOk, &QPushButton::clicked, this, &TTextForm::ButtonOkClick);
  move(owner->geometry().center() - rect().center());
}

bool TTextForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ButtonOkClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TTextForm::keyPressEvent(QKeyEvent* event) {
  if (!PressFocusedButton(*this, *event)) QDialog::keyPressEvent(event);
}

void TTextForm::ButtonFontClick() {
  FontDialog1.Font.setFamily(QStringLiteral("Arial"));
  if (!FontDialog1.Execute(this)) return;
  Edit1->setFont(FontDialog1.Font);
  QPalette palette = Edit1->palette();
  palette.setColor(QPalette::Text, FontDialog1.Color);
  Edit1->setPalette(palette);
  // The edit takes the height of its new font; the buttons move below it and the dialog follows.
  Edit1->resize(Edit1->width(), Edit1->sizeHint().height());
  ButtonOk->move(ButtonOk->x(), Edit1->y() + Edit1->height() + 5);
  ButtonCancel->move(ButtonCancel->x(), ButtonOk->y());
  ButtonFont->move(ButtonFont->x(), ButtonOk->y());
  const int frame = frameGeometry().height() - height();
  setFixedHeight(ButtonOk->y() + ButtonOk->height() + 40 - frame);
}

void TTextForm::ButtonCancelClick() { reject(); }

void TTextForm::ButtonOkClick() {
  if (Edit1->text().isEmpty()) {
    owner_->boxes().message(QStringLiteral("Text cannot be empty."), QStringLiteral("Invalid Text"));
    return;
  }
  owner_->PlaceText(TTextRenderer(Edit1->text(), FontDialog1.Font, FontDialog1.Color));
  accept();
}

}  // namespace gw
