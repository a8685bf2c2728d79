// The icon and cursor file decoder on arbitrary bytes: it must decode or refuse, never crash or read outside.
// What it decodes must encode again, with the other images it kept, into a file that decodes to the same mask
// and keeps the same other images.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/core/Palettes.h"
#include "iconfile/core/IconCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static gw::EditorState* palettes = [] {
    auto* s = new gw::EditorState;
    gw::InitPalettes(*s);
    return s;
  }();
  const auto icon = gw::DecodeIconFile({data, size});
  if (!icon) return 0;
  const auto bytes = gw::WithKeptImages(gw::EncodeIconFile(icon->format(), icon->image, icon->mask, icon->hotSpotX,
                                                           icon->hotSpotY, gw::ColorSourceFor(*palettes, icon->type)),
                                        icon->otherImages);
  const auto again = gw::DecodeIconFile(bytes);
  if (!again || again->mask != icon->mask || again->type != icon->type || again->otherImages != icon->otherImages)
    std::abort();
  return 0;
}
