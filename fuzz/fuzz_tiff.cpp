// The TIFF decoder on arbitrary bytes: it must return a picture or an error, never crash or read outside.
#include <cstddef>
#include <cstdint>
#include <string>

#include "iconfile/picture/Picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string error;
  (void)gw::DecodeTiff({data, size}, error);
  return 0;
}
