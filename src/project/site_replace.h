#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/file_io.h"
#include "project/replace_journal.h"
#include "project/site_matcher.h"

namespace quillon {

enum class FileReplaceOutcome {
  Unreadable,  // not a readable regular file: left alone
  NoMatch,     // nothing found: the file is not rewritten and keeps its time
  Replaced,
  WriteFailed,
  ChangedMeanwhile,  // another program changed the file while it was being worked on: left as that program left it
};

struct FileReplaceResult {
  FileReplaceOutcome outcome = FileReplaceOutcome::Unreadable;
  size_t count = 0;
  std::string error;  // the system's reason, for WriteFailed
};

// Replaces every occurrence in one file, a replacement never searched again (case-blind for A-Z unless
// matchCase), and writes the file back atomically. Every other byte stays as it was: line ends, NULs,
// bytes that are not UTF-8. The texts come as UTF-8; in a page that is not UTF-8 they are looked for and
// written as Latin-1 bytes. An empty search text changes nothing. The file is one of a run: the caller
// ends the run with syncFileSystemOf for the folders it wrote.
// With a journal, the file's bytes before are kept in it before the file is rewritten.
FileReplaceResult replaceInFile(const std::string& path, std::string_view find, std::string_view replacement,
                                bool matchCase, ReplaceJournal* journal = nullptr);

// The chosen matches of a file found by a search (`found`: its bytes were `stamp` then) replaced as
// replaceMatches does, the journal told first. A file changed since the search is left alone
// (ChangedMeanwhile): its matches may no longer be where they were.
FileReplaceResult replaceChosenInFile(const std::string& path, const FileStamp& stamp, const SiteMatcher& matcher,
                                      const std::vector<PageMatch>& chosen, std::string_view replacement,
                                      ReplaceJournal* journal);

// Whether a backup folder name can be made below the backup folder: not empty, no slashes, not "." or "..".
bool validBackupFolderName(std::string_view name);

}  // namespace quillon
