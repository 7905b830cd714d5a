#include "spell/spell_walk.h"

#include <gtest/gtest.h>

namespace quillon {
namespace {

TEST(SpellWalk, SelectionFirstThenTheRestOnlyOnYes) {
  SpellWalk walk(10, 5);
  EXPECT_EQ(walk.first(100).from, 10u);
  EXPECT_EQ(walk.first(100).to, 15u);
  EXPECT_STREQ(walk.question(), SpellWalk::kCheckRemainder);
  const auto rest = walk.answer(true, 17, 102);  // a change in the selection made it longer
  ASSERT_TRUE(rest);
  EXPECT_EQ(rest->from, 17u);
  EXPECT_EQ(rest->to, 102u);
  EXPECT_EQ(walk.question(), nullptr);  // the text before the selection is not offered
  EXPECT_TRUE(walk.saysComplete());

  SpellWalk declined(10, 5);
  EXPECT_FALSE(declined.answer(false, 15, 100));
  EXPECT_EQ(declined.question(), nullptr);
  EXPECT_FALSE(declined.saysComplete());
}

TEST(SpellWalk, FromTheCaretThenTheTextBeforeItOnYes) {
  SpellWalk walk(40, 0);
  EXPECT_EQ(walk.first(100).from, 40u);
  EXPECT_TRUE(walk.saysComplete());
  EXPECT_STREQ(walk.question(), SpellWalk::kCheckFromStart);
  const auto before = walk.answer(true, 100, 100);
  ASSERT_TRUE(before);
  EXPECT_EQ(before->from, 0u);
  EXPECT_EQ(before->to, 40u);
  EXPECT_EQ(walk.question(), nullptr);

  SpellWalk atStart(0, 0);  // nothing before the caret: nothing to offer
  EXPECT_EQ(atStart.question(), nullptr);
  EXPECT_EQ(atStart.first(7).to, 7u);
}

}  // namespace
}  // namespace quillon
