#pragma once
// Decoded pictures, as every decoder of this folder gives them and every encoder takes them.
// Decoders trust nothing: any byte sequence gives either a picture within the size limits or an error.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Geometry.h"

namespace gw {

// Top-down rows of 4 bytes a pixel: red, green, blue, alpha (255 = opaque).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgba;
  std::uint8_t* pixel(int x, int y) {
    return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  }
  const std::uint8_t* pixel(int x, int y) const {
    return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)) * 4;
  }
  // A width x height picture of one opaque colour.
  static Picture Filled(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255);
};

// The largest pictures any decoder accepts: a side of 32768 pixels, 150 million pixels in all.
inline constexpr std::int64_t kMaxPictureSide = 32768;
inline constexpr std::int64_t kMaxPicturePixels = 150'000'000;
// Whether a width and height are within those limits (and positive).
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);
// The most working memory a decoder takes beside the rows it hands over: the coefficients a JPEG of several
// scans is held in, the strips or tiles of a TIFF read a band at a time with the band made of them. A picture
// that needs more is refused at its header, with kTooLargeToImport as the reason.
#ifndef GLYPHWERK_FUZZING
inline constexpr std::uint64_t kMaxDecoderMemory = std::uint64_t{512} << 20;
#else
// A fuzz run takes the same paths on pictures an eighth of the size, and so makes far more runs.
inline constexpr std::uint64_t kMaxDecoderMemory = std::uint64_t{64} << 20;
#endif
inline constexpr char kTooLargeToImport[] = "picture is too large to import (decoding it needs more than 512 MB)";

enum class PictureFormat { Unknown, Jpeg, Gif, Png, Tiff, Bmp };
// The format a file's first bytes announce.
PictureFormat DetectPictureFormat(std::span<const std::uint8_t> bytes);

// Where a decoder puts its rows, for a caller that keeps only part of a large picture.
class PictureRowSink {
 public:
  virtual ~PictureRowSink() = default;
  // Once, before any row, with the picture's size (within the limits); false refuses the picture.
  virtual bool start(int width, int height) = 0;
  // Where row y (top-down) is to be decoded: width x 4 bytes, RGBA; handed back by rowDone(y).
  virtual std::uint8_t* row(int y) = 0;
  virtual void rowDone(int y) = 0;
  // Whether row y is used at all. A decoder that must build a frame whole (an interlaced PNG) keeps only the
  // rows used, and need not hand the others over.
  virtual bool uses(int y) const {
    (void)y;
    return true;
  }
  // Whether every row's place stays the sink's own to the end, so that a decoder may build its frame there.
  virtual bool keepsRows() const { return false; }
};

// A sink that keeps every row: the whole picture.
class WholePictureSink : public PictureRowSink {
 public:
  explicit WholePictureSink(Picture& p) : p_(p) {}
  bool start(int width, int height) override;
  std::uint8_t* row(int y) override { return p_.pixel(0, y); }
  void rowDone(int) override {}
  bool keepsRows() const override { return true; }

 private:
  Picture& p_;
};

// A row decoder's picture kept whole (each DecodeX below is this over its DecodeXRows).
std::optional<Picture> DecodeWhole(bool (*decodeRows)(std::span<const std::uint8_t>, PictureRowSink&, std::string&),
                                   std::span<const std::uint8_t> bytes, std::string& error);

// Each decoder returns nothing on failure and sets `error` to a short reason.
// PNG of every colour type and depth (16-bit samples keep their high byte), first image only. A picture
// is whole when all its rows are: what follows the image data (IEND) is not needed.
std::optional<Picture> DecodePng(std::span<const std::uint8_t> bytes, std::string& error);
// The same decode, row by row into `sink`. An interlaced picture is built whole first, of the rows the sink
// uses; one whose rows the file's data cannot fill (deflate gives at most 1032 bytes a byte) is refused first.
bool DecodePngRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error);
// The bytes of a w x h PNG's filtered rows (a filter byte and the packed pixels each), all seven passes when
// interlaced: what its image data must inflate to.
std::uint64_t PngRawSize(std::uint64_t w, std::uint64_t h, std::uint64_t bitsPerPixel, bool interlaced);
// JPEG at full scale through the floating-point inverse DCT; greyscale gives exact greys, CMYK and YCCK are
// converted to RGB. Damaged or truncated pixel data fails the decode; harmless stray bytes, and a missing
// end marker after complete scans, do not. A picture of more than 100 scans (each a pass over all of it) is
// refused, and so is one whose coefficients, held whole when it has several scans, pass kMaxDecoderMemory.
std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, std::string& error);
// The same decode, row by row into `sink`; false with `error` set on failure (the sink may have had rows).
bool DecodeJpegRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error);
// GIF: the first frame drawn on a white logical screen; the transparent index gives white with alpha 0.
// Frame rows below the screen are not decoded; a frame whose rows to decode hold more pixels than the
// limit is refused.
std::optional<Picture> DecodeGif(std::span<const std::uint8_t> bytes, std::string& error);
// The same decode, row by row into `sink` (an interlaced frame's part on the screen is decoded first).
bool DecodeGifRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error);
// TIFF: the first page, any layout libtiff can turn into RGBA. Strips or tiles that the file's data cannot
// fill at the codec's largest ratio are refused before the picture is made, and so is a picture read a band
// at a time whose band, with the strip or tile it is made of, passes kMaxDecoderMemory.
std::optional<Picture> DecodeTiff(std::span<const std::uint8_t> bytes, std::string& error);
// The same decode into `sink`: strips row by row, tiles (and subsampled colours) a row of tiles (a band of
// strips) at a time.
bool DecodeTiffRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error);
// BMP: 1, 4, 8, 16, 24 and 32 bits, bottom-up and top-down, bit fields, RLE4 and RLE8, core to V5 headers.
std::optional<Picture> DecodeBmp(std::span<const std::uint8_t> bytes, std::string& error);
// The same decode, row by row into `sink` (run-length rows bottom-up as the runs reach them).
bool DecodeBmpRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error);
// The decoder of the detected format.
std::optional<Picture> DecodePicture(std::span<const std::uint8_t> bytes, std::string& error);
// The same, row by row into `sink`: every format as it is decoded.
bool DecodePictureRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error);

// Encoders write the exact colours and leave alpha out; each returns false with `error` set on failure.
// JPEG at quality 100 (baseline tables) with the floating-point forward DCT; greyscale output on request.
bool EncodeJpeg(const Picture& picture, bool greyscale, std::vector<std::uint8_t>& out, std::string& error);
// GIF with the picture's own colours when there are at most 256 of them; otherwise every pixel takes the
// nearest entry of `fallbackPalette` (1 to 256 colours, 0x00BBGGRR), without dithering.
bool EncodeGif(const Picture& picture, std::span<const Color> fallbackPalette, std::vector<std::uint8_t>& out,
               std::string& error);
bool EncodePng(const Picture& picture, std::vector<std::uint8_t>& out, std::string& error);
bool EncodeTiff(const Picture& picture, std::vector<std::uint8_t>& out, std::string& error);
// 24-bit bottom-up BMP with a 40-byte header.
bool EncodeBmp(const Picture& picture, std::vector<std::uint8_t>& out, std::string& error);

}  // namespace gw
