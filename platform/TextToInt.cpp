#include "platform/TextToInt.h"

#include <cstdint>

namespace gw {

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

std::optional<int> TextToInt(const std::string& text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n && text[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  bool hex = false;
  if (i < n && text[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return std::nullopt;
  std::int64_t v = 0;
  for (; i < n; ++i) {
    const int d = hex ? HexDigit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (d < 0) return std::nullopt;
    v = v * (hex ? 16 : 10) + d;
    if (v > (hex ? 0xFFFFFFFFLL : 0x80000000LL)) return std::nullopt;
  }
  if (hex) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
  if (negative) v = -v;
  if (v > 0x7FFFFFFFLL || v < -0x80000000LL) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace gw
