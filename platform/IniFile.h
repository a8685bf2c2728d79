#pragma once
// Settings in an INI text file, with the semantics of the platform's profile-string functions: section and
// key names match whatever their letter case, blanks around keys and values are trimmed, a rewritten key
// keeps its place, a new key goes to the end of its section and a new section to the end of the file, and
// every other line is kept as it was. Each write goes to the file at once (written whole to a temporary file
// beside it, then renamed); a write that cannot be made throws IniWriteError.

#include <stdexcept>
#include <string>
#include <vector>

namespace gw {

class IniWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IniFile {
 public:
  explicit IniFile(std::string path);

  const std::string& path() const { return path_; }

  // Values are read up to 2047 characters.
  std::string readString(const std::string& section, const std::string& key, const std::string& def) const;
  // Decimal, or hexadecimal after "0x"; anything else gives def.
  int readInteger(const std::string& section, const std::string& key, int def) const;
  // An integer other than 0 is true.
  bool readBool(const std::string& section, const std::string& key, bool def) const;

  void writeString(const std::string& section, const std::string& key, const std::string& value);
  void writeInteger(const std::string& section, const std::string& key, int value);
  void writeBool(const std::string& section, const std::string& key, bool value);  // "1" / "0"

  // Every "key=value" line of the section, in file order (keys and values trimmed).
  std::vector<std::string> readSectionValues(const std::string& section) const;
  void eraseSection(const std::string& section);
  // Writes are already on disk; this only reports a file that cannot be written.
  void flush();

 private:
  std::vector<std::string> load() const;
  void store(const std::vector<std::string>& lines);

  std::string path_;
};

}  // namespace gw
