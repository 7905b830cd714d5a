#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// The whole file's bytes, or nothing when it cannot be read (missing, a folder, no permission).
std::optional<std::string> readWholeFile(const std::string& path);

struct WriteResult {
  bool ok = false;
  std::string error;  // the system's reason, when !ok
};

// Writes a temporary file beside the target, flushes it to disk and renames it over the target, so the
// target is either the old file or the new one, never a half-written mix. Keeps an existing file's mode.
WriteResult writeFileAtomic(const std::string& path, std::string_view bytes);

bool isDirectory(const std::string& path);
bool fileExists(const std::string& path);
// Creates one folder; false when it could not (it exists already, or the parent is missing).
bool makeDirectory(const std::string& path);

}  // namespace quillon
