#include "iconfile/core/PeResources.h"

#include <cstdlib>

#include "platform/ByteReader.h"

namespace gw {

namespace {

// Little-endian reads at a 64-bit offset; nothing when the bytes are not all there.
std::optional<std::uint32_t> U8(std::span<const std::uint8_t> b, std::uint64_t offset) { return ByteReader(b).u8(offset); }
std::optional<std::uint32_t> U16(std::span<const std::uint8_t> b, std::uint64_t offset) { return ByteReader(b).u16(offset); }
std::optional<std::uint32_t> U32(std::span<const std::uint8_t> b, std::uint64_t offset) { return ByteReader(b).u32(offset); }

constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kOffsetBits = 0x7FFFFFFFu;
constexpr std::uint64_t kMaxProgramFile = std::uint64_t{1} << 32;

}  // namespace

PeResources::PeResources(std::span<const std::uint8_t> file) : file_(file) {
  if (file.size() < 2 || file[0] != 'M' || file[1] != 'Z') return;
  const auto lfanew = U32(file, 0x3C);
  if (!lfanew) return;
  const std::uint64_t pe = *lfanew;
  const auto signature = U32(file, pe);
  if (!signature || *signature != 0x00004550u) return;  // "PE\0\0"
  const auto sectionCount = U16(file, pe + 6);
  const auto optionalSize = U16(file, pe + 20);
  const std::uint64_t opt = pe + 24;
  const auto magic = U16(file, opt);
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
  const auto directoryCount = U32(file, countAt);
  if (!directoryCount || *directoryCount <= 2) return;  // no resource directory entry
  const auto resourceRva = U32(file, directoriesAt + 2 * 8);
  if (!resourceRva || *resourceRva == 0) return;

  const std::uint64_t table = opt + *optionalSize;
  for (std::uint32_t i = 0; i < *sectionCount; ++i) {
    const std::uint64_t s = table + 40ull * i;
    const auto va = U32(file, s + 12), rawSize = U32(file, s + 16), rawPointer = U32(file, s + 20);
    if (!va || !rawSize || !rawPointer) return;  // the table is cut short
    sections_.push_back({*va, *rawSize, *rawPointer});
  }
  // A directory inside the headers lies at its RVA; any other is found through the section table.
  const auto headersSize = U32(file, opt + 60);
  if (headersSize && *resourceRva < *headersSize) {
    if (!U32(file, std::uint64_t{*resourceRva} + 12)) return;
    rootOffset_ = *resourceRva;
  } else {
    const auto root = AtRva(*resourceRva, 16);
    if (!root) return;
    rootOffset_ = static_cast<std::uint64_t>(root->data() - file_.data());
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

std::optional<std::span<const std::uint8_t>> PeResources::AtRva(std::uint64_t rva, std::uint64_t size) const {
  for (const Section& s : sections_) {
    if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) continue;
    const std::uint64_t offset = rva - s.virtualAddress + s.rawPointer;
    if (offset > file_.size() || file_.size() - offset < size) return std::nullopt;
    return file_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
  }
  return std::nullopt;
}

std::optional<std::vector<PeResources::Entry>> PeResources::Directory(std::uint64_t offset, int* namedCount) const {
  if (!hasResources_) return std::nullopt;
  const std::uint64_t at = rootOffset_ + offset;
  const auto named = U16(file_, at + 12), numbered = U16(file_, at + 14);
  if (!named || !numbered) return std::nullopt;
  const std::uint64_t count = std::uint64_t{*named} + *numbered;
  const auto table = ByteReader(file_).bytes(at + 16, count * 8);
  if (!table) return std::nullopt;
  const ByteReader entryReader(*table);
  std::vector<Entry> entries;
  entries.reserve(static_cast<std::size_t>(count));
  for (std::uint64_t i = 0; i < count; ++i)
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

std::optional<std::span<const std::uint8_t>> PeResources::FirstLanguageData(
    const Entry& nameEntry, std::vector<std::uint64_t> ancestors) const {
  // The tree has three levels (type, name, language): a name entry must lead to a directory of languages
  // that is none of the directories above it, and the first language to a data entry.
  if (!(nameEntry.target & kSubdirectory)) return std::nullopt;
  const std::uint64_t languages = nameEntry.target & kOffsetBits;
  for (std::uint64_t a : ancestors)
    if (a == languages) return std::nullopt;
  const auto entries = Directory(languages);
  if (!entries || entries->empty() || (entries->front().target & kSubdirectory)) return std::nullopt;
  const std::uint64_t dataEntry = rootOffset_ + entries->front().target;
  const auto rva = U32(file_, dataEntry), size = U32(file_, dataEntry + 4);
  if (!rva || !size) return std::nullopt;
  return AtRva(*rva, *size);
}

std::optional<std::span<const std::uint8_t>> PeResources::GroupData(int index) const {
  if (index < 0 || index >= IconCount()) return std::nullopt;
  return FirstLanguageData(groups_[static_cast<std::size_t>(index)], {0, groupsOffset_});
}

std::optional<std::span<const std::uint8_t>> PeResources::IconData(std::uint16_t id) const {
  const auto e = FindById(icons_, iconsNamed_, id);
  if (!e) return std::nullopt;
  return FirstLanguageData(*e, {0, iconsOffset_});
}

std::optional<std::span<const std::uint8_t>> PeResources::IconPayload(int index, int size, int depth) const {
  const auto group = GroupData(index);
  if (!group) return std::nullopt;
  const auto id = ChooseGroupEntry(*group, size, size, depth);
  if (!id) return std::nullopt;
  return IconData(*id);
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

FileContents ReadProgramFile(const std::string& path) {
  static constexpr std::uint8_t kMz[2] = {'M', 'Z'};
  return ReadFileContents(path, kMaxProgramFile, kMz);
}

}  // namespace gw
