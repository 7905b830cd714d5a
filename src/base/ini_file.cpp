#include "base/ini_file.h"

#include <cstdlib>

#include "base/text_bytes.h"

namespace quillon {

IniFile::IniFile(std::string_view bytes) {
  size_t start = 0;
  const size_t n = bytes.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c != '\r' && c != '\n') continue;
    size_t end = i + 1;
    if (c == '\r' && end < n && bytes[end] == '\n') ++end;
    lines_.push_back({std::string(bytes.substr(start, i - start)), std::string(bytes.substr(i, end - i))});
    i = end - 1;
    start = end;
  }
  if (start < n) lines_.push_back({std::string(bytes.substr(start)), ""});
}

IniFile IniFile::load(const std::string& path) {
  const auto data = readWholeFile(path);
  return data ? IniFile(*data) : IniFile();
}

static bool sectionName(std::string_view line, std::string_view& name) {
  line = trimBlanks(line);
  if (line.size() < 2 || line.front() != '[') return false;
  const size_t close = line.find(']');
  if (close == std::string_view::npos) return false;
  name = trimBlanks(line.substr(1, close - 1));
  return true;
}

IniFile::Found IniFile::find(std::string_view section, std::string_view key) const {
  Found found;
  bool inSection = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string_view name;
    if (sectionName(lines_[i].text, name)) {
      if (inSection) {
        found.sectionEnd = static_cast<long>(i);
        return found;
      }
      if (found.sectionLine < 0 && equalsIgnoringAsciiCase(name, section)) {
        inSection = true;
        found.sectionLine = static_cast<long>(i);
      }
      continue;
    }
    if (!inSection || found.keyLine >= 0) continue;
    const std::string_view text = lines_[i].text;
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) continue;
    if (equalsIgnoringAsciiCase(trimBlanks(text.substr(0, eq)), key)) {
      found.keyLine = static_cast<long>(i);
      found.value = std::string(trimBlanks(text.substr(eq + 1)));
    }
  }
  if (inSection) found.sectionEnd = static_cast<long>(lines_.size());
  return found;
}

bool IniFile::hasKey(std::string_view section, std::string_view key) const { return find(section, key).keyLine >= 0; }

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view fallback) const {
  const Found f = find(section, key);
  return f.keyLine >= 0 ? f.value : std::string(fallback);
}

int IniFile::readInt(std::string_view section, std::string_view key, int fallback) const {
  const Found f = find(section, key);
  if (f.keyLine < 0) return fallback;
  const std::string& v = f.value;
  size_t i = 0;
  bool negative = false;
  if (i < v.size() && (v[i] == '-' || v[i] == '+')) negative = v[i++] == '-';
  if (i >= v.size() || v[i] < '0' || v[i] > '9') return fallback;
  long long n = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9') {
    n = n * 10 + (v[i++] - '0');
    if (n > 2147483647LL) return fallback;
  }
  return static_cast<int>(negative ? -n : n);
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool fallback) const {
  return readInt(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
  const Found f = find(section, key);
  std::string line = std::string(key) + "=" + std::string(value);
  if (f.keyLine >= 0) {
    lines_[static_cast<size_t>(f.keyLine)].text = std::move(line);
    return;
  }
  if (f.sectionLine >= 0) {
    // After the section's last non-blank line, so blank separators stay between sections.
    long at = f.sectionEnd;
    while (at - 1 > f.sectionLine && trimBlanks(lines_[static_cast<size_t>(at - 1)].text).empty()) --at;
    if (lines_[static_cast<size_t>(at - 1)].ending.empty()) lines_[static_cast<size_t>(at - 1)].ending = "\r\n";
    lines_.insert(lines_.begin() + at, Line{std::move(line), "\r\n"});
    return;
  }
  if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = "\r\n";
  lines_.push_back({"[" + std::string(section) + "]", "\r\n"});
  lines_.push_back({std::move(line), "\r\n"});
}

std::string IniFile::bytes() const {
  std::string out;
  for (const auto& l : lines_) {
    out += l.text;
    out += l.ending;
  }
  return out;
}

WriteResult IniFile::writeValue(const std::string& path, std::string_view section, std::string_view key,
                                std::string_view value) {
  return writeValues(path, {{std::string(section), std::string(key), std::string(value)}});
}

bool IniFile::eraseSection(std::string_view section) {
  const Found found = find(section, {});
  if (found.sectionLine < 0) return false;
  lines_.erase(lines_.begin() + found.sectionLine, lines_.begin() + found.sectionEnd);
  return true;
}

WriteResult IniFile::eraseSectionIn(const std::string& path, std::string_view section) {
  const FolderLock lock(std::string(folderPart(path)));
  IniFile ini = load(path);
  bool erased = false;
  while (ini.eraseSection(section)) erased = true;  // a section written twice by hand goes as a whole
  if (!erased) return {true, {}, {}};
  return writeFileAtomic(path, ini.bytes());
}

WriteResult IniFile::writeValues(const std::string& path, const std::vector<Entry>& entries) {
  for (const Entry& e : entries)
    for (std::string_view part : {std::string_view(e.section), std::string_view(e.key), std::string_view(e.value)})
      if (part.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        return {false, "A setting cannot hold a line break", path};
  // Another instance sharing the program directory may be writing its own keys: re-read under the lock.
  const FolderLock lock(std::string(folderPart(path)));
  IniFile ini = load(path);
  for (const Entry& e : entries) ini.setValue(e.section, e.key, e.value);
  return writeFileAtomic(path, ini.bytes());
}

}  // namespace quillon
