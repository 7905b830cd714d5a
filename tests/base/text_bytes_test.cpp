#include "base/text_bytes.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(TextBytes, SplitsAtEveryKindOfLineEnd) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n"), (std::vector<std::string>{"a"}));
  EXPECT_EQ(splitLines("a\n\nb"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(splitLines("\r\r\n"), (std::vector<std::string>{"", ""}));  // CR, then CR LF
  EXPECT_TRUE(splitLines("").empty());
  EXPECT_EQ(splitLines(std::string("x\0y", 3)), (std::vector<std::string>{std::string("x\0y", 3)}));
}

TEST(TextBytes, JoinEndsEveryLineWithCrLf) {
  EXPECT_EQ(joinCrLf({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(joinCrLf({}), "");
}

TEST(TextBytes, CaseChangesOnlyAsciiLetters) {
  EXPECT_EQ(upperAscii("abc\xe9z[]{}"), "ABC\xe9Z[]{}");
  EXPECT_EQ(lowerAscii("ABC\xc9Z@"), "abc\xc9z@");
  EXPECT_TRUE(equalsIgnoringAsciiCase("Tags", "TAGS"));
  EXPECT_FALSE(equalsIgnoringAsciiCase("\xe9", "\xc9"));
  EXPECT_FALSE(equalsIgnoringAsciiCase("ab", "abc"));
}

TEST(TextBytes, CaseBlindOrderIsTotal) {
  EXPECT_TRUE(lessIgnoringAsciiCase("apple", "Banana"));
  EXPECT_TRUE(lessIgnoringAsciiCase("A", "a"));  // ties broken by bytes
  EXPECT_FALSE(lessIgnoringAsciiCase("a", "A"));
  EXPECT_TRUE(lessIgnoringAsciiCase("ab", "abc"));
}

TEST(TextBytes, Utf8Validation) {
  EXPECT_TRUE(isValidUtf8("plain ascii that is longer than eight bytes"));
  EXPECT_TRUE(isValidUtf8("caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80"));
  EXPECT_FALSE(isValidUtf8("caf\xe9"));                   // Latin-1
  EXPECT_FALSE(isValidUtf8("\xc0\xaf"));                  // overlong
  EXPECT_FALSE(isValidUtf8("\xed\xa0\x80"));              // surrogate
  EXPECT_FALSE(isValidUtf8("\xe2\x82"));                  // truncated
  EXPECT_FALSE(isValidUtf8("12345678\xf4\x90\x80\x80"));  // above U+10FFFF after the fast path
  EXPECT_TRUE(isValidUtf8(std::string("\0\0", 2)));
}

TEST(TextBytes, PathPartsAcceptBothSeparators) {
  EXPECT_EQ(fileNamePart("c:\\site\\index.htm"), "index.htm");
  EXPECT_EQ(folderPart("c:\\site\\index.htm"), "c:\\site\\");
  EXPECT_EQ(fileNamePart("/home/u/a.html"), "a.html");
  EXPECT_EQ(folderPart("/home/u/a.html"), "/home/u/");
  EXPECT_EQ(folderPart("name"), "");
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(Utf8Validator, AgreesWithTheWholeTextCheckForEverySplit) {
  const std::vector<std::string> samples = {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 end",
                                            "caf\xe9",
                                            "\xe2\x82",
                                            "ok\xc3",
                                            "\xf0\x9f\x98\x80",
                                            "\xed\xa0\x80",
                                            "ascii only",
                                            "",
                                            "\xc3\xa9\xc3"};
  for (const auto& s : samples) {
    for (size_t a = 0; a <= s.size(); ++a) {
      for (size_t b = a; b <= s.size(); ++b) {
        Utf8Validator v;
        v.feed(std::string_view(s).substr(0, a));
        v.feed(std::string_view(s).substr(a, b - a));
        v.feed(std::string_view(s).substr(b));
        EXPECT_EQ(v.finish(), isValidUtf8(s)) << "split " << a << "," << b << " of sample " << s;
      }
    }
  }
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(TextBytes, DialogTextGoesIntoADocumentInItsOwnEncoding) {
  const std::string text = "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80 <B>";  // café € 😀 <B>
  EXPECT_EQ(toDocumentEncoding(text, true), text);
  EXPECT_EQ(toDocumentEncoding(text, false), "caf\xe9 &#8364; &#128512; <B>");
  EXPECT_EQ(toDocumentEncoding("plain", false), "plain");
  // Already 8-bit bytes (copied out of a Latin-1 page): passed unchanged.
  EXPECT_EQ(toDocumentEncoding("Z\xfcrich", false), "Z\xfcrich");
}

TEST(TextBytes, EightBitPageTextSurvivesTheTripThroughADialog) {
  // Latin-1 bytes that happen to look like UTF-8 ("\xc3\xa9") come back as the same two bytes.
  for (const std::string page : {std::string("a\xc3\xa9 Z\xfcrich\r\n"), std::string("\xff\x80 plain")}) {
    const std::string utf8 = fromDocumentEncoding(page, false);
    EXPECT_TRUE(isValidUtf8(utf8));
    EXPECT_EQ(toDocumentEncoding("<X>" + utf8, false), "<X>" + page);
  }
  EXPECT_EQ(fromDocumentEncoding("caf\xc3\xa9", true), "caf\xc3\xa9");
}

}  // namespace
}  // namespace quillon
