#pragma once

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/file_io.h"

namespace quillon {

// One file of a backup and where its copy goes, relative to the backup folder.
struct BackupCopy {
  std::string source;
  std::string relative;
};

// Files of one folder are copied under their own names. Files of several folders keep the folders' paths
// below their common folder, so that two pages of the same name never overwrite each other. A file listed
// twice is copied once; empty entries are left out. A copy that would take a reserved name (the
// project's own files) goes into the sub-folder "pages" instead.
std::vector<BackupCopy> planBackupCopies(const std::vector<std::string>& files,
                                         const std::vector<std::string>& reserved = {});

// The list written beside the copies: each copy's place and its original path, one per line, tab between.
// Its name is "backup-list.txt", or "backup-list-2.txt" and so on when a copy or reserved name has it.
inline constexpr const char* kBackupListName = "backup-list.txt";
std::string backupListName(const std::vector<BackupCopy>& copies, const std::vector<std::string>& reserved = {});
std::string backupListText(const std::vector<BackupCopy>& copies);

// Why `folder` cannot take a backup of `sources` (the pages and the project's own files), or nothing when
// it can: no copy may land on a source or inside a folder that holds one, so a folder at or below the
// folder of any source is refused. Links and "." or ".." parts are resolved first.
std::optional<std::string> backupLocationClash(const std::string& folder, const std::vector<std::string>& sources);

// Copies one planned file below `folder` (ending in '/'), making its sub-folders as needed. A sub-folder
// that a link leads out of `folder` is refused, so nothing outside the backup folder is ever written. With
// `checkedFolders`, each sub-folder is made and checked once in a run of copies, and temporaries that a
// killed run left in it are removed then.
WriteResult copyIntoBackup(const std::string& folder, const BackupCopy& copy,
                           std::set<std::string>* checkedFolders = nullptr);

// "site_12_25_1998": the project name without its last four characters, lower-cased, and the date.
std::string backupSubDirName(const std::string& projectName, const std::string& dateStamp);

// The backup reminder for a project being left: the leave counter's key ("SITE" for SITE.out), the counter
// to store and whether to ask. Nothing when no reminder runs (backups off, no project, the help project).
struct ReminderStep {
  std::string key;
  int counter = 0;
  bool ask = false;
};
std::string leaveCounterKey(const std::string& projectName);
std::optional<ReminderStep> reminderStep(int backupType, const std::string& projectName, int storedCounter,
                                         int promptFreq);

}  // namespace quillon
