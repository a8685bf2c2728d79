#pragma once
// Files written whole: the bytes go to a temporary file beside the target, which is renamed over it only
// when everything was written. A failure leaves the target as it was and no temporary file behind.

#include <cstdint>
#include <span>
#include <string>

namespace gw {

// A temporary file in the target's folder, removed again unless commit() renamed it over the target.
class TempFileBeside {
 public:
  explicit TempFileBeside(std::string target);
  ~TempFileBeside();
  TempFileBeside(const TempFileBeside&) = delete;
  TempFileBeside& operator=(const TempFileBeside&) = delete;

  // False when the temporary file could not be made; error() says why.
  bool ok() const { return !path_.empty(); }
  const std::string& path() const { return path_; }
  const std::string& error() const { return error_; }
  // Gives the temporary file the target's permissions (or the usual ones for a new file) and renames it
  // over the target. Returns false with error() set when that fails.
  bool commit();

 private:
  std::string target_;
  std::string path_;
  std::string error_;
  bool committed_ = false;
};

// Writes `bytes` as the whole content of `path`. Returns false with `error` set (the target untouched).
bool WriteWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, std::string& error);

}  // namespace gw
