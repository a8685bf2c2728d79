// The curve tool's three drags, its undo snapshots and what happens when it is abandoned.
#include "platform/Canvas.h"
#include "editor/core/ToolStage.h"
#include "editor/core/Transparency.h"
#include "tests/editor/ToolDriver.h"

namespace gw {
namespace {

class ToolCurve : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    Use(10);
  }
  // The line from (2, 20) to (28, 20), bent by a drag to (15, 4), its first control point moved to (6, 30).
  void Line() { Drag({{2, 20}, {10, 20}, {28, 20}}); }
  void Bend() { Drag({{14, 10}, {15, 4}}); }
  void MoveFirstControl() { Drag({{15, 4}, {6, 30}}); }

  Bitmap Expected(bool mask, std::array<Point, 4> p, bool line) const {
    Bitmap b = mask ? BlankMask() : BlankImage();
    Canvas c(b);
    c.setPenColor(mask ? kBlack : kRedPen);
    if (line) {
      c.moveTo(p[0].x, p[0].y);
      c.lineTo(p[3].x, p[3].y);
    } else {
      c.polyBezier(p);
    }
    return b;
  }
  const std::array<Point, 4> kFinal{{{2, 20}, {6, 30}, {15, 4}, {28, 20}}};
  const std::array<Point, 4> kBent{{{2, 20}, {15, 4}, {15, 4}, {28, 20}}};
};

TEST_F(ToolCurve, ThreeDragsMakeTheCurveInThePenColour) {
  Line();
  EXPECT_EQ(s.ToolStage, 3);
  Bend();
  EXPECT_EQ(s.ToolStage, 5);
  MoveFirstControl();
  EXPECT_EQ(s.ToolStage, 1);
  EXPECT_EQ(s.CurvePoints, kFinal);
  EXPECT_TRUE(SamePixels(s.iconimage, Expected(false, kFinal, false)));
  EXPECT_TRUE(SamePixels(s.iconmask, Expected(true, kFinal, false)));
  EXPECT_EQ(host.pushes, 3);
}

TEST_F(ToolCurve, UndoSnapshotsNeverHoldTheInvertedFigure) {
  Line();
  EXPECT_NE(s.iconimage.pixel(10, 20), s.TransparentColor);  // the inverted line is shown
  EXPECT_TRUE(SamePixels(s.UndoImages[static_cast<std::size_t>(s.UndoPos)], BlankImage()));
  EXPECT_TRUE(SamePixels(s.UndoMasks[static_cast<std::size_t>(s.UndoPos)], BlankMask()));
  Bend();
  EXPECT_TRUE(SamePixels(s.UndoImages[static_cast<std::size_t>(s.UndoPos)], BlankImage()));
  MoveFirstControl();
  EXPECT_TRUE(SamePixels(s.UndoImages[static_cast<std::size_t>(s.UndoPos)], s.iconimage));
}

TEST_F(ToolCurve, AClickAtTheStartLeavesNoStrayLine) {
  s.CurvePoints = {{{0, 0}, {0, 0}, {0, 0}, {30, 30}}};  // left over from an earlier curve
  Click({5, 5});
  EXPECT_EQ(s.ToolStage, 3);
  EXPECT_TRUE(SamePixels(s.iconimage, BlankImage()));
  Click({5, 5});  // the bend of a curve from (5, 5) to (5, 5)
  Click({5, 5});
  EXPECT_EQ(s.ToolStage, 1);
  EXPECT_TRUE(Transparent({20, 20}));
}

TEST_F(ToolCurve, AbandonedCurveIsKeptAsSeenUnlessTheImageIsReplaced) {
  struct Case { int drags; bool line; };
  for (const Case c : {Case{1, true}, Case{2, false}}) {
    for (int how = 0; how < 3; ++how) {  // another tool, the right-button eraser, a command that edits
      Start(32);
      Use(10);
      Line();
      if (c.drags == 2) Bend();
      if (how == 0) Use(0);
      if (how == 1) {
        s.RightButtonEraser = true;
        Click({31, 0}, MouseButton::Right);
      }
      if (how == 2) DropToolStage(s, DropKind::ChangesImage);
      EXPECT_EQ(s.ToolStage, 1);
      const std::array<Point, 4> p = c.line ? std::array<Point, 4>{{{2, 20}, {}, {}, {28, 20}}} : kBent;
      EXPECT_TRUE(SamePixels(s.iconimage, Expected(false, p, c.line))) << c.drags << " " << how;
      EXPECT_TRUE(SamePixels(s.iconmask, Expected(true, p, c.line))) << c.drags << " " << how;
    }
  }
  Start(32);
  Use(10);
  Line();
  Bend();
  DropToolStage(s, DropKind::ReplacesImage);  // undo, redo, new image: the figure is just taken off
  EXPECT_EQ(s.ToolStage, 1);
  EXPECT_TRUE(SamePixels(s.iconimage, BlankImage()));
  EXPECT_TRUE(SamePixels(s.iconmask, BlankMask()));
}

// A curve kept as it was left is an undo state: Undo takes it off, Redo gives it back, and what came after it
// (the eraser stroke, a command that edits the whole image) is undone without it.
TEST_F(ToolCurve, LeftCurveIsAnUndoStateOfItsOwn) {
  enum How { AnotherTool, RightEraser, Command };
  for (const bool bent : {false, true}) {
    for (const How how : {AnotherTool, RightEraser, Command}) {
      Start(32);
      Use(10);
      Line();
      if (bent) Bend();
      const int before = s.UndoPos;
      if (how == AnotherTool) Use(0);
      if (how == RightEraser) {
        s.RightButtonEraser = true;
        Click({2, 20}, MouseButton::Right);  // erases the first cell of the figure
      }
      if (how == Command) {
        DropToolStage(s, DropKind::ChangesImage);
        MakeWhiteTransparent1Click(s);  // the left pen colour: the curve's own, so it goes
      }
      const std::array<Point, 4> p = bent ? kBent : std::array<Point, 4>{{{2, 20}, {}, {}, {28, 20}}};
      const Bitmap curve = Expected(false, p, !bent), curveMask = Expected(true, p, !bent);
      const std::string what = std::to_string(bent) + " " + std::to_string(how);
      EXPECT_EQ(s.UndoPos, before + (how == AnotherTool ? 1 : 2)) << what;
      if (how != AnotherTool) {
        EXPECT_FALSE(SamePixels(s.iconimage, curve)) << what;  // what came after changed it
        ASSERT_TRUE(UndoStep(s));
        EXPECT_TRUE(SamePixels(s.iconimage, curve)) << what;
        EXPECT_TRUE(SamePixels(s.iconmask, curveMask)) << what;
      }
      ASSERT_TRUE(UndoStep(s));
      EXPECT_TRUE(SamePixels(s.iconimage, BlankImage())) << what;
      ASSERT_TRUE(RedoStep(s));
      EXPECT_TRUE(SamePixels(s.iconimage, curve)) << what;
      EXPECT_TRUE(SamePixels(s.iconmask, curveMask)) << what;
    }
  }
}

TEST_F(ToolCurve, MovesAreNotClampedAndEndPointsMayLieOutside) {
  Down({2, 2});
  MoveAt({-35, 25});  // cell -3: the line runs toward it, clipped
  Up({2, 2});
  EXPECT_EQ(s.CurvePoints[3], (Point{-3, 2}));
}

}  // namespace
}  // namespace gw
