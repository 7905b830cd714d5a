#include "project/link_paths.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(LinkPaths, FoldersKeepTheirCaseAndChangeOnlyWhereTheyMatchExactly) {
  PageTree t;
  t.addTopLevel("Home", "/srv/Web/Index.htm");
  t.addTopLevel("A", "/srv/Web/Sub/A.htm");
  t.addTopLevel("B", "/srv/web/b.htm");  // another folder on a case-sensitive file system
  t.addTopLevel("C", "/srv/Web/c.htm");
  EXPECT_EQ(linkFolders(t), (std::vector<std::string>{"/srv/Web/", "/srv/Web/Sub/", "/srv/web/"}));
  EXPECT_EQ(changeLinkFolder(t, "/srv/Web/", "/home/Me/Site/"), 2u);
  EXPECT_EQ(t[0].link, "/home/Me/Site/Index.htm");
  EXPECT_EQ(t[1].link, "/srv/Web/Sub/A.htm");
  EXPECT_EQ(t[2].link, "/srv/web/b.htm");
  EXPECT_EQ(t[3].link, "/home/Me/Site/c.htm");
  EXPECT_EQ(t[0].title, "Home");
}

}  // namespace
}  // namespace quillon
