// Flipping and turning rectangles of the image and mask, and turning the rotate tool's selection.
#include <gtest/gtest.h>

#include "editor/core/RegionRotate.h"
#include "editor/core/ToolStage.h"
#include "tests/editor/PatternedImage.h"

namespace gw {
namespace {

Rect Reversed(const Rect& r) { return {r.right, r.bottom, r.left, r.top}; }

struct FlipCase {
  int size;
  Rect cells;     // as passed, in cells (corners in any order, may reach past the icon)
  Rect clipped;   // the cells that change
};
const FlipCase kFlipCases[] = {
    {16, {0, 0, 16, 16}, {0, 0, 16, 16}},  // the whole icon
    {16, {3, 2, 8, 5}, {3, 2, 8, 5}},      // odd width and height: the middle column and row stay
    {32, {20, 25, 32, 32}, {20, 25, 32, 32}},  // reaching the right and bottom edge
    {32, {20, 25, 40, 36}, {20, 25, 32, 32}},  // past them: clipped to the icon
    {24, {9, 7, 1, 2}, {1, 2, 9, 7}},          // reversed corners
};

TEST(FlipRegion, MirrorsTheCellsAndTwiceRestores) {
  for (const FlipCase& c : kFlipCases)
    for (bool horizontal : {true, false}) {
      EditorState s;
      LayOutPatternedImage(s, c.size);
      const EditorState original = s;
      const Rect pixels = CellRectToPixelRect(c.cells, s.CellSize);
      FlipRegion(s, horizontal, pixels);
      const Rect& k = c.clipped;
      for (int y = 0; y < c.size; ++y)
        for (int x = 0; x < c.size; ++x) {
          const bool in = k.contains(x, y);
          const int fx = in && horizontal ? k.left + k.right - 1 - x : x;
          const int fy = in && !horizontal ? k.top + k.bottom - 1 - y : y;
          ASSERT_EQ(s.iconimage.pixel(x, y), original.iconimage.pixel(fx, fy)) << c.size << " " << x << "," << y;
          ASSERT_EQ(s.iconmask.pixel(x, y), original.iconmask.pixel(fx, fy)) << c.size << " " << x << "," << y;
        }
      FlipRegion(s, horizontal, pixels);
      EXPECT_EQ(s.iconimage, original.iconimage);
      EXPECT_EQ(s.iconmask, original.iconmask);
      EXPECT_EQ(s.UndoTop, -1);  // the callers push
    }
}

TEST(RotateRegionClockwise, TurnsTheWholeIconAndFourTurnsRestore) {
  EditorState s;
  LayOutPatternedImage(s, 24);
  const EditorState original = s;
  RotateRegionClockwise(s, s.EditAreaRect);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      ASSERT_EQ(s.iconimage.pixel(x, y), original.iconimage.pixel(y, 23 - x));
      ASSERT_EQ(s.iconmask.pixel(x, y), original.iconmask.pixel(y, 23 - x));
    }
  EXPECT_EQ(s.UndoTop, 0);  // pushed
  EXPECT_EQ(s.UndoImages[0], s.iconimage);
  EXPECT_EQ(s.editarea.pixel(24 * s.CellSize - 1, 0), s.iconimage.pixel(23, 0));  // redrawn
  for (int turn = 1; turn < 4; ++turn) RotateRegionClockwise(s, s.EditAreaRect);
  EXPECT_EQ(s.iconimage, original.iconimage);
  EXPECT_EQ(s.iconmask, original.iconmask);
}

TEST(RotateRegionClockwise, KeepsTheTopRightCornerAndDropsWhatFallsOut) {
  const Rect rows[] = {{2, 3, 6, 5}, {10, 1, 12, 6}, {0, 13, 16, 16}, {9, 4, 3, 2}};
  for (const Rect& given : rows) {
    EditorState s;
    LayOutPatternedImage(s, 16);
    const EditorState original = s;
    RotateRegionClockwise(s, CellRectToPixelRect(given, s.CellSize));
    const Rect c{std::min(given.left, given.right), std::min(given.top, given.bottom),
                 std::max(given.left, given.right), std::max(given.top, given.bottom)};
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        // Turned content: column x comes from row Right - 1 - x, row y from column y - Top.
        const int k = y - c.top, r = c.right - 1 - x;
        const bool covered = k >= 0 && k < c.width() && r >= 0 && r < c.height();
        const int sx = covered ? c.left + k : x, sy = covered ? c.top + r : y;
        ASSERT_EQ(s.iconimage.pixel(x, y), original.iconimage.pixel(sx, sy)) << given.left << " " << x << "," << y;
        ASSERT_EQ(s.iconmask.pixel(x, y), original.iconmask.pixel(sx, sy)) << given.left << " " << x << "," << y;
      }
  }
}

TEST(RotateCanvasWindow, CentresTheIconInTheCanvas) {
  const int sizes[] = {16, 24, 32, 40, 48, 56, 64};
  const int offsets[] = {56, 52, 48, 44, 40, 36, 32};
  for (std::size_t i = 0; i < std::size(sizes); ++i) {
    EditorState s;
    s.IconSize = sizes[i];
    EXPECT_EQ(RotateCanvasWindow(s), (Rect{offsets[i], offsets[i], offsets[i] + sizes[i], offsets[i] + sizes[i]}));
  }
}

// The block of cells r of the original turned clockwise `turns` times, as the pixel that lands at (x, y) of
// the turned block's rectangle.
Point TurnedSource(const Rect& r, int turns, int x, int y) {
  const int w = r.width(), h = r.height();
  switch (turns % 4) {
    case 1: return {r.left + y, r.top + h - 1 - x};
    case 2: return {r.left + w - 1 - x, r.top + h - 1 - y};
    case 3: return {r.left + w - 1 - y, r.top + x};
    default: return {r.left + x, r.top + y};
  }
}

struct TurnCase {
  int size;
  Rect cells;   // the selection as dragged
  Rect turned;  // its footprint after one turn
};
const TurnCase kTurnCases[] = {
    {32, {0, 0, 4, 2}, {1, -1, 3, 3}},      // sticks out above the icon
    {32, {5, 5, 8, 6}, {6, 4, 7, 7}},       // odd by odd
    {32, {5, 5, 7, 6}, {6, 4, 7, 6}},       // even by odd
    {24, {3, 4, 6, 6}, {3, 4, 5, 7}},       // odd by even
    {16, {0, 14, 16, 16}, {7, 7, 9, 23}},   // along the bottom edge, far out below
    {64, {60, 10, 64, 20}, {57, 13, 67, 17}},  // past the right edge
    {48, {10, 10, 14, 14}, {10, 10, 14, 14}},  // square
};

// After `turns` turns: odd counts leave the first rectangle transparent and show the turned block at its
// turned footprint; even counts show the picture with the block turned in place.
void ExpectTurned(const EditorState& s, const EditorState& original, const TurnCase& c, int turns) {
  const Rect& at = turns % 2 ? c.turned : c.cells;
  for (int y = 0; y < c.size; ++y)
    for (int x = 0; x < c.size; ++x) {
      Color image = original.iconimage.pixel(x, y), mask = original.iconmask.pixel(x, y);
      if (turns % 2 && c.cells.contains(x, y)) image = s.TransparentColor, mask = kWhite;
      if (at.contains(x, y)) {
        const Point from = TurnedSource(c.cells, turns, x - at.left, y - at.top);
        image = original.iconimage.pixel(from.x, from.y);
        mask = original.iconmask.pixel(from.x, from.y);
      }
      ASSERT_EQ(s.iconimage.pixel(x, y), image) << turns << " turns at " << x << "," << y;
      ASSERT_EQ(s.iconmask.pixel(x, y), mask) << turns << " turns at " << x << "," << y;
    }
}

TEST(RotateSelection, TurnsAboutTheCentreWithoutLosingPixels) {
  for (const TurnCase& c : kTurnCases) {
    SCOPED_TRACE(testing::Message() << c.size << ": " << c.cells.left << "," << c.cells.top);
    EditorState s;
    LayOutPatternedImage(s, c.size);
    const EditorState original = s;
    s.ToolStage = 3;
    Rect rect = Reversed(CellRectToPixelRect(c.cells, s.CellSize));  // as dragged up and left
    for (int turns = 1; turns <= 4; ++turns) {
      RotateSelection(s, rect);
      EXPECT_EQ(s.ToolStage, 3 + turns);
      EXPECT_EQ(rect, CellRectToPixelRect(turns % 2 ? c.turned : c.cells, s.CellSize));
      ExpectTurned(s, original, c, turns);
    }
    EXPECT_EQ(s.UndoTop, -1);  // the caller pushes
  }
}

// A selection turned once, then the image changed by a command: the next turn works on the image as it is
// now, never writing back the canvas of the earlier turn.
TEST(RotateSelection, NeverWritesAStaleCanvasBack) {
  const TurnCase& c = kTurnCases[1];
  for (bool dropped : {true, false}) {
    EditorState s;
    LayOutPatternedImage(s, c.size);
    s.ToolStage = 3;
    Rect rect = CellRectToPixelRect(c.cells, s.CellSize);
    RotateSelection(s, rect);
    s.iconimage = s.WorkImages[2];  // the command: the picture before the turn, edited
    s.iconmask = s.WorkImages[3];
    s.iconimage.setPixel(6, 6, 0x123456);
    s.iconmask.setPixel(6, 6, kBlack);
    if (dropped) {
      DropToolStage(s, DropKind::ChangesImage);
      s.ToolStage = 3;  // a new selection of the same cells
    }
    const EditorState changed = s;

    rect = CellRectToPixelRect(c.cells, s.CellSize);
    RotateSelection(s, rect);
    EXPECT_EQ(s.ToolStage, 4);
    ExpectTurned(s, changed, c, 1);
  }
}

}  // namespace
}  // namespace gw
