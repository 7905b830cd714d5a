#include "publish/upload_names.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(UploadNames, OnlySlashSeparatesAndClashingNamesAreNamed) {
  EXPECT_EQ(uploadName("/site/news/index.html"), "index.html");
  EXPECT_EQ(uploadName("/site/a\\b.html"), "a\\b.html") << "a backslash is part of the name here";
  EXPECT_EQ(uploadName("plain.html"), "plain.html");

  EXPECT_FALSE(uploadNameClashes({"/s/index.html", "/s/about.html", "/s/index.html"}))
      << "the same file listed twice sends one name";
  const auto said = uploadNameClashes({"/s/index.html", "/s/news/index.html", "/s/a.gif", "/s/img/a.gif"});
  ASSERT_TRUE(said);
  EXPECT_NE(said->find("/s/index.html and /s/news/index.html as \"index.html\""), std::string::npos) << *said;
  EXPECT_NE(said->find("/s/a.gif and /s/img/a.gif as \"a.gif\""), std::string::npos) << *said;
  EXPECT_NE(said->find("Nothing was sent."), std::string::npos);
}

}  // namespace
}  // namespace quillon
