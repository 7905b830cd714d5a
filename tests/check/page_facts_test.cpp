#include "check/page_facts.h"

#include <gtest/gtest.h>

#include "check/css_references.h"
#include "check/reference_target.h"

namespace quillon {
namespace {

std::vector<std::string> urls(const PageFacts& f) {
  std::vector<std::string> out;
  for (const PageReference& r : f.references) out.push_back(r.url);
  return out;
}

TEST(PageFacts, ReadsTrickyMarkupAsABrowserDoes) {
  const std::string page =
      "<!-- <a href=\"commented.html\"> -->\r\n"
      "<script>var s = '<a href=\"scripted.html\">';</script>\r\n"
      "<a href=unquoted.html>u</a><A HREF='a&amp;b.html?x=1&amp;y=2'>e</A>\r\n"
      "<img src=\"i.png\" srcset=\"small.png 1x, data:x,y 2x, big,wide.png 3x\">\r\n"
      "<meta http-equiv=refresh content=\"5; URL='next.html'\">\r\n"
      "<style>p { background: url( 'st\\79 le.png' ) }</style><p style=\"background:url(&quot;q.png&quot;)\">\r\n"
      "<a id=x></a><a name=y></a><p id=x>";
  const PageFacts f = readPageFacts(page);
  EXPECT_EQ(urls(f), (std::vector<std::string>{"unquoted.html", "a&b.html?x=1&y=2", "i.png", "small.png", "data:x,y",
                                               "big,wide.png", "next.html", "style.png", "q.png"}));
  EXPECT_EQ(f.references[1].offset, page.find("a&amp;b"));  // an offset in the page's own bytes
  EXPECT_EQ(f.references[7].offset, page.find("url( 'st"));
  EXPECT_EQ(f.references[2].use, ReferenceUse::Load);
  EXPECT_EQ(f.references[3].use, ReferenceUse::Alternative);
  ASSERT_EQ(f.imagesWithoutAlt.size(), 1u);
  EXPECT_EQ(f.imagesWithoutAlt[0].first, "i.png");
  EXPECT_TRUE(f.targets.count("x") && f.targets.count("y"));
  ASSERT_EQ(f.duplicateIds.size(), 1u);
  EXPECT_EQ(f.duplicateIds[0].offset, page.rfind("x>"));
  EXPECT_EQ(f.duplicateIds[0].first, page.find("x></a>"));

  // An 8-bit page: read as Latin-1, with offsets still in its bytes.
  const std::string latin = "<meta charset=iso-8859-1>caf\xe9 \xe9t\xe9 <a href=\"\xe9.html\">";
  const PageFacts l = readPageFacts(latin);
  ASSERT_EQ(l.references.size(), 1u);
  EXPECT_EQ(l.references[0].url, "\xc3\xa9.html");
  EXPECT_EQ(l.references[0].offset, latin.find("\xe9.html"));
  EXPECT_EQ(l.charset, "iso-8859-1");

  EXPECT_FALSE(readPageFacts(std::string("<p>\0\0", 5)).unparsed.empty());
  std::string deep;
  for (int i = 0; i < 20'000; ++i) deep += "<div>";
  EXPECT_GT(roughNestingDepth(deep, kMaxNestingDepth), kMaxNestingDepth);
  EXPECT_FALSE(readPageFacts(deep).unparsed.empty());
  std::string flat;
  for (int i = 0; i < 20'000; ++i) flat += "<li><p>item<br><img src=x.png>";
  EXPECT_LT(roughNestingDepth(flat, kMaxNestingDepth), 5u);
}

TEST(PageFacts, LinesAndColumnsCountEveryKindOfLineEnd) {
  const LinePositions p("a\r\nbc\nd\re");
  EXPECT_EQ(p.at(0), (std::pair<size_t, size_t>{1, 1}));
  EXPECT_EQ(p.at(4), (std::pair<size_t, size_t>{2, 2}));
  EXPECT_EQ(p.at(6), (std::pair<size_t, size_t>{3, 1}));
  EXPECT_EQ(p.at(8), (std::pair<size_t, size_t>{4, 1}));
}

TEST(ReferenceTarget, ResolvesAsABrowserWould) {
  auto local = [](std::string_view url, std::string_view page = "sub/page.html", std::string_view base = "") {
    const ReferenceTarget t = resolveReference(url, page, base);
    return t.kind == ReferenceTarget::Local ? t.path : "kind " + std::to_string(t.kind);
  };
  EXPECT_EQ(local("other.html"), "sub/other.html");
  EXPECT_EQ(local(" ../a%20b.html?x#y "), "a b.html");
  EXPECT_EQ(local("/top.html"), "top.html");
  EXPECT_EQ(local("img\\x.png"), "sub/img/x.png");
  EXPECT_EQ(local("./a/../b.html"), "sub/b.html");
  EXPECT_EQ(local("x.html", "sub/page.html", "../other/"), "other/x.html");
  EXPECT_EQ(local("x.html", "sub/page.html", "/base/index.html"), "base/x.html");
  EXPECT_EQ(local("../../out.html"), "kind " + std::to_string(ReferenceTarget::Outside));
  EXPECT_EQ(local("mailto:a@b"), "kind " + std::to_string(ReferenceTarget::Other));
  EXPECT_EQ(local("C:\\x.html"), "kind " + std::to_string(ReferenceTarget::Bad));
  EXPECT_EQ(local("a\x01.html"), "kind " + std::to_string(ReferenceTarget::Bad));

  const ReferenceTarget fragment = resolveReference("#caf%C3%A9", "p.html", "");
  EXPECT_TRUE(fragment.path.empty() && !fragment.folder && fragment.hasFragment);
  EXPECT_EQ(fragment.fragment, "caf\xc3\xa9");
  EXPECT_TRUE(resolveReference("docs/", "p.html", "").folder);
  EXPECT_EQ(resolveReference("//h.example/x", "p.html", "").url, "https://h.example/x");
  EXPECT_EQ(resolveReference("x.html", "p.html", "http://h.example/a/b.html").url, "http://h.example/a/x.html");
  EXPECT_EQ(resolveReference("/x.html", "p.html", "http://h.example/a/b.html").url, "http://h.example/x.html");
  EXPECT_EQ(printable("a\x01\x7f"), "a\\x01\\x7F");
}

TEST(CssReferences, FindsUrlsAndImportsButNotComments) {
  const std::string css =
      "@import \"a.css\"; @import url(b.css);\n/* url(no.png) */ p { content: \"url(no2.png)\"; "
      "background: URL( \"c d.png\" ) } q { background: url(e\\(f.png) } x-url(no3.png)";
  const auto refs = cssReferences(css);
  ASSERT_EQ(refs.size(), 4u);
  EXPECT_TRUE(refs[0].import && refs[1].import && !refs[2].import);
  EXPECT_EQ(refs[0].url, "a.css");
  EXPECT_EQ(refs[1].url, "b.css");
  EXPECT_EQ(refs[2].url, "c d.png");
  EXPECT_EQ(refs[2].offset, css.find("URL("));
  EXPECT_EQ(refs[3].url, "e(f.png");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Pages and links a hostile tester made: each once gave a wrong answer or took minutes.
TEST(PageFacts, HoldsAgainstHostileMarkup) {
  std::string comment = "<!-->", unmatched;
  for (int i = 0; i < 20'000; ++i) {
    comment += "<div>";
    unmatched += "<div></x>";
  }
  EXPECT_GT(roughNestingDepth(comment, kMaxNestingDepth), kMaxNestingDepth);
  EXPECT_GT(roughNestingDepth(unmatched, kMaxNestingDepth), kMaxNestingDepth);

  EXPECT_EQ(readPageFacts("<base target=_blank><base href=\"sub/\"><base href=\"no/\">").base, "sub/");
  // Formatting elements the parser reopens are read once.
  const PageFacts rebuilt = readPageFacts("<p><b id=\"bold\"><a href=\"missing.html\">one</p>\n<p>two</p>\n");
  EXPECT_TRUE(rebuilt.duplicateIds.empty());
  EXPECT_EQ(rebuilt.references.size(), 1u);

  const std::string srcset = "<img alt=\"\" srcset=\"a.png 1x,\n  missing.png 2x\">";
  EXPECT_EQ(readPageFacts(srcset).references[1].offset, srcset.find("missing.png"));
  const std::string latin = "<style>/* \xe9\xe9 */ .a{background:url(m.png)}</style>";
  EXPECT_EQ(readPageFacts(latin).references[0].offset, latin.find("url("));
}

TEST(ReferenceTarget, FollowsTheBaseAndRepairsUrlsAsBrowsersDo) {
  EXPECT_EQ(resolveReference("index.html%00.png", "p.html", "").kind, ReferenceTarget::Bad);
  const ReferenceTarget viaBase = resolveReference("#sec", "p.html", "other.html");
  EXPECT_EQ(viaBase.kind, ReferenceTarget::Local);
  EXPECT_EQ(viaBase.path, "other.html");
  EXPECT_EQ(viaBase.fragment, "sec");
  EXPECT_EQ(resolveReference("x.html", "p.html", "//cdn.example.com/lib/").url, "https://cdn.example.com/lib/x.html");
  EXPECT_EQ(resolveReference("#sec", "p.html", "http://h.example/docs/page.html").url,
            "http://h.example/docs/page.html#sec");
  EXPECT_EQ(resolveReference("?q=1", "p.html", "http://h.example/docs/page.html?old").url,
            "http://h.example/docs/page.html?q=1");
  EXPECT_EQ(resolveReference("", "p.html", "http://h.example/docs/page.html").url, "http://h.example/docs/page.html");
  // A base no server could use is left aside: the links still lead from the page's folder.
  EXPECT_TRUE(baseInEffect("file:///C:/site/").empty());
  EXPECT_EQ(resolveReference("missing.html", "d/p.html", "file:///C:/site/").path, "d/missing.html");
  EXPECT_EQ(resolveReference("\\\\h.example\\ok", "p.html", "").url, "https://h.example/ok");
  EXPECT_EQ(resolveReference("http:/h.example/a\\b?x\\y", "p.html", "").url, "http://h.example/a/b?x\\y");
  EXPECT_EQ(resolveReference("#a%20b", "p.html", "").rawFragment, "a%20b");
}

}  // namespace
}  // namespace quillon
