// Moving and copying selected rectangles and shapes, and the hit-test geometry.
#include <gtest/gtest.h>

#include <vector>

#include "editor/core/Selection.h"
#include "platform/Region.h"
#include "tests/editor/PatternedImage.h"

namespace gw {
namespace {

constexpr int kSize = 16, kZoom = 20;
constexpr Rect kSource{2, 2, 5, 5};  // cells

Rect ToPixels(const Rect& cells) { return CellRectToPixelRect(cells, kZoom); }
Rect Moved(const Rect& r, Point to) { return {to.x, to.y, to.x + r.width(), to.y + r.height()}; }
std::vector<Point> Outline(const Rect& cells) {  // the rectangle's outline at cell corners, in pixels
  const Rect p = ToPixels(cells);
  return {{p.left, p.top}, {p.right, p.top}, {p.right, p.bottom}, {p.left, p.bottom}};
}

struct Move {
  bool shift;
  Point to;  // new top-left cell of the selection
};
struct MoveCase {
  const char* name;
  std::vector<Move> moves;
  bool sourceCleared;        // the picture under the floating pixels has the source made transparent
  std::vector<Point> copies;  // where the selection's pixels now show, painted in this order
  friend void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }
};

// The expected picture: the original, the source cleared if it was a move, then the source block pasted whole
// (mask included) at each place.
void Expected(const EditorState& original, const MoveCase& c, Bitmap& image, Bitmap& mask) {
  image = original.iconimage;
  mask = original.iconmask;
  for (int y = kSource.top; c.sourceCleared && y < kSource.bottom; ++y)
    for (int x = kSource.left; x < kSource.right; ++x) {
      image.setPixel(x, y, original.TransparentColor);
      mask.setPixel(x, y, kWhite);
    }
  for (Point at : c.copies)
    for (int y = 0; y < kSource.height(); ++y)
      for (int x = 0; x < kSource.width(); ++x) {
        image.setPixel(at.x + x, at.y + y, original.iconimage.pixel(kSource.left + x, kSource.top + y));
        mask.setPixel(at.x + x, at.y + y, original.iconmask.pixel(kSource.left + x, kSource.top + y));
      }
}

const MoveCase kMoveCases[] = {
    {"MoveClearsTheSource", {{false, {8, 8}}}, true, {{8, 8}}},
    {"ShiftAtTheFirstMoveCopies", {{true, {8, 8}}}, false, {{8, 8}}},
    {"RepeatedMovesRestoreWhatLayUnder", {{false, {8, 8}}, {false, {10, 3}}}, true, {{10, 3}}},
    {"BackOverTheSourceShowsItCleared", {{false, {4, 2}}, {false, {3, 3}}}, true, {{3, 3}}},
    {"BackToTheStartRestoresTheSource", {{false, {9, 1}}, {false, {2, 2}}}, true, {{2, 2}}},
    {"ShiftLaterLeavesACopyBehind", {{false, {8, 8}}, {true, {10, 3}}, {false, {0, 10}}}, true,
     {{8, 8}, {0, 10}}},
    {"CopyThenMoveKeepsTheSource", {{true, {8, 8}}, {false, {12, 12}}}, false, {{12, 12}}},
    {"ReachesTheIconEdge", {{false, {13, 13}}, {false, {0, 13}}}, true, {{0, 13}}},
};

class MoveTest : public ::testing::TestWithParam<MoveCase> {
 protected:
  void SetUp() override {
    LayOutPatternedImage(s, kSize);
    original = s;
    s.ToolStage = 3;
  }
  void ExpectPicture(const char* tool) {
    Bitmap image, mask;
    Expected(original, GetParam(), image, mask);
    EXPECT_EQ(s.iconimage, image) << tool;
    EXPECT_EQ(s.iconmask, mask) << tool;
    EXPECT_EQ(s.ToolStage, 4);
  }
  EditorState s, original;
};

TEST_P(MoveTest, RectangleMoves) {
  const bool reversed = GetParam().moves.size() == 1;  // single moves pass the corners reversed
  Rect at = kSource;
  for (const Move& m : GetParam().moves) {
    const Rect to = Moved(kSource, m.to);
    const Rect o = ToPixels(at), n = ToPixels(to);
    if (reversed)
      MoveSelectedRect(s, m.shift, {n.right, n.bottom, n.left, n.top}, {o.right, o.bottom, o.left, o.top});
    else
      MoveSelectedRect(s, m.shift, n, o);
    EXPECT_EQ(s.MoveCellRect, to);
    at = to;
  }
  ExpectPicture("rectangle");
}

TEST_P(MoveTest, ShapeOfTheSameOutlineMovesAlike) {
  std::vector<Point> points = Outline(kSource);
  for (const Move& m : GetParam().moves) {
    const std::vector<Point> outline = Outline(Moved(kSource, m.to));
    MoveSelectedShape(s, points, outline, m.shift, 4);
    points = outline;
    EXPECT_EQ(s.ShapeCells[0], m.to);
  }
  ExpectPicture("shape");
}

INSTANTIATE_TEST_SUITE_P(Selection, MoveTest, ::testing::ValuesIn(kMoveCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(SelectionMove, FirstMoveKeepsTheBackupAndOtherStagesOnlyClearTheFloat) {
  EditorState s;
  LayOutPatternedImage(s, kSize);
  const EditorState original = s;
  s.ToolStage = 3;
  MoveSelectedRect(s, false, ToPixels(Moved(kSource, {8, 8})), ToPixels(kSource));
  EXPECT_EQ(s.WorkImages[2].pixel(3, 3), s.TransparentColor);   // the picture without the lifted pixels
  EXPECT_EQ(s.WorkImages[2].pixel(9, 9), original.iconimage.pixel(9, 9));
  EXPECT_EQ(s.WorkImages[4].pixel(9, 9), original.iconimage.pixel(3, 3));  // the float at its place
  EXPECT_EQ(s.WorkImages[4].pixel(3, 3), s.TransparentColor);

  for (int stage : {1, 2, 5}) {
    const Bitmap image = s.iconimage;
    s.ToolStage = stage;
    MoveSelectedRect(s, false, ToPixels(Moved(kSource, {0, 0})), ToPixels(Moved(kSource, {8, 8})));
    MoveSelectedShape(s, Outline(kSource), Outline(Moved(kSource, {1, 1})), false, 4);
    EXPECT_EQ(s.iconimage, image);
    EXPECT_EQ(s.WorkImages[4], Bitmap(kSize, kSize, s.TransparentColor));
    EXPECT_EQ(s.WorkImages[5], Bitmap(kSize, kSize, kWhite));
    EXPECT_EQ(s.ToolStage, stage);
  }
}

// A pentagram in cells, drawn in one stroke: its centre pentagon is wound twice, so the winding rule puts it
// inside where an even-odd rule would leave it out.
const std::vector<Point> kStar{{8, 0}, {13, 15}, {0, 5}, {16, 5}, {3, 15}};

TEST(SelectionMove, SelfCrossingShapeMovesItsCentre) {
  EditorState s;
  LayOutPatternedImage(s, 32);
  const EditorState original = s;
  const int z = s.CellSize;
  std::vector<Point> from, to;
  for (Point p : kStar) {
    from.push_back({p.x * z, p.y * z});
    to.push_back({(p.x + 12) * z, (p.y + 14) * z});
  }
  ASSERT_TRUE(PointInShape(8 * z, 8 * z, from, 5));
  s.ToolStage = 3;
  MoveSelectedShape(s, from, to, false, 5);

  const Region star = Region::polygon(kStar);
  ASSERT_TRUE(star.contains(8, 8));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const bool landed = star.contains(x - 12, y - 14), lifted = star.contains(x, y);
      const Color image = landed ? original.iconimage.pixel(x - 12, y - 14)
                                 : lifted ? s.TransparentColor : original.iconimage.pixel(x, y);
      const Color mask = landed ? original.iconmask.pixel(x - 12, y - 14)
                                : lifted ? kWhite : original.iconmask.pixel(x, y);
      ASSERT_EQ(s.iconimage.pixel(x, y), image) << x << "," << y;
      ASSERT_EQ(s.iconmask.pixel(x, y), mask) << x << "," << y;
    }
}

TEST(SelectionMove, ListsAreCutAt1024Points) {
  // 1024 points on a small square, then points far out that would widen the polygon if they counted.
  std::vector<Point> points(1100, Point{200, 0});
  const std::vector<Point> square{{0, 0}, {100, 0}, {100, 100}, {0, 100}};
  for (std::size_t i = 0; i < 1024; ++i) points[i] = square[i * 4 / 1024];
  EXPECT_TRUE(PointInShape(50, 50, points, 1100));
  EXPECT_FALSE(PointInShape(150, 20, points, 1100));
  EXPECT_TRUE(ShapeBoxInRect(points, 5000, {0, 0, 100, 100}));

  std::vector<Point> copy(1100);
  CopyPoints(points, copy, 1100);
  EXPECT_EQ(copy[1023], points[1023]);
  EXPECT_EQ(copy[1024], Point{});
  ScalePointsToCells(points, copy, 5000, 10);
  EXPECT_EQ(copy[1023], (Point{0, 10}));
  EXPECT_EQ(copy[1024], Point{});

  EditorState s;  // a count past the lists' length reads nothing beyond them
  LayOutPatternedImage(s, kSize);
  s.ToolStage = 3;
  const std::vector<Point> outline = Outline(kSource);
  MoveSelectedShape(s, outline, Outline(Moved(kSource, {8, 8})), false, 5000);
  EXPECT_EQ(s.ShapeCells[0], (Point{8, 8}));
}

TEST(SelectionGeometry, PointInRectCountsAllFourEdges) {
  struct Row {
    Point p;
    Rect r;
    bool inside;
  };
  const Row rows[] = {
      {{10, 10}, {10, 10, 20, 20}, true},  {{20, 20}, {10, 10, 20, 20}, true},
      {{21, 15}, {10, 10, 20, 20}, false}, {{15, 9}, {10, 10, 20, 20}, false},
      {{20, 10}, {20, 20, 10, 10}, true},  {{9, 15}, {20, 20, 10, 10}, false},
      {{5, 5}, {5, 5, 5, 5}, true},
  };
  for (const Row& row : rows) EXPECT_EQ(PointInRect(row.p, row.r), row.inside) << row.p.x << "," << row.p.y;
}

TEST(SelectionGeometry, ScalingTruncatesTowardZero) {
  const std::vector<Point> in{{0, 0}, {25, 39}, {-15, -5}, {40, 10}};
  std::vector<Point> out(4);
  ScalePointsToCells(in, out, 4, 10);
  EXPECT_EQ(out, (std::vector<Point>{{0, 0}, {2, 3}, {-1, 0}, {4, 1}}));
}

TEST(SelectionGeometry, ShapeBoxMayTouchButNotCrossTheEdges) {
  const Rect area{0, 0, 320, 320};
  struct Row {
    Rect outline;
    bool inside;
  };
  const Row rows[] = {
      {{0, 0, 320, 320}, true},   {{200, 250, 320, 320}, true}, {{210, 10, 330, 100}, false},
      {{10, 220, 100, 330}, false}, {{-10, 0, 100, 100}, false},
  };
  for (const Row& row : rows) {
    const Rect& r = row.outline;
    const std::vector<Point> pts{{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
    EXPECT_EQ(ShapeBoxInRect(pts, 4, area), row.inside) << r.left << "," << r.top;
  }
}

TEST(SelectionGeometry, ShapeRegionCopyWithinOneBitmapReadsTheOldPixels) {
  EditorState s;
  LayOutPatternedImage(s, kSize);
  const Bitmap before = s.iconimage;
  const std::vector<Point> cells{{0, 0}, {4, 0}, {4, 1}, {0, 1}}, shifted{{1, 0}, {5, 0}, {5, 1}, {1, 1}};
  CopyShapeRegion(s, s.iconimage, s.iconimage, 4, shifted, cells);
  for (int x = 1; x <= 4; ++x) EXPECT_EQ(s.iconimage.pixel(x, 0), before.pixel(x - 1, 0));
  EXPECT_EQ(s.iconimage.pixel(0, 0), before.pixel(0, 0));
}

}  // namespace
}  // namespace gw
