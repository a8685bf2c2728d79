#include "platform/Palette.h"

namespace gw {

long SquaredDistance(Color a, Color b) {
  const long dr = RedOf(a) - RedOf(b), dg = GreenOf(a) - GreenOf(b), db = BlueOf(a) - BlueOf(b);
  return dr * dr + dg * dg + db * db;
}

Palette::Palette(std::span<const Color> entries) {
  entries_.reserve(entries.size());
  for (Color c : entries) entries_.push_back(c & 0x00FFFFFFu);
}

int Palette::nearestIndex(Color c) const {
  int best = -1;
  long bestDist = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const long dist = SquaredDistance(entries_[i], c);
    if (best < 0 || dist < bestDist) {  // strict: ties keep the lower index
      best = static_cast<int>(i);
      bestDist = dist;
      if (dist == 0) break;
    }
  }
  return best;
}

}  // namespace gw
