#pragma once
// The second pass of the picture targets: the same bytes through the paths Import and Paste take, which decode
// row by row and keep only what they use (the import's sample, stretched and 1:1, and a paste's corner). What
// they keep must be what the whole decode gives at those places, and they must accept exactly the pictures the
// whole decode accepts. The regression test runs the same checks on every kept input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>

#include "fuzz/FuzzFile.h"
#include "iconfile/core/PictureImport.h"
#include "iconfile/picture/Picture.h"

namespace fuzz {

// Pictures of more pixels than this are decoded whole only: each sampled pass decodes all of a picture again.
inline constexpr std::int64_t kSampledPixelLimit = std::int64_t{1} << 18;

// A sink that only learns the picture's size and then refuses it, so the decoder stops at once.
class SizeProbe : public gw::PictureRowSink {
 public:
  bool start(int width, int height) override {
    width_ = width;
    height_ = height;
    return false;
  }
  std::uint8_t* row(int) override { return nullptr; }
  void rowDone(int) override {}
  std::int64_t pixels() const { return std::int64_t{width_} * height_; }
  bool started() const { return width_ > 0; }

 private:
  int width_ = 0, height_ = 0;
};

inline bool SamePicture(const gw::Picture& a, const gw::Picture& b) {
  return a.width == b.width && a.height == b.height && a.rgba == b.rgba;
}

// Whether the paste's corner is the whole picture's top-left side x side part on white.
inline bool CornerOfWhole(const gw::Bitmap& corner, const gw::Picture& whole, int side) {
  const int w = std::min(whole.width, side), h = std::min(whole.height, side);
  if (corner.width() != w || corner.height() != h) return false;
  const gw::Bitmap composed = gw::ComposeOnWhite(whole);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (corner.pixel(x, y) != composed.pixel(x, y)) return false;
  return true;
}

// The sides of the corner a paste takes, a few small ones: the image sizes at their ends and one between.
inline int CornerSide(std::size_t inputSize) {
  static constexpr int kSides[] = {1, 16, 33, 64};
  return kSides[inputSize % 4];
}

// Empty when the sampled passes agree with the whole decode `whole` (nothing when it refused the bytes) of
// the picture whose bytes are `bytes`, also held in the file `path` (the import reads a file); else what
// differs. Only bytes of `format` are sampled: another decoder would answer them.
inline std::string SamplingFault(std::span<const std::uint8_t> bytes, const std::string& path, gw::PictureFormat format,
                                 const std::optional<gw::Picture>& whole) {
  if (gw::DetectPictureFormat(bytes) != format) return {};
  std::string error;
  SizeProbe probe;
  (void)gw::DecodePictureRows(bytes, probe, error);
  if (whole && (!probe.started() || probe.pixels() != std::int64_t{whole->width} * whole->height))
    return "the row decoder gives another size than the whole decode";
  if (probe.pixels() > kSampledPixelLimit) return {};

  for (const bool doNotScale : {false, true}) {
    error.clear();
    const auto sample = gw::ReadPictureForImport(path, doNotScale, error);
    if (sample.has_value() != whole.has_value())
      return std::string(whole ? "the import refuses a picture the whole decode gives: " + error
                               : "the import takes a picture the whole decode refuses") +
             (doNotScale ? " (1:1)" : " (stretched)");
    if (!whole) continue;
    const gw::ImportSample expected = gw::SampleForImport(*whole, doNotScale);
    if (sample->width != expected.width || sample->height != expected.height ||
        sample->stretched != expected.stretched || !SamePicture(sample->kept, expected.kept))
      return std::string("the import's sample differs from the whole decode's") + (doNotScale ? " (1:1)" : " (stretched)");
  }

  const int side = CornerSide(bytes.size());
  error.clear();
  const auto corner = gw::PictureCorner(bytes, side, error);
  if (corner.has_value() != whole.has_value())
    return whole ? "the paste's corner refuses a picture the whole decode gives: " + error
                 : "the paste's corner takes a picture the whole decode refuses";
  if (whole && !CornerOfWhole(*corner, *whole, side)) return "the paste's corner differs from the whole decode's";
  return {};
}

// The whole body of a picture target: the format's own decoder on the bytes, then the sampled passes; a
// sampled pass that disagrees stops the run.
inline int FuzzPicture(const std::uint8_t* data, std::size_t size,
                       std::optional<gw::Picture> (*decode)(std::span<const std::uint8_t>, std::string&),
                       gw::PictureFormat format) {
  static const ScratchFolder folder;
  static const std::string path = folder.path() + "/input";
  const std::span<const std::uint8_t> bytes(data, size);
  std::string error;
  const auto whole = decode(bytes, error);
  if (gw::DetectPictureFormat(bytes) != format) return 0;
  WriteInput(path, data, size);
  if (const std::string fault = SamplingFault(bytes, path, format, whole); !fault.empty()) {
    std::fprintf(stderr, "%s\n", fault.c_str());
    std::abort();
  }
  return 0;
}

}  // namespace fuzz
