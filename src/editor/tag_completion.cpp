#include "editor/tag_completion.h"

#include <algorithm>

#include "base/text_bytes.h"
#include "editor/html_names.h"

namespace quillon {

namespace {

constexpr size_t kLookedBack = 1 << 20;

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameChar(char c) { return isLetter(c) || (c >= '0' && c <= '9') || c == '-'; }
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

// Written in the case the user typed: all capitals when what was typed is.
std::string inCaseOf(std::string_view typed, std::string_view name) {
  const bool upper = !typed.empty() &&
                     std::none_of(typed.begin(), typed.end(), [](char c) { return c >= 'a' && c <= 'z'; }) &&
                     std::any_of(typed.begin(), typed.end(), isLetter);
  return upper ? upperAscii(name) : std::string(name);
}

// The end of a tag that starts at `at` ("<"), past its ">" (quotes respected), or npos when it is not closed.
size_t tagEnd(std::string_view text, size_t at) {
  char quote = 0;
  for (size_t i = at + 1; i < text.size(); ++i) {
    const char c = text[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return std::string_view::npos;
}

}  // namespace

std::string innermostOpenElement(std::string_view before) {
  const std::string_view text = before.substr(before.size() > kLookedBack ? before.size() - kLookedBack : 0);
  std::vector<std::string> open;  // as written; compared without regard to case
  for (size_t i = text.find('<'); i != std::string_view::npos && i < text.size(); i = text.find('<', i)) {
    if (text.substr(i, 4) == "<!--") {
      const size_t end = text.find("-->", i + 4);
      if (end == std::string_view::npos) break;
      i = end + 3;
      continue;
    }
    const bool closing = i + 1 < text.size() && text[i + 1] == '/';
    const size_t nameAt = i + (closing ? 2 : 1);
    if (nameAt >= text.size() || !isLetter(text[nameAt])) {
      const size_t end = (i + 1 < text.size() && (text[i + 1] == '!' || text[i + 1] == '?')) ? text.find('>', i) : i;
      if (end == std::string_view::npos) break;
      i = end + 1;
      continue;
    }
    size_t nameEnd = nameAt;
    while (nameEnd < text.size() && isNameChar(text[nameEnd])) ++nameEnd;
    const std::string name(text.substr(nameAt, nameEnd - nameAt));
    const std::string lower = lowerAscii(name);
    const size_t end = tagEnd(text, i);
    if (end == std::string_view::npos) break;  // the tag being typed
    if (closing) {
      for (size_t k = open.size(); k-- > 0;)
        if (lowerAscii(open[k]) == lower) {
          open.resize(k);
          break;
        }
      i = end;
      continue;
    }
    i = end;
    if (isVoidElement(lower) || text[end - 2] == '/') continue;
    if (lower == "script" || lower == "style") {  // their text holds no tags
      const size_t close = findIgnoringAsciiCase(text, "</" + lower, end);
      if (close == std::string_view::npos) return name;
      i = close;
      continue;
    }
    open.push_back(name);
  }
  return open.empty() ? std::string() : open.back();
}

CompletionOffer completionAt(std::string_view before) {
  CompletionOffer offer;
  // Letters just typed, after "<" or "</".
  size_t letters = before.size();
  while (letters > 0 && isNameChar(before[letters - 1])) --letters;
  const std::string_view typed = before.substr(letters);
  if (letters >= 2 && before.substr(letters - 2, 2) == "</") {
    const std::string open = innermostOpenElement(before.substr(0, letters - 2));
    if (open.empty() || open.size() < typed.size() || !equalsIgnoringAsciiCase(open.substr(0, typed.size()), typed))
      return offer;
    offer.kind = CompletionKind::EndTag;
    offer.typed = typed.size();
    offer.items = {open};
    return offer;
  }
  if (letters >= 1 && before[letters - 1] == '<' && !typed.empty() && isLetter(typed.front())) {
    const std::string prefix = lowerAscii(typed);
    for (std::string_view name : htmlElements())
      if (name.substr(0, prefix.size()) == prefix) offer.items.push_back(inCaseOf(typed, name));
    if (offer.items.empty()) return offer;
    offer.kind = CompletionKind::Element;
    offer.typed = typed.size();
    return offer;
  }
  // A space inside a start tag, outside any quoted value.
  if (before.empty() || !isSpace(before.back())) return offer;
  const size_t lt = before.rfind('<');
  const size_t gt = before.rfind('>');
  if (lt == std::string_view::npos || (gt != std::string_view::npos && gt > lt) || lt + 1 >= before.size() ||
      !isLetter(before[lt + 1]))
    return offer;
  const std::string_view tag = before.substr(lt + 1);
  if (std::count(tag.begin(), tag.end(), '"') % 2 != 0 || std::count(tag.begin(), tag.end(), '\'') % 2 != 0)
    return offer;
  size_t nameEnd = 0;
  while (nameEnd < tag.size() && isNameChar(tag[nameEnd])) ++nameEnd;
  if (nameEnd >= tag.size() || !isSpace(tag[nameEnd])) return offer;
  const std::string element = lowerAscii(tag.substr(0, nameEnd));
  const std::string present = lowerAscii(tag.substr(nameEnd));
  for (std::string_view attribute : htmlAttributes(element)) {
    // An attribute the tag has already: its name stands alone, or before "=".
    bool there = false;
    for (size_t at = present.find(attribute); at != std::string::npos && !there; at = present.find(attribute, at + 1)) {
      const size_t after = at + attribute.size();
      there = at > 0 && isSpace(present[at - 1]) &&
              (after == present.size() || present[after] == '=' || isSpace(present[after]));
    }
    if (!there) offer.items.push_back(inCaseOf(tag.substr(0, nameEnd), attribute));
  }
  if (offer.items.empty()) return offer;
  offer.kind = CompletionKind::Attribute;
  return offer;
}

CompletionText completionText(CompletionKind kind, std::string_view item) {
  static constexpr std::string_view kBoolean[] = {"allowfullscreen",
                                                  "async",
                                                  "autofocus",
                                                  "autoplay",
                                                  "checked",
                                                  "controls",
                                                  "default",
                                                  "defer",
                                                  "disabled",
                                                  "formnovalidate",
                                                  "hidden",
                                                  "inert",
                                                  "ismap",
                                                  "itemscope",
                                                  "loop",
                                                  "multiple",
                                                  "muted",
                                                  "nomodule",
                                                  "novalidate",
                                                  "open",
                                                  "playsinline",
                                                  "readonly",
                                                  "required",
                                                  "reversed",
                                                  "selected",
                                                  "shadowrootclonable",
                                                  "shadowrootdelegatesfocus"};
  switch (kind) {
    case CompletionKind::EndTag:
      return {std::string(item) + ">", 0};
    case CompletionKind::Attribute: {
      const std::string lower = lowerAscii(item);
      if (std::find(std::begin(kBoolean), std::end(kBoolean), lower) != std::end(kBoolean))
        return {std::string(item), 0};
      return {std::string(item) + "=\"\"", 1};
    }
    case CompletionKind::Element:
    case CompletionKind::None:
      break;
  }
  return {std::string(item), 0};
}

}  // namespace quillon
