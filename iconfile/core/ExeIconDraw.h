#pragma once
// Icons of program files drawn as the platform draws them: the payload (a DIB with its AND mask, or a PNG)
// brought to the cell size from its real size one axis at a time (repeating pixels to enlarge, AND-ing the
// merged 32-bit values to shrink), then put on white: a 32-bit payload with any non-zero alpha, and every
// PNG, blended per channel; any other shows its colour XOR white where the mask is set.

#include <cstdint>
#include <span>

#include "iconfile/core/PeResources.h"
#include "platform/Bitmap.h"

namespace gw {

// The edge of the cells the icon picker lists (the platform's icon size).
inline constexpr int kExeIconCell = 32;

// The largest payloads drawn (a side in pixels), so that no claimed size stalls the listing: real icons are
// at most 256 (or a few times that) pixels wide.
inline constexpr std::int64_t kMaxPngIconSide = 4096;
inline constexpr std::int64_t kMaxDibIconSide = 8192;

// Fills `cell` (resized to edge x edge) white and draws the payload on it. Returns false, leaving the cell
// white, when the payload cannot be decoded.
bool DrawIconPayload(std::span<const std::uint8_t> payload, Bitmap& cell, int edge = kExeIconCell);

// Icon `index` of a program file at the cell size: false (a white cell) when it cannot be drawn.
bool DrawProgramFileIcon(const PeResources& file, int index, Bitmap& cell);

}  // namespace gw
