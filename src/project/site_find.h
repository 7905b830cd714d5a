#pragma once

#include <atomic>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "base/file_io.h"
#include "project/site_matcher.h"

namespace quillon {

// The matches of one file, each with its line (1-based) and where that line lies in the bytes.
struct FileFindings {
  std::string path;
  bool utf8 = true;         // how the page is read, and so how its matches and replacements are written
  FileStamp stamp;          // of the file when it was read (an open page's text: none)
  bool fromWindow = false;  // the text of a page open with unsaved changes
  std::vector<PageMatch> matches;
  std::vector<size_t> lines;                          // per match
  std::vector<std::pair<size_t, size_t>> lineRanges;  // per match: its line's start and end (before the line end)
  // Per match, its line as shown (UTF-8): the text before the match, the match, the text after; a long line
  // is cut around the match.
  struct Shown {
    std::string before, match, after;
  };
  std::vector<Shown> shown;
  std::string error;  // the pattern gave up on this file
};

// A result row's text: "PATH:LINE: TEXT"; with `mark`, where the match stands in it (bytes of the text).
std::string resultTitle(const FileFindings& f, size_t match, std::pair<size_t, size_t>* mark = nullptr);

// The matches in a page's bytes, with their lines.
FileFindings findInPage(const std::string& path, std::string_view page, const SiteMatcher& matcher);

// Files that a search passes over, by why.
struct SkippedFiles {
  size_t binary = 0;      // a NUL byte in its first 8 KB
  size_t notRegular = 0;  // a FIFO, device or socket
  size_t outside = 0;     // a link that leads out of the folder searched
  size_t unreadable = 0;
  size_t total() const { return binary + notRegular + outside + unreadable; }
};

// "*.htm;*.html": patterns separated by ';', A-Z matching a-z; empty matches every name.
bool nameMatchesFilter(std::string_view name, std::string_view filter);
// The files under a folder (and its sub-folders when asked) whose names pass the filter, sorted; links are
// followed while they stay inside the folder.
std::vector<std::string> filesInFolder(const std::string& folder, std::string_view filter, bool subfolders,
                                       SkippedFiles& skipped);

// A search of many files on threads of its own (one per processor, up to four): results are collected as
// they are found and handed out in the order of the files, the caller takes them when it likes (a window, a
// few times a second), and stop() ends it after the files being read.
// `openTexts` gives the text of pages open with unsaved changes, searched in place of their files.
class SiteFindRun {
 public:
  SiteFindRun(std::vector<std::string> files, std::shared_ptr<const SiteMatcher> matcher,
              std::map<std::string, std::string> openTexts = {});
  ~SiteFindRun();
  void start();
  void stop() { stop_ = true; }
  // The files with matches found since the last call; `done` once the run has ended.
  std::vector<FileFindings> take(bool& done);
  size_t filesRead() const { return read_; }
  size_t fileCount() const { return files_.size(); }
  SkippedFiles skipped() const;

 private:
  void work();
  void searchFile(size_t index);
  std::vector<std::string> files_;
  std::shared_ptr<const SiteMatcher> matcher_;
  std::map<std::string, std::string> openTexts_;
  std::vector<std::thread> threads_;
  std::atomic<bool> stop_{false}, finished_{false};
  std::atomic<size_t> read_{0}, next_{0}, working_{0};
  mutable std::mutex mutex_;
  std::vector<char> searched_;            // per file
  std::map<size_t, FileFindings> found_;  // by file, until handed out
  size_t handedOut_ = 0;                  // files before this one are handed out
  SkippedFiles skipped_;
};

// A page's bytes with the chosen matches replaced (they come sorted and apart), each by the replacement
// (UTF-8) as written into that page: groups expanded for a regular expression, characters the page's
// encoding lacks as numeric character references. Every other byte stays as it was.
std::string replaceMatches(std::string_view page, const SiteMatcher& matcher, const std::vector<PageMatch>& chosen,
                           std::string_view replacementUtf8);

}  // namespace quillon
