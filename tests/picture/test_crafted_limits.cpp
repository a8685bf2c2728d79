// Files that claim much and hold little: every decoder ends them with a picture or a refusal, quickly.
#include <gtest/gtest.h>

#include "CraftedPictures.h"
#include "PictureFiles.h"
#include "tests/common/MemoryInChild.h"
#include "iconfile/picture/Picture.h"

using namespace gw;
using namespace gw::test;

namespace {

// A progressive JPEG may repeat a scan; beyond the 100 scans no encoder comes near it is refused.
TEST(CraftedLimits, JpegWithMoreScansThanAnyEncoderWritesIsRefused) {
  const std::pair<int, bool> cases[] = {{0, true}, {9, true}, {99, true}, {100, false}, {4000, false}};
  for (const auto& [acScans, decodes] : cases) {
    std::string error;
    const auto p = DecodeJpeg(CraftedProgressiveJpeg(64, 48, acScans), error);
    EXPECT_EQ(p.has_value(), decodes) << acScans << " " << error;
    if (p) {
      EXPECT_EQ(p->width, 64);
      EXPECT_EQ(p->pixel(63, 47)[0], 128);
    } else {
      EXPECT_EQ(error, "JPEG has too many scans");
    }
  }
}

// A file of several scans is held whole as coefficients before its first row: a progressive JPEG whose
// data cannot give each block its one bit of DC is refused before that memory is taken.
TEST(CraftedLimits, JpegDataTooShortForItsCoefficientsIsRefusedFirst) {
  GW_SKIP_UNDER_SANITIZERS();
  const char* const tooShort = "JPEG data is too short for its picture";
  const struct Case {
    int side;
    std::size_t kept;  // bytes of the file kept, 0: all
    const char* outcome;
  } cases[] = {{12000, 4096, tooShort}, {2000, 4096, tooShort}, {2000, 0, "decoded"}};
  for (const Case& c : cases) {
    Bytes b = CraftedProgressiveJpeg(c.side, c.side, 0);  // one bit of DC a block, then the end marker
    if (c.kept) b.resize(c.kept);
    const ChildRun run = RunInChild(0, [&] {
      std::string error;
      return DecodeJpeg(b, error) ? std::string("decoded") : error;
    });
    ASSERT_TRUE(run.finished) << c.side;
    EXPECT_EQ(run.outcome, c.outcome) << c.side;
    if (c.outcome == tooShort) {
      EXPECT_LT(run.peakGrowthKb, 20'000) << c.side;
    }
  }
}

// The coefficients of a file of several scans are bounded by the memory they take, not by how few bytes
// hold them: arithmetic coding spends far less than a bit on a flat block, so a valid file of 363 bytes
// decodes whole, and one whose coefficients would pass 512 MB is refused as it starts.
TEST(CraftedLimits, JpegCoefficientsAreBoundedByTheirMemory) {
  const struct Case {
    const char* file;
    const char* outcome;
    long peakKb;  // at most
  } cases[] = {{"jpeg_arith_6000.jpg", "6000 rows of grey 128", 150'000},
               {"jpeg_arith_32768x4576.jpg", kTooLargeToImport, 20'000}};
  for (const Case& c : cases) {
    const Bytes bytes = ReadBytes(PicturePath(c.file));
    ASSERT_FALSE(bytes.empty()) << c.file;
    const ChildRun run = RunInChild(kSanitized ? 0 : 200L << 20, [&] {
      RowCounter sink;
      std::string error;
      if (!DecodeJpegRows(bytes, sink, error)) return error;
      return std::to_string(sink.rows) + " rows of grey " + std::to_string(sink.row_[sink.row_.size() - 2]);
    });
    ASSERT_TRUE(run.finished) << c.file;
    EXPECT_EQ(run.outcome, c.outcome) << c.file;
    if (!kSanitized) {
      EXPECT_LT(run.peakGrowthKb, c.peakKb) << c.file;
    }
  }
}

// Rows of a GIF frame below its screen are never decoded: data cut short there does not matter, and a
// frame of 65535 x 65535 on a 1 x 1 screen costs one of its rows.
TEST(CraftedLimits, GifFrameRowsBelowTheScreenAreNotDecoded) {
  struct Case {
    int screenW, screenH, top, frameW, frameH;
    std::uint64_t pixels;
    bool interlaced;
    const char* error;  // nullptr: a picture
  } const cases[] = {
      {1, 1, 0, 65535, 65535, 65535, false, nullptr},
      {1, 1, 0, 65535, 65535, std::uint64_t{65535} * 65535, false, nullptr},
      {3, 5, 2, 4, 2000, 12, false, nullptr},
      {3, 5, 2, 4, 2000, 11, false, "GIF data is truncated"},
      {3, 5, 2, 4, 8, 32, false, nullptr},
      {3, 5, 9, 4, 8, 0, false, nullptr},  // the frame lies wholly below the screen
      // An interlaced frame's first three passes (even rows) come before the odd rows of its last.
      {3, 5, 0, 4, 16, 40, true, nullptr},
      {3, 5, 0, 4, 16, 39, true, "GIF data is truncated"},
      // Whatever must be decoded, beside or below the screen, stays within a picture's pixel limit.
      {1, 32768, 0, 65535, 32768, 0, false, "GIF frame is too large"},
      {1, 20, 0, 65535, 40000, 0, true, "GIF frame is too large"},
      {1, 2288, 0, 65535, 2289, 0, false, "GIF data is truncated"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screenW << " x " << c.screenH << " frame " << c.frameW << " x " << c.frameH
                                    << " at " << c.top << ", " << c.pixels << " pixels");
    std::string error;
    const auto p = DecodeGif(CraftedGif(c.screenW, c.screenH, 0, c.top, c.frameW, c.frameH, c.pixels, c.interlaced), error);
    if (c.error) {
      EXPECT_FALSE(p);
      EXPECT_EQ(error, c.error);
      continue;
    }
    ASSERT_TRUE(p) << error;
    EXPECT_EQ(p->width, c.screenW);
    EXPECT_EQ(p->height, c.screenH);
    const int black = c.top < c.screenH ? c.screenH - c.top : 0;
    for (int y = 0; y < c.screenH; ++y) EXPECT_EQ(p->pixel(0, y)[0], y >= c.top && y - c.top < black ? 0 : 255) << y;
  }
}

// Chunks the decoder does not use are passed over unread: libpng would take a buffer of the length a chunk
// claims, up to 8 MB, even from a file of 49 bytes.
TEST(CraftedLimits, PngChunksThatAreNotUsedTakeNoMemory) {
  GW_SKIP_UNDER_SANITIZERS();
  for (const char* type : {"pCAL", "sCAL", "tEXt", "gAMA", "pHYs", "bKGD", "sRGB", "hIST", "tIME", "oFFs", "sPLT"}) {
    Bytes b = PngHeader(1, 1, 8, 0, false);
    Put32be(b, 7'999'000);
    b.insert(b.end(), type, type + 4);
    b.insert(b.end(), 8, 0);
    const ChildRun run = RunInChild(0, [&] {
      std::string error;
      return DecodePng(b, error) ? std::string("decoded") : error;
    });
    ASSERT_TRUE(run.finished) << type;
    EXPECT_EQ(run.outcome, "file is truncated") << type;
    EXPECT_LT(run.peakGrowthKb, 1000) << type;
  }
}

}  // namespace
