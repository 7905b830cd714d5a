#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A one-byte character set as the 256 characters its bytes stand for. Every table is one to one, so text
// read through it and written back through it is byte-identical: a byte the set leaves undefined stands for
// a character no other byte of the set has (the C1 control of the same value when that is free, else a
// private-use character).
class EightBitSet {
 public:
  const std::string& name() const { return name_; }
  char32_t character(unsigned char byte) const { return chars_[byte]; }
  // The page's bytes as UTF-8.
  std::string decode(std::string_view bytes) const;
  // UTF-8 text as the set's bytes: a character the set lacks becomes a numeric character reference; a byte
  // that is not UTF-8 counts as the Latin-1 character of that value.
  std::string encode(std::string_view utf8) const;

 private:
  friend const EightBitSet* eightBitSet(std::string_view name);
  std::string name_;
  std::array<char32_t, 256> chars_{};
  std::vector<std::pair<char32_t, unsigned char>> bytesOf_;  // sorted by character, above ASCII
  bool asciiSame_ = true;
  std::array<std::string, 256> utf8Of_;
};

// The set of that name (the names of `eightBitSetNames`, and the aliases pages use: "latin1", "cp1252",
// "iso_8859-2", "koi8r", "x-mac-roman"), or null. Tables are made once, on first use, from the system's
// converters.
const EightBitSet* eightBitSet(std::string_view name);
// The canonical name of a set named so, or empty.
std::string canonicalEightBitName(std::string_view name);
// The one-byte sets offered to the user, in the order shown: Western first.
const std::vector<std::string>& eightBitSetNames();
// The languages a set of that canonical name serves ("Western European"), or empty.
std::string eightBitSetRegion(std::string_view name);

}  // namespace quillon
