#pragma once
// A logical palette and the platform's nearest-entry rule: the smallest unweighted squared RGB distance,
// ties (duplicate entries included) going to the lowest index.

#include <span>
#include <vector>

#include "platform/Geometry.h"

namespace gw {

// The unweighted squared RGB distance the nearest-entry rule measures.
long SquaredDistance(Color a, Color b);

class Palette {
 public:
  Palette() = default;
  explicit Palette(std::span<const Color> entries);

  int size() const { return static_cast<int>(entries_.size()); }
  Color entry(int i) const { return entries_.at(static_cast<size_t>(i)); }
  const std::vector<Color>& entries() const { return entries_; }

  // Index of the nearest entry, or -1 when the palette has no entries.
  int nearestIndex(Color c) const;

 private:
  std::vector<Color> entries_;
};

}  // namespace gw
