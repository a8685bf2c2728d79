#pragma once
// The icon resources of a program file (PE32 or PE32+ executable or library), read by position: the
// headers, the section table and the resource directory when it is opened, then each group and payload as it
// is asked for, so a file of any size takes memory in proportion to its icons. Every offset, size and count
// taken from the file is checked against its size in 64-bit arithmetic; a file that is not a program file,
// is cut short (also while it is open) or has no icons simply has no icons.

#include <compare>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ByteSource.h"

namespace gw {

// Resource types of the icon resources.
inline constexpr std::uint32_t kResourceIcon = 3;
inline constexpr std::uint32_t kResourceGroupIcon = 14;

// The most icon groups a picker lists of one file (a sheet of them stays a few tens of megabytes).
inline constexpr int kMaxListedIcons = 10000;

// The largest icon payload read, in bytes: above the largest DIB drawn (see ExeIconDraw.h), far above any
// real icon (a few hundred kilobytes). A larger claim is not read, whatever the file holds.
inline constexpr std::uint64_t kMaxIconPayloadBytes = std::uint64_t{280} << 20;

// `size` bytes of the file from `offset` on.
struct FileRange {
  std::uint64_t offset = 0, size = 0;
  auto operator<=>(const FileRange&) const = default;
};

class PeResources {
 public:
  // Reads the headers, the section table and the resource directory. Never throws on bad bytes.
  explicit PeResources(std::unique_ptr<const ByteSource> file);
  // Bytes in memory, which must outlive this object.
  explicit PeResources(std::span<const std::uint8_t> file);

  // The icon groups (type 14) in the stored order of their directory: named ones first, then numbered.
  int IconCount() const { return static_cast<int>(groups_.size()); }

  // Where the payload drawn for icon `index` at the given size and screen depth lies (the group's nearest
  // entry, its first language), or nothing when it cannot be reached.
  std::optional<FileRange> IconPayloadRange(int index, int size = 32, int depth = 32) const;
  // That payload's bytes.
  std::optional<std::vector<std::uint8_t>> IconPayload(int index, int size = 32, int depth = 32) const;
  // The payload of the icon (type 3) with this id (its first language), or nothing.
  std::optional<std::vector<std::uint8_t>> IconData(std::uint16_t id) const;
  // The bytes of a payload's range; nothing when they cannot all be read or are more than
  // kMaxIconPayloadBytes.
  std::optional<std::vector<std::uint8_t>> ReadPayload(FileRange range) const;

 private:
  struct Section {
    std::uint64_t virtualAddress, rawSize, rawPointer;
  };
  // The place of `size` bytes at an RVA: inside a section's raw data, wholly within the file.
  std::optional<FileRange> AtRva(std::uint64_t rva, std::uint64_t size) const;
  // A resource directory at `offset` from the root: its first `upTo` entries, or nothing when its whole
  // entry table does not lie in the file.
  struct Entry {
    std::uint32_t name;    // id, or (high bit set) offset of the name
    std::uint32_t target;  // offset of a subdirectory (high bit set) or a data entry
  };
  std::optional<std::vector<Entry>> Directory(std::uint64_t offset, int* namedCount = nullptr,
                                              std::uint64_t upTo = UINT64_MAX) const;
  // The place of the data of the first language under a name-level entry; `ancestors` are directories above
  // it.
  std::optional<FileRange> FirstLanguageData(const Entry& nameEntry, std::vector<std::uint64_t> ancestors) const;
  std::optional<FileRange> IconRange(std::uint16_t id) const;
  // The group directory of icon `index` (its first language), as far as its entries can reach.
  std::optional<std::vector<std::uint8_t>> GroupData(int index) const;
  // The id entry `id` of a directory, found by the platform's binary search over the numbered entries.
  static std::optional<Entry> FindById(const std::vector<Entry>& entries, int namedCount, std::uint32_t id);

  std::unique_ptr<const ByteSource> file_;
  std::vector<Section> sections_;
  std::uint64_t rootOffset_ = 0;  // file offset of the resource directory
  bool hasResources_ = false;
  std::vector<Entry> groups_;
  std::uint64_t groupsOffset_ = 0;
  std::vector<Entry> icons_;
  int iconsNamed_ = 0;
  std::uint64_t iconsOffset_ = 0;
};

// The entry of an icon group directory (0, 1, count, then 14-byte entries) that is drawn at width x height
// on a screen of `depth` bits: least |width - w| + |height - h| (0 x 0 means 256 x 256), then, among entries
// at the same distances, least |depth - bit count|; the first listed wins a tie. Gives the entry's icon id.
std::optional<std::uint16_t> ChooseGroupEntry(std::span<const std::uint8_t> group, int width, int height, int depth);

}  // namespace gw
