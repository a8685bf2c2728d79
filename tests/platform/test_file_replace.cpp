// The whole-file writer and reader: the temporary file's name and place, permissions, refusals, the choice
// of writing in place, and whole-file reads. Failures on the way and read-only folders are tested for every
// writer of the editor in tests/iconfile/test_file_writes.cpp.
#include <gtest/gtest.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/FileReplace.h"
#include "tests/common/MemoryInChild.h"
#include "tests/platform/ScratchFolder.h"

namespace fs = std::filesystem;

namespace gw {
namespace {

std::span<const std::uint8_t> Bytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// Records the temporary files made, and makes chosen steps fail.
class Watcher : public FileWriteWatcher {
 public:
  void TemporaryCreated(const std::string& folder, const std::string& name) override {
    temporaries.push_back(fs::path(folder) / name);
  }
  int Fail(FileWriteStep step) override {
    for (const auto& [s, e] : failures)
      if (s == step) return e;
    return 0;
  }
  std::vector<fs::path> temporaries;
  std::vector<std::pair<FileWriteStep, int>> failures;
};

class FileReplaceTest : public ScratchFolderTest {
 protected:
  void SetUp() override {
    ScratchFolderTest::SetUp();
    WatchFileWrites(&watcher);
  }
  void TearDown() override {
    WatchFileWrites(nullptr);
    ScratchFolderTest::TearDown();
  }
  static struct stat Stat(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st;
  }
  std::size_t Entries() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
  }

  Watcher watcher;
};

TEST_F(FileReplaceTest, TheTemporaryFileHasAShortNameBesideTheFileWhateverItsLength) {
  for (const std::size_t length : {1, 12, 200, 250, 255}) {
    SCOPED_TRACE(length);
    const fs::path target = dir / std::string(length, 'x');
    watcher.temporaries.clear();
    for (const char* text : {"first", "second, longer"}) {
      EXPECT_EQ(ReplaceFileContents(target.string(), Bytes(text)), "");
      EXPECT_EQ(Text(target), text);
    }
    ASSERT_EQ(watcher.temporaries.size(), 2u);
    for (const fs::path& t : watcher.temporaries) {
      EXPECT_EQ(t.parent_path(), dir);
      EXPECT_LE(t.filename().string().size(), 10u) << t;
      EXPECT_FALSE(fs::exists(t));
    }
    EXPECT_NE(watcher.temporaries[0], watcher.temporaries[1]);
    fs::remove(target);
    EXPECT_EQ(Entries(), 0u);
  }
}

TEST_F(FileReplaceTest, PermissionsOfAnOldFileAreKeptAndANewFileGetsTheUsualOnes) {
  const fs::path target = dir / "f";
  const mode_t oldMask = ::umask(022);
  EXPECT_EQ(ReplaceFileContents(target.string(), Bytes("new")), "");
  EXPECT_EQ(Stat(target).st_mode & 07777, 0644u);
  ::chmod(target.c_str(), 0604);
  EXPECT_EQ(ReplaceFileContents(target.string(), Bytes("again")), "");
  EXPECT_EQ(Stat(target).st_mode & 07777, 0604u);
  ::umask(oldMask);
}

TEST_F(FileReplaceTest, RefusalsNameTheCauseAndTouchNothing) {
  const fs::path file = dir / "file", locked = dir / "locked", sub = dir / "sub";
  std::ofstream(file) << "old";
  std::ofstream(locked) << "old";
  fs::permissions(locked, fs::perms::owner_read);
  fs::create_directory(sub);
  const struct {
    std::string path;
    std::string why;
  } cases[] = {{"", "no file name"},
               {(dir / "missing" / "f").string(), "the folder " + (dir / "missing").string() + " does not exist"},
               {(file / "f").string(), file.string() + " is not a folder"},
               {(file / "sub" / "f").string(), "cannot be reached: " + std::string(std::strerror(ENOTDIR))},
               {sub.string(), "it is a folder"},
               {locked.string(), "the file is read-only"},
               {"/dev/null", "it is not a plain file"},
               {"/proc/gw-new-file", "the folder /proc is read-only"}};
  for (const auto& c : cases) {
    EXPECT_NE(FileWriteRefusal(c.path).find(c.why), std::string::npos) << c.path;
    EXPECT_NE(ReplaceFileContents(c.path, Bytes("new")).find(c.why), std::string::npos) << c.path;
  }
  EXPECT_EQ(Text(locked), "old");
  EXPECT_EQ(Text(file), "old");
  EXPECT_EQ(Entries(), 3u);
  EXPECT_TRUE(watcher.temporaries.empty());
}

TEST_F(FileReplaceTest, AFolderThatCannotBeSearchedOrEnteredSaysSo) {
  // Injected, as the superuser may search any folder.
  const fs::path file = dir / "file";
  std::ofstream(file) << "old";
  const std::string folder = "the folder " + dir.string();
  const struct {
    FileWriteStep step;
    int error;
    std::string why;
  } cases[] = {{FileWriteStep::InspectFolder, EACCES, folder + " cannot be reached: " + std::strerror(EACCES)},
               {FileWriteStep::InspectFolder, ELOOP, folder + " cannot be reached: " + std::strerror(ELOOP)},
               {FileWriteStep::InspectFile, EACCES, folder + " cannot be entered: " + std::strerror(EACCES)},
               {FileWriteStep::InspectFile, ENAMETOOLONG, std::strerror(ENAMETOOLONG)}};
  for (const auto& c : cases)
    for (const fs::path& target : {file, dir / "new"}) {
      SCOPED_TRACE(c.why + " " + target.string());
      watcher.failures = {{c.step, c.error}};
      EXPECT_EQ(FileWriteRefusal(target.string()), c.why);
      EXPECT_EQ(ReplaceFileContents(target.string(), Bytes("new")), c.why);
      EXPECT_EQ(Text(file), "old");
      EXPECT_EQ(Entries(), 1u);
    }
  EXPECT_TRUE(watcher.temporaries.empty());
}

// Runs `work` in a child process on a disk of its own: a tmpfs of `options` mounted at `disk` in the child's
// own mount namespace. The child's exit status: 0 when `work` holds, 77 where the system lets no such mount be
// made (the test is then skipped), 1 otherwise.
int OnOwnDisk(const fs::path& disk, const char* options, const std::function<bool()>& work) {
  const pid_t child = ::fork();
  if (child == 0) {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mkdir(disk.c_str(), 0700) != 0 || ::mount("gw", disk.c_str(), "tmpfs", 0, options) != 0)
      ::_exit(77);
    ::_exit(work() ? 0 : 1);
  }
  int status = 0;
  if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

TEST_F(FileReplaceTest, ADiskWithNoFreeInodeLeavesTheFileWhole) {
  // A disk of two inodes: its folder and the file.
  const fs::path disk = dir / "disk", target = disk / "icon.ico";
  const int status = OnOwnDisk(disk, "size=1m,nr_inodes=2", [&] {
    const std::string old(8192, 'o');
    std::ofstream(target) << old;
    const std::string why = ReplaceFileContents(target.string(), Bytes(std::string(20480, 'n')));
    return why == std::strerror(ENOSPC) && Text(target) == old;
  });
  if (status == 77) GTEST_SKIP() << "no disk can be mounted here";
  EXPECT_EQ(status, 0) << "the file was changed, or the reason was not the full disk";
}

TEST_F(FileReplaceTest, AReadOnlyDiskIsNamedAsTheCauseWhateverTheFileAllows) {
  const fs::path disk = dir / "disk", file = disk / "icon.ico";
  const std::string why = std::string(" cannot be written: ") + std::strerror(EROFS);
  const struct {
    fs::path path;
    std::string why;
  } cases[] = {{file, "the file" + why}, {disk / "new.ico", "the folder " + disk.string() + why}};
  const int status = OnOwnDisk(disk, "size=1m", [&] {
    std::ofstream(file) << "old";
    if (::chmod(file.c_str(), 0666) != 0 ||
        ::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
      return false;
    bool held = true;
    for (const auto& c : cases) {
      held = held && FileWriteRefusal(c.path.string()) == c.why && ReplaceFileContents(c.path.string(), Bytes("new")) == c.why;
      if (!held) std::fprintf(stderr, "%s: %s\n", c.path.c_str(), FileWriteRefusal(c.path.string()).c_str());
    }
    return held && Text(file) == "old";
  });
  if (status == 77) GTEST_SKIP() << "no disk can be mounted here";
  EXPECT_EQ(status, 0) << "a refusal did not name the read-only file system, or the file was changed";
}

TEST_F(FileReplaceTest, AFileThatCannotBeReplacedIsWrittenInPlace) {
  // The folder refuses a new file for permission, or refuses the rename over the file: a writable file is
  // written in place (the same file, shorter or longer than before); a new file is refused.
  const std::vector<std::pair<FileWriteStep, int>> refusals[] = {{{FileWriteStep::CreateTemporary, EACCES}},
                                                                  {{FileWriteStep::CreateTemporary, EPERM}},
                                                                  {{FileWriteStep::Rename, EPERM}},
                                                                  {{FileWriteStep::Rename, EBUSY}}};
  for (const auto& refusal : refusals)
    for (const char* text : {"much longer than before", "short"}) {
      SCOPED_TRACE(std::to_string(refusal[0].second) + " " + text);
      const fs::path target = dir / "f";
      std::ofstream(target) << "the old contents";
      const ino_t inode = Stat(target).st_ino;
      watcher.failures = refusal;
      EXPECT_EQ(ReplaceFileContents(target.string(), Bytes(text)), "");
      EXPECT_EQ(Text(target), text);
      EXPECT_EQ(Stat(target).st_ino, inode);
      EXPECT_EQ(Entries(), 1u);
      fs::remove(target);
      EXPECT_EQ(ReplaceFileContents(target.string(), Bytes(text)), std::strerror(refusal[0].second));
      EXPECT_EQ(Entries(), 0u);
    }
  // A write in place that is refused before the file is opened says why and leaves the file. (One that
  // fails halfway leaves the file cut short: that is not tested, nor promised.)
  const fs::path target = dir / "f";
  std::ofstream(target) << "old";
  watcher.failures = {{FileWriteStep::CreateTemporary, EACCES}, {FileWriteStep::WriteInPlace, ENOSPC}};
  EXPECT_EQ(ReplaceFileContents(target.string(), Bytes("new")), std::strerror(ENOSPC));
  EXPECT_EQ(Text(target), "old");
}

TEST_F(FileReplaceTest, ReadingAWholeFile) {
  const fs::path file = dir / "f", pipe = dir / "pipe";
  std::ofstream(file) << "0123456789";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  const struct {
    std::string path;
    std::uintmax_t limit;
    const char* error;
    bool missing;
  } cases[] = {{file.string(), 10, "", false},
               {file.string(), 9, "the file is too large", false},
               {(dir / "none").string(), 10, "no such file", true},
               {(file / "below").string(), 10, "no such file", true},
               {dir.string(), 10, "it is a folder", false},
               {pipe.string(), 10, "it is a named pipe", false},
               {"/dev/null", 10, "it is a device", false},
               {"/proc/self/status", 1 << 20, "", false},
               {"/proc/self/status", 8, "the file is too large", false}};
  ::alarm(10);  // a read that waits ends the test here
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path + " " + std::to_string(c.limit));
    const FileContents r = ReadFileContents(c.path, c.limit);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(r.missing, c.missing);
    EXPECT_EQ(r.tooLarge, r.error == "the file is too large");
    EXPECT_EQ(r.bytes.empty(), !r.error.empty());  // the size /proc gives (0) is not believed
  }
  ::alarm(0);
  // A sparse file of 8 GB is refused by its size before any memory is set aside for it.
  if (!test::kSanitized) {
    const fs::path sparse = dir / "sparse";
    std::ofstream(sparse).close();
    fs::resize_file(sparse, std::uintmax_t{8} << 30);
    constexpr long kCap = 64L << 20;
    const test::ChildRun run = test::RunInChild(kCap, [&] { return ReadFileContents(sparse.string(), 1 << 20).error; });
    EXPECT_EQ(run.outcome, "the file is too large");
    EXPECT_LT(run.peakGrowthKb, kCap / 1024);
  }
  const FileContents whole = ReadFileContents(file.string(), 10);
  EXPECT_EQ(std::string(whole.bytes.begin(), whole.bytes.end()), "0123456789");
}

}  // namespace
}  // namespace gw
