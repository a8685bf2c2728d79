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
// Why the file at path could not be written (a missing or read-only folder, a read-only file, a folder in
// its place), as far as can be told before trying; an empty text when nothing stands in the way. Permission
// bits count even for the superuser, so a file marked read-only stays so.
std::string FileWriteRefusal(const std::string& path);

}  // namespace gw
