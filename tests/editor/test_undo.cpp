// The undo ring: positions, enabling, the full ring, dropping undone states and the modified flag.
#include <gtest/gtest.h>

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"
#include "tests/editor/BlankImage.h"

namespace gw {
namespace {

// A blank 16 x 16 image as a new image leaves it: the ring holds the blank state in slot 0.
class UndoRingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    LayOutBlankImage(s, 16);
    ResetUndoRing(s, 16);
    PushUndoQuiet(s);
  }

  // An edit: pixel (n % 16, n / 16) gets colour n + 1 and becomes opaque; then the ring stores it.
  void Edit(int n) {
    s.iconimage.setPixel(n % 16, n / 16, static_cast<Color>(n + 1));
    s.iconmask.setPixel(n % 16, n / 16, kBlack);
    PushUndo(s);
  }
  // Which edits the shown image holds, as the colour of pixel n (0 means the blank white pixel).
  bool Shows(int n) const { return s.iconimage.pixel(n % 16, n / 16) == static_cast<Color>(n + 1); }

  EditorState s;
};

TEST_F(UndoRingTest, NewImageHoldsOneStateAndNothingToStep) {
  EXPECT_EQ(s.UndoTop, 0);
  EXPECT_EQ(s.UndoPos, 0);
  EXPECT_FALSE(UndoPossible(s));
  EXPECT_FALSE(RedoPossible(s));
  EXPECT_FALSE(s.Modified);  // the quiet push leaves it alone
  const Bitmap before = s.iconimage;
  EXPECT_FALSE(UndoStep(s));
  EXPECT_FALSE(RedoStep(s));
  EXPECT_EQ(s.iconimage, before);
  EXPECT_EQ(s.UndoPos, 0);
}

TEST_F(UndoRingTest, ResetEmptiesAndSizesTheSlots) {
  Edit(0);
  ResetUndoRing(s, 24);
  EXPECT_EQ(s.UndoTop, -1);
  EXPECT_EQ(s.UndoPos, -1);
  EXPECT_FALSE(UndoPossible(s));
  EXPECT_FALSE(RedoPossible(s));
  for (const Bitmap& b : s.UndoImages) {
    ASSERT_EQ(b.width(), 24);
    ASSERT_EQ(b.pixel(0, 0), kWhite);
  }
  EXPECT_EQ(s.UndoMasks[49].height(), 24);
}

TEST_F(UndoRingTest, UndoRestoresImageMaskViewAndCanvasThenRedoBringsTheEditBack) {
  Edit(5);
  EXPECT_TRUE(s.Modified);
  EXPECT_TRUE(UndoPossible(s));
  EXPECT_FALSE(RedoPossible(s));

  ASSERT_TRUE(UndoStep(s));
  EXPECT_EQ(s.UndoPos, 0);
  EXPECT_FALSE(Shows(5));
  EXPECT_EQ(s.iconmask.pixel(5, 0), kWhite);
  EXPECT_EQ(s.editarea.pixel(5 * 20 + 3, 3), kWhite);          // the edit area was redrawn
  EXPECT_EQ(s.PlacementCanvas.pixel(24 + 5, 24), kWhite);      // and the canvas synced
  EXPECT_FALSE(UndoPossible(s));
  EXPECT_TRUE(RedoPossible(s));
  EXPECT_FALSE(UndoStep(s));  // nothing older

  ASSERT_TRUE(RedoStep(s));
  EXPECT_TRUE(Shows(5));
  EXPECT_EQ(s.iconmask.pixel(5, 0), kBlack);
  EXPECT_EQ(s.editarea.pixel(5 * 20 + 3, 3), 6u);
  EXPECT_EQ(s.PlacementCanvas.pixel(24 + 5, 24), 6u);
  EXPECT_EQ(s.PlacementWindowRect, s.CurrentPlacementRect);
  EXPECT_TRUE(UndoPossible(s));
  EXPECT_FALSE(RedoPossible(s));
}

TEST_F(UndoRingTest, AnEditAfterUndosDropsTheUndoneStates) {
  Edit(1);
  Edit(2);
  Edit(3);
  ASSERT_TRUE(UndoStep(s));
  ASSERT_TRUE(UndoStep(s));
  EXPECT_EQ(s.UndoPos, 1);
  Edit(4);
  EXPECT_EQ(s.UndoTop, 2);
  EXPECT_EQ(s.UndoPos, 2);
  EXPECT_FALSE(RedoPossible(s));
  EXPECT_FALSE(RedoStep(s));
  // States now: blank, edit 1, edits 1 + 4; edits 2 and 3 are gone.
  EXPECT_TRUE(Shows(1) && Shows(4) && !Shows(2) && !Shows(3));
  ASSERT_TRUE(UndoStep(s));
  EXPECT_TRUE(Shows(1) && !Shows(4));
  ASSERT_TRUE(UndoStep(s));
  EXPECT_FALSE(Shows(1));
  EXPECT_FALSE(UndoStep(s));
}

TEST_F(UndoRingTest, FiftyEditsDropTheBlankState) {
  for (int n = 0; n < 50; ++n) Edit(n);
  EXPECT_EQ(s.UndoTop, 49);
  EXPECT_EQ(s.UndoPos, 49);
  for (int k = 0; k < 49; ++k) ASSERT_TRUE(UndoStep(s)) << k;
  EXPECT_EQ(s.UndoPos, 0);
  // The oldest state kept is the first edit, not the blank image.
  EXPECT_TRUE(Shows(0));
  EXPECT_FALSE(Shows(1));
  EXPECT_FALSE(UndoPossible(s));
  EXPECT_FALSE(UndoStep(s));
  EXPECT_TRUE(Shows(0));
  // All the way forward again.
  for (int k = 0; k < 49; ++k) ASSERT_TRUE(RedoStep(s)) << k;
  EXPECT_TRUE(Shows(49));
  EXPECT_FALSE(RedoStep(s));
}

TEST_F(UndoRingTest, PushIntoAFullRingAfterAnUndoDoesNotShift) {
  for (int n = 0; n < 50; ++n) Edit(n);
  ASSERT_TRUE(UndoStep(s));
  Edit(60);  // replaces the undone newest state in slot 49
  EXPECT_EQ(s.UndoTop, 49);
  for (int k = 0; k < 49; ++k) ASSERT_TRUE(UndoStep(s));
  EXPECT_TRUE(Shows(0));  // the first edit is still the oldest state
}

TEST_F(UndoRingTest, RedoAtTheNewestChangesNothing) {
  Edit(1);
  Edit(2);
  for (int k = 0; k < 3; ++k) EXPECT_FALSE(RedoStep(s));
  EXPECT_EQ(s.UndoPos, 2);
  ASSERT_TRUE(UndoStep(s));
  EXPECT_TRUE(Shows(1));
  EXPECT_FALSE(Shows(2));
}

TEST_F(UndoRingTest, UndoAndRedoLeaveModifiedAndToolsAlone) {
  Edit(1);
  s.Modified = false;  // as after a save
  s.ToolStage = 3;
  s.CurrentFileName = "a.ico";
  ASSERT_TRUE(UndoStep(s));
  EXPECT_FALSE(s.Modified);
  s.Modified = true;
  ASSERT_TRUE(RedoStep(s));
  ASSERT_TRUE(UndoStep(s));
  EXPECT_TRUE(s.Modified);  // back at the blank state, still modified
  EXPECT_EQ(s.ToolStage, 3);
  EXPECT_EQ(s.CurrentFileName, "a.ico");
}

}  // namespace
}  // namespace gw
