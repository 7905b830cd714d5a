#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"

namespace quillon {

// A settings file in the «[Section]» / «Key=Value» form. Section and key names match without regard to
// A-Z case; the first matching section and key win; lines that are neither are skipped on reading and kept
// on writing. A missing file, section or key gives the caller's default.
class IniFile {
 public:
  IniFile() = default;
  explicit IniFile(std::string_view bytes);
  static IniFile load(const std::string& path);  // a missing or unreadable file reads as empty

  std::string readString(std::string_view section, std::string_view key, std::string_view fallback) const;
  // Decimal with an optional sign; a value with no leading number gives the fallback.
  int readInt(std::string_view section, std::string_view key, int fallback) const;
  // True when the stored integer is not 0.
  bool readBool(std::string_view section, std::string_view key, bool fallback) const;
  bool hasKey(std::string_view section, std::string_view key) const;

  // Sets a value in memory, keeping every other line byte for byte.
  void setValue(std::string_view section, std::string_view key, std::string_view value);
  std::string bytes() const;
  // Removes the first section of that name with all its lines; false when there is none.
  bool eraseSection(std::string_view section);

  // Under a lock on the file's folder, reads the file afresh, sets one value and rewrites the file
  // atomically, so that other processes' keys survive. A section, key or value holding CR, LF or NUL is
  // refused: it would inject lines into the file.
  static WriteResult writeValue(const std::string& path, std::string_view section, std::string_view key,
                                std::string_view value);
  struct Entry {
    std::string section, key, value;
  };
  // The same for several values of one file, written together.
  static WriteResult writeValues(const std::string& path, const std::vector<Entry>& entries);
  // The same for removing a section, every copy of it when the file holds it more than once.
  static WriteResult eraseSectionIn(const std::string& path, std::string_view section);

 private:
  struct Line {
    std::string text;    // without its line end
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
  };
  struct Found {
    long sectionLine = -1;  // index of the [Section] line
    long sectionEnd = -1;   // one past the section's last line
    long keyLine = -1;
    std::string value;
  };
  Found find(std::string_view section, std::string_view key) const;

  std::vector<Line> lines_;
};

}  // namespace quillon
