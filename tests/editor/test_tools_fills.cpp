// Flood fill, colour substitute and colour selector: the tools that act on the release.
#include "editor/core/Palettes.h"
#include "tests/editor/ToolDriver.h"

namespace gw {
namespace {

class ToolFill : public ToolTest {
 protected:
  // An opaque white square (cells 0-9, rows 0-9) in the transparent (white) image, a blue wall at x = 12.
  void WhiteSquareAndWall() {
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 10; ++x) Paint({x, y}, kWhite);
    for (int y = 0; y < 32; ++y) Paint({12, y}, kBluePen);
    RefreshEditArea(s);
  }
  // Cells opaque in the pen colour, and cells that carry it while transparent.
  int RedOpaqueCount() const { return Count(kBlack); }
  int RedTransparentCount() const { return Count(kWhite); }
  int Count(Color mask) const {
    int n = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) n += s.iconimage.pixel(x, y) == kRedPen && s.iconmask.pixel(x, y) == mask;
    return n;
  }
  bool RedOpaque(Point c) const { return Opaque(c, kRedPen); }
};

TEST_F(ToolFill, FloodFillMakesTheImagesConnectedAreaOpaque) {
  // Clicked in the transparent part or in the opaque white square: the image's white area left of the wall
  // is the same, and all of it gets the pen and an opaque mask, so no transparent pixel carries the pen.
  for (Point click : {Point{20, 20}, Point{5, 5}, Point{11, 31}}) {
    Start(32);
    WhiteSquareAndWall();
    Use(6);
    Click(click);
    if (click.x > 12) {
      EXPECT_TRUE(RedOpaque({31, 0}));
      EXPECT_TRUE(Opaque({0, 0}, kWhite));
      EXPECT_TRUE(Transparent({11, 0}));
    } else {
      EXPECT_TRUE(RedOpaque({0, 0}));
      EXPECT_TRUE(RedOpaque({11, 20}));
      EXPECT_TRUE(Transparent({13, 0}));
      EXPECT_EQ(RedOpaqueCount(), 12 * 32);
    }
    EXPECT_EQ(RedTransparentCount(), 0);
    EXPECT_TRUE(Opaque({12, 5}, kBluePen));
    EXPECT_EQ(host.pushes, 1);
  }
}

TEST_F(ToolFill, FloodFillWithTheAreasOwnColourStillMakesItOpaque) {
  s.RightPenColor = kWhite;
  Use(6);
  Click({3, 3}, MouseButton::Right);
  EXPECT_TRUE(Opaque({0, 0}, kWhite));
  EXPECT_TRUE(Opaque({31, 31}, kWhite));
}

TEST_F(ToolFill, ColourSubstituteReplacesTheColourUnderTheReleaseEverywhere) {
  WhiteSquareAndWall();
  Use(14);
  Click({12, 3});  // blue becomes the left pen, the rest stays
  for (int y : {0, 17, 31}) EXPECT_TRUE(Opaque({12, y}, kRedPen));
  EXPECT_TRUE(Transparent({20, 20}));
  Click({20, 20}, MouseButton::Right);  // white (transparent and opaque alike) becomes blue, and opaque
  EXPECT_TRUE(Opaque({20, 20}, kBluePen));
  EXPECT_TRUE(Opaque({0, 0}, kBluePen));
  EXPECT_TRUE(Opaque({12, 0}, kRedPen));
  UpAt({-1, 5});  // no press: ignored
  DownAt({5, 5});
  UpAt({-1, 5});  // outside the edit area there is no colour: nothing changes
  EXPECT_TRUE(Opaque({0, 0}, kBluePen));
  EXPECT_EQ(host.pushes, 3);
}

TEST_F(ToolFill, ColourSelectorPicksIntoThePenAndReturnsToTheToolBefore) {
  InitPalettes(s);
  ShowTrueColorGrid(s, kTypeTrueColor);
  const Color green = 0x00C000;
  Paint({6, 6}, green);
  RefreshEditArea(s);
  Use(6);
  s.ColorSelectorTag = s.CurrentTool;  // what the selector's button stores
  Use(17);
  Click({6, 6}, MouseButton::Right);
  EXPECT_EQ(s.RightPenColor, green);
  EXPECT_FALSE(s.LastPenIsLeft);
  EXPECT_EQ(s.scrGreenPosition, 0xC0);
  EXPECT_EQ(host.chosen, std::vector<int>{6});
  EXPECT_EQ(s.CurrentTool, 6);
  EXPECT_EQ(host.pushes, 1);

  s.ColorSelectorTag = 17;  // chosen twice in a row: it stays after the pick
  Use(17);
  Click({6, 6});
  EXPECT_EQ(s.LeftPenColor, green);
  EXPECT_TRUE(s.LastPenIsLeft);
  EXPECT_EQ(s.CurrentTool, 17);
}

TEST_F(ToolFill, ColourSelectorReleasedBesideTheEditAreaChangesNothing) {
  InitPalettes(s);
  ShowTrueColorGrid(s, kTypeTrueColor);
  s.LeftPenColor = kRedPen;
  s.ColorSelectorTag = 0;
  Use(17);
  const EditorState before = s;
  DownAt({50, 50});
  UpAt({-30, 50});
  EXPECT_EQ(s.LeftPenColor, kRedPen);
  EXPECT_EQ(s.TrueColorGrid, before.TrueColorGrid);
  EXPECT_EQ(s.scrRedPosition, before.scrRedPosition);
  EXPECT_EQ(s.rdLabel, before.rdLabel);
  EXPECT_EQ(s.CurrentTool, 17);
  EXPECT_TRUE(host.chosen.empty());
  EXPECT_EQ(host.pushes, 1);  // the release's undo push still runs
}

}  // namespace
}  // namespace gw
