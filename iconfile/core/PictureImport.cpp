#include "iconfile/core/PictureImport.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "editor/core/EditArea.h"
#include "platform/FileReplace.h"
#include "platform/Alpha.h"
#include "platform/Canvas.h"

namespace gw {

namespace {

// Compressed files of a picture within the size limits stay far below this.
constexpr std::uintmax_t kMaxPictureFileBytes = 1u << 30;

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path, std::string& error) {
  FileContents file = ReadFileContents(path, kMaxPictureFileBytes);
  if (!file.error.empty()) {
    error = file.error;
    return std::nullopt;
  }
  return std::move(file.bytes);
}

}  // namespace

int ImportIconSize(int width, int height) {
  if (width > 56 || height > 56) return 64;
  const int m = std::max(width, height);
  for (const int size : {16, 24, 32, 40, 48, 56})
    if (m <= size) return size;
  return 64;
}

std::optional<Picture> ReadPictureFile(const std::string& path, std::string& error) {
  const auto bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  return DecodePicture(*bytes, error);
}

namespace {

Color OnWhite(const std::uint8_t* px) {
  const int a = px[3];
  if (a == 255) return MakeColor(px[0], px[1], px[2]);
  return MakeColor(ChannelOnWhite(px[0], a), ChannelOnWhite(px[1], a), ChannelOnWhite(px[2], a));
}

// The (left, top) w x h part of the picture composed on white.
Bitmap ComposedPart(const Picture& picture, int w, int h) {
  Bitmap out(w, h, kWhite);
  for (int y = 0; y < h; ++y) {
    Color* row = out.row(y);
    for (int x = 0; x < w; ++x) row[x] = OnWhite(picture.pixel(x, y));
  }
  return out;
}

// Which source index each of `to` destination places takes when the surface's stretch copy maps `from`
// places onto them: the copy itself is asked, on a strip whose pixels hold their own index.
std::vector<int> StretchIndices(int from, int to, bool across) {
  Bitmap strip(across ? from : 1, across ? 1 : from);
  for (int i = 0; i < from; ++i) strip.setPixel(across ? i : 0, across ? 0 : i, static_cast<Color>(i));
  Bitmap picked(across ? to : 1, across ? 1 : to);
  Canvas(picked).copyRect(picked.bounds(), strip, strip.bounds(), StretchMode::ColorOnColor);
  std::vector<int> out(static_cast<std::size_t>(to));
  for (int i = 0; i < to; ++i) out[static_cast<std::size_t>(i)] = static_cast<int>(picked.pixel(across ? i : 0, across ? 0 : i));
  return out;
}

// Collects the sample row by row, from a decoder or from a whole picture.
class Sampler : public PictureRowSink {
 public:
  // Unscaled, a corner of cornerSide (when above 0; else 4S) pixels a side is kept.
  explicit Sampler(bool doNotScale, int cornerSide = 0) : cornerSide_(cornerSide) { sample_.stretched = !doNotScale; }

  bool start(int width, int height) override {
    sample_.width = width;
    sample_.height = height;
    const int S = ImportIconSize(width, height);
    const int side = cornerSide_ > 0 ? cornerSide_ : 4 * S;
    if (sample_.stretched) {
      cols_ = StretchIndices(width, S, true);
      rows_ = StretchIndices(height, S, false);
      sample_.kept = Picture::Filled(S, S, 255, 255, 255);
    } else {
      sample_.kept = Picture::Filled(std::min(width, side), std::min(height, side), 255, 255, 255);
    }
    scratch_.resize(static_cast<std::size_t>(width) * 4);
    return true;
  }
  std::uint8_t* row(int) override { return scratch_.data(); }
  void rowDone(int y) override { take(y, scratch_.data()); }
  bool uses(int y) const override {
    return sample_.stretched ? std::find(rows_.begin(), rows_.end(), y) != rows_.end() : y < sample_.kept.height;
  }

  void take(int y, const std::uint8_t* row) {
    Picture& k = sample_.kept;
    if (!sample_.stretched) {
      if (y < k.height) std::memcpy(k.pixel(0, y), row, static_cast<std::size_t>(k.width) * 4);
      return;
    }
    for (std::size_t j = 0; j < rows_.size(); ++j) {
      if (rows_[j] != y) continue;
      std::uint8_t* out = k.pixel(0, static_cast<int>(j));
      for (std::size_t i = 0; i < cols_.size(); ++i) std::memcpy(out + i * 4, row + static_cast<std::size_t>(cols_[i]) * 4, 4);
    }
  }
  ImportSample& sample() { return sample_; }

 private:
  int cornerSide_;
  ImportSample sample_;
  std::vector<int> cols_, rows_;
  std::vector<std::uint8_t> scratch_;
};

}  // namespace

Bitmap ComposeOnWhite(const Picture& picture) { return ComposedPart(picture, picture.width, picture.height); }

ImportSample SampleForImport(const Picture& picture, bool doNotScale) {
  Sampler sampler(doNotScale);
  sampler.start(picture.width, picture.height);
  for (int y = 0; y < picture.height; ++y) sampler.take(y, picture.pixel(0, y));
  return std::move(sampler.sample());
}

std::optional<ImportSample> ReadPictureForImport(const std::string& path, bool doNotScale, std::string& error) try {
  const auto bytes = ReadWholeFile(path, error);
  if (!bytes) return std::nullopt;
  Sampler sampler(doNotScale);
  if (!DecodePictureRows(*bytes, sampler, error)) return std::nullopt;
  return std::move(sampler.sample());
} catch (const std::bad_alloc&) {
  error = "not enough memory for the picture";
  return std::nullopt;
}

std::optional<Bitmap> PictureCorner(std::span<const std::uint8_t> bytes, int side, std::string& error) try {
  Sampler sampler(true, std::max(side, 1));
  if (!DecodePictureRows(bytes, sampler, error)) return std::nullopt;
  return ComposeOnWhite(sampler.sample().kept);
} catch (const std::bad_alloc&) {
  error = "not enough memory for the picture";
  return std::nullopt;
}

void PlaceImportedPicture(EditorState& s, const ImportSample& sample) {
  const int S = s.IconSize;
  const Bitmap kept = ComposeOnWhite(sample.kept);
  Canvas image(s.iconimage);
  if (sample.stretched) {
    image.copyRect(s.IconRect, kept, kept.bounds());
    SyncPlacementCanvas(s);
  } else if (sample.width <= S && sample.height <= S) {
    image.copyRect(kept.bounds(), kept, kept.bounds());
    SyncPlacementCanvas(s);
  } else {
    Canvas(s.PlacementCanvas).copyRect(kept.bounds(), kept, kept.bounds());
    const Rect window{0, 0, S, S};
    image.copyRect(window, s.PlacementCanvas, window);
    s.PlacementWindowRect = window;
  }
  FillImage(s.iconmask, kBlack);
  FillImage(s.PlacementMask, kBlack);
}

ExportFormat ExportFormatForFilterIndex(int index) {
  switch (index) {
    case 1: return ExportFormat::Jpeg;
    case 2: return ExportFormat::Gif;
    case 3: return ExportFormat::Png;
    case 4: return ExportFormat::Tiff;
    default: return ExportFormat::Bmp;
  }
}

namespace {
std::size_t FilePartStart(const std::string& path) {
  const std::size_t sep = path.find_last_of("/\\");
  return sep == std::string::npos ? 0 : sep + 1;
}
}  // namespace

std::string ExportOfferedName(const std::string& currentFileName) {
  const std::string name = currentFileName.substr(FilePartStart(currentFileName));
  return name.substr(0, name.find('.'));
}

Picture ExportPicture(const EditorState& s) {
  const int S = s.IconSize;
  const bool aquaToWhite = s.IconType == kTypeMono || s.IconType == kTypeCursor;
  Picture p = Picture::Filled(S, S, 255, 255, 255);
  for (int y = 0; y < S; ++y)
    for (int x = 0; x < S; ++x) {
      Color c = s.iconimage.pixel(x, y);
      if (c == kInvalidColor || (aquaToWhite && c == kAqua)) c = kWhite;
      std::uint8_t* px = p.pixel(x, y);
      px[0] = static_cast<std::uint8_t>(RedOf(c));
      px[1] = static_cast<std::uint8_t>(GreenOf(c));
      px[2] = static_cast<std::uint8_t>(BlueOf(c));
    }
  return p;
}

bool EncodeExport(const EditorState& s, ExportFormat format, std::vector<std::uint8_t>& out, std::string& error) {
  const Picture p = ExportPicture(s);
  switch (format) {
    case ExportFormat::Jpeg: return EncodeJpeg(p, s.IconType == kTypeMono || s.IconType == kTypeCursor, out, error);
    case ExportFormat::Gif: return EncodeGif(p, s.DefaultColors256, out, error);
    case ExportFormat::Png: return EncodePng(p, out, error);
    case ExportFormat::Tiff: return EncodeTiff(p, out, error);
    case ExportFormat::Bmp: break;
  }
  return EncodeBmp(p, out, error);
}

bool ExportPictureFile(const EditorState& s, ExportFormat format, const std::string& path, std::string& error) {
  std::vector<std::uint8_t> bytes;
  if (!EncodeExport(s, format, bytes, error)) return false;
  error = ReplaceFileContents(path, bytes);
  return error.empty();
}

}  // namespace gw
