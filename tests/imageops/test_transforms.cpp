// Mirrors, the whole-image turn, the rectangle delete and nudging, on an image of unique colours.
#include <gtest/gtest.h>

#include "imageops/core/Mirrors.h"
#include "imageops/core/Nudge.h"
#include "imageops/core/Rotations.h"
#include "tests/imageops/OpsImage.h"

namespace gw {
namespace {

constexpr int kSize = 32;

class TransformTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(kTypeTrueColor); }
  void Start(int type) {
    StartImage(s, type, kSize);
    Paint(s, UniqueColor, UniqueMask);
    image0 = s.iconimage;
    mask0 = s.iconmask;
  }
  bool Unchanged() const { return s.iconimage == image0 && s.iconmask == mask0; }
  EditorState s;
  Bitmap image0, mask0;
};

struct MirrorCase {
  Mirror mirror;
  Rect target, source;  // in pixels of the 32 x 32 image
  Point from, to;       // one pixel the mirror copies
};

TEST_F(TransformTest, EveryMirrorFillsItsTargetFromItsSourceOnly) {
  const Rect top{0, 0, 32, 16}, bottom{0, 16, 32, 32}, left{0, 0, 16, 32}, right{16, 0, 32, 32};
  const Rect lt{0, 0, 16, 16}, rt{16, 0, 32, 16}, lb{0, 16, 16, 32}, rb{16, 16, 32, 32};
  const MirrorCase cases[] = {
      {Mirror::BottomMirrorsTop, bottom, top, {4, 0}, {4, 31}},
      {Mirror::TopMirrorsBottom, top, bottom, {4, 31}, {4, 0}},
      {Mirror::RightMirrorsLeft, right, left, {0, 9}, {31, 9}},
      {Mirror::LeftMirrorsRight, left, right, {31, 9}, {0, 9}},
      {Mirror::LeftTopMirrorsRightTop, lt, rt, {20, 3}, {11, 3}},
      {Mirror::RightTopMirrorsLeftTop, rt, lt, {11, 3}, {20, 3}},
      {Mirror::LeftBottomMirrorsRightBottom, lb, rb, {20, 19}, {11, 19}},
      {Mirror::RightBottomMirrorsLeftBottom, rb, lb, {11, 19}, {20, 19}},
      {Mirror::LeftTopMirrorsLeftBottom, lt, lb, {3, 20}, {3, 11}},
      {Mirror::LeftBottomMirrorsLeftTop, lb, lt, {3, 11}, {3, 20}},
      {Mirror::RightTopMirrorsRightBottom, rt, rb, {20, 20}, {20, 11}},
      {Mirror::RightBottomMirrorsRightTop, rb, rt, {20, 11}, {20, 20}},
      {Mirror::LeftTopMirrorsRightBottom, lt, rb, {31, 16}, {15, 0}},
      {Mirror::RightBottomMirrorsLeftTop, rb, lt, {15, 0}, {31, 16}},
      {Mirror::LeftBottomMirrorsRightTop, lb, rt, {20, 3}, {3, 20}},
      {Mirror::RightTopMirrorsLeftBottom, rt, lb, {3, 20}, {20, 3}},
  };
  ASSERT_EQ(MirrorRules().size(), std::size(cases));
  for (const MirrorCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.mirror));
    Start(kTypeTrueColor);
    const int top0 = s.UndoTop;
    MirrorImage(s, c.mirror);
    EXPECT_EQ(s.UndoTop, top0 + 1);
    EXPECT_EQ(s.iconimage.pixel(c.to.x, c.to.y), image0.pixel(c.from.x, c.from.y));
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const Color now = s.iconimage.pixel(x, y);
        if (!c.target.contains(x, y)) {
          ASSERT_EQ(now, image0.pixel(x, y));
          ASSERT_EQ(s.iconmask.pixel(x, y), mask0.pixel(x, y));
          continue;
        }
        // The unique colour tells where the pixel came from; its mask came along.
        const int sx = RedOf(now), sy = GreenOf(now);
        ASSERT_TRUE(c.source.contains(sx, sy)) << x << "," << y;
        ASSERT_EQ(s.iconmask.pixel(x, y), mask0.pixel(sx, sy));
      }
    }
  }
}

TEST_F(TransformTest, FourLeftTurnsGiveTheImageBackWithTwoUndoStatesEach) {
  RotateImageLeft(s);
  EXPECT_EQ(s.iconimage.pixel(0, 0), image0.pixel(31, 0));
  EXPECT_EQ(s.iconimage.pixel(0, 31), image0.pixel(0, 0));
  EXPECT_EQ(s.iconmask.pixel(5, 31 - 7), mask0.pixel(7, 5));
  EXPECT_EQ(s.UndoTop, 3);
  ASSERT_TRUE(UndoStep(s));
  EXPECT_TRUE(Unchanged());
  ASSERT_TRUE(UndoStep(s));
  EXPECT_TRUE(Unchanged());  // the state pushed before the turn
  ASSERT_TRUE(RedoStep(s));
  ASSERT_TRUE(RedoStep(s));
  for (int k = 0; k < 3; ++k) RotateImageLeft(s);
  EXPECT_TRUE(Unchanged());
  EXPECT_EQ(s.UndoTop, 9);
}

TEST_F(TransformTest, ARightTurnUndoesALeftOneAndTwoFlipsCancel) {
  RotateImageRight(s);
  EXPECT_EQ(s.iconimage.pixel(31, 0), image0.pixel(0, 0));
  EXPECT_EQ(s.iconmask.pixel(31 - 5, 7), mask0.pixel(7, 5));
  EXPECT_EQ(s.UndoTop, 3);
  RotateImageLeft(s);
  EXPECT_TRUE(Unchanged());
  RotateImageLeft(s);
  RotateImageRight(s);
  EXPECT_TRUE(Unchanged());
  EXPECT_EQ(s.UndoTop, 9);
  const std::pair<bool, Point> flips[] = {{true, {27, 4}}, {false, {4, 27}}};
  for (const auto& [horizontal, mirrored] : flips) {
    const int top = s.UndoTop;
    FlipImage(s, horizontal);
    EXPECT_EQ(s.UndoTop, top + 1);
    EXPECT_EQ(s.iconimage.pixel(mirrored.x, mirrored.y), image0.pixel(4, 4));
    EXPECT_EQ(s.iconmask.pixel(mirrored.x, mirrored.y), mask0.pixel(4, 4));
    FlipImage(s, horizontal);
    EXPECT_TRUE(Unchanged());
  }
}

TEST_F(TransformTest, DeleteClearsTheCellsUnderTheSelectionClippedToTheImage) {
  struct Case {
    int type;
    Rect selection;  // edit-area pixels, CellSize 10
    Rect cleared;    // cells
  };
  const Case cases[] = {
      {kTypeTrueColor, {5, 5, 25, 25}, {0, 0, 2, 2}},
      {kTypeTrueColor, {25, 25, 5, 5}, {0, 0, 2, 2}},  // dragged up and to the left
      {kTypeMono, {25, 5, 5, 25}, {0, 0, 2, 2}},
      {kTypeTrueColor, {-30, 300, 50, 400}, {0, 30, 5, 32}},
      {kTypeCursor, {310, 0, 400, 40}, {31, 0, 32, 4}},
      {kTypeTrueColor, {330, 330, 400, 400}, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.selection.left << "," << c.selection.top);
    Start(c.type);
    DeleteSelectedRectangle(s, c.selection);
    EXPECT_EQ(s.UndoTop, 2);
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const bool cleared = c.cleared.contains(x, y);
        ASSERT_EQ(s.iconimage.pixel(x, y), cleared ? TransparentOf(c.type) : image0.pixel(x, y)) << x << "," << y;
        ASSERT_EQ(s.iconmask.pixel(x, y), cleared ? kWhite : mask0.pixel(x, y));
      }
    }
  }
}

TEST_F(TransformTest, NudgesMoveTheWindowOverTheCanvasAndBack) {
  Nudge(s, NudgeDirection::Right);
  for (int y = 0; y < kSize; ++y) {
    ASSERT_EQ(s.iconimage.pixel(0, y), kWhite);
    ASSERT_EQ(s.iconmask.pixel(0, y), kWhite);
    ASSERT_EQ(s.iconimage.pixel(1, y), image0.pixel(0, y));
    ASSERT_EQ(s.iconimage.pixel(31, y), image0.pixel(30, y));
  }
  EXPECT_EQ(s.editarea.pixel(15, 5), image0.pixel(0, 0));  // redrawn magnified
  Nudge(s, NudgeDirection::Left);
  EXPECT_TRUE(Unchanged());
  EXPECT_EQ(s.UndoTop, 3);
  EXPECT_EQ(s.PlacementWindowRect, s.CurrentPlacementRect);

  // Up then down-left is one left; so is down-right then up-left then left.
  Nudge(s, NudgeDirection::Up);
  Nudge(s, NudgeDirection::DownLeft);
  const Bitmap oneLeft = s.iconimage;
  const Rect windowLeft = s.PlacementWindowRect;
  for (NudgeDirection d :
       {NudgeDirection::Right, NudgeDirection::DownRight, NudgeDirection::UpLeft, NudgeDirection::Left})
    Nudge(s, d);
  EXPECT_EQ(s.iconimage, oneLeft);
  EXPECT_EQ(s.PlacementWindowRect, windowLeft);
  EXPECT_EQ(s.UndoTop, 9);
}

TEST_F(TransformTest, ANudgePastTheCanvasEdgeShowsTransparentPixels) {
  Start(kTypeMono);
  s.PlacementWindowRect = {1, 0, 33, 32};  // as an unscaled import leaves it, one nudge in
  Nudge(s, NudgeDirection::Right);
  Nudge(s, NudgeDirection::Right);
  for (int y = 0; y < kSize; ++y) {
    ASSERT_EQ(s.iconimage.pixel(0, y), kAqua);
    ASSERT_EQ(s.iconmask.pixel(0, y), kWhite);
  }
  EXPECT_EQ(s.PlacementWindowRect, (Rect{-1, 0, 31, 32}));
}

}  // namespace
}  // namespace gw
