#include "editor/core/TextTool.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/PastedPicture.h"
#include "editor/core/ToolStage.h"
#include "editor/core/UndoRing.h"
#include "platform/Canvas.h"

namespace gw {

namespace {

// For italic text: one column past the rightmost inked column at or right of `width`, or `width` when
// there is none. Rows from `height` up to the top are looked at, as far as they lie inside the mask.
int ItalicWidth(const Bitmap& mask, int width, int height) {
  for (int c = mask.width() - 1; c >= width; --c)
    for (int row = std::min(height, mask.height() - 1); row >= 0; --row)
      if (mask.pixel(c, row) != kWhite) return c + 1;
  return width;
}

}  // namespace

Rect LandText(EditorState& s, const ITextRenderer& text) {
  const Point size = text.measure();
  int w = std::clamp(size.x, 0, s.iconimage.width());
  const int h = std::clamp(size.y, 0, s.iconimage.height());
  KeepPictureUnderFloat(s);

  Bitmap& layer = s.WorkImages[4];
  Bitmap& ink = s.WorkImages[5];
  layer.resize(s.IconSize, s.IconSize, s.TransparentColor);
  ink.resize(s.IconSize, s.IconSize, kWhite);
  text.draw(layer, s.TransparentColor);
  text.draw(ink, kWhite);
  const bool twoColors = s.IconType == kTypeMono || s.IconType == kTypeCursor;
  for (int y = 0; y < s.IconSize; ++y)
    for (int x = 0; x < s.IconSize; ++x) {
      const Color c = layer.pixel(x, y);
      if (twoColors && c != kWhite && c != kBlack && c != kAqua) layer.setPixel(x, y, kBlack);
      if (ink.pixel(x, y) != kWhite) ink.setPixel(x, y, kBlack);
    }
  if (text.italic()) w = ItalicWidth(ink, w, h);

  const Rect block{0, 0, w, h};
  Canvas(s.iconimage).copyRect(block, layer, block);
  Canvas(s.iconmask).copyRect(block, ink, block);
  KeepTransparentColor(s);
  PushUndo(s);
  RefreshEditArea(s);
  return block;
}

}  // namespace gw
