// The Image menu's commands, the rectangle delete and the nudge buttons, over the engines in
// imageops/core; the dialogs they open are in imageops/ui.
#include <QMenu>

#include "editor/ui/ficon.h"
#include "imageops/core/Adjustments.h"
#include "imageops/core/Filters.h"
#include "imageops/core/Mirrors.h"
#include "imageops/core/Nudge.h"
#include "imageops/core/Rotations.h"
#include "imageops/ui/ImageOpDialogs.h"

namespace gw {

namespace {

// Every command: the tools' work in progress ends, the engine runs (and pushes its undo states), and the
// undo buttons and views follow.
template <typename Engine>
void RunImageCommand(TForm1& f, Engine engine) {
  f.DropToolStage(DropKind::ChangesImage);
  engine(f.state());
  f.UpdateUndoButtons();
  f.RepaintImageViews();
}

template <typename Dialog>
void OpenImageDialog(TForm1& f) {
  f.DropToolStage(DropKind::ChangesImage);
  (new Dialog(f))->show();
}

}  // namespace

// ---- Filters --------------------------------------------------------------------------------------------
#define GW_FILTER_COMMAND(handler, filter) \
  void TForm1::handler() { RunImageCommand(*this, [](EditorState& s) { RunFilter(s, Filter::filter); }); }
GW_FILTER_COMMAND(SlightBlur1Click, SlightBlur)
GW_FILTER_COMMAND(MoreBlur1Click, MoreBlur)
GW_FILTER_COMMAND(EvenMoreBlurClick, EvenMoreBlur)
GW_FILTER_COMMAND(GaussianBlurClick, GaussianBlur)
GW_FILTER_COMMAND(SharpenBasicClick, SharpenBasic)
GW_FILTER_COMMAND(SharpenMeanRemovalClick, SharpenMeanRemoval)
GW_FILTER_COMMAND(Emboss1Click, Sobel)  // Image > Edge Detection > "Sobel"
GW_FILTER_COMMAND(Laplace1Click, Laplace)
#undef GW_FILTER_COMMAND

// ---- Adjustments and the gradient -----------------------------------------------------------------------
void TForm1::AdjustContrast(bool increase, int amount, int threshold, const Bitmap& keptMask,
                            const Bitmap& keptImage) {
  RunImageCommand(*this, [&](EditorState& s) {
    gw::AdjustContrast(s, increase, amount, threshold, keptMask, keptImage);
  });
}

void TForm1::AdjustBrightness(bool increase, int amount) {
  RunImageCommand(*this, [&](EditorState& s) { gw::AdjustBrightness(s, increase, amount); });
}

void TForm1::GradientFill(Color c1, Color c2, bool excludeTransparent, int orientation) {
  RunImageCommand(*this, [&](EditorState& s) { gw::GradientFill(s, c1, c2, excludeTransparent, orientation); });
}

// ---- The dialogs ----------------------------------------------------------------------------------------
void TForm1::Softening1Click() { OpenImageDialog<TFormSoftening>(*this); }
void TForm1::Sharpen1Click() { OpenImageDialog<TFormSharpener>(*this); }
void TForm1::Constrast1Click() { OpenImageDialog<TcontrastForm>(*this); }
void TForm1::Intensity1Click() { OpenImageDialog<TFormBrightness>(*this); }
void TForm1::GradientFill1Click() { OpenImageDialog<TGradientForm>(*this); }
void TForm1::Nudge1Click() { OpenImageDialog<TFormNudge>(*this); }

void TForm1::ImageReplaced() {
  for (TImageOpDialog* d : findChildren<TImageOpDialog*>(QString(), Qt::FindDirectChildrenOnly)) d->close();
}

// ---- Mirrors --------------------------------------------------------------------------------------------
#define GW_MIRROR_COMMAND(handler, mirror) \
  void TForm1::handler() { RunImageCommand(*this, [](EditorState& s) { MirrorImage(s, Mirror::mirror); }); }
GW_MIRROR_COMMAND(BottomMirrorsTop1Click, BottomMirrorsTop)
GW_MIRROR_COMMAND(TopMirrorsBottom1Click, TopMirrorsBottom)
GW_MIRROR_COMMAND(RightMirrorsLeft1Click, RightMirrorsLeft)
GW_MIRROR_COMMAND(LeftMirrorsRight1Click, LeftMirrorsRight)
GW_MIRROR_COMMAND(LeftTopQuadrantMirrorsRightTopQuadrant1Click, LeftTopMirrorsRightTop)
GW_MIRROR_COMMAND(RightTopQuadrantMirrorsLeftTopQuadrant1Click, RightTopMirrorsLeftTop)
GW_MIRROR_COMMAND(LeftBottomQuadrantMirrorsRightBottomQuadrant1Click, LeftBottomMirrorsRightBottom)
GW_MIRROR_COMMAND(RightBottomQuadrantMirrorsLeftBottomQuadrant1Click, RightBottomMirrorsLeftBottom)
GW_MIRROR_COMMAND(LeftTopQuadrantMirrorsLeftBottomQuadrant2Click, LeftTopMirrorsLeftBottom)
GW_MIRROR_COMMAND(LeftBottomQuadrantMirrorsLeftTopQuadrant1Click, LeftBottomMirrorsLeftTop)
GW_MIRROR_COMMAND(RightTopQuadrantMirrorsRightBottomQuadrant1Click, RightTopMirrorsRightBottom)
GW_MIRROR_COMMAND(RightBottomQuadrantMirrorsRightTopQuadrant1Click, RightBottomMirrorsRightTop)
GW_MIRROR_COMMAND(LeftTopQuadrantMirrorsRightBottomQuadrant2Click, LeftTopMirrorsRightBottom)
GW_MIRROR_COMMAND(RightBottomQuadrantMirrorsLeftTopQuadrant1Click, RightBottomMirrorsLeftTop)
GW_MIRROR_COMMAND(LeftBottomQuadrantMirrorsRightTopQuadrant1Click, LeftBottomMirrorsRightTop)
GW_MIRROR_COMMAND(RightTopQuadrantMirrorsLeftBottomQuadrant1Click, RightTopMirrorsLeftBottom)
#undef GW_MIRROR_COMMAND

// ---- Rotations, flips and the delete --------------------------------------------------------------------
void TForm1::RotateImage90DegreesLeft1Click() { RunImageCommand(*this, RotateImageLeft); }
void TForm1::RotateEntireImageClockwise1Click() { RunImageCommand(*this, RotateImageRight); }
void TForm1::FlipEntireImageHorizontally1Click() {
  RunImageCommand(*this, [](EditorState& s) { FlipImage(s, true); });
}
void TForm1::FlipEntireImageVertically1Click() {
  RunImageCommand(*this, [](EditorState& s) { FlipImage(s, false); });
}

void TForm1::UpdateDeleteRectangleEnabled() { DeleteRectangle1->setEnabled(RectangleSelectionLive(State)); }

void TForm1::DeleteRectangle1Click() {
  if (RectangleSelectionLive(State)) {
    const Rect selection = State.SelectionRect;
    RunImageCommand(*this, [&](EditorState& s) { DeleteSelectedRectangle(s, selection); });
  }
  DeleteRectangle1->setEnabled(false);
}

// ---- Nudging --------------------------------------------------------------------------------------------
#define GW_NUDGE_COMMAND(handler, direction) \
  void TForm1::handler() { RunImageCommand(*this, [](EditorState& s) { Nudge(s, NudgeDirection::direction); }); }
GW_NUDGE_COMMAND(bNudgeRightClick, Right)
GW_NUDGE_COMMAND(bNudgeLeftClick, Left)
GW_NUDGE_COMMAND(bNudgeDownClick, Down)
GW_NUDGE_COMMAND(bNudgeUpClick, Up)
GW_NUDGE_COMMAND(NudgeUpLeft, UpLeft)
GW_NUDGE_COMMAND(NudgeUpRight, UpRight)
GW_NUDGE_COMMAND(NudgeDownRight, DownRight)
GW_NUDGE_COMMAND(NudgeDownLeft, DownLeft)
#undef GW_NUDGE_COMMAND

}  // namespace gw
