#include "project/site_replace.h"

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/page_encoding.h"
#include "editor/search.h"
#include "project/site_find.h"

namespace quillon {

namespace {

FileReplaceResult writeReplaced(const std::string& path, const FileStamp& before, std::string_view old,
                                const std::string& replaced, size_t count, ReplaceJournal* journal) {
  FileReplaceResult result;
  result.count = count;
  if (journal) {
    if (const WriteResult kept = journal->aboutToChange(path, old, replaced); !kept.ok) {
      // A change that could not be undone is not made.
      result.outcome = FileReplaceOutcome::WriteFailed;
      result.error = "the undo journal could not be written (" + kept.error + ")";
      return result;
    }
  }
  // A change another program made since the page was read is never lost to this run.
  const WriteResult written = writeFileAtomicInBatch(path, replaced, &before);
  if (!written.ok && journal) journal->notChanged();
  result.outcome = written.ok                 ? FileReplaceOutcome::Replaced
                   : written.changedMeanwhile ? FileReplaceOutcome::ChangedMeanwhile
                                              : FileReplaceOutcome::WriteFailed;
  result.error = written.error;
  return result;
}

}  // namespace

FileReplaceResult replaceChosenInFile(const std::string& path, const FileStamp& stamp, const SiteMatcher& matcher,
                                      const std::vector<PageMatch>& chosen, std::string_view replacement,
                                      ReplaceJournal* journal) {
  FileReplaceResult result;
  const auto before = stampOf(path);
  if (!before) return result;
  if (!(*before == stamp)) {
    result.outcome = FileReplaceOutcome::ChangedMeanwhile;
    return result;
  }
  const auto bytes = readWholeFile(path);
  if (!bytes) return result;
  if (chosen.empty()) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  return writeReplaced(path, *before, *bytes, replaceMatches(*bytes, matcher, chosen, replacement), chosen.size(),
                       journal);
}

FileReplaceResult replaceInFile(const std::string& path, std::string_view find, std::string_view replacement,
                                bool matchCase, ReplaceJournal* journal) {
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
  if (replaced.count == 0) {
    result.outcome = FileReplaceOutcome::NoMatch;
    return result;
  }
  return writeReplaced(path, *before, *bytes, replaced.text, replaced.count, journal);
}

bool validBackupFolderName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

}  // namespace quillon
