#include "editor/core/PastedPicture.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"
#include "platform/Canvas.h"

namespace gw {

Color OverWhite(int red, int green, int blue, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  const auto over = [alpha](int c) { return (std::clamp(c, 0, 255) * alpha + 255 * (255 - alpha) + 127) / 255; };
  return MakeColor(over(red), over(green), over(blue));
}

void KeepTransparentColor(EditorState& s) {
  for (int y = 0; y < s.iconimage.height(); ++y)
    for (int x = 0; x < s.iconimage.width(); ++x)
      if (s.iconmask.pixel(x, y) == kWhite) s.iconimage.setPixel(x, y, s.TransparentColor);
}

void ReduceToTypePalette(EditorState& s) {
  switch (s.IconType) {
    case kTypeMono:
    case kTypeCursor: QuantizeToMonoColors(s); break;
    case kType16Color: QuantizeToColors16(s); break;
    case kType256Color: QuantizeToColors256(s); break;
    default: break;
  }
  KeepTransparentColor(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

void PastePicture(EditorState& s, const Bitmap& picture) {
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  const int w = std::min(picture.width(), s.iconimage.width());
  const int h = std::min(picture.height(), s.iconimage.height());
  if (w > 0 && h > 0) Canvas(s.iconimage).copyRect({0, 0, w, h}, picture, {0, 0, w, h});
  FillImage(s.iconmask, kBlack);
  ReduceToTypePalette(s);
  PushUndo(s);
}

}  // namespace gw
