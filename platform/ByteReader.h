#pragma once
// Little-endian numbers and byte ranges read out of a file's bytes at 64-bit offsets. Every read checks that
// the bytes are all there and gives nothing when they are not, so a reader built on it cannot look past the
// end of its input whatever offsets and sizes the file claims. Offset arithmetic in 64 bits does not wrap
// for offsets made of 32-bit fields.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gw {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  std::uint64_t size() const { return bytes_.size(); }
  // Whether the n bytes from `at` on are all in the input.
  bool has(std::uint64_t at, std::uint64_t n) const { return at <= size() && n <= size() - at; }

  std::optional<std::span<const std::uint8_t>> bytes(std::uint64_t at, std::uint64_t n) const {
    if (!has(at, n)) return std::nullopt;
    return bytes_.subspan(static_cast<std::size_t>(at), static_cast<std::size_t>(n));
  }
  std::optional<std::uint32_t> u8(std::uint64_t at) const { return number(at, 1); }
  std::optional<std::uint32_t> u16(std::uint64_t at) const { return number(at, 2); }
  std::optional<std::uint32_t> u24(std::uint64_t at) const { return number(at, 3); }
  std::optional<std::uint32_t> u32(std::uint64_t at) const { return number(at, 4); }
  std::optional<std::int32_t> i32(std::uint64_t at) const {
    const auto v = u32(at);
    if (!v) return std::nullopt;
    return static_cast<std::int32_t>(*v);
  }

 private:
  std::optional<std::uint32_t> number(std::uint64_t at, int width) const {
    if (!has(at, static_cast<std::uint64_t>(width))) return std::nullopt;
    std::uint32_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | bytes_[static_cast<std::size_t>(at) + static_cast<std::size_t>(i)];
    return v;
  }

  std::span<const std::uint8_t> bytes_;
};

}  // namespace gw
