#pragma once

#include <string_view>

namespace quillon {

// A page of plain ASCII is valid UTF-8, but one that declares an 8-bit character set in its head
// («<meta charset="iso-8859-1">», «content="text/html; charset=windows-1252"») is an 8-bit page: text that
// later goes into it must be written as 8-bit bytes. Looks at the first 8 KB only.
bool declaresEightBitCharset(std::string_view page);

// How the editing window reads a page, and so how words and changes go into it: UTF-8 when the bytes are
// valid UTF-8, unless they are plain ASCII in a page that declares an 8-bit set; else Latin-1.
bool readAsUtf8(std::string_view page);
// The same from facts gathered while a page is read in pieces: whether it is valid UTF-8, whether it is
// plain ASCII, and its first bytes.
bool readAsUtf8(bool validUtf8, bool ascii, std::string_view head);

}  // namespace quillon
