#include <gtest/gtest.h>

#include "script.h"
#include "transcript.h"

namespace quillon::drive {
namespace {

TEST(DriveScript, WordsQuotedStringsAndEscapes) {
  std::vector<std::string> words;
  std::string error;
  ASSERT_TRUE(splitArguments(R"(answer Yes "Save \"x\"?\r\n\t\\ \x41\x00")", words, error));
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[2], std::string("Save \"x\"?\r\n\t\\ A\0", 16));
  words.clear();
  ASSERT_TRUE(splitArguments("type \"\"", words, error));
  EXPECT_EQ(words, (std::vector<std::string>{"type", ""}));
  for (const char* bad : {R"(type "open)", R"(type "\q")", R"(type "\x4")", R"(type "a"b)"}) {
    words.clear();
    EXPECT_FALSE(splitArguments(bad, words, error)) << bad;
  }
}

TEST(DriveScript, BlocksCommentsAndLineNumbers) {
  const ParseResult r = parseScript(
      "# comment\r\n\r\ndialog TFormTable\n  set SpinRows 3\n  click BitBtnInsert\nend\ncommand N2C3Click\n");
  ASSERT_FALSE(r.error);
  ASSERT_EQ(r.directives.size(), 2u);
  EXPECT_EQ(r.directives[0].name, "dialog");
  EXPECT_EQ(r.directives[0].line, 3);
  ASSERT_EQ(r.directives[0].body.size(), 2u);
  EXPECT_EQ(r.directives[0].body[1].line, 5);
  EXPECT_EQ(r.directives[1].args, (std::vector<std::string>{"N2C3Click"}));
  EXPECT_EQ(r.directives[1].line, 7);
}

TEST(DriveScript, MalformedBlocksAreReportedAtTheirLine) {
  EXPECT_EQ(parseScript("dump\nend\n").error->first, 2);
  EXPECT_EQ(parseScript("window FindDialog1\nclick ButtonFindNext\n").error->first, 1);
  EXPECT_EQ(parseScript("dialog A\ndialog B\nend\n").error->first, 2);
}

TEST(DriveTranscript, JsonStringsKeepValidUtf8AndEscapeEveryOtherByte) {
  EXPECT_EQ(jsonString("a\"b\\c\r\n\t"), R"("a\"b\\c\r\n\t")");
  EXPECT_EQ(jsonString(std::string("\0\x1f\x7f", 3)), R"("\u0000\u001F\u007F")");
  EXPECT_EQ(jsonString("caf\xc3\xa9"), "\"caf\xc3\xa9\"");
  EXPECT_EQ(jsonString("caf\xe9\xff"), R"("caf\u00E9\u00FF")");
  EXPECT_EQ(jsonString("\xe2\x82"), R"("\u00E2\u0082")");  // a truncated sequence is bytes
}

}  // namespace
}  // namespace quillon::drive
