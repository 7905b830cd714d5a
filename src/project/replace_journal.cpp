#include "project/replace_journal.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <set>
#include <thread>

#include "base/file_copy.h"
#include "base/sha256.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr std::string_view kHeader = "Quillon replace journal 1";
const char* const kJournalsFolder = "replace-undo/";

// The whole lines of a journal; one cut short by a kill is left out.
std::vector<std::string> journalLines(const std::string& folder) {
  std::vector<std::string> lines;
  const auto bytes = readWholeFile(folder + "journal");
  if (!bytes) return lines;
  for (size_t start = 0;;) {
    const size_t end = bytes->find("\r\n", start);
    if (end == std::string::npos) break;
    lines.push_back(bytes->substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

void removeFolder(const std::string& folder);

// A file of the journal's own folder, new by its name: written whole and on disk before the journal line
// that names it. A kill part-way leaves a copy no line names, which an undo never reads.
WriteResult writeNewFileDurably(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return {false, std::strerror(errno), path};
  size_t done = 0;
  int error = 0;
  while (done < bytes.size() && !error) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n > 0)
      done += static_cast<size_t>(n);
    else
      error = n < 0 ? errno : ENOSPC;
  }
  if (!error && ::fdatasync(fd) != 0) error = errno;
  ::close(fd);
  if (!error) return {true, {}, {}};
  ::unlink(path.c_str());
  return {false, error == ENOSPC ? "The disk is full" : std::strerror(error), path};
}

// A journal leaves at once: renamed to a hidden name (which no listing takes), so that a kill part-way
// through deleting its files never leaves half a journal to be undone. The hidden folder is returned.
std::string hideJournal(const std::string& folder) {
  std::string hidden = folder;
  while (!hidden.empty() && hidden.back() == '/') hidden.pop_back();
  const size_t slash = hidden.rfind('/');
  hidden.insert(slash + 1, ".removed-");
  if (::rename(folder.c_str(), hidden.c_str()) != 0) return folder;
  return hidden + "/";
}

void removeJournal(const std::string& folder) { removeFolder(hideJournal(folder)); }

void removeFolder(const std::string& folder) {
  if (DIR* d = ::opendir(folder.c_str())) {
    while (const dirent* e = ::readdir(d))
      if (std::string_view(e->d_name) != "." && std::string_view(e->d_name) != "..")
        ::unlink((folder + e->d_name).c_str());
    ::closedir(d);
  }
  ::rmdir(folder.c_str());
}

std::vector<std::string> runFolders(const std::string& dataFolder) {
  std::vector<std::string> names;
  if (DIR* d = ::opendir((dataFolder + kJournalsFolder).c_str())) {
    while (const dirent* e = ::readdir(d))
      if (e->d_name[0] != '.') names.emplace_back(e->d_name);
    ::closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

ReplaceJournal ReplaceJournal::begin(const std::string& dataFolder, const std::string& what, WriteResult& result) {
  ReplaceJournal j;
  const std::string parent = dataFolder + kJournalsFolder;
  if (!isDirectory(parent)) makeDirectory(parent);
  // Named by the time it began, so that names sort by age; the process number keeps two instances apart.
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &t);
  for (int n = 0; n < 1000; ++n) {
    const std::string folder = parent + stamp + "-" + std::to_string(::getpid()) + "-" + std::to_string(n) + "/";
    if (makeDirectory(folder)) {
      j.folder_ = folder;
      break;
    }
  }
  if (j.folder_.empty()) {
    result = {false, "No folder for the undo journal could be made", parent};
    return j;
  }
  result = writeFileAtomic(j.folder_ + "journal", std::string(kHeader) + "\t" + fieldEscaped(what) + "\t" +
                                                      std::to_string(static_cast<long long>(now)) + "\r\n");
  return j;
}

WriteResult ReplaceJournal::append(const std::string& line) {
  const std::string path = folder_ + "journal";
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return {false, std::strerror(errno), path};
  const ssize_t n = ::write(fd, line.data(), line.size());
  const int error = errno;
  // The line must be on disk before the file it speaks of is touched.
  const bool synced = n == static_cast<ssize_t>(line.size()) && ::fdatasync(fd) == 0;
  ::close(fd);
  if (!synced) return {false, n < 0 ? std::strerror(error) : "The disk is full", path};
  return {true, {}, {}};
}

WriteResult ReplaceJournal::aboutToChange(const std::string& path, std::string_view before, std::string_view after) {
  const std::string copy = std::to_string(++files_) + ".before";
  if (const WriteResult kept = writeNewFileDurably(folder_ + copy, before); !kept.ok) return kept;
  return append("file\t" + copy + "\t" + fieldEscaped(path) + "\t" + sha256Hex(before) + "\t" + sha256Hex(after) +
                "\t" + std::to_string(after.size()) + "\r\n");
}

WriteResult ReplaceJournal::notChanged() { return append("skip\t" + std::to_string(files_) + ".before\r\n"); }

WriteResult ReplaceJournal::end() { return append("end\r\n"); }

void ReplaceJournal::discardIfEmpty() {
  if (files_ == 0 && !folder_.empty()) removeJournal(folder_);
}

std::vector<ReplaceRunInfo> undoableRuns(const std::string& dataFolder) {
  std::vector<ReplaceRunInfo> runs;
  const auto names = runFolders(dataFolder);
  for (auto it = names.rbegin(); it != names.rend(); ++it) {
    ReplaceRunInfo info;
    info.folder = dataFolder + kJournalsFolder + *it + "/";
    const auto lines = journalLines(info.folder);
    if (lines.empty()) continue;
    const auto head = tabFields(lines[0]);
    if (head.size() != 3 || head[0] != kHeader) continue;
    info.what = fieldUnescaped(head[1]).value_or("");
    const std::time_t when = static_cast<std::time_t>(std::atoll(std::string(head[2]).c_str()));
    std::tm t{};
    localtime_r(&when, &t);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &t);
    info.when = text;
    for (const std::string& line : lines) {
      if (line.rfind("file\t", 0) == 0) ++info.files;
      if (line.rfind("skip\t", 0) == 0 && info.files) --info.files;
      if (line == "end") info.finished = true;
    }
    if (info.files) runs.push_back(std::move(info));
  }
  return runs;
}

namespace {

struct UndoEntry {
  std::string path, copy, beforeSha, afterSha;
};

enum class UndoOutcome { AsBefore, Restored, ChangedSince, Failed };

struct UndoneFile {
  UndoOutcome outcome = UndoOutcome::AsBefore;
  std::string failure;
};

UndoneFile undoFile(const UndoEntry& e) {
  // Taken before the file is read, so that a change made while it is read is a change since.
  const auto stamp = stampOf(e.path);
  const auto now = fileSha256(e.path);
  // As before already: never written, or restored by an undo cut short (whose copy has then gone).
  if (now && *now == e.beforeSha) return {};
  if (!now || *now != e.afterSha) return {UndoOutcome::ChangedSince, {}};
  const auto before = readWholeFile(e.copy);
  if (!before || sha256Hex(*before) != e.beforeSha)
    return {UndoOutcome::Failed, e.path + ": the copy of its bytes before the replace is damaged"};
  // The copy itself goes back in the file's place where it can: nothing is written but a name.
  const WriteResult written = moveFileIntoPlaceInBatch(e.path, e.copy, *before, stamp ? &*stamp : nullptr);
  if (written.ok) return {UndoOutcome::Restored, {}};
  if (written.changedMeanwhile) return {UndoOutcome::ChangedSince, {}};
  return {UndoOutcome::Failed, e.path + ": " + written.error};
}

}  // namespace

UndoResult undoRun(const std::string& runFolder) {
  UndoResult result;
  const auto lines = journalLines(runFolder);
  std::set<std::string> skipped;  // copies of files the run never rewrote
  for (const std::string& line : lines)
    if (line.rfind("skip\t", 0) == 0) skipped.insert(line.substr(5));
  std::vector<UndoEntry> entries;
  std::set<std::string> paths;
  for (const std::string& line : lines) {
    const auto f = tabFields(line);
    if (f.size() != 6 || f[0] != "file" || skipped.count(std::string(f[1]))) continue;
    const auto path = fieldUnescaped(f[2]);
    if (!path) continue;
    paths.insert(*path);
    entries.push_back({*path, runFolder + std::string(f[1]), std::string(f[3]), std::string(f[4])});
  }
  // Files are read, checked and put back on several threads at once (reading and hashing them is most of
  // the time); one named twice keeps a single thread, so its entries go in order.
  std::vector<UndoneFile> done(entries.size());
  std::atomic<size_t> next{0};
  const auto work = [&] {
    for (size_t i; (i = next++) < entries.size();) done[i] = undoFile(entries[i]);
  };
  const unsigned threads =
      paths.size() == entries.size() ? std::max(1u, std::min(4u, std::thread::hardware_concurrency())) : 1u;
  std::vector<std::thread> pool;
  for (unsigned t = 1; t < threads && t < entries.size(); ++t) pool.emplace_back(work);
  work();
  for (std::thread& t : pool) t.join();

  std::vector<std::string> touched;
  for (size_t i = 0; i < entries.size(); ++i) {
    switch (done[i].outcome) {
      case UndoOutcome::AsBefore:
        break;
      case UndoOutcome::Restored:
        result.restored.push_back(entries[i].path);
        touched.push_back(std::string(folderPart(entries[i].path)));
        break;
      case UndoOutcome::ChangedSince:
        result.changedSince.push_back(entries[i].path);
        break;
      case UndoOutcome::Failed:
        result.failed.push_back(done[i].failure);
        break;
    }
  }
  // Every file is on disk before the journal that could restore them goes: one sync for each file system.
  std::set<dev_t> synced;
  for (const std::string& folder : touched) {
    struct stat st {};
    const std::string where = folder.empty() ? "." : folder;
    if (::stat(where.c_str(), &st) == 0 && synced.insert(st.st_dev).second) syncFileSystemOf(where);
  }
  if (result.ok()) result.undoneJournal = hideJournal(runFolder);
  return result;
}

void removeUndoneJournal(const std::string& hiddenFolder) {
  if (!hiddenFolder.empty()) removeFolder(hiddenFolder);
}

void pruneReplaceJournals(const std::string& dataFolder, size_t keep) {
  const auto names = runFolders(dataFolder);
  for (size_t i = 0; i + keep < names.size(); ++i) removeJournal(dataFolder + kJournalsFolder + names[i] + "/");
  // Journals whose removal a kill cut short.
  if (DIR* d = ::opendir((dataFolder + kJournalsFolder).c_str())) {
    std::vector<std::string> leftovers;
    while (const dirent* e = ::readdir(d))
      if (std::string_view(e->d_name).rfind(".removed-", 0) == 0) leftovers.emplace_back(e->d_name);
    ::closedir(d);
    for (const std::string& name : leftovers) removeFolder(dataFolder + kJournalsFolder + name + "/");
  }
}

}  // namespace quillon
