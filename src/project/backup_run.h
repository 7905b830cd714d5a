#pragma once

#include <set>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "project/backup_plan.h"

namespace quillon {

// One backup of a project's pages into a folder, a copy at a time so that the window can show its progress
// and ask once when a copy fails. Temporaries that a killed run left in the folder are removed first. When
// the copies are done the project's link file and outline follow, then the list of what was really copied;
// a stopped run writes neither. Everything written is synced before the run reports.
class BackupRun {
 public:
  // How many failed copies the summary names; the rest are counted.
  static constexpr size_t kFailuresNamed = 10;

  BackupRun(std::string folder, const std::vector<std::string>& pages, std::string linkFile, std::string outlineFile);

  size_t copyCount() const { return planned_.size(); }
  size_t copiesDone() const { return next_; }
  bool copying() const { return next_ < planned_.size() && !stopped_; }
  const BackupCopy& nextCopy() const { return planned_[next_]; }
  // Copies the next page; its result.
  WriteResult step();
  // Ends the copying here: the project's files and the list are not written.
  void stop() { stopped_ = true; }
  // Writes the project's files and the list (unless stopped) and syncs the folder.
  void finish();

  bool stopped() const { return stopped_; }
  bool projectCopied() const { return projectCopied_; }
  const std::vector<BackupCopy>& copied() const { return copied_; }
  size_t failedCount() const { return failedCount_; }
  // What the user is told at the end.
  std::string summary() const;

 private:
  std::string folder_, linkFile_, outlineFile_;
  std::vector<std::string> projectFiles_;  // their names, reserved in the backup folder
  std::vector<BackupCopy> planned_;
  size_t next_ = 0;
  std::vector<BackupCopy> copied_;
  std::vector<std::string> failures_;
  size_t failedCount_ = 0;
  bool stopped_ = false, projectCopied_ = false;
  std::set<std::string> checkedFolders_;
};

}  // namespace quillon
