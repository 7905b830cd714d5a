#include "check/css_references.h"

#include <cctype>

#include "base/text_bytes.h"

namespace quillon {

namespace {

bool isHex(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }
unsigned long hexValue(char c) { return static_cast<unsigned long>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10); }
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isNameByte(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// A backslash escape at `i` (the byte after the backslash), appended to `out`; `i` moves past it.
void readEscape(std::string_view css, size_t& i, std::string& out) {
  if (i >= css.size()) return;
  if (isHex(css[i])) {
    unsigned long cp = 0;
    for (int n = 0; n < 6 && i < css.size() && isHex(css[i]); ++n, ++i) cp = cp * 16 + hexValue(css[i]);
    if (i < css.size() && isBlank(css[i])) ++i;
    if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    appendUtf8(out, static_cast<char32_t>(cp));
    return;
  }
  if (css[i] == '\n') {  // a line continued inside a string
    ++i;
    return;
  }
  out += css[i++];
}

// A quoted string starting at its quote; `i` moves past the closing quote.
std::string readString(std::string_view css, size_t& i) {
  const char quote = css[i++];
  std::string out;
  while (i < css.size() && css[i] != quote && css[i] != '\n') {
    if (css[i] == '\\') {
      ++i;
      readEscape(css, i, out);
    } else {
      out += css[i++];
    }
  }
  if (i < css.size() && css[i] == quote) ++i;
  return out;
}

void skipBlanks(std::string_view css, size_t& i) {
  while (i < css.size() && isBlank(css[i])) ++i;
}

// The inside of url( ... ) from just after the parenthesis; `i` moves past the closing one.
std::string readUrl(std::string_view css, size_t& i) {
  skipBlanks(css, i);
  std::string out;
  if (i < css.size() && (css[i] == '"' || css[i] == '\'')) {
    out = readString(css, i);
    skipBlanks(css, i);
  } else {
    while (i < css.size() && css[i] != ')' && !isBlank(css[i])) {
      if (css[i] == '\\') {
        ++i;
        readEscape(css, i, out);
      } else {
        out += css[i++];
      }
    }
    skipBlanks(css, i);
    // "url(a b)" is a bad URL to a browser, which loads nothing for it.
    if (i < css.size() && css[i] != ')') {
      out.clear();
      while (i < css.size() && css[i] != ')') ++i;
    }
  }
  if (i < css.size() && css[i] == ')') ++i;
  return out;
}

bool startsWithIgnoringCase(std::string_view css, size_t at, std::string_view word) {
  return css.size() - at >= word.size() && equalsIgnoringAsciiCase(css.substr(at, word.size()), word);
}

}  // namespace

std::vector<CssReference> cssReferences(std::string_view css) {
  std::vector<CssReference> found;
  for (size_t i = 0; i < css.size();) {
    const char c = css[i];
    if (c == '/' && i + 1 < css.size() && css[i + 1] == '*') {
      const size_t end = css.find("*/", i + 2);
      i = end == std::string_view::npos ? css.size() : end + 2;
    } else if (c == '"' || c == '\'') {
      readString(css, i);
    } else if (c == '\\') {
      i += 2;
    } else if (c == '@' && startsWithIgnoringCase(css, i + 1, "import") &&
               (i + 7 >= css.size() || !isNameByte(css[i + 7]))) {
      i += 7;
      skipBlanks(css, i);
      const size_t at = i;
      if (i < css.size() && (css[i] == '"' || css[i] == '\'')) {
        found.push_back({readString(css, i), at, true});
      } else if (startsWithIgnoringCase(css, i, "url(")) {
        i += 4;
        found.push_back({readUrl(css, i), at, true});
      }
    } else if ((c == 'u' || c == 'U') && startsWithIgnoringCase(css, i, "url(") &&
               (i == 0 || !isNameByte(css[i - 1]))) {
      const size_t at = i;
      i += 4;
      std::string url = readUrl(css, i);
      if (!url.empty()) found.push_back({std::move(url), at, false});
    } else {
      ++i;
    }
  }
  return found;
}

}  // namespace quillon
