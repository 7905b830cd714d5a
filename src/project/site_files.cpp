#include "project/site_files.h"

#include <dirent.h>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "project/project_files.h"

namespace quillon {

std::string findIgnoringCase(const std::string& folder, const std::string& name) {
  const std::string exact = folder + name;
  if (fileExists(exact)) return exact;
  std::string found = exact;
  if (DIR* dir = ::opendir(folder.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      if (equalsIgnoringAsciiCase(entry->d_name, name)) {
        found = folder + entry->d_name;
        break;
      }
    }
    ::closedir(dir);
  }
  return found;
}

// An entry listed in its own letters is that file; an upper-cased one is its lower-cased name, or the one
// file of that name in any case.
std::string projectOutlinePath(const std::string& projectsDir, const std::string& entry) {
  if (!entry.empty() && fileExists(projectsDir + entry)) return projectsDir + entry;
  return findIgnoringCase(projectsDir, lowerAscii(entry));
}

std::string projectLinkPath(const std::string& projectsDir, const std::string& entry) {
  return linkFileFor(projectOutlinePath(projectsDir, entry));
}

std::optional<std::vector<std::string>> projectPageFiles(const std::string& projectsDir, const std::string& entry) {
  if (entry.empty()) return std::nullopt;
  const auto bytes = readWholeFile(projectLinkPath(projectsDir, entry));
  if (!bytes) return std::nullopt;
  return parseLinks(*bytes);
}

std::string commonFolder(const std::vector<std::string>& paths) {
  std::string common;
  bool first = true;
  for (const std::string& path : paths) {
    if (path.empty() || path[0] != '/') continue;
    const std::string folder(folderPart(path));
    if (first) {
      common = folder;
      first = false;
      continue;
    }
    size_t same = 0;
    while (same < common.size() && same < folder.size() && common[same] == folder[same]) ++same;
    common.resize(common.rfind('/', same ? same - 1 : 0) + 1);
  }
  return common;
}

std::string dateStamp(const std::tm& day) {
  return std::to_string(day.tm_mon + 1) + "_" + std::to_string(day.tm_mday) + "_" + std::to_string(day.tm_year + 1900);
}

}  // namespace quillon
