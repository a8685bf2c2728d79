#include "iconfile/core/PeResources.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ByteReader.h"

namespace gw {

namespace {

// Little-endian reads at a 64-bit offset of bytes in memory; nothing when the bytes are not all there.
std::optional<std::uint32_t> U8(std::span<const std::uint8_t> b, std::uint64_t offset) { return ByteReader(b).u8(offset); }
std::optional<std::uint32_t> U16(std::span<const std::uint8_t> b, std::uint64_t offset) { return ByteReader(b).u16(offset); }

constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kOffsetBits = 0x7FFFFFFFu;
// The most a group directory's entries can take: the header and 65535 entries of 14 bytes.
constexpr std::uint64_t kMaxGroupBytes = 6 + 14 * 0xFFFFull;

}  // namespace

PeResources::PeResources(std::span<const std::uint8_t> file) : PeResources(std::make_unique<MemoryBytes>(file)) {}

PeResources::PeResources(std::unique_ptr<const ByteSource> file) : file_(std::move(file)) {
  const ByteSource& f = *file_;
  if (f.u16(0) != 0x5A4Du) return;  // "MZ"
  const auto lfanew = f.u32(0x3C);
  if (!lfanew) return;
  const std::uint64_t pe = *lfanew;
  const auto signature = f.u32(pe);
  if (!signature || *signature != 0x00004550u) return;  // "PE\0\0"
  const auto sectionCount = f.u16(pe + 6);
  const auto optionalSize = f.u16(pe + 20);
  const std::uint64_t opt = pe + 24;
  const auto magic = f.u16(opt);
  if (!sectionCount || !optionalSize || !magic) return;
  std::uint64_t countAt = 0, directoriesAt = 0;
  if (*magic == 0x10B) {         // PE32
    countAt = opt + 92;
    directoriesAt = opt + 96;
  } else if (*magic == 0x20B) {  // PE32+
    countAt = opt + 108;
    directoriesAt = opt + 112;
  } else {
    return;
  }
  const auto directoryCount = f.u32(countAt);
  if (!directoryCount || *directoryCount <= 2) return;  // no resource directory entry
  const auto resourceRva = f.u32(directoriesAt + 2 * 8);
  if (!resourceRva || *resourceRva == 0) return;

  // The whole section table (at most 65535 entries of 40 bytes), or nothing when it is cut short.
  const auto table = f.bytes(opt + *optionalSize, 40ull * *sectionCount);
  if (!table) return;
  const ByteReader sections(*table);
  for (std::uint32_t i = 0; i < *sectionCount; ++i) {
    const std::uint64_t s = 40ull * i;
    sections_.push_back({sections.u32(s + 12).value_or(0), sections.u32(s + 16).value_or(0), sections.u32(s + 20).value_or(0)});
  }
  // A directory inside the headers lies at its RVA; any other is found through the section table.
  const auto headersSize = f.u32(opt + 60);
  if (headersSize && *resourceRva < *headersSize) {
    if (!f.has(std::uint64_t{*resourceRva} + 12, 4)) return;
    rootOffset_ = *resourceRva;
  } else {
    const auto root = AtRva(*resourceRva, 16);
    if (!root) return;
    rootOffset_ = root->offset;
  }
  hasResources_ = true;

  int rootNamed = 0;
  const auto types = Directory(0, &rootNamed);
  if (!types) return;
  // A type directory that is the root again (or not a directory at all) lists nothing.
  const auto typeDirectory = [&](std::uint32_t type, std::vector<Entry>& entries, int* named,
                                 std::uint64_t& at) {
    const auto e = FindById(*types, rootNamed, type);
    if (!e || !(e->target & kSubdirectory) || (e->target & kOffsetBits) == 0) return;
    at = e->target & kOffsetBits;
    if (auto d = Directory(at, named)) entries = std::move(*d);
  };
  typeDirectory(kResourceGroupIcon, groups_, nullptr, groupsOffset_);
  typeDirectory(kResourceIcon, icons_, &iconsNamed_, iconsOffset_);
}

std::optional<FileRange> PeResources::AtRva(std::uint64_t rva, std::uint64_t size) const {
  for (const Section& s : sections_) {
    if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
    const std::uint64_t offset = rva - s.virtualAddress + s.rawPointer;
    if (!file_->has(offset, size)) return std::nullopt;
    return FileRange{offset, size};
  }
  return std::nullopt;
}

std::optional<std::vector<PeResources::Entry>> PeResources::Directory(std::uint64_t offset, int* namedCount,
                                                                      std::uint64_t upTo) const {
  if (!hasResources_) return std::nullopt;
  const std::uint64_t at = rootOffset_ + offset;
  const auto named = file_->u16(at + 12), numbered = file_->u16(at + 14);
  if (!named || !numbered) return std::nullopt;
  const std::uint64_t count = std::uint64_t{*named} + *numbered;
  if (!file_->has(at + 16, count * 8)) return std::nullopt;
  const auto table = file_->bytes(at + 16, std::min(count, upTo) * 8);
  if (!table) return std::nullopt;
  const ByteReader entryReader(*table);
  std::vector<Entry> entries;
  entries.reserve(table->size() / 8);
  for (std::uint64_t i = 0; i < table->size() / 8; ++i)
    entries.push_back({entryReader.u32(8 * i).value_or(0), entryReader.u32(8 * i + 4).value_or(0)});
  if (namedCount) *namedCount = static_cast<int>(*named);
  return entries;
}

std::optional<PeResources::Entry> PeResources::FindById(const std::vector<Entry>& entries, int namedCount,
                                                        std::uint32_t id) {
  int lo = namedCount, hi = static_cast<int>(entries.size()) - 1;
  while (lo <= hi) {
    const int mid = lo + (hi - lo) / 2;
    const std::uint32_t here = entries[static_cast<std::size_t>(mid)].name & 0xFFFFu;
    if (here == id) return entries[static_cast<std::size_t>(mid)];
    if (here > id) hi = mid - 1; else lo = mid + 1;
  }
  return std::nullopt;
}

std::optional<FileRange> PeResources::FirstLanguageData(const Entry& nameEntry,
                                                        std::vector<std::uint64_t> ancestors) const {
  // The tree has three levels (type, name, language): a name entry must lead to a directory of languages
  // that is none of the directories above it, and the first language to a data entry.
  if (!(nameEntry.target & kSubdirectory)) return std::nullopt;
  const std::uint64_t languages = nameEntry.target & kOffsetBits;
  for (std::uint64_t a : ancestors)
    if (a == languages) return std::nullopt;
  const auto entries = Directory(languages, nullptr, 1);
  if (!entries || entries->empty() || (entries->front().target & kSubdirectory)) return std::nullopt;
  const std::uint64_t dataEntry = rootOffset_ + entries->front().target;
  const auto rva = file_->u32(dataEntry), size = file_->u32(dataEntry + 4);
  if (!rva || !size) return std::nullopt;
  return AtRva(*rva, *size);
}

std::optional<std::vector<std::uint8_t>> PeResources::GroupData(int index) const {
  if (index < 0 || index >= IconCount()) return std::nullopt;
  const auto range = FirstLanguageData(groups_[static_cast<std::size_t>(index)], {0, groupsOffset_});
  if (!range) return std::nullopt;
  return file_->bytes(range->offset, std::min(range->size, kMaxGroupBytes));
}

std::optional<FileRange> PeResources::IconRange(std::uint16_t id) const {
  const auto e = FindById(icons_, iconsNamed_, id);
  if (!e) return std::nullopt;
  return FirstLanguageData(*e, {0, iconsOffset_});
}

std::optional<std::vector<std::uint8_t>> PeResources::ReadPayload(FileRange range) const {
  if (range.size > kMaxIconPayloadBytes) return std::nullopt;
  return file_->bytes(range.offset, range.size);
}

std::optional<std::vector<std::uint8_t>> PeResources::IconData(std::uint16_t id) const {
  const auto range = IconRange(id);
  if (!range) return std::nullopt;
  return ReadPayload(*range);
}

std::optional<FileRange> PeResources::IconPayloadRange(int index, int size, int depth) const {
  const auto group = GroupData(index);
  if (!group) return std::nullopt;
  const auto id = ChooseGroupEntry(*group, size, size, depth);
  if (!id) return std::nullopt;
  return IconRange(*id);
}

std::optional<std::vector<std::uint8_t>> PeResources::IconPayload(int index, int size, int depth) const {
  const auto range = IconPayloadRange(index, size, depth);
  if (!range) return std::nullopt;
  return ReadPayload(*range);
}

std::optional<std::uint16_t> ChooseGroupEntry(std::span<const std::uint8_t> group, int width, int height, int depth) {
  const auto reserved = U16(group, 0), type = U16(group, 2), count = U16(group, 4);
  if (!reserved || !type || !count || *reserved != 0 || (*type & 3) == 0) return std::nullopt;
  struct Candidate {
    std::int64_t dx, dy, bits;
    std::uint16_t id;
  };
  std::vector<Candidate> all;
  for (std::uint32_t i = 0; i < *count; ++i) {
    const std::uint64_t e = 6 + 14ull * i;
    const auto id = U16(group, e + 12);  // the last field: an entry cut short is left out with the rest
    if (!id) break;
    std::int64_t w = U8(group, e).value_or(0), h = U8(group, e + 1).value_or(0);
    if (w == 0 && h == 0) w = h = 256;
    all.push_back({std::llabs(width - w), std::llabs(height - h), U16(group, e + 6).value_or(0), static_cast<std::uint16_t>(*id)});
  }
  if (all.empty()) return std::nullopt;
  // The first entry of least total distance fixes the distances along each axis; of the entries at those
  // distances the first of least depth difference wins.
  const Candidate* nearest = &all.front();
  for (const Candidate& c : all)
    if (c.dx + c.dy < nearest->dx + nearest->dy) nearest = &c;
  const Candidate* best = nullptr;
  for (const Candidate& c : all)
    if (c.dx == nearest->dx && c.dy == nearest->dy &&
        (!best || std::llabs(depth - c.bits) < std::llabs(depth - best->bits)))
      best = &c;
  return best->id;
}

}  // namespace gw
