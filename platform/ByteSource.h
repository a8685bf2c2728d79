#pragma once
// Bytes read by their place, out of a file or out of bytes in memory through one interface, so that a reader
// takes only the parts it needs of a file of any size. Every read is checked against the size in 64-bit
// arithmetic and gives nothing when the bytes are not all there. A file is read with positioned reads, not
// mapped: one that is cut short while it is open gives nothing for the bytes it lost, where a mapping would
// end the program.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace gw {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // The size the bytes had when they were opened.
  virtual std::uint64_t size() const = 0;

  // Whether the n bytes from `at` on lie within the size.
  bool has(std::uint64_t at, std::uint64_t n) const { return at <= size() && n <= size() - at; }
  // The n bytes from `at` on; nothing when they do not all lie within the size, cannot all be read, or there
  // is no memory for them.
  std::optional<std::vector<std::uint8_t>> bytes(std::uint64_t at, std::uint64_t n) const;
  // Little-endian numbers, as ByteReader reads them.
  std::optional<std::uint32_t> u8(std::uint64_t at) const { return number(at, 1); }
  std::optional<std::uint32_t> u16(std::uint64_t at) const { return number(at, 2); }
  std::optional<std::uint32_t> u32(std::uint64_t at) const { return number(at, 4); }

 protected:
  // Fills `out` with the bytes from `at` on, a range within the size: false when they cannot all be read.
  virtual bool readAt(std::uint64_t at, std::span<std::uint8_t> out) const = 0;

 private:
  std::optional<std::uint32_t> number(std::uint64_t at, int width) const;
};

// Bytes in memory, which must outlive the source.
class MemoryBytes final : public ByteSource {
 public:
  explicit MemoryBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }

 protected:
  bool readAt(std::uint64_t at, std::span<std::uint8_t> out) const override;

 private:
  std::span<const std::uint8_t> bytes_;
};

// A regular file, opened through OpenFileToRead and closed with the source. Small reads (the numbers and
// short tables of a header) are served from the last block of the file read, so a reader may take its
// fields one by one without a system call each; larger ones go to the file.
class FileBytes final : public ByteSource {
 public:
  // The file at `path`, or nullptr and the reason in `error` (`missing` set when there is no such file).
  static std::unique_ptr<FileBytes> Open(const std::string& path, std::string& error, bool* missing = nullptr);
  ~FileBytes() override;
  FileBytes(const FileBytes&) = delete;
  FileBytes& operator=(const FileBytes&) = delete;
  std::uint64_t size() const override { return size_; }

 protected:
  bool readAt(std::uint64_t at, std::span<std::uint8_t> out) const override;

 private:
  FileBytes(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
  // Reads into `out` from `at` on until it is full or the file ends; gives how many bytes were read.
  std::size_t ReadFile(std::uint64_t at, std::span<std::uint8_t> out) const;
  static constexpr std::uint64_t kBlock = 1 << 16;
  static constexpr std::uint64_t kSmallRead = 256;  // reads of at most this much within a block use it
  int fd_;
  std::uint64_t size_;
  mutable std::vector<std::uint8_t> block_;   // the bytes of the file from blockAt_ on
  mutable std::uint64_t blockAt_ = UINT64_MAX;
};

}  // namespace gw
