#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "publish/publish_record.h"
#include "publish/publish_tree.h"

namespace quillon {

enum class PublishChange {
  New,         // not on the server
  Changed,     // its content differs from what was last published
  Conflict,    // the server's copy changed since the last publish, or a folder stands where a file goes
  RemoteOnly,  // on the server only: deleted when the user asks
};

struct PlannedFile {
  PublishChange change = PublishChange::New;
  std::string path;
  int64_t bytes = 0;  // the local size; the server's for a file only there
  bool ticked = false;
  std::string sha256;  // of the local file when it was read to compare
  std::string note;    // why it is a conflict
};

struct PublishPlan {
  std::vector<PlannedFile> files;    // New, Changed, Conflict, RemoteOnly, each sorted by path
  std::vector<std::string> folders;  // local folders the server lacks
  size_t unchanged = 0;
  int64_t unchangedBytes = 0;
  std::vector<std::string> unreadable;  // local files whose bytes could not be read for the comparison
  bool localReadable = false;
  bool usable = true;              // the run can go on: the connection held and the record can be kept
  bool deletionsAllowed = false;   // the local folder was read, holds files, and the server's listing is complete
  std::string noDeletionsBecause;  // why not, when not
  bool remoteRootMissing = false;  // the server folder is not there yet: it is made first
  std::vector<std::string> notes;  // what the comparison could not use (a damaged record, an unlisted folder)
};

// Compares the local tree with the server's and the record. Files only on the server are offered for
// deletion only when the local folder was read and the server listed every folder to its end.
PublishPlan planPublish(const std::string& localRoot, const LocalTree& local, const RemoteTree& remote,
                        const PublishRecord& record, const std::vector<std::string>& exclusions);

// Whether the server's listing of a file still says what it said after the last publish. An FTP time in
// the year form ("Jan 3 2025") and in the time form ("Jan 3 12:00") of the same day agree: servers list a
// file older than half a year by its year.
bool sameRemoteState(const PublishedFile& published, const RemoteEntry& listed);

// "3 new (12 KB), 2 changed (4 KB), 1 conflict, 5 to delete, 120 unchanged"
std::string planSummary(const PublishPlan& plan);

}  // namespace quillon
