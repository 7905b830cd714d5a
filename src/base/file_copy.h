#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/file_io.h"

namespace quillon {

// Copies a regular file's bytes to `target`, replacing a file of that name: the bytes go to a temporary
// beside the target, which is then renamed over it, so a failure never leaves a part-copied file. A link
// at the target is replaced by the copy, never followed out of the target's folder. The copy carries the
// time of copying. Data reaches the disk at syncFileSystemOf, not per file, so that thousands of copies stay
// fast.
WriteResult copyFileReplacing(const std::string& source, const std::string& target);

// Writes bytes to `target` the same way: a temporary beside it renamed over it, a link there replaced. The
// file gets the permission bits `mode`.
WriteResult writeFileReplacing(const std::string& target, std::string_view bytes, unsigned mode = 0644);

// The permission bits of a file, or nothing when it is not there.
std::optional<unsigned> permissionsOf(const std::string& path);

// A path with "." and ".." resolved and every link followed, as far as the path exists; the rest, which does
// not exist yet, is appended as written. Folders end in '/' when the path given did.
std::string resolvedPath(const std::string& path);

// Whether `folder`, with every link in its path followed, lies inside `root` (or is it).
bool staysInside(const std::string& folder, const std::string& root);

// The same file reached by two paths (a link, "./", a doubled slash) has one identity.
struct FileIdentity {
  unsigned long long device = 0;
  unsigned long long inode = 0;
  bool operator<(const FileIdentity& o) const { return device != o.device ? device < o.device : inode < o.inode; }
};
std::optional<FileIdentity> identityOf(const std::string& path);

// Flushes everything written on the file system that holds `folder`.
void syncFileSystemOf(const std::string& folder);

// Creates a folder and any missing parents; true when it exists afterwards.
bool makeDirectories(const std::string& path);

}  // namespace quillon
