#include "spell/spell_engine.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/file_io.h"
#include "base/ini_file.h"
#include "support/temp_dir.h"

namespace quillon {
namespace {

const std::string kChars = "'ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";

Dictionary smallDictionary() {
  return *Dictionary::fromBytes(Dictionary::build(
      {"the", "quick", "brown", "fox", "it", "hello", "world", "receive", "separate", "Paris", "a", "class"},
      "Test English", kChars));
}

struct Engine {
  testing::TempDir dir;
  SpellEngine engine;
  explicit Engine(std::map<SpellOption, bool> extra = {})
      : engine(config(extra), {smallDictionary()}, {UserDictionary::load(dir.path() + "default.udt")}) {}
  static SpellConfig config(const std::map<SpellOption, bool>& extra) {
    SpellConfig c = defaultSpellConfig();
    c.options = programDefaultOptions();
    for (const auto& [o, v] : extra) c.options[o] = v;
    c.users.push_back({"default.udt", true, {}});
    c.userIndex = 0;
    return c;
  }
  std::vector<std::pair<size_t, std::string>> stops(const std::string& text) {
    StringSpellText t(text);
    engine.begin(0, text.size());
    std::vector<std::pair<size_t, std::string>> out;
    while (const auto s = engine.next(t)) {
      out.emplace_back(s->offset, s->word);
      engine.ignore();
    }
    return out;
  }
};

using Stops = std::vector<std::pair<size_t, std::string>>;

TEST(SpellDictionary, ACopyReadsItsOwnBytes) {
  std::optional<Dictionary> copy;
  {
    const auto original = Dictionary::fromBytes(Dictionary::build({"alpha", "beta", "gamma"}, "Copied", kChars));
    ASSERT_TRUE(original);
    copy = *original;  // the original and its bytes go away here
  }
  std::string filler(4096, 'x');  // reuses the freed memory, where a copy still pointing there would read
  EXPECT_TRUE(copy->contains("beta"));
  EXPECT_FALSE(copy->contains("delta"));
  EXPECT_EQ(copy->words(), (std::vector<std::string_view>{"alpha", "beta", "gamma"}));
}

TEST(SpellDictionary, BuildsLoadsAndRefusesGarbage) {
  const std::string bytes = Dictionary::build({"b", "a", "a", ""}, "A title longer than twenty-five bytes", kChars);
  EXPECT_EQ(bytes.substr(Dictionary::kTitleOffset, Dictionary::kTitleLength), "A title longer than twent");
  const auto d = Dictionary::fromBytes(bytes);
  ASSERT_TRUE(d);
  EXPECT_EQ(d->size(), 2u);
  EXPECT_TRUE(d->contains("a"));
  EXPECT_FALSE(d->contains("c"));
  EXPECT_FALSE(d->contains(""));
  EXPECT_EQ(d->wordCharacters(), kChars);
  EXPECT_FALSE(Dictionary::fromBytes("not a dictionary"));
  std::string broken = bytes;
  broken[32] = '\x03';  // a table size that is not a power of two
  EXPECT_FALSE(Dictionary::fromBytes(broken));
  EXPECT_FALSE(Dictionary::fromBytes(bytes.substr(0, 100)));
}

TEST(SpellEngine, PrefixesAndSuffixesAreStripped) {
  Engine e;
  EXPECT_EQ(e.engine.stripped("it's"), "it");
  EXPECT_EQ(e.engine.stripped("'hello'"), "hello");
  EXPECT_EQ(e.engine.stripped("a's's"), "a's's");  // a suffix counts only where it first occurs
  EXPECT_TRUE(e.engine.known("it's"));
  EXPECT_TRUE(e.engine.known("The"));
  EXPECT_FALSE(e.engine.known("paris"));  // the lower-case form only helps a word with capitals
}

TEST(SpellEngine, TagsAddressesAndNumbersAreSkipped) {
  Engine e;
  EXPECT_EQ(e.stops("<p class=\"qwzt\">qwzt</p>"), (Stops{{16, "qwzt"}}));
  EXPECT_EQ(e.stops("the zzz@example.com a http://qqq.example/x the 12345"), Stops{});
  EXPECT_EQ(e.stops("ABCD abcd"), (Stops{{0, "ABCD"}, {5, "abcd"}}));  // upper case is checked by default
  Engine upcase({{SpellOption::soUpcase, true}, {SpellOption::soNumbers, true}});
  EXPECT_EQ(upcase.stops("ABCD x2y abcd"), (Stops{{9, "abcd"}}));
}

TEST(SpellEngine, RepeatedWordsUnlessATagIsBetween) {
  Engine e;
  StringSpellText t("the the fox <b>fox</b> fox");
  e.engine.begin(0, t.bytes().size());
  auto s = e.engine.next(t);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->kind, SpellEngine::StopKind::Repeated);
  EXPECT_EQ(s->offset, 4u);
  e.engine.change(t, "");  // "Delete" takes the repeated word with the blank before it
  EXPECT_EQ(t.text(), "the fox <b>fox</b> fox");
  EXPECT_FALSE(e.engine.next(t));
}

TEST(SpellEngine, ChangeAllAppliesLaterAndUndoRevertsEachKind) {
  Engine e;
  StringSpellText t("recieve it; recieve it again, qwz abc qwz");
  e.engine.begin(0, t.bytes().size());
  auto s = e.engine.next(t);
  ASSERT_EQ(s->word, "recieve");
  e.engine.changeAll(t, "receive");
  s = e.engine.next(t);  // the second "recieve" changes by itself
  ASSERT_TRUE(s);
  EXPECT_EQ(s->word, "again");
  EXPECT_EQ(t.text().substr(0, 24), "receive it; receive it a");
  e.engine.ignoreAll();
  s = e.engine.next(t);
  EXPECT_EQ(s->word, "qwz");
  e.engine.add();
  s = e.engine.next(t);
  EXPECT_EQ(s->word, "abc");
  e.engine.ignore();
  EXPECT_FALSE(e.engine.next(t));  // the second "qwz" is now a known word
  EXPECT_TRUE(e.engine.known("qwz"));
  ASSERT_TRUE(e.engine.undoLast(t));  // undo ignore
  ASSERT_TRUE(e.engine.undoLast(t));  // undo add
  EXPECT_FALSE(e.engine.known("qwz"));
  ASSERT_TRUE(e.engine.undoLast(t));  // undo ignore all
  EXPECT_FALSE(e.engine.known("again"));
  ASSERT_TRUE(e.engine.undoLast(t));  // undo change all: the text and the list
  EXPECT_EQ(t.text().substr(0, 7), "recieve");
  s = e.engine.next(t);
  EXPECT_EQ(s->word, "recieve");
  e.engine.autoCorrect(t, "receive");
  EXPECT_NE(*readWholeFile(e.dir.path() + "default.udt"), "");
  EXPECT_EQ(UserDictionary::load(e.dir.path() + "default.udt").autoCorrect("recieve") != nullptr, true);
  ASSERT_TRUE(e.engine.undoLast(t));
  EXPECT_EQ(UserDictionary::load(e.dir.path() + "default.udt").autoCorrect("recieve"), nullptr);
  EXPECT_EQ(t.text().substr(0, 7), "recieve");
}

TEST(SpellEngine, SuggestionsCopyCapitals) {
  Engine e;
  const auto s = e.engine.suggest("Teh");
  ASSERT_FALSE(s.empty());
  EXPECT_EQ(s[0], "The");
  EXPECT_EQ(e.engine.suggest("recieve")[0], "receive");
  EXPECT_EQ(copyCapitals("HEl", "help"), "HElp");
  EXPECT_EQ(copyCapitals("HEL", "help"), "HELP");  // a capital at the word's last place carries on
  EXPECT_EQ(copyCapitals("Xy", "paris"), "Paris");
}

TEST(SpellConfig, BuiltFromTheFolderWithoutAnId) {
  testing::TempDir dir;
  writeFileAtomic(dir.path() + "american.dct", Dictionary::build({"a"}, "American English", kChars));
  writeFileAtomic(dir.path() + "other.dct", Dictionary::build({"b"}, "Other", kChars));
  const SpellConfig c = loadSpellConfig(dir.path() + "spell.cfg", "default", "american.dct", "default.udt");
  ASSERT_EQ(c.mains.size(), 2u);
  EXPECT_TRUE(c.mains[0].inUse);
  EXPECT_EQ(c.mains[0].title, "American English");
  EXPECT_FALSE(c.mains[1].inUse);
  ASSERT_EQ(c.users.size(), 1u);
  EXPECT_EQ(c.users[0].path, "default.udt");
  EXPECT_EQ(c.userIndex, 0);
  EXPECT_TRUE(c.on(SpellOption::soHTML));
  EXPECT_FALSE(c.on(SpellOption::soUpcase));

  IniFile::writeValue(dir.path() + "spell.cfg", "default", "ID", "1");
  IniFile::writeValue(dir.path() + "spell.cfg", "default", "U_MU_DCT_ListCount", "2");
  IniFile::writeValue(dir.path() + "spell.cfg", "default", "U_MU_DCT_0", "Tgone.dct");
  IniFile::writeValue(dir.path() + "spell.cfg", "default", "U_MU_DCT_1", "Tother.dct");
  const SpellConfig listed = loadSpellConfig(dir.path() + "spell.cfg", "default", "american.dct", "default.udt");
  ASSERT_EQ(listed.mains.size(), 2u);
  EXPECT_FALSE(listed.mains[0].inUse);  // listed but missing
  EXPECT_TRUE(listed.mains[1].inUse);
  EXPECT_EQ(listed.mains[1].title, "Other");
  EXPECT_TRUE(listed.on(SpellOption::soUpcase));  // missing keys take the engine's own defaults
  EXPECT_EQ(listed.userIndex, -1);

  // Saved keys of other sections stay; a name with a line break is refused and the file kept.
  IniFile::writeValue(dir.path() + "spell.cfg", "other", "Mine", "kept");
  ASSERT_TRUE(saveSpellConfig(dir.path() + "spell.cfg", "default", listed).ok);
  EXPECT_EQ(IniFile::load(dir.path() + "spell.cfg").readString("other", "Mine", ""), "kept");
  EXPECT_EQ(loadSpellConfig(dir.path() + "spell.cfg", "default", "american.dct", "default.udt").mains[1].title,
            "Other");
  const auto before = readWholeFile(dir.path() + "spell.cfg");
  SpellConfig injected = listed;
  injected.mains[1].path = "x.dct\r\n[default]\r\nsoHTML=0";
  EXPECT_FALSE(saveSpellConfig(dir.path() + "spell.cfg", "default", injected).ok);
  EXPECT_EQ(readWholeFile(dir.path() + "spell.cfg"), before);
}

// An installed layout: an empty spell folder of the user's, the shipped dictionary (knowing "shipped") in the
// shared one.
struct InstalledSpelling {
  testing::TempDir data, shared;
  ProgramFolders folders{data.path(), shared.path(), shared.path(), true};
  bool ready = false;
  InstalledSpelling() {
    ::mkdir((data.path() + "spell").c_str(), 0755);
    ::mkdir((shared.path() + "spell").c_str(), 0755);
    ready = writeFileAtomic(shared.path() + "spell/american.dct",
                            Dictionary::build({"shipped"}, "American English", kChars))
                .ok;
  }
};

// A listed dictionary that is gone is named when nothing else is left to check with; a configuration that
// lists none at all (damaged, cut short) falls back to the shipped one rather than checking with nothing.
TEST(SpellEngine, GoneOrUnlistedDictionariesAreNamedOrReplaced) {
  InstalledSpelling installed;
  ASSERT_TRUE(installed.ready);
  const testing::TempDir& data = installed.data;
  const ProgramFolders& folders = installed.folders;

  ASSERT_TRUE(writeFileAtomic(data.path() + "spell/spell.cfg",
                              "[default]\r\nID=1\r\nU_MU_DCT_ListCount=1\r\nU_MU_DCT_0=Tmissing.dct\r\n")
                  .ok);
  const SpellEngine gone = SpellEngine::open(folders);
  EXPECT_FALSE(gone.hasMainDictionary());
  ASSERT_EQ(gone.unreadableDictionaries().size(), 1u);
  EXPECT_EQ(gone.unreadableDictionaries()[0], data.path() + "spell/missing.dct");

  ASSERT_TRUE(writeFileAtomic(data.path() + "spell/spell.cfg", "[default]\r\nID=1\r\nsoHTML=1\r\n").ok);
  const SpellEngine unlisted = SpellEngine::open(folders);
  EXPECT_TRUE(unlisted.known("shipped"));
  EXPECT_TRUE(unlisted.unreadableDictionaries().empty());
}

// A word added while the user dictionary cannot be written is kept for the run, and the failure is told.
TEST(SpellEngine, AddSaysWhenTheUserDictionaryCannotBeWritten) {
  testing::TempDir dir;
  ASSERT_TRUE(writeFileAtomic(dir.path() + "spell", "a file where the folder should be").ok);
  SpellConfig config = defaultSpellConfig();
  config.users.push_back({"default.udt", true, {}});
  config.userIndex = 0;
  SpellEngine engine(config, {smallDictionary()}, {UserDictionary::load(dir.path() + "spell/default.udt")});
  StringSpellText text("zorble fox zorble");
  engine.begin(0, text.bytes().size());
  ASSERT_TRUE(engine.next(text));
  const WriteResult added = engine.add();
  EXPECT_FALSE(added.ok);
  EXPECT_EQ(added.failedPath, dir.path() + "spell/default.udt");
  EXPECT_FALSE(engine.next(text)) << "the added word is still known for this run";

  testing::TempDir good;
  SpellEngine saving(config, {smallDictionary()}, {UserDictionary::load(good.path() + "default.udt")});
  StringSpellText other("zorble");
  saving.begin(0, other.bytes().size());
  ASSERT_TRUE(saving.next(other));
  EXPECT_TRUE(saving.add().ok);
  EXPECT_EQ(readWholeFile(good.path() + "default.udt").value_or(""), "zorble\r\n");
}

// Installed, the configuration and user dictionary live in the user's data folder and the main dictionaries
// in the shared folder; a dictionary of the same name in the data folder is the user's own and wins.
TEST(SpellEngine, MainDictionariesAreFoundInTheSharedFolder) {
  InstalledSpelling installed;
  ASSERT_TRUE(installed.ready);
  const testing::TempDir& data = installed.data;
  const ProgramFolders& folders = installed.folders;

  // No configuration yet: built from the dictionaries found, the shipped one in use.
  SpellEngine fresh = SpellEngine::open(folders);
  EXPECT_TRUE(fresh.hasMainDictionary());
  EXPECT_TRUE(fresh.known("shipped"));

  // A configuration naming the dictionary by its bare name, as the shipped one does.
  ASSERT_TRUE(writeFileAtomic(data.path() + "spell/spell.cfg",
                              "[default]\r\nID=1\r\nU_MU_DCT_ListCount=1\r\nU_MU_DCT_0=Tamerican.dct\r\n")
                  .ok);
  SpellEngine configured = SpellEngine::open(folders);
  EXPECT_TRUE(configured.known("shipped"));
  EXPECT_TRUE(configured.unreadableDictionaries().empty());

  ASSERT_TRUE(writeFileAtomic(data.path() + "spell/american.dct", Dictionary::build({"own"}, "Mine", kChars)).ok);
  SpellEngine own = SpellEngine::open(folders);
  EXPECT_TRUE(own.known("own"));
  EXPECT_FALSE(own.known("shipped"));
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

struct WideEngine {
  testing::TempDir dir;
  SpellEngine engine;
  WideEngine()
      : engine(
            Engine::config({}),
            {*Dictionary::fromBytes(Dictionary::build(
                {"caf\xc3\xa9", "Z\xc3\xbcrich", "I've", "don't", "hello", "world", "the", "cafe's"}, "Wide", kChars))},
            {UserDictionary::load(dir.path() + "default.udt")}) {}
};

TEST(SpellEngine, PagesAreReadInTheirOwnEncoding) {
  WideEngine e;
  for (const std::string& page : {std::string("caf\xe9 Z\xfcrich hello\xa0world don't"),  // Latin-1
                                  std::string("caf\xc3\xa9 \xc2\xabhello\xc2\xbb\xe2\x80\x94world don\xe2\x80\x99t"),
                                  std::string("caf&eacute; Z&uuml;rich hello&nbsp;world")}) {
    StringSpellText text(page);
    e.engine.begin(0, page.size());
    EXPECT_FALSE(e.engine.next(text)) << page;
  }
  // A change written back into a Latin-1 page is written in Latin-1 (with a reference for what it lacks).
  StringSpellText latin1("Zurich \xe9t\xe9");
  e.engine.begin(0, latin1.text().size());
  auto stop = e.engine.next(latin1);
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->word, "Zurich");
  e.engine.change(latin1, "Z\xc3\xbcrich \xe2\x82\xac");
  EXPECT_EQ(latin1.text().substr(0, 14), "Z\xfcrich &#8364;");
  stop = e.engine.next(latin1);
  ASSERT_TRUE(stop);
  EXPECT_EQ(stop->word, "\xc3\xa9t\xc3\xa9");  // shown as UTF-8
  EXPECT_EQ(stop->length, 3u);                 // three bytes of the page
  ASSERT_TRUE(e.engine.undoLast(latin1));      // undoes the change, byte for byte
  EXPECT_EQ(latin1.text(), "Zurich \xe9t\xe9");

  // A page still all ASCII that declares an 8-bit set takes the change in that set too.
  const std::string head = "<meta charset=\"iso-8859-1\"> ";
  StringSpellText declared(head + "Zurich");
  e.engine.begin(0, declared.text().size());
  do stop = e.engine.next(declared);
  while (stop && stop->word != "Zurich");
  ASSERT_TRUE(stop);
  e.engine.change(declared, "Z\xc3\xbcrich");
  EXPECT_EQ(declared.text(), head + "Z\xfcrich");
}

TEST(SpellEngine, SuggestionsOfferAccentsAndApostrophesAndStayBounded) {
  WideEngine e;
  EXPECT_EQ(e.engine.suggest("cafe").front(), "caf\xc3\xa9");
  EXPECT_EQ(e.engine.suggest("Zurich").front(), "Z\xc3\xbcrich");
  EXPECT_EQ(e.engine.suggest("Ive").front(), "I've");
  EXPECT_EQ(e.engine.suggest("dont").front(), "don't");
  // Far longer than any word of the dictionary: nothing is tried, so nothing is allocated for it.
  EXPECT_TRUE(e.engine.suggest(std::string(10000, 'a')).empty());
  // Cancelled before it starts: the lookup gives up at once.
  const std::atomic<bool> cancel{true};
  Engine small;
  EXPECT_TRUE(small.engine.suggest("helo", &cancel).empty());
  EXPECT_EQ(small.engine.suggest("helo").front(), "hello");
}

TEST(SpellEngine, AMissingOrDamagedDictionaryIsNamed) {
  testing::TempDir dir;
  ::mkdir((dir.path() + "spell").c_str(), 0755);
  ASSERT_TRUE(writeFileAtomic(dir.path() + "spell/american.dct", "garbage, not a dictionary").ok);
  const SpellEngine engine = SpellEngine::open(singleProgramFolder(dir.path()));
  EXPECT_FALSE(engine.hasMainDictionary());
  ASSERT_EQ(engine.unreadableDictionaries().size(), 1u);
  EXPECT_NE(engine.unreadableDictionaries()[0].find("american.dct"), std::string::npos);
}

}  // namespace
}  // namespace quillon
