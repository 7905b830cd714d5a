#include "project/site_replace.h"

#include "base/file_io.h"
#include "base/text_bytes.h"
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
  // An 8-bit page is searched and written in its own encoding, as the editor keeps it.
  const bool eightBit = !isValidUtf8(*bytes);
  const std::string pageFind = eightBit ? toDocumentEncoding(find, false) : std::string(find);
  const std::string pageReplacement = eightBit ? toDocumentEncoding(replacement, false) : std::string(replacement);
  ReplaceAllResult replaced = replaceAll(*bytes, pageFind, pageReplacement, matchCase);
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
