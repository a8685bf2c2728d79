#include "iconfile/core/IconCodec.h"

namespace gw {

IconColorSource ColorSourceFor(const EditorState& s, int type) {
  switch (type) {
    case kType16Color: return {&s.LogPalette16, &s.Palette16};
    case kType256Color: return {&s.LogPalette256, &s.Palette256};
    case kTypeTrueColor: return {};
    default: return {&s.MonoLogPalette, nullptr};
  }
}

std::vector<std::uint8_t> EncodeIconFile(const IconFormat& f, const Bitmap&, const Bitmap&, int, int,
                                         const IconColorSource&) {
  return std::vector<std::uint8_t>(static_cast<std::size_t>(f.fileLength), 0);
}

std::vector<std::uint8_t> EncodeIconFile(const EditorState& s, const IconFormat& f) {
  return EncodeIconFile(f, s.iconimage, s.iconmask, s.CursorHotSpotX, s.CursorHotSpotY, ColorSourceFor(s, f.type));
}

std::optional<DecodedIconFile> DecodeIconFile(std::span<const std::uint8_t>, std::string* why) {
  if (why) *why = "not built yet";
  return std::nullopt;
}

}  // namespace gw
