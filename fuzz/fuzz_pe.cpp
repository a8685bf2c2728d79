// The program-file reader and the icon drawing on arbitrary bytes: a file's icons are listed and drawn (the
// reader takes the bytes by position through MemoryBytes, as it takes a file's through FileBytes), and the
// bytes are drawn as one icon payload too; nothing may crash or read outside.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "iconfile/core/ExeIconDraw.h"
#include "iconfile/core/PeResources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const gw::PeResources file(bytes);
  gw::Bitmap cell;
  for (int i = 0; i < std::min(file.IconCount(), 64); ++i) gw::DrawProgramFileIcon(file, i, cell);
  gw::DrawIconPayload(bytes, cell);
  return 0;
}
