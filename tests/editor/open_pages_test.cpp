#include "editor/open_pages.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

OpenPage pageAt(const std::string& path) {
  OpenPage page;
  page.state.path = path;
  return page;
}

std::vector<std::string> pathsOf(const OpenPages& pages) {
  std::vector<std::string> paths;
  for (const OpenPage& page : pages.all()) paths.push_back(page.state.path);
  return paths;
}

TEST(OpenPages, TabsSwitchRoundCloseToANeighbourAndMoveWithTheShownPageKept) {
  OpenPages pages;
  ASSERT_EQ(pages.size(), 1u);
  pages.at(0).state.path = "/s/a.htm";
  for (const char* path : {"/s/b.htm", "/s/c.htm", "/s/d.htm"}) pages.add(pageAt(path));
  EXPECT_EQ(pages.currentIndex(), 0u);  // added pages are not shown until selected
  EXPECT_EQ(pages.previousIndex(), 3u);
  pages.select(3);
  EXPECT_EQ(pages.nextIndex(), 0u);
  EXPECT_EQ(pages.indexOf("/s/c.htm", {}), 2u);
  EXPECT_EQ(pages.indexOf("/s/x.htm", {}), std::nullopt);
  const auto sameIgnoringDot = [](std::string_view a, std::string_view b) {
    return std::string(a) == std::string(b).replace(0, 5, "/s/");
  };
  EXPECT_EQ(pages.indexOf("/s/./b.htm", sameIgnoringDot), 1u);

  // Ids stay with their pages.
  const int idOfB = pages.at(1).id;
  EXPECT_NE(idOfB, pages.at(2).id);
  // The shown last page closes to its left neighbour; a shown middle one to its right neighbour.
  ASSERT_TRUE(pages.remove(3));
  EXPECT_EQ(pages.current().state.path, "/s/c.htm");
  pages.select(1);
  ASSERT_TRUE(pages.remove(1));
  EXPECT_EQ(pages.current().state.path, "/s/c.htm");
  EXPECT_EQ(pages.indexOfId(idOfB), std::nullopt);
  // A page before the shown one goes: the same page stays shown.
  ASSERT_TRUE(pages.remove(0));
  EXPECT_EQ(pages.current().state.path, "/s/c.htm");
  EXPECT_FALSE(pages.remove(0));  // never the last page
  EXPECT_EQ(pages.size(), 1u);

  for (const char* path : {"/s/e.htm", "/s/f.htm"}) pages.add(pageAt(path));
  pages.select(1);
  pages.move(1, 2);
  EXPECT_EQ(pathsOf(pages), (std::vector<std::string>{"/s/c.htm", "/s/f.htm", "/s/e.htm"}));
  EXPECT_EQ(pages.current().state.path, "/s/e.htm");
  pages.move(2, 0);
  EXPECT_EQ(pathsOf(pages), (std::vector<std::string>{"/s/e.htm", "/s/c.htm", "/s/f.htm"}));
  EXPECT_EQ(pages.currentIndex(), 0u);
  pages.move(0, 9);  // out of range: nothing moves
  EXPECT_EQ(pages.current().state.path, "/s/e.htm");
}

TEST(OpenPages, LeavingAsksOncePerModifiedPageUntilAnAnswerForAllAndStopsAtCancelOrAFailedSave) {
  struct Run {
    std::vector<size_t> asked, saved;
    bool left = false;
  };
  const auto leave = [](std::vector<LeaveAnswer> answers, std::optional<size_t> failingSave = {}) {
    Run run;
    size_t next = 0;
    run.left = leaveEveryPage(
        {0, 2, 3, 5},
        [&](size_t page) {
          run.asked.push_back(page);
          return next < answers.size() ? answers[next++] : LeaveAnswer::Cancel;
        },
        [&](size_t page) {
          run.saved.push_back(page);
          return page != failingSave;
        });
    return run;
  };
  Run run = leave({LeaveAnswer::Save, LeaveAnswer::Discard, LeaveAnswer::Save, LeaveAnswer::Discard});
  EXPECT_TRUE(run.left);
  EXPECT_EQ(run.asked, (std::vector<size_t>{0, 2, 3, 5}));
  EXPECT_EQ(run.saved, (std::vector<size_t>{0, 3}));

  run = leave({LeaveAnswer::Discard, LeaveAnswer::SaveAll});
  EXPECT_TRUE(run.left);
  EXPECT_EQ(run.asked, (std::vector<size_t>{0, 2}));
  EXPECT_EQ(run.saved, (std::vector<size_t>{2, 3, 5}));

  run = leave({LeaveAnswer::Save, LeaveAnswer::DiscardAll});
  EXPECT_TRUE(run.left);
  EXPECT_EQ(run.saved, (std::vector<size_t>{0}));

  run = leave({LeaveAnswer::Save, LeaveAnswer::Save, LeaveAnswer::Cancel});
  EXPECT_FALSE(run.left);
  EXPECT_EQ(run.asked, (std::vector<size_t>{0, 2, 3}));
  EXPECT_EQ(run.saved, (std::vector<size_t>{0, 2}));

  run = leave({LeaveAnswer::SaveAll}, 2);  // a save that fails stops the leaving there
  EXPECT_FALSE(run.left);
  EXPECT_EQ(run.saved, (std::vector<size_t>{0, 2}));
}

TEST(OpenPages, TheStoredListReadsBackAndADamagedOneGivesWhatItCan) {
  StoredPages stored;
  stored.pages = {{"/s/a b.htm", 10}, {"/s/tab\tand%.htm", 0}, {"/s/\xe9t\xe9.htm", 123456789012}};
  stored.current = 2;
  const std::string bytes = storedPagesBytes(stored);
  EXPECT_EQ(bytes.substr(0, bytes.find("\r\n") + 2), "Quillon open pages 1\r\n");
  EXPECT_EQ(bytes.find('\n'), bytes.find('\r') + 1);
  const StoredPages back = readStoredPages(bytes);
  ASSERT_EQ(back.pages.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(back.pages[i].path, stored.pages[i].path);
    EXPECT_EQ(back.pages[i].caret, stored.pages[i].caret);
  }
  EXPECT_EQ(back.current, 2u);

  // Cut inside the last line: that page is left out, and the shown index falls back to the first page.
  const StoredPages cut = readStoredPages(bytes.substr(0, bytes.size() - 6));
  ASSERT_EQ(cut.pages.size(), 2u);
  EXPECT_EQ(cut.current, 0u);
  EXPECT_TRUE(readStoredPages("not a list\r\npage\t0\t/x.htm\r\n").pages.empty());
  const StoredPages odd =
      readStoredPages("Quillon open pages 1\r\ncurrent\t-3\r\npage\tx\t/bad.htm\r\npage\t5\t\r\npage\t7\t/ok.htm\r\n");
  ASSERT_EQ(odd.pages.size(), 1u);
  EXPECT_EQ(odd.pages[0].path, "/ok.htm");
  EXPECT_EQ(odd.current, 0u);
}

}  // namespace
}  // namespace quillon
