// Pencil, eraser and the rubber-band shapes driven by synthetic mouse events; the band shapes' pixels are
// judged by a canvas drawing of the same cells.
#include "platform/Canvas.h"
#include "tests/editor/ToolDriver.h"

namespace gw {
namespace {

using ToolPaint = ToolTest;

// The final shape of a band tool from a to b, as the canvas draws it on a blank image (pen red) and mask.
void ExpectBandShape(const EditorState& s, int tool, Point a, Point b) {
  Bitmap image(s.IconSize, s.IconSize, s.TransparentColor), mask(s.IconSize, s.IconSize, kWhite);
  for (Bitmap* bmp : {&image, &mask}) {
    Canvas c(*bmp);
    const Color pen = bmp == &image ? kRedPen : kBlack;
    c.setPenColor(pen);
    if (tool == 4 || tool == 5 || tool == 16) c.setBrushColor(pen);
    else c.setBrushStyle(BrushStyle::Clear);
    if (tool == 1) { c.moveTo(a.x, a.y); c.lineTo(b.x, b.y); }
    else if (tool == 2 || tool == 4) c.ellipse(a.x, a.y, b.x, b.y);
    else if (tool == 3 || tool == 5) c.rectangle(a.x, a.y, b.x, b.y);
    else c.roundRect(a.x, a.y, b.x, b.y, 8, 8);
  }
  EXPECT_TRUE(SamePixels(s.iconimage, image)) << "tool " << tool;
  EXPECT_TRUE(SamePixels(s.iconmask, mask)) << "tool " << tool;
}

TEST_F(ToolPaint, EveryBandShapeEqualsTheCanvasAndLeavesNoBandBehind) {
  struct Case { Point a, detour, b; };
  // The detour is the last move's cell; the release in another cell must leave no inverted residue.
  const Case cases[] = {{{3, 4}, {25, 20}, {20, 17}}, {{28, 26}, {2, 3}, {5, 9}}, {{10, 10}, {10, 30}, {30, 10}},
                        {{4, 4}, {5, 5}, {31, 31}}};
  for (int tool : {1, 2, 3, 4, 5, 15, 16}) {
    for (const Case& c : cases) {
      Start(32);
      Use(tool);
      Down(c.a);
      Move({c.a.x + 1, c.a.y});
      Move(c.detour);
      Up(c.b);
      ExpectBandShape(s, tool, c.a, c.b);
      EXPECT_FALSE(s.MouseDrawing);
      EXPECT_EQ(host.pushes, 1);
    }
  }
}

TEST_F(ToolPaint, BandReleasedPastTheEdgeIsTheLastBandSeen) {
  for (int tool : {1, 3, 5, 16}) {
    for (Point release : {Point{321, 330}, Point{900, 700}}) {  // just past and far past the edge (Z = 10)
      Start(32);
      Use(tool);
      Down({2, 3});
      MoveAt({400, 400});
      UpAt(release);
      ExpectBandShape(s, tool, {2, 3}, {32, 32});  // reaches cell IconSize: the last column and row
    }
  }
}

TEST_F(ToolPaint, LineClickDrawsNothingAndStillPushesUndo) {
  Use(1);
  Click({5, 5});
  EXPECT_TRUE(SamePixels(s.iconimage, BlankImage()));
  EXPECT_TRUE(SamePixels(s.iconmask, BlankMask()));
  EXPECT_EQ(host.pushes, 1);
  EXPECT_TRUE(UndoPossible(s));
}

TEST_F(ToolPaint, BandIsInvertedWhileDragged) {
  Use(3);
  Paint({8, 8}, kBluePen);
  Down({2, 2});
  Move({12, 12});
  // The rectangle's outline inverts the image (not-xor with red) and the mask.
  EXPECT_EQ(s.iconimage.pixel(2, 5), ~(kWhite ^ kRedPen) & 0xFFFFFF);
  EXPECT_EQ(s.iconmask.pixel(2, 5), kBlack);
  EXPECT_TRUE(Opaque({8, 8}, kBluePen));  // inside a hollow band nothing changes
  EXPECT_EQ(s.editarea.pixel(2 * 10 + 3, 5 * 10 + 3), s.iconimage.pixel(2, 5));  // and it is shown
  Move({13, 13});
  EXPECT_TRUE(Transparent({11, 5}));  // the earlier band came off
}

TEST_F(ToolPaint, PencilSetsOnlyTheCellsThatMovesReport) {
  Use(0);
  Drag({{1, 1}, {5, 1}, {5, 6}});
  EXPECT_TRUE(Opaque({1, 1}, kRedPen));
  EXPECT_TRUE(Opaque({5, 1}, kRedPen));
  EXPECT_TRUE(Opaque({5, 6}, kRedPen));
  EXPECT_TRUE(Transparent({3, 1}));  // no stroke joins them
  EXPECT_TRUE(Transparent({5, 3}));
  EXPECT_EQ(host.pushes, 1);
  Click({9, 9}, MouseButton::Right);
  EXPECT_TRUE(Opaque({9, 9}, kBluePen));
  Click({10, 9}, MouseButton::Middle);
  EXPECT_TRUE(Opaque({10, 9}, kBluePen));
}

TEST_F(ToolPaint, PencilPaintsNothingWhileThePointerIsBesideTheEditArea) {
  Use(0);
  Down({3, 5});
  MoveAt({-40, 55});   // left of the area: the clamp would stand for column 0
  MoveAt({55, -40});   // above it: row 0
  MoveAt({500, 55});   // right of it
  Move({0, 5});        // back in, in the cell the clamp stood for
  UpAt({-40, 55});
  EXPECT_TRUE(Opaque({3, 5}, kRedPen));
  EXPECT_TRUE(Opaque({0, 5}, kRedPen));
  EXPECT_TRUE(Transparent({5, 0}));
  EXPECT_TRUE(Transparent({31, 5}));
  int opaque = 0;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) opaque += s.iconmask.pixel(x, y) == kBlack;
  EXPECT_EQ(opaque, 2);
}

TEST_F(ToolPaint, EraserMakesCellsTransparentAndPencilAfterItPaintsOpaque) {
  for (int x = 0; x < 6; ++x) Paint({x, 2}, kBluePen);
  Use(9);
  Drag({{1, 2}, {3, 2}});
  EXPECT_TRUE(Transparent({1, 2}));
  EXPECT_TRUE(Transparent({3, 2}));
  EXPECT_TRUE(Opaque({2, 2}, kBluePen));
  Use(0);
  Drag({{1, 2}, {3, 2}});
  EXPECT_TRUE(Opaque({1, 2}, kRedPen));
  EXPECT_TRUE(Opaque({3, 2}, kRedPen));
}

TEST_F(ToolPaint, MonochromeEraserUsesItsTransparentColour) {
  s.TransparentColor = kAqua;
  Paint({4, 4}, kBlack);
  Use(9);
  Click({4, 4});
  EXPECT_EQ(s.iconimage.pixel(4, 4), kAqua);
  EXPECT_EQ(s.iconmask.pixel(4, 4), kWhite);
}

TEST_F(ToolPaint, RightButtonEraserStandsInForOneStroke) {
  s.RightButtonEraser = true;
  Paint({4, 4}, kBluePen);
  Paint({5, 4}, kBluePen);
  Use(3);
  Drag({{4, 4}, {5, 4}}, MouseButton::Right);
  EXPECT_TRUE(Transparent({4, 4}));
  EXPECT_TRUE(Transparent({5, 4}));
  EXPECT_EQ(s.CurrentTool, 3);
  EXPECT_EQ(host.pushes, 1);
  Drag({{1, 1}, {3, 3}});  // the left button still draws the rectangle
  EXPECT_TRUE(Opaque({1, 1}, kRedPen));
  s.RightButtonEraser = false;  // without the option the right button paints with the right pen
  Drag({{10, 10}, {12, 12}}, MouseButton::Right);
  EXPECT_TRUE(Opaque({10, 11}, kBluePen));
}

TEST_F(ToolPaint, SecondButtonDuringAPressIsIgnored) {
  s.RightButtonEraser = true;
  Use(1);
  Down({2, 2});
  Move({8, 2});
  Down({8, 2}, MouseButton::Right);  // would start an eraser stroke
  Up({8, 2}, MouseButton::Right);
  EXPECT_EQ(s.CurrentTool, 1);
  EXPECT_TRUE(s.MouseDrawing);
  EXPECT_EQ(host.pushes, 0);
  Up({8, 2});
  EXPECT_TRUE(Opaque({5, 2}, kRedPen));
  EXPECT_TRUE(Transparent({8, 2}));  // end point excluded
  EXPECT_EQ(host.pushes, 1);
  Up({8, 2});  // a release with no press: nothing
  EXPECT_EQ(host.pushes, 1);
}

TEST_F(ToolPaint, DroppedBandLeavesTheImageAsItWas) {
  Use(5);
  Down({2, 2});
  Move({9, 9});
  DropToolStage(s, DropKind::ChangesImage);
  EXPECT_TRUE(SamePixels(s.iconimage, BlankImage()));
  EXPECT_TRUE(SamePixels(s.iconmask, BlankMask()));
  Move({12, 12});
  Up({12, 12});  // the release of a dropped band draws nothing, and pushes
  EXPECT_TRUE(SamePixels(s.iconimage, BlankImage()));
  EXPECT_EQ(host.pushes, 1);
}

TEST_F(ToolPaint, MovesReportCellColourTransparencyAndCursor) {
  Use(0);
  Paint({3, 4}, kBluePen);
  RefreshEditArea(s);
  MoveReadout r = Move({3, 4});
  EXPECT_EQ(r.cell, (Point{3, 4}));
  EXPECT_EQ(r.pixelColor, kBluePen);
  EXPECT_FALSE(r.transparent);
  EXPECT_EQ(r.cursor, EditAreaCursor::Pencil);
  r = MoveAt({-5, 0});
  EXPECT_EQ(r.cell, (Point{0, 0}));
  EXPECT_TRUE(r.transparent);
  r = MoveAt({400, 10});  // past the edge: cell IconSize, no colour there
  EXPECT_EQ(r.cell, (Point{32, 0}));
  EXPECT_EQ(r.pixelColor, kInvalidColor);
  EXPECT_FALSE(r.transparent);

  // Each tool's cursor at stage 1 (the selections' cursors over a selection: the selection tests).
  const std::pair<int, EditAreaCursor> cursors[] = {
      {1, EditAreaCursor::Pencil}, {6, EditAreaCursor::FloodFill}, {7, EditAreaCursor::Arrow},
      {9, EditAreaCursor::Arrow}, {10, EditAreaCursor::Pencil}, {14, EditAreaCursor::UpArrow},
      {17, EditAreaCursor::ColorSelector}};
  for (const auto& [tool, cursor] : cursors) {
    Use(tool);
    EXPECT_EQ(Move({tool, 1}).cursor, cursor) << "tool " << tool;
  }
}

}  // namespace
}  // namespace gw
