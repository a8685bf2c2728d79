// Listing a program file's icons: reading the resource directory and drawing every icon at 32 x 32, for the
// largest program file of the reference set.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <stdexcept>

#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/PeResources.h"
#include "platform/FileReplace.h"

namespace {

std::vector<std::uint8_t> LargestReferenceFile() {
  namespace fs = std::filesystem;
  fs::path largest;
  for (const auto& e : fs::directory_iterator(fs::path(__FILE__).parent_path().parent_path() / "tests/data/pe-reference")) {
    const auto ext = e.path().extension();
    if ((ext == ".exe" || ext == ".dll") && (largest.empty() || e.file_size() > fs::file_size(largest))) largest = e.path();
  }
  gw::FileContents file = gw::ReadFileContents(largest.string(), UINTMAX_MAX);
  if (!file.error.empty()) throw std::runtime_error("no reference program file: " + file.error);
  return std::move(file.bytes);
}

void BM_ListAndDrawEveryIcon(benchmark::State& state) {
  const std::vector<std::uint8_t> file = LargestReferenceFile();
  gw::Bitmap cell;
  for (auto _ : state) {
    const gw::PeResources res(file);
    for (int i = 0; i < res.IconCount(); ++i) gw::DrawProgramFileIcon(res, i, cell);
    benchmark::DoNotOptimize(cell.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(file.size()));
}
BENCHMARK(BM_ListAndDrawEveryIcon);

// The largest payload kind: a PNG entry (256 x 256 in the real programs), decoded and shrunk to a cell.
void BM_DrawPngEntry(benchmark::State& state) {
  const std::vector<std::uint8_t> file = LargestReferenceFile();
  const gw::PeResources res(file);
  std::optional<std::vector<std::uint8_t>> payload;
  for (std::uint16_t id = 1; id < 1000 && !payload; ++id)
    if (const auto p = res.IconData(id); p && p->size() > 4 && (*p)[1] == 'P' && (*p)[2] == 'N' && (*p)[3] == 'G') payload = p;
  if (!payload) throw std::runtime_error("no PNG entry");
  gw::Bitmap cell;
  for (auto _ : state) benchmark::DoNotOptimize(gw::DrawIconPayload(*payload, cell));
}
BENCHMARK(BM_DrawPngEntry);

}  // namespace
