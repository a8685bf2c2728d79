// Every whole-file write of the editor (icon, palette file, settings, exported picture) through one table:
// long names, no use of the temporary folder, read-only folders, and failures that leave the old file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>

#include "IconTestSupport.h"
#include "editor/core/Settings.h"
#include "iconfile/core/IconFiles.h"
#include "iconfile/core/PaletteFile.h"
#include "iconfile/core/PictureImport.h"
#include "platform/FileReplace.h"
#include "tests/platform/ScratchFolder.h"

namespace gw {
namespace {

namespace fs = std::filesystem;

struct Writer {
  const char* what;
  // An empty text on success, otherwise the failure as the writer gives it.
  std::function<std::string(EditorState&, const std::string&)> write;
};

const Writer kWriters[] = {
    {"icon", [](EditorState& s, const std::string& p) { return SaveIconFile(s, p).message; }},
    {"palette",
     [](EditorState& s, const std::string& p) {
       std::string error;
       return SavePaletteFile(s.TrueColorGrid, p, error) ? std::string() : "palette: " + error;
     }},
    {"settings",
     [](EditorState& s, const std::string& p) {
       s.SettingsPath = p;
       return SaveSettings(s).value_or("");
     }},
    {"export",
     [](EditorState& s, const std::string& p) {
       std::string error;
       return ExportPictureFile(s, ExportFormat::Png, p, error) ? std::string() : "export: " + error;
     }},
};

class FileWritesTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    NewIcon(s, kTypeTrueColor, 16);
    PaintPattern(s);
  }
  void TearDown() override {
    WatchFileWrites(nullptr);
    ScratchFolderTest::TearDown();
  }
  static ino_t Inode(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    return names;
  }

  EditorState s;
};

TEST_F(FileWritesTest, NamesUpToTheLongestTheFolderTakesAreWrittenAndReplaced) {
  for (const Writer& w : kWriters)
    for (const std::size_t length : {250, 255}) {
      SCOPED_TRACE(std::string(w.what) + " " + std::to_string(length));
      const std::string name = std::string(length - 4, 'n') + ".ext";
      const fs::path target = dir / name;
      EXPECT_EQ(w.write(s, target.string()), "");  // new
      std::ofstream(target) << "old";
      EXPECT_EQ(w.write(s, target.string()), "");  // over an existing one
      EXPECT_NE(Text(target), "old");
      EXPECT_EQ(Names(), std::vector<std::string>{name});
      fs::remove(target);
    }
}

// Sets an environment variable for the life of the object (unsets it for nullptr).
class EnvGuard {
 public:
  EnvGuard(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value)
      ::setenv(name, value, 1);
    else
      ::unsetenv(name);
  }
  ~EnvGuard() {
    if (old_)
      ::setenv(name_, old_->c_str(), 1);
    else
      ::unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST_F(FileWritesTest, TheTemporaryFolderPlaysNoPart) {
  const std::string missing = (dir / "no-such-tmp").string();
  for (const char* tmpdir : {missing.c_str(), static_cast<const char*>(nullptr)}) {
    EnvGuard guard("TMPDIR", tmpdir);
    for (const Writer& w : kWriters) {
      SCOPED_TRACE(std::string(w.what) + " TMPDIR=" + (tmpdir ? tmpdir : "(unset)"));
      const fs::path target = dir / (std::string(w.what) + ".out");
      std::ofstream(target) << "[Other]\nx=1\n";
      std::string result;
      EXPECT_NO_THROW(result = w.write(s, target.string()));
      EXPECT_EQ(result, "");
      EXPECT_NE(Text(target), "[Other]\nx=1\n");
    }
  }
}

TEST_F(FileWritesTest, AReadOnlyFolderTakesAWritableFileInPlaceAndNothingElse) {
  // The folder's permission bits decide even for the superuser, so this holds whoever runs it.
  for (const Writer& w : kWriters) {
    SCOPED_TRACE(w.what);
    const fs::path writable = dir / "writable.out", locked = dir / "locked.out", fresh = dir / "fresh.out";
    std::ofstream(writable) << "old";
    std::ofstream(locked) << "old";
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    const ino_t inode = Inode(writable);

    EXPECT_EQ(w.write(s, writable.string()), "");
    EXPECT_EQ(Inode(writable), inode) << "written in place";
    EXPECT_NE(Text(writable), "old");
    EXPECT_NE(w.write(s, locked.string()).find("the file is read-only"), std::string::npos);
    EXPECT_EQ(Text(locked), "old");
    EXPECT_NE(w.write(s, fresh.string()).find("the folder " + dir.string() + " is read-only"), std::string::npos);
    EXPECT_FALSE(fs::exists(fresh));

    fs::permissions(dir, fs::perms::owner_all);
    fs::remove(writable);
    fs::remove(locked);
    EXPECT_TRUE(Names().empty());
  }
}

// Makes one step of the writer fail.
class FailStep : public FileWriteWatcher {
 public:
  FailStep(FileWriteStep step, int error) : step_(step), error_(error) {}
  int Fail(FileWriteStep step) override { return step == step_ ? error_ : 0; }

 private:
  FileWriteStep step_;
  int error_;
};

TEST_F(FileWritesTest, AFailedWriteLeavesTheOldFileAndNoTemporaryFile) {
  // A temporary file that cannot be made for want of room (no free inode, a spent quota) or on a read-only
  // disk is no reason to write the file in place: that would cut it short for the same want.
  const std::pair<FileWriteStep, int> failures[] = {
      {FileWriteStep::CreateTemporary, ENOSPC}, {FileWriteStep::CreateTemporary, EDQUOT},
      {FileWriteStep::CreateTemporary, EROFS},  {FileWriteStep::Write, ENOSPC},
      {FileWriteStep::Sync, EIO},               {FileWriteStep::Rename, EXDEV}};
  for (const auto& [step, error] : failures)
    for (const Writer& w : kWriters) {
      SCOPED_TRACE(std::string(w.what) + " errno " + std::to_string(error));
      const fs::path target = dir / "kept.out";
      std::ofstream(target) << "old";
      FailStep fail(step, error);
      WatchFileWrites(&fail);
      const std::string message = w.write(s, target.string());
      WatchFileWrites(nullptr);
      EXPECT_NE(message.find(std::strerror(error)), std::string::npos) << message;
      EXPECT_EQ(Text(target), "old");
      EXPECT_EQ(Names(), std::vector<std::string>{"kept.out"});
    }
}

}  // namespace
}  // namespace gw
