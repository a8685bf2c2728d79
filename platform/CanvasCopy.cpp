// Rectangle copies (with stretching) and the surface flood fill of Canvas.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/Canvas.h"

namespace gw {

namespace {

// One destination row or column of a copy and the source rows or columns it takes: [srcLo, srcHi).
// A single source index has srcHi == srcLo + 1; a BlackOnWhite shrink merges several.
struct AxisStep {
  int dst;
  int srcLo;
  int srcHi;
};

// Maps one axis of a stretch copy. The destination runs from `dstOrg` for |dstLen| pixels, towards higher
// coordinates for a positive length and towards lower ones (dstOrg, dstOrg-1, ...) for a negative one; the
// source likewise. Position k along the destination takes source position j(k) of the source run:
//   enlarging (D >= S):        j = ((2k+1)S - 1) div 2D
//   shrinking, first of group: j = (2kS + D) div 2D                (rows)
//   shrinking, last of group:  j = (2(k+1)S + D) div 2D - 1        (columns; S - 2 when D = 1)
//   shrinking, merged:         j in [(2kS + D) div 2D, (2(k+1)S + D) div 2D)   (BlackOnWhite)
// Destination positions outside [0, dstSize) and source positions outside [0, srcSize) are dropped, so a
// destination pixel whose source lies wholly outside the source bitmap is left as it was.
std::vector<AxisStep> mapAxis(int dstOrg, int dstLen, int dstSize, int srcOrg, int srcLen, int srcSize,
                              bool columns, bool merge) {
  std::vector<AxisStep> steps;
  const std::int64_t D = std::abs(static_cast<std::int64_t>(dstLen));
  const std::int64_t S = std::abs(static_cast<std::int64_t>(srcLen));
  if (D == 0 || S == 0) return steps;
  const int dstDir = dstLen > 0 ? 1 : -1;
  const int srcDir = srcLen > 0 ? 1 : -1;

  // Only destination positions inside the bitmap matter: k with 0 <= dstOrg + dstDir*k < dstSize.
  std::int64_t kFirst = 0, kLast = D - 1;
  if (dstDir > 0) {
    kFirst = std::max<std::int64_t>(kFirst, -static_cast<std::int64_t>(dstOrg));
    kLast = std::min<std::int64_t>(kLast, static_cast<std::int64_t>(dstSize) - 1 - dstOrg);
  } else {
    kFirst = std::max<std::int64_t>(kFirst, static_cast<std::int64_t>(dstOrg) - (dstSize - 1));
    kLast = std::min<std::int64_t>(kLast, static_cast<std::int64_t>(dstOrg));
  }
  if (kFirst > kLast) return steps;
  steps.reserve(static_cast<size_t>(kLast - kFirst + 1));

  for (std::int64_t k = kFirst; k <= kLast; ++k) {
    std::int64_t jLo, jHi;  // half-open run positions
    if (D >= S) {
      jLo = ((2 * k + 1) * S - 1) / (2 * D);
      jHi = jLo + 1;
    } else if (merge) {
      jLo = (2 * k * S + D) / (2 * D);
      jHi = (2 * (k + 1) * S + D) / (2 * D);
    } else if (!columns) {
      jLo = (2 * k * S + D) / (2 * D);
      jHi = jLo + 1;
    } else {
      jLo = D == 1 ? S - 2 : (2 * (k + 1) * S + D) / (2 * D) - 1;
      jHi = jLo + 1;
    }
    // Run positions to source coordinates, as a half-open range.
    std::int64_t lo, hi;
    if (srcDir > 0) {
      lo = srcOrg + jLo;
      hi = srcOrg + jHi;
    } else {
      lo = srcOrg - jHi + 1;
      hi = srcOrg - jLo + 1;
    }
    lo = std::max<std::int64_t>(lo, 0);
    hi = std::min<std::int64_t>(hi, srcSize);
    if (lo >= hi) continue;
    steps.push_back({static_cast<int>(dstOrg + dstDir * k), static_cast<int>(lo), static_cast<int>(hi)});
  }
  return steps;
}

}  // namespace

void Canvas::copyRect(const Rect& dstRect, const Bitmap& src, const Rect& srcRect, StretchMode mode) {
  // Like the platform, coordinates are taken within +-2^27; a copy reaching beyond that does nothing. This
  // also keeps every product of the stepping in 64 bits.
  constexpr std::int64_t kLimit = std::int64_t{1} << 27;
  const auto outOfRange = [&](int a, int b) {
    return std::abs(static_cast<std::int64_t>(a)) > kLimit || std::abs(static_cast<std::int64_t>(b)) > kLimit;
  };
  if (outOfRange(dstRect.left, dstRect.right) || outOfRange(dstRect.top, dstRect.bottom) ||
      outOfRange(srcRect.left, srcRect.right) || outOfRange(srcRect.top, srcRect.bottom))
    return;
  // A copy within one bitmap reads from a snapshot, so overlapping rectangles do not feed on themselves.
  if (&src == bmp_) {
    const Bitmap snapshot = src;
    copyRect(dstRect, snapshot, srcRect, mode);
    return;
  }
  const bool merge = mode == StretchMode::BlackOnWhite;
  const auto cols = mapAxis(dstRect.left, dstRect.right - dstRect.left, bmp_->width(), srcRect.left,
                            srcRect.right - srcRect.left, src.width(), true, merge);
  if (cols.empty()) return;
  const auto rows = mapAxis(dstRect.top, dstRect.bottom - dstRect.top, bmp_->height(), srcRect.top,
                            srcRect.bottom - srcRect.top, src.height(), false, merge);
  const bool singleColumns =
      std::all_of(cols.begin(), cols.end(), [](const AxisStep& s) { return s.srcHi - s.srcLo == 1; });

  // The columns written form one run of the destination row (only its ends can lose their source).
  const auto [minCol, maxCol] = std::minmax(cols.front().dst, cols.back().dst);
  const AxisStep* done = nullptr;  // the last row computed; a row with the same source is a copy of it
  for (const AxisStep& r : rows) {
    Color* out = bmp_->row(r.dst);
    if (done != nullptr && done->srcLo == r.srcLo && done->srcHi == r.srcHi) {
      const Color* same = bmp_->row(done->dst);
      std::copy(same + minCol, same + maxCol + 1, out + minCol);
      continue;
    }
    done = &r;
    if (singleColumns && r.srcHi - r.srcLo == 1) {
      const Color* in = src.row(r.srcLo);
      for (const AxisStep& c : cols) out[c.dst] = in[c.srcLo];
      continue;
    }
    for (const AxisStep& c : cols) {
      Color v = 0x00FFFFFFu;
      for (int sy = r.srcLo; sy < r.srcHi; ++sy) {
        const Color* in = src.row(sy);
        for (int sx = c.srcLo; sx < c.srcHi; ++sx) v &= in[sx];
      }
      out[c.dst] = v;
    }
  }
}

bool Canvas::floodFillSurface(int x, int y, Color surface) {
  Bitmap& bmp = *bmp_;
  if (!bmp.contains(x, y) || bmp.pixel(x, y) != surface) return false;
  const Color fillColor = brush_.color;
  // Painting a surface with its own colour changes nothing (and would never leave the surface colour).
  if (fillColor == surface) return true;

  const int w = bmp.width();
  const int h = bmp.height();
  // Scanline fill: each stack entry is a seed pixel; its whole run on the row is painted, then the rows above
  // and below are scanned along that run for further runs of the surface colour.
  std::vector<Point> stack;
  stack.push_back({x, y});
  while (!stack.empty()) {
    const Point seed = stack.back();
    stack.pop_back();
    Color* row = bmp.row(seed.y);
    if (row[seed.x] != surface) continue;
    int l = seed.x;
    while (l > 0 && row[l - 1] == surface) --l;
    int r = seed.x + 1;
    while (r < w && row[r] == surface) ++r;
    std::fill(row + l, row + r, fillColor);
    for (int ny : {seed.y - 1, seed.y + 1}) {
      if (ny < 0 || ny >= h) continue;
      const Color* nrow = bmp.row(ny);
      bool inRun = false;
      for (int nx = l; nx < r; ++nx) {
        if (nrow[nx] == surface) {
          if (!inRun) stack.push_back({nx, ny});
          inRun = true;
        } else {
          inRun = false;
        }
      }
    }
  }
  return true;
}

}  // namespace gw
