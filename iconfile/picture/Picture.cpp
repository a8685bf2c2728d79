// What all the decoders share: the size limits, format detection and the choice of decoder.
#include "iconfile/picture/Picture.h"

#include <cstring>
#include <new>

namespace gw {

Picture Picture::Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
  Picture p;
  p.width = width;
  p.height = height;
  const std::size_t n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
  if (r == g && g == b && b == a) {
    p.rgba.assign(n, r);
    return p;
  }
  p.rgba.resize(n);
  std::uint8_t* px = p.rgba.data();  // through a pointer: a fill of a large picture must stay a tight loop
  for (std::size_t i = 0; i < n; i += 4) {
    px[i] = r;
    px[i + 1] = g;
    px[i + 2] = b;
    px[i + 3] = a;
  }
  return p;
}

bool WholePictureSink::start(int width, int height) {
  p_.width = width;
  p_.height = height;
  p_.rgba.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  return true;
}

bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide &&
         width * height <= kMaxPicturePixels;
}

PictureFormat DetectPictureFormat(std::span<const std::uint8_t> b) {
  auto starts = [&](const char* sig, std::size_t n) { return b.size() >= n && std::memcmp(b.data(), sig, n) == 0; };
  if (starts("\xFF\xD8\xFF", 3)) return PictureFormat::Jpeg;
  if (starts("GIF87a", 6) || starts("GIF89a", 6)) return PictureFormat::Gif;
  if (starts("\x89PNG\r\n\x1A\n", 8)) return PictureFormat::Png;
  if (starts("II*\0", 4) || starts("MM\0*", 4) || starts("II+\0", 4) || starts("MM\0+", 4)) return PictureFormat::Tiff;
  if (starts("BM", 2)) return PictureFormat::Bmp;
  return PictureFormat::Unknown;
}

std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes, std::string& error) {
  try {
    switch (DetectPictureFormat(bytes)) {
      case PictureFormat::Jpeg: return DecodeJpeg(bytes, error);
      case PictureFormat::Gif: return DecodeGif(bytes, error);
      case PictureFormat::Png: return DecodePng(bytes, error);
      case PictureFormat::Tiff: return DecodeTiff(bytes, error);
      case PictureFormat::Bmp: return DecodeBmp(bytes, error);
      case PictureFormat::Unknown: break;
    }
  } catch (const std::bad_alloc&) {
    error = "not enough memory for the picture";
    return std::nullopt;
  }
  error = "not a JPEG, GIF, PNG, TIFF or BMP picture";
  return std::nullopt;
}

std::optional<Picture> DecodeWhole(bool (*decodeRows)(std::span<const std::uint8_t>, PictureRowSink&, std::string&),
                                   std::span<const std::uint8_t> bytes, std::string& error) {
  Picture picture;
  WholePictureSink whole(picture);
  if (!decodeRows(bytes, whole, error)) return std::nullopt;
  return picture;
}

bool DecodePictureRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error) {
  try {
    switch (DetectPictureFormat(bytes)) {
      case PictureFormat::Jpeg: return DecodeJpegRows(bytes, sink, error);
      case PictureFormat::Png: return DecodePngRows(bytes, sink, error);
      case PictureFormat::Tiff: return DecodeTiffRows(bytes, sink, error);
      case PictureFormat::Gif: return DecodeGifRows(bytes, sink, error);
      case PictureFormat::Bmp: return DecodeBmpRows(bytes, sink, error);
      default: break;
    }
    return DecodePicture(bytes, error).has_value();  // not a picture: says so
  } catch (const std::bad_alloc&) {
    error = "not enough memory for the picture";
    return false;
  }
}

}  // namespace gw
