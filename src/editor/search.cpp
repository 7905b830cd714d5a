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

std::vector<size_t> slashesInTags(std::string_view line) {
  std::vector<size_t> found;
  std::string w(line);
  for (;;) {
    const size_t a = w.find('<');
    if (a == std::string::npos) break;
    const size_t b = w.find('>');
    if (b == std::string::npos) break;  // a tag left open: nothing more on this line
    std::vector<size_t> used;
    size_t open = std::string::npos;
    for (size_t i = a + 1; i < b; ++i) {
      if (w[i] != '"') continue;
      if (open == std::string::npos) {
        open = i;
        continue;
      }
      for (size_t k = open + 1; k < i; ++k) {
        if (w[k] != '\\') continue;
        found.push_back(k);
        w[k] = '/';  // replaced: never counted twice
      }
      used.push_back(open);
      used.push_back(i);
      open = std::string::npos;
    }
    if (b + 1 == w.size()) break;
    w[a] = '$';
    w[b] = '$';
    for (size_t q : used) w[q] = '$';
  }
  return found;
}

std::string notFoundMessage(std::string_view findText) { return "\"" + std::string(findText) + "\" not found"; }

}  // namespace quillon
