#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "project/site_replace.h"

namespace quillon {

// The files with each file once, however many paths lead to it (the first path is kept).
std::vector<std::string> distinctFiles(std::vector<std::string> files);

// One site-wide replace over a list of files, a file at a time so that the window can show its progress.
// Each file is changed at most once, however many paths lead to it (a second pass would replace in the
// replacements); files whose backup copy failed are left alone, since their change could not be undone;
// the temporaries a killed run left in a folder are removed before the first write into it; every folder
// written into is synced when the run ends, also when it stops at a failed write.
class SiteReplaceRun {
 public:
  SiteReplaceRun(std::vector<std::string> files, std::string find, std::string replacement, bool matchCase,
                 std::vector<std::string> leftAlone = {});
  // A run whose every file is changed by `replaceOne` (the matches a preview ticked, say).
  SiteReplaceRun(std::vector<std::string> files, std::function<FileReplaceResult(const std::string&)> replaceOne,
                 std::vector<std::string> leftAlone = {});
  // Keeps each file's bytes before in the journal, so that the run can be undone.
  void keepJournal(ReplaceJournal* journal) { journal_ = journal; }
  ~SiteReplaceRun() { finish(); }

  size_t fileCount() const { return files_.size(); }
  size_t filesDone() const { return next_; }
  bool done() const { return next_ >= files_.size() || failure_; }
  // Replaces in the next file; ends the run at a write that fails.
  void step();
  // Syncs what was written; the run is over (done() stays as it is).
  void finish();

  const std::vector<std::string>& changed() const { return changed_; }
  // Left as another program left them: it changed them while the run worked on them.
  const std::vector<std::string>& changedMeanwhile() const { return changedMeanwhile_; }
  size_t leftAloneCount() const { return leftAloneCount_; }
  // The write that stopped the run.
  const std::optional<WriteResult>& failure() const { return failure_; }

 private:
  std::vector<std::string> files_;
  std::string find_, replacement_;
  bool matchCase_ = false;
  std::function<FileReplaceResult(const std::string&)> replaceOne_;
  ReplaceJournal* journal_ = nullptr;
  std::set<std::string> leftAlone_;
  size_t next_ = 0;
  std::vector<std::string> changed_, changedMeanwhile_;
  size_t leftAloneCount_ = 0;
  std::optional<WriteResult> failure_;
  std::set<std::string> written_, swept_;
};

}  // namespace quillon
