#pragma once

#include <string>

#include "base/file_io.h"

namespace quillon {

// Copies a regular file's bytes to `target`, replacing a file of that name: the bytes go to a temporary
// beside the target, which is then renamed over it, so a failure never leaves a part-copied file. A link
// at the target is replaced by the copy, never followed out of the target's folder. The copy carries the
// time of copying. Data reaches the disk at syncFileSystemOf, not per file, so that thousands of copies stay
// fast.
WriteResult copyFileReplacing(const std::string& source, const std::string& target);

// Flushes everything written on the file system that holds `folder`.
void syncFileSystemOf(const std::string& folder);

// Creates a folder and any missing parents; true when it exists afterwards.
bool makeDirectories(const std::string& path);

}  // namespace quillon
