// The picker's sheet read from a file: a payload that many groups name is decoded once, a file of any size is
// read only where its icons are (a child process under an address-space limit lists it), and a file cut short
// while it is open is a broken file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PeBuilder.h"
#include "tests/common/MemoryInChild.h"
#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/ExeIconSheet.h"

namespace fs = std::filesystem;
using namespace gw;
using namespace gw::test;

namespace {

// Groups 1 ... `shared` all name icon 1; two more groups name icons 2 and 3.
Bytes SharedPayload(int shared) {
  std::vector<Group> groups;
  for (int i = 1; i <= shared + 2; ++i)
    groups.push_back({"", static_cast<std::uint16_t>(i), {{32, 32, 24, static_cast<std::uint16_t>(i <= shared ? 1 : i - shared + 1)}}});
  std::vector<Icon> icons;
  for (std::uint16_t id = 1; id <= 3; ++id)
    icons.push_back({id, Dib(32, 32, 24, [id](int x, int) { return x < 8 ? 0xFFFFFFu : id * 0x302010u; })});
  return BuildPe(groups, icons);
}

Bitmap Cell(const ExeIconSheet& s, int index) {
  const int left = index % s.ColumnCount() * kExeIconCell, top = index / s.ColumnCount() * kExeIconCell;
  Bitmap cell(kExeIconCell, kExeIconCell);
  for (int y = 0; y < kExeIconCell; ++y)
    for (int x = 0; x < kExeIconCell; ++x) cell.setPixel(x, y, s.SheetImage.pixel(left + x, top + y));
  return cell;
}

TEST(ExeIconSheet, APayloadThatManyGroupsNameIsDecodedOnce) {
  const Bytes file = SharedPayload(40);
  ExeIconSheet sheet{std::make_unique<MemoryBytes>(file)};
  sheet.Begin(13 * kExeIconCell);
  while (sheet.ListNext()) {
  }
  ASSERT_EQ(sheet.Listed(), 42);
  EXPECT_EQ(sheet.DecodedPayloads(), 3);
  const PeResources res(file);
  for (int i : {0, 1, 13, 39, 40, 41}) {
    Bitmap drawn;
    DrawProgramFileIcon(res, i, drawn);
    EXPECT_EQ(Cell(sheet, i), drawn) << i;
  }
}

fs::path ScratchFile(const char* name) {
  return fs::path(::testing::TempDir()) / ("gw-" + std::to_string(::getpid()) + "-" + name);
}

// `bytes`, then a hole up to `size`.
void WriteSparse(const fs::path& path, const Bytes& bytes, std::uint64_t size) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  fs::resize_file(path, size);
}

// Each listed cell by its pixel (20, 5): "-" when white, else n for icon n (0x302010 * n).
std::string Cells(const ExeIconSheet& s) {
  std::string cells;
  for (int i = 0; i < s.Listed(); ++i) {
    const Color c = s.SheetImage.pixel(i % s.ColumnCount() * kExeIconCell + 20, i / s.ColumnCount() * kExeIconCell + 5);
    cells += c == kWhite ? "-" : std::to_string(RedOf(c) / 0x30);
  }
  return cells;
}

// A 5 GiB program file (three icons at its start, then a hole) is listed in a child whose address space may
// grow by a tenth of it, and grows by far less: only the headers, the directory and the icons are read. A
// payload claiming more than any icon takes is not read, whether or not there is memory for it, and one
// there is no memory for is a white cell.
TEST(ExeIconSheet, AHugeFileIsReadOnlyWhereItsIconsAre) {
  constexpr std::uint64_t kSize = std::uint64_t{5} << 30;
  constexpr long kCap = 512L << 20, kLittle = 128L << 20;
  // The size field of the third icon's data entry: the last of six leaves after the two type directories.
  constexpr std::size_t kThirdIconSize = 0x200 + 112 + 5 * 40 + 24 + 4;
  const struct {
    const char* what;
    std::uint32_t claim;  // 0: as built
    long cap;
    const char* cells;
  } cases[] = {
      {"as built", 0, kCap, "123"},
      {"a payload just above the largest read", static_cast<std::uint32_t>(kMaxIconPayloadBytes) + 1, kCap, "12-"},
      {"a payload of nearly 4 GiB over the hole", 0xFFFFFF00u, kCap, "12-"},
      {"the largest payload read, without the memory for it", static_cast<std::uint32_t>(kMaxIconPayloadBytes), kLittle, "12-"},
  };
  const fs::path path = ScratchFile("huge.exe");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    if (kSanitized && c.cap == kLittle) continue;  // no memory runs short without a limit
    Bytes pe = SharedPayload(1);
    if (c.claim) Put(pe, kThirdIconSize, c.claim, 4);
    WriteSparse(path, pe, kSize);
    // The sanitizers reserve far more address space than any limit would leave.
    const ChildRun run = RunInChild(kSanitized ? 0 : c.cap, [&] {
      std::string error;
      const auto sheet = ExeIconSheet::Read(path.string(), error);
      if (!sheet) return "not read: " + error;
      sheet->Begin(13 * kExeIconCell);
      while (sheet->ListNext()) {
      }
      return Cells(*sheet);
    });
    EXPECT_TRUE(run.finished) << "the child ran out of memory";
    EXPECT_EQ(run.outcome, c.cells);
    if (!kSanitized) {
      EXPECT_LT(run.peakGrowthKb, 32 << 10);
    }
  }
  fs::remove(path);
}

// A file cut short after the picker opened it lists what is still there and leaves the rest white.
TEST(ExeIconSheet, AFileCutWhileOpenIsABrokenFile) {
  const Bytes pe = SharedPayload(1);
  const struct {
    std::uint64_t keep;
    const char* cells;
  } cases[] = {{pe.size(), "123"}, {pe.size() - 1, "12-"}, {0x200 + 0x300, "---"}, {0, "---"}};
  const fs::path path = ScratchFile("cut.exe");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.keep);
    WriteSparse(path, pe, pe.size());
    std::string error;
    const auto sheet = ExeIconSheet::Read(path.string(), error);
    ASSERT_TRUE(sheet) << error;
    ASSERT_EQ(sheet->Count(), 3);
    fs::resize_file(path, c.keep);
    sheet->Begin(13 * kExeIconCell);
    while (sheet->ListNext()) {
    }
    EXPECT_EQ(Cells(*sheet), c.cells);
  }
  fs::remove(path);
}

}  // namespace
