// bench_site_find find [--regex] PATTERN FOLDER: every match under FOLDER (all files), printed as grep -rn
// prints them, one line per match; the count on standard error.
// bench_site_find replace-undo FIND REPLACEMENT DATA FOLDER: replaces in every file with a journal, then
// times only the undo of that run (seconds on standard output).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "base/file_copy.h"
#include "project/replace_journal.h"
#include "project/site_find.h"
#include "project/site_replace_run.h"

int main(int argc, char** argv) {
  using namespace quillon;
  if (argc >= 4 && std::strcmp(argv[1], "find") == 0) {
    const bool regex = std::strcmp(argv[2], "--regex") == 0;
    const char* pattern = argv[regex ? 3 : 2];
    const char* folder = argv[regex ? 4 : 3];
    std::string error;
    std::shared_ptr<const SiteMatcher> m = SiteMatcher::make(pattern, {regex, true, false}, error);
    if (!m) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 2;
    }
    SkippedFiles skipped;
    SiteFindRun run(filesInFolder(folder, "", true, skipped), m);
    run.start();
    size_t count = 0;
    for (bool done = false; !done; done || ::usleep(2000))
      for (const FileFindings& f : run.take(done)) {
        for (size_t i = 0; i < f.matches.size(); ++i) std::printf("%s\n", resultTitle(f, i).c_str());
        count += f.matches.size();
      }
    std::fprintf(stderr, "%zu\n", count);
    return 0;
  }
  if (argc == 6 && std::strcmp(argv[1], "replace-undo") == 0) {
    SkippedFiles skipped;
    const auto files = filesInFolder(argv[5], "", true, skipped);
    WriteResult began;
    ReplaceJournal journal = ReplaceJournal::begin(argv[4], "bench", began);
    if (!began.ok) return 1;
    SiteReplaceRun run(files, argv[2], argv[3], true);
    run.keepJournal(&journal);
    while (!run.done()) run.step();
    run.finish();
    journal.end();
    const auto start = std::chrono::steady_clock::now();
    const UndoResult undone = undoRun(journal.folder());
    const auto undoneAt = std::chrono::steady_clock::now();
    const double seconds = std::chrono::duration<double>(undoneAt - start).count();
    removeUndoneJournal(undone.undoneJournal);
    const double removal = std::chrono::duration<double>(std::chrono::steady_clock::now() - undoneAt).count();
    std::printf("%.6f %zu %.6f\n", seconds, undone.restored.size(), removal);
    return undone.ok() ? 0 : 1;
  }
  std::fputs("usage: bench_site_find find [--regex] PATTERN FOLDER | replace-undo FIND REPLACEMENT DATA FOLDER\n",
             stderr);
  return 2;
}
