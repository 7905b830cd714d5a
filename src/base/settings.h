#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "base/colour_names.h"
#include "base/file_io.h"

namespace quillon {

enum class SettingsFile { Default, Options };  // DEFAULT.INI, OPTIONS.INI

// The body builder's colours as a fresh installation has them.
namespace body_colour_default {
inline constexpr int kBg = 16777215, kText = 0, kLink = 16711680, kVLink = 8388736, kALink = 10485760;
}

// The run-time values of both settings files, read once at start and changed by the operations that write
// them. Every value is named by its file, section and key in settings.cpp's table.
struct RunSettings {
  // DEFAULT.INI
  std::string startLocation;  // default: the program directory
  std::string filesLocation = "c:";
  std::string filesSelected;
  bool filesUseSel = false;
  bool filesConfirm = true;
  std::string relImage;
  std::string previewOption = "temp";
  std::string images;
  std::string ftpImages;  // empty: takes the value of images
  bool msieControl = true;
  bool ftpAuto = true;
  std::string ext = "html";
  bool strong = false;
  bool em = false;
  bool colored = false;
  bool wrap = true;
  bool editProblem = false;
  std::string ftpPath;
  std::string editor;
  std::string imagemap;
  bool useAnchor = false;
  std::string anchorPath;

  // OPTIONS.INI
  std::string netscape;
  std::string msie;
  std::string htmlTemp;
  bool showTips = true;
  int backupType = 1;
  int promptFreq = 5;
  std::string email = "webmaster@example.invalid";
  // The editing window's font, size in points, and whether it shows line numbers.
  std::string editorFont = "Sans Serif";
  int editorSize = 9;
  bool lineNumbers = false;
  int undoRuns = 10;         // site-wide replaces kept for undo
  int recoverySeconds = 15;  // unsaved edits are copied for recovery at most this often
  // Tags coloured as the text changes; end tags, element and attribute names offered while typing.
  bool colourAsYouType = true;
  bool completeTags = true;
  // Pages open in tabs of their own; the open pages come back at the next start.
  bool openInNewTab = true;
  bool restorePages = true;
  // "System" follows the desktop's light or dark palette; "Light" and "Dark" hold whatever it is.
  std::string scheme = "System";
  // Check Site: a page with its loads up to GoodKB is light, above HeavyKB too heavy; whether external
  // links are asked.
  int checkGoodKB = 500;
  int checkHeavyKB = 1500;
  bool checkExternal = false;
  // DEFAULT, HREF, IMG, FONT, TABLE, LIST, by colour name
  std::array<std::string, 6> tagColourNames = {"clRed", "clRed", "clRed", "clRed", "clRed", "clRed"};
  // The body builder's colours, each a stored colour value (decimal, or hexadecimal after "0x")
  int bodyBg = body_colour_default::kBg;
  int bodyText = body_colour_default::kText;
  int bodyLink = body_colour_default::kLink;
  int bodyVLink = body_colour_default::kVLink;
  int bodyALink = body_colour_default::kALink;
  std::array<std::string, 4> recent;

  bool operator==(const RunSettings&) const = default;
};

inline constexpr std::array<const char*, 6> kTagColourKeys = {"DEFAULT", "HREF", "IMG", "FONT", "TABLE", "LIST"};

// Reads DEFAULT.INI and OPTIONS.INI of the program directory; anything missing or unreadable keeps its
// default.
RunSettings loadSettings(const std::string& programDir);

// Every value as "[Section] Key" and its text as it would be stored ("1"/"0" for flags).
std::vector<std::pair<std::string, std::string>> settingsAsText(const RunSettings& settings);

// Writes one value to its file at once, keeping every other line of the file.
class SettingsWriter {
 public:
  explicit SettingsWriter(std::string programDir) : programDir_(std::move(programDir)) {}
  // Assigns a run-time value and writes it to the file, section and key the settings table gives it.
  WriteResult set(RunSettings& settings, std::string RunSettings::*member, std::string value) const;
  WriteResult set(RunSettings& settings, bool RunSettings::*member, bool value) const;
  WriteResult set(RunSettings& settings, int RunSettings::*member, int value) const;
  // Writes, together, the values of these members as `settings` holds them.
  WriteResult store(const RunSettings& settings, std::initializer_list<int RunSettings::*> members) const;
  // Writes every value, tag colours included, whose stored text differs between the two: the values an
  // operation changed, and no others, so that another instance's values survive.
  WriteResult storeChanges(const RunSettings& before, const RunSettings& after) const;
  // The four recent projects, [Recent] File1 to File4 of OPTIONS.INI.
  WriteResult setRecent(RunSettings& settings, const std::array<std::string, 4>& recent) const;
  WriteResult write(SettingsFile file, const std::string& section, const std::string& key,
                    const std::string& value) const;
  WriteResult writeFlag(SettingsFile file, const std::string& section, const std::string& key, bool value) const {
    return write(file, section, key, value ? "1" : "0");
  }
  std::string pathOf(SettingsFile file) const;

 private:
  std::string programDir_;
};

}  // namespace quillon
