#include "editor/encoding_panel.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(EncodingPanel, NamesLineEndsOfEveryKind) {
  EXPECT_EQ(lineEndsOf("a\r\nb\r\n"), LineEnds::CrLf);
  EXPECT_EQ(lineEndsOf("a\nb\n"), LineEnds::Lf);
  EXPECT_EQ(lineEndsOf("a\rb\r"), LineEnds::Cr);
  EXPECT_EQ(lineEndsOf("one line"), LineEnds::None);
  EXPECT_EQ(lineEndsOf("\na\r\n"), LineEnds::Mixed);  // an LF at the very start has no CR before it
  EXPECT_EQ(lineEndsOf("a\r\nb\rc"), LineEnds::Mixed);
  EXPECT_EQ(lineEndsOf("a\r\nb\r"), LineEnds::Mixed);  // a lone CR at the end
  EXPECT_EQ(lineEndsName(LineEnds::CrLf), "CR LF");
}

EncodingPanel panelOf(std::string_view page) { return encodingPanelOf(page, readingOf(page)); }

TEST(EncodingPanel, SaysHowThePageIsReadAndWarnsWhenItsDeclarationDisagrees) {
  EXPECT_EQ(panelOf("<p>caf\xc3\xa9</p>\r\n").text, "UTF-8, CR LF");
  EXPECT_EQ(panelOf("\xEF\xBB\xBF<p>x</p>\n").text, "UTF-8 with BOM, LF");
  EXPECT_EQ(panelOf("<meta charset=\"iso-8859-1\"><p>caf\xe9</p>\r\n").text, "8-bit (ISO-8859-1), CR LF");
  EXPECT_EQ(panelOf("<meta charset=\"windows-1252\"><p>\x93quoted\x94</p>\r").text, "8-bit (windows-1252), CR");

  const EncodingPanel latinAsUtf8 = panelOf("<meta charset=\"utf-8\"><p>caf\xe9</p>\r\n");
  EXPECT_EQ(latinAsUtf8.text, "8-bit (ISO-8859-1), CR LF; declares utf-8!");
  EXPECT_NE(latinAsUtf8.warning.find("not UTF-8"), std::string::npos);
  EXPECT_EQ(panelOf("<meta charset=iso-8859-1><p>caf\xc3\xa9</p>").text, "UTF-8, no line end; declares iso-8859-1!");
  EXPECT_TRUE(panelOf("<?xml version=\"1.0\" encoding=\"UTF-8\"?><p>x</p>\n").warning.empty());
  // Plain ASCII fits every 8-bit set: no warning.
  EXPECT_TRUE(panelOf("<meta charset=windows-1252><p>x</p>\n").warning.empty());
  EXPECT_EQ(panelOf("<meta charset=windows-1252><p>x</p>\n").reading, "8-bit (windows-1252)");
  // The word in the page's text, a comment or another tag declares nothing.
  EXPECT_TRUE(
      panelOf("<title>charset=iso-8859-1</title><!-- <meta charset=latin1> --><p>caf\xc3\xa9</p>").warning.empty());
  // A page shown in a set other than the one it declares.
  const std::string_view czech = "<meta charset=iso-8859-2><p>\xe8\xe1st</p>";
  EXPECT_NE(encodingPanelOf(czech, *readingNamed(czech, "windows-1251")).warning.find("shown as windows-1251"),
            std::string::npos);
}

}  // namespace
}  // namespace quillon
