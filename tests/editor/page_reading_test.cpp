#include "editor/page_reading.h"

#include <gtest/gtest.h>

#include <random>

#include "editor/charset_declaration.h"
#include "editor/eight_bit_sets.h"

namespace quillon {
namespace {

TEST(EightBitSets, EverySetMapsEveryByteOneToOneSoBytesComeBackUnchanged) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const std::string& name : eightBitSetNames()) {
    const EightBitSet* set = eightBitSet(name);
    ASSERT_NE(set, nullptr) << name;
    EXPECT_EQ(set->encode(set->decode(all)), all) << name;
  }
  const EightBitSet& cp1252 = *eightBitSet("cp1252");
  EXPECT_EQ(cp1252.name(), "windows-1252");
  EXPECT_EQ(cp1252.decode("\x80\x93\xe9"), "\xe2\x82\xac\xe2\x80\x9c\xc3\xa9");
  EXPECT_EQ(cp1252.character(0x81), U'\x81');  // undefined in the set: stands for the C1 control
  // A character the set lacks becomes a reference; a byte that is not UTF-8 counts as Latin-1.
  EXPECT_EQ(cp1252.encode("\xe2\x82\xac \xd0\x96 \xe9"), std::string("\x80 &#1046; \xe9"));
  EXPECT_EQ(eightBitSet("latin2")->name(), "ISO-8859-2");
  EXPECT_EQ(eightBitSet("ISO_8859-15")->name(), "ISO-8859-15");
  EXPECT_EQ(eightBitSet("euc-kr"), nullptr);
}

TEST(CharsetDeclarations, AreReadAsABrowserPreScanReadsThem) {
  const std::string page =
      "<?xml version=\"1.0\" encoding='ISO-8859-1'?>\n<!-- <meta charset=utf-8> -->\n<title>charset=koi8-r</title>"
      "<link title=\"charset=x\"><META HTTP-EQUIV=Content-Type CONTENT=\"text/html; Charset = windows-1252\">"
      "<meta charset=utf-8>";
  const auto found = charsetDeclarations(page);
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].name, "iso-8859-1");
  EXPECT_EQ(page.substr(found[0].at, found[0].length), "ISO-8859-1");
  EXPECT_EQ(found[1].name, "windows-1252");
  EXPECT_EQ(page.substr(found[1].at, found[1].length), "windows-1252");
  EXPECT_EQ(found[2].name, "utf-8");
  // A content attribute names a charset only with http-equiv content-type; an unclosed tag ends the scan.
  EXPECT_TRUE(charsetDeclarations("<meta name=description content=\"charset=latin1\"><meta charset=\"").empty());
}

TEST(PageReading, ReadsADeclaredOrGuessedSetAndGivesTheBytesBackUnchanged) {
  EXPECT_TRUE(readingOf("<p>caf\xc3\xa9</p>").utf8);
  // Only Latin-1 is held as the bytes themselves; a page of another set, even one whose bytes read alike,
  // takes what is typed in its own set.
  EXPECT_FALSE(readingOf("<meta charset=latin1><p>caf\xe9</p>").transcoded);
  const PageReading alike = readingOf("<meta charset=iso-8859-2><p>caf\xe9</p>");
  EXPECT_EQ(alike.name, "ISO-8859-2");
  EXPECT_TRUE(alike.transcoded);
  EXPECT_EQ(pageBytesOf("caf\xc3\xa9 \xc5\x82 \xc3\xb1", alike), "caf\xe9 \xb3 &#241;");
  // Plain ASCII declaring any known 8-bit set is read in it.
  const PageReading koi8 = readingOf("<meta charset=\"koi8-r\"><p>x</p>");
  EXPECT_EQ(koi8.name, "KOI8-R");
  EXPECT_EQ(pageBytesOf("\xd0\xb6", koi8), "\xd6");
  const std::string quotes = "<meta charset=windows-1252><p>\x93Hi\x94 \x80</p>\r\n";
  const PageReading curly = readingOf(quotes);
  EXPECT_TRUE(curly.transcoded);
  EXPECT_FALSE(curly.guessed);
  const std::string shown = windowTextOf(quotes, curly);
  EXPECT_EQ(shown, "<meta charset=windows-1252><p>\xe2\x80\x9cHi\xe2\x80\x9d \xe2\x82\xac</p>\r\n");
  EXPECT_EQ(pageBytesOf(shown, curly), quotes);
  // Undeclared Cyrillic text: the set is guessed, and said to be a guess.
  std::string russian = "<p>";
  const std::string words =
      "\xcf\xf0\xe8\xe2\xe5\xf2, \xec\xe8\xf0! \xdd\xf2\xee \xf0\xf3\xf1\xf1\xea\xe8\xe9 \xf2\xe5\xea\xf1\xf2. ";
  for (int i = 0; i < 20; ++i) russian += words;
  const PageReading guessed = readingOf(russian + "</p>");
  EXPECT_TRUE(guessed.guessed);
  EXPECT_EQ(guessed.name, "windows-1251");
  EXPECT_EQ(readingLabel(guessed, russian), "8-bit (windows-1251, guessed)");
  EXPECT_FALSE(readingNamed("x", "no-such-set"));
  // Random bytes through every set and back.
  std::mt19937 random(7);
  std::string noise(4096, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  for (const std::string& name : eightBitSetNames()) {
    const PageReading reading = *readingNamed(noise, name);
    EXPECT_EQ(pageBytesOf(windowTextOf(noise, reading), reading), noise) << name;
  }
}

TEST(PageReading, AUtf16PageIsHeldInUtf8AndWrittenBackAsItCame) {
  // "<p>é😀</p>" after a byte order mark, little-endian, with an unpaired surrogate kept as it is.
  const std::string little("\xFF\xFE<\0p\0>\0\xE9\0\x3D\xD8\x00\xDE\x00\xDC<\0/\0p\0>\0\r\0\n\0", 28);
  const PageReading reading = readingOf(little);
  ASSERT_TRUE(reading.utf16());
  EXPECT_EQ(reading.name, "UTF-16LE");
  const std::string text = windowTextOf(little, reading);
  // The byte order mark stays out of the window, where no edit can take it away.
  EXPECT_EQ(text, "<p>\xC3\xA9\xF0\x9F\x98\x80\xED\xB0\x80</p>\r\n");
  EXPECT_EQ(pageBytesOf(text, reading), little);
  EXPECT_EQ(pageBytesOf("", reading), "\xFF\xFE");
  EXPECT_EQ(readingLabel(reading, text), "UTF-16 LE with BOM");
  const std::string big("\xFE\xFF\0<\0p\0>", 8);
  EXPECT_EQ(readingOf(big).name, "UTF-16BE");
  EXPECT_EQ(pageBytesOf(windowTextOf(big, readingOf(big)), readingOf(big)), big);
  // An odd length is not UTF-16 whatever its first bytes.
  EXPECT_FALSE(readingOf(std::string("\xFF\xFE<\0p", 5)).utf16());
  EXPECT_FALSE(readingNamed(std::string("\xFF\xFE<", 3), "UTF-16LE"));
}

TEST(PageReading, ConvertingToUtf8RewritesTheTextAndEveryDeclaration) {
  const std::string latin1 =
      "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<meta charset=\"latin1\"><p>caf\xe9</p>";
  EXPECT_EQ(convertedToUtf8(latin1, readingOf(latin1)),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<meta charset=\"utf-8\"><p>caf\xc3\xa9</p>");
  const std::string cp1252 =
      "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\n<p>\x93\xe9\x94 \x80</p>\n";
  const PageReading reading = readingOf(cp1252);
  EXPECT_EQ(convertedToUtf8(windowTextOf(cp1252, reading), reading),
            "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
            "<p>\xe2\x80\x9c\xc3\xa9\xe2\x80\x9d \xe2\x82\xac</p>\n");
  // No declaration: only the text changes.
  EXPECT_EQ(convertedToUtf8("<p>\xe9</p>", *readingNamed("<p>\xe9</p>", "ISO-8859-1")), "<p>\xc3\xa9</p>");
}

}  // namespace
}  // namespace quillon
