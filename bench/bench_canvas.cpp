// Timings of the drawing surface: the stretch copy that redraws the edit area after every edit, and the
// figures, fills and regions on icon-size canvases.

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Canvas.h"
#include "platform/Region.h"

namespace {

gw::Bitmap patterned(int w, int h) {
  gw::Bitmap b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.setPixel(x, y, gw::MakeColor(x * 4, y * 4, (x ^ y) * 8));
  return b;
}

// The image (side `src`) magnified onto the edit area (side `dst`).
void BM_StretchToEditArea(benchmark::State& state) {
  const int s = static_cast<int>(state.range(0));
  const int d = static_cast<int>(state.range(1));
  const gw::Bitmap image = patterned(s, s);
  gw::Bitmap area(d, d);
  gw::Canvas c(area);
  for (auto _ : state) {
    c.copyRect({0, 0, d, d}, image, {0, 0, s, s});
    benchmark::DoNotOptimize(area.data());
  }
  state.SetItemsProcessed(state.iterations() * d * d);
}
BENCHMARK(BM_StretchToEditArea)->Args({64, 320})->Args({64, 336})->Args({16, 320})->Args({48, 336});

// The edit area copied back down to the image (BlackOnWhite merges, the costlier mode).
void BM_ShrinkEditArea(benchmark::State& state) {
  const gw::Bitmap area = patterned(320, 320);
  gw::Bitmap image(64, 64);
  gw::Canvas c(image);
  const auto mode = state.range(0) ? gw::StretchMode::BlackOnWhite : gw::StretchMode::ColorOnColor;
  for (auto _ : state) {
    c.copyRect({0, 0, 64, 64}, area, {0, 0, 320, 320}, mode);
    benchmark::DoNotOptimize(image.data());
  }
}
BENCHMARK(BM_ShrinkEditArea)->Arg(0)->Arg(1);

void BM_LineTo(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  gw::Bitmap bmp(n, n);
  gw::Canvas c(bmp);
  for (auto _ : state) {
    for (int i = 0; i < n; i += 4) {  // a fan of lines across the canvas
      c.moveTo(0, i);
      c.lineTo(n - 1, n - 1 - i);
    }
    benchmark::DoNotOptimize(bmp.data());
  }
  state.SetItemsProcessed(state.iterations() * (n / 4));
}
BENCHMARK(BM_LineTo)->Arg(32)->Arg(64);

void BM_Rectangle(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  gw::Bitmap bmp(n, n);
  gw::Canvas c(bmp);
  c.setBrushColor(gw::MakeColor(0, 255, 0));
  for (auto _ : state) {
    c.rectangle(2, 3, n - 1, n - 2);
    benchmark::DoNotOptimize(bmp.data());
  }
}
BENCHMARK(BM_Rectangle)->Arg(32)->Arg(64);

void BM_Ellipse(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  gw::Bitmap bmp(n, n);
  gw::Canvas c(bmp);
  c.setBrushColor(gw::MakeColor(0, 255, 0));
  for (auto _ : state) {
    c.ellipse(1, 2, n - 1, n - 3);
    benchmark::DoNotOptimize(bmp.data());
  }
}
BENCHMARK(BM_Ellipse)->Arg(32)->Arg(64);

void BM_RoundRect(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  gw::Bitmap bmp(n, n);
  gw::Canvas c(bmp);
  c.setBrushColor(gw::MakeColor(0, 255, 0));
  for (auto _ : state) {
    c.roundRect(1, 2, n - 1, n - 3, n / 3, n / 4);
    benchmark::DoNotOptimize(bmp.data());
  }
}
BENCHMARK(BM_RoundRect)->Arg(32)->Arg(64);

void BM_PolyBezier(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  gw::Bitmap bmp(n, n);
  gw::Canvas c(bmp);
  const std::vector<gw::Point> pts{{0, n - 1}, {n / 4, -n}, {3 * n / 4, 2 * n}, {n - 1, 0}};
  for (auto _ : state) {
    c.polyBezier(pts);
    benchmark::DoNotOptimize(bmp.data());
  }
}
BENCHMARK(BM_PolyBezier)->Arg(32)->Arg(64);

// Fill of a whole canvas (alternately two colours, so every round paints every pixel).
void BM_FloodFillSurface(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  gw::Bitmap bmp(n, n, gw::kWhite);
  // Some obstacles so that the scan has runs to follow.
  for (int y = 2; y < n; y += 4)
    for (int x = (y / 4) % 2; x < n - 1; ++x) bmp.setPixel(x, y, gw::kBlack);
  gw::Canvas c(bmp);
  gw::Color surface = gw::kWhite;
  for (auto _ : state) {
    const gw::Color next = surface == gw::kWhite ? gw::MakeColor(0, 255, 0) : gw::kWhite;
    c.setBrushColor(next);
    benchmark::DoNotOptimize(c.floodFillSurface(0, 0, surface));
    surface = next;
  }
  state.SetItemsProcessed(state.iterations() * n * n);
}
BENCHMARK(BM_FloodFillSurface)->Arg(32)->Arg(64)->Arg(340);

std::vector<gw::Point> freeForm(int count, int size) {
  std::vector<gw::Point> pts;
  const double c = size / 2.0;
  for (int i = 0; i < count; ++i) {
    const double a = 2 * std::numbers::pi * i / count;
    const double r = c * (0.6 + 0.35 * std::sin(7 * a));
    pts.push_back({static_cast<int>(c + r * std::cos(a)), static_cast<int>(c + r * std::sin(a))});
  }
  return pts;
}

// A free-form selection outline: region built and filled, as the shape tools do on every step.
void BM_RegionPolygonFill(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  const int size = static_cast<int>(state.range(1));
  const auto pts = freeForm(count, size);
  gw::Bitmap bmp(size, size);
  gw::Canvas c(bmp);
  for (auto _ : state) {
    const gw::Region rgn = gw::Region::polygon(pts);
    rgn.fill(c, gw::kBlack);
    benchmark::DoNotOptimize(bmp.data());
  }
}
BENCHMARK(BM_RegionPolygonFill)->Args({64, 64})->Args({256, 64})->Args({1024, 340});

}  // namespace
