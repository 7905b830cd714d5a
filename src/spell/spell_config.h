#pragma once

#include <map>
#include <string>
#include <vector>

#include "base/file_io.h"

namespace quillon {

// The spell checker's options, by their configuration keys.
enum class SpellOption {
  soUpcase,
  soNumbers,
  soHTML,
  soInternet,
  soQuoted,
  soAutoSuggest,
  soPrimaryOnly,
  soRecheck,
  soRepeated,
  soDualCaps,
  soUser1,
  soUser2,
  soUser3,
  soUser4
};
const std::vector<std::pair<SpellOption, const char*>>& spellOptionKeys();

struct DictionaryEntry {
  std::string path;  // as stored; a bare name stands for the configuration's folder
  bool inUse = false;
  std::string title;
};

// One configuration section of "spell/spell.cfg": options, the main and user dictionaries, the user index.
struct SpellConfig {
  std::map<SpellOption, bool> options;
  std::vector<DictionaryEntry> mains;
  std::vector<DictionaryEntry> users;
  int userIndex = -1;

  bool on(SpellOption o) const {
    const auto it = options.find(o);
    return it != options.end() && it->second;
  }
};

// The options a missing key falls back to, and the options a newly built configuration starts with.
SpellConfig defaultSpellConfig();
std::map<SpellOption, bool>
programDefaultOptions();  // soHTML, soInternet, soAutoSuggest, soPrimaryOnly, soRecheck, soRepeated

// Reads the section `key` of the file; without "ID" the configuration is built from the "*.dct" files of the
// folder and of `sharedFolder` and the folder's "*.udt" files (in use: defaultMain, defaultUser; "default.udt"
// when there is no user dictionary).
SpellConfig loadSpellConfig(const std::string& path, const std::string& key, const std::string& defaultMain,
                            const std::string& defaultUser, const std::string& sharedFolder = {});
// A bare name stands for the configuration's folder, or for `sharedFolder` (the shipped dictionaries) when
// the configuration's folder has no such file.
std::string resolveDictionaryPath(const std::string& configPath, const std::string& stored,
                                  const std::string& sharedFolder = {});

}  // namespace quillon

namespace quillon {
// Writes the section: "ID", every option, the three lists with their counts and "UserIndex".
WriteResult saveSpellConfig(const std::string& path, const std::string& key, const SpellConfig& config);
}  // namespace quillon
