#include "editor/line_diff.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(LineDiff, ShowsChangedLinesWithTheirContext) {
  EXPECT_EQ(lineDifferences("a\r\nb\r\n", "a\nb\n"), "");  // line ends alone are no difference
  EXPECT_EQ(lineDifferences("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n", "1\r\n2\r\n3\r\nfour\r\n5\r\n6\r\n", 1),
            "@@ line 3\r\n  3\r\n- 4\r\n+ four\r\n  5\r\n");
  EXPECT_EQ(lineDifferences("a\r\n", "a\r\nb\r\n", 2), "@@ line 1\r\n  a\r\n+ b\r\n");
  EXPECT_EQ(lineDifferences("a\r\nb\r\nc\r\n", "c\r\n", 0), "@@ line 1\r\n- a\r\n- b\r\n");
  // Two runs far apart are shown apart, each at its own line.
  std::string before, after;
  for (int i = 1; i <= 20; ++i) {
    before += std::to_string(i) + "\r\n";
    after += (i == 2 || i == 18 ? "x" : std::to_string(i)) + "\r\n";
  }
  EXPECT_EQ(lineDifferences(before, after, 1),
            "@@ line 1\r\n  1\r\n- 2\r\n+ x\r\n  3\r\n@@ line 17\r\n  17\r\n- 18\r\n+ x\r\n  19\r\n");
}

}  // namespace
}  // namespace quillon
