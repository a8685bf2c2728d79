// The BMP decoder on arbitrary bytes: it must return a picture or an error, never crash or read outside; and
// Import and Paste, which decode the same bytes row by row keeping only what they use, must keep what the
// whole decode gives.
#include <cstddef>
#include <cstdint>

#include "fuzz/PictureSampling.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return fuzz::FuzzPicture(data, size, gw::DecodeBmp, gw::PictureFormat::Bmp);
}
