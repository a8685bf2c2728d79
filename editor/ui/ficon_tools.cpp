// Choosing a drawing tool: the tool buttons and their pictures; the cursor comes from the tools' engine. What
// each tool does on the edit area belongs to the mouse handlers.
#include <QButtonGroup>
#include <QToolButton>

#include "editor/core/UndoRing.h"
#include "editor/ui/ToolArt.h"
#include "editor/ui/ficon.h"

namespace gw {

namespace {

struct ToolRow {
  int code;
  QToolButton* Ui_ficon::*button;
  int picture;
};

const ToolRow kTools[] = {
    {0, &Ui_ficon::bpencil, kPicPencil},
    {1, &Ui_ficon::bline, kPicLine},
    {2, &Ui_ficon::bcircle, kPicCircle},
    {3, &Ui_ficon::brect, kPicRect},
    {4, &Ui_ficon::bcircle2, kPicFilledCircle},
    {5, &Ui_ficon::brect2, kPicFilledRect},
    {6, &Ui_ficon::bfloodfill, kPicFloodFill},
    {7, &Ui_ficon::bmove, kPicMoveRect},
    {8, &Ui_ficon::bmove2, kPicMoveShape},
    {9, &Ui_ficon::beraser, kPicEraser},
    {10, &Ui_ficon::bcurves, kPicCurves},
    {11, &Ui_ficon::bfliph, kPicFlipH},
    {12, &Ui_ficon::bflipv, kPicFlipV},
    {13, &Ui_ficon::brotate, kPicRotate},
    {14, &Ui_ficon::bcolorsub, kPicColorSub},
    {15, &Ui_ficon::brect3, kPicRoundRect},
    {16, &Ui_ficon::brect4, kPicRoundFilledRect},
    {17, &Ui_ficon::bcolorselector, kPicColorSelector},
};

const ToolRow* RowOf(int code) {
  for (const ToolRow& r : kTools)
    if (r.code == code) return &r;
  return nullptr;
}

}  // namespace

void TForm1::SetupToolButtons() {
  ToolButtonGroup = new QButtonGroup(this);
  ToolButtonGroup->setExclusive(true);
  for (const ToolRow& r : kTools) {
    QToolButton* b = this->*(r.button);
    b->setIcon(ToolButtonIcon(r.picture));
    ToolButtonGroup->addButton(b, r.code);
  }
  bsnapshot->setIcon(ToolButtonIcon(kPicSnapshot));
  ToolButtonGroup->addButton(bsnapshot);
  btext->setIcon(ToolButtonIcon(kPicText));

  const auto click = [this](QToolButton* b, void (TForm1::*handler)()) { ConnectClick(b, handler); };
  click(bpencil, &TForm1::bpencilClick);
  click(bline, &TForm1::blineClick);
  click(bcircle, &TForm1::bcircleClick);
  click(brect, &TForm1::brectClick);
  click(brect3, &TForm1::brect3Click);
  click(bcircle2, &TForm1::bcircle2Click);
  click(brect2, &TForm1::brect2Click);
  click(brect4, &TForm1::brect4Click);
  click(bfloodfill, &TForm1::bfloodfillClick);
  click(bmove, &TForm1::bmoveClick);
  click(bmove2, &TForm1::bmove2Click);
  click(beraser, &TForm1::beraserClick);
  click(bcurves, &TForm1::bcurvesClick);
  click(bsnapshot, &TForm1::bsnapshotClick);
  click(bfliph, &TForm1::bfliphClick);
  click(bflipv, &TForm1::bflipvClick);
  click(brotate, &TForm1::brotateClick);
  click(bcolorsub, &TForm1::bcolorsubClick);
  click(bcolorselector, &TForm1::bcolorselectorClick);
  click(btext, &TForm1::btextClick);
}

QToolButton* TForm1::ToolButton(int code) const {
  const ToolRow* r = RowOf(code);
  return r ? const_cast<TForm1*>(this)->*(r->button) : nullptr;
}

void TForm1::ChooseTool(int code) {
  const ToolRow* row = RowOf(code);
  if (!row) return;
  QToolButton* button = this->*(row->button);

  // The pressed tool's button is the one disabled button of the group.
  button->setChecked(true);
  button->setEnabled(false);
  QToolButton* previous = ActiveToolButton;
  ActiveToolButton = button;
  if (previous && previous != button) {
    previous->setEnabled(true);
    if (previous == bcolorselector) UpdateColorSelectorEnabled();
  }
  // A selection, band or curve in progress is dropped first; then the tool's cursor, redraw and canvas.
  ChooseToolStage(code);
}

void TForm1::SelectToolByIndex(int index) {
  if (index >= 0 && index <= 16) ChooseTool(index);
}

void TForm1::bpencilClick() { ChooseTool(0); }
void TForm1::blineClick() { ChooseTool(1); }
void TForm1::bcircleClick() { ChooseTool(2); }
void TForm1::brectClick() { ChooseTool(3); }
void TForm1::bcircle2Click() { ChooseTool(4); }
void TForm1::brect2Click() { ChooseTool(5); }
void TForm1::bfloodfillClick() { ChooseTool(6); }
void TForm1::bmoveClick() { ChooseTool(7); }
void TForm1::bmove2Click() { ChooseTool(8); }
void TForm1::beraserClick() { ChooseTool(9); }
void TForm1::bcurvesClick() { ChooseTool(10); }
void TForm1::bfliphClick() { ChooseTool(11); }
void TForm1::bflipvClick() { ChooseTool(12); }
void TForm1::brotateClick() { ChooseTool(13); }
void TForm1::bcolorsubClick() { ChooseTool(14); }
void TForm1::brect3Click() { ChooseTool(15); }
void TForm1::brect4Click() { ChooseTool(16); }
void TForm1::bcolorselectorClick() {
  // The selector remembers the tool to return to after its pick.
  State.ColorSelectorTag = State.CurrentTool;
  ChooseTool(17);
}

}  // namespace gw
