#include "iconfile/core/ExeIconAccept.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/Palettes.h"
#include "editor/core/ToolStage.h"
#include "editor/core/UndoRing.h"

namespace gw {

bool PasteExeIcon(EditorState& s) {
  s.CurrentFileName.clear();
  KeepPictureUnderFloat(s);

  const int edge = kExeIconBlock.width();
  s.PickedIconMask.resize(edge, edge, kBlack);
  for (int x = 0; x < edge; ++x)
    for (int y = 0; y < edge; ++y)
      if (s.PickedIconImage.pixel(x, y) == kWhite) s.PickedIconMask.setPixel(x, y, kWhite);
  const int n = std::min(edge, s.IconSize);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      s.iconimage.setPixel(x, y, s.PickedIconImage.pixel(x, y));
      s.iconmask.setPixel(x, y, s.PickedIconMask.pixel(x, y));
    }
  ResetPlacementCanvas(s, s.CurrentPlacementRect);

  ReduceToTypePalette(s);
  PushUndo(s);
  return s.IconSize > edge;
}

}  // namespace gw
