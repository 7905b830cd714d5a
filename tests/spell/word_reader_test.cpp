#include "spell/word_reader.h"

#include <gtest/gtest.h>

#include "base/file_io.h"
#include "spell/spell_engine.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

std::vector<std::string> words(std::string_view text, bool utf8) {
  std::vector<std::string> out;
  for (size_t pos = 0; pos < text.size();) {
    if (const auto w = readWordAt(text, pos, text.size(), utf8)) {
      out.push_back(w->text);
      pos = w->end;
    } else {
      pos += charAt(text, pos, utf8).length;
    }
  }
  return out;
}

using Words = std::vector<std::string>;

TEST(WordReader, LettersApostrophesAndSeparatorsInBothEncodings) {
  EXPECT_EQ(words("hello\xa0world", false), (Words{"hello", "world"}));                   // Latin-1 no-break space
  EXPECT_EQ(words("hello\xc2\xa0world", true), (Words{"hello", "world"}));                // and in UTF-8
  EXPECT_EQ(words("hello\xe2\x80\x94world", true), (Words{"hello", "world"}));            // em dash
  EXPECT_EQ(words("\xc2\xabhello\xc2\xbb", true), (Words{"hello"}));                      // guillemets
  EXPECT_EQ(words("\xe2\x80\x9chello\xe2\x80\x9d", true), (Words{"hello"}));              // curly quotes
  EXPECT_EQ(words("don\xe2\x80\x99t", true), (Words{"don't"}));                           // typographic apostrophe
  EXPECT_EQ(words("caf\xe9 Z\xfcrich", false), (Words{"caf\xc3\xa9", "Z\xc3\xbcrich"}));  // Latin-1 read as such
  EXPECT_EQ(words("caf\xc3\xa9 \xd0\xbc\xd0\xb8\xd1\x80", true), (Words{"caf\xc3\xa9", "\xd0\xbc\xd0\xb8\xd1\x80"}));
  EXPECT_EQ(words("x\xc3\x97y 2\xc3\xb7"
                  "3",
                  true),
            (Words{"x", "y", "2", "3"}));                                           // × and ÷ are no letters
  EXPECT_EQ(words("hello\xf0\x9f\x98\x80world", true), (Words{"hello", "world"}));  // an emoji between
}

TEST(WordReader, EntitiesReadAsTheirCharactersAndAreNeverWords) {
  EXPECT_EQ(words("caf&eacute; na&iuml;ve", true), (Words{"caf\xc3\xa9", "na\xc3\xafve"}));
  EXPECT_EQ(words("one&nbsp;two&mdash;three&amp;four", true), (Words{"one", "two", "three", "four"}));
  EXPECT_EQ(words("Z&#252;rich Z&#xFC;rich", true), (Words{"Z\xc3\xbcrich", "Z\xc3\xbcrich"}));
  EXPECT_EQ(words("don&rsquo;t", true), (Words{"don't"}));
  EXPECT_EQ(words("&nosuch; &#; &#xZZ; &", true), (Words{"nosuch", "xZZ"}));  // not entities: plain text
  // Every named reference of HTML is a character, never a word of its own.
  EXPECT_EQ(words("Brand&trade; 20&deg; 3&times;4 &pound;5 &sect;2 &frac12; &rarr; &hearts; &thetasym;", true),
            (Words{"Brand", "20", "3", "4", "5", "2", "\xcf\x91"}));
  EXPECT_EQ(words("&Alpha;&beta;", true), (Words{"\xce\x91\xce\xb2"}));
  const auto w = readWordAt("caf&eacute;s", 0, 100, true);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->end, 12u);  // the word's bytes cover the whole entity
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

TEST(WordReader, LetterCaseBeyondAToZ) {
  EXPECT_EQ(lowerWord("CAF\xc3\x89 \xc5\x81\xc3\x93"
                      "D\xc5\xb9 \xce\x91\xce\x92 \xd0\x9c\xd0\x98\xd0\xa0"),
            "caf\xc3\xa9 \xc5\x82\xc3\xb3\x64\xc5\xba \xce\xb1\xce\xb2 \xd0\xbc\xd0\xb8\xd1\x80");
  EXPECT_EQ(upperWord("z\xc3\xbcrich \xc3\xbf"), "Z\xc3\x9cRICH \xc5\xb8");
  EXPECT_EQ(capitalizedWord("\xc3\xa9\x63OLE"), "\xc3\x89\x63ole");
  EXPECT_TRUE(isAllCapitals("Z\xc3\x9cRICH"));
  EXPECT_FALSE(isAllCapitals("Z\xc3\xbcrich"));
  EXPECT_FALSE(isAllCapitals("A"));
  EXPECT_EQ(lowerWord("x\xff"), "x\xff");  // a byte that is no character stays
}

TEST(SpellEngineCapitals, WordsInCapitalsAreKnownAndSuggestedInCapitals) {
  SpellEngine engine(
      defaultSpellConfig(),
      {*Dictionary::fromBytes(Dictionary::build({"caf\xc3\xa9", "Z\xc3\xbcrich", "Paris", "receive"}, "Caps", "abc"))},
      {});
  EXPECT_TRUE(engine.known("CAF\xc3\x89"));
  EXPECT_TRUE(engine.known("Z\xc3\x9cRICH"));
  EXPECT_TRUE(engine.known("PARIS"));
  EXPECT_FALSE(engine.known("paris"));  // a name in lower case is still wrong
  EXPECT_EQ(engine.suggest("RECIEVE").front(), "RECEIVE");
  EXPECT_EQ(engine.suggest("Recieve").front(), "Receive");
}

}  // namespace
}  // namespace quillon
