// TIFF decoding and encoding through libtiff, from and to memory. The codec's messages go to per-file
// handlers: errors fail the job, warnings are dropped, nothing is printed.
#include <tiffio.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "iconfile/picture/Picture.h"

namespace gw {

namespace {

// One memory file for both directions: reads see `bytes`, writes grow `written`.
struct MemoryFile {
  std::span<const std::uint8_t> bytes;
  std::vector<std::uint8_t>* written = nullptr;
  std::uint64_t pos = 0;
  std::string error;

  std::uint64_t size() const { return written ? written->size() : bytes.size(); }
  const std::uint8_t* data() const { return written ? written->data() : bytes.data(); }
};

MemoryFile& FileOf(thandle_t h) { return *static_cast<MemoryFile*>(h); }

tmsize_t Read(thandle_t h, void* buf, tmsize_t n) {
  MemoryFile& f = FileOf(h);
  if (n <= 0 || f.pos >= f.size()) return 0;
  const std::uint64_t count = std::min<std::uint64_t>(static_cast<std::uint64_t>(n), f.size() - f.pos);
  std::memcpy(buf, f.data() + f.pos, count);
  f.pos += count;
  return static_cast<tmsize_t>(count);
}

tmsize_t Write(thandle_t h, void* buf, tmsize_t n) {
  MemoryFile& f = FileOf(h);
  if (!f.written || n < 0) return -1;
  const std::uint64_t end = f.pos + static_cast<std::uint64_t>(n);
  if (end > f.written->size()) f.written->resize(end, 0);
  std::memcpy(f.written->data() + f.pos, buf, static_cast<std::size_t>(n));
  f.pos = end;
  return n;
}

toff_t Seek(thandle_t h, toff_t off, int whence) {
  MemoryFile& f = FileOf(h);
  std::uint64_t base = whence == SEEK_CUR ? f.pos : whence == SEEK_END ? f.size() : 0;
  const std::uint64_t target = base + off;
  if (target > (std::uint64_t{1} << 40)) return static_cast<toff_t>(-1);
  f.pos = target;
  return f.pos;
}

int Close(thandle_t) { return 0; }
toff_t Size(thandle_t h) { return FileOf(h).size(); }
int Map(thandle_t, void**, toff_t*) { return 0; }
void Unmap(thandle_t, void*, toff_t) {}

int OnError(TIFF*, void* user, const char*, const char* fmt, va_list ap) {
  auto* f = static_cast<MemoryFile*>(user);
  if (f->error.empty()) {
    char text[256];
    std::vsnprintf(text, sizeof text, fmt, ap);
    f->error = text;
  }
  return 1;  // handled: not passed on to the global (printing) handler
}
int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

TIFF* Open(MemoryFile& f, const char* mode) {
  TIFFOpenOptions* opts = TIFFOpenOptionsAlloc();
  if (!opts) return nullptr;
  TIFFOpenOptionsSetErrorHandlerExtR(opts, OnError, &f);
  TIFFOpenOptionsSetWarningHandlerExtR(opts, OnWarning, &f);
  TIFFOpenOptionsSetMaxSingleMemAlloc(opts, tmsize_t{1} << 30);
  TIFF* tif = TIFFClientOpenExt("memory", mode, &f, Read, Write, Seek, Close, Size, Map, Unmap, opts);
  TIFFOpenOptionsFree(opts);
  return tif;
}

// Colours multiplied by their alpha back to plain colours, so that composing them once gives the
// picture: for m <= a, (c a + 127) / 255 with c = (255 m + a / 2) / a is m again. Above a (which
// multiplied colours cannot be) c stops at 255, and alpha 0 keeps what is stored: both show as white.
void Unpremultiply(std::uint8_t* rgba, std::size_t pixels) {
  for (std::size_t i = 0; i < pixels * 4; i += 4) {
    const int a = rgba[i + 3];
    if (a == 0 || a == 255) continue;
    for (std::size_t k = i; k < i + 3; ++k) rgba[k] = static_cast<std::uint8_t>(std::min(255, (rgba[k] * 255 + a / 2) / a));
  }
}

// libtiff's 16-bit greyscale routine drops the alpha sample; this one keeps it (high bytes, as libtiff
// takes the grey's). Its arguments are libtiff's: `fromskew` in pixels, `toskew` in raster words.
void PutGreyAlpha16(TIFFRGBAImage* img, std::uint32_t* cp, std::uint32_t, std::uint32_t, std::uint32_t w, std::uint32_t h,
                    std::int32_t fromskew, std::int32_t toskew, unsigned char* pp) {
  const int spp = img->samplesperpixel;
  for (; h > 0; --h) {
    const auto* wp = reinterpret_cast<const std::uint16_t*>(pp);
    for (std::uint32_t x = 0; x < w; ++x, wp += spp)
      *cp++ = (img->BWmap[wp[0] >> 8][0] & 0x00FFFFFFu) | static_cast<std::uint32_t>(wp[1] >> 8) << 24;
    cp += toskew;
    pp = reinterpret_cast<unsigned char*>(const_cast<std::uint16_t*>(wp)) + static_cast<std::ptrdiff_t>(fromskew) * spp * 2;
  }
}

// The most bytes a codec can make of one stored byte, where that is known: deflate 1032 (plus its
// header), PackBits 64 (a 128-byte run from 2), LZW 3641 (a string of at most 4096 bytes from a code of at
// least 9 bits). 0 where no such bound is known (JPEG's end-of-band runs, arithmetic coding, zstd, ...).
std::uint64_t LargestRatio(std::uint16_t compression) {
  switch (compression) {
    case COMPRESSION_NONE: return 1;
    case COMPRESSION_PACKBITS: return 64;
    case COMPRESSION_LZW: return 3641;
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE: return 1033;
    default: return 0;
  }
}

// A strip or tile the decoder holds whole is refused above this when its codec has no known ratio.
constexpr std::uint64_t kUnboundedCodecBlockBytes = std::uint64_t{32} << 20;

// The rows read at once where the picture is read a band at a time: a row of tiles, or a strip (short
// strips joined into bands of about a million pixels).
std::uint32_t BandRows(TIFF* tif, std::uint32_t width, std::uint32_t height) {
  std::uint32_t band = 0;
  if (TIFFIsTiled(tif)) {
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &band);
  } else {
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &band);
  }
  band = std::clamp<std::uint32_t>(band, 1, height);
  return band * std::max<std::uint32_t>(1, std::min<std::uint32_t>(height / band, (1u << 20) / width / band));
}

// Whether every strip or tile can be filled by the bytes the file holds for it at the codec's largest
// ratio, and (`whole`: the decoder holds each one whole) is within the budget where no ratio is known.
// Read whole, what is held at once must stay within kMaxDecoderMemory: a band of RGBA rows, libtiff's
// decoded strip or tile (one a plane, at most four, where the planes are separate) and the stored bytes of
// the largest one. Checked before anything the size of the picture is made.
bool DataCanFill(TIFF* tif, std::uint64_t fileSize, bool whole, char* why) {
  const bool tiled = TIFFIsTiled(tif) != 0;
  std::uint32_t width = 0, height = 0;
  TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
  TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
  std::uint16_t compression = COMPRESSION_NONE;
  TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &compression);
  const std::uint64_t ratio = LargestRatio(compression);
  if (ratio == 0 && !whole) return true;
  std::uint32_t rowsPerStrip = 0;
  TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
  rowsPerStrip = std::clamp<std::uint32_t>(rowsPerStrip, 1, height);
  const std::uint32_t count = TIFFNumberOfStrips(tif);  // tiles too
  const std::uint32_t perPlane = tiled ? count : (height - 1) / rowsPerStrip + 1;
  const std::uint64_t fullBlock = tiled ? TIFFTileSize64(tif) : TIFFStripSize64(tif);
  std::uint64_t largestStored = 0;
  bool fills = true;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint64_t need = fullBlock;
    if (!tiled && perPlane > 0 && i % perPlane == perPlane - 1)
      need = TIFFVStripSize64(tif, height - (perPlane - 1) * rowsPerStrip);
    const std::uint64_t offset = TIFFGetStrileOffset(tif, i);
    const std::uint64_t stored = offset >= fileSize ? 0 : std::min(TIFFGetStrileByteCount(tif, i), fileSize - offset);
    fills = fills && (ratio > 0 ? need <= stored * ratio : need <= kUnboundedCodecBlockBytes);
    largestStored = std::max(largestStored, stored);
  }
  std::uint16_t planar = PLANARCONFIG_CONTIG;
  TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &planar);
  const std::uint64_t held = std::uint64_t{width} * BandRows(tif, width, height) * 4 +
                             fullBlock * (planar == PLANARCONFIG_SEPARATE ? 4 : 1) + largestStored;
  if (whole && held > kMaxDecoderMemory) {
    std::snprintf(why, 1024, "%s", kTooLargeToImport);
    return false;
  }
  if (!fills) std::snprintf(why, 1024, "TIFF data is too short for its picture");
  return fills;
}

// The flips that bring the file's rows to top-down, left-to-right order.
struct Flips {
  bool vertical = false, horizontal = false;
};
Flips FlipsOf(std::uint16_t orientation) {
  switch (orientation) {
    case ORIENTATION_TOPRIGHT:
    case ORIENTATION_RIGHTTOP: return {false, true};
    case ORIENTATION_BOTRIGHT:
    case ORIENTATION_RIGHTBOT: return {true, true};
    case ORIENTATION_BOTLEFT:
    case ORIENTATION_LEFTBOT: return {true, false};
    default: return {};
  }
}

// Hands `rows` RGBA rows of the raster (libtiff's words: red in the low byte, which is the byte order of
// Picture on any host), the first being picture row `top`, to the sink.
void Deliver(PictureRowSink& sink, std::uint32_t* raster, int width, int top, int rows, bool premultiplied) {
  for (int r = 0; r < rows; ++r) {
    auto* px = reinterpret_cast<std::uint8_t*>(raster + static_cast<std::size_t>(r) * static_cast<std::size_t>(width));
    if constexpr (std::endian::native == std::endian::big) {
      for (int i = 0; i < width * 4; i += 4) {
        std::swap(px[i], px[i + 3]);
        std::swap(px[i + 1], px[i + 2]);
      }
    }
    if (premultiplied) Unpremultiply(px, static_cast<std::size_t>(width));
    std::memcpy(sink.row(top + r), px, static_cast<std::size_t>(width) * 4);
    sink.rowDone(top + r);
  }
}

// Strips, one row at a time: the codec decodes each row as it is read, so neither a strip nor the picture
// is ever held whole. Each separate plane is read through a handle of its own, so that every plane's codec
// goes on where it stopped.
bool ReadByRows(TIFFRGBAImage& img, std::span<const std::uint8_t> bytes, PictureRowSink& sink, bool premultiplied,
                std::string& error) {
  const int w = static_cast<int>(img.width), h = static_cast<int>(img.height);
  const Flips flips = FlipsOf(img.orientation);
  const bool grey = img.photometric == PHOTOMETRIC_MINISBLACK || img.photometric == PHOTOMETRIC_MINISWHITE ||
                    img.photometric == PHOTOMETRIC_PALETTE;
  const int colours = img.isContig || grey ? 1 : 3;
  const int planes = img.isContig ? 1 : colours + (img.alpha != 0 ? 1 : 0);
  std::array<MemoryFile, 4> files;
  std::array<TIFF*, 4> handles{img.tif};
  bool ok = img.isContig ? img.put.contig != nullptr : img.put.separate != nullptr;
  for (int p = 1; ok && p < planes; ++p) {
    files[p].bytes = bytes;
    ok = (handles[p] = Open(files[p], "rm")) != nullptr;
  }
  const auto lineSize = static_cast<std::size_t>(TIFFScanlineSize64(img.tif));
  std::vector<std::uint8_t> lines(lineSize * static_cast<std::size_t>(std::max(planes, 1)));
  std::array<std::uint8_t*, 4> line{};
  for (int p = 0; p < planes; ++p) line[p] = lines.data() + lineSize * static_cast<std::size_t>(p);
  std::vector<std::uint32_t> raster(static_cast<std::size_t>(w));
  ok = ok && lineSize > 0;
  for (int y = 0; ok && y < h; ++y) {
    for (int p = 0; ok && p < planes; ++p)
      ok = TIFFReadScanline(handles[p], line[p], static_cast<std::uint32_t>(y), static_cast<std::uint16_t>(p)) == 1;
    if (!ok) break;
    if (img.isContig) {
      img.put.contig(&img, raster.data(), 0, 0, img.width, 1, 0, 0, line[0]);
    } else {
      std::uint8_t* c = line[0];
      img.put.separate(&img, raster.data(), 0, 0, img.width, 1, 0, 0, c, colours == 3 ? line[1] : c,
                       colours == 3 ? line[2] : c, img.alpha != 0 ? line[colours] : nullptr);
    }
    if (flips.horizontal) std::reverse(raster.begin(), raster.end());
    Deliver(sink, raster.data(), w, flips.vertical ? h - 1 - y : y, 1, premultiplied);
  }
  for (int p = 1; p < planes; ++p) {
    if (handles[p]) TIFFClose(handles[p]);
    if (error.empty()) error = files[p].error;
  }
  return ok;
}

// Tiles and subsampled colours, a band of whole strips or a row of tiles at a time.
bool ReadByBands(TIFFRGBAImage& img, PictureRowSink& sink, bool premultiplied) {
  TIFF* tif = img.tif;
  const int w = static_cast<int>(img.width), h = static_cast<int>(img.height);
  const std::uint32_t band = BandRows(tif, img.width, img.height);
  const bool flipV = FlipsOf(img.orientation).vertical;
  img.req_orientation = ORIENTATION_TOPLEFT;
  std::vector<std::uint32_t> raster(static_cast<std::size_t>(w) * band);
  for (int row = 0; row < h; row += static_cast<int>(band)) {
    const int n = std::min(static_cast<int>(band), h - row);
    img.row_offset = row;
    if (TIFFRGBAImageGet(&img, raster.data(), img.width, static_cast<std::uint32_t>(n)) != 1) return false;
    Deliver(sink, raster.data(), w, flipV ? h - row - n : row, n, premultiplied);
  }
  return true;
}

}  // namespace

bool DecodeTiffRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error) {
  if (DetectPictureFormat(bytes) != PictureFormat::Tiff) {
    error = "not a TIFF picture";
    return false;
  }
  MemoryFile f;
  f.bytes = bytes;
  TIFF* tif = Open(f, "rm");
  if (!tif) {
    error = f.error.empty() ? "bad TIFF header" : f.error;
    return false;
  }
  std::uint32_t w = 0, h = 0;
  bool ok = TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &w) == 1 && TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &h) == 1;
  char why[1024] = "";
  if (!ok) {
    std::strcpy(why, "TIFF has no size");
  } else if (!PictureSizeAllowed(w, h)) {
    ok = false;
    std::strcpy(why, "picture is too large");
  } else if (!TIFFRGBAImageOK(tif, why)) {
    ok = false;
  }
  // libtiff's RGBA reader multiplies unassociated colours by their alpha in some layouts and not in others,
  // and passes associated (already multiplied) ones on. Marking the alpha as associated makes every layout
  // hand out the stored samples; the multiplied ones are then divided back.
  bool premultiplied = true;
  std::uint16_t extraCount = 0;
  std::uint16_t* extraTypes = nullptr;
  if (ok && TIFFGetField(tif, TIFFTAG_EXTRASAMPLES, &extraCount, &extraTypes) == 1 && extraCount > 0 &&
      extraTypes[0] == EXTRASAMPLE_UNASSALPHA) {
    std::vector<std::uint16_t> types(extraTypes, extraTypes + extraCount);
    types[0] = EXTRASAMPLE_ASSOCALPHA;
    premultiplied = false;
    ok = TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, extraCount, types.data()) == 1;
  }
  TIFFRGBAImage img{};
  bool begun = false;
  if (ok) ok = begun = TIFFRGBAImageBegin(&img, tif, 1, why) == 1;
  // One row at a time where libtiff's row reader and the colour routine both work row by row.
  const bool byRows = ok && !TIFFIsTiled(tif) && img.photometric != PHOTOMETRIC_YCBCR;
  if (ok) ok = DataCanFill(tif, bytes.size(), !byRows, why);
  if (ok && img.isContig && img.alpha != 0 && img.bitspersample == 16 && img.samplesperpixel >= 2 &&
      (img.photometric == PHOTOMETRIC_MINISBLACK || img.photometric == PHOTOMETRIC_MINISWHITE))
    img.put.contig = PutGreyAlpha16;
  if (ok && !sink.start(static_cast<int>(w), static_cast<int>(h))) {
    ok = false;
    std::strcpy(why, "picture refused");
  }
  if (ok) ok = (byRows ? ReadByRows(img, bytes, sink, premultiplied, f.error) : ReadByBands(img, sink, premultiplied)) && f.error.empty();
  if (begun) TIFFRGBAImageEnd(&img);
  TIFFClose(tif);
  if (!ok) {
    error = !f.error.empty() ? f.error : why[0] ? why : "bad TIFF data";
    return false;
  }
  return true;
}

std::optional<Picture> DecodeTiff(std::span<const std::uint8_t> bytes, std::string& error) {
  return DecodeWhole(DecodeTiffRows, bytes, error);
}

bool EncodeTiff(const Picture& picture, std::vector<std::uint8_t>& out, std::string& error) {
  const int w = picture.width, h = picture.height;
  if (w <= 0 || h <= 0) {
    error = "picture is empty";
    return false;
  }
  out.clear();
  MemoryFile f;
  f.written = &out;
  TIFF* tif = Open(f, "w");
  if (!tif) {
    error = f.error.empty() ? "TIFF encoding failed" : f.error;
    return false;
  }
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(w));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(h));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW);
  TIFFSetField(tif, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
  std::vector<std::uint8_t> row(static_cast<std::size_t>(w) * 3);
  bool ok = true;
  for (int y = 0; ok && y < h; ++y) {
    const std::uint8_t* src = picture.pixel(0, y);
    for (int x = 0; x < w; ++x) std::memcpy(row.data() + x * 3, src + x * 4, 3);
    ok = TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0) == 1;
  }
  if (ok) ok = TIFFWriteDirectory(tif) == 1;
  TIFFClose(tif);
  if (!ok || !f.error.empty()) {
    error = f.error.empty() ? "TIFF encoding failed" : f.error;
    return false;
  }
  return true;
}

}  // namespace gw
