#include <gtest/gtest.h>

#include "project/project_builder.h"

namespace quillon {
namespace {

TEST(ProjectBuilder, NamesFromFilesAndTitles) {
  EXPECT_EQ(nameFromFileName("/w/site/index.old.html"), "index");
  EXPECT_EQ(nameFromFileName("/w/README"), "README");
  EXPECT_EQ(nameFromTitle("<HTML>\r\n<HEAD><TITLE>Home</TITLE></HEAD>\r\n", "/w/a.htm"), "Home");
  EXPECT_EQ(nameFromTitle("<title>\nOur Team <b>\n</title>", "/w/a.htm"), "Our Team ");
  EXPECT_EQ(nameFromTitle("<TiTlE>\r\n<b>x</b>\r\n", "/w/a.htm"), "NO TITLE: /w/a.htm");
  EXPECT_EQ(nameFromTitle("<TITLE>\r\n\r\nlater\r\n", "/w/a.htm"), "NO TITLE: /w/a.htm");
  EXPECT_EQ(nameFromTitle("<TITLE>", "/w/a.htm"), "NO TITLE: /w/a.htm");
  EXPECT_EQ(nameFromTitle("<p>no title here</p>", "/w/b.htm"), "NO TITLE: /w/b.htm");
  EXPECT_EQ(nameFromTitle("  <title>Caf\xe9 Menu", "/w/c.htm"), "Caf\xe9 Menu");  // to the end of the line
}

TEST(ProjectBuilder, HierarchyIndentsChecksAndFiles) {
  std::vector<std::string> lines = {"a", "b", "c"};
  indentLines(lines, {1});
  EXPECT_EQ(lines[1], "     b");
  EXPECT_FALSE(firstHierarchyJump(lines));
  EXPECT_EQ(builderOutlineText(lines), "a\r\n\tb\r\nc\r\n");
  EXPECT_EQ(builderLinkText({"/w/a.htm", "/w/b.htm", "/w/c.htm"}), "/w/a.htm\r\n/w/b.htm\r\n/w/c.htm\r\n");

  indentLines(lines, {2, 2});
  EXPECT_FALSE(firstHierarchyJump(lines));  // b at 1, c at 2: one level below its parent
  indentLines(lines, {2});
  EXPECT_EQ(hierarchyLevel(lines[2]), 3);
  EXPECT_EQ(firstHierarchyJump(lines), std::optional<size_t>(1));
  unindentLines(lines, {2});
  EXPECT_FALSE(firstHierarchyJump(lines));

  // Blanks inside a top-level title are the title's own.
  std::vector<std::string> titled = {"Our     Team", "   three"};
  unindentLines(titled, {0, 1});
  EXPECT_EQ(titled[0], "Our     Team");
  EXPECT_EQ(titled[1], "   three");
  EXPECT_EQ(hierarchyLevel("   three"), 0);
  EXPECT_EQ(builderOutlineText({"       x"}), "\tx\r\n");  // seven blanks: one TAB, all blanks gone

  // Blanks and TABs that the outline file would read as levels are dropped; an empty title is named.
  EXPECT_EQ(builderOutlineText({"Home", "     \tNews", "   ", "  x"}, {"/w/a", "/w/b", "/w/c"}),
            "Home\r\n\tNews\r\nNO TITLE: /w/c\r\nx\r\n");
  EXPECT_EQ(tidyPageName(" \tNews \t", "/w/n.htm"), "News");
  EXPECT_EQ(tidyPageName("   ", "/w/n.htm"), "NO TITLE: /w/n.htm");
  EXPECT_TRUE(validProjectName("Site.out"));
  for (const char* bad : {"", ".", "..", "../x", "a/b"}) EXPECT_FALSE(validProjectName(bad)) << bad;
}

}  // namespace
}  // namespace quillon
