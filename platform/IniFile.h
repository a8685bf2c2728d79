#pragma once
// Settings in an INI text file, with the semantics of the platform's profile-string functions: section and
// key names match whatever their letter case, blanks around keys and values are trimmed, a rewritten key
// keeps its place, a new key goes to the end of its section and a new section to the end of the file, and
// every other line is kept as it was. The file is read once, at the object's first use; writes change the
// object's copy, and flush() writes the whole file once (through ReplaceFileContents). A write that cannot
// be made throws IniWriteError.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace gw {

class IniWriteError : public std::runtime_error {
 public:
  explicit IniWriteError(const std::string& message) : std::runtime_error(message), reason_(message) {}
  // "Unable to write to <path>: <reason>".
  IniWriteError(const std::string& path, const std::string& reason)
      : std::runtime_error("Unable to write to " + path + ": " + reason), reason_(reason) {}
  // Why, without the file's name.
  const std::string& reason() const { return reason_; }

 private:
  std::string reason_;
};

// A settings file is never larger than this; a larger one reads as empty and is not written over.
inline constexpr std::uintmax_t kMaxIniFileBytes = 1u << 20;

class IniFile {
 public:
  // Over the file at path.
  explicit IniFile(std::string path);
  // Over the text given, as if the file held it (a file read already); flush() writes to path.
  static IniFile FromText(std::string_view text, std::string path);

  const std::string& path() const { return path_; }
  // The file's text as flush() writes it: every line ends in LF.
  std::string text() const;

  // Values are read up to 2047 characters.
  std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
  // Decimal, or hexadecimal after "0x"; anything else gives def.
  int readInteger(const std::string& section, const std::string& key, int def) const;
  // An integer other than 0 is true.
  bool readBool(const std::string& section, const std::string& key, bool def) const;

  // A write of the value a key holds already, or an erase of a section that is not there, changes nothing.
  void writeString(const std::string& section, const std::string& key, const std::string& value);
  void writeInteger(const std::string& section, const std::string& key, int value);
  void writeBool(const std::string& section, const std::string& key, bool value);  // "1" / "0"

  // Every "key=value" line of the section, in file order (keys and values trimmed).
  std::vector<std::string> readSectionValues(const std::string& section) const;
  void eraseSection(const std::string& section);
  // Writes the file whole when anything changed since it was read or last flushed; with nothing changed,
  // only reports a file that cannot be written. On failure the changes stay, for another flush.
  void flush();

 private:
  const std::vector<std::string>& lines() const;
  // The lines to change; throws when the file may not be written (the first change only: flush reports
  // what happens after it).
  std::vector<std::string>& changeableLines();
  [[noreturn]] void refuse(const std::string& why) const;

  std::string path_;
  mutable std::optional<std::vector<std::string>> lines_;  // read at first use
  mutable std::string unreadable_;                         // why an existing file could not be read
  bool changed_ = false;
};

}  // namespace gw
