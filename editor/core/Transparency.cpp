#include "editor/core/Transparency.h"

#include "editor/core/EditArea.h"
#include "editor/core/UndoRing.h"

namespace gw {

namespace {

void Replace(Bitmap& image, const Bitmap& mask, int S, Color sought, Color replacement) {
  for (int x = 0; x < S; ++x)
    for (int y = 0; y < S; ++y)
      if (image.pixel(x, y) == sought && mask.pixel(x, y) == kWhite) image.setPixel(x, y, replacement);
}

}  // namespace

void TransparentWhiteToBlack(Bitmap& image, const Bitmap& mask, int S) { Replace(image, mask, S, kWhite, kBlack); }
void TransparentBlackToWhite(Bitmap& image, const Bitmap& mask, int S) { Replace(image, mask, S, kBlack, kWhite); }
void TransparentWhiteToAqua(Bitmap& image, const Bitmap& mask, int S) { Replace(image, mask, S, kWhite, kAqua); }
void TransparentAquaToWhite(Bitmap& image, const Bitmap& mask, int S) { Replace(image, mask, S, kAqua, kWhite); }

void TransparentWhiteToBlack(EditorState& s, int S) { TransparentWhiteToBlack(s.WorkImages[4], s.WorkImages[5], S); }
void TransparentBlackToWhite(EditorState& s, int S) { TransparentBlackToWhite(s.WorkImages[4], s.WorkImages[5], S); }
void TransparentWhiteToAqua(EditorState& s, int S) { TransparentWhiteToAqua(s.iconimage, s.iconmask, S); }
void TransparentAquaToWhite(EditorState& s, int S) { TransparentAquaToWhite(s.iconimage, s.iconmask, S); }

void MakeColorTransparent(EditorState& s, Color c, Color r) {
  for (int x = 0; x < s.IconSize; ++x)
    for (int y = 0; y < s.IconSize; ++y)
      if (s.iconimage.pixel(x, y) == c) {
        s.iconimage.setPixel(x, y, r);
        s.iconmask.setPixel(x, y, kWhite);
      }
}

void MakeColorOpaque(EditorState& s, Color c) {
  for (int x = 0; x < s.IconSize; ++x)
    for (int y = 0; y < s.IconSize; ++y)
      if (s.iconimage.pixel(x, y) == c) s.iconmask.setPixel(x, y, kBlack);
}

namespace {

template <typename Operation>
void RunTransparencyCommand(EditorState& s, Operation operation) {
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  operation();
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

}  // namespace

void MakeWhiteTransparent1Click(EditorState& s) {
  RunTransparencyCommand(s, [&] { MakeColorTransparent(s, s.LeftPenColor, s.TransparentColor); });
}
void MakeRightPenColorTransparent1Click(EditorState& s) {
  RunTransparencyCommand(s, [&] { MakeColorTransparent(s, s.RightPenColor, s.TransparentColor); });
}
void MakeLeftPenColorOpaque1Click(EditorState& s) {
  RunTransparencyCommand(s, [&] { MakeColorOpaque(s, s.LeftPenColor); });
}
void MakeRightPenColorOpaque1Click(EditorState& s) {
  RunTransparencyCommand(s, [&] { MakeColorOpaque(s, s.RightPenColor); });
}

}  // namespace gw
