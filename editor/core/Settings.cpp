// The settings file.
#include "editor/core/Settings.h"

#include <array>
#include <cstdint>
#include <exception>
#include <vector>

#include "editor/core/PaletteSection.h"
#include "platform/IniFile.h"
#include "platform/TextToInt.h"

namespace gw {

namespace {

const char* const kSectionOthers = "Others";
const char* const kSectionFormSize = "Form Size";
const char* const kKeyIconType = "Icon Type";
const char* const kKeyIconSize = "Icon Size";
const char* const kKeyRightButtonEraser = "Right Button Eraser";
const char* const kKeyHints = "Hints";
const char* const kKeyDoNotScale = "Do Not Scale Imported Images";
const char* const kKeyWidth = "Width";
const char* const kKeyHeight = "Height";

constexpr std::array<const char*, 5> kTypeNames = {"16 Color Icon", "256 Color Icon", "True Color Icon",
                                                   "MonoChrome Icon", "Cursor"};

// Leading and trailing blanks and control characters go.
std::string Trim(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}


// The stored name of a type; a type outside 0 ... 3 is stored as "Cursor".
std::string StoredTypeName(int iconType) {
  if (iconType >= 0 && iconType <= 3) return kTypeNames[static_cast<std::size_t>(iconType)];
  return kTypeNames[4];
}

}  // namespace

std::string SettingsPathFor(const std::string& programFolder) {
  if (programFolder.empty()) return kSettingsFileName;
  const char last = programFolder.back();
  if (last == '/' || last == '\\') return programFolder + kSettingsFileName;
  return programFolder + "/" + kSettingsFileName;
}

int IconTypeFromName(const std::string& text) {
  const std::string name = Trim(text);
  for (std::size_t i = 0; i < kTypeNames.size(); ++i)
    if (name == kTypeNames[i]) return static_cast<int>(i);
  return kTypeTrueColor;
}


WindowSize LoadSettings(EditorState& s) {
  const IniFile ini(s.SettingsPath);

  s.DoNotScaleImportedImages = ini.readBool(kSectionOthers, kKeyDoNotScale, false);
  s.ShowHints = ini.readBool(kSectionOthers, kKeyHints, true);
  s.RightButtonEraser = ini.readBool(kSectionOthers, kKeyRightButtonEraser, false);

  s.IconType = IconTypeFromName(ini.readString(kSectionOthers, kKeyIconType, ""));

  // No range check: a size that is not one of the seven makes a 16 x 16 image at the first new image.
  const std::string sizeText = Trim(ini.readString(kSectionOthers, kKeyIconSize, ""));
  int size = 32;
  if (!sizeText.empty()) size = TextToInt(sizeText).value_or(32);
  s.IconSize = size;

  LoadColorPaletteSection(ini, s.TrueColorGrid);

  WindowSize size2;
  size2.width = ini.readInteger(kSectionFormSize, kKeyWidth, kDefaultFormWidth);
  size2.height = ini.readInteger(kSectionFormSize, kKeyHeight, kDefaultFormHeight);
  return size2;
}

WindowSize CheckedWindowSize(WindowSize stored, WindowSize minimum, WindowSize maximum) {
  const auto side = [](int value, int least, int most, int fallback) {
    return value >= least && value <= most ? value : fallback;
  };
  return {side(stored.width, minimum.width, maximum.width, kDefaultFormWidth),
          side(stored.height, minimum.height, maximum.height, kDefaultFormHeight)};
}

std::optional<std::string> SaveSettings(const EditorState& s) {
  try {
    IniFile ini(s.SettingsPath);
    ini.writeString(kSectionOthers, kKeyIconType, StoredTypeName(s.IconType));
    ini.writeInteger(kSectionOthers, kKeyIconSize, s.IconSize);
    ini.writeBool(kSectionOthers, kKeyRightButtonEraser, s.RightButtonEraser);
    ini.writeBool(kSectionOthers, kKeyHints, s.ShowHints);
    ini.writeBool(kSectionOthers, kKeyDoNotScale, s.DoNotScaleImportedImages);
    WriteColorPaletteSection(ini, s.TrueColorGrid);
    ini.flush();
  } catch (const std::exception& e) {
    return std::string(e.what());
  }
  return std::nullopt;
}

void FormResize(const EditorState& s, int width, int height) {
  if (s.Creating) return;
  try {
    IniFile ini(s.SettingsPath);
    ini.writeInteger(kSectionFormSize, kKeyWidth, width);
    ini.writeInteger(kSectionFormSize, kKeyHeight, height);
    ini.flush();
  } catch (const std::exception&) {
    // A settings file that cannot be written during a resize is not worth a message.
  }
}

bool ShowHintsClick(EditorState& s) {
  s.ShowHints = !s.ShowHints;
  return s.ShowHints;
}

bool UserightmousebuttonasanEraserClick(EditorState& s) {
  s.RightButtonEraser = !s.RightButtonEraser;
  return s.RightButtonEraser;
}

}  // namespace gw
