#include "base/file_io.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kTempMark = ".quillon-";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr std::string_view kBackupSuffix = ".bak";
constexpr std::string_view kCommitSuffix = ".commit";
constexpr std::string_view kFreshSuffix = ".new";  // the complete new bytes of an in-place rewrite

// ".NAME.quillon-PID-XXXXXX" + suffix, as makeSibling names them.
bool isSiblingName(std::string_view name, std::string_view suffix, long* pid) {
  if (name.size() < 1 + kTempMark.size() + 1 + 7 + suffix.size() || name[0] != '.') return false;
  if (name.substr(name.size() - suffix.size()) != suffix) return false;
  const size_t dash = name.size() - suffix.size() - 7;  // "-XXXXXX"
  if (name[dash] != '-') return false;
  size_t digits = dash;
  while (digits > 0 && name[digits - 1] >= '0' && name[digits - 1] <= '9') --digits;
  if (digits == dash || digits < kTempMark.size() + 1 || dash - digits > 9) return false;
  if (name.substr(digits - kTempMark.size(), kTempMark.size()) != kTempMark) return false;
  if (pid) *pid = std::stol(std::string(name.substr(digits, dash - digits)));
  return true;
}

bool processIsGone(long pid) {
  return pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

WriteResult failure(const std::string& path, int err) { return {false, std::strerror(err), path}; }
WriteResult failure(const std::string& path, std::string reason) { return {false, std::move(reason), path}; }

std::string folderOf(const std::string& path) {
  std::string folder(folderPart(path));
  return folder.empty() ? "./" : folder;
}

// Follows symbolic links (also dangling ones, whose target is then created) to the file really written.
std::string resolveLinks(const std::string& path) {
  std::string p = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return p;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
    const ssize_t n = ::readlink(p.c_str(), target.data(), target.size());
    if (n < 0) return p;
    target.resize(static_cast<size_t>(n));
    p = !target.empty() && target[0] == '/' ? target : std::string(folderPart(p)) + target;
  }
  return p;
}

void syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

bool writeAll(int fd, std::string_view bytes, off_t at) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    const ssize_t w = ::pwrite(fd, p, left, at);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += w;
    at += w;
    left -= static_cast<size_t>(w);
  }
  return true;
}

// A file made by mkstemps beside `target`: ".NAME.quillon-PID-XXXXXX" + suffix.
int makeSibling(const std::string& target, std::string_view suffix, std::string& name) {
  name = folderOf(target) + "." + std::string(fileNamePart(target)) + std::string(kTempMark) +
         std::to_string(::getpid()) + "-XXXXXX" + std::string(suffix);
  return ::mkstemps(name.data(), static_cast<int>(suffix.size()));
}

// One file's replacement, prepared so that committing it cannot fail for want of space.
struct PendingWrite {
  std::string target;      // the real file, links followed
  std::string temp;        // the complete new file, renamed over the target on commit
  std::string backup;      // in-place writes: a copy of the old bytes
  std::string fresh;       // in-place writes: a synced copy of the new bytes, there while the rewrite runs
  std::string_view bytes;  // in-place writes: what is written over the target
  bool inPlace = false;
  bool durable = true;  // synced to disk before the rename; otherwise the caller syncs once later
};

// Before a file is rewritten in place, both its old and its new bytes are complete and synced beside it:
// the old ones to put back if the rewrite fails, the new ones (named ".new" only once complete) from which
// a rewrite cut short by a crash is finished at the next start or open (completeInterruptedWrites).
WriteResult copyToBackup(PendingWrite& w) {
  const auto old = readWholeFile(w.target);
  if (!old) return failure(w.target, errno ? errno : EIO);
  const int fd = makeSibling(w.target, kBackupSuffix, w.backup);
  if (fd < 0) return failure(w.target, errno);
  const bool ok = ::fchmod(fd, 0600) == 0 && writeAll(fd, *old, 0) && ::fsync(fd) == 0;
  const int err = errno;
  ::close(fd);
  if (!ok) {
    ::unlink(w.backup.c_str());
    w.backup.clear();
    return failure(w.target, err);
  }
  std::string temp;
  const int freshFd = makeSibling(w.target, kTempSuffix, temp);
  if (freshFd < 0) return failure(w.target, errno);
  const bool written = ::fchmod(freshFd, 0600) == 0 && writeAll(freshFd, w.bytes, 0) && ::fsync(freshFd) == 0;
  const int writeErr = errno;
  ::close(freshFd);
  std::string fresh = temp.substr(0, temp.size() - kTempSuffix.size()) + std::string(kFreshSuffix);
  if (!written || ::rename(temp.c_str(), fresh.c_str()) != 0) {
    ::unlink(temp.c_str());
    return failure(w.target, written ? errno : writeErr);
  }
  w.fresh = std::move(fresh);
  syncFolder(folderOf(w.target));
  return {true, {}, {}};
}

// Rewrites a file's bytes where they are (hard links kept): true when written, truncated and synced.
bool rewriteInPlace(const std::string& target, std::string_view bytes) {
  const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return false;
  const bool ok = writeAll(fd, bytes, 0) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
  const int err = errno;
  ::close(fd);
  errno = err;
  return ok;
}

WriteResult prepare(const std::string& path, std::string_view bytes, PendingWrite& w) {
  w.target = resolveLinks(path);
  w.bytes = bytes;
  const std::string folder = folderOf(w.target);
  struct stat st {};
  const bool exists = ::stat(w.target.c_str(), &st) == 0;
  if (exists) {
    if (S_ISDIR(st.st_mode)) return failure(w.target, EISDIR);
    if (!S_ISREG(st.st_mode)) return failure(w.target, "It is not a regular file");
    if ((st.st_mode & 0222) == 0 || ::access(w.target.c_str(), W_OK) != 0) {
      if (errno == EROFS) return failure(w.target, EROFS);
      return failure(w.target, "The file is read-only");
    }
    // Renaming a new file over one with hard links would split them.
    w.inPlace = st.st_nlink > 1;
  }
  if (w.durable) removeStaleTemporaries(folder);

  if (!w.inPlace) {
    const int fd = makeSibling(w.target, kTempSuffix, w.temp);
    if (fd < 0) {
      // A folder we may not write: no temporary and no backup copy can be made, so nothing is written.
      const int err = errno;
      w.temp.clear();
      return failure(w.target, err);
    } else {
      mode_t mode = 0666;
      if (exists) {
        mode = st.st_mode & 07777;
      } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
      }
      bool keepsOwner = true;
      if (exists && (st.st_uid != ::geteuid() || st.st_gid != ::getegid()))
        keepsOwner = ::fchown(fd, st.st_uid, st.st_gid) == 0;
      if (!keepsOwner) {
        ::close(fd);
        ::unlink(w.temp.c_str());
        w.temp.clear();
        w.inPlace = true;
      } else {
        const bool ok = writeAll(fd, bytes, 0) && ::fchmod(fd, mode) == 0 && (!w.durable || ::fsync(fd) == 0);
        const int err = errno;
        if (::close(fd) != 0 || !ok) {
          ::unlink(w.temp.c_str());
          w.temp.clear();
          return failure(w.target, ok ? errno : err);
        }
      }
    }
  }
  if (w.inPlace) return copyToBackup(w);
  return {true, {}, {}};
}

void abandon(PendingWrite& w) {
  if (!w.temp.empty()) ::unlink(w.temp.c_str());
  if (!w.fresh.empty()) ::unlink(w.fresh.c_str());
  if (!w.backup.empty()) ::unlink(w.backup.c_str());
  w.temp.clear();
  w.fresh.clear();
  w.backup.clear();
}

// Writes over the target's own bytes; on failure the old bytes are put back from the backup copy, which is
// kept if even that fails.
WriteResult writeInPlace(PendingWrite& w) {
  const int fd = ::open(w.target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return failure(w.target, errno);
  bool ok = writeAll(fd, w.bytes, 0) && ::ftruncate(fd, static_cast<off_t>(w.bytes.size())) == 0 && ::fsync(fd) == 0;
  const int err = errno;
  if (!ok) {
    const auto old = readWholeFile(w.backup);
    const bool restored =
        old && writeAll(fd, *old, 0) && ::ftruncate(fd, static_cast<off_t>(old->size())) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    // Put back: the new copy must not finish the rewrite later. Not put back: both copies stay, and the
    // next start finishes the rewrite from the new one.
    if (restored) {
      ::unlink(w.fresh.c_str());
      ::unlink(w.backup.c_str());
    }
    w.fresh.clear();
    w.backup.clear();
    return failure(w.target, err);
  }
  ::close(fd);
  // The old copy goes first: a new copy left alone by a crash here only rewrites the same bytes again.
  ::unlink(w.backup.c_str());
  ::unlink(w.fresh.c_str());
  syncFolder(folderOf(w.target));
  w.fresh.clear();
  w.backup.clear();
  return {true, {}, {}};
}

// A file left alone because another program changed it since the caller read it.
WriteResult leftAsChanged(const std::string& target) {
  WriteResult left = failure(target, "Another program changed the file meanwhile");
  left.changedMeanwhile = true;
  return left;
}

WriteResult commit(PendingWrite& w) {
  if (w.inPlace) return writeInPlace(w);
  if (::rename(w.temp.c_str(), w.target.c_str()) != 0) {
    const int err = errno;
    abandon(w);
    return failure(w.target, err);
  }
  w.temp.clear();
  if (w.durable) syncFolder(folderOf(w.target));
  return {true, {}, {}};
}

}  // namespace

OpenCheck checkOpenable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == EACCES ? OpenCheck::NoPermission : OpenCheck::Missing;
  if (!S_ISREG(st.st_mode)) return OpenCheck::NotRegular;
  if (::access(path.c_str(), R_OK) != 0) return OpenCheck::NoPermission;
  return OpenCheck::Ok;
}

std::optional<std::string> readWholeFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  // Non-blocking, so that a FIFO swapped in after the check cannot hold the program.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return std::nullopt;
  }
  std::string data;
  data.resize(static_cast<size_t>(st.st_size));
  size_t got = 0;
  for (;;) {
    if (got == data.size()) data.resize(data.size() + 65536);  // the file grew while being read
    const ssize_t r = ::read(fd, data.data() + got, data.size() - got);
    if (r < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      return std::nullopt;
    }
    if (r == 0) break;
    got += static_cast<size_t>(r);
  }
  ::close(fd);
  data.resize(got);
  return data;
}

std::optional<int64_t> regularFileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  return static_cast<int64_t>(st.st_size);
}

PieceReader::PieceReader(const std::string& path) {
  if (checkOpenable(path) != OpenCheck::Ok) return;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat st {};
  if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
    ::close(fd_);
    fd_ = -1;
  }
  if (fd_ >= 0) size_ = static_cast<size_t>(st.st_size);
}

PieceReader::~PieceReader() {
  if (fd_ >= 0) ::close(fd_);
}

bool PieceReader::readAt(size_t offset, char* buffer, size_t length) const {
  size_t got = 0;
  while (got < length) {
    const ssize_t r = ::pread(fd_, buffer + got, length - got, static_cast<off_t>(offset + got));
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    got += static_cast<size_t>(r);
  }
  return true;
}

std::optional<FileStamp> stampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return std::nullopt;
  return FileStamp{static_cast<int64_t>(st.st_size),
                   static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

WriteResult writeFileAtomic(const std::string& path, std::string_view bytes) {
  return writeFilesTogether({{path, bytes}});
}

WriteResult writeFileAtomicInBatch(const std::string& path, std::string_view bytes, const FileStamp* unchangedSince) {
  PendingWrite w;
  w.durable = false;
  WriteResult r = prepare(path, bytes, w);
  if (!r.ok) {
    abandon(w);
    return r;
  }
  if (unchangedSince && stampOf(w.target) != *unchangedSince) {
    abandon(w);
    return leftAsChanged(w.target);
  }
  return commit(w);
}

WriteResult moveFileIntoPlaceInBatch(const std::string& path, const std::string& replacement, std::string_view bytes,
                                     const FileStamp* unchangedSince) {
  const std::string target = resolveLinks(path);
  struct stat st {
  }, own{};
  const bool movable = ::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_nlink == 1 &&
                       st.st_uid == ::geteuid() && st.st_gid == ::getegid() && (st.st_mode & 0222) != 0 &&
                       ::access(target.c_str(), W_OK) == 0 && ::lstat(replacement.c_str(), &own) == 0 &&
                       S_ISREG(own.st_mode) && own.st_nlink == 1 && own.st_dev == st.st_dev &&
                       own.st_ino != st.st_ino && ::chmod(replacement.c_str(), st.st_mode & 07777) == 0;
  if (movable) {
    if (unchangedSince && stampOf(target) != *unchangedSince) return leftAsChanged(target);
    if (::renameat2(AT_FDCWD, replacement.c_str(), AT_FDCWD, target.c_str(), RENAME_EXCHANGE) == 0)
      return {true, {}, {}};
  }
  return writeFileAtomicInBatch(path, bytes, unchangedSince);
}

WriteResult writeFilesTogether(const std::vector<std::pair<std::string, std::string_view>>& files) {
  std::vector<PendingWrite> pending(files.size());
  for (size_t i = 0; i < files.size(); ++i) {
    WriteResult r = prepare(files[i].first, files[i].second, pending[i]);
    if (!r.ok) {
      for (size_t j = 0; j <= i; ++j) abandon(pending[j]);
      return r;
    }
  }
  // Several renames cannot happen at once: a list of them is put down first, so that if the program dies
  // between two renames, the next write into (or project load from) the folder finishes the rest.
  std::string marker;
  const bool journal = pending.size() > 1 &&
                       std::none_of(pending.begin(), pending.end(), [](const PendingWrite& w) { return w.inPlace; });
  if (journal) {
    std::string list;
    for (const PendingWrite& w : pending) list += w.temp + '\0' + w.target + '\0';
    std::string temp;
    const int fd = makeSibling(pending[0].target, kTempSuffix, temp);
    const bool ok = fd >= 0 && writeAll(fd, list, 0) && ::fsync(fd) == 0;
    const int err = errno;
    if (fd >= 0) ::close(fd);
    if (ok) {
      marker = temp.substr(0, temp.size() - kTempSuffix.size()) + std::string(kCommitSuffix);
      if (::rename(temp.c_str(), marker.c_str()) != 0) marker.clear();
    }
    if (marker.empty()) {
      if (fd >= 0) ::unlink(temp.c_str());
      for (PendingWrite& w : pending) abandon(w);
      return failure(pending[0].target, ok ? errno : err);
    }
    syncFolder(folderOf(marker));
  }
  WriteResult result{true, {}, {}};
  for (PendingWrite& w : pending) {
    if (!result.ok) {
      abandon(w);
      continue;
    }
    result = commit(w);
  }
  if (!marker.empty()) ::unlink(marker.c_str());
  return result;
}

bool isTemporaryName(std::string_view name, long* pid) { return isSiblingName(name, kTempSuffix, pid); }

// The file a sibling ".NAME.quillon-PID-XXXXXX.suffix" belongs to: NAME.
std::string siblingTarget(std::string_view sibling) {
  const size_t mark = sibling.rfind(kTempMark);
  return mark == std::string_view::npos || mark < 1 ? std::string() : std::string(sibling.substr(1, mark - 1));
}

// The ".NAME.quillon-PID-" part that an in-place rewrite's copies share.
std::string_view siblingStem(std::string_view sibling) { return sibling.substr(0, sibling.rfind('-') + 1); }

size_t completeInterruptedWrites(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  std::vector<std::string> markers, fresh, backups;
  while (const dirent* entry = ::readdir(dir)) {
    long pid = 0;
    if (isSiblingName(entry->d_name, kCommitSuffix, &pid) && processIsGone(pid)) markers.push_back(entry->d_name);
    if (isSiblingName(entry->d_name, kFreshSuffix, &pid) && processIsGone(pid)) fresh.push_back(entry->d_name);
    if (isSiblingName(entry->d_name, kBackupSuffix, &pid) && processIsGone(pid)) backups.push_back(entry->d_name);
  }
  ::closedir(dir);
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  // An in-place rewrite cut short: its complete new bytes are there, so the rewrite is finished from them.
  // An old copy without new bytes beside it was made by a writer that died before the rewrite began: it is
  // removed when it matches the file, and kept (for the user, see finishInterruptedSave) when it does not.
  for (const std::string& name : fresh) {
    const auto bytes = readWholeFile(prefix + name);
    const std::string target = prefix + siblingTarget(name);
    if (!bytes || !rewriteInPlace(target, *bytes)) continue;  // kept, for the next try
    ::unlink((prefix + name).c_str());
    for (const std::string& backup : backups)
      if (siblingStem(backup) == siblingStem(name)) ::unlink((prefix + backup).c_str());
  }
  for (const std::string& backup : backups) {
    const bool pending = std::any_of(fresh.begin(), fresh.end(), [&](const std::string& f) {
      return siblingStem(f) == siblingStem(backup) && fileExists(prefix + f);
    });
    if (pending) continue;
    const auto copy = readWholeFile(prefix + backup);
    const auto now = readWholeFile(prefix + siblingTarget(backup));
    if (copy && now && *copy == *now) ::unlink((prefix + backup).c_str());
  }
  if (!fresh.empty() || !backups.empty()) syncFolder(prefix);
  for (const std::string& name : markers) {
    const auto list = readWholeFile(prefix + name);
    if (!list) continue;
    // NUL-separated pairs: temporary, target. A temporary still there was not renamed before the writer died.
    std::vector<std::string> parts;
    for (size_t at = 0; at < list->size();) {
      const size_t end = list->find('\0', at);
      if (end == std::string::npos) break;
      parts.push_back(list->substr(at, end - at));
      at = end + 1;
    }
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
      if (fileExists(parts[i])) ::rename(parts[i].c_str(), parts[i + 1].c_str());
    syncFolder(prefix);
    ::unlink((prefix + name).c_str());
  }
  return markers.size() + fresh.size();
}

InterruptedSave finishInterruptedSave(const std::string& path) {
  InterruptedSave result;
  const std::string target = resolveLinks(path);
  const std::string folder = folderOf(target);
  struct stat own {};
  if (::stat(target.c_str(), &own) != 0) return result;
  // The copies are named after the name that was saved; a hard link of the same folder finds them too.
  const auto siblings = [&](std::string_view suffix) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
      long pid = 0;
      const std::string_view name = entry->d_name;
      if (!isSiblingName(name, suffix, &pid) || !processIsGone(pid)) continue;
      struct stat st {};
      if (::stat((folder + siblingTarget(name)).c_str(), &st) == 0 && st.st_dev == own.st_dev &&
          st.st_ino == own.st_ino)
        names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
  };
  const bool fresh = !siblings(kFreshSuffix).empty();
  if (fresh || !siblings(kBackupSuffix).empty()) completeInterruptedWrites(folder);
  result.finished = fresh && siblings(kFreshSuffix).empty();
  const std::vector<std::string> kept = siblings(kBackupSuffix);
  if (!kept.empty()) result.oldCopy = folder + kept.front();
  return result;
}

size_t removeStaleTemporaries(const std::string& folder) {
  // Files written together by a process that died part-way through renaming them are finished first, so
  // that their temporaries are renamed rather than removed.
  completeInterruptedWrites(folder);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return 0;
  size_t removed = 0;
  while (const dirent* entry = ::readdir(dir)) {
    long pid = 0;
    if (!isTemporaryName(entry->d_name, &pid) || !processIsGone(pid)) continue;
    if (::unlinkat(::dirfd(dir), entry->d_name, 0) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

bool isDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool makeDirectory(const std::string& path) { return ::mkdir(path.c_str(), 0777) == 0; }

FolderLock::FolderLock(const std::string& folder) {
  fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ >= 0)
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

uint64_t availableMemory() {
  FILE* f = std::fopen("/proc/meminfo", "re");
  if (!f) return 0;
  char line[256];
  uint64_t kb = 0;
  while (std::fgets(line, sizeof line, f))
    if (std::sscanf(line, "MemAvailable: %lu kB", &kb) == 1) break;
  std::fclose(f);
  return kb * 1024;
}

}  // namespace quillon
