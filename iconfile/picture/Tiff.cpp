// TIFF decoding and encoding through libtiff, from and to memory. The codec's messages go to per-file
// handlers: errors fail the job, warnings are dropped, nothing is printed.
#include <tiffio.h>

#include <algorithm>
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
void Unpremultiply(Picture& p) {
  for (std::size_t i = 0; i < p.rgba.size(); i += 4) {
    const int a = p.rgba[i + 3];
    if (a == 0 || a == 255) continue;
    for (std::size_t k = i; k < i + 3; ++k) p.rgba[k] = static_cast<std::uint8_t>(std::min(255, (p.rgba[k] * 255 + a / 2) / a));
  }
}

}  // namespace

std::optional<Picture> DecodeTiff(std::span<const std::uint8_t> bytes, std::string& error) {
  if (DetectPictureFormat(bytes) != PictureFormat::Tiff) {
    error = "not a TIFF picture";
    return std::nullopt;
  }
  MemoryFile f;
  f.bytes = bytes;
  TIFF* tif = Open(f, "rm");
  if (!tif) {
    error = f.error.empty() ? "bad TIFF header" : f.error;
    return std::nullopt;
  }
  std::uint32_t w = 0, h = 0;
  Picture p;
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
  if (ok) {
    p.width = static_cast<int>(w);
    p.height = static_cast<int>(h);
    p.rgba.resize(static_cast<std::size_t>(w) * h * 4);
    // RGBA words: red in the low byte, which is the byte order of Picture on any host.
    ok = TIFFReadRGBAImageOriented(tif, w, h, reinterpret_cast<std::uint32_t*>(p.rgba.data()), ORIENTATION_TOPLEFT, 1) == 1 &&
         f.error.empty();
    if constexpr (std::endian::native == std::endian::big) {
      for (std::size_t i = 0; i < p.rgba.size(); i += 4) {
        std::swap(p.rgba[i], p.rgba[i + 3]);
        std::swap(p.rgba[i + 1], p.rgba[i + 2]);
      }
    }
    if (ok && premultiplied) Unpremultiply(p);
  }
  TIFFClose(tif);
  if (!ok) {
    error = !f.error.empty() ? f.error : why[0] ? why : "bad TIFF data";
    return std::nullopt;
  }
  return p;
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
