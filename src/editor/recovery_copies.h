#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace quillon {

// What a recovery copy says of the page it keeps.
struct RecoveryCopy {
  std::string file;      // the copy itself
  std::string pagePath;  // empty for an untitled page
  std::string encoding;  // "UTF-8", or the 8-bit set's name ("ISO-8859-1"; "8-bit" in older copies)
  int64_t savedAt = 0;   // seconds since the epoch
  std::string bytes;
  std::string damaged;  // why the copy cannot be used; empty when it can
};

// The copy format: a header of tab-separated lines, an empty line, then the page's bytes.
std::string recoveryCopyBytes(const std::string& pagePath, const std::string& encoding, int64_t savedAt,
                              std::string_view page);
RecoveryCopy readRecoveryCopy(const std::string& file, std::string_view bytes);

// The recovery copy of this instance's open page, kept in DATA/recovery/ while the page has unsaved edits.
// Copies are written on a thread of their own (the newest asked for wins, so a slow disk never makes the
// window wait) and atomically (a full disk leaves the previous copy whole). The instance holds a lock on a
// file of its own for as long as it runs, so another instance never takes its copies for a dead one's.
class RecoveryKeeper {
 public:
  explicit RecoveryKeeper(std::string dataFolder);
  ~RecoveryKeeper();  // a normal end: the copy and the lock go
  RecoveryKeeper(const RecoveryKeeper&) = delete;
  RecoveryKeeper& operator=(const RecoveryKeeper&) = delete;

  // `toPage`, when given, turns the window's text into the page's bytes on the writer's thread.
  // Each open page has a copy of its own, known by `slot`.
  void keep(std::string page, std::string pagePath, std::string encoding,
            std::function<std::string(std::string_view)> toPage = {}, int slot = 0);
  void drop(int slot = 0);  // the page was saved or closed by the user's choice
  void waitUntilWritten();  // for tests and a clean end
  // Why the last copy could not be written, once: the caller says it and editing goes on.
  std::optional<std::string> takeFailure();
  std::string copyPath(int slot = 0) const;

  // Copies left by instances that no longer run, each claimed for this instance at once (so that two
  // starting together never offer the same one). Damaged or foreign files come with `damaged`, set aside
  // under a name no later start offers again.
  std::vector<RecoveryCopy> leftBehind();
  // A copy the user has recovered or discarded.
  static void remove(const std::string& copyFile);

 private:
  void writer();
  std::string folder_, name_, lockPath_;
  int lockFd_ = -1;
  std::mutex mutex_;
  std::condition_variable wake_, idle_;
  struct Job {
    std::string page, pagePath, encoding;
    int64_t savedAt = 0;
    bool drop = false;
    std::function<std::string(std::string_view)> toPage;
  };
  std::map<int, Job> next_;  // by slot: the newest asked for each page
  std::set<int> slots_;      // every slot a copy was asked for, dropped at a normal end
  bool busy_ = false, stopping_ = false, failureSaid_ = false;
  std::optional<std::string> failure_;
  std::thread thread_;
};

}  // namespace quillon
