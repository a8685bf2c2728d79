// The settings file and the option commands, over editor/core/Settings.
#include "editor/core/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <algorithm>
#include <initializer_list>

#include "editor/ui/ficon.h"
#include "platform/IniFile.h"

namespace gw {

namespace {
const char* const kHintProperty = "gwHint";
}  // namespace

void TForm1::LoadSettings() {
  const WindowSize size = gw::LoadSettings(State);
  DoNotScaleImportedImages1->setChecked(State.DoNotScaleImportedImages);
  ShowHints->setChecked(State.ShowHints);  // the hints themselves are applied by FormCreate
  UserightmousebuttonasanEraser->setChecked(State.RightButtonEraser);
  storedWindowSize_ = size;  // applied once the layout is made (ApplyStoredWindowSize)
}

void TForm1::ApplyStoredWindowSize() {
  // The least size shows the edit-area group, the colour group and both tool bars whole.
  WindowSize least{0, 0};
  for (const QWidget* w : std::initializer_list<const QWidget*>{editareaGroupBox, colorgrdGroupBox, ToolBar, ToolBar2}) {
    const QPoint corner = w->mapTo(this, QPoint(w->width(), w->height()));
    least.width = std::max(least.width, corner.x());
    least.height = std::max(least.height, corner.y());
  }
  WindowSize most{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QSize area = screen->availableGeometry().size();
    most = {area.width(), area.height()};
  }
  const WindowSize size = CheckedWindowSize(storedWindowSize_, least, most);
  resize(size.width, size.height);  // still creating: not written back
}

void TForm1::SaveSettings() {
  // The check marks are what is remembered.
  State.ShowHints = ShowHints->isChecked();
  State.RightButtonEraser = UserightmousebuttonasanEraser->isChecked();
  State.DoNotScaleImportedImages = DoNotScaleImportedImages1->isChecked();
  // A refused write ends the save; FormClose reports it once and closes all the same.
  if (const std::optional<std::string> error = gw::SaveSettings(State)) throw IniWriteError(*error);
}

void TForm1::FormResize() {
  // A window resized while hidden (as start-up does) gets that resize only as it is being shown, after
  // start-up has ended: it is not a resize of the running editor and is not written.
  if (!isVisible()) return;
  gw::FormResize(State, width(), height());
}

void TForm1::ShowHintsClick() {
  State.ShowHints = ShowHints->isChecked();
  ApplyHints();
}

void TForm1::ApplyHints() {
  const bool on = ShowHints->isChecked();
  QList<QWidget*> widgets;
  for (QToolButton* b : ToolBar->findChildren<QToolButton*>()) widgets << b;
  for (QWidget* w : ToolBar2->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) widgets << w;
  widgets << leftcolorDisp << rightcolorDisp << iconimage << iconmask;
  for (QWidget* w : widgets) {
    // The hint a control was given is kept aside the first time, so it can come back.
    if (!w->property(kHintProperty).isValid()) w->setProperty(kHintProperty, w->toolTip());
    w->setToolTip(on ? w->property(kHintProperty).toString() : QString());
  }
}

void TForm1::UserightmousebuttonasanEraserClick() {
  State.RightButtonEraser = UserightmousebuttonasanEraser->isChecked();
}

void TForm1::DoNotScaleImportedImages1Click() {
  State.DoNotScaleImportedImages = DoNotScaleImportedImages1->isChecked();
}

}  // namespace gw
