#include "editor/charset_declaration.h"

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr size_t kScanned = 8192;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct Attribute {
  std::string name;  // lower-cased
  size_t valueAt = 0, valueLength = 0;
};

// One attribute from `i` inside a tag; false at the tag's end.
bool nextAttribute(std::string_view head, size_t& i, Attribute& attribute) {
  while (i < head.size() && (isSpace(head[i]) || head[i] == '/')) ++i;
  if (i >= head.size() || head[i] == '>') return false;
  const size_t nameAt = i;
  while (i < head.size() && !isSpace(head[i]) && head[i] != '/' && head[i] != '>' && (head[i] != '=' || i == nameAt))
    ++i;
  attribute.name = lowerAscii(head.substr(nameAt, i - nameAt));
  attribute.valueAt = i;
  attribute.valueLength = 0;
  while (i < head.size() && isSpace(head[i])) ++i;
  if (i >= head.size() || head[i] != '=') return true;
  ++i;
  while (i < head.size() && isSpace(head[i])) ++i;
  if (i < head.size() && (head[i] == '"' || head[i] == '\'')) {
    const char quote = head[i++];
    const size_t end = head.find(quote, i);
    attribute.valueAt = i;
    attribute.valueLength = (end == std::string_view::npos ? head.size() : end) - i;
    i = end == std::string_view::npos ? head.size() : end + 1;
    return true;
  }
  attribute.valueAt = i;
  while (i < head.size() && !isSpace(head[i]) && head[i] != '>') ++i;
  attribute.valueLength = i - attribute.valueAt;
  return true;
}

// «charset=NAME» inside a content attribute's value starting at `at`.
bool charsetInContent(std::string_view head, size_t at, size_t length, CharsetDeclaration& declaration) {
  const std::string_view content = head.substr(at, length);
  size_t i = findIgnoringAsciiCase(content, "charset");
  if (i == std::string_view::npos) return false;
  i += 7;
  while (i < content.size() && isSpace(content[i])) ++i;
  if (i >= content.size() || content[i] != '=') return false;
  ++i;
  while (i < content.size() && (isSpace(content[i]) || content[i] == '"' || content[i] == '\'')) ++i;
  size_t end = i;
  while (end < content.size() && !isSpace(content[end]) && content[end] != ';' && content[end] != '"' &&
         content[end] != '\'')
    ++end;
  if (end == i) return false;
  declaration = {lowerAscii(content.substr(i, end - i)), at + i, end - i};
  return true;
}

void xmlDeclaration(std::string_view head, std::vector<CharsetDeclaration>& found) {
  size_t start = head.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
  if (head.substr(start, 5) != "<?xml") return;
  const size_t end = head.find("?>", start);
  const std::string_view declaration =
      head.substr(start, end == std::string_view::npos ? head.size() - start : end - start);
  size_t i = declaration.find("encoding");
  if (i == std::string_view::npos) return;
  i += 8;
  while (i < declaration.size() && isSpace(declaration[i])) ++i;
  if (i >= declaration.size() || declaration[i] != '=') return;
  ++i;
  while (i < declaration.size() && isSpace(declaration[i])) ++i;
  if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\'')) return;
  const char quote = declaration[i++];
  const size_t close = declaration.find(quote, i);
  if (close == std::string_view::npos || close == i) return;
  found.push_back({lowerAscii(declaration.substr(i, close - i)), start + i, close - i});
}

}  // namespace

std::vector<CharsetDeclaration> charsetDeclarations(std::string_view page) {
  const std::string_view head = page.substr(0, kScanned);
  std::vector<CharsetDeclaration> found;
  xmlDeclaration(head, found);
  for (size_t i = head.find('<'); i != std::string_view::npos && i < head.size(); i = head.find('<', i)) {
    if (head.substr(i, 4) == "<!--") {
      const size_t end = head.find("-->", i + 4);
      if (end == std::string_view::npos) break;
      i = end + 3;
      continue;
    }
    const bool meta = i + 5 < head.size() && equalsIgnoringAsciiCase(head.substr(i + 1, 4), "meta") &&
                      (isSpace(head[i + 5]) || head[i + 5] == '/');
    const bool tag = i + 1 < head.size() &&
                     (isLetter(head[i + 1]) || (head[i + 1] == '/' && i + 2 < head.size() && isLetter(head[i + 2])));
    if (!meta && !tag) {
      if (i + 1 < head.size() && (head[i + 1] == '!' || head[i + 1] == '?')) {
        const size_t end = head.find('>', i);
        if (end == std::string_view::npos) break;
        i = end + 1;
      } else {
        ++i;
      }
      continue;
    }
    i += meta ? 5 : 1;
    if (!meta)
      while (i < head.size() && !isSpace(head[i]) && head[i] != '/' && head[i] != '>') ++i;
    Attribute attribute;
    bool contentType = false;
    CharsetDeclaration fromContent, fromCharset;
    bool haveContent = false, haveCharset = false;
    while (nextAttribute(head, i, attribute)) {
      if (!meta) continue;
      if (attribute.name == "charset" && attribute.valueLength > 0 && !haveCharset) {
        fromCharset = {lowerAscii(head.substr(attribute.valueAt, attribute.valueLength)), attribute.valueAt,
                       attribute.valueLength};
        haveCharset = true;
      } else if (attribute.name == "http-equiv") {
        contentType = equalsIgnoringAsciiCase(head.substr(attribute.valueAt, attribute.valueLength), "content-type");
      } else if (attribute.name == "content" && !haveContent) {
        haveContent = charsetInContent(head, attribute.valueAt, attribute.valueLength, fromContent);
      }
    }
    if (haveCharset)
      found.push_back(fromCharset);
    else if (haveContent && contentType)
      found.push_back(fromContent);
    if (i < head.size()) ++i;
  }
  return found;
}

}  // namespace quillon
