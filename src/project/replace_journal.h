#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/file_io.h"

namespace quillon {

// The journal of one site-wide replace, kept in the user's data folder ("replace-undo/RUN/"), so that the
// run can be undone after a restart, with or without a backup folder: for every file it changes, the bytes
// before (a copy written before the file is touched) and the SHA-256 and size the new bytes have. Lines are
// appended as the run goes, so a killed run leaves a journal that undoes what it did.
class ReplaceJournal {
 public:
  // A new journal for a run described as `what` ("Replace "a" with "b""); fails when it cannot be written.
  static ReplaceJournal begin(const std::string& dataFolder, const std::string& what, WriteResult& result);

  // Before a file is rewritten: its bytes before, and those it is about to get.
  WriteResult aboutToChange(const std::string& path, std::string_view before, std::string_view after);
  // The file last announced was not rewritten after all (its write failed, or another program changed it).
  WriteResult notChanged();
  // The run is over; a journal without this line is of a run that was killed, and can be undone the same.
  WriteResult end();
  // A run that changed nothing leaves no journal.
  void discardIfEmpty();

  const std::string& folder() const { return folder_; }

 private:
  WriteResult append(const std::string& line);
  std::string folder_;
  size_t files_ = 0;
};

// A run that can be undone, newest first.
struct ReplaceRunInfo {
  std::string folder;
  std::string what;
  std::string when;  // "2026-12-09 20:15"
  size_t files = 0;
  bool finished = false;  // the run ended normally (else it was killed part-way)
};
std::vector<ReplaceRunInfo> undoableRuns(const std::string& dataFolder);

struct UndoResult {
  std::vector<std::string> restored;      // rewritten back to their bytes before the run
  std::vector<std::string> changedSince;  // changed after the run: left as they are
  std::vector<std::string> failed;        // could not be written back (with the reason)
  // The journal of a run undone in full, hidden at once (no listing takes it) but with its files still to
  // be deleted by removeUndoneJournal, which need not be waited for; empty when nothing is left.
  std::string undoneJournal;
  bool ok() const { return failed.empty(); }
};
// Undoes one run: every file that is still as the run left it gets its bytes back; a file the run never
// got to (killed before its write) is left alone. The journal is removed once every file is done, so the
// next undo takes the run before it; a failed write keeps it, to be tried again.
UndoResult undoRun(const std::string& runFolder);
// Deletes the files of a journal undoRun hid; one a kill leaves is swept by pruneReplaceJournals.
void removeUndoneJournal(const std::string& hiddenFolder);

// Keeps the newest `keep` journals and removes the others.
void pruneReplaceJournals(const std::string& dataFolder, size_t keep);

}  // namespace quillon
