#include "editor/core/Selection.h"

namespace gw {

void MoveSelectedRect(EditorState&, bool, const Rect&, const Rect&) {}
void MoveSelectedShape(EditorState&, std::span<const Point>, std::span<const Point>, bool, int) {}
void ClearRectToTransparent(EditorState&, const Rect&) {}
void ClearPolygonToTransparent(EditorState&, std::span<const Point>, int) {}
void CopyShapeRegion(const EditorState&, const Bitmap&, Bitmap&, int, std::span<const Point>,
                     std::span<const Point>) {}
void ScalePointsToCells(std::span<const Point>, std::span<Point>, int, int) {}
void CopyPoints(std::span<const Point>, std::span<Point>, int) {}
bool PointInRect(Point, const Rect&) { return false; }
bool PointInShape(int, int, std::span<const Point>, int) { return false; }
bool ShapeBoxInRect(std::span<const Point>, int, const Rect&) { return false; }

}  // namespace gw
