#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// A page of plain ASCII is valid UTF-8, but one that declares an 8-bit character set in its head
// («<meta charset="iso-8859-1">», «content="text/html; charset=koi8-r"», any set `eightBitSet` knows) is an
// 8-bit page: text that
// later goes into it must be written as 8-bit bytes. Looks at the first 8 KB only.
bool declaresEightBitCharset(std::string_view page);

// How the editing window reads a page, and so how words and changes go into it: UTF-8 when the bytes are
// valid UTF-8, unless they are plain ASCII in a page that declares an 8-bit set; else Latin-1.
bool readAsUtf8(std::string_view page);
// The same from facts gathered while a page is read in pieces: whether it is valid UTF-8, whether it is
// plain ASCII, and its first bytes.
bool readAsUtf8(bool validUtf8, bool ascii, std::string_view head);

// How text from the user (UTF-8) goes into a page: unchanged into a page read as UTF-8; as Latin-1 into an
// 8-bit page; and into a page that declares another multi-byte set (EUC-KR, Shift_JIS, GB2312, Big5, ...),
// whose bytes are neither, every character beyond ASCII as a numeric character reference, which any page
// can hold.
enum class PageText { Utf8, Latin1, OtherMultiByte };
PageText pageTextOf(std::string_view page);
// The declared multi-byte set other than UTF-8 ("euc-kr"), lower-cased, or empty. First 8 KB only.
std::string declaredMultiByteCharset(std::string_view page);

// The first character set the page's head declares (meta charset, content type or XML declaration),
// lower-cased, or empty. First 8 KB only.
std::string declaredCharset(std::string_view page);

// Whether a declared charset name (lower case) is UTF-8, or one of the 8-bit sets (ISO-8859-x,
// windows-125x, Latin-n, ASCII, KOI8, Mac).
bool isUtf8CharsetName(std::string_view name);
bool isEightBitCharsetName(std::string_view name);

// UTF-8 text as written into a page of that kind.
std::string textIntoPage(std::string_view utf8, PageText kind);
// UTF-8 text as the bytes it has in the page, for searching: in a multi-byte page its bytes in the
// declared set (nothing when the set cannot hold the text, so nothing matches).
std::optional<std::string> textAsInPage(std::string_view utf8, std::string_view page);

}  // namespace quillon
