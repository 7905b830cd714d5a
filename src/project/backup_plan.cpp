#include "project/backup_plan.h"

#include <algorithm>
#include <set>

#include "base/file_copy.h"
#include "base/file_io.h"

#include "base/text_bytes.h"

namespace quillon {

namespace {

// The folder part of a path on this system, where only '/' separates ("a\\b.html" is one name).
std::string localFolderOf(std::string_view path) {
  const size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

// The longest folder prefix (ending in '/') that every path shares.
std::string commonFolder(const std::vector<std::string>& paths) {
  std::string common = localFolderOf(paths.front());
  for (const std::string& path : paths) {
    while (!common.empty() && path.compare(0, common.size(), common) != 0) {
      common.pop_back();
      common = localFolderOf(common);
    }
  }
  return common;
}

// A relative path with its empty, "." and ".." parts left out, so a copy never lands outside the backup folder.
std::string safeRelative(std::string_view relative) {
  std::string safe;
  size_t start = 0;
  for (size_t i = 0; i <= relative.size(); ++i) {
    if (i < relative.size() && relative[i] != '/') continue;
    const std::string_view part = relative.substr(start, i - start);
    start = i + 1;
    if (part.empty() || part == "." || part == "..") continue;
    if (!safe.empty()) safe += '/';
    safe += part;
  }
  return safe;
}

}  // namespace

std::vector<BackupCopy> planBackupCopies(const std::vector<std::string>& files,
                                         const std::vector<std::string>& reserved) {
  std::vector<std::string> unique;
  std::set<std::string> seen;
  for (const std::string& f : files)
    if (!f.empty() && seen.insert(f).second) unique.push_back(f);
  std::vector<BackupCopy> copies;
  if (unique.empty()) return copies;
  const std::string common = commonFolder(unique);
  // Two files may still come to one name (a reserved name, or paths that differ only in "." and ".." parts):
  // the later one gets a number before its extension, so no copy ever replaces another.
  std::set<std::string> taken(reserved.begin(), reserved.end());
  for (const std::string& f : unique) {
    std::string relative = safeRelative(f.substr(common.size()));
    if (std::find(reserved.begin(), reserved.end(), relative) != reserved.end()) relative = "pages/" + relative;
    if (taken.count(relative)) {
      // "up/x.html" becomes "up/x-2.html", "up/x-3.html", ...: the number goes before the extension.
      const size_t slash = relative.rfind('/');
      const size_t dot = relative.rfind('.');
      const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
      const std::string stem = relative.substr(0, hasExtension ? dot : relative.size());
      const std::string extension = hasExtension ? relative.substr(dot) : std::string();
      int n = 2;
      while (taken.count(stem + "-" + std::to_string(n) + extension)) ++n;
      relative = stem + "-" + std::to_string(n) + extension;
    }
    taken.insert(relative);
    copies.push_back({f, std::move(relative)});
  }
  return copies;
}

std::string backupListName(const std::vector<BackupCopy>& copies, const std::vector<std::string>& reserved) {
  const auto taken = [&](const std::string& name) {
    return std::find(reserved.begin(), reserved.end(), name) != reserved.end() ||
           std::any_of(copies.begin(), copies.end(), [&](const BackupCopy& c) { return c.relative == name; });
  };
  std::string name = kBackupListName;
  for (int n = 2; taken(name); ++n) name = "backup-list-" + std::to_string(n) + ".txt";
  return name;
}

std::optional<std::string> backupLocationClash(const std::string& folder, const std::vector<std::string>& sources) {
  std::string target = resolvedPath(folder);
  if (target.empty() || target.back() != '/') target += '/';
  std::set<std::string> seenFolders;
  for (const std::string& source : sources) {
    if (source.empty()) continue;
    std::string holder = resolvedPath(std::string(folderPart(resolvedPath(source))));
    if (holder.empty() || holder.back() != '/') holder += '/';
    if (!seenFolders.insert(holder).second) continue;
    if (target.compare(0, holder.size(), holder) == 0)
      return "The backup cannot go into \"" + folder + "\": that folder is inside \"" + holder + "\", which holds \"" +
             source +
             "\", a file being backed up, and a copy could replace it. Choose a folder outside the folders of "
             "the site and of the project.";
  }
  return std::nullopt;
}

WriteResult copyIntoBackup(const std::string& folder, const BackupCopy& copy, std::set<std::string>* checkedFolders) {
  const std::string target = folder + copy.relative;
  const std::string sub(folderPart(target));
  if (!checkedFolders || !checkedFolders->count(sub)) {
    // One level at a time: a folder already there is followed only when it stays inside the backup folder
    // (a link to elsewhere is refused before anything is made through it).
    if (!isDirectory(folder) && !makeDirectories(folder))
      return {false, "Cannot make the folder \"" + folder + "\"", target};
    for (size_t from = folder.size(); from < sub.size();) {
      const size_t slash = sub.find('/', from);
      const std::string at = sub.substr(0, slash + 1);
      from = slash + 1;
      if (!isDirectory(at) && !makeDirectory(at)) return {false, "Cannot make the folder \"" + at + "\"", target};
      if (!staysInside(at, folder)) return {false, "The folder \"" + at + "\" leads outside the backup folder", target};
    }
    if (checkedFolders) {
      checkedFolders->insert(sub);
      removeStaleTemporaries(sub);
    }
  }
  return copyFileReplacing(copy.source, target);
}

std::string backupListText(const std::vector<BackupCopy>& copies) {
  std::string out;
  for (const BackupCopy& c : copies) {
    out += c.relative;
    out += '\t';
    out += c.source;
    out += kCrLf;
  }
  return out;
}

std::string backupSubDirName(const std::string& projectName, const std::string& dateStamp) {
  const std::string stem = projectName.size() >= 4 ? projectName.substr(0, projectName.size() - 4) : projectName;
  return lowerAscii(stem) + "_" + dateStamp;
}

std::string leaveCounterKey(const std::string& projectName) {
  const std::string upper = upperAscii(projectName);
  return upper.size() >= 4 ? upper.substr(0, upper.size() - 4) : upper;
}

std::optional<ReminderStep> reminderStep(int backupType, const std::string& projectName, int storedCounter,
                                         int promptFreq) {
  if (backupType != 1 || projectName.empty() || projectName == "welcome.out") return std::nullopt;
  const int counter = storedCounter + 1;
  ReminderStep step;
  step.key = leaveCounterKey(projectName);
  step.ask = counter > promptFreq;
  step.counter = step.ask ? 0 : counter;
  return step;
}

}  // namespace quillon
