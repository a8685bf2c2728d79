// What a tool shows inverted on the image while it works, read through WithoutToolFigure (as the undo push,
// Save, Copy and Export read the image): the read sees the picture alone, the screen keeps the figure, and
// the tool goes on as if nothing had been read.
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "tests/editor/ToolDriver.h"

namespace gw {
namespace {

enum class Ev { Press, Move, Release };

// One mouse event and what a read right after it must see: the picture as it was before the first press
// ('P': a figure is on the image) or the image as shown ('S': nothing on it belongs to the screen alone).
struct Step {
  Ev ev;
  Point cell;
  char sees;
};

struct Scenario {
  const char* name;
  int tool;
  std::vector<Step> steps;
};

const std::vector<Scenario> kScenarios = {
    {"curve: line, bend, first control point", 10,
     {{Ev::Press, {2, 20}, 'P'}, {Ev::Move, {10, 20}, 'P'}, {Ev::Move, {28, 20}, 'P'}, {Ev::Release, {28, 20}, 'P'},
      {Ev::Press, {14, 10}, 'P'}, {Ev::Move, {15, 4}, 'P'}, {Ev::Release, {15, 4}, 'P'}, {Ev::Press, {15, 4}, 'P'},
      {Ev::Move, {6, 30}, 'P'}, {Ev::Release, {6, 30}, 'S'}}},
    {"line", 1, {{Ev::Press, {2, 2}, 'P'}, {Ev::Move, {9, 20}, 'P'}, {Ev::Move, {20, 25}, 'P'}, {Ev::Release, {20, 25}, 'S'}}},
    {"filled ellipse", 4, {{Ev::Press, {3, 3}, 'P'}, {Ev::Move, {25, 18}, 'P'}, {Ev::Release, {25, 18}, 'S'}}},
    {"hollow rounded rectangle", 15, {{Ev::Press, {1, 4}, 'P'}, {Ev::Move, {30, 28}, 'P'}, {Ev::Release, {30, 28}, 'S'}}},
    {"rectangle selection moved and floating", 7,
     {{Ev::Press, {2, 2}, 'S'}, {Ev::Move, {9, 9}, 'S'}, {Ev::Release, {9, 9}, 'S'}, {Ev::Press, {4, 4}, 'S'},
      {Ev::Move, {12, 10}, 'S'}, {Ev::Release, {12, 10}, 'S'}, {Ev::Press, {13, 12}, 'S'}, {Ev::Move, {15, 15}, 'S'}}},
    {"shape selection", 8,
     {{Ev::Press, {2, 2}, 'S'}, {Ev::Move, {12, 3}, 'S'}, {Ev::Move, {8, 14}, 'S'}, {Ev::Release, {8, 14}, 'S'},
      {Ev::Press, {7, 5}, 'S'}, {Ev::Move, {14, 9}, 'S'}, {Ev::Release, {14, 9}, 'S'}}},
};

class ToolFigures : public ToolTest {
 protected:
  // Two pixels of three opaque: a not-xor figure over them makes holes in the mask.
  void StartPatterned() {
    Start(32);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x)
        if ((x + y) % 3 != 0) Paint({x, y}, 0x336699);
    PushUndo(s);
  }
  void Run(const Step& st) {
    switch (st.ev) {
      case Ev::Press: Down(st.cell); break;
      case Ev::Move: Move(st.cell); break;
      case Ev::Release: Up(st.cell); break;
    }
  }
  std::pair<Bitmap, Bitmap> Read() {
    return WithoutToolFigure(s, [this] { return std::pair<Bitmap, Bitmap>(s.iconimage, s.iconmask); });
  }
};

TEST_F(ToolFigures, ReadsSeeThePictureAloneAndTheScreenKeepsTheFigure) {
  for (const Scenario& sc : kScenarios) {
    StartPatterned();
    Use(sc.tool);
    const Bitmap picture = s.iconimage, pictureMask = s.iconmask;
    int figures = 0;  // steps at which the pattern shows the figure
    for (std::size_t k = 0; k < sc.steps.size(); ++k) {
      const std::string at = std::string(sc.name) + ", step " + std::to_string(k);
      Run(sc.steps[k]);
      const Bitmap screen = s.iconimage, screenMask = s.iconmask;
      const int stage = s.ToolStage;
      const bool drawing = s.MouseDrawing, band = s.BandDrawn;
      const auto [image, mask] = Read();
      const bool seesPicture = sc.steps[k].sees == 'P';
      if (seesPicture && !SamePixels(screenMask, pictureMask)) ++figures;
      EXPECT_TRUE(SamePixels(image, seesPicture ? picture : screen)) << at;
      EXPECT_TRUE(SamePixels(mask, seesPicture ? pictureMask : screenMask)) << at;
      EXPECT_TRUE(SamePixels(s.iconimage, screen)) << at;
      EXPECT_TRUE(SamePixels(s.iconmask, screenMask)) << at;
      EXPECT_EQ(s.ToolStage, stage) << at;
      EXPECT_EQ(s.MouseDrawing, drawing) << at;
      EXPECT_EQ(s.BandDrawn, band) << at;
    }
    EXPECT_GE(figures, sc.steps.front().sees == 'P' ? 1 : 0) << sc.name;
    const Bitmap image = s.iconimage, mask = s.iconmask;
    const int pos = s.UndoPos;

    StartPatterned();  // the same events without a read between them
    Use(sc.tool);
    for (const Step& st : sc.steps) Run(st);
    EXPECT_TRUE(SamePixels(image, s.iconimage)) << sc.name;
    EXPECT_TRUE(SamePixels(mask, s.iconmask)) << sc.name;
    EXPECT_EQ(pos, s.UndoPos) << sc.name;
  }
}

TEST_F(ToolFigures, AFailedReadStillPutsTheFigureBack) {
  StartPatterned();
  Use(10);
  Drag({{2, 20}, {28, 20}});
  Down({14, 10});
  Move({15, 4});
  const Bitmap screen = s.iconimage, screenMask = s.iconmask;
  EXPECT_THROW(WithoutToolFigure(s, []() -> int { throw std::runtime_error("disk full"); }), std::runtime_error);
  EXPECT_TRUE(SamePixels(s.iconimage, screen));
  EXPECT_TRUE(SamePixels(s.iconmask, screenMask));
}

}  // namespace
}  // namespace gw
