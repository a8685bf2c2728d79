// GIF decoding and encoding through giflib.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <map>

#include "iconfile/picture/Picture.h"
#include "platform/Palette.h"

namespace gw {

namespace {

struct MemoryReader {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

int ReadFromMemory(GifFileType* gif, GifByteType* out, int count) {
  auto* r = static_cast<MemoryReader*>(gif->UserData);
  if (count <= 0) return 0;
  const std::size_t n = std::min(static_cast<std::size_t>(count), r->bytes.size() - r->pos);
  std::memcpy(out, r->bytes.data() + r->pos, n);
  r->pos += n;
  return static_cast<int>(n);
}

int WriteToMemory(GifFileType* gif, const GifByteType* in, int count) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  if (count > 0) out->insert(out->end(), in, in + count);
  return count;
}

struct GifCloser {
  GifFileType* gif = nullptr;
  ~GifCloser() {
    int err = 0;
    if (gif) DGifCloseFile(gif, &err);
  }
};

bool Fail(std::string& error, const char* text) {
  error = text;
  return false;
}

// Reads records up to the first image and hands the rows of the screen of the given size (0: the frame's)
// to the sink: white, with the part of the frame that lies on the screen drawn on it. Frame rows below the
// screen are never decoded (the rows of an interlaced frame up to its last pass are).
bool ReadFirstFrame(GifFileType* gif, int screenWidth, int screenHeight, PictureRowSink& sink, std::string& error) {
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(gif, &type) == GIF_ERROR) return Fail(error, "bad GIF data");
    if (type == TERMINATE_RECORD_TYPE) return Fail(error, "GIF holds no image");
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType* ext = nullptr;
      if (DGifGetExtension(gif, &code, &ext) == GIF_ERROR) return Fail(error, "bad GIF extension");
      if (code == GRAPHICS_EXT_FUNC_CODE && ext && ext[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(ext[0], ext + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (ext) {
        if (DGifGetExtensionNext(gif, &ext) == GIF_ERROR) return Fail(error, "bad GIF extension");
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(gif) == GIF_ERROR) return Fail(error, "bad GIF image header");
    const GifImageDesc& d = gif->Image;
    if (d.Width <= 0 || d.Height <= 0) return Fail(error, "GIF frame is empty");
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif->SColorMap;
    if (!map || !map->Colors || map->ColorCount <= 0) return Fail(error, "GIF has no colour table");
    // The screen's size, or the frame's extent for a screen of size 0.
    const std::int64_t sw = screenWidth > 0 ? screenWidth : std::int64_t{d.Left} + d.Width;
    const std::int64_t sh = screenHeight > 0 ? screenHeight : std::int64_t{d.Top} + d.Height;
    if (!PictureSizeAllowed(sw, sh)) return Fail(error, "picture is too large");
    // The frame rows on the screen, and the rows decoded to reach them: an interlaced frame's first three
    // passes (every even row) come before the odd rows of its last. Their pixels, whole frame rows, stay
    // within a picture's limit, as decoding time does.
    const std::int64_t onScreen = std::clamp<std::int64_t>(sh - d.Top, 0, d.Height);
    const std::int64_t decoded = !d.Interlace || onScreen == 0 ? onScreen : (d.Height + 1) / 2 + onScreen / 2;
    if (decoded * d.Width > kMaxPicturePixels) return Fail(error, "GIF frame is too large");

    const std::int64_t x0 = std::min<std::int64_t>(d.Left, sw), x1 = std::min<std::int64_t>(std::int64_t{d.Left} + d.Width, sw);
    const auto keptWidth = static_cast<std::size_t>(x1 - x0);
    std::vector<GifPixelType> line(static_cast<std::size_t>(d.Width));
    // Draws frame row `indices` (the kept part of it, or nothing) on the white screen row y.
    const auto handRow = [&](int y, const GifPixelType* indices) {
      std::uint8_t* row = sink.row(y);
      std::memset(row, 255, static_cast<std::size_t>(sw) * 4);
      for (std::size_t i = 0; indices && i < keptWidth; ++i) {
        std::uint8_t* px = row + (static_cast<std::size_t>(x0) + i) * 4;
        const int index = indices[i];
        if (index == transparent) {
          px[3] = 0;
        } else if (index < map->ColorCount) {
          px[0] = map->Colors[index].Red;
          px[1] = map->Colors[index].Green;
          px[2] = map->Colors[index].Blue;
        } else {
          px[0] = px[1] = px[2] = 0;
        }
      }
      sink.rowDone(y);
    };
    const auto frameRow = [&](std::int64_t y) { return y >= d.Top && y - d.Top < onScreen; };
    if (!sink.start(static_cast<int>(sw), static_cast<int>(sh))) return Fail(error, "picture refused");
    if (!d.Interlace) {
      for (int y = 0; y < sh; ++y) {
        if (!frameRow(y)) {
          handRow(y, nullptr);
        } else {
          if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return Fail(error, "GIF data is truncated");
          handRow(y, line.data() + (x0 - d.Left));
        }
      }
      return true;
    }
    // Interlaced: the kept part of the frame's rows on the screen, decoded pass by pass, before any row.
    std::vector<GifPixelType> kept(keptWidth * static_cast<std::size_t>(onScreen));
    static constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4 && onScreen > 0; ++pass)
      for (int row = kStart[pass]; row < (pass < 3 ? d.Height : onScreen); row += kStep[pass]) {
        if (DGifGetLine(gif, line.data(), d.Width) == GIF_ERROR) return Fail(error, "GIF data is truncated");
        if (row < onScreen)
          std::copy_n(line.begin() + (x0 - d.Left), keptWidth, kept.begin() + static_cast<std::ptrdiff_t>(keptWidth) * row);
      }
    for (int y = 0; y < sh; ++y)
      handRow(y, frameRow(y) ? kept.data() + keptWidth * static_cast<std::size_t>(y - d.Top) : nullptr);
    return true;
  }
}

}  // namespace

bool DecodeGifRows(std::span<const std::uint8_t> bytes, PictureRowSink& sink, std::string& error) {
  if (DetectPictureFormat(bytes) != PictureFormat::Gif) return Fail(error, "not a GIF picture");
  MemoryReader reader{bytes, 0};
  int err = 0;
  GifCloser closer{DGifOpen(&reader, ReadFromMemory, &err)};
  if (!closer.gif) return Fail(error, "bad GIF header");
  int sw = closer.gif->SWidth, sh = closer.gif->SHeight;
  if (sw > 0 && sh > 0) {
    if (!PictureSizeAllowed(sw, sh)) return Fail(error, "picture is too large");
  } else {
    sw = sh = 0;
  }
  return ReadFirstFrame(closer.gif, sw, sh, sink, error);
}

std::optional<Picture> DecodeGif(std::span<const std::uint8_t> bytes, std::string& error) {
  return DecodeWhole(DecodeGifRows, bytes, error);
}

bool EncodeGif(const Picture& picture, std::span<const Color> fallbackPalette, std::vector<std::uint8_t>& out,
               std::string& error) {
  const int w = picture.width, h = picture.height;
  if (w <= 0 || h <= 0 || w > 65535 || h > 65535) return Fail(error, "picture size not allowed in GIF");
  if (fallbackPalette.empty() || fallbackPalette.size() > 256) return Fail(error, "no palette for GIF");

  // The picture's own colours, in order of first appearance, while there are at most 256.
  std::map<Color, int> own;
  std::vector<Color> colors;
  for (int y = 0; y < h && colors.size() <= 256; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* px = picture.pixel(x, y);
      const Color c = MakeColor(px[0], px[1], px[2]);
      if (own.emplace(c, static_cast<int>(colors.size())).second) {
        colors.push_back(c);
        if (colors.size() > 256) break;
      }
    }
  const bool useOwn = colors.size() <= 256;
  const Palette fallback(fallbackPalette);
  if (!useOwn) colors.assign(fallbackPalette.begin(), fallbackPalette.end());

  int mapSize = 2;
  while (mapSize < static_cast<int>(colors.size())) mapSize *= 2;
  ColorMapObject* map = GifMakeMapObject(mapSize, nullptr);
  if (!map) return Fail(error, "out of memory");
  for (int i = 0; i < mapSize; ++i) {
    const Color c = i < static_cast<int>(colors.size()) ? colors[static_cast<std::size_t>(i)] : kBlack;
    map->Colors[i] = {static_cast<GifByteType>(RedOf(c)), static_cast<GifByteType>(GreenOf(c)),
                      static_cast<GifByteType>(BlueOf(c))};
  }

  out.clear();
  int err = 0;
  GifFileType* gif = EGifOpen(&out, WriteToMemory, &err);
  bool ok = gif != nullptr;
  if (ok) ok = EGifPutScreenDesc(gif, w, h, 8, 0, map) == GIF_OK && EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_OK;
  std::vector<GifPixelType> line(static_cast<std::size_t>(w));
  for (int y = 0; ok && y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const std::uint8_t* px = picture.pixel(x, y);
      const Color c = MakeColor(px[0], px[1], px[2]);
      line[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(useOwn ? own[c] : fallback.nearestIndex(c));
    }
    ok = EGifPutLine(gif, line.data(), w) == GIF_OK;
  }
  if (gif && EGifCloseFile(gif, &err) == GIF_ERROR) ok = false;
  GifFreeMapObject(map);
  if (!ok) return Fail(error, "GIF encoding failed");
  return true;
}

}  // namespace gw
