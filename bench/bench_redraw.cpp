// The edit area's redraw after an edit (a cell set, then RefreshEditArea), beside a plain copy of as many
// bytes as the edit area holds, in the same run. The "ratio" counter is redraw time over copy time.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "editor/core/EditArea.h"
#include "editor/core/EditAreaMouse.h"
#include "editor/core/UndoRing.h"

namespace {

void LayOut(gw::EditorState& s, int size) {
  const int zoom = gw::CellSizeFor(size);
  s.IconSize = size;
  s.CellSize = zoom;
  s.TransparentColor = gw::kWhite;
  s.IconRect = {0, 0, size, size};
  s.EditAreaRect = {0, 0, size * zoom, size * zoom};
  s.CurrentPlacementRect = gw::PlacementRectFor(size);
  s.iconimage.resize(size, size);
  s.iconmask.resize(size, size);
  s.editarea.resize(size * zoom, size * zoom);
  gw::ResizePlacementCanvas(s, 4 * size);
  gw::ResetUndoRing(s, size);
  gw::PushUndoQuiet(s);
  s.ToolStage = 1;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) s.iconimage.setPixel(x, y, gw::MakeColor(x * 4, y * 4, (x ^ y) * 8));
}

using Clock = std::chrono::steady_clock;

// Redraw and copy timed alternately in each iteration, so both see the same machine state.
void BM_RedrawAfterEditVersusCopy(benchmark::State& state) {
  gw::EditorState s;
  LayOut(s, static_cast<int>(state.range(0)));
  const std::size_t bytes = static_cast<std::size_t>(s.editarea.width()) * static_cast<std::size_t>(s.editarea.height()) * sizeof(gw::Color);
  std::vector<unsigned char> from(bytes, 1), to(bytes);
  Clock::duration redraw{}, copy{};
  int n = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    s.iconimage.setPixel(n % s.IconSize, n / s.IconSize % s.IconSize, static_cast<gw::Color>(n));
    gw::RefreshEditArea(s);
    benchmark::DoNotOptimize(s.editarea.data());
    const auto t1 = Clock::now();
    std::memcpy(to.data(), from.data(), bytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
    const auto t2 = Clock::now();
    redraw += t1 - t0;
    copy += t2 - t1;
    ++n;
  }
  const double r = std::chrono::duration<double, std::nano>(redraw).count() / n;
  const double c = std::chrono::duration<double, std::nano>(copy).count() / n;
  state.counters["redraw_ns"] = r;
  state.counters["copy_ns"] = c;
  state.counters["ratio"] = r / c;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_RedrawAfterEditVersusCopy)->Arg(64)->Arg(48);  // zoom 5 and zoom 7

// A whole pencil click through the tools: press, release, undo push, redraw and placement-canvas sync.
void BM_PencilClick(benchmark::State& state) {
  gw::EditorState s;
  LayOut(s, static_cast<int>(state.range(0)));
  gw::ToolHost host;
  int n = 0;
  for (auto _ : state) {
    const int x = (n % s.IconSize) * s.CellSize + 1, y = (n / s.IconSize % s.IconSize) * s.CellSize + 1;
    gw::editareaMouseDown(s, host, gw::MouseButton::Left, false, x, y);
    gw::editareaMouseUp(s, host, gw::MouseButton::Left, false, x, y);
    benchmark::DoNotOptimize(s.editarea.data());
    ++n;
  }
}
BENCHMARK(BM_PencilClick)->Arg(64)->Arg(48);

}  // namespace
