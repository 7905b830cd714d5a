#include "project/site_replace_run.h"

#include "base/file_copy.h"
#include "base/text_bytes.h"
#include "project/site_replace.h"

namespace quillon {

std::vector<std::string> distinctFiles(std::vector<std::string> files) {
  std::set<FileIdentity> seen;
  std::erase_if(files, [&seen](const std::string& f) {
    const auto id = identityOf(f);
    return id && !seen.insert(*id).second;
  });
  return files;
}

SiteReplaceRun::SiteReplaceRun(std::vector<std::string> files, std::string find, std::string replacement,
                               bool matchCase, std::vector<std::string> leftAlone)
    : files_(distinctFiles(std::move(files))),
      find_(std::move(find)),
      replacement_(std::move(replacement)),
      matchCase_(matchCase),
      leftAlone_(leftAlone.begin(), leftAlone.end()) {}

SiteReplaceRun::SiteReplaceRun(std::vector<std::string> files,
                               std::function<FileReplaceResult(const std::string&)> replaceOne,
                               std::vector<std::string> leftAlone)
    : files_(distinctFiles(std::move(files))),
      replaceOne_(std::move(replaceOne)),
      leftAlone_(leftAlone.begin(), leftAlone.end()) {}

void SiteReplaceRun::step() {
  if (done()) return;
  const std::string& file = files_[next_++];
  if (leftAlone_.count(file)) {
    ++leftAloneCount_;
    return;
  }
  const std::string folder(folderPart(file));
  if (swept_.insert(folder).second) removeStaleTemporaries(folder);
  const FileReplaceResult r =
      replaceOne_ ? replaceOne_(file) : replaceInFile(file, find_, replacement_, matchCase_, journal_);
  switch (r.outcome) {
    case FileReplaceOutcome::Replaced:
      written_.insert(folder);
      changed_.push_back(file);
      break;
    case FileReplaceOutcome::ChangedMeanwhile:
      changedMeanwhile_.push_back(file);
      break;
    case FileReplaceOutcome::WriteFailed:
      failure_ = WriteResult{false, r.error, file};
      break;
    default:
      break;
  }
}

void SiteReplaceRun::finish() {
  for (const std::string& folder : written_) syncFileSystemOf(folder);
  written_.clear();
}

}  // namespace quillon
