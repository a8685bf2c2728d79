#pragma once
// Open then Save as the editor runs them, on any bytes: the decoder, the new-image handler and ReadIconFile
// (which takes the file's colour table and may give it a black entry), then the state's encoding with the
// kept images. A file Open takes must be saved so that it reads back as the image the editor showed (pixels,
// mask, hot spot), with a directory that describes the file, every kept image byte for byte as the opened
// file held it, no pixel turned between transparent and shown, and the same bytes again from a Save of the
// saved file opened again. The regression test runs the same checks on every kept input.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "iconfile/core/IconCodec.h"
#include "iconfile/core/IconFiles.h"
#include "platform/ByteReader.h"

namespace fuzz {

struct DirectoryEntry {
  std::array<std::uint8_t, 8> fields{};  // bWidth to wBitCount
  std::uint64_t length = 0, offset = 0;
};

// The entries of a file's directory that are in its bytes, in order up to the first that is not; nothing
// when the count is not.
inline std::optional<std::vector<DirectoryEntry>> ReadDirectory(std::span<const std::uint8_t> bytes) {
  const gw::ByteReader r(bytes);
  const auto count = r.u16(4);
  if (!count) return std::nullopt;
  std::vector<DirectoryEntry> entries;
  for (std::uint64_t i = 0; i < *count; ++i) {
    const std::uint64_t at = gw::kIconDirectorySize + gw::kIconEntrySize * i;
    const auto fields = r.bytes(at, 8);
    const auto length = r.u32(at + 8), offset = r.u32(at + 12);
    if (!fields || !length || !offset) break;
    DirectoryEntry& e = entries.emplace_back();
    std::copy(fields->begin(), fields->end(), e.fields.begin());
    e.length = *length;
    e.offset = *offset;
  }
  return entries;
}

// Empty when `saved`, what Save wrote for an image of format f, has a directory that describes it: a
// directory of f's file type, the first entry f's own image right after the directory, and the images
// back to back to the end of the file, none empty, none sharing a byte with another unless it names exactly
// the bytes of an earlier entry (images the opened file stored once); else what is wrong.
inline std::string DirectoryFault(std::span<const std::uint8_t> saved, const gw::IconFormat& f) {
  const gw::ByteReader r(saved);
  const auto entries = ReadDirectory(saved);
  if (!entries || entries->empty() || entries->size() != r.u16(4)) return "the directory is cut short or counts no image";
  if (r.u16(0) != 0u || r.u16(2) != std::uint32_t{f.idType}) return "the directory's reserved word or file type is wrong";
  const DirectoryEntry& first = entries->front();
  const std::uint64_t directory = gw::kIconDirectorySize + gw::kIconEntrySize * entries->size();
  if (first.fields[0] != f.size || first.fields[1] != f.size || first.fields[2] != f.bColorCount || first.fields[3] != 0 ||
      first.length != f.dwBytesInRes || first.offset != directory)
    return "the first entry does not describe the edited image right after the directory";
  std::uint64_t end = directory;
  for (auto e = entries->begin(); e != entries->end(); ++e) {
    const auto same = [&](const DirectoryEntry& o) { return o.offset == e->offset && o.length == e->length; };
    if (std::any_of(entries->begin(), e, same)) continue;
    if (e->offset != end || e->length == 0) return "the images are not back to back after the directory";
    end += e->length;
  }
  if (end != saved.size()) return "the images do not end where the file does";
  return {};
}

// Empty when every image of `saved` after the first is, entry fields and bytes, one of the later images of
// `input`, in the input's order; else what is wrong. A saved entry that names the edited image's bytes
// stands for an input entry that named the opened image's bytes.
inline std::string KeptImagesFault(std::span<const std::uint8_t> input, std::span<const std::uint8_t> saved) {
  const auto before = ReadDirectory(input);
  const auto after = ReadDirectory(saved);
  if (!after) return "the saved directory is cut short";
  const gw::ByteReader in(input), out(saved);
  std::size_t next = 1;  // the input's first image that may match the next saved one
  for (std::size_t i = 1; i < after->size(); ++i) {
    const DirectoryEntry& kept = (*after)[i];
    const auto bytes = out.bytes(kept.offset, kept.length);
    if (!bytes) return "a kept image's bytes lie outside the saved file";
    const DirectoryEntry& edited = after->front();
    const bool namesEdited = kept.offset == edited.offset && kept.length == edited.length;
    bool found = false;
    for (; before && next < before->size() && !found; ++next) {
      const DirectoryEntry& e = (*before)[next];
      const DirectoryEntry& opened = before->front();
      const auto original = in.bytes(e.offset, e.length);
      found = e.fields == kept.fields && original &&
              (namesEdited ? e.offset == opened.offset && e.length == opened.length
                           : std::equal(original->begin(), original->end(), bytes->begin(), bytes->end()));
    }
    if (!found) return "a saved image after the first is not one of the opened file's, byte for byte, in order";
  }
  return {};
}

// Whether the pixel is transparent in the editor's convention.
inline bool Transparent(const gw::Bitmap& image, const gw::Bitmap& mask, int x, int y, gw::Color transparentColor) {
  return mask.pixel(x, y) == gw::kWhite && image.pixel(x, y) == transparentColor;
}

// Two editor states, kept from one file to the next as the editor keeps its one: the file opened, and what
// Save wrote of it opened again.
class IconRoundTrip {
 public:
  IconRoundTrip() {
    gw::InitPalettes(opened_);
    gw::InitPalettes(reopened_);
  }

  // Empty when Open then Save keep what they must of `input` (or Open does not take it); else what broke.
  std::string fault(std::span<const std::uint8_t> input) {
    const auto icon = gw::DecodeIconFile(input);
    if (!icon) return {};
    if (!Open(opened_, *icon)) return "Open refuses a file the decoder reads";
    const gw::IconFormat& f = gw::SaveFormatFor(opened_.IconType, opened_.IconSize);
    if (f.type != icon->type || f.size != icon->size) return "Save picks another format than the opened file's";
    const std::vector<std::uint8_t> saved = Save(opened_);

    if (std::string fault = DirectoryFault(saved, f); !fault.empty()) return fault;
    if (ReadDirectory(saved)->size() != 1 + icon->otherImages.size()) return "Save writes another number of images than Open kept";
    if (std::string fault = KeptImagesFault(input, saved); !fault.empty()) return fault;

    std::string why;
    const auto back = gw::DecodeIconFile(saved, &why);
    if (!back) return "the saved file does not read back: " + why;
    if (back->type != icon->type || back->size != icon->size) return "the saved file reads back as another format";
    if (back->image != opened_.iconimage) return "the saved pixels read back otherwise than the opened image showed";
    if (back->mask != opened_.iconmask || back->mask != icon->mask) return "the saved mask reads back otherwise";
    if (icon->type == gw::kTypeCursor && (back->hotSpotX != icon->hotSpotX || back->hotSpotY != icon->hotSpotY))
      return "the saved hot spot reads back otherwise";
    if (back->otherImages != opened_.FileOtherImages) return "the saved file keeps other images than the opened one";
    const gw::Color transparent = gw::TypeInfo(icon->type).transparentColor;
    for (int y = 0; y < icon->size; ++y)
      for (int x = 0; x < icon->size; ++x)
        if (Transparent(icon->image, icon->mask, x, y, transparent) != Transparent(back->image, back->mask, x, y, transparent))
          return "a pixel turns between transparent and shown from the opened file to the saved one";

    if (!Open(reopened_, *back)) return "Open refuses the saved file";
    if (reopened_.iconimage != opened_.iconimage) return "the saved file opens as another image";
    if (Save(reopened_) != saved) return "the saved file, opened and saved again, gives other bytes";
    return {};
  }

 private:
  // What Open does once the file is read: the new-image handler of its format, then the reader.
  static bool Open(gw::EditorState& s, const gw::DecodedIconFile& icon) {
    return gw::StartNewImage(s, icon.type, icon.size) && gw::ReadIconFile(s, icon, "opened.ico");
  }
  // The bytes Save writes to the file.
  static std::vector<std::uint8_t> Save(const gw::EditorState& s) {
    return gw::EncodeIconFile(s, gw::SaveFormatFor(s.IconType, s.IconSize));
  }

  gw::EditorState opened_, reopened_;
};

}  // namespace fuzz
