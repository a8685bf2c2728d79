// The picker's sheet read from a file: a payload that many groups name is decoded once, and a large file is
// held once (a child process under an address-space limit lists it).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PeBuilder.h"
#include "tests/common/MemoryInChild.h"
#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/ExeIconSheet.h"

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
  ExeIconSheet sheet{Bytes(file)};
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

// A 256 MiB program file (three icons, then a hole) is listed in a child whose address space leaves room for
// one copy of it and little more.
TEST(ExeIconSheet, ALargeFileIsHeldOnce) {
  const std::filesystem::path path =
      std::filesystem::path(::testing::TempDir()) / ("gw-large-" + std::to_string(::getpid()) + ".exe");
  constexpr std::uint64_t kSize = std::uint64_t{256} << 20;
  {
    const Bytes pe = SharedPayload(1);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(pe.data()), static_cast<std::streamsize>(pe.size()));
    std::filesystem::resize_file(path, kSize);
  }
  // The sanitizers reserve far more address space than any limit would leave.
  const ChildRun run = RunInChild(kSanitized ? 0 : static_cast<long>(kSize + kSize / 4), [&] {
    std::string error;
    const auto sheet = ExeIconSheet::Read(path.string(), error);
    if (!sheet || sheet->Count() != 3) return "not read: " + error;
    sheet->Begin(13 * kExeIconCell);
    while (sheet->ListNext()) {
    }
    return std::string(sheet->SheetImage.pixel(kExeIconCell + 20, 5) == MakeColor(0x60, 0x40, 0x20) ? "listed" : "wrong cell");
  });
  std::filesystem::remove(path);
  EXPECT_TRUE(run.finished) << "the child ran out of memory";
  EXPECT_EQ(run.outcome, "listed");
}

}  // namespace
