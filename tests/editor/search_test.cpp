#include "editor/search.h"

#include <gtest/gtest.h>
#include <random>

#include "base/text_bytes.h"

namespace quillon {
namespace {

std::vector<size_t> allMatches(SearchState& s) {
  std::vector<size_t> out;
  while (auto p = s.findNext()) out.push_back(*p);
  return out;
}

TEST(Search, OverlappingMatchesAndCase) {
  SearchState s;
  s.start("aaaa", "aa", true);
  EXPECT_EQ(allMatches(s), (std::vector<size_t>{0, 1, 2}));
  EXPECT_FALSE(s.findNext());  // a failed search stays failed
  s.start("abc ABC aBc", "abc", false);
  EXPECT_EQ(allMatches(s), (std::vector<size_t>{0, 4, 8}));
  s.start("abc ABC aBc", "abc", true);
  EXPECT_EQ(allMatches(s), (std::vector<size_t>{0}));
  s.start("\xe9\xc9", "\xe9", false);  // only A-Z change case
  EXPECT_EQ(allMatches(s), (std::vector<size_t>{0}));
  s.start("anything", "", false);
  EXPECT_FALSE(s.active());
  EXPECT_FALSE(s.findNext());
}

TEST(Search, GoesOnInItsSnapshotAndSkipsReplacements) {
  SearchState s;
  s.start("abc abc", "abc", true);
  EXPECT_EQ(s.findNext(), 0u);
  // The document changes (text typed elsewhere): the search still sees the old text.
  EXPECT_EQ(s.findNext(), 4u);
  s.start("a a", "a", true);
  EXPECT_EQ(s.findNext(), 0u);
  s.replaced("aa a", 2, true);  // "a" -> "aa" at 0: next search from 2
  EXPECT_EQ(s.findNext(), 3u);
  SearchState failed;
  failed.start("x", "y", true);
  EXPECT_FALSE(failed.findNext());
  failed.replaced("y", 1, true);  // Replace after a failure: still failed
  EXPECT_FALSE(failed.findNext());
}

// Replacing one match at a time with a new snapshot each, as the dialog's loop does.
ReplaceAllResult oneAtATime(std::string text, const std::string& find, const std::string& repl, bool matchCase) {
  ReplaceAllResult r;
  SearchState s;
  s.start(text, find, matchCase);
  while (auto p = s.findNext()) {
    text.replace(*p, find.size(), repl);
    s.replaced(text, repl.size(), matchCase);
    ++r.count;
  }
  r.text = text;
  return r;
}

TEST(ReplaceAll, EdgeCases) {
  EXPECT_EQ(replaceAll("aaa", "a", "aa", true).text, "aaaaaa");
  EXPECT_EQ(replaceAll("axbxxc", "x", "", true).text, "abc");
  EXPECT_EQ(replaceAll("axbxxc", "x", "", true).count, 3u);
  EXPECT_EQ(replaceAll("AbC abc", "abc", "z", false).text, "z z");
  EXPECT_EQ(replaceAll("c:\\a\\b", "\\", "/", true).text, "c:/a/b");
  EXPECT_EQ(replaceAll("no slash", "\\", "/", true).count, 0u);
  EXPECT_EQ(replaceAll("abc", "", "x", true).text, "abc");
}

TEST(ReplaceAll, SameResultAsOneMatchAtATime) {
  std::mt19937 random(42);
  const char alphabet[] = "aAbB\\/x";
  auto word = [&](size_t maxLen, size_t minLen) {
    std::string s(minLen + random() % (maxLen - minLen + 1), ' ');
    for (char& c : s) c = alphabet[random() % 7];
    return s;
  };
  for (int i = 0; i < 5000; ++i) {
    const std::string text = word(30, 0), find = word(3, 1), repl = word(4, 0);
    const bool matchCase = random() % 2;
    const ReplaceAllResult fast = replaceAll(text, find, repl, matchCase);
    const ReplaceAllResult slow = oneAtATime(text, find, repl, matchCase);
    ASSERT_EQ(fast.text, slow.text) << text << " / " << find << " / " << repl << " / " << matchCase;
    ASSERT_EQ(fast.count, slow.count);
  }
}

TEST(SlashesInTags, OnlyInsideQuotedValuesOfTags) {
  const std::string line = "<a href=\"dir\\page.htm\">x\\y</a>";
  EXPECT_EQ(slashesInTags(line), (std::vector<size_t>{12}));
  EXPECT_TRUE(slashesInTags("<img src=dir\\a.gif>").empty());
  EXPECT_TRUE(slashesInTags("say \"a\\b\" <br>").empty());
  EXPECT_EQ(slashesInTags("<a href=\"a\\b\" x=\"c\\d\\e\"><img src=\"f\\g\">").size(), 4u);
  EXPECT_TRUE(slashesInTags("<a href=\"un\\paired>").empty());
  EXPECT_TRUE(slashesInTags("<b>ok</b> <a href=\"x\\y\"").empty());  // a tag left open ends the line
  EXPECT_TRUE(slashesInTags("> \"a\\b\" <").empty());                // a ">" before the "<"
}

// The plain reading: search the working line afresh for every tag, marking what was used.
std::vector<size_t> slashesModel(std::string_view line) {
  std::vector<size_t> found;
  std::string w(line);
  for (;;) {
    const size_t a = w.find('<');
    const size_t b = w.find('>');
    if (a == std::string::npos || b == std::string::npos) break;
    std::vector<size_t> used;
    size_t open = std::string::npos;
    for (size_t i = a + 1; i < b; ++i) {
      if (w[i] != '"') continue;
      if (open == std::string::npos) {
        open = i;
        continue;
      }
      for (size_t k = open + 1; k < i; ++k)
        if (w[k] == '\\') {
          found.push_back(k);
          w[k] = '/';
        }
      used.push_back(open);
      used.push_back(i);
      open = std::string::npos;
    }
    if (b + 1 == w.size()) break;
    w[a] = w[b] = '$';
    for (size_t q : used) w[q] = '$';
  }
  return found;
}

TEST(SlashesInTags, AgreesWithTheWorkingLineReadingOnTagSoup) {
  std::mt19937 random(2026);
  const char pieces[] = {'<', '>', '"', '\\', 'a', ' ', '='};
  for (int round = 0; round < 20000; ++round) {
    std::string line(random() % 40, ' ');
    for (char& c : line) c = pieces[random() % sizeof pieces];
    ASSERT_EQ(slashesInTags(line), slashesModel(line)) << line;
  }
}

TEST(SlashesInTags, OneHugeLineIsReadInOnePass) {
  // 200,000 tags on one line, and brackets nested 100,000 deep around quoted backslashes: searching again
  // from the start of the line for every tag would take minutes here.
  std::string tags;
  for (int i = 0; i < 200000; ++i) tags += "<a href=\"d\\p.htm\">";
  EXPECT_EQ(slashesInTags(tags).size(), 200000u);
  const std::string nested = std::string(100000, '<') + "\"x\\y\"" + std::string(100000, '>') + " ";
  EXPECT_EQ(slashesInTags(nested), (std::vector<size_t>{100002}));
}

TEST(Search, NotFoundMessageQuotesTheText) { EXPECT_EQ(notFoundMessage("abc"), "\"abc\" not found"); }

}  // namespace
}  // namespace quillon
