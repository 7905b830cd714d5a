#include "editor/insertion.h"

#include <gtest/gtest.h>

#include "editor/document_session.h"

namespace quillon {
namespace {

EditState at(std::string text, size_t start, size_t length) { return {std::move(text), start, length}; }
EditState run(const EditState& s, const Insertion& in) { return applyInsertion(s, in); }

TEST(Insertion, WrapModeSelectsTheResult) {
  const EditState s = at("0123456789word rest", 10, 4);
  EXPECT_EQ(run(s, wrapSelection(s, "<B>", "</B>")), at("0123456789<B>word</B> rest", 10, 11));
  EXPECT_EQ(run(s, wrapSelection(s, "<STRONG>", "</STRONG>")).selLength, 21u);
  const EditState empty = at("ab", 1, 0);
  EXPECT_EQ(run(empty, wrapSelection(empty, "<B>", "</B>")), at("a<B></B>b", 1, 7));
}

TEST(Insertion, PointModeLeavesTheSelectionInPlace) {
  const EditState s = at("01234abcxyz", 5, 3);
  EXPECT_EQ(run(s, insertTag(s, "<P>")), at("01234<P>abcxyz", 8, 0));
  EXPECT_EQ(run(s, insertTag(s, "<BR>")), at("01234abc<BR>xyz", 12, 0));
  EXPECT_TRUE(isPointText("&#190;"));
  EXPECT_FALSE(isPointText("<p>"));  // whole and case-sensitive
}

TEST(Insertion, MailToAndCommentCarets) {
  const EditState me = at("me", 0, 2);
  EXPECT_EQ(run(me, wrapSelection(me, "<A HREF=\"mailto:NAME\">", "</A>", CaretRule::BeforeLastFour)),
            at("<A HREF=\"mailto:NAME\">me</A>", 24, 0));
  const EditState x = at("x", 0, 1);
  EXPECT_EQ(run(x, comment(x)), at("<!-- x -->", 6, 0));
  const EditState none = at("", 0, 0);
  EXPECT_EQ(run(none, comment(none)), at("<!--  -->", 4, 0));
}

TEST(Insertion, WrapLinesRules) {
  const EditState ol = at("a\r\nb\r\n", 0, 6);
  EXPECT_EQ(run(ol, wrapLinesInTag(ol, "OL", "")).text, "<OL>\r\n   <LI>a\r\n   <LI>b\r\n</OL>\r\n");
  const EditState dl = at("a", 0, 1);
  EXPECT_EQ(run(dl, wrapLinesInTag(dl, "DL", "")).text, "<DL>\r\na\r\n</DL>");
  const EditState ul = at("one\r\ntwo", 0, 8);
  EXPECT_EQ(run(ul, wrapLinesInTag(ul, "UL", "")).text, "<UL>\r\n   <LI>one\r\n   <LI>two\r\n</UL>");
  const EditState none = at("xy", 1, 0);
  const EditState framed = run(none, wrapLinesInTag(none, "UL", ""));
  EXPECT_EQ(framed.text, "x<UL>\r\n</UL>\r\ny");
  EXPECT_EQ(framed.selStart, 14u);
  const EditState n = at("", 0, 0);
  EXPECT_EQ(run(n, wrapLinesInTag(n, "NEW", DocumentSession::newFileTemplate())).text,
            DocumentSession::newFileTemplate());
}

TEST(Insertion, TableGrids) {
  EXPECT_EQ(tableGridText(1, 2), "<TABLE>\r\n<TR>\r\n    <TD></TD>\r\n    <TD></TD>\r\n</TR>\r\n</TABLE>\r\n");
  const std::string big = tableGridText(5, 5);
  size_t lines = 0;
  for (char c : big) lines += c == '\n';
  EXPECT_EQ(lines, 37u);
  const EditState s = at("keep", 1, 2);
  const EditState after = run(s, insertTableGrid(s, 1, 1));
  EXPECT_EQ(after.text, "k" + tableGridText(1, 1) + "eep");  // the selected text stays after the grid
  EXPECT_EQ(after.selStart, 1 + tableGridText(1, 1).size());
}

TEST(Insertion, ColourDateAndFileTexts) {
  EXPECT_EQ(colourPickerText(255 | (128 << 8)), "\"#FF8000\"");
  EXPECT_EQ(colourPickerText(255 | (128 << 8)).size(), 9u);
  std::tm t{};
  t.tm_year = 126;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_hour = 1;
  t.tm_min = 23;
  EXPECT_EQ(lastModifiedComment(t, "Monday", "Dec"), "<!--Last Modified: Monday, Dec 7, 2026, at 01:23 AM-->");
  t.tm_hour = 12;
  EXPECT_NE(lastModifiedComment(t, "Monday", "Dec").find("at 12:23 PM"), std::string::npos);
  t.tm_hour = 0;
  EXPECT_NE(lastModifiedComment(t, "Monday", "Dec").find("at 12:23 AM"), std::string::npos);
  EXPECT_TRUE(isLinkableImage("Logo.GIF"));
  EXPECT_FALSE(isLinkableImage("photo.jpeg"));
  EXPECT_FALSE(isLinkableImage("page.htm"));
  EXPECT_EQ(linkText("page.htm"), "<A HREF=\"page.htm\"></A>");
  EXPECT_EQ(imageText("Logo.GIF", 88, 31), "<IMG WIDTH=88 HEIGHT=31 SRC=\"Logo.GIF\">");
}

}  // namespace
}  // namespace quillon

#include "editor/page_encoding.h"

namespace quillon {
namespace {

TEST(PageEncoding, AnEightBitCharsetIsReadFromTheHead) {
  EXPECT_TRUE(declaresEightBitCharset("<meta charset=\"iso-8859-1\">"));
  EXPECT_TRUE(declaresEightBitCharset("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=ISO-8859-1\">"));
  EXPECT_TRUE(declaresEightBitCharset("<meta charset=windows-1252>"));
  EXPECT_FALSE(declaresEightBitCharset("<meta charset=\"utf-8\">"));
  EXPECT_FALSE(declaresEightBitCharset("<p>no declaration</p>"));
  EXPECT_FALSE(declaresEightBitCharset(std::string(9000, ' ') + "<meta charset=latin1>"));  // past the head
  EXPECT_TRUE(declaresEightBitCharset("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<p>x</p>"));
  EXPECT_FALSE(declaresEightBitCharset("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
  // How the window reads a page: ASCII is 8-bit only when it says so; other valid UTF-8 is UTF-8.
  EXPECT_FALSE(readAsUtf8("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>plain"));
  EXPECT_TRUE(readAsUtf8("plain"));
  EXPECT_TRUE(readAsUtf8("<meta charset=latin1>caf\xc3\xa9"));
  EXPECT_FALSE(readAsUtf8("caf\xe9"));
}

}  // namespace
}  // namespace quillon
