// Importing a 24-megapixel photo (6000 x 4000 JPEG, made when the benchmark starts) beside libjpeg-turbo's
// own plain decode of the same file, and the ratio of the two. The import is everything the command does
// after the dialog: read and decode the whole file (float DCT), choose the size, compose on white and place.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "iconfile/core/PictureImport.h"
#include "platform/FileReplace.h"

namespace {

const std::string& PhotoPath() {
  static const std::string path = [] {
    const int w = 6000, h = 4000;
    gw::Picture p = gw::Picture::Filled(w, h, 0, 0, 0);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        std::uint8_t* px = p.pixel(x, y);
        px[0] = static_cast<std::uint8_t>(x / 24 + y / 40);
        px[1] = static_cast<std::uint8_t>((x * y) >> 12);
        px[2] = static_cast<std::uint8_t>(y / 16 ^ x / 32);
      }
    std::vector<std::uint8_t> bytes;
    std::string error;
    const std::string file = (std::filesystem::temp_directory_path() / "glyphwerk-bench-6000x4000.jpg").string();
    if (!gw::EncodeJpeg(p, false, bytes, error) || !(error = gw::ReplaceFileContents(file, bytes)).empty()) {
      std::fprintf(stderr, "cannot make the photo: %s\n", error.c_str());
      std::exit(1);
    }
    return file;
  }();
  return path;
}

// libjpeg-turbo's plain decode: default settings, RGB rows, from the file.
void BM_PlainDecode(benchmark::State& state) {
  std::vector<std::uint8_t> row(6000 * 3);
  for (auto _ : state) {
    std::FILE* f = std::fopen(PhotoPath().c_str(), "rb");
    jpeg_decompress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_decompress(&c);
    jpeg_stdio_src(&c, f);
    jpeg_read_header(&c, TRUE);
    c.out_color_space = JCS_RGB;
    jpeg_start_decompress(&c);
    while (c.output_scanline < c.output_height) {
      JSAMPROW r = row.data();
      jpeg_read_scanlines(&c, &r, 1);
    }
    jpeg_finish_decompress(&c);
    jpeg_destroy_decompress(&c);
    std::fclose(f);
    benchmark::DoNotOptimize(row.data());
  }
}
BENCHMARK(BM_PlainDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Import(benchmark::State& state) {
  gw::EditorState s;
  gw::InitPalettes(s);
  for (auto _ : state) {
    std::string error;
    const auto picture = gw::ReadPictureForImport(PhotoPath(), false, error);
    if (!picture) {
      state.SkipWithError(error.c_str());
      return;
    }
    gw::StartNewImage(s, gw::kTypeTrueColor, gw::ImportIconSize(picture->width, picture->height));
    gw::PlaceImportedPicture(s, *picture);
    benchmark::DoNotOptimize(s.iconimage.data());
  }
}
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The console report, with the ratio of the two at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& r : runs)
      if (r.run_type == Run::RT_Iteration && !r.error_occurred)
        times[r.benchmark_name().substr(0, r.benchmark_name().find('/'))] = r.GetAdjustedRealTime();
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const auto plain = reporter.times.find("BM_PlainDecode"), import = reporter.times.find("BM_Import");
  if (plain != reporter.times.end() && import != reporter.times.end() && plain->second > 0)
    std::printf("import / plain decode = %.3f\n", import->second / plain->second);
  std::error_code ec;
  std::filesystem::remove(PhotoPath(), ec);
  benchmark::Shutdown();
  return 0;
}
