#include "platform/FileReplace.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace gw {

namespace fs = std::filesystem;

namespace {

// Whether the permission bits leave `p` writable at all. Checked besides access(), which grants the
// superuser everything, so that a file or folder marked read-only stays so for every user.
bool HasWriteBit(const fs::path& p) {
  std::error_code ec;
  const auto perms = fs::status(p, ec).permissions();
  if (ec) return false;
  return (perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) != fs::perms::none;
}

// The reason `target` cannot be written, or "" when it can (as far as can be told before trying).
std::string WriteRefusal(const fs::path& target) {
  std::error_code ec;
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  if (!fs::is_directory(dir, ec)) return "the folder " + dir.string() + " does not exist";
  if (fs::exists(target, ec)) {
    if (fs::is_directory(target, ec)) return "it is a folder";
    if (::access(target.c_str(), W_OK) != 0 || !HasWriteBit(target)) return "the file is read-only";
  }
  if (::access(dir.c_str(), W_OK) != 0 || !HasWriteBit(dir)) return "the folder " + dir.string() + " is read-only";
  return {};
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

}  // namespace

std::string FileWriteRefusal(const std::string& path) {
  return path.empty() ? "no file name" : WriteRefusal(LinkTarget(path));
}

std::string ReplaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (std::string why = FileWriteRefusal(path); !why.empty()) return why;
  const fs::path target = LinkTarget(path);
  std::error_code ec;

  static std::atomic<unsigned> serial{0};
  const fs::path tmp = target.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++serial);
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(errno);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      fs::remove(tmp, ec);
      return "writing failed";
    }
  }
  // Keep the permissions of the file being replaced.
  if (fs::exists(target, ec)) fs::permissions(tmp, fs::status(target, ec).permissions(), ec);
  fs::rename(tmp, target, ec);
  if (ec) {
    const std::string why = ec.message();
    std::error_code ignored;
    fs::remove(tmp, ignored);
    return why;
  }
  return {};
}

}  // namespace gw
