#include "editor/core/PastedPicture.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/UndoRing.h"
#include "platform/Alpha.h"
#include "platform/Canvas.h"

namespace gw {

Color OverWhite(int red, int green, int blue, int alpha) {
  alpha = std::clamp(alpha, 0, 255);
  const auto over = [alpha](int c) { return ChannelOnWhite(std::clamp(c, 0, 255), alpha); };
  return MakeColor(over(red), over(green), over(blue));
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
