#include "spell/spell_config.h"

#include <dirent.h>
#include <algorithm>

#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/text_bytes.h"
#include "spell/dictionary.h"

namespace quillon {

const std::vector<std::pair<SpellOption, const char*>>& spellOptionKeys() {
  static const std::vector<std::pair<SpellOption, const char*>> keys = {{SpellOption::soUpcase, "soUpcase"},
                                                                        {SpellOption::soNumbers, "soNumbers"},
                                                                        {SpellOption::soHTML, "soHTML"},
                                                                        {SpellOption::soInternet, "soInternet"},
                                                                        {SpellOption::soQuoted, "soQuoted"},
                                                                        {SpellOption::soAutoSuggest, "soAutoSuggest"},
                                                                        {SpellOption::soPrimaryOnly, "soPrimaryOnly"},
                                                                        {SpellOption::soRecheck, "soRecheck"},
                                                                        {SpellOption::soRepeated, "soRepeated"},
                                                                        {SpellOption::soDualCaps, "soDualCaps"},
                                                                        {SpellOption::soUser1, "soUser1"},
                                                                        {SpellOption::soUser2, "soUser2"},
                                                                        {SpellOption::soUser3, "soUser3"},
                                                                        {SpellOption::soUser4, "soUser4"}};
  return keys;
}

SpellConfig defaultSpellConfig() {
  SpellConfig c;
  for (const auto& [option, key] : spellOptionKeys()) c.options[option] = false;
  for (SpellOption o :
       {SpellOption::soUpcase, SpellOption::soAutoSuggest, SpellOption::soPrimaryOnly, SpellOption::soRecheck,
        SpellOption::soRepeated, SpellOption::soHTML, SpellOption::soInternet, SpellOption::soQuoted})
    c.options[o] = true;
  return c;
}

std::map<SpellOption, bool> programDefaultOptions() {
  std::map<SpellOption, bool> options;
  for (const auto& [option, key] : spellOptionKeys()) options[option] = false;
  for (SpellOption o : {SpellOption::soHTML, SpellOption::soInternet, SpellOption::soAutoSuggest,
                        SpellOption::soPrimaryOnly, SpellOption::soRecheck, SpellOption::soRepeated})
    options[o] = true;
  return options;
}

std::string resolveDictionaryPath(const std::string& configPath, const std::string& stored,
                                  const std::string& sharedFolder) {
  if (stored.empty() || stored[0] == '/') return stored;
  std::string own = std::string(folderPart(configPath)) + stored;
  if (!sharedFolder.empty() && !fileExists(own) && fileExists(sharedFolder + stored)) return sharedFolder + stored;
  return own;
}

namespace {

std::vector<DictionaryEntry> readList(const IniFile& ini, const std::string& key, const char* prefix) {
  std::vector<DictionaryEntry> out;
  const int count = ini.readInt(key, std::string(prefix) + "ListCount", 0);
  for (int i = 0; i < count && i < 1000; ++i) {
    const std::string entry = ini.readString(key, prefix + std::to_string(i), "");
    if (entry.empty()) continue;
    out.push_back({entry.substr(1), entry[0] == 'T', {}});
  }
  return out;
}

std::vector<std::string> filesEndingIn(const std::string& folder, const char* ext) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name.size() > 4 && lowerAscii(name.substr(name.size() - 4)) == ext) names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

SpellConfig loadSpellConfig(const std::string& path, const std::string& key, const std::string& defaultMain,
                            const std::string& defaultUser, const std::string& sharedFolder) {
  const IniFile ini = IniFile::load(path);
  SpellConfig c = defaultSpellConfig();
  const std::string folder(folderPart(path));
  if (!ini.readBool(key, "ID", false)) {
    // Built from what the folder holds.
    c.options = programDefaultOptions();
    std::vector<std::string> mains = filesEndingIn(folder, ".dct");
    if (!sharedFolder.empty() && sharedFolder != folder)
      for (const auto& name : filesEndingIn(sharedFolder, ".dct"))
        if (std::find(mains.begin(), mains.end(), name) == mains.end()) mains.push_back(name);
    for (const auto& name : mains)
      c.mains.push_back({name, lowerAscii(name) == lowerAscii(defaultMain),
                         Dictionary::titleOf(resolveDictionaryPath(path, name, sharedFolder))});
    for (const auto& name : filesEndingIn(folder, ".udt")) {
      if (lowerAscii(name) == lowerAscii(defaultUser)) c.userIndex = static_cast<int>(c.users.size());
      c.users.push_back({name, lowerAscii(name) == lowerAscii(defaultUser), {}});
    }
    if (c.users.empty()) {
      c.users.push_back({"default.udt", true, {}});
      c.userIndex = 0;
    }
    return c;
  }
  for (const auto& [option, name] : spellOptionKeys()) c.options[option] = ini.readBool(key, name, c.options[option]);
  c.userIndex = ini.readInt(key, "UserIndex", -1);
  c.mains = readList(ini, key, "U_MU_DCT_");
  const int titles = ini.readInt(key, "M_DCT_ListCount", 0);
  for (int i = 0; i < titles && static_cast<size_t>(i) < c.mains.size(); ++i)
    c.mains[static_cast<size_t>(i)].title = ini.readString(key, "M_DCT_" + std::to_string(i), "");
  for (auto& m : c.mains) {
    const std::string full = resolveDictionaryPath(path, m.path, sharedFolder);
    if (!fileExists(full)) m.inUse = false;  // a listed dictionary that is gone is not used
    if (m.title.empty()) m.title = Dictionary::titleOf(full);
  }
  c.users = readList(ini, key, "U_DCT_");
  return c;
}

}  // namespace quillon

namespace quillon {

WriteResult saveSpellConfig(const std::string& path, const std::string& key, const SpellConfig& config) {
  // Through the shared settings writer: under the folder's lock, re-read, and no line break in any value.
  std::vector<IniFile::Entry> entries;
  const auto set = [&](std::string name, std::string value) {
    entries.push_back({key, std::move(name), std::move(value)});
  };
  set("ID", "1");
  auto list = [&](const char* prefix, const std::vector<DictionaryEntry>& list) {
    set(std::string(prefix) + "ListCount", std::to_string(list.size()));
    for (size_t i = 0; i < list.size(); ++i)
      set(prefix + std::to_string(i), (list[i].inUse ? "T" : "F") + list[i].path);
  };
  list("U_MU_DCT_", config.mains);
  set("M_DCT_ListCount", std::to_string(config.mains.size()));
  for (size_t i = 0; i < config.mains.size(); ++i) set("M_DCT_" + std::to_string(i), config.mains[i].title);
  list("U_DCT_", config.users);
  for (const auto& [option, name] : spellOptionKeys()) set(name, config.on(option) ? "1" : "0");
  set("UserIndex", std::to_string(config.userIndex));
  return IniFile::writeValues(path, entries);
}

}  // namespace quillon
