#include "platform/FileReplace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>
#include <utility>

namespace gw {

namespace fs = std::filesystem;

namespace {

FileWriteWatcher* g_watcher = nullptr;

// The failure a watcher asks for at this step (0: none), left in errno like a refused system call.
bool Injected(FileWriteStep step) {
  const int e = g_watcher ? g_watcher->Fail(step) : 0;
  if (e != 0) errno = e;
  return e != 0;
}

std::string Why(int e) { return std::strerror(e); }

// A file descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Gives the descriptor up to the caller, who closes it.
  int release() { return std::exchange(fd_, -1); }
  // Closes now; false (errno set) when the close reports an error, as a delayed write error may be.
  bool close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool HasWriteBit(mode_t mode) { return (mode & (S_IWUSR | S_IWGRP | S_IWOTH)) != 0; }

// 0 when `p` may be written, otherwise why not: EACCES when the caller's rights or the permission bits forbid
// it (the bits are looked at too, as access() waives them for the superuser), or the reason access() gives
// (EROFS for a read-only file system, whatever the bits say).
int WriteDenial(const fs::path& p, const struct stat& st) {
  if (::access(p.c_str(), W_OK) != 0) return errno;
  return HasWriteBit(st.st_mode) ? 0 : EACCES;
}

// "`name` is read-only" for a denial by permission, otherwise the system's reason.
std::string Denied(const std::string& name, int denial) {
  return denial == EACCES ? name + " is read-only" : name + " cannot be written: " + Why(denial);
}

// What writing `target` comes to before anything is tried.
struct WritePlan {
  std::string refusal;          // non-empty: nothing is to be tried
  bool exists = false;          // the file is there (a plain file, writable)
  struct stat file {};          // its status when it exists
  bool newFileAllowed = false;  // a file may be made in the folder
  fs::path folder;
};

// stat(), or the failure a watcher asks for at `step`.
bool Stat(const fs::path& p, struct stat& st, FileWriteStep step) {
  return !Injected(step) && ::stat(p.c_str(), &st) == 0;
}

WritePlan PlanWrite(const fs::path& target) {
  WritePlan plan;
  plan.folder = target.parent_path();
  if (plan.folder.empty()) plan.folder = ".";
  const std::string folderName = "the folder " + plan.folder.string();
  struct stat folder {};
  if (!Stat(plan.folder, folder, FileWriteStep::InspectFolder)) {
    plan.refusal = errno == ENOENT ? folderName + " does not exist" : folderName + " cannot be reached: " + Why(errno);
    return plan;
  }
  if (!S_ISDIR(folder.st_mode)) {
    plan.refusal = plan.folder.string() + " is not a folder";
    return plan;
  }
  const int folderDenial = WriteDenial(plan.folder, folder);
  plan.newFileAllowed = folderDenial == 0;
  if (Stat(target, plan.file, FileWriteStep::InspectFile)) {
    plan.exists = true;
    if (S_ISDIR(plan.file.st_mode))
      plan.refusal = "it is a folder";
    else if (!S_ISREG(plan.file.st_mode))
      plan.refusal = "it is not a plain file";
    else if (const int denial = WriteDenial(target, plan.file))
      plan.refusal = Denied("the file", denial);
  } else if (errno == EACCES) {
    plan.refusal = folderName + " cannot be entered: " + Why(errno);
  } else if (errno != ENOENT) {
    plan.refusal = Why(errno);
  } else if (!plan.newFileAllowed) {
    plan.refusal = Denied(folderName, folderDenial);
  }
  return plan;
}

// A link is written through to the file it names, so the link survives the rename.
fs::path LinkTarget(const std::string& path) {
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  return target;
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  if (Injected(FileWriteStep::Write)) return false;
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

bool Sync(int fd) { return !Injected(FileWriteStep::Sync) && ::fsync(fd) == 0; }

// A new file of a short name (".gw" and seven letters or digits: it fits wherever the target's name fits)
// in the folder, made exclusively, so another file is never touched. Its permissions are those a new file
// gets (the process's file mode mask applies).
int CreateTemporary(int folderFd, std::string& name) {
  if (Injected(FileWriteStep::CreateTemporary)) return -1;
  static std::atomic<std::uint64_t> serial{0};
  struct timespec now {};
  ::clock_gettime(CLOCK_REALTIME, &now);
  std::uint64_t state = (static_cast<std::uint64_t>(::getpid()) << 32) ^ static_cast<std::uint64_t>(now.tv_nsec) ^
                        (static_cast<std::uint64_t>(now.tv_sec) << 20) ^ (++serial * 0x9E3779B97F4A7C15ull);
  static const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    // splitmix64: a fresh draw for every attempt.
    std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    name = ".gw";
    for (int i = 0; i < 7; ++i, z /= 36) name += kLetters[z % 36];
    const int fd = ::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

// Writes the bytes over the start of the file and cuts it to their length. Over the old bytes first, rather
// than emptying the file at once, so that a full disk can only fail where the file grows.
std::string WriteInPlace(const fs::path& target, std::span<const std::uint8_t> bytes) {
  if (Injected(FileWriteStep::WriteInPlace)) return Why(errno);
  Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
  if (!fd) return Why(errno);
  if (!WriteAll(fd.get(), bytes) || ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) != 0 || !Sync(fd.get()) ||
      !fd.close())
    return Why(errno);
  return {};
}

// A failure on the way through a temporary file: the step and its errno value.
struct TemporaryFailure {
  FileWriteStep step;
  int error;
};

// The temporary file in `folderFd` is filled, given the old file's owner and permissions, flushed to the
// disk and put in the file's place. A failure leaves no temporary file behind.
std::optional<TemporaryFailure> ReplaceThroughTemporary(int folderFd, const std::string& folder,
                                                        const std::string& name, const WritePlan& plan,
                                                        std::span<const std::uint8_t> bytes) {
  std::string tmpName;
  Fd tmp(CreateTemporary(folderFd, tmpName));
  if (!tmp) return TemporaryFailure{FileWriteStep::CreateTemporary, errno};
  if (g_watcher) g_watcher->TemporaryCreated(folder, tmpName);
  const auto fail = [&](FileWriteStep step) {
    const int error = errno;
    ::unlinkat(folderFd, tmpName.c_str(), 0);
    return TemporaryFailure{step, error};
  };
  if (!WriteAll(tmp.get(), bytes)) return fail(FileWriteStep::Write);
  if (plan.exists) {
    // Owner first: a change of owner may clear the set-id bits that the mode then restores. Either may be
    // refused (another user's file); the file is written all the same, as a new one would be.
    [[maybe_unused]] const int owned = ::fchown(tmp.get(), plan.file.st_uid, plan.file.st_gid);
    [[maybe_unused]] const int moded = ::fchmod(tmp.get(), plan.file.st_mode & 07777);
  }
  if (!Sync(tmp.get()) || !tmp.close()) return fail(FileWriteStep::Sync);
  if (Injected(FileWriteStep::Rename) || ::renameat(folderFd, tmpName.c_str(), folderFd, name.c_str()) != 0)
    return fail(FileWriteStep::Rename);
  // The folder's entry for the new file goes to the disk too, where the folder lets itself be synced.
  ::fsync(folderFd);
  return std::nullopt;
}

// The folder, opened for the names inside it (and for syncing it, where it can be read).
int OpenFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  return fd >= 0 ? fd : ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
}

std::string Replace(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) return "no file name";
  const fs::path target = LinkTarget(path);
  const WritePlan plan = PlanWrite(target);
  if (!plan.refusal.empty()) return plan.refusal;

  if (plan.newFileAllowed) {
    // Names are used from the opened folder, so only the file's own name needs to fit, whatever the length
    // of the folder's path.
    const Fd folderFd(OpenFolder(plan.folder));
    if (!folderFd) return Why(errno);
    const auto failure =
        ReplaceThroughTemporary(folderFd.get(), plan.folder.string(), target.filename().string(), plan, bytes);
    if (!failure) return {};
    // A folder that refuses a new file for permission, or lets no file be renamed over this one, still lets
    // a writable file be written in place. Any other failure (a full disk, a spent quota) is reported and
    // the file stays whole: written in place, it could be cut short by the same cause.
    const int e = failure->error;
    const bool refusedForPermission = e == EACCES || e == EPERM;
    const bool folderRefused = (failure->step == FileWriteStep::CreateTemporary && refusedForPermission) ||
                               (failure->step == FileWriteStep::Rename && (refusedForPermission || e == EBUSY));
    if (!plan.exists || !folderRefused) return Why(failure->error);
  }
  return WriteInPlace(target, bytes);
}

}  // namespace

std::string FileWriteRefusal(const std::string& path) {
  if (path.empty()) return "no file name";
  try {
    return PlanWrite(LinkTarget(path)).refusal;
  } catch (const std::exception& e) {
    return e.what();
  }
}

std::string ReplaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes) {
  try {
    return Replace(path, bytes);
  } catch (const std::bad_alloc&) {
    return "not enough memory";
  } catch (const std::exception& e) {
    return e.what();
  }
}

namespace {

// Why a file of this kind is not read.
std::string NotARegularFile(mode_t mode) {
  if (S_ISDIR(mode)) return "it is a folder";
  if (S_ISFIFO(mode)) return "it is a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "it is a device";
  if (S_ISSOCK(mode)) return "it is a socket";
  return "it is not a regular file";
}

// Reads on to the end of the file, or until `bytes` holds `upTo` bytes; false (errno set) on a failed read.
bool ReadOn(int fd, std::vector<std::uint8_t>& bytes, std::uintmax_t upTo) {
  std::uint8_t chunk[1 << 16];
  while (bytes.size() < upTo) {
    const ssize_t n = ::read(fd, chunk, static_cast<std::size_t>(std::min<std::uintmax_t>(sizeof chunk, upTo - bytes.size())));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  return true;
}

}  // namespace

OpenedFile OpenFileToRead(const std::string& path) {
  OpenedFile r;
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (!fd) {
    r.missing = errno == ENOENT || errno == ENOTDIR;
    r.error = r.missing ? "no such file" : Why(errno);
    return r;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    r.error = Why(errno);
    return r;
  }
  if (!S_ISREG(st.st_mode)) {
    r.error = NotARegularFile(st.st_mode);
    return r;
  }
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
    r.error = Why(errno);
    return r;
  }
  r.size = static_cast<std::uint64_t>(st.st_size);
  r.fd = fd.release();
  return r;
}

FileContents ReadFileContents(const std::string& path, std::uintmax_t limit) {
  FileContents r;
  try {
    OpenedFile opened = OpenFileToRead(path);
    const Fd fd(opened.fd);
    if (!fd) {
      r.missing = opened.missing;
      r.error = std::move(opened.error);
      return r;
    }
    const auto refuseTooLarge = [&] {
      r.tooLarge = true;
      r.error = "the file is too large";
    };
    if (opened.size > limit) {
      refuseTooLarge();
      return r;
    }
    r.bytes.reserve(static_cast<std::size_t>(opened.size));
    // Read to the end, whatever the size said (files of the system's own folders give none), and one byte
    // past the limit to tell a file that grew beyond it.
    const std::uintmax_t upTo = limit == UINTMAX_MAX ? limit : limit + 1;
    if (!ReadOn(fd.get(), r.bytes, upTo))
      r.error = Why(errno);
    else if (r.bytes.size() > limit)
      refuseTooLarge();
  } catch (const std::bad_alloc&) {
    r.error = "not enough memory";
  }
  if (!r.error.empty()) r.bytes = {};
  return r;
}

void WatchFileWrites(FileWriteWatcher* watcher) { g_watcher = watcher; }

}  // namespace gw
