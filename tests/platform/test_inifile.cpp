// INI access: profile-string semantics, write-through and refused writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>

#include "platform/FileReplace.h"
#include "platform/IniFile.h"

namespace fs = std::filesystem;

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("gw_ini_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    path_ = (dir_ / "settings.ini").string();
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }
  void writeFile(const std::string& text) {
    std::ofstream out(path_, std::ios::binary);
    out << text;
  }
  std::string fileText() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndReadingCreatesNothing) {
  gw::IniFile ini(path_);
  EXPECT_EQ(ini.readString("Others", "Icon Type", "True Color Icon"), "True Color Icon");
  EXPECT_EQ(ini.readInteger("Form Size", "Width", 690), 690);
  EXPECT_TRUE(ini.readBool("Others", "Hints", true));
  EXPECT_TRUE(ini.readSectionValues("Color Palette").empty());
  ini.eraseSection("Others");
  EXPECT_NO_THROW(ini.flush());
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, NewFileLayoutAndRoundTrip) {
  gw::IniFile ini(path_);
  ini.writeString("Color Palette", "Color-0", "255");
  ini.writeString("Color Palette", "Color-1", "16777215");
  ini.writeInteger("Form Size", "Width", -12);
  ini.writeBool("Others", "Hints", true);
  ini.writeBool("Others", "Right Button Eraser", false);
  EXPECT_FALSE(fs::exists(path_));  // nothing is written before the flush
  ini.flush();
  EXPECT_EQ(fileText(),
            "[Color Palette]\nColor-0=255\nColor-1=16777215\n[Form Size]\nWidth=-12\n"
            "[Others]\nHints=1\nRight Button Eraser=0\n");
  // A second object over the same file sees every flushed write.
  gw::IniFile again(path_);
  EXPECT_EQ(again.readInteger("Form Size", "Width", 0), -12);
  EXPECT_TRUE(again.readBool("Others", "Hints", false));
  EXPECT_FALSE(again.readBool("Others", "Right Button Eraser", true));
  EXPECT_EQ(again.readSectionValues("Color Palette"), (std::vector<std::string>{"Color-0=255", "Color-1=16777215"}));
}

TEST_F(IniFileTest, NamesMatchWhateverTheCaseAndBlanksAreTrimmed) {
  writeFile("[ Others ]\r\n  Icon Type  =  Cursor  \r\nicon size=40\r\n");
  gw::IniFile ini(path_);
  EXPECT_EQ(ini.readString("others", "ICON TYPE", ""), "Cursor");
  EXPECT_EQ(ini.readString("OTHERS", "Icon Size", ""), "40");
  EXPECT_EQ(ini.readString(" Others", " icon type ", ""), "Cursor");
  EXPECT_EQ(ini.readSectionValues("others"), (std::vector<std::string>{"Icon Type=Cursor", "icon size=40"}));
  // Rewriting under another spelling replaces the key in place instead of adding one; the untouched line
  // stays as it was (only its CRLF becomes LF).
  ini.writeString("OTHERS", "ICON SIZE", "48");
  ini.flush();
  EXPECT_EQ(fileText(), "[ Others ]\n  Icon Type  =  Cursor  \nicon size=48\n");
}

TEST_F(IniFileTest, WritesKeepEveryOtherLineAndPlaceNewKeysAtTheirSectionsEnd) {
  writeFile(
      "; settings\n"
      "[Others]\n"
      "Icon Type=Cursor\n"
      "; keep me\n"
      "Hints=1\n"
      "garbage without equals\n"
      "\n"
      "[Unknown]\n"
      "a=b\n"
      "\n"
      "[Form Size]\n"
      "Width=690\n"
      "Height=575\n");
  gw::IniFile ini(path_);
  ini.writeString("Others", "Hints", "0");       // rewritten in place
  ini.writeString("Others", "Icon Size", "16");  // new key at the end of its section, before the blank line
  ini.writeInteger("Form Size", "Width", 800);
  ini.writeString("Extra", "k", "v");  // new section at the end of the file
  ini.flush();
  EXPECT_EQ(fileText(),
            "; settings\n"
            "[Others]\n"
            "Icon Type=Cursor\n"
            "; keep me\n"
            "Hints=0\n"
            "garbage without equals\n"
            "Icon Size=16\n"
            "\n"
            "[Unknown]\n"
            "a=b\n"
            "\n"
            "[Form Size]\n"
            "Width=800\n"
            "Height=575\n"
            "[Extra]\n"
            "k=v\n");
  // Comments and lines without "=" are not keys.
  EXPECT_EQ(ini.readSectionValues("Others"),
            (std::vector<std::string>{"Icon Type=Cursor", "Hints=0", "Icon Size=16"}));
  EXPECT_EQ(ini.readString("Others", "; keep me", "def"), "def");
}

TEST_F(IniFileTest, EraseSectionRemovesHeaderAndLinesOnly) {
  writeFile("[A]\nx=1\n[Color Palette]\nColor-0=1\n; note\nColor-1=2\n[B]\ny=2\n");
  gw::IniFile ini(path_);
  ini.eraseSection("color palette");
  ini.flush();
  EXPECT_EQ(fileText(), "[A]\nx=1\n[B]\ny=2\n");
  EXPECT_EQ(ini.readString("Color Palette", "Color-0", "none"), "none");
  // Writing the section anew after erasing it puts it at the end, keys in write order.
  for (int i = 0; i < 3; ++i) ini.writeInteger("Color Palette", "Color-" + std::to_string(i), i * 10);
  EXPECT_EQ(ini.readSectionValues("Color Palette"),
            (std::vector<std::string>{"Color-0=0", "Color-1=10", "Color-2=20"}));
  ini.flush();
  EXPECT_EQ(fileText(), "[A]\nx=1\n[B]\ny=2\n[Color Palette]\nColor-0=0\nColor-1=10\nColor-2=20\n");
}

TEST_F(IniFileTest, ValuesAreReadUpTo2047Characters) {
  const std::string longValue = std::string(2047, 'a') + "bcd";
  gw::IniFile ini(path_);
  ini.writeString("S", "k", longValue);
  EXPECT_EQ(ini.readString("S", "k", ""), std::string(2047, 'a'));
  EXPECT_EQ(ini.readSectionValues("S"), (std::vector<std::string>{"k=" + std::string(2047, 'a')}));
  ini.writeString("S", "k", std::string(2047, 'z'));
  EXPECT_EQ(ini.readString("S", "k", ""), std::string(2047, 'z'));
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexAndAnythingElseGivesTheDefault) {
  writeFile(
      "[N]\n"
      "dec=  42  \n"
      "neg=-17\n"
      "plus=+5\n"
      "hex=0x1F\n"
      "HEX=0XfF\n"
      "hexwrap=0xFFFFFFFF\n"
      "white=16777215\n"
      "bare0x=0x\n"
      "badhex=0x1G\n"
      "longhex=0x123456789\n"
      "text=abc\n"
      "trailing=12abc\n"
      "space=1 2\n"
      "empty=\n"
      "big=2147483648\n"
      "min=-2147483648\n"
      "sign=-\n");
  gw::IniFile ini(path_);
  EXPECT_EQ(ini.readInteger("N", "dec", 0), 42);
  EXPECT_EQ(ini.readInteger("N", "neg", 0), -17);
  EXPECT_EQ(ini.readInteger("N", "plus", 0), 5);
  EXPECT_EQ(ini.readInteger("N", "hex", 0), 31);
  EXPECT_EQ(ini.readInteger("n", "hex", 0), 31);
  EXPECT_EQ(ini.readInteger("N", "hexwrap", 0), -1);
  EXPECT_EQ(ini.readInteger("N", "white", 0), 16777215);
  EXPECT_EQ(ini.readInteger("N", "min", 0), -2147483647 - 1);
  for (const char* key : {"bare0x", "badhex", "longhex", "text", "trailing", "space", "empty", "big", "sign", "missing"})
    EXPECT_EQ(ini.readInteger("N", key, 575), 575) << key;
}

TEST_F(IniFileTest, BooleansAreIntegers) {
  writeFile("[B]\non=1\noff=0\nseven=7\nhex=0x10\nword=yes\n");
  gw::IniFile ini(path_);
  EXPECT_TRUE(ini.readBool("B", "on", false));
  EXPECT_FALSE(ini.readBool("B", "off", true));
  EXPECT_TRUE(ini.readBool("B", "seven", false));
  EXPECT_TRUE(ini.readBool("B", "hex", false));
  EXPECT_TRUE(ini.readBool("B", "word", true));
  EXPECT_FALSE(ini.readBool("B", "word", false));
}

TEST_F(IniFileTest, RefusedWritesThrowNamingTheFileAndLeaveItIntact) {
  // Folder missing.
  gw::IniFile nowhere((dir_ / "missing" / "x.ini").string());
  try {
    nowhere.writeString("S", "k", "v");
    FAIL() << "no error";
  } catch (const gw::IniWriteError& e) {
    EXPECT_NE(std::string(e.what()).find("x.ini"), std::string::npos) << e.what();
  }
  EXPECT_THROW(nowhere.flush(), gw::IniWriteError);

  // Read-only file: refused, contents kept, reads still work.
  writeFile("[S]\nk=old\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  gw::IniFile ini(path_);
  EXPECT_THROW(ini.writeString("S", "k", "new"), gw::IniWriteError);
  EXPECT_THROW(ini.eraseSection("S"), gw::IniWriteError);
  EXPECT_THROW(ini.flush(), gw::IniWriteError);
  EXPECT_EQ(ini.readString("S", "k", ""), "old");
  EXPECT_EQ(fileText(), "[S]\nk=old\n");

  // Read-only folder: no new file can be made in it.
  fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add);
  const fs::path sub = dir_ / "ro";
  fs::create_directories(sub);
  fs::permissions(sub, fs::perms::owner_read | fs::perms::owner_exec);
  gw::IniFile inRo((sub / "y.ini").string());
  EXPECT_THROW(inRo.writeBool("S", "b", true), gw::IniWriteError);
  EXPECT_FALSE(fs::exists(sub / "y.ini"));
  fs::permissions(sub, fs::perms::owner_all);

  // Nothing is left behind by the refused writes.
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 2u);  // settings.ini and ro
}

TEST_F(IniFileTest, NamesOrValuesThatCannotBeStoredAreRefused) {
  gw::IniFile ini(path_);
  EXPECT_THROW(ini.writeString("S", "a=b", "v"), gw::IniWriteError);
  EXPECT_THROW(ini.writeString("S", "", "v"), gw::IniWriteError);
  EXPECT_THROW(ini.writeString("S]", "k", "v"), gw::IniWriteError);
  EXPECT_THROW(ini.writeString("S", "k", "two\nlines"), gw::IniWriteError);
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(IniFileTest, ReplacingKeepsPermissionsAndWritesThroughALink) {
  writeFile("[S]\nk=1\n");
  fs::permissions(path_, fs::perms::owner_read | fs::perms::owner_write);
  const fs::path link = dir_ / "link.ini";
  fs::create_symlink(path_, link);
  gw::IniFile viaLink(link.string());
  viaLink.writeInteger("S", "k", 2);
  viaLink.flush();
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(fileText(), "[S]\nk=2\n");
  EXPECT_EQ(fs::status(path_).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(IniFileTest, ALastLineWithoutItsEndIsALineAndNothingIsWrittenBeforeTheFlush) {
  const std::string old = "[ S ]\r\nKey = v \r\n; note\nlast=1";
  writeFile(old);
  gw::IniFile ini(path_);
  EXPECT_EQ(ini.readString("s", "KEY", ""), "v");
  EXPECT_EQ(ini.readSectionValues("S"), (std::vector<std::string>{"Key=v", "last=1"}));
  ini.writeInteger("S", "key", 2);
  EXPECT_EQ(ini.text(), "[ S ]\nKey=2\n; note\nlast=1\n");
  EXPECT_EQ(fileText(), old);
  ini.flush();
  EXPECT_EQ(fileText(), ini.text());
  EXPECT_THROW(gw::IniFile("").flush(), gw::IniWriteError);  // nowhere to write
}

// Counts the files the writer makes.
class CountWrites : public gw::FileWriteWatcher {
 public:
  CountWrites() { gw::WatchFileWrites(this); }
  ~CountWrites() override { gw::WatchFileWrites(nullptr); }
  void TemporaryCreated(const std::string&, const std::string&) override { ++writes; }
  int writes = 0;
};

TEST_F(IniFileTest, AWriteOfWhatTheFileHoldsChangesNothing) {
  const std::string old = "[Others]\n  Icon Size =  32 \nHints=1\nName=a b\n";
  const struct {
    const char* what;
    std::function<void(gw::IniFile&)> write;
    int writes;
  } cases[] = {
      {"same text, other blanks", [](gw::IniFile& i) { i.writeString("others", "ICON SIZE", " 32"); }, 0},
      {"same integer", [](gw::IniFile& i) { i.writeInteger("Others", "Icon Size", 32); }, 0},
      {"same flag", [](gw::IniFile& i) { i.writeBool("Others", "Hints", true); }, 0},
      {"same text", [](gw::IniFile& i) { i.writeString("Others", "Name", "a b"); }, 0},
      {"absent section erased", [](gw::IniFile& i) { i.eraseSection("Color Palette"); }, 0},
      {"another value", [](gw::IniFile& i) { i.writeInteger("Others", "Icon Size", 48); }, 1},
      {"another letter case", [](gw::IniFile& i) { i.writeString("Others", "Name", "A b"); }, 1},
      {"a new key", [](gw::IniFile& i) { i.writeBool("Others", "Extra", false); }, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    writeFile(old);
    CountWrites count;
    gw::IniFile ini(path_);
    c.write(ini);
    ini.flush();
    EXPECT_EQ(count.writes, c.writes);
    EXPECT_EQ(fileText() == old, c.writes == 0);
  }
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverWrittenOver) {
  // Larger than any settings file: it reads as empty, and writes are refused naming the file and why.
  writeFile("[S]\nk=1\n");
  fs::resize_file(path_, gw::kMaxIniFileBytes + 1);
  gw::IniFile ini(path_);
  EXPECT_EQ(ini.readString("S", "k", "def"), "def");
  try {
    ini.writeString("S", "k", "2");
    FAIL() << "no error";
  } catch (const gw::IniWriteError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Unable to write to " + path_ + ": the file cannot be read (the file is too large)");
  }
  EXPECT_EQ(fs::file_size(path_), gw::kMaxIniFileBytes + 1);
}

TEST_F(IniFileTest, AFailedFlushKeepsTheChangesForTheNext) {
  writeFile("[S]\nk=1\n");
  gw::IniFile ini(path_);
  ini.writeString("S", "k", "2");
  fs::permissions(path_, fs::perms::owner_read);
  EXPECT_THROW(ini.flush(), gw::IniWriteError);
  EXPECT_EQ(fileText(), "[S]\nk=1\n");
  fs::permissions(path_, fs::perms::owner_write, fs::perm_options::add);
  ini.flush();
  EXPECT_EQ(fileText(), "[S]\nk=2\n");
}

}  // namespace
