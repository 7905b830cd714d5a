#include "editor/recovery_copies.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <unistd.h>
#include <algorithm>

#include "base/file_io.h"
#include "editor/eight_bit_sets.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(RecoveryCopies, KeepsTheNewestCopyAndDropsItWhenSaved) {
  testing::TempDir dir;
  RecoveryKeeper keeper(dir.path());
  keeper.keep("first", "/site/a.html", "UTF-8");
  // The window's UTF-8 text of a windows-1252 page goes to disk as the page's own bytes.
  keeper.keep(
      "\xe2\x80\x9c"
      "caf\xc3\xa9\r\n",
      "/site/a.html", "windows-1252", [](std::string_view text) { return eightBitSet("windows-1252")->encode(text); });
  keeper.waitUntilWritten();
  const auto bytes = readWholeFile(keeper.copyPath());
  ASSERT_TRUE(bytes);
  const RecoveryCopy copy = readRecoveryCopy(keeper.copyPath(), *bytes);
  EXPECT_TRUE(copy.damaged.empty());
  EXPECT_EQ(copy.pagePath, "/site/a.html");
  EXPECT_EQ(copy.encoding, "windows-1252");
  EXPECT_EQ(copy.bytes,
            "\x93"
            "caf\xe9\r\n");
  // A running instance's copy is never taken for a dead one's, by itself or by another instance.
  EXPECT_TRUE(keeper.leftBehind().empty());
  const pid_t other = ::fork();
  if (other == 0) {
    RecoveryKeeper second(dir.path());
    ::_exit(static_cast<int>(second.leftBehind().size()));
  }
  int status = 0;
  ::waitpid(other, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fileExists(keeper.copyPath()));
  keeper.drop();
  keeper.waitUntilWritten();
  EXPECT_FALSE(fileExists(keeper.copyPath()));
}

TEST(RecoveryCopies, EachOpenPageHasACopyOfItsOwnAndAKilledInstanceLeavesThemAll) {
  testing::TempDir dir;
  const pid_t child = ::fork();
  if (child == 0) {
    RecoveryKeeper dying(dir.path());
    dying.keep("page one", "/site/one.html", "UTF-8", {}, 1);
    dying.keep("page two", "/site/two.html", "UTF-8", {}, 2);
    dying.keep("page three", "", "UTF-8", {}, 3);
    dying.drop(3);  // closed by the user
    dying.keep("page one, later", "/site/one.html", "UTF-8", {}, 1);
    dying.waitUntilWritten();
    const bool apart = dying.copyPath(1) != dying.copyPath(2) && fileExists(dying.copyPath(1)) &&
                       fileExists(dying.copyPath(2)) && !fileExists(dying.copyPath(3));
    ::_exit(apart ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_EQ(WEXITSTATUS(status), 0);
  RecoveryKeeper next(dir.path());
  std::vector<std::string> offered;
  for (const RecoveryCopy& copy : next.leftBehind()) offered.push_back(copy.pagePath + "=" + copy.bytes);
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(offered, (std::vector<std::string>{"/site/one.html=page one, later", "/site/two.html=page two"}));

  // A normal end leaves none of them.
  const pid_t ending = ::fork();
  if (ending == 0) {
    std::string one, two;
    {
      RecoveryKeeper keeper(dir.path());
      keeper.keep("a", "/site/a.html", "UTF-8", {}, 4);
      keeper.keep("b", "/site/b.html", "UTF-8", {}, 5);
      keeper.waitUntilWritten();
      one = keeper.copyPath(4);
      two = keeper.copyPath(5);
      if (!fileExists(one) || !fileExists(two)) ::_exit(2);
    }
    ::_exit(fileExists(one) || fileExists(two) ? 1 : 0);
  }
  ::waitpid(ending, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(RecoveryCopies, ACopyCutShortOrForeignIsNeverOfferedAsAPage) {
  const std::string good = recoveryCopyBytes("", "UTF-8", 1, "<p>x</p>");
  EXPECT_TRUE(readRecoveryCopy("f", good).damaged.empty());
  EXPECT_TRUE(readRecoveryCopy("f", good).pagePath.empty());  // untitled
  EXPECT_FALSE(readRecoveryCopy("f", good.substr(0, good.size() - 1)).damaged.empty());
  std::string changed = good;
  changed.back() = 'X';
  EXPECT_FALSE(readRecoveryCopy("f", changed).damaged.empty());
  EXPECT_FALSE(readRecoveryCopy("f", "<html>not a copy</html>").damaged.empty());
  EXPECT_TRUE(readRecoveryCopy("f", changed).bytes.empty());
}

TEST(RecoveryCopies, AnEndedInstancesCopiesAreOfferedOnceAndItsDamagedOnesSetAside) {
  testing::TempDir dir;
  // An instance killed with its copy on disk: a child process that never ends cleanly.
  const pid_t child = ::fork();
  if (child == 0) {
    RecoveryKeeper dying(dir.path());
    dying.keep("unsaved edits", "/site/page.html", "UTF-8");
    dying.waitUntilWritten();
    ::_exit(0);  // no destructor: as after a kill
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "recovery/99999-1.copy", "garbage").ok);

  RecoveryKeeper first(dir.path());
  const auto offered = first.leftBehind();
  ASSERT_EQ(offered.size(), 2u);
  size_t good = offered[0].damaged.empty() ? 0 : 1;
  EXPECT_EQ(offered[good].bytes, "unsaved edits");
  EXPECT_EQ(offered[good].pagePath, "/site/page.html");
  EXPECT_FALSE(offered[1 - good].damaged.empty());
  // Another instance starting meanwhile is not offered what the first has claimed.
  const pid_t other = ::fork();
  if (other == 0) {
    RecoveryKeeper second(dir.path());
    ::_exit(static_cast<int>(second.leftBehind().size()));
  }
  ::waitpid(other, &status, 0);
  EXPECT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  RecoveryKeeper::remove(offered[good].file);
  EXPECT_FALSE(fileExists(offered[good].file));
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// A copy the user keeps for later is offered at every start, under a name that does not grow.
TEST(RecoveryCopies, ACopyKeptForLaterIsOfferedAtEveryStart) {
  testing::TempDir dir;
  ASSERT_TRUE(makeDirectory(dir.path() + "recovery"));
  ASSERT_TRUE(
      writeFileAtomic(dir.path() + "recovery/99999-1.copy", recoveryCopyBytes("/site/a.html", "UTF-8", 1, "edits")).ok);
  for (int start = 0; start < 30; ++start) {
    const pid_t child = ::fork();
    if (child == 0) {
      RecoveryKeeper instance(dir.path());
      const auto offered = instance.leftBehind();
      const bool good = offered.size() == 1 && offered[0].bytes == "edits" && offered[0].file.size() < 200;
      ::_exit(good ? 0 : 1);  // ended without choosing: the copy stays, its owner gone
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "start " << start;
  }
}

TEST(RecoveryCopies, AFolderThatCannotBeUsedIsSaidOnce) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "recovery", "a file where the folder should be").ok);
  RecoveryKeeper keeper(dir.path());
  EXPECT_TRUE(keeper.takeFailure().has_value());
  EXPECT_FALSE(keeper.takeFailure().has_value());
}

}  // namespace
}  // namespace quillon
