// Tiny files that claim huge pictures: Import and paste keep their sample, not a whole-picture buffer, and
// do not decode what they do not keep. Each read runs in a child process whose memory may grow by 200 MB and
// whose processor time is capped.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "iconfile/core/PictureImport.h"
#include "../picture/CraftedPictures.h"
#include "tests/common/MemoryInChild.h"

using namespace gw;
using namespace gw::test;
namespace fs = std::filesystem;

namespace {

constexpr long kMaxGrowth = 200L << 20;
// Each read takes at most a few hundred milliseconds of processor time idle; decoding the 4 billion pixels of
// the frame below the screen takes far longer.
constexpr int kMaxCpuSeconds = 6;

TEST(ImportBounds, HugeClaimsTakeNeitherMemoryNorTime) {
  GW_SKIP_UNDER_SANITIZERS();
  struct Case {
    const char* name;
    Bytes bytes;
    const char* size;  // of the picture imported
  } const cases[] = {
      {"35-byte GIF, 12000 x 12000 screen, one-pixel frame", CraftedGif(12000, 12000, 0, 0, 1, 1, 1), "12000x12000"},
      {"64-byte run-length BMP of 12247 x 12247 that ends at once", CraftedRleBmp(12247, 12247), "12247x12247"},
      {"interlaced 1-bit PNG of 8000 x 8000", CraftedBlackPng(8000, 8000, true), "8000x8000"},
      {"GIF frame of 65535 x 65535 on a 1 x 1 screen", CraftedGif(1, 1, 0, 0, 65535, 65535, std::uint64_t{65535} * 65535), "1x1"},
  };
  const fs::path file = fs::temp_directory_path() / ("gw-bounds-" + std::to_string(::getpid()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(c.bytes.data()), static_cast<std::streamsize>(c.bytes.size()));
    for (const bool doNotScale : {false, true}) {
      const ChildRun run = RunInChild(kMaxGrowth, [&] {
        std::string error;
        const auto sample = ReadPictureForImport(file.string(), doNotScale, error);
        return sample ? std::to_string(sample->width) + "x" + std::to_string(sample->height) : error;
      }, kMaxCpuSeconds);
      ASSERT_TRUE(run.finished) << "stopped after " << run.cpuMs << " ms of processor time";
      EXPECT_EQ(run.outcome, c.size) << doNotScale;
      EXPECT_LT(run.peakGrowthKb, kMaxGrowth / 1024) << doNotScale;
    }
    const ChildRun paste = RunInChild(kMaxGrowth, [&] {
      std::string error;
      const auto corner = PictureCorner(c.bytes, 64, error);
      return corner ? std::to_string(corner->width()) + "x" + std::to_string(corner->height()) : error;
    }, kMaxCpuSeconds);
    EXPECT_EQ(paste.outcome, c.size == std::string("1x1") ? "1x1" : "64x64");
  }
  fs::remove(file);
}

}  // namespace
