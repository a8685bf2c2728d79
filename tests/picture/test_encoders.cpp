// The encoders, judged by other programs: Pillow and ImageMagick read every format back with the exact
// pixels, and the JPEG equals what cjpeg makes of the same pixels at quality 100 with the float DCT.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "PictureFiles.h"
#include "platform/Palette.h"

using namespace gw;
using gw::test::PicturePath;
using gw::test::ReadBytes;
using gw::test::ReadPnm;

namespace {

namespace fs = std::filesystem;

// One scratch folder for the run, removed at exit.
fs::path TempDir() {
  static const struct Scratch {
    fs::path dir = fs::temp_directory_path() / ("gw-encoders-" + std::to_string(::getpid()));
    Scratch() { fs::create_directories(dir); }
    ~Scratch() {
      std::error_code ec;
      fs::remove_all(dir, ec);
    }
  } scratch;
  return scratch.dir;
}

void WriteFile(const fs::path& p, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void WritePpm(const fs::path& p, const Picture& pic) {
  std::vector<std::uint8_t> b;
  const std::string head = "P6\n" + std::to_string(pic.width) + " " + std::to_string(pic.height) + "\n255\n";
  b.assign(head.begin(), head.end());
  for (std::size_t i = 0; i < pic.rgba.size(); i += 4) b.insert(b.end(), pic.rgba.begin() + static_cast<std::ptrdiff_t>(i), pic.rgba.begin() + static_cast<std::ptrdiff_t>(i) + 3);
  WriteFile(p, b);
}

bool Shell(const std::string& command) { return std::system(command.c_str()) == 0; }

// A picture of many colours, one of 3 colours and one of exactly 256, all opaque.
Picture Many() { return ReadPnm(PicturePath("photo.ppm")); }
Picture Few() {
  Picture p = Picture::Filled(9, 5, 0, 0, 0);
  for (int i = 0; i < 45; ++i) p.rgba[static_cast<std::size_t>(i) * 4] = static_cast<std::uint8_t>(i % 3 * 100);
  return p;
}
Picture Exactly256() {
  Picture p = Picture::Filled(16, 16, 0, 0, 0);
  for (int i = 0; i < 256; ++i) {
    p.rgba[static_cast<std::size_t>(i) * 4] = static_cast<std::uint8_t>(i);
    p.rgba[static_cast<std::size_t>(i) * 4 + 1] = static_cast<std::uint8_t>(255 - i);
  }
  return p;
}

void ExpectSameRgb(const Picture& got, const Picture& want, const std::string& what) {
  ASSERT_EQ(got.width, want.width) << what;
  ASSERT_EQ(got.height, want.height) << what;
  for (std::size_t i = 0; i < want.rgba.size(); i += 4)
    for (std::size_t k = 0; k < 3; ++k) ASSERT_EQ(got.rgba[i + k], want.rgba[i + k]) << what << " at pixel " << i / 4;
}

struct Encoder {
  const char* ext;
  std::function<bool(const Picture&, std::vector<std::uint8_t>&, std::string&)> encode;
};

std::vector<Encoder> LosslessEncoders() {
  static const std::vector<Color> greys = [] {
    std::vector<Color> g;
    for (int i = 0; i < 256; ++i) g.push_back(MakeColor(i, i, i));
    return g;
  }();
  return {{"png", EncodePng}, {"tif", EncodeTiff}, {"bmp", EncodeBmp},
          {"gif", [](const Picture& p, auto& out, auto& e) { return EncodeGif(p, greys, out, e); }}};
}

TEST(Encoders, OtherProgramsReadTheExactPixelsBack) {
  if (!Shell("test -x /usr/bin/convert && /usr/bin/python3 -c 'import PIL' 2>/dev/null")) GTEST_SKIP() << "no ImageMagick or Pillow";
  for (const Encoder& e : LosslessEncoders())
    for (const auto& [name, picture] : {std::pair{"few", Few()}, std::pair{"many", Many()}, std::pair{"256", Exactly256()}}) {
      if (std::string(e.ext) == "gif" && std::string(name) == "many") continue;  // over 256 colours: below
      std::vector<std::uint8_t> bytes;
      std::string error;
      ASSERT_TRUE(e.encode(picture, bytes, error)) << error;
      const fs::path file = TempDir() / (std::string(name) + "." + e.ext);
      WriteFile(file, bytes);
      const fs::path byPillow = TempDir() / "pillow.ppm", byMagick = TempDir() / "magick.ppm";
      ASSERT_TRUE(Shell("/usr/bin/python3 -c \"from PIL import Image; Image.open('" + file.string() + "').convert('RGB').save('" +
                      byPillow.string() + "')\""));
      ASSERT_TRUE(Shell("/usr/bin/convert '" + file.string() + "' -depth 8 '" + byMagick.string() + "'"));
      ExpectSameRgb(ReadPnm(byPillow), picture, file.string() + " by Pillow");
      ExpectSameRgb(ReadPnm(byMagick), picture, file.string() + " by ImageMagick");
      // And our own decoder agrees.
      const auto back = DecodePicture(bytes, error);
      ASSERT_TRUE(back) << error;
      ExpectSameRgb(*back, picture, file.string() + " by us");
    }
}

// Over 256 colours a GIF takes each pixel's nearest entry of the palette it is given.
TEST(Encoders, GifOfManyColoursUsesNearestFallbackEntries) {
  const std::vector<Color> fallback = {kBlack, kWhite, MakeColor(255, 0, 0), MakeColor(0, 0, 255)};
  const Picture many = Many();
  std::vector<std::uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(EncodeGif(many, fallback, bytes, error)) << error;
  const auto back = DecodeGif(bytes, error);
  ASSERT_TRUE(back) << error;
  const Palette pal(fallback);
  for (int i = 0; i < many.width * many.height; ++i) {
    const std::uint8_t* s = many.rgba.data() + i * 4;
    const Color want = pal.entry(pal.nearestIndex(MakeColor(s[0], s[1], s[2])));
    const std::uint8_t* g = back->rgba.data() + i * 4;
    ASSERT_EQ(MakeColor(g[0], g[1], g[2]), want) << "pixel " << i;
  }
}

TEST(Encoders, JpegEqualsCjpegAtQuality100FloatDct) {
  if (!Shell("test -x /usr/bin/cjpeg")) GTEST_SKIP() << "no cjpeg";
  for (const bool grey : {false, true}) {
    const Picture picture = Many();
    const fs::path ppm = TempDir() / "source.ppm", theirs = TempDir() / "cjpeg.jpg";
    WritePpm(ppm, picture);
    ASSERT_TRUE(Shell(std::string("/usr/bin/cjpeg -quality 100 -dct float ") + (grey ? "-grayscale " : "") + "'" + ppm.string() +
                    "' > '" + theirs.string() + "'"));
    std::vector<std::uint8_t> ours;
    std::string error;
    ASSERT_TRUE(EncodeJpeg(picture, grey, ours, error)) << error;
    EXPECT_EQ(ours, ReadBytes(theirs.string())) << (grey ? "greyscale" : "colour");
  }
}

TEST(Encoders, EmptyPicturesAreRefused) {
  const Picture empty;
  std::vector<std::uint8_t> out;
  std::string error;
  const std::vector<Color> pal = {kBlack};
  EXPECT_FALSE(EncodeJpeg(empty, false, out, error));
  EXPECT_FALSE(EncodeGif(empty, pal, out, error));
  for (const Encoder& e : LosslessEncoders()) EXPECT_FALSE(e.encode(empty, out, error)) << e.ext;
}

}  // namespace
