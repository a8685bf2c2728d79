// The colour group: the colour grid, the two pen panels, the RGB bars and the readouts, over the palette
// engine in editor/core/Palettes. The engine holds the truth (entries, pens, bar positions, captions); the
// widgets are brought in line with it after every change.
#include "editor/core/Palettes.h"

#include <QPalette>
#include <QSignalBlocker>
#include <algorithm>

#include "editor/ui/FormFit.h"
#include "editor/ui/ficon.h"

namespace gw {

namespace {

QColor ToQColor(Color c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

void ShowPen(QWidget* panel, Color c) {
  QPalette p = panel->palette();
  p.setColor(QPalette::Window, ToQColor(c));
  panel->setPalette(p);
  panel->setAutoFillBackground(true);
}

int Half(int v) { return v / 2; }

}  // namespace

void TForm1::ShowColorGrid() {
  const bool bigGrid = State.ColorGridEntries == 256;
  colorgrd->setBitmap(&State.colorgrd);

  // The group: right of the edit area, its bottom on the edit area's bottom; the command bar above it.
  QFont f = colorgrdGroupBox->font();
  f.setPointSize(10);
  colorgrdGroupBox->setFont(f);
  const int groupHeight = 370;
  colorgrdGroupBox->setGeometry(editareaGroupBox->x() + editareaGroupBox->width() + 5,
                                editareaGroupBox->y() + editareaGroupBox->height() - groupHeight, 286, groupHeight);
  const QRect group = colorgrdGroupBox->geometry();
  ToolBar2->move(group.left(), group.top() - 2 - ToolBar2->height());

  // The pens, side by side above the grid, inside the group's frame: never higher than the top of the
  // group's inner area, which lies below its caption and frame line.
  const int pensOffset = std::max(bigGrid ? 10 : 60, GroupInside(colorgrdGroupBox).top());
  const int pensTop = group.top() + pensOffset;

  // The grid panel, centred (the square one 15 pixels above centre, and clear of the pens), the grid at
  // (8, 8) in it.
  const int panelWidth = 272, panelHeight = bigGrid ? 272 : 146;
  int panelTop = Half(group.height() - panelHeight) - (bigGrid ? 15 : 0);
  if (bigGrid) panelTop = std::max(panelTop, pensOffset + leftcolorDisp->height() + 3);
  colorgrdPanel->setGeometry(Half(group.width() - panelWidth), panelTop, panelWidth, panelHeight);
  colorgrd->setGeometry(8, 8, State.colorgrd.width(), State.colorgrd.height());

  const int pensLeft = group.left() + Half(group.width()) - Half(leftcolorDisp->width() + rightcolorDisp->width());
  leftcolorDisp->move(pensLeft, pensTop);
  rightcolorDisp->move(pensLeft + leftcolorDisp->width() + 10, pensTop);
  leftcolorDisp->raise();
  rightcolorDisp->raise();

  // Readouts below the panel; with the square grid each stands over its bar. The layout comes before the
  // pick of entry 0, so the readouts are placed at the widths of the captions they had until now (in the
  // group's new font) and only then show the picked colour.
  for (QLabel* l : {rdLabel, grLabel, blLabel}) l->adjustSize();
  const int labelsTop = colorgrdPanel->y() + colorgrdPanel->height() + 10;
  QLabel* labels[] = {rdLabel, grLabel, blLabel};
  QScrollBar* bars[] = {scrRed, scrGreen, scrBlue};
  if (!bigGrid) {
    int left = Half(group.width()) - rdLabel->width() * 3 / 2 - 40;
    for (QLabel* l : labels) {
      l->move(left, labelsTop);
      left += l->width() + 25;
    }
  } else {
    for (int i = 0; i < 3; ++i) {
      bars[i]->move(bars[i]->x(), labelsTop + labels[i]->height() + 10);
      labels[i]->move(bars[i]->x(), labelsTop);
    }
  }
  for (QScrollBar* b : bars) b->setVisible(State.ColorBarsVisible);
  RefreshColorGroup();

  // The actual-size image and mask, top right, their right edge on the group's.
  const int s = State.IconSize;
  imagePanel->setGeometry(group.right() + 1 - (2 * s + 20), 8, 2 * s + 20, s + 20);
}

void TForm1::RefreshColorGroup() {
  rdLabel->setText(QString::fromStdString(State.rdLabel));
  grLabel->setText(QString::fromStdString(State.grLabel));
  blLabel->setText(QString::fromStdString(State.blLabel));
  for (QLabel* l : {rdLabel, grLabel, blLabel}) l->adjustSize();
  // The engine has already run the change handlers; the widgets only follow.
  const std::pair<QScrollBar*, int> bars[] = {{scrRed, State.scrRedPosition},
                                              {scrGreen, State.scrGreenPosition},
                                              {scrBlue, State.scrBluePosition}};
  for (const auto& [bar, position] : bars) {
    const QSignalBlocker block(bar);
    bar->setValue(position);
  }
  ShowPen(leftcolorDisp, State.LeftPenColor);
  ShowPen(rightcolorDisp, State.RightPenColor);
  colorgrd->update();
}

void TForm1::colorgrdMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  gw::colorgrdMouseDown(State, button == Qt::LeftButton, x, y);
  RefreshColorGroup();
}

// A bar's change: the engine applies the change rule (its handler runs only for a new position), whether a
// user dragged the bar or code moved it.
void TForm1::scrRedChange() {
  SetColorBarPosition(State, ColorBar::Red, scrRed->value());
  RefreshColorGroup();
}

void TForm1::scrGreenChange() {
  SetColorBarPosition(State, ColorBar::Green, scrGreen->value());
  RefreshColorGroup();
}

void TForm1::scrBlueChange() {
  SetColorBarPosition(State, ColorBar::Blue, scrBlue->value());
  RefreshColorGroup();
}

void TForm1::ResetColorPalette1Click() {
  gw::ResetColorPalette1Click(State);
  ShowColorGrid();
}

void TForm1::ShowColorComponents(Color c) { ShowColorComponents(State, c); }

void TForm1::ShowColorComponents(EditorState& s, Color c) {
  gw::ShowColorComponents(s, c);
  RefreshColorGroup();
}

void TForm1::ShowPixelColor(Color c) { ShowPixelColor(State, c); }

void TForm1::ShowPixelColor(EditorState& s, Color c) {
  gw::ShowPixelColor(s, c);
  rdLabel2->setText(QString::fromStdString(s.rdLabel2));
  grLabel2->setText(QString::fromStdString(s.grLabel2));
  blLabel2->setText(QString::fromStdString(s.blLabel2));
  for (QLabel* l : {rdLabel2, grLabel2, blLabel2}) l->adjustSize();
}

}  // namespace gw
