#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <random>

#include "base/file_io.h"
#include "base/sha256.h"
#include "project/replace_journal.h"
#include "project/site_find.h"
#include "project/site_replace.h"
#include "project/site_replace_run.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

std::unique_ptr<SiteMatcher> matcher(std::string_view text, MatchOptions options = {}) {
  std::string error;
  auto m = SiteMatcher::make(text, options, error);
  EXPECT_TRUE(m) << error;
  return m;
}

std::vector<std::pair<size_t, size_t>> spans(const SiteMatcher& m, std::string_view page) {
  std::vector<PageMatch> found;
  std::string error;
  EXPECT_TRUE(m.findAll(page, found, error)) << error;
  std::vector<std::pair<size_t, size_t>> out;
  for (const PageMatch& f : found) out.emplace_back(f.start, f.end);
  return out;
}

using Spans = std::vector<std::pair<size_t, size_t>>;

TEST(SiteMatcher, LiteralTextFoldsAToZOnlyAndKeepsToWholeWords) {
  EXPECT_EQ(spans(*matcher("ab"), "xAbyabAB"), (Spans{{1, 3}, {4, 6}, {6, 8}}));
  EXPECT_EQ(spans(*matcher("ab", {false, true, false}), "xAbyabAB"), (Spans{{4, 6}}));
  EXPECT_EQ(spans(*matcher("aa"), "aaaa"), (Spans{{0, 2}, {2, 4}})) << "matches never overlap";
  EXPECT_EQ(spans(*matcher("caf\xc3\xa9"), "CAF\xc3\x89 caf\xc3\xa9"), (Spans{{6, 11}})) << "only A-Z fold";
  EXPECT_EQ(spans(*matcher("cat", {false, false, true}), "cat concat cat_ cats (cat)"), (Spans{{0, 3}, {22, 25}}));
  EXPECT_EQ(spans(*matcher("<b>", {false, false, true}), "a<b>c"), (Spans{{1, 4}})) << "a text of no word at its ends";
  // An 8-bit page holds the text as Latin-1 bytes; text Latin-1 cannot hold is in no such page.
  EXPECT_EQ(spans(*matcher("caf\xc3\xa9"), "un caf\xe9 noir"), (Spans{{3, 7}}));
  EXPECT_TRUE(spans(*matcher("\xe2\x82\xac"), "price 5 \xe9").empty());
  std::string error;
  EXPECT_FALSE(SiteMatcher::make("", {}, error));
  EXPECT_FALSE(error.empty());
}

TEST(SiteMatcher, RegularExpressionsWithGroupsAndTheirRefusals) {
  const auto m = matcher("<(h[1-6])>(.*?)</\\1>", {true, false, false});
  const std::string page = "<H1>Title</H1>\r\n<h2>Sub</h2>";
  std::vector<PageMatch> found;
  std::string error;
  ASSERT_TRUE(m->findAll(page, found, error));
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(m->expand("[$1|$2|$$|${2}|$0]", page, found[0]), "[H1|Title|$|Title|<H1>Title</H1>]");
  const auto named = matcher("(?<tag>b|i)>", {true, true, false});
  std::vector<PageMatch> n;
  ASSERT_TRUE(named->findAll("<b>", n, error));
  ASSERT_EQ(n.size(), 1u);
  EXPECT_EQ(named->expand("${tag}${missing}", "<b>", n[0]), "b");

  EXPECT_FALSE(SiteMatcher::make("a(b", {true, false, false}, error));
  EXPECT_NE(error.find("missing closing parenthesis"), std::string::npos) << error;
  EXPECT_NE(error.find("at character 4"), std::string::npos) << error;
  EXPECT_FALSE(SiteMatcher::make("x*", {true, false, false}, error)) << "it matches the empty text";
  EXPECT_NE(error.find("empty"), std::string::npos);
  // A pattern that backtracks without end stops with a message instead of hanging.
  const auto slow = matcher("(a|aa)+$", {true, true, false});
  std::vector<PageMatch> none;
  EXPECT_FALSE(slow->findAll(std::string(5000, 'a') + "b", none, error));
  EXPECT_NE(error.find("too long"), std::string::npos) << error;
  // UTF-8 pages are matched by characters, 8-bit pages by bytes.
  const auto dot = matcher("caf.", {true, false, false});
  EXPECT_EQ(spans(*dot, "caf\xc3\xa9"), (Spans{{0, 5}}));
  EXPECT_EQ(spans(*dot, "caf\xe9"), (Spans{{0, 4}}));
}

TEST(SiteFind, LinesAndTheTickedSubsetReplaceAsOneAtATimeWould) {
  const auto m = matcher("ab");
  const std::string page = "ab\r\nx ab\ry\nab ab";
  const FileFindings f = findInPage("p", page, *m);
  EXPECT_EQ(f.lines, (std::vector<size_t>{1, 2, 4, 4})) << "CR LF, CR and LF each end a line";
  EXPECT_EQ(page.substr(f.lineRanges[1].first, f.lineRanges[1].second - f.lineRanges[1].first), "x ab");
  std::pair<size_t, size_t> mark;
  const std::string title = resultTitle(findInPage("p.html", "\t  say ab now  \r\n", *m), 0, &mark);
  EXPECT_EQ(title, "p.html:1: say ab now");
  EXPECT_EQ(title.substr(mark.first, mark.second), "ab");

  // Any ticked subset gives the bytes of replacing those matches one at a time from the end.
  std::mt19937 random(11);
  const auto re = matcher("<(b|i)>", {true, false, false});
  for (int round = 0; round < 200; ++round) {
    std::string text;
    for (int i = 0; i < 30; ++i) text += "xx<b><i>\r\n\xe9"[random() % 13];
    std::vector<PageMatch> all;
    std::string error;
    ASSERT_TRUE(re->findAll(text, all, error));
    std::vector<PageMatch> chosen;
    for (const PageMatch& p : all)
      if (random() % 2) chosen.push_back(p);
    std::string reference = text;
    for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
      reference.replace(it->start, it->end - it->start, "[" + text.substr(it->groups[0].first, 1) + "]");
    EXPECT_EQ(replaceMatches(text, *re, chosen, "[$1]"), reference) << text;
  }
  // Into an 8-bit page the replacement goes as Latin-1, or a reference; everything else stays.
  const std::string latin = "\xef\xbb\xbfX\r\nsee X, caf\xe9\r\n";
  const auto x = matcher("X");
  std::vector<PageMatch> xs;
  std::string error;
  x->findAll("caf\xe9 X\r\n", xs, error);
  EXPECT_EQ(replaceMatches("caf\xe9 X\r\n", *x, xs, "\xc3\xa9\xe2\x82\xac"), "caf\xe9 \xe9&#8364;\r\n");
  xs.clear();
  x->findAll(latin, xs, error);
  EXPECT_EQ(replaceMatches(latin, *x, xs, "Y"), "\xef\xbb\xbfY\r\nsee Y, caf\xe9\r\n");
}

TEST(SiteFind, FoldersFiltersSkippedFilesAndARunOnItsOwnThread) {
  testing::TempDir dir;
  const std::string site = dir.path() + "site/";
  ::mkdir(site.c_str(), 0755);
  ::mkdir((site + "sub").c_str(), 0755);
  ::mkdir((dir.path() + "outside").c_str(), 0755);
  ASSERT_TRUE(writeFileAtomic(site + "a.html", "find me\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(site + "B.HTM", "find me too").ok);
  ASSERT_TRUE(writeFileAtomic(site + "notes.txt", "find me not").ok);
  ASSERT_TRUE(writeFileAtomic(site + "sub/c.html", "nothing").ok);
  ASSERT_TRUE(writeFileAtomic(site + "sub/bin.html", std::string("find me\0binary", 14)).ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "outside/o.html", "find me").ok);
  ASSERT_EQ(::mkfifo((site + "pipe.html").c_str(), 0600), 0);
  ASSERT_EQ(::symlink((dir.path() + "outside/o.html").c_str(), (site + "out.html").c_str()), 0);
  ASSERT_EQ(::symlink("a.html", (site + "inside.html").c_str()), 0);

  SkippedFiles skipped;
  const auto files = filesInFolder(site, "*.htm; *.html", true, skipped);
  EXPECT_EQ(files, (std::vector<std::string>{site + "B.HTM", site + "a.html", site + "inside.html",
                                             site + "sub/bin.html", site + "sub/c.html"}));
  EXPECT_EQ(skipped.notRegular, 1u);
  EXPECT_EQ(skipped.outside, 1u);
  EXPECT_EQ(filesInFolder(site, "*.html", false, skipped).size(), 2u);

  std::shared_ptr<const SiteMatcher> m = matcher("find me");
  // A page open with unsaved changes is searched as the window holds it.
  SiteFindRun run(files, m, {{site + "sub/c.html", "now find me here"}});
  run.start();
  std::vector<FileFindings> all;
  for (bool done = false; !done;) {
    auto some = run.take(done);
    for (auto& f : some) all.push_back(std::move(f));
    if (!done) ::usleep(1000);
  }
  std::vector<std::string> found;
  for (const FileFindings& f : all) found.push_back(f.path);
  EXPECT_EQ(found,
            (std::vector<std::string>{site + "B.HTM", site + "a.html", site + "inside.html", site + "sub/c.html"}));
  EXPECT_TRUE(all.back().fromWindow);
  EXPECT_EQ(run.skipped().binary, 1u);
  EXPECT_EQ(run.filesRead(), files.size());
}

TEST(ReplaceJournal, UndoesARunAfterARestartAndLeavesFilesChangedSince) {
  testing::TempDir dir;
  const std::string data = dir.path() + "data/";
  ::mkdir(data.c_str(), 0755);
  const std::string pages[] = {dir.path() + "a.html", dir.path() + "b.html", dir.path() + "c.html"};
  const std::string before[] = {"old a\r\n", "old b \xe9\r\n", "old c\n"};
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(writeFileAtomic(pages[i], before[i]).ok);
  {
    WriteResult began;
    ReplaceJournal journal = ReplaceJournal::begin(data, "Replace \"old\" with \"new\"", began);
    ASSERT_TRUE(began.ok) << began.error;
    SiteReplaceRun run({pages[0], pages[1], pages[2]}, "old", "new", false);
    run.keepJournal(&journal);
    while (!run.done()) run.step();
    run.finish();
    ASSERT_EQ(run.changed().size(), 3u);
    ASSERT_TRUE(journal.end().ok);
  }
  ASSERT_TRUE(writeFileAtomic(pages[2], "changed by hand").ok);
  // A later run that was killed before its end: it can be undone too, and comes first.
  {
    WriteResult began;
    ReplaceJournal journal = ReplaceJournal::begin(data, "Replace \"new\" with \"newer\"", began);
    ASSERT_TRUE(replaceInFile(pages[0], "new", "newer", false, &journal).outcome == FileReplaceOutcome::Replaced);
  }
  auto runs = undoableRuns(data);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].what, "Replace \"new\" with \"newer\"");
  EXPECT_FALSE(runs[0].finished);
  EXPECT_TRUE(runs[1].finished);
  EXPECT_EQ(runs[1].files, 3u);

  const UndoResult last = undoRun(runs[0].folder);
  EXPECT_TRUE(last.ok());
  EXPECT_EQ(*readWholeFile(pages[0]), "new a\r\n");
  const UndoResult first = undoRun(undoableRuns(data).at(0).folder);
  EXPECT_EQ(first.restored, (std::vector<std::string>{pages[0], pages[1]}));
  EXPECT_EQ(first.changedSince, (std::vector<std::string>{pages[2]}));
  EXPECT_EQ(*readWholeFile(pages[0]), before[0]);
  EXPECT_EQ(*readWholeFile(pages[1]), before[1]) << "byte for byte, 8-bit bytes included";
  EXPECT_EQ(*readWholeFile(pages[2]), "changed by hand");
  EXPECT_TRUE(undoableRuns(data).empty()) << "an undone run is gone";
}

TEST(ReplaceJournal, UndoPutsTheCopiesBackInPlaceKeepingModesLinksAndLinkedFiles) {
  testing::TempDir dir;
  const std::string data = dir.path() + "data/";
  ::mkdir(data.c_str(), 0755);
  const std::string plain = dir.path() + "plain.html", shared = dir.path() + "shared.html",
                    other = dir.path() + "other-name.html", target = dir.path() + "target.html",
                    link = dir.path() + "link.html";
  for (const std::string& p : {plain, shared, target}) ASSERT_TRUE(writeFileAtomic(p, "old " + p + "\r\n").ok);
  ::chmod(plain.c_str(), 0640);
  ASSERT_EQ(::link(shared.c_str(), other.c_str()), 0);
  ASSERT_EQ(::symlink("target.html", link.c_str()), 0);
  WriteResult began;
  ReplaceJournal journal = ReplaceJournal::begin(data, "r", began);
  for (const std::string& p : {plain, shared, link})
    ASSERT_EQ(replaceInFile(p, "old", "new", false, &journal).outcome, FileReplaceOutcome::Replaced);
  ASSERT_TRUE(journal.end().ok);
  const std::string folder = undoableRuns(data).at(0).folder;

  const UndoResult undone = undoRun(folder);
  ASSERT_TRUE(undone.ok());
  EXPECT_EQ(undone.restored.size(), 3u);
  EXPECT_EQ(*readWholeFile(plain), "old " + plain + "\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(plain.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u) << "the file's mode, not the journal copy's";
  EXPECT_EQ(*readWholeFile(other), "old " + shared + "\r\n") << "both names of a hard-linked file";
  ASSERT_EQ(::lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode)) << "a link stays a link";
  EXPECT_EQ(*readWholeFile(target), "old " + target + "\r\n");

  // The journal is out of every listing at once; its files go when the caller removes it.
  EXPECT_TRUE(undoableRuns(data).empty());
  ASSERT_FALSE(undone.undoneJournal.empty());
  EXPECT_TRUE(isDirectory(undone.undoneJournal));
  removeUndoneJournal(undone.undoneJournal);
  EXPECT_FALSE(isDirectory(undone.undoneJournal));
}

TEST(ReplaceJournal, AnUndoCutShortAfterSomeFilesCanBeFinished) {
  testing::TempDir dir;
  const std::string data = dir.path() + "data/";
  ::mkdir(data.c_str(), 0755);
  const std::string a = dir.path() + "a.html", b = dir.path() + "b.html";
  ASSERT_TRUE(writeFileAtomic(a, "old a").ok);
  ASSERT_TRUE(writeFileAtomic(b, "old b").ok);
  WriteResult began;
  ReplaceJournal journal = ReplaceJournal::begin(data, "r", began);
  for (const std::string& p : {a, b})
    ASSERT_EQ(replaceInFile(p, "old", "new", false, &journal).outcome, FileReplaceOutcome::Replaced);
  ASSERT_TRUE(journal.end().ok);
  const std::string folder = undoableRuns(data).at(0).folder;
  // As a kill after the first file leaves it: a put back, its copy's name now holding the replaced file.
  ASSERT_EQ(::renameat2(AT_FDCWD, (folder + "1.before").c_str(), AT_FDCWD, a.c_str(), RENAME_EXCHANGE), 0);
  ASSERT_EQ(*readWholeFile(a), "old a");
  const UndoResult finished = undoRun(folder);
  EXPECT_TRUE(finished.ok()) << (finished.failed.empty() ? "" : finished.failed[0]);
  EXPECT_EQ(finished.restored, std::vector<std::string>{b});
  EXPECT_EQ(*readWholeFile(a), "old a");
  EXPECT_EQ(*readWholeFile(b), "old b");
  removeUndoneJournal(finished.undoneJournal);
}

TEST(ReplaceJournal, AFileThatBecameAFifoOrAFolderIsLeftAsChangedSince) {
  testing::TempDir dir;
  const std::string data = dir.path() + "data/";
  ::mkdir(data.c_str(), 0755);
  const std::string fifo = dir.path() + "fifo.html", folder = dir.path() + "folder.html";
  for (const std::string& p : {fifo, folder}) ASSERT_TRUE(writeFileAtomic(p, "old").ok);
  WriteResult began;
  ReplaceJournal journal = ReplaceJournal::begin(data, "r", began);
  for (const std::string& p : {fifo, folder})
    ASSERT_EQ(replaceInFile(p, "old", "new", false, &journal).outcome, FileReplaceOutcome::Replaced);
  ASSERT_TRUE(journal.end().ok);
  ASSERT_EQ(::unlink(fifo.c_str()), 0);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);  // reading it would wait for a writer that never comes
  ASSERT_EQ(::unlink(folder.c_str()), 0);
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  const UndoResult undone = undoRun(undoableRuns(data).at(0).folder);
  EXPECT_EQ(undone.changedSince, (std::vector<std::string>{fifo, folder}));
  EXPECT_TRUE(undone.restored.empty());
  struct stat st {};
  ASSERT_EQ(::stat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST(ReplaceJournal, AFileTheRunCouldNotWriteIsNotCountedNorPutBack) {
  testing::TempDir dir;
  const std::string data = dir.path();
  const std::string a = dir.path() + "a.html", ro = dir.path() + "ro.html";
  ASSERT_TRUE(writeFileAtomic(a, "old").ok);
  ASSERT_TRUE(writeFileAtomic(ro, "old").ok);
  ::chmod(ro.c_str(), 0444);
  WriteResult began;
  ReplaceJournal journal = ReplaceJournal::begin(data, "r", began);
  EXPECT_EQ(replaceInFile(a, "old", "new", false, &journal).outcome, FileReplaceOutcome::Replaced);
  EXPECT_EQ(replaceInFile(ro, "old", "new", false, &journal).outcome, FileReplaceOutcome::WriteFailed);
  journal.end();
  const auto runs = undoableRuns(data);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].files, 1u);
  EXPECT_EQ(undoRun(runs[0].folder).restored, std::vector<std::string>{a});
}

TEST(ReplaceJournal, OldRunsArePrunedAndAChosenReplaceIsJournalledToo) {
  testing::TempDir dir;
  const std::string data = dir.path();
  const std::string page = dir.path() + "p.html";
  ASSERT_TRUE(writeFileAtomic(page, "a a a a").ok);
  const auto m = matcher("a");
  for (int run = 0; run < 4; ++run) {
    const auto stamp = stampOf(page);
    const auto bytes = readWholeFile(page);
    const FileFindings f = findInPage(page, *bytes, *m);
    ASSERT_FALSE(f.matches.empty());
    WriteResult began;
    ReplaceJournal journal = ReplaceJournal::begin(data, "run " + std::to_string(run), began);
    const FileReplaceResult r = replaceChosenInFile(page, *stamp, *m, {f.matches[0]}, "b", &journal);
    EXPECT_EQ(r.outcome, FileReplaceOutcome::Replaced);
    journal.end();
    if (run == 3) break;
    ::usleep(20000);  // stamps of the next write differ
  }
  EXPECT_EQ(*readWholeFile(page), "b b b b");
  pruneReplaceJournals(data, 2);
  const auto runs = undoableRuns(data);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].what, "run 3");
  EXPECT_EQ(runs[1].what, "run 2");
  // A file changed after the search is left alone: its matches may have moved.
  const auto stale = stampOf(page);
  ::usleep(20000);
  ASSERT_TRUE(writeFileAtomic(page, "xb b b").ok);
  const FileFindings f = findInPage(page, "b b b", *matcher("b"));
  EXPECT_EQ(replaceChosenInFile(page, *stale, *matcher("b"), f.matches, "c", nullptr).outcome,
            FileReplaceOutcome::ChangedMeanwhile);
  EXPECT_EQ(*readWholeFile(page), "xb b b");
}

}  // namespace
}  // namespace quillon
