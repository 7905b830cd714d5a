#include "project/site_replace.h"

#include "base/file_io.h"
#include "editor/search.h"

namespace quillon {

FileReplaceResult replaceInFile(const std::string& path, std::string_view find, std::string_view replacement,
                                bool matchCase) {
  FileReplaceResult result;
  if (find.empty()) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  const auto bytes = readWholeFile(path);
  if (!bytes) return result;
  ReplaceAllResult replaced = replaceAll(*bytes, find, replacement, matchCase);
  result.count = replaced.count;
  if (replaced.count == 0) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  const WriteResult written = writeFileAtomicInBatch(path, replaced.text);
  result.outcome = written.ok ? FileReplaceOutcome::Replaced : FileReplaceOutcome::WriteFailed;
  result.error = written.error;
  return result;
}

bool validBackupFolderName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace quillon
