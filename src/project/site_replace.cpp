#include "project/site_replace.h"

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/page_encoding.h"
#include "editor/search.h"

namespace quillon {

FileReplaceResult replaceInFile(const std::string& path, std::string_view find, std::string_view replacement,
                                bool matchCase) {
  FileReplaceResult result;
  if (find.empty()) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  const auto before = stampOf(path);
  const auto bytes = readWholeFile(path);
  if (!bytes || !before) return result;
  // A page is searched and written in its own encoding, by the rule the editor reads it with (a declared
  // charset included): Latin-1 bytes into an 8-bit page, references into a page of another multi-byte set.
  const auto pageFind = textAsInPage(find, *bytes);
  if (!pageFind) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  const std::string pageReplacement = textIntoPage(replacement, pageTextOf(*bytes));
  ReplaceAllResult replaced = replaceAll(*bytes, *pageFind, pageReplacement, matchCase);
  result.count = replaced.count;
  if (replaced.count == 0) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  // A change another program made since the page was read is never lost to this run.
  const WriteResult written = writeFileAtomicInBatch(path, replaced.text, &*before);
  result.outcome = written.ok                 ? FileReplaceOutcome::Replaced
                   : written.changedMeanwhile ? FileReplaceOutcome::ChangedMeanwhile
                                              : FileReplaceOutcome::WriteFailed;
  result.error = written.error;
  return result;
}

bool validBackupFolderName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace quillon
