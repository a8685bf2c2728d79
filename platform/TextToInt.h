#pragma once
// The one text-to-integer conversion of the settings and palette files: optional leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "0x" or "0X" (at most 32 bits, taken as a
// signed 32-bit pattern, so 0xFFFFFFFF is -1). Nothing else may follow. A decimal outside the signed 32-bit
// range, or any other text, gives no value.

#include <optional>
#include <string>

namespace gw {

std::optional<int> TextToInt(const std::string& text);

}  // namespace gw
