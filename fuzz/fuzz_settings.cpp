// The settings file read as start-up reads it, from arbitrary bytes: every key is applied to a fresh editor
// state. Nothing may crash or read outside, and what is applied stays within what the editor can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "editor/core/EditorState.h"
#include "editor/core/Palettes.h"
#include "editor/core/Settings.h"
#include "fuzz/FuzzFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFolder folder;
  static const std::string path = gw::SettingsPathFor(folder.path());
  fuzz::WriteInput(path, data, size);
  gw::EditorState s;
  gw::InitPalettes(s);
  s.SettingsPath = path;
  (void)gw::LoadSettings(s);
  if (s.IconType < gw::kType16Color || s.IconType > gw::kTypeCursor || s.TrueColorGrid.size() != 256) std::abort();
  for (const gw::Color c : s.TrueColorGrid)
    if (c > 0xFFFFFFu) std::abort();
  return 0;
}
