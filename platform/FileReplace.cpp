#include "platform/FileReplace.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace gw {

namespace fs = std::filesystem;

std::string ReplaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes) {
  if (path.empty()) return "no file name";
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  if (fs::is_directory(target, ec)) return "it is a folder";

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
