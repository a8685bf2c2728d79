#pragma once
// Moving and copying the selected rectangle (tool 7) and the selected free-form shape (tool 8), and the small
// geometry the edit area's hit tests use.
//
// A selection's pixels float over the picture: its first move (ToolStage 3) lifts them, keeps the picture
// without them (with them, for a copy) in WorkImages[2] and [3] and sets ToolStage 4; every later move (stage
// 4) first puts back what lay under the floating pixels (unless Shift is held) and pastes them at the new
// place. WorkImages[4] and [5] receive the floating pixels at their destination on each move. Dropping the
// selection (ToolStage := 1, DropToolStage) leaves the pixels where they are; the next selection's first move
// takes a new backup, so a stale backup is never restored.
//
// Point lists hold at most kShapePointLimit points and describe a closed polygon (the last point joins the
// first); a count beyond the limit or beyond the list's length is cut to it. Rectangles exclude their right
// and bottom edges; the corners of a rectangle passed in may come in either order.

#include <span>

#include "editor/core/EditorState.h"

namespace gw {

inline constexpr int kShapePointLimit = 1024;

// The rectangle tool's move: newRect is where the selection now is (SelectionRect), oldRect where it was
// (PrevSelectionRect), both in edit-area pixels. Shift copies instead of moving. Sets MoveCellRect to the
// destination in cells; at stages other than 3 and 4 only clears WorkImages[4] and [5].
void MoveSelectedRect(EditorState& s, bool shift, const Rect& newRect, const Rect& oldRect);

// The shape tool's move: oldPoints is where the shape was (ShapePoints), newPoints where it now is
// (ShapeOutline), both in edit-area pixels at cell corners, count points each. Sets ShapeCells to the new
// outline in cells.
void MoveSelectedShape(EditorState& s, std::span<const Point> oldPoints, std::span<const Point> newPoints,
                       bool shift, int count);

// Makes a rectangle of cells transparent: TransparentColor in the image, white in the mask.
void ClearRectToTransparent(EditorState& s, const Rect& cellRect);

// Makes every cell inside the polygon (cells, winding rule) transparent.
void ClearPolygonToTransparent(EditorState& s, std::span<const Point> cellPoints, int count);

// Copies the pixels of source inside the polygon sourcePoints (cells, winding rule, clipped to the icon) to
// destination, shifted so that sourcePoints[0] lands on destinationPoints[0]. Pixels landing outside
// destination are dropped. source and destination may be the same bitmap.
void CopyShapeRegion(const EditorState& s, const Bitmap& source, Bitmap& destination, int count,
                     std::span<const Point> destinationPoints, std::span<const Point> sourcePoints);

// destination[i] := source[i] with each coordinate divided by cellSize (truncating toward zero).
void ScalePointsToCells(std::span<const Point> source, std::span<Point> destination, int count, int cellSize);

// destination[i] := source[i] for the first count points.
void CopyPoints(std::span<const Point> source, std::span<Point> destination, int count);

// True when p lies in rect with all four edges counted as inside (Left <= X <= Right, Top <= Y <= Bottom);
// a rectangle with reversed corners is taken with its corners ordered.
bool PointInRect(Point p, const Rect& rect);

// True when (x, y) lies in the region of the polygon (winding rule).
bool PointInShape(int x, int y, std::span<const Point> points, int count);

// True when the bounding box of the polygon's region (winding rule) has both its top-left corner and its
// bottom-right corner (Right, Bottom) in rect by PointInRect. An empty region has the box (0, 0, 0, 0).
bool ShapeBoxInRect(std::span<const Point> points, int count, const Rect& rect);

}  // namespace gw
