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

TEST(EncodingPanel, SaysHowThePageIsReadAndWarnsWhenItsDeclarationDisagrees) {
  EXPECT_EQ(encodingPanelOf("<p>caf\xc3\xa9</p>\r\n", true).text, "UTF-8, CR LF");
  EXPECT_EQ(encodingPanelOf("\xEF\xBB\xBF<p>x</p>\n", true).text, "UTF-8 with BOM, LF");
  EXPECT_EQ(encodingPanelOf("<p>caf\xe9</p>\r\n", false).text, "8-bit (ISO-8859-1), CR LF");

  const EncodingPanel latinAsUtf8 = encodingPanelOf("<meta charset=\"utf-8\"><p>caf\xe9</p>\r\n", false);
  EXPECT_EQ(latinAsUtf8.text, "8-bit (ISO-8859-1), CR LF; declares utf-8!");
  EXPECT_NE(latinAsUtf8.warning.find("not UTF-8"), std::string::npos);
  const EncodingPanel utf8AsLatin = encodingPanelOf("<meta charset=iso-8859-1><p>caf\xc3\xa9</p>", true);
  EXPECT_EQ(utf8AsLatin.text, "UTF-8, no line end; declares iso-8859-1!");
  EXPECT_TRUE(encodingPanelOf("<?xml version=\"1.0\" encoding=\"UTF-8\"?><p>x</p>\n", true).warning.empty());
  // Plain ASCII fits every 8-bit set: no warning.
  EXPECT_TRUE(encodingPanelOf("<meta charset=windows-1252><p>x</p>\n", false).warning.empty());
  EXPECT_EQ(encodingPanelOf("<meta charset=windows-1252><p>x</p>\n", false).reading, "8-bit (ISO-8859-1)");
}

}  // namespace
}  // namespace quillon
