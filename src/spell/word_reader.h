#pragma once

#include "base/text_bytes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reading words out of a page's bytes for the spell checker. The page is UTF-8 when it is valid UTF-8, else
// Latin-1, as the editing window shows it. Letters are Unicode letters; digits and apostrophes (' and the
// typographic ’) inside a word belong to it; dashes, quotes, guillemets, no-break spaces and all other
// characters separate words. A character entity ("&eacute;", "&#233;", "&nbsp;") reads as the character it
// stands for and is never a word of its own.
namespace quillon {

struct TextChar {
  char32_t code = 0;  // U+FFFD for a byte that is not a character here
  size_t length = 1;  // bytes it takes in the text (a whole entity, a whole UTF-8 sequence)
};

// The character at pos (pos < text.size()).
TextChar charAt(std::string_view text, size_t pos, bool utf8);

bool isLetter(char32_t c);
bool isApostrophe(char32_t c);  // ' and ’

struct ReadWord {
  size_t start = 0, end = 0;  // bytes [start, end) of the text
  std::string text;           // the word as UTF-8, a typographic apostrophe written as '
};

// The word starting at pos, ending at limit at the latest, or nothing when no word starts there (a word
// starts with a letter or a digit).
std::optional<ReadWord> readWordAt(std::string_view text, size_t pos, size_t limit, bool utf8);

// Letter case beyond A-Z, for the alphabets the dictionaries hold (Latin-1, Latin Extended-A, Greek,
// Cyrillic); other characters are left as they are.
char32_t lowerChar(char32_t c);
char32_t upperChar(char32_t c);
std::string lowerWord(std::string_view utf8);
std::string upperWord(std::string_view utf8);
// Upper case first letter, the rest lower case.
std::string capitalizedWord(std::string_view utf8);
// At least two letters and no lower-case one.
bool isAllCapitals(std::string_view utf8);

}  // namespace quillon
