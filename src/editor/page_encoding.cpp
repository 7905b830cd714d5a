#include "editor/page_encoding.h"

#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

bool declaresEightBitCharset(std::string_view page) {
  const std::string head = lowerAscii(page.substr(0, 8192));
  // «charset=…» of a meta tag, and «encoding="…"» of an XML declaration.
  for (std::string_view word : {std::string_view("charset"), std::string_view("encoding")}) {
    for (size_t at = head.find(word); at != std::string::npos; at = head.find(word, at + word.size())) {
      size_t i = at + word.size();
      while (i < head.size() && (head[i] == ' ' || head[i] == '=' || head[i] == '"' || head[i] == '\'')) ++i;
      const std::string_view name = std::string_view(head).substr(i, 12);
      for (std::string_view eightBit : {"iso-8859-1", "iso8859-1", "latin1", "latin-1", "windows-1252", "cp1252",
                                        "iso-8859-15", "us-ascii"})
        if (name.substr(0, eightBit.size()) == eightBit) return true;
    }
  }
  return false;
}

bool readAsUtf8(bool validUtf8, bool ascii, std::string_view head) {
  return validUtf8 && !(ascii && declaresEightBitCharset(head));
}

bool readAsUtf8(std::string_view page) {
  const bool ascii = std::none_of(page.begin(), page.end(), [](char c) { return (c & 0x80) != 0; });
  return readAsUtf8(isValidUtf8(page), ascii, page);
}

}  // namespace quillon
