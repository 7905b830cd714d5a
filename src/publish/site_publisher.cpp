#include "publish/site_publisher.h"

#include <sys/stat.h>

#include <algorithm>
#include <map>

#include "base/text_bytes.h"

namespace quillon {

namespace {

// "img/" of "img/a.gif"; "" at the top.
std::string folderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string nameOf(const std::string& path) { return path.substr(path.rfind('/') + 1); }

constexpr int kMaxDepth = 64;
const std::string kUnknownFolder = "\n";

}  // namespace

std::string publishSiteName(const PublishLogin& login, const std::string& remoteRoot) {
  return login.user + "@" + login.host + ":" + std::to_string(login.port) + remoteRoot;
}

SitePublisher::SitePublisher(EventLoop& loop, Publisher& publisher, PublishLogin login, std::string dataFolder,
                             std::string recordPath)
    : loop_(loop),
      publisher_(publisher),
      login_(std::move(login)),
      dataFolder_(std::move(dataFolder)),
      recordOverride_(std::move(recordPath)) {
  login_.password.clear();
}

SitePublisher::~SitePublisher() {
  *alive_ = false;
  if (running_) giveBackEvents();
}

void SitePublisher::takeEvents() {
  publisher_.preferExactListings(true);
  savedDone_ = publisher_.events.done;
  publisher_.events.done = [this, alive = alive_](const Publisher::Outcome& o) {
    if (!*alive) return;
    auto then = std::move(pending_);
    pending_ = nullptr;
    if (!then) return;
    // The next operation starts once the publisher has finished reporting this one.
    loop_.post([this, alive, then = std::move(then), o] {
      if (*alive) then(o);
    });
  };
}

void SitePublisher::giveBackEvents() {
  publisher_.events.done = savedDone_;
  publisher_.preferExactListings(false);
}

void SitePublisher::run(std::function<void()> op, std::function<void(const Publisher::Outcome&)> then) {
  pending_ = std::move(then);
  op();
}

void SitePublisher::next() {
  if (nextStep_ < steps_.size() && !lost_) {
    auto step = steps_[nextStep_++];
    step();
    return;
  }
  finish();
}

void SitePublisher::finish() {
  steps_.clear();
  nextStep_ = 0;
  running_ = false;
  giveBackEvents();
  if (sending_)
    finishSend();
  else
    finishCompare();
}

void SitePublisher::changeTo(const std::string& relativeFolder, std::function<void(bool, const std::string&)> then) {
  if (currentFolder_ == relativeFolder) return then(true, {});
  const std::string target = remotePathOf(
      remoteRoot_, relativeFolder.empty() ? relativeFolder : relativeFolder.substr(0, relativeFolder.size() - 1));
  run([this, target] { publisher_.changeFolder(target); },
      [this, relativeFolder, then = std::move(then)](const Publisher::Outcome& o) {
        currentFolder_ = o.ok ? relativeFolder : kUnknownFolder;
        if (!publisher_.connected()) lost_ = true;
        then(o.ok, o.why);
      });
}

void SitePublisher::compare(const std::string& localRoot, const std::string& remoteRoot,
                            const std::vector<std::string>& exclusions) {
  if (running_) return;
  running_ = true;
  sending_ = false;
  cancelled_ = lost_ = anyFailed_ = rootMissing_ = false;
  localRoot_ = localRoot;
  remoteRoot_ = remoteRoot;
  exclusions_ = exclusions;
  while (remoteRoot_.size() > 1 && remoteRoot_.back() == '/') remoteRoot_.pop_back();
  plan_ = PublishPlan{};
  currentFolder_ = kUnknownFolder;
  takeEvents();
  steps_.clear();
  nextStep_ = 0;
  if (!remoteRoot_.empty() && remoteRoot_[0] == '/') {
    loop_.post([this, alive = alive_] {
      if (*alive) startCompare();
    });
    return;
  }
  // A folder named within the login folder: the login folder's own name comes with its listing.
  run([this] { publisher_.list(); },
      [this](const Publisher::Outcome& o) {
        if (!publisher_.connected()) lost_ = true;
        if (!o.ok || publisher_.folder().empty() || publisher_.folder()[0] != '/') {
          if (events.failed) events.failed("The server did not say which folder it logged in to.");
          lost_ = true;
          return finish();
        }
        remoteRoot_ = remotePathOf(publisher_.folder(), remoteRoot_);
        while (remoteRoot_.size() > 1 && remoteRoot_.back() == '/') remoteRoot_.pop_back();
        startCompare();
      });
}

void SitePublisher::startCompare() {
  const std::string site = publishSiteName(login_, remoteRoot_);
  recordPath_ = recordOverride_.empty() ? publishRecordPath(dataFolder_, site) : recordOverride_;
  local_ = scanLocalTree(localRoot_, exclusions_);
  record_ = PublishRecord::load(recordPath_, site);
  remote_ = RemoteTree{};
  remote_.complete = true;
  steps_ = {[this] { listFolder("", 0); }};
  nextStep_ = 0;
  next();
}

void SitePublisher::listFolder(const std::string& relative, int depth) {
  changeTo(relative, [this, relative, depth](bool ok, const std::string& why) {
    if (!ok) {
      if (relative.empty() && !lost_) {
        rootMissing_ = true;  // nothing published there yet
      } else {
        remote_.complete = false;
        plan_.notes.push_back("The server's folder " + remotePathOf(remoteRoot_, relative) + " could not be opened" +
                              (why.empty() ? "" : ": " + why));
      }
      return next();
    }
    run([this] { publisher_.list(); },
        [this, relative, depth](const Publisher::Outcome& o) {
          if (!o.ok) {
            remote_.complete = false;
            if (!publisher_.connected()) lost_ = true;
            plan_.notes.push_back("The server's folder " + remotePathOf(remoteRoot_, relative) +
                                  " could not be listed" + (o.why.empty() ? "" : ": " + o.why));
            return next();
          }
          for (const RemoteEntry& e : publisher_.entries()) {
            if (e.name.empty() || e.name == "." || e.name == ".." || e.name.find('/') != std::string::npos) continue;
            const std::string path = relative + e.name;
            if (isExcluded(exclusions_, path)) continue;
            if (!e.folder) {
              remote_.files[path] = e;
              continue;
            }
            remote_.folders.insert(path);
            // A link to a folder may lead back up the tree: it is read only where the local site has that
            // folder, and never deeper than any site goes.
            const bool localHas = std::binary_search(local_.folders.begin(), local_.folders.end(), path);
            // Nothing in a folder left unread is offered for deletion, since it is never listed.
            if ((!e.link || localHas) && depth < kMaxDepth)
              steps_.push_back([this, path, depth] { listFolder(path + "/", depth + 1); });
          }
          next();
        });
  });
}

void SitePublisher::finishCompare() {
  std::vector<std::string> notes = std::move(plan_.notes);
  plan_ = planPublish(localRoot_, local_, remote_, record_, exclusions_);
  plan_.remoteRootMissing = rootMissing_;
  plan_.usable = !lost_ && !record_.foreign();
  if (!local_.readable) notes.push_back("The local folder " + localRoot_ + " could not be read.");
  for (const std::string& p : record_.problems()) notes.push_back(p);
  for (const std::string& p : local_.unreadable) notes.push_back("The local file " + p + " could not be read.");
  for (const std::string& p : local_.outside)
    notes.push_back("The link " + p + " leads out of the site folder and was left out.");
  for (const std::string& p : plan_.unreadable) notes.push_back("The local file " + p + " could not be read.");
  if (lost_) notes.push_back("The connection was lost while the server's folders were listed.");
  plan_.notes = std::move(notes);
  if (lost_) {
    if (events.failed) events.failed("The connection was lost while the server's folders were listed.");
  }
  if (events.compared) events.compared(plan_);
}

void SitePublisher::send(PublishPlan plan) {
  if (running_) return;
  running_ = true;
  sending_ = true;
  cancelled_ = lost_ = anyFailed_ = false;
  plan_ = std::move(plan);
  progress_ = Progress{};
  currentFolder_ = kUnknownFolder;
  takeEvents();
  steps_.clear();
  nextStep_ = 0;
  if (plan_.remoteRootMissing)
    steps_.push_back([this] {
      run([this] { publisher_.makeFolder(remoteRoot_); },
          [this](const Publisher::Outcome& o) {
            if (!o.ok) {
              anyFailed_ = true;
              if (events.failed) events.failed("The server folder " + remoteRoot_ + " could not be made: " + o.why);
            }
            next();
          });
    });
  std::vector<std::string> folders = plan_.folders;
  std::sort(folders.begin(), folders.end());
  for (const std::string& folder : folders)
    steps_.push_back([this, folder] {
      run([this, folder] { publisher_.makeFolder(remotePathOf(remoteRoot_, folder)); },
          [this, folder](const Publisher::Outcome& o) {
            if (!o.ok) {
              anyFailed_ = true;
              if (!publisher_.connected()) lost_ = true;
              if (events.failed) events.failed("The server folder " + folder + " could not be made: " + o.why);
            }
            next();
          });
    });
  // Files grouped by folder: each folder is entered once and listed once after its files are sent.
  std::map<std::string, std::vector<size_t>> byFolder;
  for (size_t i = 0; i < plan_.files.size(); ++i) {
    const PlannedFile& f = plan_.files[i];
    if (!f.ticked || f.change == PublishChange::RemoteOnly) continue;
    byFolder[folderOf(f.path)].push_back(i);
    ++progress_.filesTotal;
    progress_.bytesTotal += f.bytes;
  }
  for (const auto& [folder, indexes] : byFolder) {
    for (const size_t i : indexes) steps_.push_back([this, i] { sendFile(i); });
    steps_.push_back([this, folder = folder, indexes = indexes] { relist(folder, indexes); });
  }
  for (size_t i = 0; i < plan_.files.size(); ++i)
    if (plan_.files[i].ticked && plan_.files[i].change == PublishChange::RemoteOnly)
      steps_.push_back([this, i] { deleteFile(i); });
  loop_.post([this, alive = alive_] {
    if (*alive) next();
  });
}

void SitePublisher::sendFile(size_t index) {
  if (cancelled_) return finish();
  const PlannedFile& f = plan_.files[index];
  progress_.path = f.path;
  if (events.progress) events.progress(progress_);
  changeTo(folderOf(f.path), [this, index](bool ok, const std::string& why) {
    const PlannedFile& f = plan_.files[index];
    if (!ok) {
      anyFailed_ = true;
      if (events.fileDone)
        events.fileDone(f, false, "its server folder could not be opened" + (why.empty() ? "" : ": " + why));
      return next();
    }
    const std::string local = (localRoot_.empty() || localRoot_.back() == '/' ? localRoot_ : localRoot_ + "/") + f.path;
    struct stat st {};
    const auto sha = fileSha256(local);
    if (!sha || ::stat(local.c_str(), &st) != 0) {
      anyFailed_ = true;
      if (events.fileDone) events.fileDone(f, false, "the local file could not be read");
      return next();
    }
    PublishedFile sent;
    sent.size = static_cast<int64_t>(st.st_size);
    sent.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    sent.sha256 = *sha;
    run([this, local, name = nameOf(f.path)] { publisher_.store(local, name); },
        [this, index, sent](const Publisher::Outcome& o) {
          const PlannedFile& f = plan_.files[index];
          if (!publisher_.connected()) lost_ = true;
          ++progress_.filesDone;
          progress_.bytesDone += f.bytes;
          if (!o.ok) {
            anyFailed_ = true;
            if (events.fileDone) events.fileDone(f, false, o.why);
          } else {
            PublishedFile recorded = sent;
            recorded.remoteSize = sent.size;
            const WriteResult written = record_.recordSent(f.path, recorded);
            if (!written.ok && events.failed) {
              anyFailed_ = true;
              events.failed("The publish record " + written.failedPath + " could not be written: " + written.error);
            }
            if (events.fileDone) events.fileDone(f, true, {});
          }
          if (events.progress) events.progress(progress_);
          next();
        });
  });
}

// The server's own size and time of the files just sent, for noticing later changes made on the server.
void SitePublisher::relist(const std::string& folder, const std::vector<size_t>& sentHere) {
  if (cancelled_) return finish();
  changeTo(folder, [this, sentHere](bool ok, const std::string&) {
    if (!ok) return next();
    run([this] { publisher_.list(); },
        [this, sentHere](const Publisher::Outcome& o) {
          if (!publisher_.connected()) lost_ = true;
          if (o.ok) {
            std::map<std::string, const RemoteEntry*> listed;
            for (const RemoteEntry& e : publisher_.entries()) listed[e.name] = &e;
            for (const size_t i : sentHere) {
              const std::string& path = plan_.files[i].path;
              const PublishedFile* was = record_.find(path);
              const auto it = listed.find(nameOf(path));
              if (it == listed.end()) {
                // The server keeps the file under another name (one not in UTF-8, changed by a server
                // that keeps names as UTF-8): deleting what looks like an extra file could delete this one.
                anyFailed_ = true;
                if (events.failed)
                  events.failed("The server does not list " + path +
                                " under its name after it was sent (it may have changed the name); nothing "
                                "is deleted in this run.");
                continue;
              }
              if (!was || it->second->folder) continue;
              PublishedFile now = *was;
              if (it->second->size) now.remoteSize = it->second->size;
              now.remoteStamp = it->second->stamp;
              if (!(now == *was)) record_.recordSent(path, now);
            }
          }
          next();
        });
  });
}

void SitePublisher::deleteFile(size_t index) {
  if (cancelled_) return finish();
  const PlannedFile& f = plan_.files[index];
  if (anyFailed_ || !plan_.deletionsAllowed) {
    if (events.fileDone)
      events.fileDone(f, false,
                      anyFailed_ ? "not deleted: something failed earlier in this run"
                                 : "not deleted: the server's folders were not all listed");
    return next();
  }
  progress_.path = f.path;
  progress_.deleting = true;
  if (events.progress) events.progress(progress_);
  changeTo(folderOf(f.path), [this, index](bool ok, const std::string& why) {
    const PlannedFile& f = plan_.files[index];
    if (!ok) {
      anyFailed_ = true;
      if (events.fileDone) events.fileDone(f, false, why);
      return next();
    }
    run([this, name = nameOf(f.path)] { publisher_.deleteFile(name); },
        [this, index](const Publisher::Outcome& o) {
          const PlannedFile& f = plan_.files[index];
          if (!publisher_.connected()) lost_ = true;
          if (!o.ok) anyFailed_ = true;
          if (o.ok && record_.find(f.path)) record_.recordRemoved(f.path);
          if (events.fileDone) events.fileDone(f, o.ok, o.why);
          next();
        });
  });
}

void SitePublisher::finishSend() {
  const WriteResult compacted = record_.compact();
  if (!compacted.ok) {
    anyFailed_ = true;
    if (events.failed)
      events.failed("The publish record " + compacted.failedPath + " could not be written: " + compacted.error);
  }
  if (lost_ && events.failed) events.failed("The connection was lost: publish again to send the rest.");
  if (events.sent) events.sent(!anyFailed_ && !lost_ && !cancelled_, cancelled_);
}

}  // namespace quillon
