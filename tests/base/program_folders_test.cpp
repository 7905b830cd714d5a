#include "base/program_folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

// PREFIX/bin beside PREFIX/share/quillon, as `cmake --install` lays it out.
struct InstalledTree {
  testing::TempDir root;
  std::string prefix = root.path() + "usr/";
  InstalledTree() {
    makeDirectories(prefix + "bin");
    makeDirectories(prefix + "share/quillon/spell");
  }
};

TEST(ProgramFolders, InstalledProgramWritesToTheUsersDataFolder) {
  InstalledTree tree;
  const ProgramFolders f = chooseProgramFolders({"", tree.prefix + "bin/", "/data/home", "/home/ann"});
  EXPECT_TRUE(f.installed);
  EXPECT_EQ(f.shared, tree.prefix + "share/quillon/");
  EXPECT_EQ(f.modules, tree.prefix + "lib/quillon/");
  EXPECT_EQ(f.data, "/data/home/quillon/");

  // Without XDG_DATA_HOME, or with a relative one (which the rules call invalid): ~/.local/share.
  EXPECT_EQ(chooseProgramFolders({"", tree.prefix + "bin", "", "/home/ann"}).data, "/home/ann/.local/share/quillon/");
  EXPECT_EQ(chooseProgramFolders({"", tree.prefix + "bin/", "rel/data", "/home/ann/"}).data,
            "/home/ann/.local/share/quillon/");
}

TEST(ProgramFolders, BuildTreeAndExplicitFolderKeepOneProgramDirectory) {
  testing::TempDir build;
  makeDirectories(build.path() + "bin/help");
  const ProgramFolders tree = chooseProgramFolders({"", build.path() + "bin/", "/data/home", "/home/ann"});
  EXPECT_FALSE(tree.installed);
  EXPECT_EQ(tree.data, build.path() + "bin/");
  EXPECT_EQ(tree.shared, tree.data);
  EXPECT_EQ(tree.modules, tree.data);

  // QUILLON_PROGRAM_DIR wins even over an installed layout.
  InstalledTree installed;
  const ProgramFolders given =
      chooseProgramFolders({"/opt/site", installed.prefix + "bin/", "/data/home", "/home/ann"});
  EXPECT_FALSE(given.installed);
  EXPECT_EQ(given.data, "/opt/site/");
  EXPECT_EQ(given.shared, "/opt/site/");
  EXPECT_EQ(given.modules, installed.prefix + "lib/quillon/");
}

TEST(ProgramFolders, FirstStartSeedsMissingFilesAndNeverReplacesTheUsers) {
  InstalledTree tree;
  ASSERT_TRUE(writeFileAtomic(tree.prefix + "share/quillon/spell/spell.cfg", "shipped").ok);
  testing::TempDir home;
  const ProgramFolders f = chooseProgramFolders({"", tree.prefix + "bin/", home.path() + "data", home.path()});

  // A staging copy of a start that was killed part-way (its process gone) is swept; a live one is left.
  makeDirectories(f.data + "spell");
  const std::string stale = f.data + "spell/.spell.cfg.seed-999999999";
  const std::string live = f.data + "spell/.spell.cfg.seed-" + std::to_string(::getppid());
  ASSERT_TRUE(writeFileAtomic(stale, "half").ok);
  ASSERT_TRUE(writeFileAtomic(live, "busy").ok);
  EXPECT_TRUE(seedDataFolder(f).empty());
  EXPECT_EQ(readWholeFile(f.data + "spell/spell.cfg").value_or(""), "shipped");
  EXPECT_FALSE(fileExists(stale));
  EXPECT_TRUE(fileExists(live));
  EXPECT_TRUE(isDirectory(f.data + "projects"));
  EXPECT_TRUE(isDirectory(f.data + "backup"));

  // The user's own configuration, and a link the user put in place, stay as they are on every later start.
  ASSERT_TRUE(writeFileAtomic(f.data + "spell/spell.cfg", "mine").ok);
  EXPECT_TRUE(seedDataFolder(f).empty());
  EXPECT_EQ(readWholeFile(f.data + "spell/spell.cfg").value_or(""), "mine");
  ASSERT_EQ(::unlink((f.data + "spell/spell.cfg").c_str()), 0);
  ASSERT_EQ(::symlink("elsewhere.cfg", (f.data + "spell/spell.cfg").c_str()), 0);
  seedDataFolder(f);
  struct stat st;
  ASSERT_EQ(::lstat((f.data + "spell/spell.cfg").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_FALSE(fileExists(f.data + "spell/elsewhere.cfg"));

  // Nothing of this process is left behind from staging the copies.
  EXPECT_EQ(::access((f.data + "spell/.spell.cfg.seed-" + std::to_string(::getpid())).c_str(), F_OK), -1);
}

TEST(ProgramFolders, AFolderThatCannotBeMadeIsNamedNotFatal) {
  // HOME names a file: no folder can be made under it, for any user.
  InstalledTree tree;
  ASSERT_TRUE(writeFileAtomic(tree.prefix + "share/quillon/spell/spell.cfg", "shipped").ok);
  testing::TempDir scratch;
  const std::string home = scratch.path() + "not-a-folder";
  ASSERT_TRUE(writeFileAtomic(home, "x").ok);
  const ProgramFolders f = chooseProgramFolders({"", tree.prefix + "bin/", "", home});
  const auto failed = seedDataFolder(f);
  ASSERT_FALSE(failed.empty());
  EXPECT_EQ(failed.front(), home + "/.local/share/quillon/");
  EXPECT_EQ(failed.back(), f.data + "spell/spell.cfg");
  EXPECT_EQ(readWholeFile(home).value_or(""), "x");
}

}  // namespace
}  // namespace quillon
