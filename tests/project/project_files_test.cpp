#include "project/project_files.h"
#include "project/outline_print.h"
#include "project/page_move.h"
#include "project/site_files.h"

#include <gtest/gtest.h>
#include <random>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

PageTree homeTree() {
  PageTree t;
  const size_t home = t.addTopLevel("Home", "c:\\web\\index.html");
  t.addSubPage(home, "About", "c:\\web\\about.html");
  const size_t products = t.addSubPage(home, "Products", "c:\\web\\products.html");
  t.addSubPage(products, "Widgets", "c:\\web\\widgets.html");
  return t;
}

TEST(OutlineFile, HomeAboutProductsWidgetsBytes) {
  const PageTree t = homeTree();
  EXPECT_EQ(formatOutline(t), "Home\r\n\tAbout\r\n\tProducts\r\n\t\tWidgets\r\n");
  EXPECT_EQ(formatLinks(t),
            "c:\\web\\index.html\r\nc:\\web\\about.html\r\nc:\\web\\products.html\r\nc:\\web\\widgets.html\r\n");
}

TEST(PageMove, PagesComeBackFromTheWorkFilesAndOnlyRealMovesCount) {
  const PageTree t = homeTree();
  auto same = pagesAfterMove(formatOutline(t), formatLinks(t));
  ASSERT_TRUE(same);
  ASSERT_EQ(same->size(), 4u);
  EXPECT_EQ((*same)[3].title, "Widgets");
  EXPECT_EQ((*same)[3].level, 3);
  EXPECT_TRUE((*same)[3].expanded);
  EXPECT_FALSE(pagesMoved(t.pages(), *same));  // groups shown expanded, nothing else changed

  // Widgets moved up one level, and a links file one line short.
  auto moved = pagesAfterMove("Home\r\n\tAbout\r\n\tProducts\r\n\tWidgets\r\n",
                              "c:\\web\\index.html\r\nc:\\web\\about.html\r\nc:\\web\\products.html\r\n");
  ASSERT_TRUE(moved);
  EXPECT_EQ((*moved)[3].level, 2);
  EXPECT_EQ((*moved)[3].link, "");
  EXPECT_TRUE(pagesMoved(t.pages(), *moved));
}

TEST(OutlinePrint, IndentsByLevelAndNamesLinksAsAsked) {
  const PageTree t = homeTree();
  EXPECT_EQ(printedOutlineLines(t.pages(), PrintedLinks::None),
            (std::vector<std::string>{"Home", "\tAbout", "\tProducts", "\t\tWidgets"}));
  const auto full = printedOutlineLines(t.pages(), PrintedLinks::Full);
  EXPECT_EQ(full[3], "\t\tWidgets  (c:\\web\\widgets.html)");
  EXPECT_EQ(printedOutlineLines({{"A", "/w/site/a.html", 1, false}}, PrintedLinks::FileNameOnly)[0], "A  (a.html)");
}

TEST(OutlineFile, IndentationRules) {
  // A leading blank counts like a TAB: after a top-level page it makes a sub-page, without the blank.
  auto lines = parseOutline("Home\r\n About\n\t\tDeep\rBack\r\n");
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 4u);
  EXPECT_EQ((*lines)[1].title, "About");
  EXPECT_EQ((*lines)[1].level, 2);
  EXPECT_EQ((*lines)[2].level, 3);
  EXPECT_EQ((*lines)[3].level, 1);
  EXPECT_FALSE(parseOutline("\t\t\tToo deep\r\n"));
  EXPECT_FALSE(parseOutline("Top\r\n\t\t\tSkips a level\r\n"));
  EXPECT_EQ((*parseOutline("Top\r\n\t\tOne deeper\r\n"))[1].level, 2);
  EXPECT_TRUE(parseOutline("\tFirst line with one TAB is top level\r\n"));
  EXPECT_EQ((*parseOutline("\tx"))[0].level, 1);
  // A NUL byte ends the text.
  lines = parseOutline(std::string("One\r\nTwo\0\r\nThree\r\n", 18));
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 2u);
  EXPECT_EQ((*lines)[1].title, "Two");
  EXPECT_TRUE(parseOutline("")->empty());
}

TEST(OutlineFile, ReadingAndWritingAreInversesForGeneratedTrees) {
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    PageTree t;
    const int n = static_cast<int>(random() % 40);
    for (int i = 0; i < n; ++i) {
      std::string title;
      const int len = 1 + static_cast<int>(random() % 8);
      for (int k = 0; k < len; ++k) title += static_cast<char>("aZ9 -\t\xe9<"[random() % 8]);
      if (title[0] == ' ' || title[0] == '\t') title[0] = 'x';  // leading blanks are indentation by design
      const std::string link = "/site/p" + std::to_string(i) + ".html";
      if (t.empty() || random() % 3 == 0)
        t.addTopLevel(title, link);
      else
        t.addSubPage(random() % t.size(), title, link);
    }
    const auto lines = parseOutline(formatOutline(t));
    ASSERT_TRUE(lines);
    const auto links = parseLinks(formatLinks(t));
    ASSERT_EQ(lines->size(), t.size());
    for (size_t i = 0; i < t.size(); ++i) {
      EXPECT_EQ((*lines)[i].title, t[i].title);
      EXPECT_EQ((*lines)[i].level, t[i].level);
      EXPECT_EQ(links[i], t[i].link);
    }
  }
}

TEST(ProjectNames, LinkFileAndOutExtension) {
  EXPECT_EQ(linkFileFor("/p/SITE.out"), "/p/SITE.fil");
  EXPECT_EQ(projectFileName("/elsewhere/site.htm"), "site.out");
  EXPECT_EQ(projectFileName("c:\\x\\Site.OUT"), "Site.out");
  EXPECT_EQ(projectFileName("/a/noext"), "noext.out");
  EXPECT_EQ(projectFileName("/a/b.out"), "b.out");
}

TEST(ProjectNames, AnExistingLinkFileIsFoundWhateverTheCaseOfItsEnding) {
  testing::TempDir dir;
  EXPECT_EQ(linkFileFor(dir.path() + "SITE.OUT"), dir.path() + "SITE.FIL");  // a new one follows the outline
  ASSERT_TRUE(writeFileAtomic(dir.path() + "SITE.OUT", "Home\r\nAbout\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "SITE.FIL", "/w/index.html\r\n/w/about.html\r\n").ok);
  const ProjectLoad upper = loadProject(dir.path() + "SITE.OUT");
  ASSERT_TRUE(upper.tree);
  EXPECT_EQ((*upper.tree)[1].link, "/w/about.html");
  ASSERT_TRUE(saveProject(dir.path() + "SITE.OUT", *upper.tree).ok);  // saved beside the same pair
  EXPECT_FALSE(fileExists(dir.path() + "SITE.fil"));
  ASSERT_TRUE(writeFileAtomic(dir.path() + "mixed.out", "Home\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "mixed.FIL", "/w/index.html\r\n").ok);
  EXPECT_EQ(linkFileFor(dir.path() + "mixed.out"), dir.path() + "mixed.FIL");
}

TEST(ProjectFiles, SaveAndLoadBothFiles) {
  testing::TempDir dir;
  ASSERT_TRUE(saveProject(dir.path() + "site.out", homeTree()).ok);
  const ProjectLoad loaded = loadProject(dir.path() + "site.out");
  ASSERT_TRUE(loaded.tree);
  EXPECT_EQ(loaded.tree->pages(), homeTree().pages());
  ASSERT_TRUE(saveProject(dir.path() + "empty.out", PageTree()).ok);
  EXPECT_EQ(*readWholeFile(dir.path() + "empty.out"), "");
  EXPECT_EQ(*readWholeFile(dir.path() + "empty.fil"), "");
  EXPECT_TRUE(loadProject(dir.path() + "empty.out").tree->empty());
}

TEST(ProjectFiles, BadInputEitherLoadsParallelOrFails) {
  testing::TempDir dir;
  const std::string out = dir.path() + "p.out";
  writeFileAtomic(out, "A\r\nB\r\nC\r\n");
  writeFileAtomic(dir.path() + "p.fil", "a.html\r\n");  // shorter: the rest have empty links
  auto loaded = loadProject(out);
  ASSERT_TRUE(loaded.tree);
  EXPECT_EQ((*loaded.tree)[0].link, "a.html");
  EXPECT_EQ((*loaded.tree)[2].link, "");
  writeFileAtomic(dir.path() + "p.fil", "1\r\n2\r\n3\r\n4\r\n5\r\n");  // longer: extra lines ignored
  loaded = loadProject(out);
  ASSERT_EQ(loaded.tree->size(), 3u);
  EXPECT_EQ((*loaded.tree)[2].link, "3");
  writeFileAtomic(out, "\t\t\tA\r\n");
  EXPECT_EQ(loadProject(out).error, kFileLoadError);
  writeFileAtomic(out, std::string(100000, 'T') + "\r\n\x01\xff\r\n");
  loaded = loadProject(out);
  ASSERT_TRUE(loaded.tree);
  EXPECT_EQ((*loaded.tree)[0].title.size(), 100000u);
  ::unlink((dir.path() + "p.fil").c_str());
  EXPECT_FALSE(loadProject(out).tree);  // no link file: the load fails and says so
  EXPECT_FALSE(loadProject(dir.path() + "missing.out").error.empty());
}

TEST(RecentProjects, SwapWithFirstOrPushDown) {
  std::array<std::string, 4> r = {"A", "B", "C", "D"};
  recordRecent(r, "C");
  EXPECT_EQ(r, (std::array<std::string, 4>{"C", "B", "A", "D"}));
  recordRecent(r, "C");
  EXPECT_EQ(r, (std::array<std::string, 4>{"C", "B", "A", "D"}));
  recordRecent(r, "E");
  EXPECT_EQ(r, (std::array<std::string, 4>{"E", "C", "B", "A"}));
  recordRecent(r, "e");  // exact comparison
  EXPECT_EQ(r[0], "e");
}

TEST(ProjectList, OutFilesInAnyCaseUpperCasedInOrder) {
  testing::TempDir dir;
  for (const char* name : {"zeta.out", "Alpha.OUT", "beta.Out", "notes.txt", "x.out.bak"})
    writeFileAtomic(dir.path() + name, "");
  makeDirectory(dir.path() + "folder.out");
  const auto list = listProjects(dir.path());
  EXPECT_EQ(list, (std::vector<std::string>{"ALPHA.OUT", "BETA.OUT", "ZETA.OUT"}));
  EXPECT_EQ(projectListSelection(list, "beta.out"), 1);
  EXPECT_EQ(projectListSelection(list, ""), -1);
}

TEST(ProjectList, NamesThatDifferOnlyInCaseAreListedAndOpenedEachAsItself) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "a.out", "Lower\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "a.fil", "/w/lower.html\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "A.out", "Upper\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "A.fil", "/w/upper.html\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "Shop.out", "Shop\r\n").ok);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "SHOP.FIL", "/w/shop.html\r\n").ok);
  const auto list = listProjects(dir.path());
  EXPECT_EQ(list, (std::vector<std::string>{"A.out", "SHOP.OUT", "a.out"}));
  EXPECT_EQ(projectListSelection(list, "a.out"), 2);
  EXPECT_EQ(projectListSelection(list, "A.out"), 0);
  EXPECT_EQ(projectOutlinePath(dir.path(), "A.out"), dir.path() + "A.out");
  EXPECT_EQ(projectOutlinePath(dir.path(), "a.out"), dir.path() + "a.out");
  EXPECT_EQ(*projectPageFiles(dir.path(), "A.out"), (std::vector<std::string>{"/w/upper.html"}));
  EXPECT_EQ(*projectPageFiles(dir.path(), "a.out"), (std::vector<std::string>{"/w/lower.html"}));
  // The link file in other letters than its outline's is found, by the entry and by the outline.
  EXPECT_EQ(linkFileFor(dir.path() + "Shop.out"), dir.path() + "SHOP.FIL");
  EXPECT_EQ(*projectPageFiles(dir.path(), "SHOP.OUT"), (std::vector<std::string>{"/w/shop.html"}));
  const ProjectLoad shop = loadProject(projectOutlinePath(dir.path(), "SHOP.OUT"));
  ASSERT_TRUE(shop.tree);
  EXPECT_EQ((*shop.tree)[0].link, "/w/shop.html");
}

TEST(PageTree, SubPageGoesAfterTheWholeNestedGroup) {
  PageTree t = homeTree();  // Home(About, Products(Widgets))
  const size_t at = t.addSubPage(0, "Contact", "c.html");
  EXPECT_EQ(at, 4u);
  EXPECT_EQ(t[4].level, 2);
  EXPECT_EQ(t.groupEnd(0), 5u);
  const size_t deep = t.addSubPage(2, "Gadgets", "g.html");  // after Widgets, inside Products
  EXPECT_EQ(deep, 4u);
  EXPECT_EQ(t[5].title, "Contact");
}

TEST(PageTree, RemovingAGroupOfFourKeepsTheOthersLinks) {
  PageTree t = homeTree();
  t.addTopLevel("Second", "s.html");
  t.addTopLevel("Third", "t.html");
  EXPECT_EQ(t.removeGroup(0), 4u);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].link, "s.html");
  EXPECT_EQ(t[1].link, "t.html");
  EXPECT_EQ(t.removeGroup(1), 1u);
  EXPECT_EQ(t[0].title, "Second");
}

TEST(PageTree, ExpandAndCollapseRules) {
  PageTree t = homeTree();
  t.expandAll();
  EXPECT_TRUE(t[0].expanded && t[2].expanded);
  EXPECT_FALSE(t[1].expanded);  // no sub-pages, nothing to expand
  t.collapseGroup(0);
  EXPECT_FALSE(t[0].expanded || t[2].expanded);
  t.expandGroup(0);
  EXPECT_TRUE(t[0].expanded);
  EXPECT_FALSE(t[2].expanded);  // deeper groups keep their own state
  t.expandGroup(1);
  EXPECT_FALSE(t[1].expanded);
  t.collapseAll();
  EXPECT_FALSE(t[0].expanded);
}

}  // namespace
}  // namespace quillon
