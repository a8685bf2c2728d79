// The picture readers on crafted inputs, one read a process, for scripts/measure-readers.sh:
//   measure_readers make DIR             writes the inputs into DIR
//   measure_readers import|paste|whole FILE
// reads FILE as Import does (ReadPictureForImport), as a paste does (PictureCorner) or whole
// (ReadPictureFile), and prints the outcome, the time and how far the process's peak memory grew.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "CraftedPictures.h"
#include "iconfile/core/PictureImport.h"

namespace {

using gw::test::Bytes;

void Write(const std::string& path, const Bytes& b) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

// A field of /proc/self/status, in kB.
long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size() + 1));
  return 0;
}

int Make(const std::string& dir) {
  using namespace gw::test;
  Write(dir + "/jpeg-4000-scans.jpg", CraftedProgressiveJpeg(12000, 12000, 4000));
  Write(dir + "/gif-65535-frame-on-1x1.gif", CraftedGif(1, 1, 0, 0, 65535, 65535, std::uint64_t{65535} * 65535));
  Write(dir + "/gif-12000-screen-1px-frame.gif", CraftedGif(12000, 12000, 0, 0, 1, 1, 1));
  Write(dir + "/bmp-rle-12247-ends-at-once.bmp", CraftedRleBmp(12247, 12247));
  Write(dir + "/png-interlaced-1bit-12247.png", CraftedBlackPng(12247, 12247, true));
  Bytes pcal = PngHeader(1, 1, 8, 0, false);  // a chunk claiming 8 MB, in 49 bytes
  Put32be(pcal, 7'999'000);
  pcal.insert(pcal.end(), {'p', 'C', 'A', 'L', 0, 0, 0, 0, 0, 0, 0, 0});
  Write(dir + "/png-pcal-49-bytes.png", pcal);
  // Large real pictures, which keep importing.
  gw::Picture photo = gw::Picture::Filled(6000, 4000, 0, 0, 0);
  for (int y = 0; y < photo.height; ++y)
    for (int x = 0; x < photo.width; ++x) {
      std::uint8_t* p = photo.pixel(x, y);
      p[0] = static_cast<std::uint8_t>(x ^ y), p[1] = static_cast<std::uint8_t>(x * y), p[2] = static_cast<std::uint8_t>(x + 3 * y);
    }
  std::string error;
  Bytes out;
  if (gw::EncodeJpeg(photo, false, out, error)) Write(dir + "/real-6000x4000.jpg", out);
  if (gw::EncodePng(photo, out, error)) Write(dir + "/real-6000x4000.png", out);
  if (gw::EncodeBmp(photo, out, error)) Write(dir + "/real-6000x4000.bmp", out);
  if (gw::EncodeGif(photo, std::vector<gw::Color>{0, 0xFFFFFF}, out, error)) Write(dir + "/real-6000x4000.gif", out);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: measure_readers make DIR | import|paste|whole FILE\n");
    return 2;
  }
  const std::string mode = argv[1], path = argv[2];
  if (mode == "make") return Make(path);
  const long rssBefore = StatusKb("VmRSS"), vmBefore = StatusKb("VmSize");
  const auto start = std::chrono::steady_clock::now();
  std::string error, outcome;
  if (mode == "import") {
    const auto s = gw::ReadPictureForImport(path, false, error);
    if (s) outcome = std::to_string(s->width) + "x" + std::to_string(s->height);
  } else if (mode == "paste") {
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const auto corner = gw::PictureCorner(bytes, 64, error);
    if (corner) outcome = "corner " + std::to_string(corner->width()) + "x" + std::to_string(corner->height());
  } else {
    const auto p = gw::ReadPictureFile(path, error);
    if (p) outcome = std::to_string(p->width) + "x" + std::to_string(p->height);
  }
  const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (outcome.empty()) outcome = "refused: " + error;
  std::printf("%9.0f ms  %7.1f MB  %7.1f MB  %s\n", ms, static_cast<double>(StatusKb("VmHWM") - rssBefore) / 1024,
              static_cast<double>(StatusKb("VmPeak") - vmBefore) / 1024, outcome.c_str());
  return 0;
}
