// Every form of the program shows its texts whole: no caption is wider than the widget that shows it, no two
// sibling widgets overlap, and every widget lies inside its parent. Walks the main window at every type and
// size and each dialog, offscreen. Also: the text tool's font dialog opens on the face "Arial" resolves to.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "editor/core/NewImage.h"
#include "editor/ui/FormFit.h"
#include "editor/ui/UpDown.h"
#include "editor/ui/fCursorHotSpot.h"
#include "editor/ui/fText.h"
#include "editor/ui/fabout.h"
#include "editor/ui/fsnapshotsetup.h"
#include "editor/ui/ficon.h"
#include "iconfile/ui/fexticon.h"
#include "imageops/ui/ImageOpDialogs.h"
#include "support/ScriptedMessageBoxes.h"

using namespace gw;

namespace {

// The widgets a form is made of: those its description names (the toolkit's inner parts carry no name or
// one of its own).
bool IsFormWidget(const QWidget* w) {
  const QString name = w->objectName();
  return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QString Name(const QWidget* w) { return w->objectName(); }

// Room the widget's text needs beside the room the widget gives it, or {0, 0} when it shows no text.
std::pair<int, int> TextNeedAndRoom(const QWidget* w) {
  const QFontMetrics fm(w->font());
  const QStyle* style = w->style();
  if (auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->text().isEmpty() || l->wordWrap()) return {0, 0};
    return {fm.horizontalAdvance(l->text()), l->contentsRect().width() - 2 * l->margin()};
  }
  if (auto* b = qobject_cast<const QPushButton*>(w)) {
    if (b->text().isEmpty()) return {0, 0};
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w));
    return {fm.horizontalAdvance(b->text()) + margins, b->width()};
  }
  if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
    auto* b = static_cast<const QAbstractButton*>(w);
    if (b->text().isEmpty()) return {0, 0};
    const bool radio = qobject_cast<const QRadioButton*>(w);
    QStyleOptionButton opt;
    opt.initFrom(w);
    opt.text = b->text();
    const QSize content(fm.horizontalAdvance(b->text()), fm.height());
    return {style->sizeFromContents(radio ? QStyle::CT_RadioButton : QStyle::CT_CheckBox, &opt, content, w).width(),
            b->width()};
  }
  if (auto* g = qobject_cast<const QGroupBox*>(w)) {
    if (g->title().isEmpty()) return {0, 0};
    QStyleOptionGroupBox opt;
    opt.initFrom(w);
    opt.text = g->title();
    opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, w);
    return {2 * label.left() + fm.horizontalAdvance(g->title()), g->width()};
  }
  return {0, 0};
}

// A container whose frame a sibling may lie inside, as a control placed over a group box or panel does.
QRect Inside(const QWidget* w) {
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return GroupInside(g).translated(g->pos());
  if (auto* f = qobject_cast<const QFrame*>(w)) return f->contentsRect().translated(f->pos());
  return {};
}

// Every fault of the form's layout, one line each.
QStringList LayoutFaults(const QWidget* form) {
  QStringList faults;
  std::function<void(const QWidget*)> walk = [&](const QWidget* parent) {
    QList<const QWidget*> shown;
    for (const QObject* o : parent->children()) {
      auto* w = qobject_cast<const QWidget*>(o);
      if (!w || w->isWindow() || !IsFormWidget(w) || !w->isVisibleTo(form)) continue;
      shown << w;
      const auto [need, room] = TextNeedAndRoom(w);
      if (need > room) faults << QStringLiteral("%1: text needs %2, has %3").arg(Name(w)).arg(need).arg(room);
      // Inside a group box means below its caption and within its frame.
      const QRect area =
          qobject_cast<const QGroupBox*>(parent) ? Inside(parent).translated(-parent->pos()) : parent->rect();
      if (!area.contains(w->geometry()))
        faults << QStringLiteral("%1 lies outside %2").arg(Name(w), Name(parent));
      walk(w);
    }
    for (int i = 0; i < shown.size(); ++i)
      for (int j = i + 1; j < shown.size(); ++j) {
        const QRect a = shown[i]->geometry(), b = shown[j]->geometry();
        if (!a.intersects(b) || Inside(shown[i]).contains(b) || Inside(shown[j]).contains(a)) continue;
        faults << QStringLiteral("%1 overlaps %2").arg(Name(shown[i]), Name(shown[j]));
      }
  };
  walk(form);
  return faults;
}

// Each dialog, made over a main window as its command makes it.
struct DialogCase {
  const char* name;
  QWidget* (*make)(TForm1&);
};
const DialogCase kDialogs[] = {
    {"About", [](TForm1& m) -> QWidget* { return new TAboutBox(&m); }},
    {"SnapShot Setup", [](TForm1& m) -> QWidget* { return new TSnapShotSetup(&m); }},
    {"Add Text", [](TForm1& m) -> QWidget* { return new TTextForm(&m); }},
    {"Hot Spot", [](TForm1& m) -> QWidget* { return new TCursorHotSpot(&m); }},
    {"Softening", [](TForm1& m) -> QWidget* { return new TFormSoftening(m); }},
    {"Sharpening", [](TForm1& m) -> QWidget* { return new TFormSharpener(m); }},
    {"Contrast", [](TForm1& m) -> QWidget* { return new TcontrastForm(m); }},
    {"Brightness", [](TForm1& m) -> QWidget* { return new TFormBrightness(m); }},
    {"Gradient Fill", [](TForm1& m) -> QWidget* { return new TGradientForm(m); }},
    {"Nudge", [](TForm1& m) -> QWidget* { return new TFormNudge(m); }},
    {"Icon picker", [](TForm1& m) -> QWidget* {
       auto* picker = new TExeIconForm(&m, QString());
       picker->bOk->show();  // shown once the icons are listed
       return picker;
     }},
};

}  // namespace

class FormTextsTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  test::ScriptedMessageBoxes boxes_;

  std::unique_ptr<TForm1> Window() {
    TForm1Options o;
    o.boxes = &boxes_;
    o.settingsPath = dir_.filePath(QStringLiteral("glyphwerk.ini"));
    o.screenWidth = [] { return 1280; };
    o.useCommandLine = false;
    return std::make_unique<TForm1>(o);
  }

  static void ExpectWhole(QWidget& form) {
    form.show();  // the main window places its menu and central widget when shown
    const QStringList faults = LayoutFaults(&form);
    if (!faults.isEmpty())
      QFAIL(qPrintable(form.objectName() + QStringLiteral(": ") + faults.join(QStringLiteral("; "))));
  }

 private slots:
  void theFormsFaceIsTheMetricCompatibleSans() {
    QCOMPARE(QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
  }

  void mainWindowAtEveryTypeAndSize_data() {
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("size");
    for (const NewImageFormat& f : NewImageFormats())
      QTest::addRow("type %d, %dx%d", f.type, f.size, f.size) << f.type << f.size;
  }
  void mainWindowAtEveryTypeAndSize() {
    QFETCH(int, type);
    QFETCH(int, size);
    auto f = Window();
    QVERIFY(f->NewImage(type, size));
    ExpectWhole(*f);
    // The readouts at their widest.
    f->state().rdLabel = "Red=255";
    f->state().grLabel = "Green=255";
    f->state().blLabel = "Blue=255";
    f->RefreshColorGroup();
    f->XYLabel->setText(QStringLiteral("X=%1   Y=%1").arg(size));
    for (QLabel* l : {f->rdLabel2, f->grLabel2, f->blLabel2}) l->setText(l->text().section('=', 0, 0) + "=255");
    for (QLabel* l : {f->rdLabel2, f->grLabel2, f->blLabel2}) l->adjustSize();
    ExpectWhole(*f);
  }

  void dialogs_data() {
    QTest::addColumn<int>("form");
    for (int i = 0; i < int(std::size(kDialogs)); ++i) QTest::addRow("%s", kDialogs[i].name) << i;
  }
  void dialogs() {
    QFETCH(int, form);
    auto main = Window();
    main->N32x32_CursorClick();  // the hot-spot dialog is for cursors
    std::unique_ptr<QWidget> dialog(kDialogs[form].make(*main));
    ExpectWhole(*dialog);
  }

  // The fitting on small forms of its own: what grows, what moves with it, what stays.
  void fittingGrowsCaptionsAndMovesTheirNeighbours() {
    QWidget form;
    form.setObjectName(QStringLiteral("form"));
    form.resize(200, 120);
    const auto add = [&]<typename W>(W* w, const char* name, QRect at) {
      w->setObjectName(QString::fromLatin1(name));
      w->setGeometry(at);
      return w;
    };
    auto* label =
        add(new QLabel(QStringLiteral("A caption longer than its place"), &form), "label", {8, 8, 40, 20});
    auto* edit = add(new QWidget(&form), "edit", {56, 8, 30, 21});       // 8 pixels right of the label
    auto* below = add(new QWidget(&form), "below", {56, 40, 30, 21});    // the edit's column
    auto* apart = add(new QWidget(&form), "apart", {8, 40, 30, 21});     // below the label, which keeps its height
    auto* stacked = add(new QWidget(&form), "stacked", {40, 4, 10, 10});  // stored over the label
    auto* placeholder = add(new QLabel(QStringLiteral("placeholder"), &form), "placeholder", {8, 90, 20, 13});
    auto* upDown = add(new TUpDown(&form), "upDown", {150, 90, 16, 21});
    FitFormToTexts(&form);

    const int text = QFontMetrics(label->font()).horizontalAdvance(label->text());
    QCOMPARE(label->pos(), QPoint(8, 8));
    QVERIFY(label->width() >= text);
    QCOMPARE(edit->x(), label->x() + label->width() + 8);
    QCOMPARE(below->x(), edit->x());
    QCOMPARE(apart->geometry(), QRect(8, 40, 30, 21));
    QCOMPARE(stacked->geometry(), QRect(40, 4, 10, 10));
    QCOMPARE(placeholder->width(), 20);
    QCOMPARE(upDown->size(), QSize(16, 21));
    // The form holds what moved, with the margin it had beside its outermost child, up to 8 pixels.
    QCOMPARE(form.width(), std::max(200, edit->x() + edit->width() + 8));
    QCOMPARE(form.height(), 120);
  }

  // Children of a titled group box stand as far below the style's inner top as they stood below a caption
  // one line high, and what stands beside the box in their rows moves with them; the box and the form grow
  // to hold them. A form never shrinks.
  void fittingKeepsGroupChildrenBelowTheCaption() {
    QWidget form;
    form.setObjectName(QStringLiteral("form"));
    form.resize(300, 200);
    auto* box = new QGroupBox(QStringLiteral("Make a Selection"), &form);
    box->setObjectName(QStringLiteral("box"));
    box->setGeometry(8, 8, 150, 40);
    auto* radio = new QRadioButton(QStringLiteral("Option"), box);
    radio->setObjectName(QStringLiteral("radio"));
    const int line = QFontMetrics(box->font()).height();
    radio->setGeometry(8, line + 2, 100, 17);
    auto* beside = new QLabel(QStringLiteral("1 - 32"), &form);  // lines up with the radio's row
    beside->setObjectName(QStringLiteral("beside"));
    beside->setGeometry(170, 8 + line + 2, 40, 13);
    auto* under = new QPushButton(QStringLiteral("Ok"), &form);  // below the box: keeps its gap
    under->setObjectName(QStringLiteral("under"));
    under->setGeometry(8, 150, 60, 25);
    const int inside = Inside(box).top() - box->y();
    FitFormToTexts(&form);
    QCOMPARE(radio->y(), std::max(line, inside) + 2);
    QCOMPARE(beside->y(), box->y() + radio->y());
    QCOMPARE(under->y() - (box->y() + box->height()), 150 - 48);
    QVERIFY(box->height() >= radio->y() + radio->height());
    QCOMPARE(form.size(), QSize(300, 200));
    QCOMPARE(LayoutFaults(&form).join(';'), QString());
  }

  // The check itself: a caption cut by its label, a grown label running into its neighbour, and a widget
  // sticking out of its parent are each caught; a control placed inside a sibling group box is not a fault.
  void layoutCheckCatchesEachFault() {
    QWidget form;
    form.resize(300, 100);
    auto* label = new QLabel(QStringLiteral("A caption far too long for its place"), &form);
    label->setObjectName(QStringLiteral("label"));
    label->setGeometry(8, 8, 40, 13);
    QVERIFY(LayoutFaults(&form).join(';').contains(QLatin1String("label: text needs")));
    label->adjustSize();
    QCOMPARE(LayoutFaults(&form).join(";"), QString());
    auto* box = new QGroupBox(QStringLiteral("Box"), &form);
    box->setObjectName(QStringLiteral("box"));
    box->setGeometry(8, 30, 120, 60);
    auto* inner = new QPushButton(QStringLiteral("Ok"), &form);
    inner->setObjectName(QStringLiteral("inner"));
    inner->setGeometry(30, 60, 50, 25);
    QCOMPARE(LayoutFaults(&form).join(";"), QString());
    inner->move(8, 12);
    QVERIFY(LayoutFaults(&form).join(';').contains(QLatin1String("overlaps")));
    inner->move(280, 60);
    QVERIFY(LayoutFaults(&form).join(';').contains(QLatin1String("inner lies outside")));
  }

  // "Font" puts "Arial" into the dialog; the dialog shows the face that name resolves to, so OK without a
  // change keeps the font the text would have been drawn in after Cancel.
  void fontDialogOpensOnTheFaceArialResolvesTo() {
    auto main = Window();
    main->N32x32_TrueClick();
    const auto rendered = [](const QFont& font) {
      Bitmap b;
      b.resize(64, 20);
      TTextRenderer r(QStringLiteral("Wg Text"), font, Qt::black);
      r.draw(b, kWhite);
      return std::pair{r.measure(), b};
    };
    QFont cancelled, confirmed, shown;
    for (const bool ok : {false, true}) {
      TTextForm form(main.get());
      QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        auto* fonts = box ? box->findChild<QFontDialog*>() : nullptr;
        if (!fonts) qFatal("no font dialog");
        shown = fonts->currentFont();
        if (ok) static_cast<QDialog*>(box)->accept();
        else static_cast<QDialog*>(box)->reject();
      });
      form.ButtonFontClick();
      (ok ? confirmed : cancelled) = form.FontDialog1.Font;
    }
    QCOMPARE(shown.family(), QFontInfo(QFont(QStringLiteral("Arial"))).family());
    QCOMPARE(QFontInfo(confirmed).family(), QFontInfo(cancelled).family());
    QCOMPARE(QFontInfo(confirmed).pixelSize(), QFontInfo(cancelled).pixelSize());
    QCOMPARE(QFontInfo(confirmed).bold(), QFontInfo(cancelled).bold());
    QCOMPARE(QFontInfo(confirmed).italic(), QFontInfo(cancelled).italic());
    const auto a = rendered(cancelled), b = rendered(confirmed);
    QCOMPARE(a.first.x, b.first.x);
    QCOMPARE(a.first.y, b.first.y);
    QVERIFY(a.second == b.second);
  }
};

QTEST_MAIN(FormTextsTest)
#include "test_formtexts.moc"
