#include "platform/Palette.h"

namespace gw {

Palette::Palette(std::span<const Color> entries) {
  entries_.reserve(entries.size());
  for (Color c : entries) entries_.push_back(c & 0x00FFFFFFu);
}

int Palette::nearestIndex(Color c) const {
  int best = -1;
  long bestDist = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const long dr = RedOf(entries_[i]) - RedOf(c);
    const long dg = GreenOf(entries_[i]) - GreenOf(c);
    const long db = BlueOf(entries_[i]) - BlueOf(c);
    const long dist = dr * dr + dg * dg + db * db;
    if (best < 0 || dist < bestDist) {  // strict: ties keep the lower index
      best = static_cast<int>(i);
      bestDist = dist;
      if (dist == 0) break;
    }
  }
  return best;
}

}  // namespace gw
