// INI access with profile-string semantics. The file is read whole once, at the object's first use, and
// written whole at each flush that has changes to write; nothing is kept open.
//
// Lines may end in LF or CRLF when read; every line is written back with LF. A section header is a line whose
// first non-blank character is '[' and that has a ']' after it. A key line is any other line inside a section
// that holds a '=' and does not start with ';' (a comment). Lines before the first header, comments, blank
// lines and anything else are kept as they are. When a section name occurs twice, the first occurrence is the
// one read and written.

#include "platform/IniFile.h"

#include "platform/FileReplace.h"
#include "platform/TextToInt.h"

#include <cctype>
#include <optional>
#include <string_view>

namespace gw {

namespace {

constexpr size_t kMaxValueLength = 2047;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && isBlank(s[b])) ++b;
  while (e > b && isBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

bool equalsNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto ca = static_cast<unsigned char>(a[i]);
    const auto cb = static_cast<unsigned char>(b[i]);
    if (std::tolower(ca) != std::tolower(cb)) return false;
  }
  return true;
}

// The section name of a header line, or nothing for another line.
std::optional<std::string> headerName(const std::string& line) {
  const std::string t = trim(line);
  if (t.empty() || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return trim(t.substr(1, close - 1));
}

struct KeyLine {
  std::string key;
  std::string value;
};

// The key and value of a key line (trimmed), or nothing for another line.
std::optional<KeyLine> keyLine(const std::string& line) {
  const std::string t = trim(line);
  if (t.empty() || t.front() == ';' || t.front() == '[') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  KeyLine kl{trim(t.substr(0, eq)), trim(t.substr(eq + 1))};
  if (kl.key.empty()) return std::nullopt;
  return kl;
}

// Lines [begin, end) of the body of the first section named `section`; begin is the header's index.
struct SectionRange {
  size_t header;
  size_t end;
};

std::optional<SectionRange> findSection(const std::vector<std::string>& lines, const std::string& section,
                                        size_t from = 0) {
  const std::string want = trim(section);
  for (size_t i = from; i < lines.size(); ++i) {
    auto name = headerName(lines[i]);
    if (!name || !equalsNoCase(*name, want)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !headerName(lines[end])) ++end;
    return SectionRange{i, end};
  }
  return std::nullopt;
}

// Index of the line holding `key` in the section, if any.
std::optional<size_t> findKey(const std::vector<std::string>& lines, const SectionRange& sec,
                              const std::string& key) {
  const std::string want = trim(key);
  for (size_t i = sec.header + 1; i < sec.end; ++i) {
    auto kl = keyLine(lines[i]);
    if (kl && equalsNoCase(kl->key, want)) return i;
  }
  return std::nullopt;
}

bool hasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

// The lines of a text: LF or CRLF ends a line; a last line without an end is a line too.
std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(at, end - at));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    at = end + 1;
  }
  return lines;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

IniFile IniFile::FromText(std::string_view text, std::string path) {
  IniFile ini(std::move(path));
  ini.lines_ = SplitLines(text);
  return ini;
}

const std::vector<std::string>& IniFile::lines() const {
  if (!lines_) {
    // A missing file reads as empty; so does one that cannot be read, which is then not written over.
    const FileContents file = ReadFileContents(path_, kMaxIniFileBytes);
    if (!file.error.empty() && !file.missing) unreadable_ = file.error;
    lines_ = SplitLines({reinterpret_cast<const char*>(file.bytes.data()), file.bytes.size()});
  }
  return *lines_;
}

std::vector<std::string>& IniFile::changeableLines() {
  lines();
  if (!unreadable_.empty()) refuse("the file cannot be read (" + unreadable_ + ")");
  if (!changed_ && !path_.empty()) {
    if (const std::string why = FileWriteRefusal(path_); !why.empty()) refuse(why);
  }
  return *lines_;
}

void IniFile::refuse(const std::string& why) const { throw IniWriteError(path_, why); }

std::string IniFile::text() const {
  std::string t;
  for (const auto& l : lines()) t.append(l).push_back('\n');
  return t;
}

std::string IniFile::readString(const std::string& section, const std::string& key, const std::string& def) const {
  const auto& lines = this->lines();
  const auto sec = findSection(lines, section);
  if (!sec) return def;
  const auto at = findKey(lines, *sec, key);
  if (!at) return def;
  std::string value = keyLine(lines[*at])->value;
  if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
  return value;
}

int IniFile::readInteger(const std::string& section, const std::string& key, int def) const {
  const auto v = TextToInt(trim(readString(section, key, "")));
  return v ? *v : def;
}

bool IniFile::readBool(const std::string& section, const std::string& key, bool def) const {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::writeString(const std::string& section, const std::string& key, const std::string& value) {
  const std::string sectionName = trim(section);
  const std::string keyName = trim(key);
  const auto reject = [&](const std::string& why) { refuse(why); };
  if (sectionName.empty() || hasLineBreak(sectionName) || sectionName.find(']') != std::string::npos)
    reject("bad section name \"" + section + "\"");
  if (keyName.empty() || hasLineBreak(keyName) || keyName.find('=') != std::string::npos ||
      keyName.front() == '[' || keyName.front() == ';')
    reject("bad key name \"" + key + "\"");
  if (hasLineBreak(value)) reject("a value holds a line break");

  // A key that holds the value already is left as it is.
  const std::string newValue = trim(value);
  const auto held = findSection(lines(), sectionName);
  const auto heldAt = held ? findKey(lines(), *held, keyName) : std::nullopt;
  if (heldAt && keyLine(lines()[*heldAt])->value == newValue) return;

  auto& lines = changeableLines();
  const std::string newLine = keyName + "=" + newValue;
  const auto sec = findSection(lines, sectionName);
  if (!sec) {
    lines.push_back("[" + sectionName + "]");
    lines.push_back(newLine);
  } else if (const auto at = findKey(lines, *sec, keyName)) {
    lines[*at] = keyLine(lines[*at])->key + "=" + newValue;
  } else {
    // After the section's last non-blank line, so blank lines that part it from the next section stay there.
    size_t pos = sec->end;
    while (pos > sec->header + 1 && trim(lines[pos - 1]).empty()) --pos;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(pos), newLine);
  }
  changed_ = true;
}

void IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(const std::string& section, const std::string& key, bool value) {
  writeString(section, key, value ? "1" : "0");
}

std::vector<std::string> IniFile::readSectionValues(const std::string& section) const {
  std::vector<std::string> out;
  const auto& lines = this->lines();
  const auto sec = findSection(lines, section);
  if (!sec) return out;
  for (size_t i = sec->header + 1; i < sec->end; ++i) {
    auto kl = keyLine(lines[i]);
    if (!kl) continue;
    if (kl->value.size() > kMaxValueLength) kl->value.resize(kMaxValueLength);
    out.push_back(kl->key + "=" + kl->value);
  }
  return out;
}

void IniFile::eraseSection(const std::string& section) {
  if (!findSection(lines(), section)) return;
  auto& lines = changeableLines();
  while (const auto sec = findSection(lines, section)) {
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(sec->header),
                lines.begin() + static_cast<std::ptrdiff_t>(sec->end));
  }
  changed_ = true;
}

void IniFile::flush() {
  if (!changed_) {
    if (const std::string why = FileWriteRefusal(path_); !why.empty()) refuse(why);
    return;
  }
  const std::string t = text();
  if (const std::string why = ReplaceFileContents(path_, {reinterpret_cast<const std::uint8_t*>(t.data()), t.size()});
      !why.empty())
    refuse(why);
  changed_ = false;
}

}  // namespace gw
