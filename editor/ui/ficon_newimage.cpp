// New images: the 29 handlers of the New menu, "New", the edit-area layout for a size and the two captions.
#include <QToolButton>

#include "editor/core/EditArea.h"
#include "editor/core/NewImage.h"
#include "editor/ui/ficon.h"

namespace gw {

namespace {

// Each New menu item, the handler it runs, and the format that handler makes.
struct NewImageBinding {
  QAction* Ui_ficon::*item;
  void (TForm1::*handler)();
  NewImageFormat format;
};

#define GW_BIND(name, type, size) {&Ui_ficon::name, &TForm1::name##Click, {type, size}}
const NewImageBinding kNewImageBindings[] = {
    GW_BIND(N16x16_16, kType16Color, 16), GW_BIND(N24x24_16, kType16Color, 24),
    GW_BIND(N32x32_16, kType16Color, 32), GW_BIND(N40x40_16, kType16Color, 40),
    GW_BIND(N48x48_16, kType16Color, 48), GW_BIND(N56x56_16, kType16Color, 56),
    GW_BIND(N64x64_16, kType16Color, 64),
    GW_BIND(N16x16_256, kType256Color, 16), GW_BIND(N24x24_256, kType256Color, 24),
    GW_BIND(N32x32_256, kType256Color, 32), GW_BIND(N40x40_256, kType256Color, 40),
    GW_BIND(N48x48_256, kType256Color, 48), GW_BIND(N56x56_256, kType256Color, 56),
    GW_BIND(N64x64_256, kType256Color, 64),
    GW_BIND(N16x16_True, kTypeTrueColor, 16), GW_BIND(N24x24_True, kTypeTrueColor, 24),
    GW_BIND(N32x32_True, kTypeTrueColor, 32), GW_BIND(N40x40_True, kTypeTrueColor, 40),
    GW_BIND(N48x48_True, kTypeTrueColor, 48), GW_BIND(N56x56_True, kTypeTrueColor, 56),
    GW_BIND(N64x64_True, kTypeTrueColor, 64),
    GW_BIND(N16x16_Mono, kTypeMono, 16), GW_BIND(N24x24_Mono, kTypeMono, 24),
    GW_BIND(N32x32_Mono, kTypeMono, 32), GW_BIND(N40x40_Mono, kTypeMono, 40),
    GW_BIND(N48x48_Mono, kTypeMono, 48), GW_BIND(N56x56_Mono, kTypeMono, 56),
    GW_BIND(N64x64_Mono, kTypeMono, 64),
    GW_BIND(N32x32_Cursor, kTypeCursor, 32),
};
#undef GW_BIND

const NewImageBinding* BindingFor(NewImageFormat f) {
  for (const NewImageBinding& b : kNewImageBindings)
    if (b.format == f) return &b;
  return nullptr;
}

int Half(int v) { return v / 2; }  // signed halving that drops the remainder

}  // namespace

// The named handlers: each makes the image of its own type and size.
#define GW_NEW_HANDLER(name, type, size) \
  void TForm1::name##Click() { NewImage(type, size); }
GW_NEW_HANDLER(N16x16_16, kType16Color, 16)
GW_NEW_HANDLER(N24x24_16, kType16Color, 24)
GW_NEW_HANDLER(N32x32_16, kType16Color, 32)
GW_NEW_HANDLER(N40x40_16, kType16Color, 40)
GW_NEW_HANDLER(N48x48_16, kType16Color, 48)
GW_NEW_HANDLER(N56x56_16, kType16Color, 56)
GW_NEW_HANDLER(N64x64_16, kType16Color, 64)
GW_NEW_HANDLER(N16x16_256, kType256Color, 16)
GW_NEW_HANDLER(N24x24_256, kType256Color, 24)
GW_NEW_HANDLER(N32x32_256, kType256Color, 32)
GW_NEW_HANDLER(N40x40_256, kType256Color, 40)
GW_NEW_HANDLER(N48x48_256, kType256Color, 48)
GW_NEW_HANDLER(N56x56_256, kType256Color, 56)
GW_NEW_HANDLER(N64x64_256, kType256Color, 64)
GW_NEW_HANDLER(N16x16_True, kTypeTrueColor, 16)
GW_NEW_HANDLER(N24x24_True, kTypeTrueColor, 24)
GW_NEW_HANDLER(N32x32_True, kTypeTrueColor, 32)
GW_NEW_HANDLER(N40x40_True, kTypeTrueColor, 40)
GW_NEW_HANDLER(N48x48_True, kTypeTrueColor, 48)
GW_NEW_HANDLER(N56x56_True, kTypeTrueColor, 56)
GW_NEW_HANDLER(N64x64_True, kTypeTrueColor, 64)
GW_NEW_HANDLER(N16x16_Mono, kTypeMono, 16)
GW_NEW_HANDLER(N24x24_Mono, kTypeMono, 24)
GW_NEW_HANDLER(N32x32_Mono, kTypeMono, 32)
GW_NEW_HANDLER(N40x40_Mono, kTypeMono, 40)
GW_NEW_HANDLER(N48x48_Mono, kTypeMono, 48)
GW_NEW_HANDLER(N56x56_Mono, kTypeMono, 56)
GW_NEW_HANDLER(N64x64_Mono, kTypeMono, 64)
GW_NEW_HANDLER(N32x32_Cursor, kTypeCursor, 32)
#undef GW_NEW_HANDLER

void TForm1::ConnectNewImageItems() {
  for (const NewImageBinding& b : kNewImageBindings) {
    const auto handler = b.handler;
    connect(this->*(b.item), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  }
}

void TForm1::RunNewImageHandler(int type, int size) {
  if (const NewImageBinding* b = BindingFor({type, size})) (this->*(b->handler))();
}

void TForm1::NewIconCursorClick() {
  const NewImageFormat f = NewIconCursorTarget(State.IconType, State.IconSize);
  RunNewImageHandler(f.type, f.size);
}

bool TForm1::NewImage(int type, int size) {
  if (!IsNewImageFormat(type, size)) return false;
  if (!ConfirmDiscard()) return false;  // the user kept the image: nothing changes
  DropToolStage(DropKind::ReplacesImage);

  // The state: zoom, size, the blank image, canvas, work images, undo ring, file name, tool stage, type,
  // palette and modified flag.
  StartNewImage(State, type, size);
  const IconTypeInfo& info = TypeInfo(type);

  // What the window shows of it.
  CursorXYHotSpot->setEnabled(info.hotSpot);
  UpdateColorSelectorEnabled();
  SetupEditArea(size);
  bUndo->setEnabled(false);
  bRedo->setEnabled(false);
  EnablePaletteButtons(info.paletteButtons);
  savedlg.FileName.clear();
  opendlg.FileName.clear();
  setWindowTitle(ProgramTitle);
  ShowColorGrid();
  UpdateEditAreaCaption();
  UpdateNewMenuCaption();
  RepaintImageViews();
  return true;
}

void TForm1::UpdateColorSelectorEnabled() {
  // Only true colour offers the colour selector; the pressed tool's button stays disabled as every
  // pressed tool button does.
  bcolorselector->setEnabled(TypeInfo(State.IconType).colorSelector && ActiveToolButton != bcolorselector);
}

void TForm1::EnablePaletteButtons(bool on) {
  bColorPalOpen->setEnabled(on);
  bColorPalSave->setEnabled(on);
}

void TForm1::SetupEditArea(int size) {
  const int magnified = size * State.CellSize;

  editareaGroupBox->move(ToolBar->x(), ToolBar->y() + ToolBar->height() + 2);
  editareaGroupBox->resize(370, 370 + 65);
  const int groupWidth = editareaGroupBox->width();
  const int groupHeight = editareaGroupBox->height();

  editarea->resize(magnified, magnified);
  editareaPanel->resize(magnified + 4, magnified + 4);
  editareaPanel->move(Half(groupWidth - editareaPanel->width()), Half(groupHeight - editareaPanel->height()));
  editarea->move(Half(editareaPanel->width() - magnified), Half(editareaPanel->height() - magnified));

  // The readouts are placed at the widths they have now; the first layout after start-up thus measures
  // them in the window's own font, every later one in the group's larger font.
  const int labelsTop = editareaPanel->y() + editareaPanel->height() + 7;
  const int grLeft = Half(groupWidth - grLabel2->width()) - 10;
  grLabel2->move(grLeft, labelsTop);
  rdLabel2->move(grLeft - 90, labelsTop);
  blLabel2->move(grLeft + grLabel2->width() + 50, labelsTop);
  transparentLabel->move(Half(groupWidth - transparentLabel->width()), labelsTop + rdLabel2->height() + 4);

  // A maximised or minimised window comes back to its normal size.
  setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
  // The group's text grows to 10 points; its labels size themselves to their text, keeping their left edge.
  QFont f = editareaGroupBox->font();
  f.setPointSize(10);
  editareaGroupBox->setFont(f);
  for (QLabel* l : {rdLabel2, grLabel2, blLabel2, transparentLabel}) l->adjustSize();
  // The position readout keeps a fixed size, but never narrower than its widest reading inside the image:
  // the platform's fonts run wider than the ones its width was chosen for.
  const int widestReading = XYLabel->fontMetrics().horizontalAdvance(QStringLiteral("X= 64  Y= 64"));
  if (XYLabel->width() < widestReading) XYLabel->resize(widestReading, XYLabel->height());
  // Centred at the width it now has, so it sits in the same place after every layout.
  XYLabel->move(Half(groupWidth - XYLabel->width()), editareaPanel->y() - 20);

  iconimage->resize(size, size);
  iconimage->move(7, 7);
  iconmask->resize(size, size);
  iconmask->move(iconimage->x() + iconimage->width() + 2, iconimage->y());
}

void TForm1::UpdateEditAreaCaption() {
  editareaGroupBox->setTitle(QString::fromStdString(EditAreaCaption(State.IconType, State.IconSize)));
}

void TForm1::UpdateNewMenuCaption() {
  NewIconCursor->setText(QString::fromStdString(NewMenuCaption(State.IconType, State.IconSize)));
}

}  // namespace gw
