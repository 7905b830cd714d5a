#include "app/window_caption.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(WindowCaption, ThePageAndItsUnsavedChangesFollowTheProgramsCaption) {
  const std::string program = "Brindle Quillon Pro";
  const std::string project = "Brindle Quillon Pro:  /p/site.out";
  EXPECT_EQ(windowCaption(program, "/prog/new.html", true, false), program);
  EXPECT_EQ(windowCaption(program, "/prog/new.html", true, true), program + " - Untitled *");
  EXPECT_EQ(windowCaption(project, "/w/en/index.html", false, false), project + " - index.html");
  EXPECT_EQ(windowCaption(project, "/w/en/index.html", false, true), project + " - index.html *");
  EXPECT_EQ(windowCaption(program, "/w/caf\xe9.htm", false, false), program + " - caf\xe9.htm");
}

}  // namespace
}  // namespace quillon
