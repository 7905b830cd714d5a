#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "publish/event_loop.h"
#include "publish/publish_plan.h"
#include "publish/publish_record.h"
#include "publish/publish_tree.h"
#include "publish/publisher.h"

namespace quillon {

// What a site's record is kept under: "user@host:port" and the server folder.
std::string publishSiteName(const PublishLogin& login, const std::string& remoteRoot);

// Publishes a local site folder to a server folder over a connected publisher: compare() lists both trees
// and plans the changes against the record; send() applies the ticked ones, folders made as needed, the
// record appended after each file. While it runs it owns the publisher's `done` event, and gives it back
// when it ends.
class SitePublisher {
 public:
  struct Progress {
    size_t filesDone = 0, filesTotal = 0;
    int64_t bytesDone = 0, bytesTotal = 0;
    std::string path;  // the file being sent or deleted
    bool deleting = false;
  };
  struct Events {
    std::function<void(const PublishPlan&)> compared;  // the plan, or a failure said in `failed` first
    std::function<void(const Progress&)> progress;
    // One file's end: sent or deleted, or why not.
    std::function<void(const PlannedFile&, bool ok, const std::string& why)> fileDone;
    std::function<void(const std::string& why)> failed;
    // The run's end: whether everything asked for was done, and whether the user stopped it.
    std::function<void(bool ok, bool cancelled)> sent;
  };
  Events events;

  // The record is kept in the data folder under the login and the server folder, or at `recordPath`.
  SitePublisher(EventLoop& loop, Publisher& publisher, PublishLogin login, std::string dataFolder,
                std::string recordPath = {});
  ~SitePublisher();

  // `remoteRoot`: a server folder, absolute or within the login folder. Reads the local folder, lists the
  // server's below the root (links to folders only where the local site has that folder), and plans.
  void compare(const std::string& localRoot, const std::string& remoteRoot, const std::vector<std::string>& exclusions);
  // Sends the plan's ticked files, then deletes its ticked files only on the server, unless anything
  // failed before or the plan does not allow deletions.
  void send(PublishPlan plan);
  // Stops once the file being sent is done.
  void cancel() { cancelled_ = true; }
  bool running() const { return running_; }

  const PublishRecord& record() const { return record_; }
  // The server folder published to, absolute once compare() has begun.
  const std::string& remoteRoot() const { return remoteRoot_; }

 private:
  void takeEvents();
  void giveBackEvents();
  void next();
  void finishCompare();
  void startCompare();
  void finishSend();
  void listFolder(const std::string& relative, int depth);
  void sendFile(size_t index);
  void relist(const std::string& folder, const std::vector<size_t>& sentHere);
  void run(std::function<void()> op, std::function<void(const Publisher::Outcome&)> then);
  void finish();
  void deleteFile(size_t index);
  void changeTo(const std::string& relativeFolder, std::function<void(bool ok, const std::string& why)> then);

  EventLoop& loop_;
  Publisher& publisher_;
  PublishLogin login_;
  std::string dataFolder_, recordOverride_, recordPath_;
  PublishRecord record_;
  std::string localRoot_, remoteRoot_;
  std::vector<std::string> exclusions_;
  LocalTree local_;
  RemoteTree remote_;
  PublishPlan plan_;
  Progress progress_;
  std::vector<std::function<void()>> steps_;
  size_t nextStep_ = 0;
  std::function<void(const Publisher::Outcome&)> pending_;
  std::function<void(const Publisher::Outcome&)> savedDone_;
  std::string currentFolder_;  // relative; "\n" while unknown
  bool rootMissing_ = false, sending_ = false;
  bool running_ = false, cancelled_ = false, anyFailed_ = false, lost_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace quillon
