#pragma once
// Writing a whole file so that it is either replaced completely or left as it was: the bytes go to a
// temporary file beside it, which is then renamed over it.

#include <cstdint>
#include <span>
#include <string>

namespace gw {

// Returns an empty text on success, otherwise the reason (the target is then unchanged). A symbolic link is
// written through, so the link survives; the permissions of an existing file are kept.
std::string ReplaceFileContents(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace gw
