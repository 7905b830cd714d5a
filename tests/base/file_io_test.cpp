#include "base/file_io.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "support/temp_dir.h"

namespace quillon {
namespace {

using testing::TempDir;

struct stat statOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  while (const dirent* e = ::readdir(dir))
    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
  ::closedir(dir);
  return names;
}

TEST(FileIo, SavingThroughASymbolicLinkWritesItsTargetAndKeepsTheLink) {
  TempDir dir;
  ::mkdir((dir.path() + "real").c_str(), 0755);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "real/page.html", "old").ok);
  ASSERT_EQ(::symlink("real/page.html", (dir.path() + "link.html").c_str()), 0);

  ASSERT_TRUE(writeFileAtomic(dir.path() + "link.html", "new").ok);
  struct stat st {};
  ASSERT_EQ(::lstat((dir.path() + "link.html").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ(*readWholeFile(dir.path() + "real/page.html"), "new");
  // No temporary is left in either folder.
  EXPECT_EQ(namesIn(dir.path() + "real").size(), 1u);
  EXPECT_EQ(namesIn(dir.path()).size(), 2u);
}

TEST(FileIo, HardLinksModeAndOwnerSurviveASave) {
  TempDir dir;
  const std::string a = dir.path() + "a.html", b = dir.path() + "b.html";
  ASSERT_TRUE(writeFileAtomic(a, "one").ok);
  ASSERT_EQ(::chmod(a.c_str(), 0640), 0);
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);

  ASSERT_TRUE(writeFileAtomic(a, "two, longer").ok);
  EXPECT_EQ(*readWholeFile(b), "two, longer");
  EXPECT_EQ(statOf(a).st_ino, statOf(b).st_ino);
  EXPECT_EQ(statOf(a).st_nlink, 2u);
  EXPECT_EQ(statOf(a).st_mode & 07777, 0640u);
  ASSERT_TRUE(writeFileAtomic(a, "2").ok);  // shorter: the old tail is cut
  EXPECT_EQ(*readWholeFile(b), "2");
  EXPECT_EQ(namesIn(dir.path()).size(), 2u);  // the backup copy is gone after a good write

  if (::geteuid() == 0) {
    // Saved by root, a file of another user keeps its owner and group.
    const std::string c = dir.path() + "c.html";
    ASSERT_TRUE(writeFileAtomic(c, "x").ok);
    ASSERT_EQ(::chown(c.c_str(), 1234, 2345), 0);
    ASSERT_TRUE(writeFileAtomic(c, "y").ok);
    EXPECT_EQ(statOf(c).st_uid, 1234u);
    EXPECT_EQ(statOf(c).st_gid, 2345u);
    EXPECT_EQ(*readWholeFile(c), "y");
  }
}

TEST(FileIo, ReadOnlyFilesAndOddTargetsAreRefusedUntouched) {
  TempDir dir;
  const std::string page = dir.path() + "page.html";
  ASSERT_TRUE(writeFileAtomic(page, "keep").ok);
  ASSERT_EQ(::chmod(page.c_str(), 0444), 0);
  const WriteResult r = writeFileAtomic(page, "lost");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, "The file is read-only");
  EXPECT_EQ(r.failedPath, page);
  EXPECT_EQ(*readWholeFile(page), "keep");

  const std::string fifo = dir.path() + "pipe.html";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(writeFileAtomic(fifo, "x").ok);
  EXPECT_EQ(checkOpenable(fifo), OpenCheck::NotRegular);
  EXPECT_FALSE(readWholeFile(fifo).has_value());  // returns at once: a FIFO is never opened
  EXPECT_EQ(checkOpenable(dir.path() + "missing"), OpenCheck::Missing);
  EXPECT_EQ(checkOpenable(dir.path()), OpenCheck::NotRegular);
  EXPECT_EQ(checkOpenable(page), OpenCheck::Ok);
  EXPECT_FALSE(writeFileAtomic(dir.path() + "no/such.html", "x").ok);
}

TEST(FileIo, FilesWrittenTogetherChangeOnlyWhenAllCanBeWritten) {
  TempDir dir;
  const std::string out = dir.path() + "site.out", fil = dir.path() + "site.fil";
  ASSERT_TRUE(writeFilesTogether({{out, "A\r\n"}, {fil, "a.html\r\n"}}).ok);
  ::mkdir((dir.path() + "site2.fil").c_str(), 0755);  // the second target cannot be written
  const WriteResult r =
      writeFilesTogether({{dir.path() + "site2.out", "B\r\n"}, {dir.path() + "site2.fil", "b.html\r\n"}});
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.failedPath, dir.path() + "site2.fil");
  EXPECT_FALSE(fileExists(dir.path() + "site2.out"));  // the first was not renamed either
  EXPECT_EQ(*readWholeFile(out), "A\r\n");
  EXPECT_EQ(namesIn(dir.path()).size(), 3u);
}

TEST(FileIo, TemporariesOfDeadProcessesAreRemovedOthersKept) {
  TempDir dir;
  long pid = 0;
  EXPECT_TRUE(isTemporaryName(".page.html.quillon-4242-AbC123.tmp", &pid));
  EXPECT_EQ(pid, 4242);
  EXPECT_FALSE(isTemporaryName("page.html.quillon-4242-AbC123.tmp"));
  EXPECT_FALSE(isTemporaryName(".page.html.quillon--AbC123.tmp"));
  EXPECT_FALSE(isTemporaryName(".page.html.quillon-4242-AbC123.bak"));
  EXPECT_FALSE(isTemporaryName(".tmp"));

  // A child that exits leaves a pid that no longer runs.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string dead = dir.path() + ".page.html.quillon-" + std::to_string(child) + "-AbC123.tmp";
  const std::string alive = dir.path() + ".page.html.quillon-" + std::to_string(::getppid()) + "-AbC123.tmp";
  const std::string backup = dir.path() + ".page.html.quillon-" + std::to_string(child) + "-AbC123.bak";
  for (const auto& p : {dead, alive, backup}) ASSERT_TRUE(writeFileAtomic(p, "x").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "page.html", "y").ok);  // a write into the folder sweeps it
  EXPECT_FALSE(fileExists(dead));
  EXPECT_TRUE(fileExists(alive));
  EXPECT_TRUE(fileExists(backup));  // a backup copy of an interrupted in-place write is the user's to keep
}

TEST(FileIo, StampsNoticeAnotherWriter) {
  TempDir dir;
  const std::string page = dir.path() + "page.html";
  EXPECT_FALSE(stampOf(page).has_value());
  ASSERT_TRUE(writeFileAtomic(page, "one").ok);
  const FileStamp first = *stampOf(page);
  EXPECT_EQ(first.size, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(writeFileAtomic(page, "two").ok);  // same size, later time
  EXPECT_NE(*stampOf(page), first);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(FileIo, ASetOfRenamesInterruptedByDeathIsFinishedByTheNextWriter) {
  TempDir dir;
  const std::string out = dir.path() + "site.out", fil = dir.path() + "site.fil";
  ASSERT_TRUE(writeFilesTogether({{out, "old\r\n"}, {fil, "old.html\r\n"}}).ok);
  // A writer that died after renaming the outline but before the link file: its list and its second
  // temporary are left behind.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string tag = ".quillon-" + std::to_string(child) + "-AbC123";
  const std::string tempFil = dir.path() + ".site.fil" + tag + ".tmp";
  // Written plainly: a write through writeFileAtomic would itself finish or sweep them.
  auto plain = [](const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return ok;
  };
  ASSERT_TRUE(plain(out, "new\r\n"));
  ASSERT_TRUE(plain(tempFil, "new.html\r\n"));
  const std::string list = dir.path() + ".site.out" + tag + ".tmp" + '\0' + out + '\0' + tempFil + '\0' + fil + '\0';
  ASSERT_TRUE(plain(dir.path() + ".site.out" + tag + ".commit", list));

  EXPECT_EQ(completeInterruptedWrites(dir.path()), 1u);
  EXPECT_EQ(*readWholeFile(out), "new\r\n");
  EXPECT_EQ(*readWholeFile(fil), "new.html\r\n");
  EXPECT_EQ(namesIn(dir.path()).size(), 2u);  // list and temporary are gone
  // A list of a process that still runs is left alone.
  const std::string live = dir.path() + ".site.out.quillon-" + std::to_string(::getppid()) + "-AbC123.commit";
  ASSERT_TRUE(plain(live, tempFil + '\0' + fil + '\0'));
  EXPECT_EQ(completeInterruptedWrites(dir.path()), 0u);
  EXPECT_TRUE(fileExists(live));
}

TEST(FileIo, AWriteOfAFileAnotherProgramChangedMeanwhileLeavesItAlone) {
  TempDir dir;
  const std::string page = dir.path() + "p.html";
  ASSERT_TRUE(writeFileAtomic(page, "as read").ok);
  const FileStamp read = *stampOf(page);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(writeFileAtomic(page, "another program's change").ok);
  const WriteResult r = writeFileAtomicInBatch(page, "the replace's result", &read);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.changedMeanwhile);
  EXPECT_EQ(*readWholeFile(page), "another program's change");
  EXPECT_EQ(namesIn(dir.path()).size(), 1u) << "no temporary left";
  const FileStamp now = *stampOf(page);
  EXPECT_TRUE(writeFileAtomicInBatch(page, "the replace's result", &now).ok);
}

TEST(FileIo, AnInPlaceRewriteCutShortByDeathIsFinishedFromItsCompleteNewCopy) {
  TempDir dir;
  const std::string a = dir.path() + "a.html", b = dir.path() + "b.html";
  ASSERT_TRUE(writeFileAtomic(a, "the old page, long enough").ok);
  ASSERT_EQ(::link(a.c_str(), b.c_str()), 0);
  // A writer that died part-way through rewriting the hard-linked page: the new beginning over the old
  // tail, with its two synced copies beside the page.
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  const std::string stem = dir.path() + ".a.html.quillon-" + std::to_string(child) + "-";
  auto plain = [](const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return ok;
  };
  ASSERT_TRUE(plain(stem + "Xy12ab.bak", "the old page, long enough"));
  ASSERT_TRUE(plain(stem + "Qw34cd.new", "NEW page"));
  const int fd = ::open(a.c_str(), O_WRONLY);
  ASSERT_EQ(::pwrite(fd, "NEW", 3, 0), 3);  // torn: "NEW old page, long enough"
  ::close(fd);

  const InterruptedSave finished = finishInterruptedSave(b);
  EXPECT_TRUE(finished.finished) << "found through either name of the file";
  EXPECT_TRUE(finished.oldCopy.empty());
  EXPECT_EQ(*readWholeFile(a), "NEW page");
  EXPECT_EQ(statOf(a).st_ino, statOf(b).st_ino) << "the hard link is kept";
  EXPECT_EQ(namesIn(dir.path()).size(), 2u) << "both copies are gone";
  EXPECT_FALSE(finishInterruptedSave(a).finished);

  // Only an old copy equal to the page (the writer died before the rewrite began): swept without a word.
  ASSERT_TRUE(plain(stem + "Zz99zz.bak", "NEW page"));
  EXPECT_TRUE(finishInterruptedSave(a).oldCopy.empty());
  EXPECT_EQ(namesIn(dir.path()).size(), 2u);
  // An old copy that differs, with no new bytes beside it (an older writer's): kept and named for the user.
  ASSERT_TRUE(plain(stem + "Yy88yy.bak", "an older page"));
  removeStaleTemporaries(dir.path());
  EXPECT_EQ(finishInterruptedSave(a).oldCopy, stem + "Yy88yy.bak");
  EXPECT_EQ(*readWholeFile(a), "NEW page");
}

}  // namespace
}  // namespace quillon
