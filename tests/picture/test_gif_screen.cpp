// A GIF frame on logical screens of every size: the part of the frame on the screen is drawn, the rest of
// the screen is white, and a screen of size 0 takes the frame's extent.
#include <gtest/gtest.h>

#include "PictureFiles.h"

using namespace gw;
using gw::test::PicturePath;
using gw::test::ReadBytes;

namespace {

// The top-left w x h of a picture.
Picture Crop(const Picture& p, int w, int h) {
  Picture c = Picture::Filled(w, h, 0, 0, 0);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) std::copy_n(p.pixel(x, y), 4, c.pixel(x, y));
  return c;
}

TEST(GifScreen, ShowsThePartOfTheFrameOnIt) {
  // A 21 x 11 frame at (4, 3) on a 30 x 20 screen.
  const std::vector<std::uint8_t> file = ReadBytes(PicturePath("gif_offset.gif"));
  std::string error;
  const auto whole = DecodeGif(file, error);
  ASSERT_TRUE(whole) << error;
  struct Case {
    int screenW, screenH, w, h;
  } const cases[] = {{30, 20, 30, 20}, {10, 8, 10, 8}, {25, 14, 25, 14}, {4, 3, 4, 3},
                     {2, 40, 2, 40},   {0, 0, 25, 14}, {0, 9, 25, 14}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.screenW << " x " << c.screenH);
    std::vector<std::uint8_t> bytes = file;
    bytes[6] = static_cast<std::uint8_t>(c.screenW), bytes[8] = static_cast<std::uint8_t>(c.screenH);
    const auto p = DecodeGif(bytes, error);
    ASSERT_TRUE(p) << error;
    ASSERT_EQ(p->width, c.w);
    ASSERT_EQ(p->height, c.h);
    // Below and right of the 30 x 20 screen the frame is not, so those pixels are white.
    const Picture expected = Crop(*whole, std::min(c.w, 30), std::min(c.h, 20));
    for (int y = 0; y < c.h; ++y)
      for (int x = 0; x < c.w; ++x) {
        const std::uint8_t white[4] = {255, 255, 255, 255};
        const std::uint8_t* want = x < expected.width && y < expected.height ? expected.pixel(x, y) : white;
        ASSERT_TRUE(std::equal(want, want + 4, p->pixel(x, y))) << x << ", " << y;
      }
  }
}

// A frame cut short is refused, whatever the screen it would be drawn on.
TEST(GifScreen, FrameDataCutShortIsRefused) {
  const std::vector<std::uint8_t> file = ReadBytes(PicturePath("gif_offset.gif"));
  for (const int screen : {0, 30, 2000}) {
    std::vector<std::uint8_t> bytes(file.begin(), file.end() - 12);
    bytes[6] = bytes[8] = static_cast<std::uint8_t>(screen & 0xFF);
    bytes[7] = bytes[9] = static_cast<std::uint8_t>(screen >> 8);
    std::string error;
    EXPECT_FALSE(DecodeGif(bytes, error)) << screen;
    EXPECT_EQ(error, "GIF data is truncated") << screen;
  }
}

}  // namespace
