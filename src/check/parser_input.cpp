#include "check/parser_input.h"

#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

namespace {

// Runs shorter than this are left: cutting them would save the parser less than the cut costs.
constexpr size_t kShortestCut = 64;

bool isBlank(unsigned char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Bytes a cut run never holds: those that change the tokenizer's state in text, character references,
// comments, CDATA and raw text (< > & - ! ] NUL), and those that open or close attribute values or end a
// tag's attributes (quotes, =, /), so that a run which turns out to lie in a tag leaves it as it found it.
bool mayBeCut(unsigned char c) {
  switch (c) {
    case '<':
    case '>':
    case '&':
    case '-':
    case '!':
    case ']':
    case '\0':
    case '"':
    case '\'':
    case '`':
    case '=':
    case '/':
      return false;
    default:
      return true;
  }
}

size_t utf8Length(unsigned char lead) {
  if (lead < 0xC0) return 1;
  if (lead < 0xE0) return 2;
  if (lead < 0xF0) return 3;
  return 4;
}

bool startsStyle(std::string_view text, size_t lt) {
  static constexpr std::string_view kStyle = "style";
  if (lt + 1 + kStyle.size() > text.size()) return false;
  for (size_t i = 0; i < kStyle.size(); ++i)
    if ((static_cast<unsigned char>(text[lt + 1 + i]) | 0x20) != static_cast<unsigned char>(kStyle[i])) return false;
  return true;
}

// Where the style element's text ends: the first "</style" (any case) at or after `from` that the tokenizer
// takes as its end tag, followed by a blank, '/' or '>' ("</styles>" is text); the end of the text when
// there is none.
size_t styleEnd(std::string_view text, size_t from) {
  for (size_t at = text.find("</", from); at != std::string_view::npos; at = text.find("</", at + 1)) {
    if (!startsStyle(text, at + 1)) continue;
    const size_t after = at + 2 + 5;
    if (after >= text.size()) return at;
    const char c = text[after];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '/' || c == '>') return at;
  }
  return text.size();
}

}  // namespace

ParserInput::ParserInput(std::string_view page, bool shortenText) : page_(page) {
  if (!isValidUtf8(page)) {
    widened_.reserve(page.size() + page.size() / 8);
    for (const char c : page) {
      const auto b = static_cast<unsigned char>(c);
      if (b < 0x80) {
        widened_ += c;
        continue;
      }
      widenedAt_.push_back(widened_.size());
      widened_ += static_cast<char>(0xC0 | (b >> 6));
      widened_ += static_cast<char>(0x80 | (b & 0x3F));
    }
    widens_ = true;
  }
  if (shortenText) shorten(widenedText());
}

void ParserInput::shorten(std::string_view text) {
  size_t copied = 0;  // text before this is in shortened_ (or cut)
  size_t removed = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '<' && startsStyle(text, i)) {
      i = styleEnd(text, i + 1);
      continue;
    }
    if (c != '>') continue;
    const size_t start = i + 1;
    size_t end = start;
    while (end < text.size() && mayBeCut(static_cast<unsigned char>(text[end]))) ++end;
    if (end - start >= kShortestCut) {
      // Kept: the first character, and the first that is not blank when the run starts blank, so the tree
      // builder sees blanks and text where it would have seen them first.
      size_t keep = utf8Length(static_cast<unsigned char>(text[start]));
      if (isBlank(static_cast<unsigned char>(text[start]))) {
        size_t first = start;
        while (first < end && isBlank(static_cast<unsigned char>(text[first]))) ++first;
        if (first < end) {
          shortened_.append(text.substr(copied, start + 1 - copied));
          shortened_.append(text.substr(first, utf8Length(static_cast<unsigned char>(text[first]))));
          keep = 1 + utf8Length(static_cast<unsigned char>(text[first]));
        } else {
          shortened_.append(text.substr(copied, start + 1 - copied));
        }
      } else {
        shortened_.append(text.substr(copied, start + keep - copied));
      }
      const size_t at = shortened_.size() - keep;
      const size_t gone = (end - start) - keep;
      cuts_.push_back(Cut{at, keep, removed, gone});
      removed += gone;
      copied = end;
    }
    i = end - 1;
  }
  if (cuts_.empty()) {
    shortened_.clear();
    return;
  }
  shortened_.append(text.substr(copied));
}

size_t ParserInput::widenedToPage(size_t offset) const {
  if (!widens_) return offset;
  return offset -
         static_cast<size_t>(std::lower_bound(widenedAt_.begin(), widenedAt_.end(), offset) - widenedAt_.begin());
}

size_t ParserInput::shortenedToWidened(size_t offset) const {
  if (cuts_.empty()) return offset;
  const auto after =
      std::upper_bound(cuts_.begin(), cuts_.end(), offset, [](size_t o, const Cut& c) { return o < c.at; });
  if (after == cuts_.begin()) return offset;
  const Cut& cut = *(after - 1);
  return offset + cut.removedBefore + (offset >= cut.at + cut.kept ? cut.removed : 0);
}

bool ParserInput::cutsHold(std::vector<std::pair<size_t, size_t>> textSpans,
                           std::vector<std::pair<size_t, size_t>> valueSpans) const {
  if (cuts_.empty()) return true;
  std::vector<bool> inText(cuts_.size(), false);
  // The first cut whose kept characters start at or after `offset`.
  const auto firstFrom = [&](size_t offset) {
    return static_cast<size_t>(
        std::lower_bound(cuts_.begin(), cuts_.end(), offset, [](const Cut& c, size_t o) { return c.at < o; }) -
        cuts_.begin());
  };
  for (const auto& [start, end] : textSpans)
    for (size_t i = firstFrom(start); i < cuts_.size() && cuts_[i].at + cuts_[i].kept <= end; ++i) inText[i] = true;
  if (std::find(inText.begin(), inText.end(), false) != inText.end()) return false;
  for (const auto& [start, end] : valueSpans) {
    const size_t i = firstFrom(start);
    if (i < cuts_.size() && cuts_[i].at < end) return false;
    if (i > 0 && cuts_[i - 1].at + cuts_[i - 1].kept > start) return false;
  }
  return true;
}

}  // namespace quillon
