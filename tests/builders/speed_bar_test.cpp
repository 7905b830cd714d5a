#include "builders/speed_bar.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(SpeedBar, ListsHoldEveryEntry) {
  ASSERT_EQ(speedBarTags().size(), 100u);
  ASSERT_EQ(speedBarAttributes().size(), 72u);
  EXPECT_EQ(speedBarTags()[1], "<A HREF=\"\">.</A>");
  EXPECT_EQ(speedBarTags()[49], "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>.</BODY></HTML>");
  EXPECT_EQ(speedBarAttributes().back(), "WRAP=");
}

TEST(SpeedBar, TemplatesAndAttributes) {
  const EditState s{"say hello now", 4, 5};
  EXPECT_EQ(applyInsertion(s, tagTemplateInsertion(s, "<B>.</B>")), (EditState{"say <B>hello</B> now", 7, 5}));
  EXPECT_EQ(applyInsertion(s, tagTemplateInsertion(s, "<HR>")), (EditState{"say <HR>hello now", 8, 5}));
  EXPECT_EQ(applyInsertion(s, attributeInsertion(s, "ALIGN=")), (EditState{"say ALIGN=hello now", 10, 0}));
}

}  // namespace
}  // namespace quillon

#include "builders/hand_back.h"
#include "support/scripted_platform.h"

namespace quillon {
namespace {

TEST(BuilderHandBack, PastesAndSelectsTheRecordedLength) {
  testing::ScriptedPlatform clipboard;
  clipboard.clipboard = "what the user had";
  BuilderHandBack handBack;
  handBack.post(clipboard, "<HR>");
  EXPECT_TRUE(handBack.insertRequested);
  EXPECT_EQ(clipboard.clipboard, "<HR>");
  const EditState s{"abcdef", 2, 2};
  EXPECT_EQ(applyInsertion(s, handBackInsertion(s, handBack, clipboard.clipboard, HandBackSelection::Replaced)),
            (EditState{"ab<HR>ef", 2, 4}));
  EXPECT_EQ(applyInsertion(s, handBackInsertion(s, handBack, clipboard.clipboard, HandBackSelection::Dropped)),
            (EditState{"ab<HR>cdef", 2, 4}));
}

}  // namespace
}  // namespace quillon
