#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <csignal>

#include <fstream>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "project/backup_plan.h"
#include "project/backup_run.h"
#include "project/page_analysis.h"
#include "project/site_files.h"
#include "project/site_replace.h"
#include "project/site_replace_run.h"
#include "project/site_scans.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

void put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

TEST(SiteReplace, ReplacementsAreNeverSearchedAgainAndOtherBytesStay) {
  testing::TempDir dir;
  const std::string page = dir.path() + "a.html";
  put(page, "abcabc");
  EXPECT_EQ(replaceInFile(page, "abc", "xabcx", true).count, 2u);
  EXPECT_EQ(readWholeFile(page), "xabcxxabcx");

  const std::string odd("<b>1</B>\r\n<B>2</b>\n\x00\xff\xfe<b>\r", 26);
  put(page, odd);
  const FileReplaceResult blind = replaceInFile(page, "<b>", "<strong>", false);
  EXPECT_EQ(blind.outcome, FileReplaceOutcome::Replaced);
  EXPECT_EQ(blind.count, 3u);
  EXPECT_EQ(readWholeFile(page), std::string("<strong>1</B>\r\n<strong>2</b>\n\x00\xff\xfe<strong>\r", 41));
  put(page, odd);
  EXPECT_EQ(replaceInFile(page, "<b>", "<i>", true).count, 2u);  // match case: only the same letters
  EXPECT_EQ(readWholeFile(page), std::string("<i>1</B>\r\n<B>2</b>\n\x00\xff\xfe<i>\r", 26));
}

TEST(SiteReplace, EightBitPagesAreSearchedAndWrittenAsLatin1) {
  testing::TempDir dir;
  const std::string page = dir.path() + "l1.html";
  put(page, "<p>caf\xe9 and cafe</p>");
  EXPECT_EQ(replaceInFile(page, "cafe", "caf\xc3\xa9", true).count, 1u);
  EXPECT_EQ(readWholeFile(page), "<p>caf\xe9 and caf\xe9</p>");
  EXPECT_EQ(replaceInFile(page, "caf\xc3\xa9", "tea", true).count, 2u);
  EXPECT_EQ(readWholeFile(page), "<p>tea and tea</p>");
  put(page, "<p>caf\xc3\xa9 \xe2\x82\xac</p>");  // a UTF-8 page keeps UTF-8
  EXPECT_EQ(replaceInFile(page, "caf\xc3\xa9", "th\xc3\xa9", true).count, 1u);
  EXPECT_EQ(readWholeFile(page), "<p>th\xc3\xa9 \xe2\x82\xac</p>");
}

TEST(SiteReplace, TextEntersAPageByTheRuleThePageIsReadWith) {
  testing::TempDir dir;
  const std::string page = dir.path() + "p.html";
  // Plain ASCII that declares ISO-8859-1 is an 8-bit page: the replacement goes in as Latin-1.
  put(page, "<meta charset=\"iso-8859-1\"><p>Zurich</p>");
  EXPECT_EQ(replaceInFile(page, "Zurich", "Z\xc3\xbcrich", true).count, 1u);
  EXPECT_EQ(readWholeFile(page), "<meta charset=\"iso-8859-1\"><p>Z\xfcrich</p>");
  // A page in another multi-byte set gets references, never Latin-1 or UTF-8 bytes, and its own bytes are
  // found by the text they stand for.
  const std::string korean = "<meta charset=\"euc-kr\"><p>\xc7\xd1\xb1\xdb cafe</p>";
  put(page, korean);
  EXPECT_EQ(replaceInFile(page, "cafe", "caf\xc3\xa9 \xe2\x82\xac", true).count, 1u);
  EXPECT_EQ(readWholeFile(page), "<meta charset=\"euc-kr\"><p>\xc7\xd1\xb1\xdb caf&#233; &#8364;</p>");
  EXPECT_EQ(replaceInFile(page, "\xed\x95\x9c\xea\xb8\x80", "Hangul", true).count, 1u);  // the two syllables in UTF-8
  EXPECT_EQ(readWholeFile(page), "<meta charset=\"euc-kr\"><p>Hangul caf&#233; &#8364;</p>");
  // Show Me Where finds typed text in 8-bit pages the same way.
  EXPECT_TRUE(foundLines("caf\xe9\r\nother", "CAF\xc3\xa9"));
  EXPECT_EQ(*foundLines("x\r\ncaf\xe9", "caf\xc3\xa9"), "Line#1");
  EXPECT_FALSE(foundLines("<meta charset=\"euc-kr\">\xc7\xd1", "\xe2\x98\x83")) << "a character the set lacks";
}

TEST(SiteReplace, UntouchedUnreadableAndReadOnlyFiles) {
  testing::TempDir dir;
  const std::string page = dir.path() + "plain.html";
  put(page, "nothing to see");
  struct stat before {};
  ::stat(page.c_str(), &before);
  const timespec old[2] = {{1000, 0}, {1000, 0}};
  ::utimensat(AT_FDCWD, page.c_str(), old, 0);
  EXPECT_EQ(replaceInFile(page, "zzz", "y", false).outcome, FileReplaceOutcome::NoMatch);
  EXPECT_EQ(replaceInFile(page, "", "y", false).outcome, FileReplaceOutcome::NoMatch);
  struct stat after {};
  ::stat(page.c_str(), &after);
  EXPECT_EQ(after.st_mtim.tv_sec, 1000);  // not rewritten

  EXPECT_EQ(replaceInFile(dir.path() + "missing.html", "a", "b", false).outcome, FileReplaceOutcome::Unreadable);
  EXPECT_EQ(replaceInFile(dir.path(), "a", "b", false).outcome, FileReplaceOutcome::Unreadable);
  const std::string fifo = dir.path() + "pipe.html";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(replaceInFile(fifo, "a", "b", false).outcome, FileReplaceOutcome::Unreadable);

  const std::string locked = dir.path() + "locked.html";
  put(locked, "see the sea");
  ::chmod(locked.c_str(), 0444);
  const FileReplaceResult r = replaceInFile(locked, "sea", "ocean", true);
  if (::geteuid() != 0) {
    EXPECT_EQ(r.outcome, FileReplaceOutcome::WriteFailed);
    EXPECT_FALSE(r.error.empty());
    EXPECT_EQ(readWholeFile(locked), "see the sea");
  }
}

TEST(SiteReplaceRun, EachFileOnceWhateverItsPathLeftAloneCountedTemporariesSwept) {
  testing::TempDir dir;
  const std::string a = dir.path() + "a.html", b = dir.path() + "b.html", c = dir.path() + "c.html";
  makeDirectories(dir.path() + "sub");
  const std::string d = dir.path() + "sub/d.html";
  put(a, "one x");
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);  // a second name of the same page
  put(c, "x not backed up");
  put(d, "x and x");
  put(dir.path() + "plain.html", "nothing");
  // A process id that cannot be running.
  const std::string stale = dir.path() + "sub/.d.html.quillon-999999999-abcdef.tmp";
  put(stale, "left by a killed run");

  SiteReplaceRun run({a, b, a, c, d, dir.path() + "plain.html"}, "x", "xx", true, {c});
  EXPECT_EQ(run.fileCount(), 4u);  // a, c, d and plain.html
  while (!run.done()) run.step();
  run.finish();
  EXPECT_EQ(run.changed(), (std::vector<std::string>{a, d}));
  EXPECT_EQ(readWholeFile(a), "one xx");  // replaced once, not in its own replacement
  EXPECT_EQ(readWholeFile(b), "one xx");  // still the same file
  EXPECT_EQ(readWholeFile(c), "x not backed up");
  EXPECT_EQ(readWholeFile(d), "xx and xx");
  EXPECT_EQ(run.leftAloneCount(), 1u);
  EXPECT_FALSE(fileExists(stale));
  EXPECT_FALSE(run.failure());
  EXPECT_TRUE(run.changedMeanwhile().empty());
  EXPECT_EQ(distinctFiles({b, a, b}), (std::vector<std::string>{b}));
}

TEST(SiteReplaceRun, AFailedWriteEndsTheRun) {
  testing::TempDir dir;
  const std::string first = dir.path() + "a.html", second = dir.path() + "b.html";
  put(first, "x");
  put(second, "x");
  // Files may not grow past 1,000 bytes, even for root: the first page's new text cannot be written.
  struct rlimit old {};
  ::getrlimit(RLIMIT_FSIZE, &old);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = old;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  SiteReplaceRun run({first, second}, "x", std::string(5000, 'y'), true);
  while (!run.done()) run.step();
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  ASSERT_TRUE(run.failure());
  EXPECT_EQ(run.failure()->failedPath, first);
  EXPECT_FALSE(run.failure()->error.empty());
  EXPECT_EQ(run.filesDone(), 1u);
  EXPECT_EQ(readWholeFile(first), "x");
  EXPECT_EQ(readWholeFile(second), "x");  // never reached
}

TEST(SiteReplace, BackupFolderNames) {
  EXPECT_TRUE(validBackupFolderName("10_12_1997"));
  for (const char* bad : {"", ".", "..", "a/b", "a\\b"}) EXPECT_FALSE(validBackupFolderName(bad)) << bad;
  std::tm day{};
  day.tm_year = 98;
  day.tm_mon = 11;
  day.tm_mday = 5;
  EXPECT_EQ(dateStamp(day), "12_5_1998");
  EXPECT_EQ(backupSubDirName("SITE.out", dateStamp(day)), "site_12_5_1998");
}

TEST(BackupPlan, OneFolderFlatSeveralFoldersMirrored) {
  auto flat = planBackupCopies({"/w/site/index.html", "/w/site/about.html", "/w/site/index.html", ""});
  ASSERT_EQ(flat.size(), 2u);
  EXPECT_EQ(flat[0].relative, "index.html");
  EXPECT_EQ(flat[1].relative, "about.html");

  auto mirrored = planBackupCopies({"/w/site/index.html", "/w/site/news/index.html", "/w/other/a.htm"});
  ASSERT_EQ(mirrored.size(), 3u);
  EXPECT_EQ(mirrored[0].relative, "site/index.html");
  EXPECT_EQ(mirrored[1].relative, "site/news/index.html");
  EXPECT_EQ(mirrored[2].relative, "other/a.htm");
  EXPECT_EQ(backupListText(mirrored).substr(0, 35), "site/index.html\t/w/site/index.html\r");

  // A page that would take the name of a project file goes into "pages"; the list finds a free name.
  auto reserved = planBackupCopies({"/w/Site.fil", "/w/backup-list.txt"}, {"Site.fil", "Site.out"});
  EXPECT_EQ(reserved[0].relative, "pages/Site.fil");
  EXPECT_EQ(reserved[1].relative, "backup-list.txt");
  EXPECT_EQ(backupListName(reserved, {"Site.fil"}), "backup-list-2.txt");
  EXPECT_EQ(backupListName(flat), "backup-list.txt");

  // Relative links that climb out stay inside the backup folder.
  auto climbing = planBackupCopies({"../up/x.html", "y.html"});
  EXPECT_EQ(climbing[0].relative, "up/x.html");
  EXPECT_EQ(climbing[1].relative, "y.html");

  // Paths that come to one name once "." and ".." parts are left out keep a copy each.
  auto clashing = planBackupCopies({"/w/../up/x.html", "/w/up/x.html", "/w/up/./x.html", "/w/up/README"});
  ASSERT_EQ(clashing.size(), 4u);
  EXPECT_EQ(clashing[0].relative, "up/x.html");
  EXPECT_EQ(clashing[1].relative, "up/x-2.html");
  EXPECT_EQ(clashing[2].relative, "up/x-3.html");
  EXPECT_EQ(planBackupCopies({"/w/Site.out", "/w/pages/Site.out"}, {"Site.out"})[1].relative, "pages/Site-2.out");
  // Only '/' separates folders here: a backslash is part of a name.
  EXPECT_EQ(planBackupCopies({"/w/site/a\\b.html"})[0].relative, "a\\b.html");
}

TEST(BackupPlan, ALocationInsideAFolderOfTheSourcesIsRefused) {
  testing::TempDir dir;
  const std::string site = dir.path() + "site/";
  makeDirectories(site + "en");
  makeDirectories(dir.path() + "elsewhere");
  put(site + "index.html", "root");
  put(site + "en/index.html", "en");
  const std::vector<std::string> sources = {site + "index.html", site + "en/index.html"};
  EXPECT_TRUE(backupLocationClash(site + "en/", sources));
  EXPECT_TRUE(backupLocationClash(site, sources));
  EXPECT_TRUE(backupLocationClash(site + "new/deeper/", sources)) << "a folder still to be made";
  EXPECT_TRUE(backupLocationClash(dir.path() + "elsewhere/../site/en", sources));
  // A link leading into the site is the site.
  ASSERT_EQ(::symlink((site + "en").c_str(), (dir.path() + "to-en").c_str()), 0);
  EXPECT_TRUE(backupLocationClash(dir.path() + "to-en/", sources));
  const auto said = backupLocationClash(site + "en/", sources);
  EXPECT_NE(said->find(site + "index.html"), std::string::npos) << *said;

  EXPECT_FALSE(backupLocationClash(dir.path() + "elsewhere/", sources));
  EXPECT_FALSE(backupLocationClash(dir.path(), sources)) << "the folder above the site holds no source";
  EXPECT_FALSE(backupLocationClash(dir.path() + "site-backup/", sources)) << "a name that only starts alike";
}

TEST(BackupPlan, StaleTemporariesOfAKilledRunAreSweptFromTheFoldersWrittenInto) {
  testing::TempDir dir;
  put(dir.path() + "a.html", "a");
  const std::string backup = dir.path() + "backup/";
  makeDirectories(backup + "sub");
  // A process id that cannot be running.
  const std::string stale = backup + "sub/.a.html.quillon-999999999-abcdef.tmp";
  put(stale, std::string(1000, 'x'));
  std::set<std::string> checked;
  ASSERT_TRUE(copyIntoBackup(backup, {dir.path() + "a.html", "sub/a.html"}, &checked).ok);
  EXPECT_FALSE(fileExists(stale));
  EXPECT_EQ(readWholeFile(backup + "sub/a.html"), "a");
}

TEST(BackupRun, CopiesThenTheProjectAndAListOfWhatWasCopied) {
  testing::TempDir dir;
  put(dir.path() + "a.html", "a");
  put(dir.path() + "SITE.out", "outline");
  put(dir.path() + "SITE.fil", "links");
  const std::string backup = dir.path() + "backup/";
  makeDirectories(backup);
  put(backup + ".x.quillon-999999999-abcdef.tmp", "left by a killed run");
  const std::vector<std::string> pages = {dir.path() + "a.html", dir.path() + "gone.html", dir.path() + "gone2.html"};
  BackupRun run(backup, pages, dir.path() + "SITE.fil", dir.path() + "SITE.out");
  EXPECT_FALSE(fileExists(backup + ".x.quillon-999999999-abcdef.tmp"));
  ASSERT_EQ(run.copyCount(), 3u);
  std::vector<bool> results;
  while (run.copying()) results.push_back(run.step().ok);
  run.finish();
  EXPECT_EQ(results, (std::vector<bool>{true, false, false}));
  EXPECT_EQ(readWholeFile(backup + "a.html"), "a");
  EXPECT_EQ(readWholeFile(backup + "SITE.out"), "outline");
  EXPECT_EQ(readWholeFile(backup + "SITE.fil"), "links");
  EXPECT_TRUE(run.projectCopied());
  EXPECT_EQ(readWholeFile(backup + kBackupListName), backupListText(run.copied()));
  ASSERT_EQ(run.copied().size(), 1u);
  const std::string said = run.summary();
  EXPECT_EQ(
      said.rfind("Backup finished. However, 2 of 3 files could not be backed up:\r" + dir.path() + "gone.html (", 0),
      0u)
      << said;
}

TEST(BackupRun, AStoppedRunWritesNeitherTheProjectNorTheList) {
  testing::TempDir dir;
  put(dir.path() + "a.html", "a");
  put(dir.path() + "b.html", "b");
  put(dir.path() + "SITE.out", "outline");
  put(dir.path() + "SITE.fil", "links");
  const std::string backup = dir.path() + "backup/";
  makeDirectories(backup);
  BackupRun run(backup, {dir.path() + "a.html", dir.path() + "b.html"}, dir.path() + "SITE.fil",
                dir.path() + "SITE.out");
  EXPECT_TRUE(run.step().ok);
  run.stop();
  EXPECT_FALSE(run.copying());
  run.finish();
  EXPECT_FALSE(fileExists(backup + "b.html"));
  EXPECT_FALSE(fileExists(backup + "SITE.out"));
  EXPECT_FALSE(fileExists(backup + kBackupListName));
  EXPECT_EQ(run.summary(),
            "Backup stopped. 1 of 2 files were copied; the project's files and the list of copies were not written.");
}

TEST(BackupReminder, AsksOnTheSixthLeaveAndOnlyWhenItShould) {
  int stored = 0;
  int asked = 0;
  for (int leave = 1; leave <= 6; ++leave) {
    const auto step = reminderStep(1, "Site.out", stored, 5);
    ASSERT_TRUE(step);
    EXPECT_EQ(step->key, "SITE");
    stored = step->counter;
    if (step->ask) asked = leave;
  }
  EXPECT_EQ(asked, 6);
  EXPECT_EQ(stored, 0);
  EXPECT_FALSE(reminderStep(0, "Site.out", 3, 5));
  EXPECT_FALSE(reminderStep(1, "welcome.out", 9, 5));
  EXPECT_FALSE(reminderStep(1, "", 9, 5));
}

TEST(SiteFiles, ProjectFilesFoundWhateverTheirCase) {
  testing::TempDir dir;
  put(dir.path() + "MySite.out", "Home\r\n");
  put(dir.path() + "MySite.fil", "/w/a.html\r\n\r\n/w/b.html\r\n");
  EXPECT_EQ(projectLinkPath(dir.path(), "MYSITE.OUT"), dir.path() + "MySite.fil");
  EXPECT_EQ(projectOutlinePath(dir.path(), "MYSITE.OUT"), dir.path() + "MySite.out");
  const auto pages = projectPageFiles(dir.path(), "MYSITE.OUT");
  ASSERT_TRUE(pages);
  EXPECT_EQ(*pages, (std::vector<std::string>{"/w/a.html", "", "/w/b.html"}));
  EXPECT_FALSE(projectPageFiles(dir.path(), "OTHER.OUT"));
}

TEST(BackupPlan, NothingIsWrittenThroughALinkOutOfTheBackupFolder) {
  testing::TempDir dir;
  ::mkdir((dir.path() + "save").c_str(), 0755);
  ::mkdir((dir.path() + "victim").c_str(), 0755);
  ::mkdir((dir.path() + "site").c_str(), 0755);
  ::mkdir((dir.path() + "site/sub").c_str(), 0755);
  put(dir.path() + "victim/b.html", "KEEP");
  put(dir.path() + "victim/notes.txt", "KEEP");
  put(dir.path() + "site/sub/b.html", "page b");
  ASSERT_EQ(::symlink("../victim", (dir.path() + "save/sub").c_str()), 0);
  ASSERT_EQ(::symlink("../victim/notes.txt", (dir.path() + "save/list.txt").c_str()), 0);
  const WriteResult r = copyIntoBackup(dir.path() + "save/", {dir.path() + "site/sub/b.html", "sub/b.html"});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(readWholeFile(dir.path() + "victim/b.html"), "KEEP");
  // No folder is made through the link either.
  EXPECT_FALSE(copyIntoBackup(dir.path() + "save/", {dir.path() + "site/sub/b.html", "sub/new/deeper/b.html"}).ok);
  EXPECT_FALSE(isDirectory(dir.path() + "victim/new"));
  ASSERT_TRUE(writeFileReplacing(dir.path() + "save/list.txt", "the list").ok);
  EXPECT_EQ(readWholeFile(dir.path() + "victim/notes.txt"), "KEEP");
  EXPECT_EQ(readWholeFile(dir.path() + "save/list.txt"), "the list");
  EXPECT_TRUE(copyIntoBackup(dir.path() + "save/", {dir.path() + "site/sub/b.html", "deep/er/b.html"}).ok);
  EXPECT_EQ(readWholeFile(dir.path() + "save/deep/er/b.html"), "page b");

  // One file reached by two paths has one identity.
  EXPECT_FALSE(identityOf(dir.path() + "none"));
  EXPECT_FALSE(*identityOf(dir.path() + "site/sub/b.html") < *identityOf(dir.path() + "site/./sub//b.html"));
  EXPECT_FALSE(*identityOf(dir.path() + "site/./sub//b.html") < *identityOf(dir.path() + "site/sub/b.html"));
}

TEST(FileCopy, ExactCopiesThatNeverFollowALinkOrReadAPipe) {
  testing::TempDir dir;
  std::string bytes(300000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7);
  put(dir.path() + "src.bin", bytes);
  ASSERT_TRUE(copyFileReplacing(dir.path() + "src.bin", dir.path() + "copy.bin").ok);
  EXPECT_EQ(readWholeFile(dir.path() + "copy.bin"), bytes);

  // A link at the target is replaced by the copy; what it pointed at is untouched.
  put(dir.path() + "elsewhere.txt", "keep me");
  ASSERT_EQ(::symlink((dir.path() + "elsewhere.txt").c_str(), (dir.path() + "link.bin").c_str()), 0);
  ASSERT_TRUE(copyFileReplacing(dir.path() + "src.bin", dir.path() + "link.bin").ok);
  EXPECT_EQ(readWholeFile(dir.path() + "elsewhere.txt"), "keep me");
  EXPECT_EQ(readWholeFile(dir.path() + "link.bin"), bytes);

  ASSERT_EQ(::mkfifo((dir.path() + "pipe").c_str(), 0600), 0);
  EXPECT_FALSE(copyFileReplacing(dir.path() + "pipe", dir.path() + "p.copy").ok);
  EXPECT_FALSE(copyFileReplacing(dir.path() + "none", dir.path() + "n.copy").ok);
  EXPECT_FALSE(fileExists(dir.path() + "n.copy"));
  EXPECT_TRUE(makeDirectories(dir.path() + "a/b/c"));
  EXPECT_TRUE(isDirectory(dir.path() + "a/b/c"));
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(SiteScans, EveryReadablePageInOrderAndNothingWhenStopped) {
  testing::TempDir dir;
  put(dir.path() + "a.html", "<A HREF=\"b.html\">b</A><IMG SRC=\"x.gif\">");
  put(dir.path() + "c.html", "<A HREF=\"a.html\">a</A>");
  PageTree tree;
  tree.addTopLevel("A", dir.path() + "a.html");
  tree.addTopLevel("Gone", dir.path() + "gone.html");
  tree.addTopLevel("C", dir.path() + "c.html");
  const auto links = scanSiteLinks(tree);
  ASSERT_TRUE(links);
  EXPECT_EQ(links->found, (std::vector<std::string>{"b.html", "a.html"}));
  EXPECT_EQ(links->lastTitle, "C");
  EXPECT_EQ(links->lastFile, dir.path() + "c.html");
  const auto images = scanSiteImages(tree);
  ASSERT_TRUE(images);
  EXPECT_EQ(images->found, (std::vector<std::string>{"x.gif"}));
  int asked = 0;
  EXPECT_FALSE(scanSiteLinks(tree, [&asked] { return ++asked > 2; }));
}

}  // namespace
}  // namespace quillon
