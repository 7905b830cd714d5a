#include "project/files_pane.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(FilesPane, MasksMatchWithoutRegardToCase) {
  EXPECT_TRUE(matchesMask("Logo.GIF", "*.jpg;*.gif"));
  EXPECT_FALSE(matchesMask("logo.gifx", "*.jpg;*.gif"));
  EXPECT_TRUE(matchesMask("README", "*.*"));
  EXPECT_TRUE(matchesMask("a.html", "*.html;*.htm;*.shtml;*.shtm;*.asp"));
  EXPECT_FALSE(matchesMask("a.txt", "*.html;*.htm"));
  EXPECT_TRUE(matchesMask("page1.htm", "page?.htm"));
  EXPECT_FALSE(matchesMask("a.htm", ""));
}

TEST(FilesPane, ListsFilesAndFolders) {
  testing::TempDir dir;
  // The preview's copy is the program's own temporary, never listed to link or upload.
  for (const char* name : {"b.html", "A.gif", "notes.txt", "c.HTM", ".secret.html", "$$temp.htm", "$$TEMP.HTML"})
    writeFileAtomic(dir.path() + name, "x");
  makeDirectory(dir.path() + "sub");
  makeDirectory(dir.path() + ".hidden");
  EXPECT_EQ(filesIn(dir.path(), "*.html;*.htm"), (std::vector<std::string>{"b.html", "c.HTM"}));
  EXPECT_EQ(filesIn(dir.path(), "*.*").size(), 4u);
  EXPECT_EQ(foldersIn(dir.path()), (std::vector<std::string>{"sub"}));
  EXPECT_TRUE(filesIn(dir.path() + "missing/", "*.*").empty());
}

TEST(FilesPane, PathsAndOpenKinds) {
  EXPECT_EQ(joinPath("/", "x.htm"), "/x.htm");  // no doubled separator in the root
  EXPECT_EQ(joinPath("/site", "x.htm"), "/site/x.htm");
  EXPECT_EQ(parentFolder("/a/b/"), "/a/");
  EXPECT_EQ(parentFolder("/"), "/");
  EXPECT_EQ(openKindFor("Photo.JPG"), FileOpenKind::Image);
  EXPECT_EQ(openKindFor("photo.jpeg"), FileOpenKind::Other);
  EXPECT_EQ(openKindFor("x.shtml"), FileOpenKind::Html);
  EXPECT_EQ(openKindFor("readme.txt"), FileOpenKind::Other);
}

}  // namespace
}  // namespace quillon
