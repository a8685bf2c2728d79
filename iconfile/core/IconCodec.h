#pragma once
// Icon and cursor file bytes: one encoder and one parse-and-decode function over the format table. Plain
// functions on bitmaps and bytes; nothing here touches a file or the editor's state.
//
// Images and masks on both sides are in the editor's transparency convention: a transparent pixel has a white
// mask pixel and the type's transparent colour in the image (white, aqua for monochrome icons and cursors).
// In the file a transparent pixel has a set mask bit and black colour bits; the codec converts on its own
// copies.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editor/core/EditorState.h"
#include "iconfile/core/IconFormat.h"
#include "platform/Bitmap.h"
#include "platform/Palette.h"

namespace gw {

// What the encoder maps colours through: the colour table it writes and the nearest-entry lookup of 4- and
// 8-bit pixels. 1- and 24-bit formats use only the table (1 bit) or neither (24 bits).
struct IconColorSource {
  const LogPalette* table = nullptr;    // MonoLogPalette, LogPalette16 or LogPalette256
  const Palette* nearest = nullptr;     // Palette16 or Palette256 (unused for 1 and 24 bits)
};

// The file's bytes for an image and mask of format f (both at least f.size square; pixels outside read as
// black). A transparent 4-bit pixel whose nearest entry is white is written with the entry nearest to
// black. The cursor's aqua transparent pixels are written as white would be (so as black colour bits); the
// caller's bitmaps are not changed. hotSpotX/Y go into the cursor's entry as 16-bit words.
std::vector<std::uint8_t> EncodeIconFile(const IconFormat& f, const Bitmap& image, const Bitmap& mask,
                                         int hotSpotX, int hotSpotY, const IconColorSource& colors);
// The file Save writes: the state's image, mask and hot spot encoded with the palettes of the format's type,
// followed by the other images of the file it was read from (WithKeptImages).
std::vector<std::uint8_t> EncodeIconFile(const EditorState& s, const IconFormat& f);
// A file of several images: the image of `single` (a file EncodeIconFile made) as the first entry, then each
// kept image with its entry fields and bytes as they were; the directory counts them all and every offset is
// made anew. An image that shares an earlier entry's bytes names that entry's copy (one that names no earlier
// entry is written with its own bytes). With no kept images, `single` as it is.
std::vector<std::uint8_t> WithKeptImages(std::vector<std::uint8_t> single, std::span<const KeptFileImage> others);
// The colour source of a type in the state: monochrome and cursor MonoLogPalette; 16 colours LogPalette16
// with Palette16; 256 colours LogPalette256 with Palette256; true colour none.
IconColorSource ColorSourceFor(const EditorState& s, int type);

// Files longer than this are not icon files this editor reads (Open refuses them unread).
inline constexpr std::uintmax_t kMaxIconFileBytes = 16u << 20;
// The most bytes the kept images of a file may hold, each copy counted once. The directory (at most 65,535
// entries, 1 MiB) and the edited image (at most 12,840 bytes) take the rest, so a saved file opens again.
inline constexpr std::uint64_t kMaxKeptImageBytes = kMaxIconFileBytes - (1u << 20) - (64u << 10);

// A file read and decoded.
struct DecodedIconFile {
  int type = 0;                 // IconType of the recognised format
  int size = 0;                 // its edge length
  Bitmap image;                 // size x size, the editor's convention
  Bitmap mask;                  // size x size, 0xFFFFFF transparent, 0x000000 opaque
  std::vector<Color> colorTable;  // 4 and 8 bits: the file's colour table as stored (biClrUsed entries)
  int hotSpotX = 0;             // cursor: the entry's wPlanes and wBitCount as they stand (0 ... 65535)
  int hotSpotY = 0;
  // The directory's second and later images, kept to be written back. The directory ends where the data of
  // an image it named begins: an entry whose 16 bytes reach that far is none. An entry names an image when its
  // bytes (at least one) lie in the file after the directory; entries that name the same bytes as an earlier
  // one share its copy. Images whose copies would take the kept bytes past kMaxKeptImageBytes are left out
  // and counted in imagesNotKept.
  std::vector<KeptFileImage> otherImages;
  int imagesNotKept = 0;
  const IconFormat& format() const { return *FindIconFormat(type, size); }
};

// Recognises the file's format from its directory, its first entry and (for an icon whose entry gives no bit
// count) its bitmap header, validates everything it decodes, and decodes the first image: 1-, 4- and 8-bit
// pixels through the file's own colour table (1 bit: the darker of two entries black, the lighter white),
// 24-bit as stored. Anything not one of the 29 formats, or any byte count, offset, header field or pixel
// index that does not fit, gives nothing, with a short reason in *why when given.
std::optional<DecodedIconFile> DecodeIconFile(std::span<const std::uint8_t> bytes, std::string* why = nullptr);

}  // namespace gw
