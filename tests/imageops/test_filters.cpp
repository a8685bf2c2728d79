// The convolution filters: exact values on one pixel and on steps, the near-white and mask rules, the
// border, and one undo state per filter.
#include <gtest/gtest.h>

#include "imageops/core/Filters.h"
#include "tests/imageops/OpsImage.h"

namespace gw {
namespace {

constexpr int kSize = 16;
constexpr int kX = 5, kY = 5;  // the lone pixel

class FilterTest : public ::testing::Test {
 protected:
  void Start(int type = kTypeTrueColor) { StartImage(s, type, kSize); }
  // A field of one colour and mask with a different pixel at (kX, kY).
  void LonePixel(Color field, Color fieldMask, Color lone, Color loneMask = kBlack) {
    Paint(s, [=](int x, int y) { return x == kX && y == kY ? lone : field; },
          [=](int x, int y) { return x == kX && y == kY ? loneMask : fieldMask; });
  }
  Color At(int dx, int dy) const { return s.iconimage.pixel(kX + dx, kY + dy); }
  EditorState s;
};

struct BlurCase {
  Filter filter;
  int centre, edge, corner;  // the black pixel and its side and corner neighbours, per channel
};

TEST_F(FilterTest, BlursOfOneBlackPixelOnTransparentWhite) {
  const BlurCase cases[] = {{Filter::SlightBlur, 85, 244, 244},
                            {Filter::MoreBlur, 145, 236, 236},
                            {Filter::EvenMoreBlur, 226, 226, 226},
                            {Filter::GaussianBlur, 191, 223, 239}};
  for (const BlurCase& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.filter));
    Start();
    LonePixel(kWhite, kWhite, kBlack);
    const int top = s.UndoTop;
    RunFilter(s, c.filter);
    EXPECT_EQ(s.UndoTop, top + 1);
    EXPECT_EQ(At(0, 0), Grey(c.centre));
    EXPECT_EQ(At(1, 0), Grey(c.edge));
    EXPECT_EQ(At(0, -1), Grey(c.edge));
    EXPECT_EQ(At(-1, -1), Grey(c.corner));
    EXPECT_EQ(At(1, 1), Grey(c.corner));
    // What the blur changed is opaque; the white around it stays white and transparent.
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const bool near = std::abs(x - kX) <= 1 && std::abs(y - kY) <= 1;
        ASSERT_EQ(s.iconmask.pixel(x, y), near ? kBlack : kWhite) << x << "," << y;
        if (!near) {
          ASSERT_EQ(s.iconimage.pixel(x, y), kWhite);
        }
      }
    }
    EXPECT_EQ(s.PlacementCanvas.pixel(s.CurrentPlacementRect.left + kX, s.CurrentPlacementRect.top + kY),
              Grey(c.centre));
  }
}

struct NearWhiteCase {
  int type;
  Color fill, interior;
};

TEST_F(FilterTest, NearWhiteSnapsToWhiteByTheTypesChannels) {
  const NearWhiteCase cases[] = {{kTypeTrueColor, Grey(252), kWhite},
                                 {kTypeTrueColor, MakeColor(0, 252, 252), MakeColor(0, 252, 252)},
                                 {kTypeMono, MakeColor(0, 252, 252), kAqua},
                                 {kTypeTrueColor, Grey(100), Grey(100)}};
  for (const NearWhiteCase& c : cases) {
    SCOPED_TRACE(c.fill);
    Start(c.type);
    Paint(s, [&](int, int) { return c.fill; }, [](int, int) { return kBlack; });
    RunFilter(s, Filter::SlightBlur);
    EXPECT_EQ(s.iconimage.pixel(3, 3), c.interior);
    EXPECT_EQ(s.iconimage.pixel(0, 3), c.fill);  // the border keeps its colour
    EXPECT_EQ(s.iconmask.pixel(3, 3), kBlack);
  }
}

TEST_F(FilterTest, SharpenersOfOneLighterPixelLeaveTheMask) {
  const BlurCase cases[] = {{Filter::SharpenBasic, 173, 86, 100}, {Filter::SharpenMeanRemoval, 255, 80, 80}};
  for (const BlurCase& c : cases) {
    Start();
    LonePixel(Grey(100), kWhite, Grey(120), kWhite);
    RunFilter(s, c.filter);
    EXPECT_EQ(At(0, 0), Grey(c.centre));
    EXPECT_EQ(At(-1, 0), Grey(c.edge));
    EXPECT_EQ(At(1, 1), Grey(c.corner));
    EXPECT_EQ(At(3, 3), Grey(100));
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) ASSERT_EQ(s.iconmask.pixel(x, y), kWhite);
    EXPECT_EQ(s.UndoTop, 2);
  }
}

struct EdgeCase {
  int dx, dy, value;
};

TEST_F(FilterTest, SobelOfOneWhitePixelOnBlackHoldsStrongEdgesBlack) {
  Start();
  LonePixel(kBlack, kBlack, kWhite);
  RunFilter(s, Filter::Sobel);
  // Left of and below the pixel the gradients are strong; (-1, 1) adds to 510, which stays black.
  const EdgeCase cases[] = {{0, 0, 255}, {-1, 0, 0}, {1, 0, 255}, {0, -1, 255}, {0, 1, 0},
                            {-1, -1, 0}, {-1, 1, 0}, {1, 1, 0},   {1, -1, 255}, {4, 4, 255}};
  for (const EdgeCase& c : cases) EXPECT_EQ(At(c.dx, c.dy), Grey(c.value)) << c.dx << "," << c.dy;
  EXPECT_EQ(s.iconimage.pixel(0, 7), kWhite);  // border: TransparentColor, opaque
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) ASSERT_EQ(s.iconmask.pixel(x, y), kBlack);
}

struct StepCase {
  bool vertical;  // the step runs down the image (a change from column to column)
  int value;      // the light side's channel value
  int expected;   // just on the dark side of the step
};

TEST_F(FilterTest, SobelOnStepsSeesOnlyFallingEdges) {
  const StepCase cases[] = {{true, 60, 15}, {true, 100, 0}, {false, 60, 255}};
  for (const StepCase& c : cases) {
    Start();
    // Vertical: dark left half, light right half. Horizontal: dark top, light bottom.
    Paint(s, [&](int x, int y) { return (c.vertical ? x : y) >= kSize / 2 ? Grey(c.value) : kBlack; },
          [](int, int) { return kBlack; });
    RunFilter(s, Filter::Sobel);
    const int h = kSize / 2;
    EXPECT_EQ(c.vertical ? s.iconimage.pixel(h - 1, 4) : s.iconimage.pixel(4, h - 1), Grey(c.expected));
    EXPECT_EQ(s.iconimage.pixel(h + 2, h + 2), kWhite);  // flat
  }
  // Light top, dark bottom: the edge shows on its light side.
  Start();
  Paint(s, [](int, int y) { return y < kSize / 2 ? Grey(60) : kBlack; }, [](int, int) { return kBlack; });
  RunFilter(s, Filter::Sobel);
  EXPECT_EQ(s.iconimage.pixel(4, kSize / 2 - 1), Grey(15));
}

TEST_F(FilterTest, LaplaceOfOneLightPixelWithATwoPixelBorder) {
  // 255 - 2 x 24v, held at 0: the strongest edges are black, not wrapped round to light.
  const std::pair<int, int> cases[] = {{255, 0}, {4, 63}, {5, 15}, {6, 0}};
  for (const auto& [lone, centre] : cases) {
    SCOPED_TRACE(lone);
    Start();
    LonePixel(kBlack, kBlack, Grey(lone));
    RunFilter(s, Filter::Laplace);
    EXPECT_EQ(At(0, 0), Grey(centre));
    EXPECT_EQ(At(2, 2), kWhite);  // neighbours: negative sums clamp to 0
    EXPECT_EQ(s.iconimage.pixel(1, 8), kWhite);  // second border column: TransparentColor, opaque
    EXPECT_EQ(s.iconmask.pixel(1, 8), kBlack);
  }
}

TEST_F(FilterTest, EdgeDetectorsOnMonochromeGiveAquaWithRedZero) {
  for (Filter f : {Filter::Sobel, Filter::Laplace}) {
    Start(kTypeMono);
    Paint(s, [](int, int) { return kBlack; }, [](int, int) { return kWhite; });
    RunFilter(s, f);
    EXPECT_EQ(s.iconimage.pixel(7, 7), kAqua);
    EXPECT_EQ(s.iconimage.pixel(0, 0), kAqua);
    EXPECT_EQ(s.iconmask.pixel(0, 0), kBlack);
  }
}

TEST_F(FilterTest, OneUndoBringsBackPictureAndMask) {
  for (Filter f : {Filter::GaussianBlur, Filter::SharpenBasic, Filter::Sobel, Filter::Laplace}) {
    Start();
    LonePixel(Grey(100), kWhite, Grey(160), kWhite);
    const Bitmap image = s.iconimage, mask = s.iconmask;
    RunFilter(s, f);
    ASSERT_NE(s.iconimage, image);
    ASSERT_TRUE(UndoStep(s));
    EXPECT_EQ(s.iconimage, image);
    EXPECT_EQ(s.iconmask, mask);
  }
}

}  // namespace
}  // namespace gw
