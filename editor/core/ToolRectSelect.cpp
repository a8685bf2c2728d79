// Move/copy rectangle (7) and the flip and rotate selections (11, 12, 13). All four drag a dotted band from
// the press cell's corner to select a rectangle (SelectionRect, in edit-area pixels, corners as dragged).
// Tool 7 then grabs the selection and moves its pixels (Shift copies); 11 and 12 mirror it and 13 turns it at
// each click inside. A press outside drops the selection.
#include <algorithm>

#include "editor/core/RegionRotate.h"
#include "editor/core/Selection.h"
#include "editor/core/ToolFamilies.h"

namespace gw {

namespace {

Rect BandRect(const EditorState& s) {
  const Point a = StartPixel(s), b = CurrentPixel(s);
  return {a.x, a.y, b.x, b.y};
}

// Shows the band or outline `r` on the freshly redrawn edit area.
void ShowOutline(EditorState& s, const Rect& r, PenMode mode) {
  RefreshEditArea(s);
  DrawSelectionRect(s, r, mode);
}

// Stage 1: the band starts at the press cell's corner.
void StartBand(ToolEvent& e) {
  EditorState& s = e.s;
  s.MouseDrawing = true;
  SetLastCell(s, e.cell);
  SetStartPixel(s, CellToPixel(e.cell, s.CellSize));
  SetCurrentPixel(s, StartPixel(s));
  s.ToolStage = 2;
}

// Stage 3 and up, outside the selection: it is dropped; a floating picture stays where it lies.
void DropSelection(EditorState& s) {
  s.ToolStage = 1;
  s.MouseDrawing = false;
  ShowEdit(s);
}

}  // namespace

void DrawSelectionRect(EditorState& s, const Rect& r, PenMode mode) {
  Canvas c(s.editarea);
  c.setPenColor(kBlack);
  c.setPenStyle(PenStyle::Dot);
  c.setPenMode(mode);
  c.setBrushStyle(BrushStyle::Clear);
  c.rectangle(r.left, r.top, r.right, r.bottom);
}

void DrawSelectionPolyline(EditorState& s, std::span<const Point> pts, int count, PenMode mode) {
  Canvas c(s.editarea);
  c.setPenColor(kBlack);
  c.setPenStyle(PenStyle::Dot);
  c.setPenMode(mode);
  c.setBrushStyle(BrushStyle::Clear);
  c.polyline(pts.first(static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(pts.size())))));
}

void RectSelectDown(ToolEvent& e) {
  EditorState& s = e.s;
  if (s.ToolStage == 1) {
    StartBand(e);
  } else if (s.ToolStage >= 3 && !s.MouseDrawing) {
    if (!PointInRect(e.raw, s.SelectionRect)) {
      DropSelection(s);
    } else {  // grabbed
      SetCurrentPixel(s, CellToPixel(e.cell, s.CellSize));
      s.MouseDrawing = true;
    }
  }
}

void RectSelectMove(ToolEvent& e) {
  EditorState& s = e.s;
  if (!s.MouseDrawing) return;
  const Point p = CellToPixel(e.cell, s.CellSize);
  if (s.ToolStage == 2) {
    SetCurrentPixel(s, p);
    if (s.CurrentTool == 13) s.SelectionRect = BandRect(s);
    ShowOutline(s, BandRect(s), PenMode::NotXor);
  } else if (s.ToolStage >= 3 && s.CurrentTool == 7) {
    // The grabbed selection follows the pointer as long as both its corners stay in the edit area; a move
    // that would push it out is lost and the drag goes on from the new position.
    if (!PointInRect(p, s.EditAreaRect)) return;
    const Point from = CurrentPixel(s);
    const Rect& sel = s.SelectionRect;
    const Rect r{sel.left + p.x - from.x, sel.top + p.y - from.y, sel.right + p.x - from.x,
                 sel.bottom + p.y - from.y};
    if (PointInRect({r.left, r.top}, s.EditAreaRect) && PointInRect({r.right, r.bottom}, s.EditAreaRect)) {
      s.SelectionRect = r;
      ShowOutline(s, r, PenMode::NotXor);
    }
    SetCurrentPixel(s, p);
  }
}

void RectSelectUp(ToolEvent& e) {
  EditorState& s = e.s;
  if (!s.MouseDrawing) return;
  if (s.ToolStage == 2) {
    s.SelectionRect = BandRect(s);
    s.PrevSelectionRect = s.SelectionRect;
    // The band stays on the edit area as the selection's outline.
    s.ToolStage = 3;
    s.MouseDrawing = false;
  } else if (s.ToolStage >= 3) {
    MoveSelectedRect(s, e.shift, s.SelectionRect, s.PrevSelectionRect);
    ShowEdit(s);
    s.PrevSelectionRect = s.SelectionRect;
    DrawSelectionRect(s, s.SelectionRect, PenMode::Copy);
    s.MouseDrawing = false;
  }
}

void FlipRotateDown(ToolEvent& e) {
  EditorState& s = e.s;
  if (s.ToolStage == 1) {
    StartBand(e);
  } else if (s.ToolStage >= 3) {
    if (!PointInRect(e.raw, s.SelectionRect)) {
      if (s.CurrentTool == 13) s.SelectionRect = {};
      DropSelection(s);
      return;
    }
    if (s.CurrentTool == 13) {
      RotateSelection(s, s.SelectionRect);
      e.host.PushUndo(s);
    } else {
      FlipRegion(s, s.CurrentTool == 11, s.SelectionRect);
    }
    ShowEdit(s);
    DrawSelectionRect(s, s.SelectionRect, PenMode::Copy);
  }
}

void FlipRotateUp(ToolEvent& e) {
  EditorState& s = e.s;
  if (s.ToolStage == 2 && s.MouseDrawing) {
    s.SelectionRect = BandRect(s);
    s.ToolStage = 3;
    s.MouseDrawing = false;
  }
}

}  // namespace gw
