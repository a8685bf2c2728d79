// Move/copy shape (8): the drag marks a free-form outline (at most 1024 points, one per move into a cell
// other than the press cell), the release closes it into a polygon; a press inside grabs the shape and the
// release moves its pixels (Shift copies). A press outside drops it.
#include <algorithm>
#include <vector>

#include "editor/core/Selection.h"
#include "editor/core/ToolFamilies.h"

namespace gw {

namespace {

constexpr int kMarkSize = 3;

void Mark(EditorState& s, Point p) {
  Canvas c(s.editarea);
  c.setBrushColor(kBlack);
  c.fillRect({p.x, p.y, p.x + kMarkSize, p.y + kMarkSize});
}

}  // namespace

void ShapeSelectDown(ToolEvent& e) {
  EditorState& s = e.s;
  if (s.ToolStage == 1) {
    for (std::vector<Point>* list : {&s.ShapePoints, &s.ShapeOutline})
      if (list->size() < static_cast<std::size_t>(kShapePointLimit)) list->resize(kShapePointLimit);
    s.MouseDrawing = true;
    const Point start = CellToPixel(e.cell, s.CellSize);
    SetStartPixel(s, start);
    SetCurrentPixel(s, start);
    Mark(s, start);
    SetLastCell(s, e.cell);
    s.ToolStage = 2;
    s.ShapePointCount = 0;
    s.ShapePoints[0] = start;
  } else if (s.ToolStage >= 3 && !s.MouseDrawing) {
    if (!PointInShape(e.raw.x, e.raw.y, s.ShapeOutline, s.ShapePointCount)) {
      s.ToolStage = 1;
      s.MouseDrawing = false;
      ShowEdit(s);  // takes the outline off
    } else {
      SetCurrentPixel(s, CellToPixel(e.cell, s.CellSize));
      s.MouseDrawing = true;
    }
  }
}

void ShapeSelectMove(ToolEvent& e) {
  EditorState& s = e.s;
  if (!s.MouseDrawing) return;
  const Point p = CellToPixel(e.cell, s.CellSize);
  if (s.ToolStage == 2) {
    if (s.ShapePointCount >= kShapePointLimit - 1) return;
    Mark(s, p);
    SetCurrentPixel(s, p);
    s.ShapePoints[static_cast<std::size_t>(++s.ShapePointCount)] = p;
  } else if (s.ToolStage >= 3) {
    // The grabbed shape follows the pointer as long as its region's box stays in the edit area.
    if (!PointInRect(p, s.EditAreaRect)) return;
    const Point from = CurrentPixel(s);
    std::vector<Point> moved(s.ShapeOutline.size());
    for (std::size_t i = 0; i < moved.size(); ++i)
      moved[i] = {s.ShapeOutline[i].x + p.x - from.x, s.ShapeOutline[i].y + p.y - from.y};
    if (ShapeBoxInRect(moved, s.ShapePointCount, s.EditAreaRect)) {
      s.ShapeOutline = std::move(moved);
      RefreshEditArea(s);
      DrawSelectionPolyline(s, s.ShapeOutline, s.ShapePointCount, PenMode::NotXor);
    }
    SetCurrentPixel(s, p);
  }
}

void ShapeSelectUp(ToolEvent& e) {
  EditorState& s = e.s;
  if (!s.MouseDrawing) return;
  if (s.ToolStage == 2) {
    ++s.ShapePointCount;
    CopyPoints(s.ShapePoints, s.ShapeOutline, s.ShapePointCount);
    ShowEdit(s);  // takes the marks off
    DrawSelectionPolyline(s, s.ShapePoints, s.ShapePointCount, PenMode::Copy);
    s.ToolStage = 3;
  } else if (s.ToolStage >= 3) {
    MoveSelectedShape(s, s.ShapePoints, s.ShapeOutline, e.shift, s.ShapePointCount);
    ShowEdit(s);
    CopyPoints(s.ShapeOutline, s.ShapePoints, s.ShapePointCount);
    DrawSelectionPolyline(s, s.ShapePoints, s.ShapePointCount, PenMode::Copy);
  }
  s.MouseDrawing = false;
}

}  // namespace gw
