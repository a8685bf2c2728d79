#pragma once
// Whole files in and out. A file is written so that it is either replaced completely or left as it was: the
// bytes go to a new file of a short name of its own in the same folder (made exclusively, never over another
// file), which is flushed to the disk and then renamed over the file. Only where the folder refuses a new
// file for permission, or refuses the rename over the file for permission or because the file is busy (a
// file mounted in its place), but the file itself is writable, is the file written in place instead, all of
// its bytes ready beforehand (a failure in the middle of that damages it); any other failure (a full disk, a
// spent quota) leaves the file as it was.
// Nothing here uses the system's temporary folder, and nothing throws: every failure comes back as a reason.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace gw {

// Returns an empty text on success, otherwise the reason; the file is then as it was (written in place, it
// may be damaged by a failure in the middle of the writing, which is reported all the same). A symbolic link
// is written through, so the link survives; the permissions of an existing file are kept.
std::string ReplaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes);
// Why the file at path could not be written (a missing folder or one that cannot be reached or entered, a
// read-only file, a folder in its place, a new file in a read-only folder, a read-only file system), with the
// reason the system gave, as far as can be told before trying; an empty text when nothing stands in the way.
// Permission bits count even for the superuser, so a file or folder marked read-only stays so.
std::string FileWriteRefusal(const std::string& path);

struct FileContents {
  std::vector<std::uint8_t> bytes;
  std::string error;      // empty when the whole file was read
  bool missing = false;   // there is no file by that name (error then says so)
  bool tooLarge = false;  // the file is longer than the limit (error then says so)
};
// The whole file, up to `limit` bytes; a longer one is refused as too large. This is the one reader of whole
// files, and it opens them through OpenFileToRead.
FileContents ReadFileContents(const std::string& path, std::uintmax_t limit);

// A regular file opened to be read: `fd` (closed by the caller) and its size when it was opened; or fd -1 and
// the reason. It is opened without waiting (a named pipe would wait for a writer) and looked at before any
// read, and a folder, named pipe, device or socket is refused with what it is, so no read can wait for ever.
struct OpenedFile {
  int fd = -1;
  std::uint64_t size = 0;
  std::string error;
  bool missing = false;  // there is no file by that name (error then says so)
};
OpenedFile OpenFileToRead(const std::string& path);

// Watches the whole-file writer, for tests: the temporary files it makes, and failures it is told to meet.
// InspectFolder and InspectFile are the looks at the folder and the file before anything is written.
enum class FileWriteStep { InspectFolder, InspectFile, CreateTemporary, Write, Sync, Rename, WriteInPlace };
class FileWriteWatcher {
 public:
  virtual ~FileWriteWatcher() = default;
  // A temporary file `name` was made in `folder`.
  virtual void TemporaryCreated(const std::string& folder, const std::string& name) {
    (void)folder;
    (void)name;
  }
  // An errno value makes the step fail as if the system had refused it; 0 lets it run.
  virtual int Fail(FileWriteStep step) {
    (void)step;
    return 0;
  }
};
// nullptr ends the watch.
void WatchFileWrites(FileWriteWatcher* watcher);

}  // namespace gw
