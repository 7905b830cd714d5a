// The parser's input with long runs of text cut short: every fact of a page is what the whole page gives,
// however markup, quotes, comments, raw text and foreign content surround the runs.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "check/page_facts.h"
#include "check/parser_input.h"

namespace quillon {
namespace {

const std::string kWords =
    "Words of a paragraph, with commas; colons: (brackets) and a question? in them, as pages are written ";

std::string dump(const PageFacts& f) {
  std::ostringstream out;
  for (const PageReference& r : f.references)
    out << "ref " << r.url << " @" << r.offset << " use " << static_cast<int>(r.use) << " " << r.element << "\n";
  for (const auto& [id, at] : f.targets) out << "target " << id << " @" << at << "\n";
  for (const auto& d : f.duplicateIds) out << "dup " << d.id << " @" << d.offset << " first " << d.first << "\n";
  for (const auto& [src, at] : f.imagesWithoutAlt) out << "noalt " << src << " @" << at << "\n";
  out << "base " << f.base << " @" << f.baseOffset << "\ncharset " << f.charset << " @" << f.charsetOffset
      << "\nunparsed " << f.unparsed << "\n";
  return out.str();
}

TEST(ParserInput, CutsLongTextAndMapsOffsetsBackToThePage) {
  const std::string page = "<html><body><p>" + kWords + kWords + "</p>\r\n<a href=\"next.html#part\">" + kWords +
                           "</a><img src=\"pic.png\"></body></html>";
  const ParserInput input(page, true);
  ASSERT_TRUE(input.shortened());
  EXPECT_LT(input.text().size(), page.size() - 3 * kWords.size() + 16);
  const size_t inText = input.text().find("next.html");
  ASSERT_NE(inText, std::string_view::npos);
  EXPECT_EQ(input.pageOffset(inText), page.find("next.html"));
  EXPECT_EQ(input.pageOffset(input.text().size()), page.size());

  const PageFacts facts = readPageFacts(page);
  ASSERT_EQ(facts.references.size(), 2u);
  EXPECT_EQ(facts.references[0].offset, page.find("next.html"));
  EXPECT_EQ(facts.references[1].offset, page.find("pic.png"));
  EXPECT_EQ(dump(facts), dump(readPageFacts(page, false)));

  // Style elements keep their text, whatever it holds; short runs are left whole.
  const std::string styled = "<style>p>x { color: red }" + kWords + "</style><p>short</p>";
  EXPECT_FALSE(ParserInput(styled, true).shortened());
  // An 8-bit page: widened for the parser, cut, and mapped back through both.
  const std::string latin = "<p>caf\xe9 " + kWords + "</p><a href=\"\xe9t\xe9.html\">x</a>";
  const ParserInput widened(latin, true);
  EXPECT_TRUE(widened.shortened());
  const PageFacts latinFacts = readPageFacts(latin);
  ASSERT_EQ(latinFacts.references.size(), 1u);
  EXPECT_EQ(latinFacts.references[0].offset, latin.find("\xe9t\xe9"));
}

TEST(ParserInput, FactsAreThoseOfTheWholePageWhereverRunsFall) {
  const std::string w = kWords + kWords;
  // Runs after a '>' in text, in attribute values (quoted and not), comments, raw text, RCDATA, foreign
  // content, CDATA, bogus comments, tables (foster parenting), second body tags (merged attributes), end
  // tags with attributes, and at the end of the page.
  const std::vector<std::string> pieces = {
      "<p>" + w + "</p>",
      "<a href=\"a.html#x\">" + w + "</a>",
      "<img alt=\"title>" + w + "\" src=\"i.png\">",
      "<div title='>" + w + "' id=\"d1\">x</div>",
      "<div title=>" + w + " id=d2>y</div>",
      "<style>p { background: url(bg.png) }>" + w + " @import url(s.css);</style>",
      "<style>a{color:red}</styleX>{}" + w + " body { background: url(n.png) }</style>",
      "<script>if (a<b) { s = \">" + w + "\"; }</script>",
      "<script>var x = 1;>" + w + "</script>",
      "<!-- >" + w + " -->",
      "<!-- <a href=\"in-comment.html\"> -->",
      "<textarea>>" + w + "</textarea>",
      "<title>>" + w + "</title>",
      "<table>>" + w + "<tr><td background=\"t.png\">c</td></tr></table>",
      "<body background=\"b.png\" id=\"b2\">",
      "<body style=\"x>" + w + " background: url(m.png)\">",
      "<svg><style>>" + w + "</style><a href=\"s.html\">s</a></svg>",
      "<svg><![CDATA[>" + w + "]]><image href=\"v.png\"/></svg>",
      "<![CDATA[>" + w + "]]>",
      "<?php >" + w + "?>",
      "<pre>\n" + w + "</pre>",
      "<select>>" + w + "<option id=\"o1\">o</option></select>",
      "<a name=\"n1\">>" + w + "</a>",
      "<meta charset=\"utf-8\">",
      "<base href=\"sub/\">",
      "<meta http-equiv=\"refresh\" content=\"5; url=next.html\">",
      "<img src=\"z.png\">",
      "<p id=\"dup\">d</p>",
      "</x title=\">" + w + "\">",
      "<p title=\"a > b\">>" + w + "<a href=\"after.html\">after</a></p>",
      "<p>caf\xc3\xa9 \xf0\x9f\x98\x80 " + w + "</p>",
      "<p>\r\n" + w + "\r\n</p>\r\n",
      "<frameset>>" + w + "<frame src=\"f.html\"></frameset>",
      "<noscript>>" + w + "<img src=\"ns.png\"></noscript>",
      "<template>>" + w + "<img src=\"tpl.png\" alt=\"\"></template>",
      "<a href=\"u.html\">>   " + w + "</a>",
      "<plaintext>>" + w,
  };
  std::mt19937 random(20261211);
  int shortened = 0;
  for (int round = 0; round < 600; ++round) {
    std::string page = round % 3 == 0 ? "<!DOCTYPE html>\r\n" : "";
    const int count = 1 + static_cast<int>(random() % 10);
    for (int i = 0; i < count; ++i) page += pieces[random() % pieces.size()];
    if (round % 7 == 0) page += "\xe9";  // not UTF-8: read as 8-bit
    if (ParserInput(page, true).shortened()) ++shortened;
    ASSERT_EQ(dump(readPageFacts(page)), dump(readPageFacts(page, false))) << page;
  }
  EXPECT_GT(shortened, 400);
}

}  // namespace
}  // namespace quillon
