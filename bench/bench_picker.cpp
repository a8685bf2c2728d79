// The icon picker on heavy program files: files of 1 and 5 GiB (a small program file followed by a sparse
// tail) and a small one whose 10,000 icon groups all name one 4096 x 4096 PNG. Each run reads the file and
// lists its whole sheet, as the picker's window does, in a child process, and reports the child's time and
// peak memory (GW_PICKER_ICONS lists only the first so many icons).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "../tests/iconfile/PeBuilder.h"
#include "iconfile/core/ExeIconSheet.h"
#include "iconfile/picture/Picture.h"

namespace {

namespace fs = std::filesystem;
using gw::test::Bytes;

// A folder of the inputs beside the program's working folder, removed when the benchmarks end.
fs::path Folder() {
  static const struct Scratch {
    fs::path path = fs::current_path() / ("bench-picker-" + std::to_string(::getpid()));
    Scratch() { fs::create_directories(path); }
    ~Scratch() {
      std::error_code ec;
      fs::remove_all(path, ec);
    }
  } folder;
  return folder.path;
}

void WriteFile(const fs::path& path, const Bytes& bytes, std::uint64_t size) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
      ::ftruncate(fd, static_cast<off_t>(size)) != 0 || ::close(fd) != 0)
    throw std::runtime_error("cannot write " + path.string());
}

// Three 32 x 32 icons, then zeros (a hole) up to `gib` GiB.
fs::path HugeFile(std::int64_t gib) {
  const fs::path path = Folder() / ("huge-" + std::to_string(gib) + ".exe");
  std::vector<gw::test::Group> groups;
  std::vector<gw::test::Icon> icons;
  for (std::uint16_t id = 1; id <= 3; ++id) {
    groups.push_back({"", id, {{32, 32, 24, id}}});
    icons.push_back({id, gw::test::Dib(32, 32, 24, [id](int x, int) { return x < 16 ? 0xFFFFFFu : id * 0x101010u; })});
  }
  WriteFile(path, gw::test::BuildPe(groups, icons), static_cast<std::uint64_t>(gib) << 30);
  return path;
}

// 10,000 groups naming one 4096 x 4096 PNG.
fs::path ThousandsOfGroupsFile() {
  const fs::path path = Folder() / "groups.dll";
  gw::Picture picture;
  picture.width = picture.height = 4096;
  picture.rgba.assign(std::size_t{4096} * 4096 * 4, 0x80);
  Bytes png;
  std::string error;
  if (!gw::EncodePng(picture, png, error)) throw std::runtime_error(error);
  std::vector<gw::test::Group> groups;
  for (int i = 0; i < 10000; ++i) groups.push_back({"", static_cast<std::uint16_t>(i + 1), {{0, 0, 32, 1}}});
  const Bytes file = gw::test::BuildPe(groups, {{1, png}});
  WriteFile(path, file, file.size());
  return path;
}

// What the picker does with the file: read it, then list every icon on a sheet of the window's width.
void ListPicker(const fs::path& path, int icons) {
  std::string error;
  const auto sheet = gw::ExeIconSheet::Read(path.string(), error);
  if (!sheet) std::_Exit(1);
  sheet->Begin(447);
  for (int i = 0; i < icons && sheet->ListNext(); ++i) {
  }
  benchmark::DoNotOptimize(sheet->SheetImage.data());
}

void InChild(benchmark::State& state, const fs::path& path) {
  const char* limit = std::getenv("GW_PICKER_ICONS");
  const int icons = limit ? std::atoi(limit) : 1 << 30;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
      ListPicker(path, icons);
      ::_exit(0);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(child, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) state.SkipWithError("the picker failed");
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
  }
}

void BM_PickerHugeFile(benchmark::State& state) { InChild(state, HugeFile(state.range(0))); }
BENCHMARK(BM_PickerHugeFile)->Arg(1)->Arg(5)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PickerTenThousandGroupsOnePng(benchmark::State& state) { InChild(state, ThousandsOfGroupsFile()); }
BENCHMARK(BM_PickerTenThousandGroupsOnePng)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
