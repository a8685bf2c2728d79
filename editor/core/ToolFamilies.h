#pragma once
// Inside the edit area's state machine: the event as a tool family's step sees it, the stage conventions the
// families share, and each family's press, move and release steps. EditAreaMouse.cpp runs the common part
// and hands each event to the family of CurrentTool.

#include "editor/core/EditAreaMouse.h"
#include "editor/core/EditArea.h"
#include "platform/Canvas.h"

namespace gw {

struct ToolEvent {
  EditorState& s;
  ToolHost& host;
  MouseButton button;  // MouseButton::None for moves
  bool shift;
  Point raw;           // the position as reported
  Point pixel;         // the position the step uses (a move's clamped to the edit area, but the curve's)
  Point cell;          // PixelToCell(pixel)
};

// DragPoints: start cell, last cell, start pixel, current pixel.
inline Point StartCell(const EditorState& s) { return {s.DragPoints[0], s.DragPoints[1]}; }
inline Point LastCell(const EditorState& s) { return {s.DragPoints[2], s.DragPoints[3]}; }
inline Point StartPixel(const EditorState& s) { return {s.DragPoints[4], s.DragPoints[5]}; }
inline Point CurrentPixel(const EditorState& s) { return {s.DragPoints[6], s.DragPoints[7]}; }
inline void SetStartCell(EditorState& s, Point p) { s.DragPoints[0] = p.x; s.DragPoints[1] = p.y; }
inline void SetLastCell(EditorState& s, Point p) { s.DragPoints[2] = p.x; s.DragPoints[3] = p.y; }
inline void SetStartPixel(EditorState& s, Point p) { s.DragPoints[4] = p.x; s.DragPoints[5] = p.y; }
inline void SetCurrentPixel(EditorState& s, Point p) { s.DragPoints[6] = p.x; s.DragPoints[7] = p.y; }

// The tool families.
inline bool IsPencilTool(int t) { return t == 0 || t == 9; }
inline bool IsBandTool(int t) { return (t >= 1 && t <= 5) || t == 15 || t == 16; }
inline bool IsRectSelectTool(int t) { return t == 7 || t == 11 || t == 12 || t == 13; }
inline bool IsSelectionTool(int t) { return IsRectSelectTool(t) || t == 8; }
inline constexpr int kCurveTool = 10;

// RefreshEditArea and SyncPlacementCanvas, the end of every step that changed the image.
inline void ShowEdit(EditorState& s) {
  RefreshEditArea(s);
  SyncPlacementCanvas(s);
}

// Selection outlines on the edit area: dotted black pen, clear brush, inverted (not-xor) or in copy mode.
// An outline is taken off by redrawing the edit area, never by inverting it again.
void DrawSelectionRect(EditorState& s, const Rect& r, PenMode mode);
void DrawSelectionPolyline(EditorState& s, std::span<const Point> pts, int count, PenMode mode);

// Pencil and eraser (0, 9).
void PencilDown(ToolEvent& e);
void PencilMove(ToolEvent& e);
void PencilUp(ToolEvent& e);

// Rubber-band shapes (1-5, 15, 16).
void BandDown(ToolEvent& e);
void BandMove(ToolEvent& e);
void BandUp(ToolEvent& e);
// Inverts back the band of the last move, if one is drawn.
void EraseBand(EditorState& s);
// Draws the band of the last move inverted once more, whether or not one is drawn; BandDrawn is not changed.
void InvertBand(EditorState& s);

// Flood fill (6), colour substitute (14), colour selector (17): releases only.
void FloodFillUp(ToolEvent& e);
void ColorSubstituteUp(ToolEvent& e);
void ColorSelectorUp(ToolEvent& e);

// Move/copy rectangle (7) and the flip and rotate selections (11, 12, 13), which share its band.
void RectSelectDown(ToolEvent& e);
void RectSelectMove(ToolEvent& e);
void RectSelectUp(ToolEvent& e);
void FlipRotateDown(ToolEvent& e);
void FlipRotateUp(ToolEvent& e);

// Move/copy shape (8).
void ShapeSelectDown(ToolEvent& e);
void ShapeSelectMove(ToolEvent& e);
void ShapeSelectUp(ToolEvent& e);

// Curve (10).
void CurveDown(ToolEvent& e);
void CurveMove(ToolEvent& e);
void CurveUp(ToolEvent& e);
// The figure the curve shows at its stage: the line (stages 2, 3) or the Bezier curve (4, 5), drawn on image
// and mask in the curve's pen, inverted or in copy mode.
void DrawCurveFigure(EditorState& s, PenMode mode);
// Whether the curve's figure is on the image inverted.
bool CurveFigureShown(const EditorState& s);

}  // namespace gw
