#pragma once

#include <array>
#include <string>

namespace quillon {

// What the list builder's controls hold: up to ten entry lines; rows past the tenth are empty items.
struct ListTagRecord {
  bool ordered = false;
  int rows = 1;  // 1 to 500
  std::array<std::string, 10> items;
  bool noIndent = false;
};

// "<UL>" or "<OL>", one "<LI>" line per row (indented four blanks unless noIndent), the end tag; every
// line ends in CR LF. Entry lines above the row count are not written, whatever they hold.
std::string listTagText(const ListTagRecord& record);

}  // namespace quillon
