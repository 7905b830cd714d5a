#include "editor/recovery_copies.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>

#include "base/file_io.h"
#include "base/sha256.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kHeader = "Quillon recovery copy 1";
const char* const kFolder = "recovery/";

// The instance's name among the copies: its process, and its start time so that a reused process number
// never passes for the same instance.
std::string instanceName() {
  return std::to_string(::getpid()) + "-" + std::to_string(static_cast<long long>(std::time(nullptr)));
}

// A lock file nobody holds belongs to an instance that has ended (a crash leaves the file; the kernel
// drops its lock).
bool heldByAnother(const std::string& lockPath) {
  const int fd = ::open(lockPath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);
  return held;
}

}  // namespace

std::string recoveryCopyBytes(const std::string& pagePath, const std::string& encoding, int64_t savedAt,
                              std::string_view page) {
  return std::string(kHeader) + "\r\npath\t" + fieldEscaped(pagePath) + "\r\nencoding\t" + encoding + "\r\nsaved\t" +
         std::to_string(savedAt) + "\r\nsize\t" + std::to_string(page.size()) + "\r\nsha256\t" + sha256Hex(page) +
         "\r\n\r\n" + std::string(page);
}

RecoveryCopy readRecoveryCopy(const std::string& file, std::string_view bytes) {
  RecoveryCopy copy;
  copy.file = file;
  const size_t end = bytes.find("\r\n\r\n");
  if (bytes.substr(0, kHeader.size() + 2) != std::string(kHeader) + "\r\n" || end == std::string_view::npos) {
    copy.damaged = "it is not a recovery copy of this program";
    return copy;
  }
  std::string size, sha;
  bool pathSeen = false;
  for (size_t at = kHeader.size() + 2; at < end;) {
    const size_t lineEnd = bytes.find("\r\n", at);
    const auto fields = tabFields(bytes.substr(at, lineEnd - at));
    at = lineEnd + 2;
    if (fields.size() != 2) continue;
    if (fields[0] == "path") {
      const auto path = fieldUnescaped(fields[1]);
      pathSeen = path.has_value();
      copy.pagePath = path.value_or("");
    } else if (fields[0] == "encoding") {
      copy.encoding = std::string(fields[1]);
    } else if (fields[0] == "saved") {
      copy.savedAt = std::atoll(std::string(fields[1]).c_str());
    } else if (fields[0] == "size") {
      size = std::string(fields[1]);
    } else if (fields[0] == "sha256") {
      sha = std::string(fields[1]);
    }
  }
  copy.bytes = std::string(bytes.substr(end + 4));
  if (!pathSeen || size != std::to_string(copy.bytes.size()) || sha != sha256Hex(copy.bytes)) {
    copy.damaged = "it is damaged (cut short or changed)";
    copy.bytes.clear();
  }
  return copy;
}

RecoveryKeeper::RecoveryKeeper(std::string dataFolder) : folder_(std::move(dataFolder) + kFolder) {
  makeDirectory(folder_);
  name_ = instanceName();
  lockPath_ = folder_ + name_ + ".lock";
  lockFd_ = ::open(lockPath_.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (lockFd_ >= 0)
    ::flock(lockFd_, LOCK_EX | LOCK_NB);
  else
    failure_ = "No recovery copies of unsaved edits can be kept in " + folder_ + ": " + std::strerror(errno) + ".";
  thread_ = std::thread([this] { writer(); });
}

RecoveryKeeper::~RecoveryKeeper() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
    slots_.insert(0);
    for (const int slot : slots_) next_[slot] = Job{{}, {}, {}, 0, true, {}};
  }
  wake_.notify_all();
  thread_.join();
  if (lockFd_ >= 0) {
    ::unlink(lockPath_.c_str());
    ::close(lockFd_);
  }
}

std::string RecoveryKeeper::copyPath(int slot) const {
  // The instance's name stays first, so a copy of any slot is known as the instance's by its lock.
  return folder_ + name_ + (slot == 0 ? "" : ".p" + std::to_string(slot)) + ".copy";
}

void RecoveryKeeper::keep(std::string page, std::string pagePath, std::string encoding,
                          std::function<std::string(std::string_view)> toPage, int slot) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    slots_.insert(slot);
    // Only the bytes are copied here; the checksum and the write are the writer's, off the window's thread.
    next_[slot] =
        Job{std::move(page), std::move(pagePath), std::move(encoding), static_cast<int64_t>(std::time(nullptr)),
            false,           std::move(toPage)};
  }
  wake_.notify_all();
}

void RecoveryKeeper::drop(int slot) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    next_[slot] = Job{{}, {}, {}, 0, true, {}};
  }
  wake_.notify_all();
}

void RecoveryKeeper::waitUntilWritten() {
  std::unique_lock<std::mutex> lock(mutex_);
  idle_.wait(lock, [this] { return next_.empty() && !busy_; });
}

std::optional<std::string> RecoveryKeeper::takeFailure() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!failure_ || failureSaid_) return std::nullopt;
  failureSaid_ = true;
  return failure_;
}

void RecoveryKeeper::writer() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return !next_.empty() || stopping_; });
    if (next_.empty()) return;
    const int slot = next_.begin()->first;
    Job job = std::move(next_.begin()->second);
    next_.erase(next_.begin());
    const std::string copyPath = this->copyPath(slot);
    busy_ = true;
    lock.unlock();
    std::optional<std::string> failed;
    if (job.toPage) job.page = job.toPage(job.page);
    if (job.drop) {
      ::unlink(copyPath.c_str());
    } else if (const WriteResult w =
                   writeFileAtomic(copyPath, recoveryCopyBytes(job.pagePath, job.encoding, job.savedAt, job.page));
               !w.ok) {
      failed = w.error;
    }
    lock.lock();
    busy_ = false;
    if (failed)
      failure_ = "The recovery copy of the page could not be written in " + folder_ + ": " + *failed + ".";
    else if (!job.drop)
      failureSaid_ = false;  // a later failure is said again
    if (next_.empty()) idle_.notify_all();
    if (stopping_ && next_.empty()) return;
  }
}

std::vector<RecoveryCopy> RecoveryKeeper::leftBehind() {
  std::vector<RecoveryCopy> found;
  const std::string& folder = folder_;
  std::vector<std::string> names;
  if (DIR* d = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(d)) names.emplace_back(e->d_name);
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  const std::string& me = name_;
  for (const std::string& name : names) {
    const bool copy = name.size() > 5 && name.compare(name.size() - 5, 5, ".copy") == 0;
    const bool claimed = name.find(".claimed") != std::string::npos;
    if (!copy && !claimed) continue;
    const std::string owner = name.substr(0, name.find('.'));
    // A running instance's own copy, or one it has claimed and is offering.
    if (owner == me || heldByAnother(folder + owner + ".lock")) continue;
    // Claimed by renaming: of two instances starting together, one rename succeeds.
    // The name this instance claims it by keeps the copy's own name once, however often it was claimed.
    std::string own = name;
    for (size_t at; (at = own.find(".claimed-")) != std::string::npos;) own.erase(0, at + 9);
    const std::string mine = folder + me + ".claimed-" + own;
    if (::rename((folder + name).c_str(), mine.c_str()) != 0) continue;
    if (copy) ::unlink((folder + owner + ".lock").c_str());
    const auto bytes = readWholeFile(mine);
    RecoveryCopy c = bytes ? readRecoveryCopy(mine, *bytes) : RecoveryCopy{mine, {}, {}, 0, {}, "it cannot be read"};
    if (!c.damaged.empty()) {
      const std::string aside = folder + "damaged-" + me + "-" + std::to_string(found.size()) + ".set-aside";
      if (::rename(mine.c_str(), aside.c_str()) == 0) c.file = aside;
    }
    found.push_back(std::move(c));
  }
  return found;
}

void RecoveryKeeper::remove(const std::string& copyFile) { ::unlink(copyFile.c_str()); }

}  // namespace quillon
