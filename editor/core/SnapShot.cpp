#include "editor/core/SnapShot.h"

#include <algorithm>

#include "editor/core/EditArea.h"
#include "editor/core/PastedPicture.h"
#include "editor/core/ToolStage.h"
#include "editor/core/UndoRing.h"
#include "platform/Canvas.h"

namespace gw {

std::vector<std::string> SnapShotChoices(int iconSize) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < SnapShotSizes.size(); ++i) {
    if (SnapShotSizes[i].edge != iconSize) continue;
    for (std::size_t j = i + 1; j-- > 0;) out.emplace_back(SnapShotSizes[j].text);
    break;
  }
  return out;
}

int SnapShotEdge(const std::string& text) {
  if (text.size() < 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') return 0;
  const int edge = (text[0] - '0') * 10 + (text[1] - '0');
  for (const SnapShotSize& size : SnapShotSizes)
    if (size.edge == edge) return edge;
  return 0;
}

Rect SnapShotSquare(Point pointer, int edge) {
  const int offset = edge / 2 - 1;
  return {pointer.x - offset, pointer.y - offset, pointer.x - offset + edge, pointer.y - offset + edge};
}

Bitmap CaptureScreenSquare(const Rect& square, const Rect& screen, const std::function<Bitmap(const Rect&)>& grab) {
  Bitmap out(square.width(), square.height(), kBlack);
  const Rect part{std::max(square.left, screen.left), std::max(square.top, screen.top),
                  std::min(square.right, screen.right), std::min(square.bottom, screen.bottom)};
  if (part.width() <= 0 || part.height() <= 0) return out;
  const Bitmap got = grab(part);
  // A grab that comes back smaller than asked leaves black where it has nothing.
  for (int y = 0; y < std::min(part.height(), got.height()); ++y)
    for (int x = 0; x < std::min(part.width(), got.width()); ++x)
      out.setPixel(part.left - square.left + x, part.top - square.top + y, got.pixel(x, y));
  return out;
}

void ShowSnapShotPreview(EditorState& s, const Bitmap& square) {
  const int a = square.width();
  Canvas(s.editarea).copyRect({0, 0, a * s.CellSize, a * s.CellSize}, square, square.bounds());
}

Rect LandSnapShot(EditorState& s, const Bitmap& square) {
  const int a = std::min({square.width(), square.height(), s.IconSize});
  ResetPlacementCanvas(s, s.CurrentPlacementRect);
  if (a < s.IconSize) KeepPictureUnderFloat(s);
  const Rect block{0, 0, a, a};
  Canvas(s.iconimage).copyRect(block, square, block);
  Canvas mask(s.iconmask);
  mask.setBrushColor(kBlack);
  mask.fillRect(block);
  ReduceToTypePalette(s);
  PushUndo(s);
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
  return block;
}

}  // namespace gw
