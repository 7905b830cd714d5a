// quillon-dict WORDLIST OUT.dct "TITLE" [COMMON]: builds a main spelling dictionary from a word list, one word a
// line; the words of the optional COMMON list are marked as the common ones.
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "spell/dictionary.h"

int main(int argc, char** argv) {
  if (argc != 4 && argc != 5) {
    std::fputs("usage: quillon-dict WORDLIST OUT.dct TITLE [COMMON]\n", stderr);
    return 2;
  }
  const auto list = quillon::readWholeFile(argv[1]);
  if (!list) {
    std::fprintf(stderr, "quillon-dict: cannot read %s\n", argv[1]);
    return 1;
  }
  // Letters, the apostrophe of "it's", and every byte of a UTF-8 letter such as the "ó" of "Asunción".
  std::string characters = "'";
  for (char c = 'A'; c <= 'Z'; ++c) characters += c;
  for (char c = 'a'; c <= 'z'; ++c) characters += c;
  for (int c = 0x80; c <= 0xFF; ++c) characters += static_cast<char>(c);
  std::vector<std::string> common;
  if (argc == 5) {
    if (const auto data = quillon::readWholeFile(argv[4])) common = quillon::splitLines(*data);
  }
  const std::string bytes = quillon::Dictionary::build(quillon::splitLines(*list), argv[3], characters, common);
  const auto result = quillon::writeFileAtomic(argv[2], bytes);
  if (!result.ok) {
    std::fprintf(stderr, "quillon-dict: cannot write %s: %s\n", argv[2], result.error.c_str());
    return 1;
  }
  return 0;
}
