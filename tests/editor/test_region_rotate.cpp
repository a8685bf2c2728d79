// Flipping and turning rectangles of the image and mask, and turning the rotate tool's selection.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor/core/RegionRotate.h"
#include "editor/core/ToolStage.h"
#include "tests/editor/PatternedImage.h"

namespace gw {
namespace {

// The cells a rectangle of cells changes: its corners ordered, its right and bottom clipped to the icon.
Rect Changed(const Rect& r, int size) {
  return {std::min(r.left, r.right), std::min(r.top, r.bottom), std::min(std::max(r.left, r.right), size),
          std::min(std::max(r.top, r.bottom), size)};
}

// Every image and mask pixel (x, y) equals the original's at from(x, y).
template <class F>
void ExpectMapped(const EditorState& s, const EditorState& original, F from) {
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x) {
      const Point p = from(x, y);
      ASSERT_EQ(s.iconimage.pixel(x, y), original.iconimage.pixel(p.x, p.y)) << x << "," << y;
      ASSERT_EQ(s.iconmask.pixel(x, y), original.iconmask.pixel(p.x, p.y)) << x << "," << y;
    }
}

struct RegionCase {
  int size;
  Rect cells;  // as passed: corners in any order, may reach past the icon
};
const RegionCase kRegionCases[] = {
    {16, {0, 0, 16, 16}},    // the whole icon
    {16, {3, 2, 8, 5}},      // odd width and height: the middle column and row stay
    {32, {20, 25, 32, 32}},  // reaching the right and bottom edge
    {32, {20, 25, 40, 36}},  // past them: clipped to the icon
    {24, {9, 7, 1, 2}},      // reversed corners
    {16, {10, 1, 12, 6}},    // a turn sticks out to the left
    {16, {0, 13, 16, 16}},   // a turn falls out at the bottom
};

TEST(FlipRegion, MirrorsTheCellsAndTwiceRestores) {
  for (const RegionCase& c : kRegionCases)
    for (bool horizontal : {true, false}) {
      SCOPED_TRACE(testing::Message() << c.size << ": " << c.cells.left << "," << c.cells.top << " " << horizontal);
      EditorState s;
      LayOutPatternedImage(s, c.size);
      const EditorState original = s;
      const Rect k = Changed(c.cells, c.size);
      FlipRegion(s, horizontal, CellRectToPixelRect(c.cells, s.CellSize));
      ExpectMapped(s, original, [&](int x, int y) {
        if (!k.contains(x, y)) return Point{x, y};
        return horizontal ? Point{k.left + k.right - 1 - x, y} : Point{x, k.top + k.bottom - 1 - y};
      });
      FlipRegion(s, horizontal, CellRectToPixelRect(c.cells, s.CellSize));
      EXPECT_EQ(s.iconimage, original.iconimage);
      EXPECT_EQ(s.iconmask, original.iconmask);
      EXPECT_EQ(s.UndoTop, -1);  // the callers push
    }
}

TEST(RotateRegionClockwise, KeepsTheTopRightCornerAndPushesUndo) {
  for (const RegionCase& c : kRegionCases) {
    SCOPED_TRACE(testing::Message() << c.size << ": " << c.cells.left << "," << c.cells.top);
    EditorState s;
    LayOutPatternedImage(s, c.size);
    const EditorState original = s;
    const Rect k = Changed(c.cells, c.size);
    RotateRegionClockwise(s, CellRectToPixelRect(c.cells, s.CellSize));
    ExpectMapped(s, original, [&](int x, int y) {  // column x comes from row Right-1-x, row y from column y-Top
      const int col = y - k.top, row = k.right - 1 - x;
      const bool covered = col >= 0 && col < k.width() && row >= 0 && row < k.height();
      return covered ? Point{k.left + col, k.top + row} : Point{x, y};
    });
    EXPECT_EQ(s.UndoTop, 0);
    EXPECT_EQ(s.UndoImages[0], s.iconimage);
    EXPECT_EQ(s.editarea.pixel(s.EditAreaRect.right - 1, 0), s.iconimage.pixel(c.size - 1, 0));  // redrawn
    if (k.width() != k.height()) continue;
    for (int turn = 1; turn < 4; ++turn) RotateRegionClockwise(s, CellRectToPixelRect(c.cells, s.CellSize));
    EXPECT_EQ(s.iconimage, original.iconimage);
    EXPECT_EQ(s.iconmask, original.iconmask);
  }
}

struct TurnCase {
  int size;
  Rect cells;   // the selection
  Rect turned;  // its footprint after one turn
};
const TurnCase kTurnCases[] = {
    {32, {0, 0, 4, 2}, {1, -1, 3, 3}},         // sticks out above the icon
    {32, {5, 5, 8, 6}, {6, 4, 7, 7}},          // odd by odd
    {40, {5, 5, 7, 6}, {6, 4, 7, 6}},          // even by odd
    {24, {3, 4, 6, 6}, {3, 4, 5, 7}},          // odd by even
    {16, {0, 14, 16, 16}, {7, 7, 9, 23}},      // along the bottom edge, far out below
    {64, {60, 10, 64, 20}, {57, 13, 67, 17}},  // past the right edge
    {48, {10, 10, 14, 14}, {10, 10, 14, 14}},  // square
    {32, {5, 5, 5, 5}, {5, 5, 5, 5}},          // a click without a drag: nothing to turn
    {32, {4, 6, 8, 6}, {6, 4, 6, 8}},          // no height
};

// After n turns: odd n leave the first rectangle transparent and show the block turned n times at the
// turned footprint; even n show the picture with the block turned in place.
void ExpectTurned(const EditorState& s, const EditorState& original, const TurnCase& c, int n) {
  const Rect& at = n % 2 ? c.turned : c.cells;
  const Rect& r = c.cells;
  for (int y = 0; y < c.size; ++y)
    for (int x = 0; x < c.size; ++x) {
      Point p{x, y};
      const int u = x - at.left, v = y - at.top;
      if (at.contains(x, y)) {
        const Point turnedFrom[] = {{r.left + u, r.top + v}, {r.left + v, r.bottom - 1 - u},
                                    {r.right - 1 - u, r.bottom - 1 - v}, {r.right - 1 - v, r.top + u}};
        p = turnedFrom[n % 4];
      }
      const bool clear = n % 2 && r.contains(x, y) && !at.contains(x, y);
      const Color image = clear ? s.TransparentColor : original.iconimage.pixel(p.x, p.y);
      const Color mask = clear ? kWhite : original.iconmask.pixel(p.x, p.y);
      ASSERT_EQ(s.iconimage.pixel(x, y), image) << n << " turns: " << x << "," << y;
      ASSERT_EQ(s.iconmask.pixel(x, y), mask) << n << " turns: " << x << "," << y;
    }
}

TEST(RotateSelection, TurnsAboutTheCentreWithoutLosingPixels) {
  for (const TurnCase& c : kTurnCases) {
    SCOPED_TRACE(testing::Message() << c.size << ": " << c.cells.left << "," << c.cells.top);
    EditorState s;
    LayOutPatternedImage(s, c.size);
    const EditorState original = s;
    const int off = (128 - c.size) / 2;  // 56 for 16 ... 32 for 64
    EXPECT_EQ(RotateCanvasWindow(s), (Rect{off, off, off + c.size, off + c.size}));
    s.ToolStage = 3;
    const Rect p = CellRectToPixelRect(c.cells, s.CellSize);
    Rect rect{p.right, p.bottom, p.left, p.top};  // dragged up and to the left
    for (int n = 1; n <= 4; ++n) {
      RotateSelection(s, rect);
      EXPECT_EQ(s.ToolStage, 3 + n);
      EXPECT_EQ(rect, CellRectToPixelRect(n % 2 ? c.turned : c.cells, s.CellSize));
      ExpectTurned(s, original, c, n);
    }
    EXPECT_EQ(s.UndoTop, -1);  // the caller pushes
  }
}

// The image changed by a command after a turn, with the selection dropped or (as a safeguard) not: the next
// turn works on the image as it is now and never writes the earlier canvas back.
TEST(RotateSelection, NeverWritesAStaleCanvasBack) {
  const TurnCase& c = kTurnCases[1];
  for (bool dropped : {true, false}) {
    EditorState s;
    LayOutPatternedImage(s, c.size);
    s.ToolStage = 3;
    Rect rect = CellRectToPixelRect(c.cells, s.CellSize);
    RotateSelection(s, rect);
    s.iconimage = s.WorkImages[2];  // the command: the picture as before the turn, edited
    s.iconmask = s.WorkImages[3];
    s.iconimage.setPixel(6, 6, 0x123456);
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
