#include "app/html_extensions.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

TEST(HtmlExtensions, DefaultsWhenTheFileIsMissing) {
  testing::TempDir dir;
  const auto exts = readHtmlExtensions(dir.path() + "htmlext.dat");
  EXPECT_EQ(exts, (std::vector<std::string>{"html", "htm", "shtml", "shtm", "asp"}));
  EXPECT_EQ(openDialogFilter(htmlMaskList(exts)),
            "HTML Files|*.html;*.htm;*.shtml;*.shtm;*.asp|Project Files|*.out|EXE Files|*.exe|All Files|*.*");
  EXPECT_EQ(filesTabFilter(htmlMaskList(exts)),
            "All Files|*.*|Image Files|*.jpg;*.gif|HTML Files|*.html;*.htm;*.shtml;*.shtm;*.asp|All Web "
            "Files|*.jpg;*.gif;*.html;*.htm;*.shtml;*.shtm;*.asp");
}

TEST(HtmlExtensions, OnlyTheFirstFifteenLinesCount) {
  testing::TempDir dir;
  std::string data;
  for (int i = 1; i <= 20; ++i) data += "e" + std::to_string(i) + "\r\n";
  ASSERT_TRUE(writeFileAtomic(dir.path() + "htmlext.dat", data).ok);
  const auto exts = readHtmlExtensions(dir.path() + "htmlext.dat");
  ASSERT_EQ(exts.size(), 15u);
  EXPECT_EQ(exts.back(), "e15");
  const std::string mask = htmlMaskList(exts);
  EXPECT_NE(mask.find("*.e15"), std::string::npos);
  EXPECT_EQ(mask.find("*.e16"), std::string::npos);
  EXPECT_EQ(mask.back(), '5');  // no trailing ';'
}

}  // namespace
}  // namespace quillon
