#include "editor/search.h"

#include "base/text_bytes.h"

namespace quillon {

void SearchState::start(std::string_view text, std::string_view findText, bool matchCase) {
  snapshot_ = matchCase ? std::string(text) : upperAscii(text);
  find_ = matchCase ? std::string(findText) : upperAscii(findText);
  next_ = find_.empty() ? std::nullopt : std::optional<size_t>(0);
}

std::optional<size_t> SearchState::findNext() {
  if (!next_) return std::nullopt;
  const size_t at = std::string_view(snapshot_).find(find_, *next_);
  if (at == std::string_view::npos) {
    next_.reset();
    return std::nullopt;
  }
  next_ = at + 1;
  return at;
}

void SearchState::replaced(std::string_view newText, size_t replacementLength, bool matchCase) {
  snapshot_ = matchCase ? std::string(newText) : upperAscii(newText);
  // next = p + 1 after a match at p: p + length of the replacement. With no search running it stays none.
  if (next_) next_ = *next_ + replacementLength - 1;
}

ReplaceAllResult replaceAll(std::string_view text, std::string_view findText, std::string_view replacement,
                            bool matchCase) {
  ReplaceAllResult result;
  if (findText.empty()) {
    result.text = text;
    return result;
  }
  // After a replacement at p the next search starts at p + |replacement| in the new text, which from there
  // on is the old text from p + |find| on: one left-to-right pass over the old text gives the same result.
  const std::string upperText = matchCase ? std::string() : upperAscii(text);
  const std::string upperFind = matchCase ? std::string() : upperAscii(findText);
  const std::string_view hay = matchCase ? text : std::string_view(upperText);
  const std::string_view needle = matchCase ? findText : std::string_view(upperFind);
  result.text.reserve(text.size());
  size_t from = 0;
  for (size_t at = hay.find(needle); at != std::string_view::npos; at = hay.find(needle, from)) {
    result.text.append(text.substr(from, at - from));
    result.text.append(replacement);
    result.lastEnd = result.text.size();
    from = at + needle.size();
    ++result.count;
  }
  result.text.append(text.substr(from));
  return result;
}

// Tags are taken in turn as the first unused "<" and the first unused ">" of the line; inside each, the
// quotes pair up in order and the backslashes between a pair are found. Used brackets and quotes are never
// looked at again, so cursors that only move forward give the same pairs as searching the line afresh for
// every tag, in one pass over the line however many tags it holds.
std::vector<size_t> slashesInTags(std::string_view line) {
  std::vector<size_t> found;
  std::vector<size_t> quotes;
  for (size_t at = line.find('"'); at != std::string_view::npos; at = line.find('"', at + 1)) quotes.push_back(at);
  size_t ltFrom = 0, gtFrom = 0, nextQuote = 0;
  for (;;) {
    const size_t a = line.find('<', ltFrom);
    if (a == std::string_view::npos) break;
    const size_t b = line.find('>', gtFrom);
    if (b == std::string_view::npos) break;  // a tag left open: nothing more on this line
    // Quotes at or before this "<" were used by an earlier tag or can never be inside a later one.
    while (nextQuote < quotes.size() && quotes[nextQuote] <= a) ++nextQuote;
    while (nextQuote + 1 < quotes.size() && quotes[nextQuote + 1] < b) {
      const size_t open = quotes[nextQuote], close = quotes[nextQuote + 1];
      for (size_t k = open + 1; k < close; ++k)
        if (line[k] == '\\') found.push_back(k);
      nextQuote += 2;
    }
    if (b + 1 == line.size()) break;
    ltFrom = a + 1;
    gtFrom = b + 1;
  }
  return found;
}

std::string notFoundMessage(std::string_view findText) { return "\"" + std::string(findText) + "\" not found"; }

}  // namespace quillon
