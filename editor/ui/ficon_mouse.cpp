// The edit area's mouse events and the tools' effects on the window. The state machine is the engine in
// editor/core/EditAreaMouse; this file forwards the events in edit-area pixels and shows what they did: the
// readouts under the edit area, the cursor, the undo buttons, the colour group and the tool buttons.
#include <QGuiApplication>
#include <QToolButton>

#include "editor/core/EditAreaMouse.h"
#include "editor/ui/ToolArt.h"
#include "editor/ui/ficon.h"

namespace gw {

namespace {

// What the tools ask of the window.
class WindowToolHost final : public ToolHost {
 public:
  explicit WindowToolHost(TForm1& form) : form_(form) {}
  void PushUndo(EditorState& s) override { form_.PushUndo(s); }
  void SelectToolByIndex(EditorState&, int index) override { form_.SelectToolByIndex(index); }
  void ShowColorComponents(EditorState& s, Color c) override { form_.ShowColorComponents(s, c); }

 private:
  TForm1& form_;
};

MouseButton ButtonOf(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return MouseButton::Left;
    case Qt::RightButton: return MouseButton::Right;
    case Qt::MiddleButton: return MouseButton::Middle;
    default: return MouseButton::None;
  }
}

bool ShiftHeld(Qt::KeyboardModifiers m) { return m.testFlag(Qt::ShiftModifier); }

}  // namespace

void TForm1::SetToolCursor(EditAreaCursor c) {
  switch (c) {
    case EditAreaCursor::Pencil: SetEditAreaCursor(ScreenCursor(kCursorPencil)); break;
    case EditAreaCursor::FloodFill: SetEditAreaCursor(ScreenCursor(kCursorFloodFill)); break;
    case EditAreaCursor::ColorSelector: SetEditAreaCursor(ScreenCursor(kCursorColorSelector)); break;
    case EditAreaCursor::Rotate: SetEditAreaCursor(ScreenCursor(kCursorRotate)); break;
    case EditAreaCursor::UpArrow: SetEditAreaCursor(QCursor(Qt::UpArrowCursor)); break;
    case EditAreaCursor::SizeAll: SetEditAreaCursor(QCursor(Qt::SizeAllCursor)); break;
    case EditAreaCursor::SizeWE: SetEditAreaCursor(QCursor(Qt::SizeHorCursor)); break;
    case EditAreaCursor::SizeNS: SetEditAreaCursor(QCursor(Qt::SizeVerCursor)); break;
    case EditAreaCursor::Arrow: SetEditAreaCursor(QCursor(Qt::ArrowCursor)); break;
  }
}

void TForm1::ShowTransparency(bool transparent) {
  const QString text = transparent ? QStringLiteral("Transparent") : QStringLiteral("Opaque");
  if (transparentLabel->text() == text &&
      transparentLabel->x() == (editareaGroupBox->width() - transparentLabel->width()) / 2)
    return;  // already shown: no repaint on every move
  transparentLabel->setText(text);
  transparentLabel->adjustSize();
  transparentLabel->move((editareaGroupBox->width() - transparentLabel->width()) / 2, transparentLabel->y());
  editareaGroupBox->repaint();
}

void TForm1::editareaMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  WindowToolHost host(*this);
  // A press whose release never reached the edit area (the button is up again) ends here, as its release
  // would have, before the new press; a button still held makes the new press a second one, ignored.
  if (State.PressedButton != 0) {
    const auto held = static_cast<MouseButton>(State.PressedButton);
    const Qt::MouseButton qtHeld = held == MouseButton::Left    ? Qt::LeftButton
                                   : held == MouseButton::Right ? Qt::RightButton
                                                                : Qt::MiddleButton;
    if (!QGuiApplication::mouseButtons().testFlag(qtHeld))
      gw::editareaMouseUp(State, host, held, ShiftHeld(shift), x, y);
  }
  gw::editareaMouseDown(State, host, ButtonOf(button), ShiftHeld(shift), x, y);
  ShowToolStage();
}

void TForm1::editareaMouseMove(Qt::KeyboardModifiers shift, int x, int y) {
  WindowToolHost host(*this);
  const MoveReadout r = gw::editareaMouseMove(State, host, ShiftHeld(shift), x, y);
  ShowCursorPosition(r.cell.x, r.cell.y);
  ShowPixelColor(State, r.pixelColor);
  ShowTransparency(r.transparent);
  SetToolCursor(r.cursor);
  ShowToolStage();
}

void TForm1::editareaMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
  WindowToolHost host(*this);
  gw::editareaMouseUp(State, host, ButtonOf(button), ShiftHeld(shift), x, y);
  ShowToolStage();
}

void TForm1::ShowToolStage() {
  UpdateDeleteRectangleEnabled();
  RepaintImageViews();
}

void TForm1::DropToolStage(DropKind kind) {
  gw::DropToolStage(State, kind);
  UpdateUndoButtons();  // a curve kept as it was left is an undo state
  ShowToolStage();
}

void TForm1::EnterFloatingPicture(const Rect& cellRect) {
  gw::EnterFloatingPicture(State, cellRect);
  // bmove shows pressed without running bmoveClick, which would drop the picture.
  QToolButton* previous = ActiveToolButton;
  ActiveToolButton = bmove;
  bmove->setChecked(true);
  bmove->setEnabled(false);
  if (previous && previous != bmove) {
    previous->setEnabled(true);
    if (previous == bcolorselector) UpdateColorSelectorEnabled();
  }
  SetToolCursor(ToolCursorAt(State, -1, -1));
  ShowToolStage();
}

void TForm1::ChooseToolStage(int code) {
  WindowToolHost host(*this);
  ChooseToolState(State, host, code);
  UpdateUndoButtons();
  SetToolCursor(ToolCursorAt(State, -1, -1));
  ShowToolStage();
}

}  // namespace gw
