#include "editor/custom_tags.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(CustomTags, AppliedAroundTheSelectionWithTheirEndTag) {
  const std::string text = "Big Sale now";
  const Insertion in = applyCustomTag({text, 4, 4}, "Big red * <FONT SIZE=+2 COLOR=RED></FONT>");
  EXPECT_EQ(in.text, "<FONT SIZE=+2 COLOR=RED>Sale</FONT>");
  EXPECT_EQ(in.start, 4u);
  EXPECT_EQ(in.removeLength, 4u);
  EXPECT_EQ(in.selStart, 4u);
  EXPECT_EQ(in.selLength, in.text.size());
  EXPECT_EQ(applyCustomTag({text, 0, 0}, "Rule * <HR>").text, "<HR>");
  EXPECT_EQ(applyCustomTag({text, 0, 3}, "Open * <B>").text, "<B>Big");  // no end tag: the text follows
  EXPECT_EQ(customTagEntry("Big red", "<FONT>", "</FONT>"), "Big red * <FONT></FONT>");
}

TEST(CustomTags, NameChecksAndTypingRules) {
  EXPECT_EQ(customTagNameProblem(""), "You must supply a NAME for this tag.");
  EXPECT_EQ(customTagNameProblem(" x"), "The NAME may not start with a blank space.");
  EXPECT_EQ(customTagNameProblem("a<b"),
            "The NAME cannot contain any asterisk(*), \"<\", or \">\" characters. Please fix.");
  EXPECT_EQ(customTagNameProblem("Big red"), "");
  const TypedTag b = completeStartTag("B");
  EXPECT_EQ(b.text, "<B>");
  EXPECT_EQ(b.caret, 2u);
  EXPECT_EQ(b.endTag, "</B>");
  EXPECT_EQ(completeStartTag("<FONT SIZE=2").endTag, "</FONT SIZE=2>");
  EXPECT_EQ(completeEndTag("B").text, "</B>");
  EXPECT_EQ(completeEndTag("<B>").text, "</B>");
  std::vector<std::string> names = {"Zeta * <Z>", "alpha * <A>", "Beta * <B>"};
  sortCaseBlind(names);
  EXPECT_EQ(names, (std::vector<std::string>{"alpha * <A>", "Beta * <B>", "Zeta * <Z>"}));
}

}  // namespace
}  // namespace quillon
