// Moving and copying selected rectangles and shapes, and the hit-test geometry.
#include <gtest/gtest.h>

#include <vector>

#include "editor/core/Selection.h"
#include "platform/Region.h"
#include "tests/editor/PatternedImage.h"

namespace gw {
namespace {

constexpr int kZoom = 20;            // of the 16 x 16 image
constexpr Rect kSource{2, 2, 5, 5};  // cells

Rect At(Point to) { return CellRectToPixelRect({to.x, to.y, to.x + 3, to.y + 3}, kZoom); }
std::vector<Point> Outline(const Rect& p) {
  return {{p.left, p.top}, {p.right, p.top}, {p.right, p.bottom}, {p.left, p.bottom}};
}

struct MoveCase {
  const char* name;
  std::vector<std::pair<bool, Point>> moves;  // Shift held, new top-left cell
  bool sourceCleared;                         // a move (not a copy) lifted the source
  std::vector<Point> copies;                  // where the source block now shows, pasted in this order
  friend void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }
};
const MoveCase kMoveCases[] = {
    {"MoveClearsTheSource", {{false, {8, 8}}}, true, {{8, 8}}},
    {"ShiftAtTheFirstMoveCopies", {{true, {8, 8}}}, false, {{8, 8}}},
    {"RepeatedMovesRestoreWhatLayUnder", {{false, {8, 8}}, {false, {10, 3}}}, true, {{10, 3}}},
    {"BackOverTheSourceShowsItCleared", {{false, {4, 2}}, {false, {3, 3}}}, true, {{3, 3}}},
    {"ShiftLaterLeavesACopyBehind", {{false, {8, 8}}, {true, {10, 3}}, {false, {0, 10}}}, true, {{8, 8}, {0, 10}}},
    {"CopyThenMoveKeepsTheSource", {{true, {8, 8}}, {false, {12, 12}}}, false, {{12, 12}}},
    {"ReachesTheIconEdge", {{false, {13, 13}}, {false, {0, 13}}}, true, {{0, 13}}},
};

class MoveTest : public ::testing::TestWithParam<MoveCase> {
 protected:
  void SetUp() override {
    LayOutPatternedImage(s, 16);
    original = s;
    s.ToolStage = 3;
  }
  // The original, the source cleared if it was moved, then the block pasted whole (mask included) at each copy.
  void ExpectPicture() {
    EditorState e = original;
    if (GetParam().sourceCleared) ClearRectToTransparent(e, kSource);
    for (Point at : GetParam().copies)
      for (int i = 0; i < 9; ++i) {
        e.iconimage.setPixel(at.x + i % 3, at.y + i / 3, original.iconimage.pixel(2 + i % 3, 2 + i / 3));
        e.iconmask.setPixel(at.x + i % 3, at.y + i / 3, original.iconmask.pixel(2 + i % 3, 2 + i / 3));
      }
    EXPECT_EQ(s.iconimage, e.iconimage);
    EXPECT_EQ(s.iconmask, e.iconmask);
    EXPECT_EQ(s.ToolStage, 4);
  }
  EditorState s, original;
};

TEST_P(MoveTest, Rectangle) {
  Rect from = At({2, 2});
  for (auto [shift, to] : GetParam().moves) {
    MoveSelectedRect(s, shift, At(to), from);
    EXPECT_EQ(s.MoveCellRect, PixelRectToCellRect(At(to), kZoom));
    from = At(to);
  }
  ExpectPicture();
}

TEST_P(MoveTest, RectangleWithReversedCorners) {
  const auto reversed = [](const Rect& r) { return Rect{r.right, r.bottom, r.left, r.top}; };
  Rect from = At({2, 2});
  for (auto [shift, to] : GetParam().moves) {
    MoveSelectedRect(s, shift, reversed(At(to)), reversed(from));
    from = At(to);
  }
  ExpectPicture();
}

TEST_P(MoveTest, ShapeOfTheSameOutline) {
  std::vector<Point> from = Outline(At({2, 2}));
  for (auto [shift, to] : GetParam().moves) {
    MoveSelectedShape(s, from, Outline(At(to)), shift, 4);
    EXPECT_EQ(s.ShapeCells[0], to);
    from = Outline(At(to));
  }
  ExpectPicture();
}

INSTANTIATE_TEST_SUITE_P(Selection, MoveTest, ::testing::ValuesIn(kMoveCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(SelectionMove, OtherStagesOnlyClearTheFloatImages) {
  EditorState s;
  LayOutPatternedImage(s, 16);
  const Bitmap image = s.iconimage;
  for (int stage : {1, 2, 5}) {
    s.ToolStage = stage;
    MoveSelectedRect(s, false, At({0, 0}), At({8, 8}));
    MoveSelectedShape(s, Outline(At({2, 2})), Outline(At({1, 1})), false, 4);
    EXPECT_EQ(s.iconimage, image);
    EXPECT_EQ(s.WorkImages[4], Bitmap(16, 16, s.TransparentColor));
    EXPECT_EQ(s.ToolStage, stage);
  }
}

TEST(SelectionMove, SelfCrossingShapeMovesItsCentre) {
  // A pentagram in one stroke: its centre is wound twice, inside by the winding rule, outside by even-odd.
  const std::vector<Point> star{{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};
  EditorState s;
  LayOutPatternedImage(s, 32);
  const EditorState original = s;
  std::vector<Point> from, to;
  for (Point p : star) from.push_back({p.x * 10, p.y * 10}), to.push_back({(p.x + 12) * 10, (p.y + 14) * 10});
  EXPECT_TRUE(PointInShape(80, 80, from, 5));
  s.ToolStage = 3;
  MoveSelectedShape(s, from, to, false, 5);

  const Region region = Region::polygon(star);
  ASSERT_TRUE(region.contains(8, 8));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool landed = region.contains(x - 12, y - 14), lifted = region.contains(x, y);
      const Point p = landed ? Point{x - 12, y - 14} : Point{x, y};
      const bool clear = !landed && lifted;
      const Color image = clear ? s.TransparentColor : original.iconimage.pixel(p.x, p.y);
      ASSERT_EQ(s.iconimage.pixel(x, y), image) << x << "," << y;
      ASSERT_EQ(s.iconmask.pixel(x, y), clear ? kWhite : original.iconmask.pixel(p.x, p.y)) << x << "," << y;
    }
}

TEST(SelectionMove, ListsAreCutAt1024Points) {
  // 1024 points on a square, then points far out that would widen the polygon if they counted.
  std::vector<Point> points(1100, Point{200, 0});
  const std::vector<Point> square = Outline({0, 0, 100, 100});
  for (std::size_t i = 0; i < 1024; ++i) points[i] = square[i / 256];
  EXPECT_FALSE(PointInShape(150, 20, points, 1100));
  EXPECT_TRUE(ShapeBoxInRect(points, 5000, {0, 0, 100, 100}));
  std::vector<Point> copy(1100);
  ScalePointsToCells(points, copy, 5000, 10);
  CopyPoints(points, copy, 5000);
  EXPECT_EQ(copy[1023], (Point{0, 100}));
  EXPECT_EQ(copy[1024], Point{});

  EditorState s;  // a count past the lists' length reads nothing beyond them
  LayOutPatternedImage(s, 16);
  s.ToolStage = 3;
  MoveSelectedShape(s, Outline(At({2, 2})), Outline(At({8, 8})), false, 5000);
  EXPECT_EQ(s.ShapeCells[0], (Point{8, 8}));
}

TEST(SelectionGeometry, EdgesCountAsInside) {
  const std::pair<Point, bool> inRect[] = {{{10, 10}, true}, {{20, 20}, true}, {{21, 15}, false}, {{15, 9}, false}};
  for (auto [p, inside] : inRect) {
    EXPECT_EQ(PointInRect(p, {10, 10, 20, 20}), inside) << p.x << "," << p.y;
    EXPECT_EQ(PointInRect(p, {20, 20, 10, 10}), inside) << p.x << "," << p.y;
  }
  // A shape's region box may touch the edit area's right and bottom edges, never cross an edge.
  const std::pair<Rect, bool> boxes[] = {{{200, 250, 320, 320}, true}, {{210, 10, 330, 100}, false},
                                         {{10, 220, 100, 330}, false}, {{-10, 0, 100, 100}, false}};
  for (auto [r, inside] : boxes) EXPECT_EQ(ShapeBoxInRect(Outline(r), 4, {0, 0, 320, 320}), inside) << r.left;

  std::vector<Point> cells(4);
  ScalePointsToCells(std::vector<Point>{{0, 0}, {25, 39}, {-15, -5}, {40, 10}}, cells, 4, 10);
  EXPECT_EQ(cells, (std::vector<Point>{{0, 0}, {2, 3}, {-1, 0}, {4, 1}}));  // toward zero
}

}  // namespace
}  // namespace gw
