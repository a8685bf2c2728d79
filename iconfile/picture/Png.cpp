// PNG decoding and encoding through libpng.
#include <png.h>

#include <csetjmp>
#include <cstring>

#include "iconfile/picture/Picture.h"

namespace gw {

namespace {

struct MemoryReader {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t count) {
  auto* r = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (count > r->bytes.size() - r->pos) png_error(png, "file is truncated");
  std::memcpy(out, r->bytes.data() + r->pos, count);
  r->pos += count;
}

struct ErrorText {
  char text[200] = "";
};

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
  auto* e = static_cast<ErrorText*>(png_get_error_ptr(png));
  std::strncpy(e->text, message ? message : "bad PNG data", sizeof e->text - 1);
  png_longjmp(png, 1);
}
void OnWarning(png_structp, png_const_charp) {}

// Everything libpng touches across its longjmp lives here, outside the function that calls setjmp.
struct DecodeJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  MemoryReader reader;
  ErrorText error;
  PictureRowSink* sink = nullptr;
  int width = 0, height = 0;
  bool interlaced = false;
  // An interlaced picture, built up pass by pass in the sink's own rows or, of the rows the sink uses, here:
  // row y in slot[y] (-1: not used, not kept).
  std::vector<int> slot;
  Picture passes;
  int rowsDone = 0;  // rows of a plain picture handed to the sink
};

// Where row y of an interlaced picture is built (nowhere when it is not used).
std::uint8_t* PassRow(DecodeJob& job, int y) {
  if (job.sink->keepsRows()) return job.sink->row(y);
  const int slot = job.slot[static_cast<std::size_t>(y)];
  return slot >= 0 ? job.passes.pixel(0, slot) : nullptr;
}

// Hands the rows not yet handed over to the sink (of an interlaced picture, all it uses).
void FinishRows(DecodeJob& job) {
  for (int y = job.rowsDone; y < job.height; ++y) {
    if (job.interlaced && !job.sink->keepsRows()) {
      if (job.slot[static_cast<std::size_t>(y)] < 0) continue;
      std::memcpy(job.sink->row(y), PassRow(job, y), static_cast<std::size_t>(job.width) * 4);
    }
    job.sink->rowDone(y);
  }
  job.rowsDone = job.height;
}


bool Run(DecodeJob& job) {
  if (setjmp(png_jmpbuf(job.png))) return false;
  png_set_read_fn(job.png, &job.reader, ReadFromMemory);
#ifdef GLYPHWERK_FUZZING
  // A fuzzer's mutations break chunk checksums; checked, almost none would get past them to the decoding.
  png_set_crc_action(job.png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#endif
  png_set_user_limits(job.png, static_cast<png_uint_32>(kMaxPictureSide), static_cast<png_uint_32>(kMaxPictureSide));
  // Every chunk the pixels do not need (all but the header, palette, transparency and image data) is
  // skipped unread: libpng would take a buffer of the length a chunk claims (megabytes, from a file of a
  // few bytes) before finding the file too short.
  static constexpr png_byte kUnused[] =
      "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";
  png_set_keep_unknown_chunks(job.png, PNG_HANDLE_CHUNK_NEVER, kUnused, static_cast<int>(sizeof kUnused / 5));
  png_read_info(job.png, job.info);
  const png_uint_32 w = png_get_image_width(job.png, job.info);
  const png_uint_32 h = png_get_image_height(job.png, job.info);
  if (!PictureSizeAllowed(w, h)) png_error(job.png, "picture is too large");
  // Deflate makes at most 1032 bytes of each byte it is given: rows the file cannot hold are refused before
  // they are made.
  const int colorType = png_get_color_type(job.png, job.info);
  const std::uint64_t bitsPerPixel = std::uint64_t{png_get_bit_depth(job.png, job.info)} * png_get_channels(job.png, job.info);
  const bool interlaced = png_get_interlace_type(job.png, job.info) != PNG_INTERLACE_NONE;
  if (PngRawSize(w, h, bitsPerPixel, interlaced) > 1032 * std::uint64_t{job.reader.bytes.size()})
    png_error(job.png, "PNG data is truncated");
  png_set_expand(job.png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  png_set_strip_16(job.png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_gray_to_rgb(job.png);
  png_set_add_alpha(job.png, 0xFF, PNG_FILLER_AFTER);
  const int passes = png_set_interlace_handling(job.png);
  png_read_update_info(job.png, job.info);
  if (png_get_rowbytes(job.png, job.info) != static_cast<png_size_t>(w) * 4) png_error(job.png, "unexpected row layout");
  job.width = static_cast<int>(w);
  job.height = static_cast<int>(h);
  job.interlaced = passes > 1;
  if (!job.sink->start(job.width, job.height)) png_error(job.png, "picture refused");
  if (job.interlaced) {
    if (!job.sink->keepsRows()) {
      job.slot.assign(static_cast<std::size_t>(job.height), -1);
      int used = 0;
      for (int y = 0; y < job.height; ++y)
        if (job.sink->uses(y)) job.slot[static_cast<std::size_t>(y)] = used++;
      if (used > 0) job.passes = Picture::Filled(job.width, used, 0, 0, 0, 0);
    }
    for (int pass = 0; pass < passes; ++pass)
      for (int y = 0; y < job.height; ++y) png_read_row(job.png, PassRow(job, y), nullptr);
  } else {
    for (int y = 0; y < job.height; ++y) {
      png_read_row(job.png, job.sink->row(y), nullptr);
      job.sink->rowDone(y);
      job.rowsDone = y + 1;
    }
  }
  FinishRows(job);
  return true;
}

// Whether libpng had read every row when it failed: after the last row it goes on to the end of the
// compressed data, and only what follows the pixels (the data's check value, IEND) was missing or bad.
bool EveryRowRead(const DecodeJob& job) {
  if (job.height == 0) return false;
  if (job.interlaced) return png_get_current_pass_number(job.png) >= 7;
  return job.rowsDone == job.height - 1 && png_get_current_row_number(job.png) == static_cast<png_uint_32>(job.height);
}

}  // namespace

// The chunks after the image data are not read: a file whose pixels are all there is whole, with or
// without its IEND.
bool DecodePngRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error) {
  if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
    error = "not a PNG picture";
    return false;
  }
  DecodeJob job;
  job.reader.bytes = bytes;
  job.sink = &sink;
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &job.error, OnError, OnWarning);
  if (!job.png) {
    error = "out of memory";
    return false;
  }
  job.info = png_create_info_struct(job.png);
  bool ok = false;
  try {
    ok = job.info && Run(job);
    if (!ok && job.info && EveryRowRead(job)) {
      FinishRows(job);
      ok = true;
    }
  } catch (const std::bad_alloc&) {
    std::strcpy(job.error.text, "out of memory");
  }
  png_destroy_read_struct(&job.png, &job.info, nullptr);
  if (!ok) error = job.error.text[0] ? job.error.text : "bad PNG data";
  return ok;
}

std::uint64_t PngRawSize(std::uint64_t w, std::uint64_t h, std::uint64_t bitsPerPixel, bool interlaced) {
  const auto rows = [&](std::uint64_t cols, std::uint64_t n) { return cols && n ? n * (1 + (cols * bitsPerPixel + 7) / 8) : 0; };
  if (!interlaced) return rows(w, h);
  static constexpr std::uint64_t kX0[] = {0, 4, 0, 2, 0, 1, 0}, kDx[] = {8, 8, 4, 4, 2, 2, 1};
  static constexpr std::uint64_t kY0[] = {0, 0, 4, 0, 2, 0, 1}, kDy[] = {8, 8, 8, 4, 4, 2, 2};
  std::uint64_t n = 0;
  for (int p = 0; p < 7; ++p)
    n += rows(w > kX0[p] ? (w - kX0[p] + kDx[p] - 1) / kDx[p] : 0, h > kY0[p] ? (h - kY0[p] + kDy[p] - 1) / kDy[p] : 0);
  return n;
}

std::optional<Picture> DecodePng(std::span<const std::uint8_t> bytes, std::string& error) {
  return DecodeWhole(DecodePngRows, bytes, error);
}

namespace {

void WriteToMemory(png_structp png, png_bytep data, png_size_t count) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + count);
}
void FlushMemory(png_structp) {}

struct EncodeJob {
  png_structp png = nullptr;
  png_infop info = nullptr;
  ErrorText error;
  const Picture* in = nullptr;
  std::vector<std::uint8_t>* out = nullptr;
  std::vector<std::uint8_t> row;
};

bool RunEncode(EncodeJob& job) {
  if (setjmp(png_jmpbuf(job.png))) return false;
  const Picture& p = *job.in;
  png_set_write_fn(job.png, job.out, WriteToMemory, FlushMemory);
  png_set_IHDR(job.png, job.info, static_cast<png_uint_32>(p.width), static_cast<png_uint_32>(p.height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(job.png, job.info);
  job.row.resize(static_cast<std::size_t>(p.width) * 3);
  for (int y = 0; y < p.height; ++y) {
    const std::uint8_t* src = p.pixel(0, y);
    for (int x = 0; x < p.width; ++x) std::memcpy(job.row.data() + x * 3, src + x * 4, 3);
    png_write_row(job.png, job.row.data());
  }
  png_write_end(job.png, nullptr);
  return true;
}

}  // namespace

bool EncodePng(const Picture& picture, std::vector<std::uint8_t>& out, std::string& error) {
  if (picture.width <= 0 || picture.height <= 0) {
    error = "picture is empty";
    return false;
  }
  out.clear();
  EncodeJob job;
  job.in = &picture;
  job.out = &out;
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &job.error, OnError, OnWarning);
  if (!job.png) {
    error = "out of memory";
    return false;
  }
  job.info = png_create_info_struct(job.png);
  const bool ok = job.info && RunEncode(job);
  png_destroy_write_struct(&job.png, &job.info);
  if (!ok) error = job.error.text[0] ? job.error.text : "PNG encoding failed";
  return ok;
}

}  // namespace gw
