#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

// Why a file cannot be opened as a document.
enum class OpenCheck { Ok, Missing, NotRegular, NoPermission };
// Looks at a path without opening it for reading: a FIFO or device must never be opened, since reading one
// can block for ever.
OpenCheck checkOpenable(const std::string& path);

// The size of a regular file, or nothing (missing, a folder, a device).
std::optional<int64_t> regularFileSize(const std::string& path);

// A regular file opened for reading in pieces at any offset; never a FIFO or device.
class PieceReader {
 public:
  explicit PieceReader(const std::string& path);
  ~PieceReader();
  PieceReader(const PieceReader&) = delete;
  PieceReader& operator=(const PieceReader&) = delete;
  bool isOpen() const { return fd_ >= 0; }
  size_t size() const { return size_; }
  // Fills buffer with `length` bytes from `offset`; false on a read error or an early end.
  bool readAt(size_t offset, char* buffer, size_t length) const;

 private:
  int fd_ = -1;
  size_t size_ = 0;
};

// The whole file's bytes, or nothing when it cannot be read (missing, not a regular file, no permission).
std::optional<std::string> readWholeFile(const std::string& path);

// What a file looked like when it was read or written, to notice another program changing it since.
struct FileStamp {
  int64_t size = -1;
  int64_t modifiedNs = 0;
  bool operator==(const FileStamp&) const = default;
};
std::optional<FileStamp> stampOf(const std::string& path);

struct WriteResult {
  bool ok = false;
  std::string error;              // the system's reason, when !ok
  std::string failedPath;         // the file that could not be written, when !ok
  bool changedMeanwhile = false;  // left alone: another program changed the file since it was read
};

// Replaces a file's bytes so that a crash leaves either the old or the new file, never a mix:
// - a symbolic link is followed and its target written; the link stays a link;
// - a new temporary file beside the target is written, synced and renamed over it, and the folder synced;
//   the temporary is named ".NAME.quillon-PID-XXXXXX.tmp" and stale ones of dead processes are removed;
// - mode, owner and group are kept; when they cannot be kept by a rename (another owner, hard links), the
//   file is rewritten in place after a backup copy beside it;
// - a read-only file (no write permission, or no write bit at all) is refused.
WriteResult writeFileAtomic(const std::string& path, std::string_view bytes);
// The same for one of many files written in a run: as atomic for every reader, but not synced to disk one
// by one (nor stale temporaries swept); the run ends with syncFileSystemOf (base/file_copy.h).
// With `unchangedSince`, the file is left as it is (changedMeanwhile) when its stamp differs from that one
// just before the new bytes replace it: another program changed it while the caller was working on it.
WriteResult writeFileAtomicInBatch(const std::string& path, std::string_view bytes,
                                   const FileStamp* unchangedSince = nullptr);

// The same, for bytes the caller already holds complete and on disk in a file of its own (`replacement`):
// that file and the target swap places in one step when that keeps all a rewrite would (the same file
// system, the caller's own file with one link and its mode, which the replacement takes), so nothing is
// written at all; otherwise `bytes`, the replacement's content, are written as above. After a swap the
// replacement's name holds the file it replaced, for the caller to delete when it likes (freeing its
// blocks takes longer than the swap).
WriteResult moveFileIntoPlaceInBatch(const std::string& path, const std::string& replacement, std::string_view bytes,
                                     const FileStamp* unchangedSince = nullptr);

// Writes several files that belong together: every temporary is written completely before any is renamed,
// so a failure part-way leaves all targets as they were. The renames are listed in a marker file first
// (".NAME.quillon-PID-XXXXXX.commit"); if the process dies between two renames, completeInterruptedWrites
// finishes them, so the files never disagree.
WriteResult writeFilesTogether(const std::vector<std::pair<std::string, std::string_view>>& files);

// A save of `path` by a process that died part-way: an in-place rewrite of a hard-linked file is finished
// from the complete new bytes kept beside it (`finished`). A copy of the old page that differs from the
// file and has no new bytes beside it (left by an older writer) is kept and named in `oldCopy`, for the
// user to take back.
struct InterruptedSave {
  bool finished = false;
  std::string oldCopy;
};
InterruptedSave finishInterruptedSave(const std::string& path);

// The name part of a temporary file that writeFileAtomic leaves behind only when killed.
bool isTemporaryName(std::string_view name, long* pid = nullptr);
// Finishes the renames of files written together by processes that died part-way, and the in-place rewrites
// they left unfinished; returns how many.
size_t completeInterruptedWrites(const std::string& folder);
// Finishes interrupted sets, then removes the temporaries of processes that no longer run; returns how many
// temporaries were removed.
size_t removeStaleTemporaries(const std::string& folder);

bool isDirectory(const std::string& path);
bool fileExists(const std::string& path);
// Creates one folder; false when it could not (it exists already, or the parent is missing).
bool makeDirectory(const std::string& path);

// Holds an exclusive lock on a folder while it lives, so that writers in several processes that
// re-read, change and rewrite a file of that folder take turns.
class FolderLock {
 public:
  explicit FolderLock(const std::string& folder);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

 private:
  int fd_ = -1;
};

// Bytes of memory the system could give this process now without swapping, or 0 when unknown.
uint64_t availableMemory();

}  // namespace quillon
