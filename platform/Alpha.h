#pragma once
// A channel of a picture with alpha, shown on white: c of alpha a becomes 255 - a + (c a + 127) / 255,
// which is c a / 255 + 255 (255 - a) / 255 rounded. Both inputs are 0 ... 255.

namespace gw {

constexpr int ChannelOnWhite(int c, int a) { return 255 - a + (c * a + 127) / 255; }

}  // namespace gw
