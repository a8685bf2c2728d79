// One import of one picture file, as the Import command runs it after the dialog: `measure_import FILE`
// prints the time it took, how far it raised the process's peak memory, and the picture's size or the refusal.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "iconfile/core/PictureImport.h"

namespace {

long PeakKiB() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: measure_import FILE\n");
    return 2;
  }
  const long before = PeakKiB();
  const auto start = std::chrono::steady_clock::now();
  std::string error;
  const auto sample = gw::ReadPictureForImport(argv[1], false, error);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::string result =
      sample ? std::to_string(sample->width) + " x " + std::to_string(sample->height) : "refused: " + error;
  std::printf("%8.3f s %9.1f MB  %s\n", seconds, static_cast<double>(PeakKiB() - before) / 1024.0, result.c_str());
  return 0;
}
