#include "editor/ui/FormFit.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFont>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>

namespace gw {

namespace {

// Faces the stored forms and the text tool name, and the face that stands in for them.
const char* const kStoredFaces[] = {"MS Sans Serif", "Arial"};
const char* const kFormFace = "Liberation Sans";

void InstallFormFaces() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (const char* face : kStoredFaces)
    QFont::insertSubstitution(QString::fromLatin1(face), QString::fromLatin1(kFormFace));
}
// Before any window measures a text, so no font is resolved without the stand-in.
Q_COREAPP_STARTUP_FUNCTION(InstallFormFaces)

// The widgets a form description names; the toolkit's own inner parts are left as they are.
bool IsFormWidget(const QObject* o) {
  auto* w = qobject_cast<const QWidget*>(o);
  if (!w || w->isWindow()) return false;
  const QString name = w->objectName();
  return !name.isEmpty() && !name.startsWith(QLatin1String("qt_"));
}

QList<QWidget*> FormChildren(QWidget* parent) {
  QList<QWidget*> out;
  for (QObject* o : parent->children())
    if (IsFormWidget(o)) out << static_cast<QWidget*>(o);
  return out;
}

int Right(const QRect& r) { return r.x() + r.width(); }
int Bottom(const QRect& r) { return r.y() + r.height(); }

}  // namespace

QRect GroupInside(const QGroupBox* g) {
  QStyleOptionGroupBox opt;
  opt.initFrom(g);
  opt.text = g->title();
  opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
  return g->style()->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxContents, g);
}

namespace {

// Moves `moved` and every sibling that stood in the same column (or row) with it by the same rule: to at
// least `to` along that axis.
void ShiftLine(const QList<QWidget*>& kids, const QHash<QWidget*, QRect>& stored, QWidget* moved, int to,
               bool across) {
  for (QWidget* k : kids) {
    const bool sameLine = across ? stored[k].x() == stored[moved].x() : stored[k].y() == stored[moved].y();
    if (!sameLine) continue;
    if (across && k->x() < to) k->move(to, k->y());
    if (!across && k->y() < to) k->move(k->x(), to);
  }
}

// A caption that grew keeps the gap the stored layout left to the siblings beside it (or below it): each
// one that stood in the same row to its right moves on by as much, with every sibling of its column, and
// likewise down a column. Siblings stored one over the other stay so.
void MoveApart(const QList<QWidget*>& kids, const QHash<QWidget*, QRect>& stored) {
  for (int pass = 0; pass <= 2 * kids.size(); ++pass) {
    bool moved = false;
    for (QWidget* a : kids)
      for (QWidget* b : kids) {
        const QRect sa = stored[a], sb = stored[b], now = a->geometry();
        if (a == b || sa.intersects(sb)) continue;
        const bool sameRow = sa.y() < Bottom(sb) && sb.y() < Bottom(sa);
        const bool sameColumn = sa.x() < Right(sb) && sb.x() < Right(sa);
        if (sameRow && sb.x() >= Right(sa) && b->x() < Right(now) + sb.x() - Right(sa)) {
          ShiftLine(kids, stored, b, Right(now) + sb.x() - Right(sa), true);
          moved = true;
        } else if (sameColumn && sb.y() >= Bottom(sa) && b->y() < Bottom(now) + sb.y() - Bottom(sa)) {
          ShiftLine(kids, stored, b, Bottom(now) + sb.y() - Bottom(sa), false);
          moved = true;
        }
      }
    if (!moved) return;
  }
}

// A container grows to hold its children when one of them comes closer to its edge than the margin the
// stored layout left beside its outermost child, up to 8 pixels.
constexpr int kMostMargin = 8;

void HoldChildren(QWidget* parent, const QList<QWidget*>& kids, const QHash<QWidget*, QRect>& stored) {
  int storedRight = 0, storedBottom = 0, right = 0, bottom = 0;
  for (QWidget* k : kids) {
    storedRight = std::max(storedRight, Right(stored[k]));
    storedBottom = std::max(storedBottom, Bottom(stored[k]));
    right = std::max(right, Right(k->geometry()));
    bottom = std::max(bottom, Bottom(k->geometry()));
  }
  // A group box's frame and inner margin are room no child may take.
  QSize inset(0, 0);
  if (auto* group = qobject_cast<QGroupBox*>(parent)) {
    const QRect inside = GroupInside(group);
    inset = {parent->width() - inside.x() - inside.width(), parent->height() - inside.y() - inside.height()};
  }
  const auto margin = [](int kept, int least) { return std::clamp(kept, least, std::max(least, kMostMargin)); };
  const int width = std::max(parent->width(), right + margin(parent->width() - storedRight, inset.width()));
  const int height = std::max(parent->height(), bottom + margin(parent->height() - storedBottom, inset.height()));
  parent->resize(width, height);
}

// The containers a form description fills: plain widgets, frames and group boxes. Every other widget
// arranges its own inner parts.
bool IsFormContainer(const QWidget* w) {
  const QMetaObject* m = w->metaObject();
  return m == &QWidget::staticMetaObject || m == &QFrame::staticMetaObject || m == &QGroupBox::staticMetaObject;
}

// The stored positions in a group box count from below a caption one text line high; this style's inner
// area may begin lower, and the children move down by the difference so that none crosses the frame.
int CaptionShortfall(const QGroupBox* g) {
  return std::max(0, GroupInside(g).top() - QFontMetrics(g->font()).height());
}

// Fits the children of `parent` and returns how far a group box moved its children down.
int FitChildren(QWidget* parent) {
  if (!parent->isWindow() && !IsFormContainer(parent)) return 0;
  const QList<QWidget*> kids = FormChildren(parent);
  int down = 0;
  if (auto* group = qobject_cast<QGroupBox*>(parent); group && !group->title().isEmpty()) {
    down = CaptionShortfall(group);
    for (QWidget* k : kids) k->move(k->x(), k->y() + down);
  }
  QHash<QWidget*, QRect> stored;
  for (QWidget* k : kids) stored[k] = k->geometry();
  for (QWidget* k : kids) {
    // What stands right beside a group box, within its height, lines up with the rows inside it.
    if (const int rowsDown = FitChildren(k); rowsDown > 0)
      for (QWidget* b : kids)
        if (stored[b].x() >= Right(stored[k]) && stored[b].y() >= stored[k].y() &&
            Bottom(stored[b]) <= Bottom(stored[k]))
          b->move(b->x(), b->y() + rowsDown);
    // A label whose caption is its own name holds the designer's placeholder, which its form replaces
    // before it shows.
    auto* label = qobject_cast<QLabel*>(k);
    if (label && label->text() == label->objectName()) continue;
    const QSize room = CaptionRoom(k);
    if (room.isValid()) k->resize(k->size().expandedTo(room));
  }
  // A laid-out container (the main window's menu and central widget) places its children itself.
  if (parent->layout() || kids.isEmpty()) return down;
  MoveApart(kids, stored);
  HoldChildren(parent, kids, stored);
  return down;
}

}  // namespace

QSize CaptionRoom(const QWidget* w) {
  const QFontMetrics fm(w->font());
  const QStyle* style = w->style();
  if (auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->text().isEmpty() || l->wordWrap()) return {};
    const QSize frame = l->size() - l->contentsRect().size() + QSize(2 * l->margin(), 2 * l->margin());
    return QSize(fm.horizontalAdvance(l->text()), fm.height()) + frame;
  }
  if (auto* b = qobject_cast<const QPushButton*>(w)) {
    if (b->text().isEmpty()) return {};
    const int margins = 2 * (style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, w) +
                             style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w));
    const int icon = b->icon().isNull() ? 0 : b->iconSize().width() + 4;
    return {fm.horizontalAdvance(b->text()) + margins + icon, b->height()};
  }
  if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
    auto* b = static_cast<const QAbstractButton*>(w);
    if (b->text().isEmpty()) return {};
    QStyleOptionButton opt;
    opt.initFrom(w);
    opt.text = b->text();
    const QSize text(fm.horizontalAdvance(b->text()), fm.height());
    const auto type = qobject_cast<const QRadioButton*>(w) ? QStyle::CT_RadioButton : QStyle::CT_CheckBox;
    return style->sizeFromContents(type, &opt, text, w);
  }
  if (auto* g = qobject_cast<const QGroupBox*>(w)) {
    if (g->title().isEmpty()) return {};
    QStyleOptionGroupBox opt;
    opt.initFrom(w);
    opt.text = g->title();
    opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    const QRect label = style->subControlRect(QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, w);
    return {2 * label.x() + fm.horizontalAdvance(g->title()), g->height()};
  }
  return {};
}

void FitFormToTexts(QWidget* form) {
  InstallFormFaces();
  FitChildren(form);
}

}  // namespace gw
