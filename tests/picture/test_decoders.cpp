// The decoders on pictures written by other programs (see tests/data/pictures/make.sh), and on broken ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "PictureFiles.h"

using namespace gw;
using gw::test::PicturePath;
using gw::test::ReadBytes;
using gw::test::ReadPnm;

namespace {

struct Case {
  const char* file;
  const char* reference;
};
std::ostream& operator<<(std::ostream& os, const Case& c) { return os << c.file; }

class DecodesLikeReference : public testing::TestWithParam<Case> {};

TEST_P(DecodesLikeReference, EveryPixel) {
  const Case& c = GetParam();
  std::string error;
  const auto picture = DecodePicture(ReadBytes(PicturePath(c.file)), error);
  ASSERT_TRUE(picture) << error;
  const Picture want = ReadPnm(PicturePath(c.reference));
  ASSERT_GT(want.width, 0);
  ASSERT_EQ(picture->width, want.width);
  ASSERT_EQ(picture->height, want.height);
  for (int y = 0; y < want.height; ++y)
    for (int x = 0; x < want.width; ++x)
      for (int k = 0; k < 4; ++k)
        ASSERT_EQ(picture->pixel(x, y)[k], want.pixel(x, y)[k]) << "at " << x << "," << y << " channel " << k;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DecodesLikeReference,
    testing::Values(
        // JPEG: byte for byte what djpeg -dct float gives.
        Case{"jpeg_baseline.jpg", "jpeg_baseline.djpeg.ppm"}, Case{"jpeg_444.jpg", "jpeg_444.djpeg.ppm"},
        Case{"jpeg_progressive.jpg", "jpeg_progressive.djpeg.ppm"}, Case{"jpeg_restart.jpg", "jpeg_restart.djpeg.ppm"},
        Case{"jpeg_grey.jpg", "jpeg_grey.djpeg.pgm"}, Case{"jpeg_extraneous.jpg", "jpeg_extraneous.djpeg.ppm"},
        Case{"gif_plain.gif", "pal200.ppm"}, Case{"gif_interlaced.gif", "pal200.ppm"},
        Case{"gif_animated.gif", "pal16.ppm"},
        Case{"png_rgb8.png", "photo.ppm"}, Case{"png_rgb16.png", "photo.ppm"}, Case{"png_palette.png", "pal200.ppm"},
        Case{"png_grey1.png", "png_grey1.ppm"}, Case{"png_grey8.png", "png_grey8.ppm"},
        Case{"png_grey4.png", "png_grey4.ppm"}, Case{"png_grey16.png", "png_grey8.ppm"},
        Case{"png_interlaced.png", "photo.ppm"},
        Case{"tiff_none.tif", "photo.ppm"}, Case{"tiff_lzw.tif", "photo.ppm"}, Case{"tiff_deflate.tif", "photo.ppm"},
        Case{"tiff_packbits.tif", "photo.ppm"}, Case{"tiff_tiled.tif", "photo.ppm"}, Case{"tiff_pillow.tif", "photo.ppm"},
        Case{"tiff_twopages.tif", "photo.ppm"}, Case{"tiff_palette.tif", "pal16.ppm"}, Case{"tiff_grey.tif", "tiff_grey.ppm"},
        Case{"bmp_1bit.bmp", "pal2.ppm"}, Case{"bmp_4bit.bmp", "pal16.ppm"}, Case{"bmp_8bit.bmp", "pal200.ppm"},
        Case{"bmp_rle8.bmp", "pal200.ppm"}, Case{"bmp_24bit.bmp", "photo.ppm"}, Case{"bmp_core24.bmp", "photo.ppm"},
        Case{"bmp_pillow24.bmp", "photo.ppm"}, Case{"bmp_topdown.bmp", "photo.ppm"},
        Case{"bmp_v4_32bit.bmp", "photo.ppm"}, Case{"bmp_v5_32bit.bmp", "photo.ppm"},
        Case{"bmp_16bit_rgb.bmp", "photo555.ppm"}, Case{"bmp_16bit555.bmp", "bmp_16bit555.ppm"},
        Case{"bmp_16bit565.bmp", "bmp_16bit565.ppm"}),
    [](const testing::TestParamInfo<Case>& param) {
      std::string name = param.param.file;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

std::optional<Picture> DecodeFile(const char* name) {
  std::string error;
  auto p = DecodePicture(ReadBytes(PicturePath(name)), error);
  EXPECT_TRUE(p) << name << ": " << error;
  return p;
}

TEST(Decoders, TransparencyAndPlacementOfOtherFormats) {
  const Picture pal16 = ReadPnm(PicturePath("pal16.ppm"));
  auto same = [](const std::uint8_t* a, const std::uint8_t* b) { return std::equal(a, a + 4, b); };

  // A GIF frame at (4, 3) on a 30 x 20 white screen.
  const auto offset = DecodeFile("gif_offset.gif");
  ASSERT_TRUE(offset);
  ASSERT_EQ(offset->width, 30);
  ASSERT_EQ(offset->height, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 30; ++x) {
      const bool inside = x >= 4 && x < 25 && y >= 3 && y < 14;
      const std::uint8_t white[4] = {255, 255, 255, 255};
      EXPECT_TRUE(same(offset->pixel(x, y), inside ? pal16.pixel(x - 4, y - 3) : white)) << x << "," << y;
    }

  // The transparent index (the colour of (0, 0)) comes out white with alpha 0, every other pixel as it is.
  const auto transparent = DecodeFile("gif_transparent.gif");
  ASSERT_TRUE(transparent);
  for (int y = 0; y < pal16.height; ++y)
    for (int x = 0; x < pal16.width; ++x) {
      const bool clear = same(pal16.pixel(x, y), pal16.pixel(0, 0));
      const std::uint8_t white0[4] = {255, 255, 255, 0};
      EXPECT_TRUE(same(transparent->pixel(x, y), clear ? white0 : pal16.pixel(x, y))) << x << "," << y;
    }

  // RLE4: runs, absolute runs, a delta; the pixels the delta skips are transparent.
  const auto rle4 = DecodeFile("bmp_rle4.bmp");
  const Picture want = ReadPnm(PicturePath("bmp_rle4.ppm"));
  ASSERT_TRUE(rle4);
  for (int y = 0; y < want.height; ++y)
    for (int x = 0; x < want.width; ++x) {
      const bool skipped = y == 1 && x >= 4;
      EXPECT_EQ(rle4->pixel(x, y)[3], skipped ? 0 : 255) << x << "," << y;
      if (!skipped) {
        EXPECT_TRUE(std::equal(want.pixel(x, y), want.pixel(x, y) + 3, rle4->pixel(x, y))) << x << "," << y;
      }
    }

  // PNG alpha and grey with alpha keep their values.
  const auto rgba = DecodeFile("png_rgba.png");
  ASSERT_TRUE(rgba);
  EXPECT_EQ(std::vector<std::uint8_t>(rgba->rgba.begin(), rgba->rgba.begin() + 8),
            (std::vector<std::uint8_t>{200, 100, 50, 0, 200, 100, 50, 1}));
  const auto la = DecodeFile("png_greyalpha.png");
  ASSERT_TRUE(la);
  EXPECT_EQ(la->rgba, (std::vector<std::uint8_t>{100, 100, 100, 50, 30, 30, 30, 255}));
}

TEST(Decoders, CmykJpegIsConverted) {
  const auto p = DecodeFile("jpeg_cmyk.jpg");
  ASSERT_TRUE(p);
  ASSERT_EQ(p->width, 32);
  const int bands[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  for (int b = 0; b < 4; ++b)
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(p->pixel(b * 8 + 4, 4)[k], bands[b][k], 4) << "band " << b;
}

TEST(Decoders, FormatComesFromContent) {
  const struct {
    const char* file;
    PictureFormat format;
  } cases[] = {{"jpeg_baseline.jpg", PictureFormat::Jpeg}, {"gif_plain.gif", PictureFormat::Gif},
               {"png_rgb8.png", PictureFormat::Png},       {"tiff_lzw.tif", PictureFormat::Tiff},
               {"tiff_twopages.tif", PictureFormat::Tiff}, {"bmp_core24.bmp", PictureFormat::Bmp},
               {"photo.ppm", PictureFormat::Unknown}};
  for (const auto& c : cases) EXPECT_EQ(DetectPictureFormat(ReadBytes(PicturePath(c.file))), c.format) << c.file;
}

// Every prefix of every committed picture, and copies with bytes flipped, give a picture or an error; the
// sanitizer build is what judges the rest. A truncated JPEG, GIF, PNG or BMP is refused.
TEST(Decoders, BrokenPicturesNeverCrash) {
  for (const char* name : {"jpeg_baseline.jpg", "jpeg_progressive.jpg", "gif_interlaced.gif", "png_rgb8.png",
                           "tiff_lzw.tif", "tiff_tiled.tif", "bmp_rle8.bmp", "bmp_rle4.bmp", "bmp_v5_32bit.bmp",
                           "bmp_4bit.bmp"}) {
    const std::vector<std::uint8_t> whole = ReadBytes(PicturePath(name));
    for (std::size_t n = 0; n < whole.size(); n += 1 + n / 16) {
      std::string error;
      const auto p = DecodePicture(std::span(whole).first(n), error);
      if (!p) {
        EXPECT_FALSE(error.empty());
      }
    }
    std::string error;
    if (DetectPictureFormat(whole) != PictureFormat::Tiff) {
      EXPECT_FALSE(DecodePicture(std::span(whole).first(whole.size() * 3 / 4), error)) << name;
    }
    for (std::size_t i = 0; i < whole.size(); i += 7) {
      std::vector<std::uint8_t> bent = whole;
      bent[i] ^= 0x5A;
      (void)DecodePicture(bent, error);
    }
  }
}

// Files cut short. Without only what follows the pixels (a JPEG's end marker, a PNG's IEND or the check
// values after its image data) a picture is whole and decodes as the whole file does; cut anywhere in its
// pixels (mid-scan, before a later scan, mid-IDAT, in an interlaced picture's last pass) it is refused.
struct Cut {
  const char* file;
  const char* how;
  std::function<std::size_t(const std::vector<std::uint8_t>&)> keep;  // how many bytes stay
  const char* reference;                                               // nullptr: refused
};
std::ostream& operator<<(std::ostream& os, const Cut& c) { return os << c.file << " " << c.how; }

std::function<std::size_t(const std::vector<std::uint8_t>&)> DropLast(std::size_t n) {
  return [n](const std::vector<std::uint8_t>& b) { return b.size() - n; };
}
// Up to `back` bytes before the last occurrence of `mark`.
std::function<std::size_t(const std::vector<std::uint8_t>&)> BeforeLast(std::string mark, std::size_t back = 0) {
  return [mark, back](const std::vector<std::uint8_t>& b) {
    const auto same = [](std::uint8_t x, char y) { return x == static_cast<std::uint8_t>(y); };
    const auto at = std::find_end(b.begin(), b.end(), mark.begin(), mark.end(), same);
    EXPECT_NE(at, b.end()) << mark;
    return static_cast<std::size_t>(at - b.begin()) - back;
  };
}
std::function<std::size_t(const std::vector<std::uint8_t>&)> Fraction(double f) {
  return [f](const std::vector<std::uint8_t>& b) { return static_cast<std::size_t>(static_cast<double>(b.size()) * f); };
}
const std::string kSos = "\xFF\xDA";

class CutShort : public testing::TestWithParam<Cut> {};

TEST_P(CutShort, WholePixelsDecodeAndMissingOnesAreRefused) {
  const Cut& c = GetParam();
  std::vector<std::uint8_t> bytes = ReadBytes(PicturePath(c.file));
  ASSERT_FALSE(bytes.empty());
  bytes.resize(c.keep(bytes));
  std::string error;
  const auto picture = DecodePicture(bytes, error);
  if (!c.reference) {
    EXPECT_FALSE(picture);
    EXPECT_FALSE(error.empty());
    return;
  }
  ASSERT_TRUE(picture) << error;
  const Picture want = ReadPnm(PicturePath(c.reference));
  ASSERT_GT(want.width, 0);
  EXPECT_EQ(picture->width, want.width);
  EXPECT_EQ(picture->rgba, want.rgba);
}

INSTANTIATE_TEST_SUITE_P(
    Files, CutShort,
    testing::Values(
        Cut{"jpeg_baseline.jpg", "no end marker", DropLast(2), "jpeg_baseline.djpeg.ppm"},
        Cut{"jpeg_baseline.jpg", "half an end marker", DropLast(1), "jpeg_baseline.djpeg.ppm"},
        Cut{"jpeg_progressive.jpg", "no end marker", DropLast(2), "jpeg_progressive.djpeg.ppm"},
        Cut{"jpeg_restart.jpg", "no end marker", DropLast(2), "jpeg_restart.djpeg.ppm"},
        Cut{"jpeg_multiscan.jpg", "no end marker", DropLast(2), "jpeg_multiscan.djpeg.ppm"},
        Cut{"jpeg_grey.jpg", "no end marker", DropLast(2), "jpeg_grey.djpeg.pgm"},
        Cut{"jpeg_baseline.jpg", "mid-scan", Fraction(0.8), nullptr},
        Cut{"jpeg_baseline.jpg", "in the last blocks", DropLast(20), nullptr},
        Cut{"jpeg_restart.jpg", "mid-scan", Fraction(0.8), nullptr},
        Cut{"jpeg_progressive.jpg", "before the last scan", BeforeLast(kSos), nullptr},
        Cut{"jpeg_progressive.jpg", "in the last scan", DropLast(12), nullptr},
        Cut{"jpeg_multiscan.jpg", "before the last component's scan", BeforeLast(kSos), nullptr},
        Cut{"png_rgb8.png", "no IEND", BeforeLast("IEND", 4), "photo.ppm"},
        Cut{"png_rgb8.png", "no IEND check value", DropLast(4), "photo.ppm"},
        Cut{"png_rgb8.png", "no IDAT check value", BeforeLast("IEND", 8), "photo.ppm"},
        Cut{"png_interlaced.png", "no IEND", BeforeLast("IEND", 4), "photo.ppm"},
        Cut{"png_palette.png", "no IEND", BeforeLast("IEND", 4), "pal200.ppm"},
        Cut{"png_rgb8.png", "mid-IDAT", Fraction(0.6), nullptr},
        Cut{"png_rgb8.png", "in the last row", BeforeLast("IEND", 30), nullptr},
        Cut{"png_interlaced.png", "in the last pass", BeforeLast("IEND", 30), nullptr}),
    [](const testing::TestParamInfo<Cut>& param) {
      std::string name = std::string(param.param.file) + "_" + param.param.how;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

// Headers that announce pictures beyond the limits are refused before any pixel memory is taken.
TEST(Decoders, HugePicturesAreRefused) {
  std::vector<std::uint8_t> bmp = ReadBytes(PicturePath("bmp_24bit.bmp"));
  bmp[18] = 0x01, bmp[19] = 0x90, bmp[20] = 0, bmp[21] = 0;  // width 36865
  std::vector<std::uint8_t> gif = ReadBytes(PicturePath("gif_plain.gif"));
  gif[6] = 0xFF, gif[7] = 0xFF, gif[8] = 0xFF, gif[9] = 0xFF;  // 65535 x 65535 screen
  std::vector<std::uint8_t> jpeg = ReadBytes(PicturePath("jpeg_baseline.jpg"));
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // SOF0: height and width 20000 x 20000
      jpeg[i + 5] = 0x4E, jpeg[i + 6] = 0x20, jpeg[i + 7] = 0x4E, jpeg[i + 8] = 0x20;
      break;
    }
  for (const auto* bytes : {&bmp, &gif, &jpeg}) {
    std::string error;
    EXPECT_FALSE(DecodePicture(*bytes, error));
    EXPECT_EQ(error, "picture is too large") << error;
  }
  std::string error;
  EXPECT_FALSE(DecodePicture(std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'}, error));
  EXPECT_TRUE(PictureSizeAllowed(6000, 4000));
  EXPECT_FALSE(PictureSizeAllowed(32769, 1));
  EXPECT_FALSE(PictureSizeAllowed(15000, 10001));
  EXPECT_FALSE(PictureSizeAllowed(0, 5));
}

}  // namespace
