#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "publish/publisher.h"

namespace quillon {

// Names never published unless the user changes the list: hidden files (and the temporaries of uploads and
// saves, which are hidden), backups and the program's scratch file.
constexpr std::string_view kDefaultPublishExclusions = ".*;*.bak;*.tmp;*~;temp.ttt";

// Patterns separated by ';' (blanks around them ignored); each with '*' and '?' is matched against every
// part of a path, so "*.bak" leaves out backups in every folder and ".*" every hidden folder with its files.
std::vector<std::string> exclusionPatterns(std::string_view text);
bool isExcluded(const std::vector<std::string>& patterns, std::string_view relativePath);

struct LocalFile {
  std::string path;  // relative to the site folder, '/' between folders
  int64_t size = 0;
  int64_t modifiedNs = 0;
};

struct LocalTree {
  bool readable = false;                // the site folder itself could be read
  std::vector<LocalFile> files;         // sorted by path
  std::vector<std::string> folders;     // every folder below the root holding something to publish
  std::vector<std::string> unreadable;  // files and folders that could not be read
  std::vector<std::string> outside;     // links that lead out of the site folder: never published
};
// Every file under `root` not excluded; links are followed while they stay inside the site folder (one that
// leads out of it, to /etc say, is left out and listed), a folder reached twice is read once.
LocalTree scanLocalTree(const std::string& root, const std::vector<std::string>& exclusions);

// The server's tree below the publishing folder, as its listings gave it.
struct RemoteTree {
  std::map<std::string, RemoteEntry> files;  // by relative path
  std::set<std::string> folders;
  bool complete = false;  // every folder was listed to its end
};

// A path relative to the site folder joined to a remote folder: "/www" + "img/a.gif".
std::string remotePathOf(const std::string& remoteRoot, const std::string& relativePath);

}  // namespace quillon
