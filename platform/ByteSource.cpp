#include "platform/ByteSource.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

#include "platform/ByteReader.h"
#include "platform/FileReplace.h"

namespace gw {

std::optional<std::vector<std::uint8_t>> ByteSource::bytes(std::uint64_t at, std::uint64_t n) const {
  if (!has(at, n)) return std::nullopt;
  try {
    std::vector<std::uint8_t> out(static_cast<std::size_t>(n));
    if (!readAt(at, out)) return std::nullopt;
    return out;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  }
}

std::optional<std::uint32_t> ByteSource::number(std::uint64_t at, int width) const {
  std::uint8_t b[4] = {};
  const std::span<std::uint8_t> out(b, static_cast<std::size_t>(width));
  if (!has(at, out.size()) || !readAt(at, out)) return std::nullopt;
  const ByteReader r(out);
  return width == 1 ? r.u8(0) : width == 2 ? r.u16(0) : r.u32(0);
}

bool MemoryBytes::readAt(std::uint64_t at, std::span<std::uint8_t> out) const {
  const auto from = bytes_.subspan(static_cast<std::size_t>(at), out.size());
  std::copy(from.begin(), from.end(), out.begin());
  return true;
}

std::unique_ptr<FileBytes> FileBytes::Open(const std::string& path, std::string& error, bool* missing) {
  try {
    OpenedFile opened = OpenFileToRead(path);
    if (missing) *missing = opened.missing;
    if (opened.fd < 0) {
      error = std::move(opened.error);
      return nullptr;
    }
    const int fd = opened.fd;
    try {
      return std::unique_ptr<FileBytes>(new FileBytes(fd, opened.size));
    } catch (const std::bad_alloc&) {
      ::close(fd);
      throw;
    }
  } catch (const std::bad_alloc&) {
    error = "not enough memory";
    return nullptr;
  }
}

FileBytes::~FileBytes() { ::close(fd_); }

std::size_t FileBytes::ReadFile(std::uint64_t at, std::span<std::uint8_t> out) const {
  std::size_t done = 0;
  while (done < out.size()) {
    const ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(at + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // a failed read, or the end of a file that is shorter than it was
    done += static_cast<std::size_t>(n);
  }
  return done;
}

bool FileBytes::readAt(std::uint64_t at, std::span<std::uint8_t> out) const {
  const std::uint64_t start = at / kBlock * kBlock;
  if (out.empty() || out.size() > kSmallRead || (at + out.size() - 1) / kBlock * kBlock != start)
    return ReadFile(at, out) == out.size();
  if (blockAt_ != start) {
    blockAt_ = UINT64_MAX;
    block_.resize(static_cast<std::size_t>(std::min(kBlock, size_ - start)));
    block_.resize(ReadFile(start, block_));
    blockAt_ = start;
  }
  if (at - start + out.size() > block_.size()) return false;
  std::copy_n(block_.begin() + static_cast<std::ptrdiff_t>(at - start), out.size(), out.begin());
  return true;
}

}  // namespace gw
