// JPEG decoding and encoding through libjpeg-turbo. The codec's errors and warnings end the job through a
// longjmp to the caller: nothing is printed and no process exit can happen.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <jpeglib.h>
#include <jerror.h>

#include "iconfile/picture/Picture.h"

namespace gw {

namespace {

struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char text[JMSG_LENGTH_MAX] = "";
  bool dataEnded = false;  // the data ran out before the end marker
};

// The codec is held to kMaxDecoderMemory (DecodeJpegRows) and has no backing store: arrays that do not fit
// end the job as it starts, before any data is decoded.
[[noreturn]] void OnError(j_common_ptr cinfo) {
  auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
  if (cinfo->err->msg_code == JERR_NO_BACKING_STORE)
    std::strcpy(e->text, kTooLargeToImport);
  else
    (*cinfo->err->format_message)(cinfo, e->text);
  std::longjmp(e->jump, 1);
}

// Level -1 is a warning. One that means damaged or missing pixel data refuses the picture rather than show
// it half grey; the others (stray bytes between markers, an unknown revision or colour transform, a bad
// colour profile) leave the pixels as they are and pass. Trace messages are dropped.
// Data that ends early is noted and judged at the end (ScansComplete): the codec then reads an end marker
// of its own, and a Huffman scan that still needed bits says so (JWRN_HIT_MARKER) before filling with grey.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  switch (cinfo->err->msg_code) {
    case JWRN_JPEG_EOF: reinterpret_cast<ErrorManager*>(cinfo->err)->dataEnded = true; break;
    case JWRN_ARITH_BAD_CODE:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_NOT_SEQUENTIAL:
    case JWRN_TOO_MUCH_DATA: OnError(cinfo);
    default: break;
  }
}

void Silent(j_common_ptr) {}

void InstallErrors(ErrorManager& e) {
  jpeg_std_error(&e.pub);
  e.pub.error_exit = OnError;
  e.pub.emit_message = OnMessage;
  e.pub.output_message = Silent;
}

std::uint8_t Times(int a, int b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// Encoders write a few scans, a few dozen at the most; each scan is a pass over the whole picture (about
// 10 ms at the size limit), so a file that repeats a small one could keep the decoder busy for hours.
constexpr int kMaxScans = 100;

// Notes the components of every scan the codec starts (it reports progress once a scan is under way), and
// ends the decode at a scan beyond the limit.
struct ScanWatch {
  jpeg_progress_mgr pub{};
  unsigned components = 0;  // bit i: component i had a scan
};

void OnProgress(j_common_ptr cinfo) {
  const auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
  auto* watch = reinterpret_cast<ScanWatch*>(cinfo->progress);
  if (d->input_scan_number > kMaxScans) {
    auto* e = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::strcpy(e->text, "JPEG has too many scans");
    std::longjmp(e->jump, 1);
  }
  for (int i = 0; i < d->comps_in_scan && i < MAX_COMPS_IN_SCAN; ++i)
    if (d->cur_comp_info[i]) watch->components |= 1u << (d->cur_comp_info[i]->component_index & 31);
}

// Whether data that ended without its end marker still held the whole picture. A scan cut short has been
// refused already (the Huffman decoder warns; arithmetic decoding fills in silently, so it is not trusted);
// what is left is a scan that never came: some component never had one, or a progressive file's
// coefficients are not all refined to their last bit.
bool ScansComplete(const jpeg_decompress_struct& c, const ScanWatch& watch) {
  if (c.arith_code) return false;
  for (int ci = 0; ci < c.num_components; ++ci) {
    if (!(watch.components & (1u << ci))) return false;
    if (c.progressive_mode)
      for (int k = 0; k < DCTSIZE2; ++k)
        if (c.coef_bits[ci][k] != 0) return false;
  }
  return true;
}

// Whether the data after the headers can fill the picture the headers claim. A file of several scans
// (progressive, or a scan a component) is held whole as coefficients, 128 bytes a block, before its first
// row is made; the codec's memory limit bounds them. Every block of every component has a DC value, and
// Huffman coding gives each at least one bit, so a Huffman file with fewer bits left than blocks is cut
// short whatever it holds: refused before that memory is taken. Arithmetic coding can spend far less than
// a bit on a block (a flat picture of 36 million pixels fits in 400 bytes), so it has no such rate.
bool DataCanFillCoefficients(const jpeg_decompress_struct& c) {
  if (!c.progressive_mode && c.comps_in_scan >= c.num_components) return true;  // decoded as it is read
  if (c.arith_code) return true;
  std::uint64_t blocks = 0;
  for (int ci = 0; ci < c.num_components; ++ci)
    blocks += std::uint64_t{c.comp_info[ci].width_in_blocks} * c.comp_info[ci].height_in_blocks;
  return blocks <= std::uint64_t{c.src->bytes_in_buffer} * 8;
}

// Everything the decoder touches across the longjmp lives outside the function that calls setjmp.
struct DecodeJob {
  jpeg_decompress_struct cinfo{};
  ErrorManager err;
  ScanWatch watch;
  std::span<const std::uint8_t> bytes;
  PictureRowSink* sink = nullptr;
  std::vector<std::uint8_t> row;
};

bool RunDecode(DecodeJob& job) {
  jpeg_decompress_struct& c = job.cinfo;
  if (setjmp(job.err.jump)) return false;
  jpeg_mem_src(&c, job.bytes.data(), static_cast<unsigned long>(job.bytes.size()));
  job.watch.pub.progress_monitor = OnProgress;
  c.progress = &job.watch.pub;
  jpeg_read_header(&c, TRUE);
  if (!PictureSizeAllowed(c.image_width, c.image_height)) {
    std::strcpy(job.err.text, "picture is too large");
    return false;
  }
  if (!DataCanFillCoefficients(c)) {
    std::strcpy(job.err.text, "JPEG data is too short for its picture");
    return false;
  }
  c.dct_method = JDCT_FLOAT;
  c.scale_num = 1;
  c.scale_denom = 1;
  const bool cmyk = c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
  const bool grey = c.jpeg_color_space == JCS_GRAYSCALE;
  c.out_color_space = cmyk ? JCS_CMYK : grey ? JCS_GRAYSCALE : JCS_EXT_RGBA;  // RGBA rows come with alpha 255
  jpeg_start_decompress(&c);
  const int w = static_cast<int>(c.output_width);
  const int h = static_cast<int>(c.output_height);
  const int n = c.output_components;
  if (!job.sink->start(w, h)) {
    std::strcpy(job.err.text, "picture refused");
    return false;
  }
  if (cmyk || grey) job.row.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(n));
  // Adobe's CMYK files store the inks inverted.
  const bool inverted = c.saw_Adobe_marker;
  while (c.output_scanline < c.output_height) {
    const int y = static_cast<int>(c.output_scanline);
    std::uint8_t* dst = job.sink->row(y);
    JSAMPROW target = (cmyk || grey) ? job.row.data() : dst;
    jpeg_read_scanlines(&c, &target, 1);
    if (cmyk) {
      for (int x = 0; x < w; ++x) {
        const std::uint8_t* s = job.row.data() + x * 4;
        const int k = inverted ? s[3] : 255 - s[3];
        for (int i = 0; i < 3; ++i) dst[x * 4 + i] = Times(inverted ? s[i] : 255 - s[i], k);
        dst[x * 4 + 3] = 255;
      }
    } else if (grey) {
      for (int x = 0; x < w; ++x) {
        dst[x * 4] = dst[x * 4 + 1] = dst[x * 4 + 2] = job.row[static_cast<std::size_t>(x)];
        dst[x * 4 + 3] = 255;
      }
    }
    job.sink->rowDone(y);
  }
  // Before the finish, which frees what the check reads. Data that ends only there held every row.
  if (job.err.dataEnded && !ScansComplete(c, job.watch)) {
    std::strcpy(job.err.text, "picture data is incomplete");
    return false;
  }
  jpeg_finish_decompress(&c);
  return true;
}

struct EncodeJob {
  jpeg_compress_struct cinfo{};
  ErrorManager err;
  const Picture* in = nullptr;
  bool greyscale = false;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  std::vector<std::uint8_t> row;
};

bool RunEncode(EncodeJob& job) {
  jpeg_compress_struct& c = job.cinfo;
  if (setjmp(job.err.jump)) return false;
  jpeg_mem_dest(&c, &job.buffer, &job.size);
  c.image_width = static_cast<JDIMENSION>(job.in->width);
  c.image_height = static_cast<JDIMENSION>(job.in->height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  if (job.greyscale) jpeg_set_colorspace(&c, JCS_GRAYSCALE);
  jpeg_set_quality(&c, 100, TRUE);
  c.dct_method = JDCT_FLOAT;
  jpeg_start_compress(&c, TRUE);
  job.row.resize(static_cast<std::size_t>(job.in->width) * 3);
  while (c.next_scanline < c.image_height) {
    const std::uint8_t* src = job.in->pixel(0, static_cast<int>(c.next_scanline));
    for (int x = 0; x < job.in->width; ++x) std::memcpy(job.row.data() + x * 3, src + x * 4, 3);
    JSAMPROW r = job.row.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  return true;
}

}  // namespace

bool DecodeJpegRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error) {
  if (DetectPictureFormat(bytes) != PictureFormat::Jpeg) {
    error = "not a JPEG picture";
    return false;
  }
  DecodeJob job;
  job.bytes = bytes;
  job.sink = &sink;
  InstallErrors(job.err);
  job.cinfo.err = &job.err.pub;
  jpeg_create_decompress(&job.cinfo);
  job.cinfo.mem->max_memory_to_use = static_cast<long>(kMaxDecoderMemory);
  bool ok = false;
  try {
    ok = RunDecode(job);
  } catch (const std::bad_alloc&) {
    std::strcpy(job.err.text, "out of memory");
  }
  jpeg_destroy_decompress(&job.cinfo);
  if (!ok) error = job.err.text[0] ? job.err.text : "bad JPEG data";
  return ok;
}

std::optional<Picture> DecodeJpeg(std::span<const std::uint8_t> bytes, std::string& error) {
  return DecodeWhole(DecodeJpegRows, bytes, error);
}

bool EncodeJpeg(const Picture& picture, bool greyscale, std::vector<std::uint8_t>& out, std::string& error) {
  if (picture.width <= 0 || picture.height <= 0 || picture.width > 65500 || picture.height > 65500) {
    error = "picture size not allowed in JPEG";
    return false;
  }
  EncodeJob job;
  job.in = &picture;
  job.greyscale = greyscale;
  InstallErrors(job.err);
  job.cinfo.err = &job.err.pub;
  jpeg_create_compress(&job.cinfo);
  const bool ok = RunEncode(job);
  jpeg_destroy_compress(&job.cinfo);
  if (ok) out.assign(job.buffer, job.buffer + job.size);
  std::free(job.buffer);
  if (!ok) error = job.err.text[0] ? job.err.text : "JPEG encoding failed";
  return ok;
}

}  // namespace gw
