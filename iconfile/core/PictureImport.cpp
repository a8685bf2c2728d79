#include "iconfile/core/PictureImport.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "editor/core/EditArea.h"
#include "iconfile/core/WholeFile.h"
#include "platform/Canvas.h"

namespace gw {

namespace {

// Compressed files of a picture within the size limits stay far below this.
constexpr long long kMaxPictureFileBytes = 1LL << 30;

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

}  // namespace

int ImportIconSize(int width, int height) {
  if (width > 56 || height > 56) return 64;
  const int m = std::max(width, height);
  for (const int size : {16, 24, 32, 40, 48, 56})
    if (m <= size) return size;
  return 64;
}

std::optional<Picture> ReadPictureFile(const std::string& path, std::string& error) {
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    error = std::strerror(errno);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes;
  std::uint8_t chunk[1 << 16];
  for (;;) {
    const std::size_t n = std::fread(chunk, 1, sizeof chunk, f.get());
    bytes.insert(bytes.end(), chunk, chunk + n);
    if (static_cast<long long>(bytes.size()) > kMaxPictureFileBytes) {
      error = "the file is too large";
      return std::nullopt;
    }
    if (n < sizeof chunk) break;
  }
  if (std::ferror(f.get())) {
    error = "the file cannot be read";
    return std::nullopt;
  }
  return DecodePicture(bytes, error);
}

Bitmap ComposeOnWhite(const Picture& picture) {
  Bitmap out(picture.width, picture.height, kWhite);
  Color* dst = out.data();
  const std::uint8_t* src = picture.rgba.data();
  const std::size_t n = static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
  for (std::size_t i = 0; i < n; ++i, src += 4) {
    const int a = src[3];
    if (a == 255) {
      dst[i] = MakeColor(src[0], src[1], src[2]);
    } else {
      auto on = [a](int c) { return 255 - a + (c * a + 127) / 255; };
      dst[i] = MakeColor(on(src[0]), on(src[1]), on(src[2]));
    }
  }
  return out;
}

void PlaceImportedPicture(EditorState& s, const Bitmap& picture) {
  const int S = s.IconSize;
  const Rect whole = picture.bounds();
  Canvas image(s.iconimage);
  if (!s.DoNotScaleImportedImages) {
    image.copyRect(s.IconRect, picture, whole, StretchMode::ColorOnColor);
    SyncPlacementCanvas(s);
  } else if (picture.width() <= S && picture.height() <= S) {
    image.copyRect(whole, picture, whole);
    SyncPlacementCanvas(s);
  } else {
    const Bitmap& canvasBits = s.PlacementCanvas;
    const int w = std::min(picture.width(), canvasBits.width()), h = std::min(picture.height(), canvasBits.height());
    Canvas(s.PlacementCanvas).copyRect({0, 0, w, h}, picture, {0, 0, w, h});
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

const char* ExportExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::Jpeg: return "jpg";
    case ExportFormat::Gif: return "gif";
    case ExportFormat::Png: return "png";
    case ExportFormat::Tiff: return "tif";
    case ExportFormat::Bmp: break;
  }
  return "bmp";
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

std::string WithExtension(const std::string& path, const std::string& ext) {
  if (path.empty() || path.find('.', FilePartStart(path)) != std::string::npos) return path;
  return path + "." + ext;
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
  return EncodeExport(s, format, bytes, error) && WriteWholeFile(path, bytes, error);
}

}  // namespace gw
