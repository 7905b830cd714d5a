#include "editor/page_encoding.h"

#include <iconv.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>

#include "base/text_bytes.h"
#include "editor/charset_declaration.h"
#include "editor/eight_bit_sets.h"

#include <vector>

namespace quillon {

bool declaresEightBitCharset(std::string_view page) {
  // Searched in place, letters in either case: this runs over the head of every page a site search reads.
  const std::string_view head = page.substr(0, 8192);
  // «charset=…» of a meta tag, and «encoding="…"» of an XML declaration.
  for (std::string_view word : {std::string_view("charset"), std::string_view("encoding")}) {
    for (size_t at = findIgnoringAsciiCase(head, word); at != std::string_view::npos;
         at = findIgnoringAsciiCase(head, word, at + word.size())) {
      size_t i = at + word.size();
      while (i < head.size() && (head[i] == ' ' || head[i] == '=' || head[i] == '"' || head[i] == '\'')) ++i;
      size_t end = i;
      while (end < head.size() && end - i < 20 &&
             (std::isalnum(static_cast<unsigned char>(head[end])) || head[end] == '-' || head[end] == '_'))
        ++end;
      if (end > i && !canonicalEightBitName(head.substr(i, end - i)).empty()) return true;
    }
  }
  return false;
}

namespace {

// The names the page declares for itself, lower-cased, in page order.
std::vector<std::string> declaredNames(std::string_view page) {
  std::vector<std::string> names;
  for (CharsetDeclaration& declaration : charsetDeclarations(page)) names.push_back(std::move(declaration.name));
  return names;
}

bool isAscii(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
}

}  // namespace

std::string declaredMultiByteCharset(std::string_view page) {
  static const std::string_view kMultiByte[] = {"euc-kr",    "euc_kr",    "ks_c_5601", "cp949",  "windows-949",
                                                "shift_jis", "shift-jis", "sjis",      "x-sjis", "windows-31j",
                                                "cp932",     "euc-jp",    "iso-2022",  "gb2312", "gbk",
                                                "gb18030",   "big5",      "euc-tw",    "cp936"};
  for (const std::string& name : declaredNames(page))
    for (std::string_view m : kMultiByte)
      if (name.compare(0, m.size(), m) == 0) return name;
  return {};
}

bool isUtf8CharsetName(std::string_view name) {
  return name == "utf-8" || name == "utf8" || name == "unicode-1-1-utf-8";
}

bool isEightBitCharsetName(std::string_view name) {
  for (const std::string_view prefix :
       {"iso-8859-", "iso8859-", "iso_8859-", "windows-125", "cp125", "latin", "x-mac-", "koi8-", "us-ascii", "ascii"})
    if (name.substr(0, prefix.size()) == prefix) return true;
  return false;
}

std::string declaredCharset(std::string_view page) {
  const auto names = declaredNames(page);
  return names.empty() ? std::string() : names.front();
}

PageText pageTextOf(std::string_view page) {
  // A page that says it is in another multi-byte set takes references, whatever its bytes are so far.
  if (!declaredMultiByteCharset(page).empty()) return PageText::OtherMultiByte;
  return readAsUtf8(page) ? PageText::Utf8 : PageText::Latin1;
}

std::string textIntoPage(std::string_view utf8, PageText kind) {
  switch (kind) {
    case PageText::Utf8:
      return std::string(utf8);
    case PageText::Latin1:
      return toDocumentEncoding(utf8, false);
    case PageText::OtherMultiByte:
      break;
  }
  if (!isValidUtf8(utf8)) return std::string(utf8);  // bytes already, as they came
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += utf8[i++];
      continue;
    }
    const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    unsigned long code = b & (length == 4 ? 0x07 : length == 3 ? 0x0F : 0x1F);
    for (size_t k = 1; k < length; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    out += "&#" + std::to_string(code) + ";";
    i += length;
  }
  return out;
}

std::optional<std::string> textAsInPage(std::string_view utf8, std::string_view page) {
  const PageText kind = pageTextOf(page);
  if (kind != PageText::OtherMultiByte || isAscii(utf8))
    return textIntoPage(utf8, kind == PageText::OtherMultiByte ? PageText::Utf8 : kind);
  const std::string charset = declaredMultiByteCharset(page);
  iconv_t cd = ::iconv_open(upperAscii(charset).c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string in(utf8), out(utf8.size() * 4 + 16, '\0');
  char* from = in.data();
  char* to = out.data();
  size_t fromLeft = in.size(), toLeft = out.size();
  const size_t r = ::iconv(cd, &from, &fromLeft, &to, &toLeft);
  ::iconv_close(cd);
  if (r == static_cast<size_t>(-1) || fromLeft != 0) return std::nullopt;
  out.resize(out.size() - toLeft);
  return out;
}

bool readAsUtf8(bool validUtf8, bool ascii, std::string_view head) {
  return validUtf8 && !(ascii && declaresEightBitCharset(head));
}

bool readAsUtf8(std::string_view page) {
  // Eight bytes at a time: this runs over every page a site-wide search reads.
  bool ascii = true;
  size_t i = 0;
  for (; ascii && i + 8 <= page.size(); i += 8) {
    uint64_t word;
    __builtin_memcpy(&word, page.data() + i, 8);
    ascii = (word & 0x8080808080808080ULL) == 0;
  }
  for (; ascii && i < page.size(); ++i) ascii = (page[i] & 0x80) == 0;
  return readAsUtf8(ascii || isValidUtf8(page), ascii, page);
}

}  // namespace quillon
