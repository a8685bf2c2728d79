// Picture import and export engines: size choice, composition on white, the three placements, and the
// exported picture and file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "editor/core/NewImage.h"
#include "editor/core/Palettes.h"
#include "iconfile/core/PictureImport.h"
#include "platform/Alpha.h"
#include "platform/Canvas.h"
#include "../picture/PictureFiles.h"

using namespace gw;
namespace fs = std::filesystem;

namespace {

// A picture whose pixel (x, y) is the opaque colour (x, y, 77).
Picture Ramp(int w, int h) {
  Picture p = Picture::Filled(w, h, 0, 0, 77);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.pixel(x, y)[0] = static_cast<std::uint8_t>(x), p.pixel(x, y)[1] = static_cast<std::uint8_t>(y);
  return p;
}
Color RampColor(int x, int y) { return MakeColor(x & 255, y & 255, 77); }

// The state as the import leaves it just before placing: a new true-colour image of the chosen size.
EditorState NewImageFor(int w, int h, bool doNotScale) {
  EditorState s;
  InitPalettes(s);
  EXPECT_TRUE(StartNewImage(s, kTypeTrueColor, ImportIconSize(w, h)));
  s.DoNotScaleImportedImages = doNotScale;
  return s;
}

bool AllOf(const Bitmap& b, Color c) {
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.pixel(x, y) != c) return false;
  return true;
}

TEST(PictureImport, IconSizeFromTheLargerSide) {
  const int cases[][3] = {{16, 16, 16}, {17, 1, 24}, {56, 56, 56}, {57, 10, 64}, {100, 20, 64}, {1, 1, 16},
                          {10, 57, 64}, {24, 25, 32}, {33, 40, 40}, {41, 2, 48}, {49, 49, 56}, {0, 0, 16}};
  for (const auto& c : cases) EXPECT_EQ(ImportIconSize(c[0], c[1]), c[2]) << c[0] << " x " << c[1];
}

TEST(PictureImport, AlphaIsComposedOntoWhite) {
  Picture p = Picture::Filled(256, 6, 0, 0, 0);
  const int colours[] = {0, 1, 100, 128, 254, 255};
  for (int y = 0; y < 6; ++y)
    for (int a = 0; a < 256; ++a) {
      std::uint8_t* px = p.pixel(a, y);
      px[0] = static_cast<std::uint8_t>(colours[y]), px[1] = 255, px[2] = 0, px[3] = static_cast<std::uint8_t>(a);
    }
  const Bitmap b = ComposeOnWhite(p);
  for (int y = 0; y < 6; ++y)
    for (int a = 0; a < 256; ++a) {
      auto on = [a](int c) { return 255 - a + (c * a + 127) / 255; };
      ASSERT_EQ(b.pixel(a, y), MakeColor(on(colours[y]), on(255), on(0))) << "c " << colours[y] << " a " << a;
    }
}

// The stretch equals the surface's colour-on-colour stretch copy of the whole composed picture, shrinking
// and enlarging (the default mode would AND merged pixels and darken photos).
TEST(PictureImport, StretchEqualsTheStretchCopyOfTheWholePicture) {
  const int sizes[][2] = {{128, 100}, {100, 50}, {17, 1}, {13, 40}, {300, 7}, {64, 64}};
  for (const auto& [w, h] : sizes) {
    Picture p = Ramp(w, h);
    p.pixel(w - 1, h - 1)[3] = 90;  // one translucent pixel
    EditorState s = NewImageFor(w, h, false);
    PlaceImportedPicture(s, SampleForImport(p, s.DoNotScaleImportedImages));
    Bitmap want(s.IconSize, s.IconSize);
    Canvas(want).copyRect(want.bounds(), ComposeOnWhite(p), {0, 0, w, h}, StretchMode::ColorOnColor);
    EXPECT_EQ(s.iconimage, want) << w << " x " << h;
    EXPECT_TRUE(AllOf(s.iconmask, kBlack));
    EXPECT_TRUE(AllOf(s.PlacementMask, kBlack));
    EXPECT_EQ(s.PlacementCanvas.pixel(s.CurrentPlacementRect.left + 3, s.CurrentPlacementRect.top + 2), s.iconimage.pixel(3, 2));
  }
}

TEST(PictureImport, UnscaledSmallPictureSitsTopLeftOnWhite) {
  EditorState s = NewImageFor(20, 10, true);
  ASSERT_EQ(s.IconSize, 24);
  PlaceImportedPicture(s, SampleForImport(Ramp(20, 10), s.DoNotScaleImportedImages));
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) ASSERT_EQ(s.iconimage.pixel(x, y), x < 20 && y < 10 ? RampColor(x, y) : kWhite) << x << "," << y;
  EXPECT_TRUE(AllOf(s.iconmask, kBlack));
}

TEST(PictureImport, UnscaledLargePictureGoesIntoThePlacementCanvas) {
  const struct {
    int w, h;
  } cases[] = {{300, 300}, {300, 20}, {65, 3}};
  for (const auto& c : cases) {
    EditorState s = NewImageFor(c.w, c.h, true);
    ASSERT_EQ(s.IconSize, 64);
    const Color fill = s.PlacementCanvas.pixel(255, 255);
    PlaceImportedPicture(s, SampleForImport(Ramp(c.w, c.h), s.DoNotScaleImportedImages));
    EXPECT_EQ(s.PlacementWindowRect, (Rect{0, 0, 64, 64}));
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        const Color want = x < c.w && y < c.h ? RampColor(x, y) : fill;
        ASSERT_EQ(s.PlacementCanvas.pixel(x, y), want) << c.w << "x" << c.h << " at " << x << "," << y;
        if (x < 64 && y < 64) {
          ASSERT_EQ(s.iconimage.pixel(x, y), want);
        }
      }
    EXPECT_TRUE(AllOf(s.iconmask, kBlack));
    EXPECT_TRUE(AllOf(s.PlacementMask, kBlack));
  }
}

TEST(PictureImport, UnreadableFilesGiveAnError) {
  std::string error;
  EXPECT_FALSE(ReadPictureFile("/no/such/picture.png", error));
  EXPECT_FALSE(error.empty());
  error.clear();
  EXPECT_FALSE(ReadPictureFile("/proc/self", error));  // a folder
  EXPECT_FALSE(error.empty());
  const auto ok = ReadPictureFile(std::string(GLYPHWERK_TEST_DATA) + "/pictures/jpeg_baseline.jpg", error);
  ASSERT_TRUE(ok) << error;
  EXPECT_EQ(ok->width, 23);
}

// A JPEG is sampled while it is decoded; the sample equals the one taken from the whole decoded picture.
TEST(PictureImport, JpegSampledRowByRowEqualsTheWholeDecode) {
  const fs::path file = fs::temp_directory_path() / ("gw-import-" + std::to_string(::getpid()) + ".jpg");
  std::vector<std::uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeJpeg(Ramp(300, 200), false, bytes, error));
  std::FILE* f = std::fopen(file.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  const auto whole = DecodeJpeg(bytes, error);
  ASSERT_TRUE(whole);
  for (const bool doNotScale : {false, true}) {
    const auto sampled = ReadPictureForImport(file.string(), doNotScale, error);
    ASSERT_TRUE(sampled) << error;
    const ImportSample want = SampleForImport(*whole, doNotScale);
    EXPECT_EQ(sampled->width, 300);
    EXPECT_EQ(sampled->kept.width, doNotScale ? 256 : 64);
    EXPECT_EQ(sampled->kept.rgba, want.kept.rgba) << doNotScale;
  }
  bytes.resize(bytes.size() / 2);
  f = std::fopen(file.c_str(), "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
  EXPECT_FALSE(ReadPictureForImport(file.string(), false, error));
  fs::remove(file);
}

// TIFF alpha, stored multiplied by alpha (associated) or not, by ImageMagick and by Pillow, in strips,
// tiles and planes, 8 and 16 bits, RGB and grey: imported, each pixel is its source composed once on white.
TEST(PictureImport, TiffAlphaOfEitherKindIsComposedOnce) {
  const std::pair<const char*, const char*> cases[] = {
      {"tiff_alpha_im.tif", "tiff_alpha.onwhite.ppm"},          {"tiff_alpha_im_assoc.tif", "tiff_alpha.onwhite.ppm"},
      {"tiff_alpha_im16.tif", "tiff_alpha.onwhite.ppm"},        {"tiff_alpha_im_tiled.tif", "tiff_alpha.onwhite.ppm"},
      {"tiff_alpha_im_planar.tif", "tiff_alpha.onwhite.ppm"},   {"tiff_alpha_pillow.tif", "tiff_alpha.onwhite.ppm"},
      {"tiff_alpha_pillow_assoc.tif", "tiff_alpha.onwhite.ppm"}, {"tiff_alpha_grey_pillow.tif", "tiff_alpha_grey.onwhite.ppm"},
      {"tiff_alpha_grey_im_assoc.tif", "tiff_alpha_grey.onwhite.ppm"}, {"tiff_alpha_grey_im16.tif", "tiff_alpha_grey.onwhite.ppm"},
      {"tiff_alpha_grey_im16_assoc.tif", "tiff_alpha_grey.onwhite.ppm"}, {"tiff_alpha_grey_im16_tiled.tif", "tiff_alpha_grey.onwhite.ppm"},
      // Real 16-bit samples (low bytes not the high ones), min-is-white, partial tiles on the right and below.
      {"tiff_alpha_grey16_miniswhite_tiled.tif", "tiff_alpha_grey16_miniswhite.onwhite.ppm"}};
  for (const auto& [file, reference] : cases) {
    std::string error;
    const auto sample = ReadPictureForImport(test::PicturePath(file), true, error);
    ASSERT_TRUE(sample) << file << ": " << error;
    const Bitmap want = ComposeOnWhite(test::ReadPnm(test::PicturePath(reference)));
    ASSERT_GT(want.width(), 0) << reference;
    EXPECT_EQ(ComposeOnWhite(sample->kept), want) << file;
  }
}

// Every format is sampled row by row as it is decoded, or once decoded whole; either way the sample is the
// one taken from the whole decoded picture.
TEST(PictureImport, EveryFormatSamplesLikeTheWholeDecode) {
  for (const char* file : {"png_rgb8.png", "png_interlaced.png", "gif_offset.gif", "tiff_lzw.tif", "bmp_rle4.bmp",
                           "jpeg_progressive.jpg"}) {
    std::string error;
    const auto whole = DecodePicture(test::ReadBytes(test::PicturePath(file)), error);
    ASSERT_TRUE(whole) << file << ": " << error;
    for (const bool doNotScale : {false, true}) {
      const auto sampled = ReadPictureForImport(test::PicturePath(file), doNotScale, error);
      ASSERT_TRUE(sampled) << file << ": " << error;
      EXPECT_EQ(sampled->kept.rgba, SampleForImport(*whole, doNotScale).kept.rgba) << file << " " << doNotScale;
    }
  }
}

// The top-left w x h part of a bitmap.
Bitmap Corner(const Bitmap& b, int w, int h) {
  Bitmap out(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.setPixel(x, y, b.pixel(x, y));
  return out;
}

// What a paste takes from picture bytes: the top-left square, or all of a smaller picture, composed on white.
TEST(PictureCorner, IsTheTopLeftOfTheWholePictureOnWhite) {
  for (const char* file : {"jpeg_baseline.jpg", "jpeg_grey.jpg", "gif_offset.gif", "gif_transparent.gif", "png_rgba.png",
                           "png_interlaced.png", "png_palette.png", "tiff_alpha_im_assoc.tif", "bmp_rle4.bmp"}) {
    const std::vector<std::uint8_t> bytes = test::ReadBytes(test::PicturePath(file));
    std::string error;
    const auto whole = DecodePicture(bytes, error);
    ASSERT_TRUE(whole) << file << ": " << error;
    const Bitmap composed = ComposeOnWhite(*whole);
    for (const int side : {1, 5, 16, 64}) {
      const auto corner = PictureCorner(bytes, side, error);
      ASSERT_TRUE(corner) << file << ": " << error;
      EXPECT_EQ(*corner, Corner(composed, std::min(whole->width, side), std::min(whole->height, side))) << file << " " << side;
    }
  }
  std::string error;
  EXPECT_FALSE(PictureCorner(std::vector<std::uint8_t>{'h', 'e', 'l', 'l', 'o'}, 32, error));
  EXPECT_FALSE(error.empty());
  std::vector<std::uint8_t> cut = test::ReadBytes(test::PicturePath("png_rgb8.png"));
  cut.resize(200);
  EXPECT_FALSE(PictureCorner(cut, 32, error));
}

// A screen capture far larger than Qt decodes (8000 x 6000), made by Pillow: its corner, without the picture
// being held whole.
TEST(PictureCorner, TakesTheCornerOfAPictureOfAHugeScreen) {
  if (std::system("/usr/bin/python3 -c 'import PIL' 2>/dev/null") != 0) GTEST_SKIP() << "no Pillow (scripts/install-deps.sh)";
  const fs::path file = fs::temp_directory_path() / ("gw-huge-" + std::to_string(::getpid()) + ".png");
  const std::string make = "/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.new('RGBA', (8000, 6000), (1, 2, 3, 255)); "
                           "[im.putpixel((x, y), (7 * x, 8 * y, 200, 255 - x)) for y in range(40) for x in range(40)]; "
                           "im.save(sys.argv[1])\" '" + file.string() + "'";
  ASSERT_EQ(std::system(make.c_str()), 0) << make;
  const std::vector<std::uint8_t> bytes = test::ReadBytes(file.string());
  fs::remove(file);
  std::string error;
  const auto corner = PictureCorner(bytes, 32, error);
  ASSERT_TRUE(corner) << error;
  ASSERT_EQ(corner->width(), 32);
  ASSERT_EQ(corner->height(), 32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      ASSERT_EQ(corner->pixel(x, y), MakeColor(ChannelOnWhite(7 * x, 255 - x), ChannelOnWhite(8 * y, 255 - x), ChannelOnWhite(200, 255 - x)))
          << x << "," << y;
}

TEST(PictureExport, NamesAndFormats) {
  const std::pair<const char*, const char*> offered[] = {
      {"my.icon.ico", "my"}, {"/a/b/c.d.ico", "c"}, {"", ""}, {"/x/noext", "noext"}, {"/x.y/z", "z"}};
  for (const auto& [in, out] : offered) EXPECT_EQ(ExportOfferedName(in), out) << in;
  const std::pair<int, ExportFormat> formats[] = {{1, ExportFormat::Jpeg}, {2, ExportFormat::Gif}, {3, ExportFormat::Png},
                                                  {4, ExportFormat::Tiff}, {5, ExportFormat::Bmp}, {0, ExportFormat::Bmp},
                                                  {9, ExportFormat::Bmp}};
  for (const auto& [index, format] : formats) EXPECT_EQ(ExportFormatForFilterIndex(index), format) << index;
}

class ExportFile : public testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("gw-export-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    InitPalettes(s);
  }
  void TearDown() override { fs::remove_all(dir); }
  Picture writeAndRead(ExportFormat f, const std::string& name) {
    std::string error;
    EXPECT_TRUE(ExportPictureFile(s, f, (dir / name).string(), error)) << error;
    const auto p = ReadPictureFile((dir / name).string(), error);
    EXPECT_TRUE(p) << error;
    return p ? *p : Picture{};
  }
  fs::path dir;
  EditorState s;
};

TEST_F(ExportFile, EveryLosslessFormatKeepsTheExactPixels) {
  ASSERT_TRUE(StartNewImage(s, kTypeTrueColor, 40));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) s.iconimage.setPixel(x, y, MakeColor(x % 16 * 16, y % 15 * 16, 99));  // 240 colours
  s.iconimage.setPixel(3, 3, kAqua);  // aqua stays aqua in a true-colour image
  for (const auto f : {ExportFormat::Gif, ExportFormat::Png, ExportFormat::Tiff, ExportFormat::Bmp}) {
    const Picture p = writeAndRead(f, "out" + std::to_string(static_cast<int>(f)));
    ASSERT_EQ(p.width, 40);
    ASSERT_EQ(ComposeOnWhite(p), s.iconimage) << static_cast<int>(f);
  }
}

TEST_F(ExportFile, MonochromeAndCursorImagesWriteAquaAsWhiteAndJpegInGrey) {
  for (const int type : {kTypeMono, kTypeCursor}) {
    ASSERT_TRUE(StartNewImage(s, type, 32));
    s.iconimage.fill(kAqua);
    for (int x = 0; x < 32; ++x) s.iconimage.setPixel(x, 5, kBlack);
    const Picture png = writeAndRead(ExportFormat::Png, "mono.png");
    EXPECT_EQ(ComposeOnWhite(png).pixel(0, 0), kWhite);
    EXPECT_EQ(ComposeOnWhite(png).pixel(0, 5), kBlack);
    std::vector<std::uint8_t> jpeg;
    std::string error;
    ASSERT_TRUE(EncodeExport(s, ExportFormat::Jpeg, jpeg, error)) << error;
    // A greyscale JPEG has one component: its frame header says so.
    bool oneComponent = false;
    for (std::size_t i = 0; i + 9 < jpeg.size(); ++i)
      if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) oneComponent = jpeg[i + 9] == 1;
    EXPECT_TRUE(oneComponent) << type;
  }
}

TEST_F(ExportFile, FormatFollowsTheFilterNotTheNameAndFailuresLeaveNoFile) {
  ASSERT_TRUE(StartNewImage(s, kTypeTrueColor, 16));
  std::string error;
  ASSERT_TRUE(ExportPictureFile(s, ExportFormat::Jpeg, (dir / "named.png").string(), error)) << error;
  std::vector<std::uint8_t> head(3);
  std::FILE* f = std::fopen((dir / "named.png").c_str(), "rb");
  ASSERT_TRUE(f);
  EXPECT_EQ(std::fread(head.data(), 1, 3, f), 3u);
  std::fclose(f);
  EXPECT_EQ(DetectPictureFormat(head), PictureFormat::Jpeg);
  for (const std::string& target : {std::string("/proc/glyphwerk-export.png"), (dir / "missing" / "x.png").string()}) {
    error.clear();
    EXPECT_FALSE(ExportPictureFile(s, ExportFormat::Png, target, error)) << target;
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(target));
  }
  int files = 0;
  for (const auto& e : fs::directory_iterator(dir)) files += e.is_regular_file();
  EXPECT_EQ(files, 1);  // only named.png: no temporary left behind
}

}  // namespace
