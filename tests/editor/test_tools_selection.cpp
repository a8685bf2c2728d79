// The selection tools driven by synthetic mouse events: move/copy rectangle and shape, the flip and rotate
// selections, the floating picture, and what drops a selection.
#include "tests/editor/ToolDriver.h"

namespace gw {
namespace {

class ToolSelect : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    for (int y = 4; y < 8; ++y)
      for (int x = 4; x < 8; ++x) Paint({x, y}, Block({x, y}));
    RefreshEditArea(s);
  }
  // The colour of cell c of the 4 x 4 block at (4, 4).
  static Color Block(Point c) { return MakeColor(16 * c.x, 16 * c.y, 0x80); }
  bool HoldsBlockAt(Point origin) const {
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 4; ++x)
        if (!Opaque({origin.x + x, origin.y + y}, Block({4 + x, 4 + y}))) return false;
    return true;
  }
  void SelectBlock() { Drag({{4, 4}, {6, 6}, {8, 8}}); }
  bool EditAreaHas(Color c) const {
    for (int y = 0; y < s.editarea.height(); ++y)
      for (int x = 0; x < s.editarea.width(); ++x)
        if (s.editarea.pixel(x, y) == c) return true;
    return false;
  }
};

TEST_F(ToolSelect, RectangleIsSelectedAsDraggedThenMovedOrCopied) {
  for (bool shift : {false, true}) {
    SetUp();
    Use(7);
    SelectBlock();
    EXPECT_EQ(s.SelectionRect, (Rect{40, 40, 80, 80}));
    EXPECT_EQ(s.ToolStage, 3);
    EXPECT_EQ(Move({5, 5}).cursor, EditAreaCursor::SizeAll);
    EXPECT_EQ(Move({20, 20}).cursor, EditAreaCursor::Arrow);
    Drag({{5, 5}, {8, 5}, {10, 6}}, MouseButton::Left, shift);
    EXPECT_EQ(s.SelectionRect, (Rect{90, 50, 130, 90}));
    EXPECT_EQ(s.ToolStage, 4);
    EXPECT_TRUE(HoldsBlockAt({9, 5}));
    EXPECT_EQ(shift, HoldsBlockAt({4, 4}));
    EXPECT_EQ(!shift, Transparent({4, 4}));
    EXPECT_EQ(host.pushes, 2);
  }
}

TEST_F(ToolSelect, GrabbedRectangleNeverLeavesTheEditArea) {
  Use(7);
  SelectBlock();
  Down({5, 5});
  Move({31, 5});  // would push the right edge to 340 > 320: lost
  EXPECT_EQ(s.SelectionRect, (Rect{40, 40, 80, 80}));
  Move({30, 5});  // the drag goes on from where the pointer is now
  EXPECT_EQ(s.SelectionRect, (Rect{30, 40, 70, 80}));
  Move({30, 29});  // its bottom-right corner may reach the edge exactly
  EXPECT_EQ(s.SelectionRect, (Rect{30, 280, 70, 320}));
  Move({30, 30});
  EXPECT_EQ(s.SelectionRect, (Rect{30, 280, 70, 320}));
}

TEST_F(ToolSelect, OutlineAfterAMoveIsTakenOffByARedraw) {
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) Paint({x, y}, 0x00A000);
  RefreshEditArea(s);
  Use(7);
  SelectBlock();
  Drag({{5, 5}, {9, 9}}, MouseButton::Left, true);  // copies: the picture stays green
  EXPECT_TRUE(EditAreaHas(kBlack));                  // the dotted outline
  Down({10, 10});
  Move({14, 12});
  EXPECT_FALSE(EditAreaHas(kWhite));  // inverting the copy-mode outline would leave white dots
  Up({14, 12}, MouseButton::Left, true);
  EXPECT_FALSE(EditAreaHas(kWhite));
  Click({30, 30});  // outside: dropped, outline gone
  EXPECT_EQ(s.ToolStage, 1);
  EXPECT_FALSE(EditAreaHas(kBlack));
}

TEST_F(ToolSelect, RightButtonEraserDropsTheSelection) {
  s.RightButtonEraser = true;
  Use(7);
  SelectBlock();
  Click({5, 5}, MouseButton::Right);
  EXPECT_TRUE(Transparent({5, 5}));
  EXPECT_TRUE(Opaque({6, 5}, Block({6, 5})));
  EXPECT_EQ(s.CurrentTool, 7);
  EXPECT_EQ(s.ToolStage, 1);
}

TEST_F(ToolSelect, DroppedDuringADragTheReleaseMovesNothing) {
  Use(7);
  SelectBlock();
  Drag({{5, 5}, {15, 15}});
  const Bitmap moved = s.iconimage;
  Down({15, 15});
  Move({20, 20});
  DropToolStage(s, DropKind::ChangesImage);  // e.g. a nudge while the button is held
  Up({20, 20});
  EXPECT_EQ(s.ToolStage, 1);
  EXPECT_TRUE(SamePixels(s.iconimage, moved));
}

TEST_F(ToolSelect, FreeFormShapeIsOutlinedThenMoved) {
  Use(8);
  Drag({{4, 4}, {8, 4}, {8, 8}, {4, 8}});
  EXPECT_EQ(s.ShapePointCount, 4);
  EXPECT_EQ(s.ShapeOutline[2], (Point{80, 80}));
  EXPECT_EQ(s.ToolStage, 3);
  EXPECT_EQ(Move({5, 5}).cursor, EditAreaCursor::SizeAll);
  Drag({{5, 5}, {15, 5}});
  EXPECT_TRUE(HoldsBlockAt({14, 4}));
  EXPECT_TRUE(Transparent({4, 4}));
  EXPECT_EQ(s.ShapePoints[0], (Point{140, 40}));
  Drag({{15, 5}, {25, 25}});  // the box may reach the edge but not pass it
  EXPECT_EQ(s.ShapeOutline[0], (Point{240, 240}));
  Click({1, 1});
  EXPECT_EQ(s.ToolStage, 1);
}

TEST_F(ToolSelect, SelfCrossingShapeMovesItsCentre) {
  Paint({10, 10}, kBluePen);
  Use(8);
  Drag({{10, 2}, {15, 18}, {2, 8}, {18, 8}, {5, 18}});  // a five-pointed star: the centre is wound twice
  Drag({{10, 10}, {15, 10}});
  EXPECT_TRUE(Opaque({15, 10}, kBluePen));
  EXPECT_TRUE(Transparent({10, 10}));
}

TEST_F(ToolSelect, OutlineKeepsAtMost1024Points) {
  Use(8);
  Down({1, 1});
  for (int i = 0; i < 1100; ++i) Move(i % 2 ? Point{9, 1} : Point{9, 9});
  Up({9, 9});
  EXPECT_EQ(s.ShapePointCount, 1024);
  EXPECT_EQ(s.ShapePoints[1023], (Point{90, 90}));
}

TEST_F(ToolSelect, FlipsMirrorTheSelectionAtEachClick) {
  Use(11);
  EXPECT_EQ(host.pushes, 1);  // choosing the horizontal flip keeps a state at once
  SelectBlock();
  EXPECT_EQ(Move({5, 5}).cursor, EditAreaCursor::SizeWE);
  Click({5, 5});
  EXPECT_TRUE(Opaque({4, 4}, Block({7, 4})));
  EXPECT_EQ(host.pushes, 3);
  Click({5, 5});
  EXPECT_TRUE(HoldsBlockAt({4, 4}));
  Use(12);
  SelectBlock();
  EXPECT_EQ(Move({5, 5}).cursor, EditAreaCursor::SizeNS);
  Click({6, 6});
  EXPECT_TRUE(Opaque({4, 4}, Block({4, 7})));
  Click({20, 20});
  EXPECT_EQ(s.ToolStage, 1);
}

TEST_F(ToolSelect, FourRotationsGiveTheIdentityWithTwoUndoStatesEach) {
  Paint({2, 2}, kBluePen);
  const Bitmap image = s.iconimage, mask = s.iconmask;
  Use(13);
  SelectBlock();
  EXPECT_EQ(Move({5, 5}).cursor, EditAreaCursor::Rotate);
  Click({5, 5});
  EXPECT_TRUE(Opaque({7, 4}, Block({4, 4})));  // clockwise: the top-left cell goes top-right
  EXPECT_EQ(host.pushes, 3);
  for (int i = 0; i < 3; ++i) Click({5, 5});
  EXPECT_EQ(s.ToolStage, 7);
  EXPECT_TRUE(SamePixels(s.iconimage, image));
  EXPECT_TRUE(SamePixels(s.iconmask, mask));
  EXPECT_EQ(host.pushes, 9);
  Click({20, 20});
  EXPECT_EQ(s.ToolStage, 1);
  EXPECT_EQ(s.SelectionRect, Rect{});
}

TEST_F(ToolSelect, FloatingPictureMovesLikeAMovedRectangle) {
  Use(0);
  KeepPictureUnderFloat(s);
  Paint({20, 20}, kBluePen);  // the pasted picture: one cell
  EnterFloatingPicture(s, {20, 20, 21, 21});
  EXPECT_EQ(s.CurrentTool, 7);
  EXPECT_EQ(s.ToolStage, 4);
  EXPECT_EQ(s.SelectionRect, (Rect{200, 200, 210, 210}));
  EXPECT_EQ(s.PrevSelectionRect, s.SelectionRect);
  EXPECT_EQ(s.MoveCellRect, (Rect{20, 20, 21, 21}));
  EXPECT_EQ(s.editarea.pixel(209, 200), kBlack);  // the dotted outline
  Drag({{20, 20}, {23, 21}});
  EXPECT_TRUE(Opaque({23, 21}, kBluePen));
  EXPECT_TRUE(Transparent({20, 20}));  // what lay under it comes back
  EXPECT_TRUE(HoldsBlockAt({4, 4}));
}

}  // namespace
}  // namespace gw
