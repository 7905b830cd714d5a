#include "base/settings.h"

#include <cstdlib>
#include <variant>

#include "base/colour_names.h"
#include "base/ini_file.h"

namespace quillon {

namespace {

using Member = std::variant<std::string RunSettings::*, bool RunSettings::*, int RunSettings::*>;

struct Key {
  SettingsFile file;
  const char* section;
  const char* key;
  Member member;
  bool colour = false;  // an int read as a stored colour value
};

const std::vector<Key>& keyTable() {
  using S = RunSettings;
  static const std::vector<Key> table = {
      {SettingsFile::Default, "Start", "Location", &S::startLocation},
      {SettingsFile::Default, "Files", "Location", &S::filesLocation},
      {SettingsFile::Default, "Files", "Selected", &S::filesSelected},
      {SettingsFile::Default, "Files", "UseSel", &S::filesUseSel},
      {SettingsFile::Default, "Files", "Confirm", &S::filesConfirm},
      {SettingsFile::Default, "Location", "RelImage", &S::relImage},
      {SettingsFile::Default, "Location", "PreviewOption", &S::previewOption},
      {SettingsFile::Default, "Location", "Images", &S::images},
      {SettingsFile::Default, "Location", "FTPImages", &S::ftpImages},
      {SettingsFile::Default, "HTML", "MSIEControl", &S::msieControl},
      {SettingsFile::Default, "HTML", "FTPAUTO", &S::ftpAuto},
      {SettingsFile::Default, "HTML", "Ext", &S::ext},
      {SettingsFile::Default, "TAGS", "STRONG", &S::strong},
      {SettingsFile::Default, "TAGS", "EM", &S::em},
      {SettingsFile::Default, "Tags", "Colored", &S::colored},
      {SettingsFile::Default, "Format", "Wrap", &S::wrap},
      {SettingsFile::Default, "Fix", "EditProblem", &S::editProblem},
      {SettingsFile::Default, "Helpers", "FTPPath", &S::ftpPath},
      {SettingsFile::Default, "Helpers", "Editor", &S::editor},
      {SettingsFile::Default, "Helpers", "Imagemap", &S::imagemap},
      {SettingsFile::Default, "Path", "UseAnchor", &S::useAnchor},
      {SettingsFile::Default, "Path", "AnchorPath", &S::anchorPath},
      {SettingsFile::Options, "Location", "Netscape", &S::netscape},
      {SettingsFile::Options, "Location", "MSIE", &S::msie},
      {SettingsFile::Options, "Location", "HTMLTemp", &S::htmlTemp},
      {SettingsFile::Options, "Help", "ShowTips", &S::showTips},
      {SettingsFile::Options, "Backup", "Type", &S::backupType},
      {SettingsFile::Options, "Backup", "PromptFreq", &S::promptFreq},
      {SettingsFile::Options, "Defaults", "EMAIL", &S::email},
      {SettingsFile::Options, "Editor", "Font", &S::editorFont},
      {SettingsFile::Options, "Editor", "Size", &S::editorSize},
      {SettingsFile::Options, "Editor", "LineNumbers", &S::lineNumbers},
      {SettingsFile::Options, "Search", "UndoRuns", &S::undoRuns},
      {SettingsFile::Options, "Editor", "RecoverySeconds", &S::recoverySeconds},
      {SettingsFile::Options, "Editor", "ColourAsYouType", &S::colourAsYouType},
      {SettingsFile::Options, "Editor", "CompleteTags", &S::completeTags},
      {SettingsFile::Options, "Editor", "OpenInNewTab", &S::openInNewTab},
      {SettingsFile::Options, "Editor", "RestorePages", &S::restorePages},
      {SettingsFile::Options, "Editor", "Scheme", &S::scheme},
      {SettingsFile::Options, "CheckSite", "GoodKB", &S::checkGoodKB},
      {SettingsFile::Options, "CheckSite", "HeavyKB", &S::checkHeavyKB},
      {SettingsFile::Options, "CheckSite", "External", &S::checkExternal},
      {SettingsFile::Options, "Colors", "BG", &S::bodyBg, true},
      {SettingsFile::Options, "Colors", "Text", &S::bodyText, true},
      {SettingsFile::Options, "Colors", "Link", &S::bodyLink, true},
      {SettingsFile::Options, "Colors", "VLink", &S::bodyVLink, true},
      {SettingsFile::Options, "Colors", "ALink", &S::bodyALink, true},
  };
  return table;
}

const char* fileName(SettingsFile file) { return file == SettingsFile::Default ? "DEFAULT.INI" : "OPTIONS.INI"; }

}  // namespace

RunSettings loadSettings(const std::string& programDir) {
  RunSettings s;
  s.startLocation = programDir;
  const IniFile defaults = IniFile::load(programDir + fileName(SettingsFile::Default));
  const IniFile options = IniFile::load(programDir + fileName(SettingsFile::Options));
  for (const Key& k : keyTable()) {
    const IniFile& ini = k.file == SettingsFile::Default ? defaults : options;
    std::visit(
        [&](auto member) {
          auto& field = s.*member;
          using T = std::decay_t<decltype(field)>;
          if constexpr (std::is_same_v<T, std::string>)
            field = ini.readString(k.section, k.key, field);
          else if constexpr (std::is_same_v<T, bool>)
            field = ini.readBool(k.section, k.key, field);
          else if (k.colour)
            field = readColourValue(ini.readString(k.section, k.key, ""), field);
          else
            field = ini.readInt(k.section, k.key, field);
        },
        k.member);
  }
  if (s.ftpImages.empty()) s.ftpImages = s.images;
  for (size_t i = 0; i < kTagColourKeys.size(); ++i)
    s.tagColourNames[i] = options.readString("Colors", kTagColourKeys[i], s.tagColourNames[i]);
  for (size_t i = 0; i < s.recent.size(); ++i)
    s.recent[i] = options.readString("Recent", "File" + std::to_string(i + 1), "");
  return s;
}

namespace {

std::string storedText(const RunSettings& s, const Member& member) {
  return std::visit(
      [&](auto m) -> std::string {
        const auto& field = s.*m;
        using T = std::decay_t<decltype(field)>;
        if constexpr (std::is_same_v<T, std::string>)
          return field;
        else if constexpr (std::is_same_v<T, bool>)
          return field ? "1" : "0";
        else
          return std::to_string(field);
      },
      member);
}

}  // namespace

std::vector<std::pair<std::string, std::string>> settingsAsText(const RunSettings& s) {
  std::vector<std::pair<std::string, std::string>> out;
  auto name = [](const char* section, const std::string& key) { return "[" + std::string(section) + "] " + key; };
  for (const Key& k : keyTable()) out.emplace_back(name(k.section, k.key), storedText(s, k.member));
  for (size_t i = 0; i < kTagColourKeys.size(); ++i)
    out.emplace_back(name("Colors", kTagColourKeys[i]), s.tagColourNames[i]);
  for (size_t i = 0; i < s.recent.size(); ++i)
    out.emplace_back(name("Recent", "File" + std::to_string(i + 1)), s.recent[i]);
  return out;
}

std::string SettingsWriter::pathOf(SettingsFile file) const { return programDir_ + fileName(file); }

namespace {

template <typename T>
const Key& keyOf(T RunSettings::*member) {
  for (const Key& k : keyTable())
    if (const auto* m = std::get_if<T RunSettings::*>(&k.member); m && *m == member) return k;
  std::abort();  // every member passed here is in the table; a missing one is a programming error
}

}  // namespace

WriteResult SettingsWriter::set(RunSettings& settings, std::string RunSettings::*member, std::string value) const {
  const Key& k = keyOf(member);
  const WriteResult r = write(k.file, k.section, k.key, value);
  settings.*member = std::move(value);
  return r;
}

WriteResult SettingsWriter::set(RunSettings& settings, bool RunSettings::*member, bool value) const {
  const Key& k = keyOf(member);
  settings.*member = value;
  return write(k.file, k.section, k.key, value ? "1" : "0");
}

WriteResult SettingsWriter::set(RunSettings& settings, int RunSettings::*member, int value) const {
  const Key& k = keyOf(member);
  settings.*member = value;
  return write(k.file, k.section, k.key, std::to_string(value));
}

WriteResult SettingsWriter::store(const RunSettings& settings,
                                  std::initializer_list<int RunSettings::*> members) const {
  std::vector<IniFile::Entry> defaults, options;
  for (int RunSettings::*member : members) {
    const Key& k = keyOf(member);
    (k.file == SettingsFile::Default ? defaults : options)
        .push_back({k.section, k.key, std::to_string(settings.*member)});
  }
  WriteResult result{true, {}, {}};
  if (!options.empty()) result = IniFile::writeValues(pathOf(SettingsFile::Options), options);
  if (!defaults.empty() && result.ok) result = IniFile::writeValues(pathOf(SettingsFile::Default), defaults);
  return result;
}

WriteResult SettingsWriter::storeChanges(const RunSettings& before, const RunSettings& after) const {
  std::vector<IniFile::Entry> defaults, options;
  for (const Key& k : keyTable()) {
    std::string now = storedText(after, k.member);
    if (now != storedText(before, k.member))
      (k.file == SettingsFile::Default ? defaults : options).push_back({k.section, k.key, std::move(now)});
  }
  for (size_t i = 0; i < kTagColourKeys.size(); ++i)
    if (after.tagColourNames[i] != before.tagColourNames[i])
      options.push_back({"Colors", kTagColourKeys[i], after.tagColourNames[i]});
  WriteResult result{true, {}, {}};
  if (!options.empty()) result = IniFile::writeValues(pathOf(SettingsFile::Options), options);
  if (!defaults.empty() && result.ok) result = IniFile::writeValues(pathOf(SettingsFile::Default), defaults);
  return result;
}

WriteResult SettingsWriter::setRecent(RunSettings& settings, const std::array<std::string, 4>& recent) const {
  settings.recent = recent;
  std::vector<IniFile::Entry> entries;
  for (size_t i = 0; i < recent.size(); ++i) entries.push_back({"Recent", "File" + std::to_string(i + 1), recent[i]});
  return IniFile::writeValues(pathOf(SettingsFile::Options), entries);
}

WriteResult SettingsWriter::write(SettingsFile file, const std::string& section, const std::string& key,
                                  const std::string& value) const {
  return IniFile::writeValue(pathOf(file), section, key, value);
}

}  // namespace quillon
