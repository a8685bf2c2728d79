#include "platform/Region.h"

#include <algorithm>
#include <cstdint>

namespace gw {

namespace {

// Rows farther than this from the origin are left out of a region; no canvas comes near it, and it bounds
// the memory a polygon with absurd coordinates can take.
constexpr std::int64_t kRowLimit = 1 << 16;
// Coordinates are taken within +-2^27, as the platform's regions do; this keeps the arithmetic in 64 bits.
constexpr int kCoordLimit = 1 << 27;

std::int64_t floorDiv(std::int64_t num, std::int64_t den) {  // den > 0
  std::int64_t q = num / den;
  if (num % den != 0 && num < 0) --q;
  return q;
}

int clampToInt(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

}  // namespace

Region Region::polygon(std::span<const Point> pts) {
  Region rgn;
  rgn.pts_.reserve(pts.size());
  for (const Point& p : pts)
    rgn.pts_.push_back({std::clamp(p.x, -kCoordLimit, kCoordLimit), std::clamp(p.y, -kCoordLimit, kCoordLimit)});
  pts = rgn.pts_;
  if (pts.size() < 3) return rgn;

  // Edges in the order the platform takes them: the closing edge first, then the others in point order.
  // Horizontal edges count for no row and are left out.
  struct Edge {
    std::int64_t ax, ay, bx, by;  // upper and lower end (by > ay); counts for rows ay <= y < by
    int dir;                       // +1 going down, -1 going up
    std::int64_t x = 0;            // first pixel column right of the crossing on the current row
    std::int64_t xAt(std::int64_t y) const {  // ceil of the exact crossing on row y
      const std::int64_t den = by - ay;
      return floorDiv(ax * den + (y - ay) * (bx - ax) + den - 1, den);
    }
  };
  std::vector<Edge> edges;
  edges.reserve(pts.size());
  const size_t n = pts.size();
  std::int64_t ymin = pts[0].y, ymax = pts[0].y;
  for (size_t i = 0; i < n; ++i) {
    const Point& p0 = pts[(i + n - 1) % n];
    const Point& p1 = pts[i];
    ymin = std::min<std::int64_t>(ymin, p1.y);
    ymax = std::max<std::int64_t>(ymax, p1.y);
    if (p0.y == p1.y) continue;
    const bool down = p0.y < p1.y;
    const Point& a = down ? p0 : p1;
    const Point& b = down ? p1 : p0;
    edges.push_back({a.x, a.y, b.x, b.y, down ? 1 : -1});
  }
  const std::int64_t top = std::max<std::int64_t>(ymin, -kRowLimit);
  const std::int64_t bottom = std::min<std::int64_t>(ymax, kRowLimit);  // exclusive
  if (edges.empty() || top >= bottom) return rgn;

  // Edges by the row they start on (stable, so edges of one row keep their order).
  std::vector<Edge*> pending;
  pending.reserve(edges.size());
  for (Edge& e : edges)
    if (e.by > top) pending.push_back(&e);
  std::stable_sort(pending.begin(), pending.end(),
                   [&](const Edge* l, const Edge* r) { return std::max(l->ay, top) < std::max(r->ay, top); });

  // Rows are scanned with the active edges ordered by crossing; edges at the same crossing keep the order they
  // had (an edge that starts on the row goes after those already there). On each row the edges where the
  // winding number turns from zero to non-zero and back bound the spans. These spans are what the platform's
  // region is made of (together with vertical merging of equal rows), which decides whether the region counts
  // as one rectangle; their union is the region.
  std::vector<std::vector<std::pair<int, int>>> rows(static_cast<size_t>(bottom - top));
  std::vector<std::vector<std::pair<int, int>>> raw(rows.size());
  std::vector<Edge*> active;
  size_t next = 0;
  for (std::int64_t y = top; y < bottom; ++y) {
    for (; next < pending.size() && std::max(pending[next]->ay, top) == y; ++next) {
      Edge* e = pending[next];
      e->x = e->xAt(y);
      auto pos = std::upper_bound(active.begin(), active.end(), e->x,
                                  [](std::int64_t v, const Edge* a) { return v < a->x; });
      active.insert(pos, e);
    }
    auto& spans = raw[static_cast<size_t>(y - top)];
    int wind = 0;
    std::int64_t start = 0;
    for (const Edge* e : active) {
      const int before = wind;
      wind += e->dir;
      if (before == 0 && wind != 0) {
        start = e->x;
      } else if (before != 0 && wind == 0 && start != e->x) {
        spans.emplace_back(clampToInt(start), clampToInt(e->x));
      }
    }
    // The union of the spans, sorted and merged, for the pixel tests.
    auto merged = spans;
    std::sort(merged.begin(), merged.end());
    auto& out = rows[static_cast<size_t>(y - top)];
    for (const auto& sp : merged) {
      if (!out.empty() && sp.first <= out.back().second)
        out.back().second = std::max(out.back().second, sp.second);
      else
        out.push_back(sp);
    }
    // Edges that end here leave; the others move to the next row and the order is restored.
    std::erase_if(active, [&](const Edge* e) { return e->by == y + 1; });
    for (Edge* e : active) e->x = e->xAt(y + 1);
    std::stable_sort(active.begin(), active.end(), [](const Edge* l, const Edge* r) { return l->x < r->x; });
  }

  // Keep only the rows from the first to the last one holding pixels.
  size_t first = 0, last = rows.size();
  while (first < last && rows[first].empty()) ++first;
  while (last > first && rows[last - 1].empty()) --last;
  if (first == last) return rgn;
  rgn.top_ = static_cast<int>(top + static_cast<std::int64_t>(first));
  rgn.rows_.assign(std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(first)),
                   std::make_move_iterator(rows.begin() + static_cast<std::ptrdiff_t>(last)));

  Rect box{INT32_MAX, rgn.top_, INT32_MIN, rgn.top_ + static_cast<int>(rgn.rows_.size())};
  for (const auto& spans : rgn.rows_) {
    if (spans.empty()) continue;
    box.left = std::min(box.left, spans.front().first);
    box.right = std::max(box.right, spans.back().second);
  }
  rgn.box_ = box;
  // One rectangle: every row from the first to the last made of the same single span.
  bool simple = true;
  for (size_t i = first; i < last && simple; ++i)
    simple = raw[i].size() == 1 && raw[i].front() == raw[first].front();
  rgn.kind_ = simple ? Kind::Simple : Kind::Complex;
  return rgn;
}

bool Region::contains(int x, int y) const {
  if (rows_.empty() || y < top_ || y - top_ >= static_cast<int>(rows_.size())) return false;
  const auto& spans = rows_[static_cast<size_t>(y - top_)];
  // First span ending after x.
  auto it = std::upper_bound(spans.begin(), spans.end(), x,
                             [](int v, const std::pair<int, int>& s) { return v < s.second; });
  return it != spans.end() && it->first <= x;
}

Rect Region::box() const { return box_; }

Region::Kind Region::kind() const { return kind_; }

void Region::fill(Canvas& canvas, Color c) const {
  Bitmap& bmp = canvas.bitmap();
  c &= 0x00FFFFFFu;
  const int yEnd = std::min(top_ + static_cast<int>(rows_.size()), bmp.height());
  for (int y = std::max(top_, 0); y < yEnd; ++y) {
    Color* row = bmp.row(y);
    for (const auto& [l, r] : rows_[static_cast<size_t>(y - top_)]) {
      const int x0 = std::max(l, 0);
      const int x1 = std::min(r, bmp.width());
      if (x0 < x1) std::fill(row + x0, row + x1, c);
    }
  }
}

}  // namespace gw
