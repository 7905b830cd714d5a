#include "spell/near_words.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace quillon {
namespace {

TEST(NearWords, TwoEditsCountedWithTheCheapestWayThere) {
  EXPECT_EQ(withinTwoEdits("recieve", "receive").edits, 1);  // a swap of neighbours
  EXPECT_EQ(withinTwoEdits("recieve", "receive").cost, 0);
  const TwoEdits two = withinTwoEdits("acomodate", "accommodate");  // two insertions
  EXPECT_EQ(two.edits, 2);
  EXPECT_EQ(two.cost, 2);
  EXPECT_EQ(withinTwoEdits("bxd", "bad").cost, 2);  // one substitution
  EXPECT_EQ(withinTwoEdits("abcd", "bacd").edits, 1);
  EXPECT_EQ(withinTwoEdits("word", "word").edits, 0);
  EXPECT_EQ(withinTwoEdits("same", "some").edits, 1);
  EXPECT_EQ(withinTwoEdits("abcdef", "badcfe").edits, -1);  // three swaps
  EXPECT_EQ(withinTwoEdits("cat", "catalog").edits, -1);    // four insertions
  EXPECT_EQ(withinTwoEdits("", "ab").edits, 2);
  // A swap and a substitution: cheaper than two substitutions.
  const TwoEdits mixed = withinTwoEdits("hte cat", "the cot");
  EXPECT_EQ(mixed.edits, 2);
  EXPECT_EQ(mixed.cost, 2);
}

TEST(NearWords, FindsEveryWordWithinTheEditsAndNoOther) {
  const std::vector<std::string_view> words = {"receive", "relieve",  "deceive",  "recipe", "revive",
                                               "believe", "receiver", "perceive", "re",     "reprieve"};
  const NearWords near(words);
  std::map<std::string, int> two;
  near.forEachWithinTwo("recieve", [&](std::string_view w, int edits, int) { two[std::string(w)] = edits; });
  // "believe" and "recipe" by two substitutions or a substitution and a deletion; "perceive" needs three.
  EXPECT_EQ(two, (std::map<std::string, int>{{"receive", 1},
                                             {"relieve", 1},
                                             {"deceive", 2},
                                             {"receiver", 2},
                                             {"revive", 2},
                                             {"believe", 2},
                                             {"recipe", 2},
                                             {"reprieve", 2}}));
  std::map<std::string, int> three;
  near.forEachWithinThree("recieve", [&](std::string_view w, int edits) { three[std::string(w)] = edits; });
  EXPECT_EQ(three.count("perceive"), 1u);
  EXPECT_EQ(three.count("re"), 0u);
  for (const auto& [w, edits] : two) EXPECT_LE(three.at(w), 2) << w;
}

}  // namespace
}  // namespace quillon
