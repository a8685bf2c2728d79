// The edit area: the magnified view, the coordinate transforms and the placement canvas, over the engine in
// editor/core/EditArea.
#include "editor/core/EditArea.h"
#include "editor/ui/ficon.h"

namespace gw {

void TForm1::RefreshEditArea() {
  gw::RefreshEditArea(State);
  RepaintImageViews();
}

void TForm1::SyncPlacementCanvas() { gw::SyncPlacementCanvas(State); }
void TForm1::ResetPlacementCanvas(const Rect& r) { gw::ResetPlacementCanvas(State, r); }
void TForm1::ResizePlacementCanvas(int e) { gw::ResizePlacementCanvas(State, e); }
void TForm1::CopyIconImage(const Bitmap& src, Bitmap& dst) { gw::CopyIconImage(State, src, dst); }
void TForm1::FillImage(Bitmap& image, Color c) { gw::FillImage(image, c); }

Point TForm1::PixelToCell(Point p) const { return gw::PixelToCell(p, State.CellSize); }
Rect TForm1::PixelRectToCellRect(const Rect& r) const { return gw::PixelRectToCellRect(r, State.CellSize); }
Point TForm1::CellToPixel(Point cell) const { return gw::CellToPixel(cell, State.CellSize); }
Rect TForm1::CellRectToPixelRect(const Rect& r) const { return gw::CellRectToPixelRect(r, State.CellSize); }

void TForm1::ShowCursorPosition(int x, int y) {
  XYLabel->setText(QStringLiteral("X= %1  Y= %2").arg(x + 1).arg(y + 1));
}

void TForm1::RepaintImageViews() {
  editarea->update();
  iconimage->update();
  iconmask->update();
}

}  // namespace gw
