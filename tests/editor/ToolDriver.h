#pragma once
// Test set-up of the drawing-tool tests: a blank true-colour image with its undo ring, a host that records
// what the tools ask of the window, and synthetic mouse events at cell centres.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "editor/core/EditAreaMouse.h"
#include "editor/core/ToolStage.h"
#include "editor/core/UndoRing.h"
#include "tests/editor/BlankImage.h"

namespace gw {

inline constexpr Color kRedPen = 0x0000FF;
inline constexpr Color kBluePen = 0xFF0000;

class RecordingHost : public ToolHost {
 public:
  void PushUndo(EditorState& s) override {
    ++pushes;
    ToolHost::PushUndo(s);
  }
  void SelectToolByIndex(EditorState& s, int index) override {
    chosen.push_back(index);
    ToolHost::SelectToolByIndex(s, index);
  }
  int pushes = 0;
  std::vector<int> chosen;
};

// Where two bitmaps first differ, or success.
inline ::testing::AssertionResult SamePixels(const Bitmap& got, const Bitmap& want) {
  if (got.width() != want.width() || got.height() != want.height())
    return ::testing::AssertionFailure() << "sizes differ";
  for (int y = 0; y < got.height(); ++y)
    for (int x = 0; x < got.width(); ++x)
      if (got.pixel(x, y) != want.pixel(x, y))
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << std::hex << got.pixel(x, y)
                                             << ", expected " << want.pixel(x, y);
  return ::testing::AssertionSuccess();
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(32); }

  void Start(int size) {
    s = EditorState{};
    LayOutBlankImage(s, size);
    s.ShapePoints.assign(1024, Point{});
    s.ShapeOutline.assign(1024, Point{});
    s.ShapeCells.assign(1024, Point{});
    for (Bitmap& w : s.WorkImages) w.resize(size, size);
    s.RotateCanvas.resize(128, 128);
    s.RotateMask.resize(128, 128);
    ResetUndoRing(s, size);
    PushUndoQuiet(s);
    s.ToolStage = 1;
    s.LeftPenColor = kRedPen;
    s.RightPenColor = kBluePen;
    s.DragPoints[2] = s.DragPoints[3] = -1;
    host = RecordingHost{};
  }

  void Use(int tool) { ChooseToolState(s, host, tool); }
  Point Centre(Point cell) const { return {cell.x * s.CellSize + s.CellSize / 2, cell.y * s.CellSize + s.CellSize / 2}; }

  void DownAt(Point px, MouseButton b = MouseButton::Left, bool shift = false) {
    editareaMouseDown(s, host, b, shift, px.x, px.y);
  }
  MoveReadout MoveAt(Point px, bool shift = false) { return editareaMouseMove(s, host, shift, px.x, px.y); }
  void UpAt(Point px, MouseButton b = MouseButton::Left, bool shift = false) {
    editareaMouseUp(s, host, b, shift, px.x, px.y);
  }
  void Down(Point cell, MouseButton b = MouseButton::Left, bool shift = false) { DownAt(Centre(cell), b, shift); }
  MoveReadout Move(Point cell) { return MoveAt(Centre(cell)); }
  void Up(Point cell, MouseButton b = MouseButton::Left, bool shift = false) { UpAt(Centre(cell), b, shift); }

  // A press in the first cell, one move into each further cell, the release in the last.
  void Drag(std::initializer_list<Point> cells, MouseButton b = MouseButton::Left, bool shift = false) {
    const Point* p = cells.begin();
    Down(*p, b, shift);
    for (const Point* q = p + 1; q != cells.end(); ++q) Move(*q);
    Up(*(cells.end() - 1), b, shift);
  }
  void Click(Point cell, MouseButton b = MouseButton::Left, bool shift = false) { Drag({cell}, b, shift); }

  // Paints cell c opaque in colour `color`.
  void Paint(Point c, Color color) {
    s.iconimage.setPixel(c.x, c.y, color);
    s.iconmask.setPixel(c.x, c.y, kBlack);
  }
  bool Opaque(Point c, Color color) const {
    return s.iconimage.pixel(c.x, c.y) == color && s.iconmask.pixel(c.x, c.y) == kBlack;
  }
  bool Transparent(Point c) const {
    return s.iconimage.pixel(c.x, c.y) == s.TransparentColor && s.iconmask.pixel(c.x, c.y) == kWhite;
  }
  Bitmap BlankImage() const { return Bitmap(s.IconSize, s.IconSize, s.TransparentColor); }
  Bitmap BlankMask() const { return Bitmap(s.IconSize, s.IconSize, kWhite); }

  EditorState s;
  RecordingHost host;
};

}  // namespace gw
