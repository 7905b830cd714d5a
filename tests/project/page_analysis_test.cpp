#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "project/page_analysis.h"
#include "project/page_scans.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

void put(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

TEST(PageScans, ImagesPairQuotesInOrder) {
  EXPECT_EQ(
      scanImages("<IMG SRC=\"a/Logo.GIF\"> \"b\\logo.gif\" <img src=\"logo.gif\">\r\n<x y=\"p.png\" z=\"q.JPG\">"),
      (std::vector<std::string>{"logo.gif", "logo.gif", "logo.gif", "q.jpg"}));
  EXPECT_EQ(scanImages("<img src=logo.gif> \"odd.gif"), std::vector<std::string>{});
  EXPECT_EQ(scanImages("\"x\" \"y.gif.txt\" \"a.b/c\""), std::vector<std::string>{});
}

TEST(PageScans, LinksOnlyInTheTwoSpellingsAndDoubleQuotes) {
  EXPECT_EQ(scanLinks("<a href=\"one.htm\">1</a> <A HREF=\"two.htm\">2</A> <a Href=\"three.htm\">3</a>"),
            (std::vector<std::string>{"one.htm", "two.htm"}));
  EXPECT_EQ(scanLinks("<a href='single.htm'>x</a><a href=bare.htm>y</a>"), std::vector<std::string>{});
  // A stray ">" before the tag takes the tag's place: that tag's link is not seen.
  EXPECT_EQ(scanLinks("x > <a href=\"lost.htm\">"), std::vector<std::string>{});
  // Lines are scanned one by one; a tag across two lines is not a link.
  EXPECT_EQ(scanLinks("<a\r\nhref=\"x.htm\">\r\n<a href=\"y.htm\">"), std::vector<std::string>{"y.htm"});
}

// The rules written the slow, plain way: the line changes as tags are consumed and every search starts
// again from its beginning.
std::vector<std::string> modelLinks(std::string_view page) {
  std::vector<std::string> out;
  std::string text(page);
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    for (;;) {
      const size_t l = line.find('<');
      if (l == std::string::npos) break;
      const size_t g = line.find('>');
      if (g == std::string::npos) {
        line[l] = '$';
        continue;
      }
      const size_t lower = line.find("href");
      const size_t upper = line.find("HREF");
      const auto inside = [&](size_t p) { return p != std::string::npos && p > l && p < g; };
      const bool byLower = inside(lower);
      const bool link = byLower || inside(upper);
      if (link) {
        const size_t q1 = line.find('"');
        if (q1 != std::string::npos) {
          const size_t q2 = line.find('"', q1 + 1);
          if (inside(q1) && inside(q2)) out.push_back(line.substr(q1 + 1, q2 - q1 - 1));
          line[q1] = '$';
        }
      }
      for (size_t i = 0; i < g; ++i)
        if (line[i] == '"') line[i] = '$';
      line[l] = '$';
      line[g] = '$';
      if (link) line.replace(byLower ? lower : upper, 4, "\x01\x01\x01\x01");  // kept in place: positions stay
    }
    if (end == text.size()) break;
  }
  return out;
}

TEST(PageScans, LinkScanMatchesThePlainRulesOnRandomTagSoup) {
  const char* pieces[] = {
      "<", ">", "\"", "<a ", "href=", "HREF=", "Href=", "\"x.htm\"", "\"y\"", " ", "text", "\r\n", "'"};
  std::mt19937 random(7);
  for (int trial = 0; trial < 20000; ++trial) {
    std::string page;
    const int count = static_cast<int>(random() % 24);
    for (int i = 0; i < count; ++i) page += pieces[random() % std::size(pieces)];
    ASSERT_EQ(scanLinks(page), modelLinks(page)) << page;
  }
}

TEST(PageScans, OneHugeLineIsScannedOnce) {
  std::string line;
  for (int i = 0; i < 100000; ++i) line += "<a href=\"p" + std::to_string(i) + ".htm\"><img src=\"i.gif\"></a> ";
  EXPECT_EQ(scanLinks(line).size(), 100000u);
  EXPECT_EQ(scanImages(line).size(), 100000u);
  // A quoted text between tags takes the next link tag's first quote: that link is not seen.
  EXPECT_EQ(scanLinks("<a href=\"a.htm\">x</a> \"said\" <a href=\"b.htm\">"), std::vector<std::string>{"a.htm"});
}

TEST(PageAnalysis, LoadTimesAndSizes) {
  EXPECT_EQ(loadSeconds288(37), 9);
  EXPECT_EQ(loadSeconds144(37), 19);
  EXPECT_EQ(loadSeconds288(1), 0);
  EXPECT_EQ(loadSeconds144(1), 0);
  EXPECT_EQ(loadSeconds288(74), 19);
  EXPECT_EQ(loadSeconds288(38), 10);
  EXPECT_EQ(kilobytes(37999), 37);
}

TEST(PageAnalysis, PageSummaryRowAndErrors) {
  testing::TempDir dir;
  put(dir.path() + "Logo.GIF", std::string(2500, 'g'));  // found by its lower-cased name all the same
  put(dir.path() + "page.htm",
      "<img src=\"a/logo.gif\"><img src=\"b/LOGO.gif\">\r\n<img src=\"logo.gif\"><img src=\"gone.jpg\">" +
          std::string(37000, ' '));
  const PageAnalysis a = analysePage("Home", dir.path() + "page.htm", dir.path());
  EXPECT_FALSE(a.unreadable);
  EXPECT_TRUE(a.imageError);
  ASSERT_GE(a.summary.size(), 10u);
  EXPECT_EQ(a.summary[0], "Data For Page: Home");
  EXPECT_EQ(a.summary[2], std::string(35, '='));
  EXPECT_EQ(a.summary[4], "**Cannot access file       " + dir.path() + "gone.jpg");
  EXPECT_EQ(a.summary[6], "2KB       " + dir.path() + "Logo.GIF");
  EXPECT_EQ(a.summary[7].size(), 72u);
  EXPECT_EQ(a.summary[8], "Unique Images: 2   Total File Size of Images: 2KB");
  EXPECT_EQ(a.summary[9], "HTML File Size: 37KB   Total Files to Load: 39KB");
  EXPECT_EQ(a.row, (std::array<std::string, 6>{"Home", "37KB", "2", "**2KB", "10 sec", "20 sec"}));

  const PageAnalysis missing = analysePage("Gone", dir.path() + "none.htm", dir.path());
  EXPECT_TRUE(missing.unreadable);
  EXPECT_EQ(missing.message, "Could not open file \"none.htm\".");
  EXPECT_EQ(missing.row, (std::array<std::string, 6>{"Gone", "ERROR", "", "", "Cannot access file.", ""}));
  EXPECT_TRUE(analysePage("Dir", dir.path(), dir.path()).unreadable);

  // Empty and binary pages are analysed as what they hold; an image folder that does not exist makes every
  // image an error row, never a failure of the page.
  put(dir.path() + "empty.htm", "");
  const PageAnalysis empty = analysePage("Empty", dir.path() + "empty.htm", dir.path());
  EXPECT_FALSE(empty.unreadable);
  EXPECT_EQ(empty.row, (std::array<std::string, 6>{"Empty", "0KB", "0", "0KB", "0 sec", "0 sec"}));
  std::string binary(4096, '\0');
  for (size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 7919 % 256);
  put(dir.path() + "binary.htm", "<img src=\"x.gif\">\r\n" + binary);
  const PageAnalysis odd = analysePage("Binary", dir.path() + "binary.htm", dir.path() + "no-such-folder/");
  EXPECT_FALSE(odd.unreadable);
  EXPECT_TRUE(odd.imageError);
  EXPECT_EQ(odd.row[1], "4KB");
}

TEST(PageAnalysis, ListingsAndFoundLines) {
  const auto links = linkListing({"b.htm", "a.htm", "b.htm"}, "Home", "/w/index.htm");
  EXPECT_EQ(links, (std::vector<std::string>{"URL Link report for page: Home", "HTML File Location:  /W/INDEX.HTM",
                                             "The following HREF links have been found on this page:",
                                             std::string(54, '='), "a.htm", "b.htm"}));
  const auto images = imageListing({}, {false, "", "Gone", "/w/gone.htm"}, "/img/");
  EXPECT_EQ(images,
            (std::vector<std::string>{"Image File Report For Page: Gone", "HTML File Location:  /W/GONE.HTM",
                                      "These are the images included on this web page:", std::string(35, '='), " "}));
  const auto site = imageListing({"b.gif", "a.gif", "a.gif"}, {true, "Site.out", "", ""}, "/img/");
  EXPECT_EQ(site[0], "Image File Report For Site: SITE.OUT");
  EXPECT_EQ(site[3], "/img/a.gif");
  EXPECT_EQ(site.size(), 6u);
  EXPECT_EQ(foundLines("abc\r\nxyz\nxABCx abc\rno", "Abc"), "Line#0, #2");
  EXPECT_FALSE(foundLines("ab\r\nc", "abc"));
  EXPECT_EQ(foundListHeader("12:00", "SITE.OUT", "abc")[2], "SHOW ME WHERE report for Project: SITE");
  EXPECT_EQ(foundLine("/w/Index.htm", true, "Line#0"), "HTML File:  INDEX.HTM   Line#0");
}

}  // namespace
}  // namespace quillon
