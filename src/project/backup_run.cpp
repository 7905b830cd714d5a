#include "project/backup_run.h"

#include "base/file_copy.h"
#include "base/text_bytes.h"

namespace quillon {

BackupRun::BackupRun(std::string folder, const std::vector<std::string>& pages, std::string linkFile,
                     std::string outlineFile)
    : folder_(std::move(folder)),
      linkFile_(std::move(linkFile)),
      outlineFile_(std::move(outlineFile)),
      projectFiles_{std::string(fileNamePart(linkFile_)), std::string(fileNamePart(outlineFile_))},
      planned_(planBackupCopies(pages, projectFiles_)) {
  removeStaleTemporaries(folder_);
}

WriteResult BackupRun::step() {
  const BackupCopy& copy = planned_[next_++];
  const WriteResult result = copyIntoBackup(folder_, copy, &checkedFolders_);
  if (result.ok) {
    copied_.push_back(copy);
    return result;
  }
  ++failedCount_;
  if (failures_.size() < kFailuresNamed) failures_.push_back(copy.source + " (" + result.error + ")");
  return result;
}

void BackupRun::finish() {
  if (!stopped_) {
    projectCopied_ = copyFileReplacing(linkFile_, folder_ + projectFiles_[0]).ok &&
                     copyFileReplacing(outlineFile_, folder_ + projectFiles_[1]).ok;
    // The list names what was really copied, so it never sends anyone looking for a copy that is not there.
    writeFileReplacing(folder_ + backupListName(planned_, projectFiles_), backupListText(copied_));
  }
  syncFileSystemOf(folder_);
}

std::string BackupRun::summary() const {
  if (stopped_)
    return "Backup stopped. " + std::to_string(copied_.size()) + " of " + std::to_string(planned_.size()) +
           " files were copied; the project's files and the list of copies were not written.";
  std::string said = "Backup finished.";
  if (failedCount_ > 1) {
    said += " However, " + std::to_string(failedCount_) + " of " + std::to_string(planned_.size()) +
            " files could not be backed up:";
    for (const std::string& f : failures_) said += "\r" + f;
    if (failedCount_ > failures_.size())
      said += "\r... and " + std::to_string(failedCount_ - failures_.size()) + " more.";
  } else if (failedCount_ == 1 || !projectCopied_) {
    said += " However, as reported, at least one file could not be backed up.";
  }
  return said;
}

}  // namespace quillon
