// The picker's sheet read from a file: a payload that many groups name is decoded once, and a large file is
// held once (a child process under an address-space limit lists it).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "PeBuilder.h"
#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/ExeIconSheet.h"

using namespace gw;
using namespace gw::test;

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

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
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (!kSanitized) {  // the sanitizers reserve far more address space than any limit would leave
      std::ifstream statm("/proc/self/statm");
      std::uint64_t pages = 0;
      statm >> pages;
      const rlim_t cap = pages * static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE)) + kSize + (kSize / 4);
      const struct rlimit limit {cap, cap};
      if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(2);
    }
    try {
      std::string error;
      const auto sheet = ExeIconSheet::Read(path.string(), error);
      if (!sheet || sheet->Count() != 3) ::_exit(3);
      sheet->Begin(13 * kExeIconCell);
      while (sheet->ListNext()) {
      }
      ::_exit(sheet->SheetImage.pixel(kExeIconCell + 20, 5) == MakeColor(0x60, 0x40, 0x20) ? 0 : 4);
    } catch (...) {
      ::_exit(5);  // out of memory
    }
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  std::filesystem::remove(path);
  ASSERT_TRUE(WIFEXITED(status)) << "the child ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
