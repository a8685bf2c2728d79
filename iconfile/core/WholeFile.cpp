#include "iconfile/core/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

namespace gw {

namespace fs = std::filesystem;

TempFileBeside::TempFileBeside(std::string target) : target_(std::move(target)) {
  // Through a link to the file it names, so the link survives the rename.
  std::error_code ec;
  if (fs::is_symlink(target_, ec)) {
    const fs::path resolved = fs::weakly_canonical(target_, ec);
    if (!ec) target_ = resolved.string();
  }
  const fs::path folder = fs::path(target_).parent_path();
  std::string pattern = ((folder.empty() ? fs::path(".") : folder) / ".glyphwerk-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemp(name.data());
  if (fd < 0) {
    error_ = std::strerror(errno);
    return;
  }
  ::close(fd);
  path_ = name.data();
}

TempFileBeside::~TempFileBeside() {
  if (!path_.empty() && !committed_) ::unlink(path_.c_str());
}

bool TempFileBeside::commit() {
  if (path_.empty()) return false;
  struct stat st {};
  mode_t mode;
  if (::stat(target_.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::chmod(path_.c_str(), mode);
  if (::rename(path_.c_str(), target_.c_str()) != 0) {
    error_ = std::strerror(errno);
    return false;
  }
  committed_ = true;
  return true;
}

bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error) {
  TempFileBeside temp(path);
  if (!temp.ok()) {
    error = temp.error();
    return false;
  }
  const int fd = ::open(temp.path().c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error = n < 0 ? std::strerror(errno) : "nothing written";
      ::close(fd);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    error = std::strerror(errno);
    return false;
  }
  if (!temp.commit()) {
    error = temp.error();
    return false;
  }
  return true;
}

}  // namespace gw
