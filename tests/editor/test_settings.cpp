// The settings file: defaults, the reading rules of each key, the written file, and write failures.
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "editor/core/Palettes.h"
#include "editor/core/Settings.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (fs::temp_directory_path() / "gw-settings-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    dir = tmpl;
    InitPalettes(s);
    s.Creating = true;
    s.IconSize = 32;
    s.SettingsPath = SettingsPathFor(dir.string());
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, ec);
    fs::remove_all(dir, ec);
  }
  void WriteFile(const std::string& text) { std::ofstream(s.SettingsPath) << text; }
  std::vector<std::string> FileLines() const {
    std::ifstream in(s.SettingsPath);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) {
      if (!l.empty() && l.back() == '\r') l.pop_back();
      if (!l.empty()) lines.push_back(l);
    }
    return lines;
  }
  // A "Color Palette" section of n keys named key<i>, each holding the value i.
  static std::string PaletteSection(int n) {
    std::ostringstream out;
    out << "[Color Palette]\n";
    for (int i = 0; i < n; ++i) out << "key" << i << "=" << i << "\n";
    return out.str();
  }

  fs::path dir;
  EditorState s;
};

TEST_F(SettingsTest, PathIsBesideTheProgram) {
  EXPECT_EQ(SettingsPathFor("/opt/gw/app/"), "/opt/gw/app/glyphwerk.ini");
  EXPECT_EQ(SettingsPathFor("/opt/gw/app"), "/opt/gw/app/glyphwerk.ini");
}

TEST_F(SettingsTest, NoFileGivesEveryDefault) {
  s.ShowHints = false;
  s.RightButtonEraser = true;
  s.DoNotScaleImportedImages = true;
  s.IconType = kTypeMono;
  s.IconSize = 0;
  const WindowSize w = LoadSettings(s);
  EXPECT_EQ(s.IconType, kTypeTrueColor);
  EXPECT_EQ(s.IconSize, 32);
  EXPECT_TRUE(s.ShowHints);
  EXPECT_FALSE(s.RightButtonEraser);
  EXPECT_FALSE(s.DoNotScaleImportedImages);
  EXPECT_EQ(s.TrueColorGrid, s.DefaultColors256);
  EXPECT_EQ(w.width, 690);
  EXPECT_EQ(w.height, 575);
  EXPECT_FALSE(fs::exists(s.SettingsPath));  // reading creates nothing
}

TEST_F(SettingsTest, IconTypeIsTrimmedThenMatchedExactly) {
  const std::pair<const char*, int> cases[] = {
      {"16 Color Icon", 0},   {"256 Color Icon", 1}, {"True Color Icon", 2}, {"MonoChrome Icon", 3},
      {"Cursor", 4},          {"   Cursor\t", 4},    {"cursor", 2},          {"Monochrome Icon", 2},
      {"16 color icon", 2},   {"", 2},               {"4", 2},               {"Cursor Icon", 2}};
  for (const auto& [text, type] : cases) {
    SCOPED_TRACE(text);
    EXPECT_EQ(IconTypeFromName(text), type);
  }
  WriteFile("[Others]\nIcon Type=   Cursor   \n");
  LoadSettings(s);
  EXPECT_EQ(s.IconType, kTypeCursor);
  WriteFile("[Others]\nIcon Type=MONOCHROME ICON\n");
  LoadSettings(s);
  EXPECT_EQ(s.IconType, kTypeTrueColor);
}

TEST_F(SettingsTest, IconSizeIsTakenWithoutRangeCheck) {
  const std::pair<const char*, int> cases[] = {{"40", 40}, {"100", 100}, {" 48 ", 48}, {"", 32}, {"-8", -8}};
  for (const auto& [text, size] : cases) {
    SCOPED_TRACE(text);
    WriteFile(std::string("[Others]\nIcon Size=") + text + "\n");
    LoadSettings(s);
    EXPECT_EQ(s.IconSize, size);
  }
}

TEST_F(SettingsTest, IconSizeThatIsNotANumberGives32AndTheRestIsStillRead) {
  WriteFile("[Others]\nIcon Size=big\nIcon Type=256 Color Icon\n[Form Size]\nWidth=800\nHeight=600\n" +
            PaletteSection(256));
  const WindowSize w = LoadSettings(s);
  EXPECT_EQ(s.IconSize, 32);
  EXPECT_EQ(s.IconType, kType256Color);
  EXPECT_EQ(s.TrueColorGrid[200], 200u);
  EXPECT_EQ(w.width, 800);
  EXPECT_EQ(w.height, 600);
}

TEST_F(SettingsTest, OptionsAndWindowSizeReadAsIntegers) {
  WriteFile("[Others]\nHints=0\nRight Button Eraser=2\nDo Not Scale Imported Images=yes\n"
            "[Form Size]\nWidth=0x300\nHeight=tall\n");
  const WindowSize w = LoadSettings(s);
  EXPECT_FALSE(s.ShowHints);
  EXPECT_TRUE(s.RightButtonEraser);
  EXPECT_FALSE(s.DoNotScaleImportedImages);  // not a number: the default
  EXPECT_EQ(w.width, 768);
  EXPECT_EQ(w.height, 575);
}

TEST_F(SettingsTest, ColorPaletteNeedsExactly256Lines) {
  for (int n : {255, 257, 0, 1}) {
    SCOPED_TRACE(n);
    WriteFile(PaletteSection(n));
    LoadSettings(s);
    EXPECT_EQ(s.TrueColorGrid, s.DefaultColors256);
  }
  // 256 keys under any names fill slots 0 ... 255 in file order.
  std::ostringstream out;
  out << "[Color Palette]\n";
  for (int i = 0; i < 256; ++i) out << "Color-" << (255 - i) << "=" << (1000 + i) << "\n";
  WriteFile(out.str());
  LoadSettings(s);
  for (int i = 0; i < 256; ++i) ASSERT_EQ(s.TrueColorGrid[static_cast<size_t>(i)], static_cast<Color>(1000 + i));
}

TEST_F(SettingsTest, ColourValuesOutsideTheColourRangeKeepTheirSlot) {
  std::ostringstream out;
  out << "[Color Palette]\n";
  const char* special[] = {"255", "16777216", "red", "-1", "16777215", "0", "-16777216", "0xFF00", "$FF", "99999999999"};
  for (int i = 0; i < 256; ++i) out << "Color-" << i << "=" << (i < 10 ? special[i] : "12") << "\n";
  WriteFile(out.str());
  LoadSettings(s);
  const auto& g = s.TrueColorGrid;
  const auto& d = s.DefaultColors256;
  EXPECT_EQ(g[0], 0x0000FFu);  // red
  EXPECT_EQ(g[1], d[1]);
  EXPECT_EQ(g[2], d[2]);
  EXPECT_EQ(g[3], d[3]);       // negative values are refused too
  EXPECT_EQ(g[4], 0xFFFFFFu);
  EXPECT_EQ(g[5], 0u);
  EXPECT_EQ(g[6], d[6]);
  EXPECT_EQ(g[7], 0xFF00u);
  EXPECT_EQ(g[8], 0xFFu);
  EXPECT_EQ(g[9], d[9]);       // beyond 32 bits
  EXPECT_EQ(g[10], 12u);
}

TEST_F(SettingsTest, SavedFileHoldsExactlyTheKeysInOrderAndReadsBack) {
  // An old file with a palette section of other names and length: it is replaced whole.
  WriteFile(PaletteSection(300));
  s.IconType = kType16Color;
  s.IconSize = 24;
  s.RightButtonEraser = true;
  s.ShowHints = false;
  s.DoNotScaleImportedImages = true;
  s.TrueColorGrid[3] = 0x0000FF;
  s.TrueColorGrid[255] = 0xFFFFFF;
  ASSERT_EQ(SaveSettings(s), std::nullopt);

  std::vector<std::string> expected = {"[Others]",
                                       "Icon Type=16 Color Icon",
                                       "Icon Size=24",
                                       "Right Button Eraser=1",
                                       "Hints=0",
                                       "Do Not Scale Imported Images=1",
                                       "[Color Palette]"};
  for (int i = 0; i < 256; ++i)
    expected.push_back("Color-" + std::to_string(i) + "=" + std::to_string(s.TrueColorGrid[static_cast<size_t>(i)]));
  std::vector<std::string> lines = FileLines();
  // The sections may come in either order; compare each.
  ASSERT_EQ(lines.size(), expected.size());
  const auto others = std::find(lines.begin(), lines.end(), "[Others]");
  const auto palette = std::find(lines.begin(), lines.end(), "[Color Palette]");
  ASSERT_NE(others, lines.end());
  ASSERT_NE(palette, lines.end());
  EXPECT_EQ(std::vector<std::string>(others, others + 6), std::vector<std::string>(expected.begin(), expected.begin() + 6));
  EXPECT_EQ(std::vector<std::string>(palette, palette + 257), std::vector<std::string>(expected.begin() + 6, expected.end()));
  EXPECT_EQ(palette[4], "Color-3=255");
  EXPECT_EQ(palette[256], "Color-255=16777215");

  EditorState t;
  InitPalettes(t);
  t.SettingsPath = s.SettingsPath;
  LoadSettings(t);
  EXPECT_EQ(t.IconType, kType16Color);
  EXPECT_EQ(t.IconSize, 24);
  EXPECT_TRUE(t.RightButtonEraser);
  EXPECT_FALSE(t.ShowHints);
  EXPECT_TRUE(t.DoNotScaleImportedImages);
  EXPECT_EQ(t.TrueColorGrid, s.TrueColorGrid);
}

TEST_F(SettingsTest, EveryTypeNameRoundTrips) {
  for (int type : {0, 1, 2, 3, 4}) {
    s.IconType = type;
    ASSERT_EQ(SaveSettings(s), std::nullopt);
    EditorState t;
    t.SettingsPath = s.SettingsPath;
    LoadSettings(t);
    EXPECT_EQ(t.IconType, type);
  }
}

TEST_F(SettingsTest, ResizeWritesTheWindowSizeOnlyAfterStartUp) {
  FormResize(s, 700, 500);  // still creating
  EXPECT_FALSE(fs::exists(s.SettingsPath));
  s.Creating = false;
  FormResize(s, 700, 500);
  FormResize(s, 720, 510);
  const std::vector<std::string> lines = FileLines();
  EXPECT_EQ(lines, (std::vector<std::string>{"[Form Size]", "Width=720", "Height=510"}));
  const WindowSize w = LoadSettings(s);
  EXPECT_EQ(w.width, 720);
  EXPECT_EQ(w.height, 510);
  // The close keeps what the resize wrote.
  ASSERT_EQ(SaveSettings(s), std::nullopt);
  EXPECT_EQ(LoadSettings(s).width, 720);
}

TEST_F(SettingsTest, WriteFailuresAreReportedAtCloseAndSilentOnResize) {
  s.Creating = false;
  s.SettingsPath = (dir / "missing" / "glyphwerk.ini").string();
  EXPECT_NO_THROW(FormResize(s, 700, 500));
  const std::optional<std::string> error = SaveSettings(s);
  ASSERT_TRUE(error.has_value());
  EXPECT_FALSE(error->empty());
  EXPECT_FALSE(fs::exists(s.SettingsPath));
}

// What happens to one file of a folder, as the system reports it: the times it is opened, and the times it
// is written whole (renamed into place or closed after writing).
class FileEvents {
 public:
  FileEvents(const fs::path& folder, std::string name) : name_(std::move(name)) {
    fd_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // Closes are watched too, so that opens one after the other are not merged into one event.
    ::inotify_add_watch(fd_, folder.c_str(), IN_OPEN | IN_CLOSE_NOWRITE | IN_MOVED_TO | IN_CLOSE_WRITE);
  }
  ~FileEvents() { ::close(fd_); }
  struct Counts {
    int opened = 0;
    int written = 0;
  };
  Counts take() {
    Counts c;
    alignas(inotify_event) char buffer[1 << 16];
    for (ssize_t n; (n = ::read(fd_, buffer, sizeof buffer)) > 0;)
      for (char* p = buffer; p < buffer + n;) {
        const auto* e = reinterpret_cast<const inotify_event*>(p);
        if (e->len > 0 && name_ == e->name) {
          c.opened += (e->mask & IN_OPEN) != 0;
          c.written += (e->mask & (IN_MOVED_TO | IN_CLOSE_WRITE)) != 0;
        }
        p += sizeof(inotify_event) + e->len;
      }
    return c;
  }

 private:
  int fd_ = -1;
  std::string name_;
};

TEST_F(SettingsTest, StartReadsTheFileOnceAndACloseOrResizeWritesItOnlyWhenSomethingChanged) {
  s.Creating = false;
  FileEvents events(dir, kSettingsFileName);
  const auto close = [&] { ASSERT_EQ(SaveSettings(s), std::nullopt); };
  const struct {
    const char* what;
    std::function<void()> run;
    int opened, written;
  } steps[] = {
      // Opened to be read (the new text goes to a file of another name, then renamed), and written once.
      {"close without a file", close, 0, 1},
      {"close with nothing changed", close, 1, 0},
      {"close with an option changed", [&] { s.ShowHints = !s.ShowHints; close(); }, 1, 1},
      {"close with a colour changed", [&] { s.TrueColorGrid[7] ^= 1; close(); }, 1, 1},
      {"resize", [&] { FormResize(s, 700, 500); }, 1, 1},
      {"close after the resize, nothing changed", close, 1, 0},
      {"resize to the same size", [&] { FormResize(s, 700, 500); }, 1, 0},
      {"start", [&] { LoadSettings(s); }, 1, 0},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(step.what);
    events.take();
    step.run();
    const FileEvents::Counts c = events.take();
    EXPECT_EQ(c.opened, step.opened);
    EXPECT_EQ(c.written, step.written);
  }
}

TEST_F(SettingsTest, OptionCommandsInvertTheirMarks) {
  EXPECT_FALSE(ShowHintsClick(s));
  EXPECT_FALSE(s.ShowHints);
  EXPECT_TRUE(ShowHintsClick(s));
  EXPECT_TRUE(UserightmousebuttonasanEraserClick(s));
  EXPECT_TRUE(s.RightButtonEraser);
  EXPECT_FALSE(UserightmousebuttonasanEraserClick(s));
}

}  // namespace
}  // namespace gw
