#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillon {

// A page as the HTML parser is given it, with the way back from the parser's offsets to the page's bytes.
//
// An 8-bit page is widened to UTF-8 (the parser reads nothing else). With `shortenText`, long runs of
// plain text that follow a '>' (a paragraph's words) are each cut down to their first characters: the
// parser's time goes mostly to text the checks never read, and a run holds no byte that could change the
// tokenizer's state in text, comments or raw-text elements. Style elements keep their text. Whether every
// cut run really was text is known only from the parse: `cutsHold` says so, and when it does not the page
// is parsed again whole.
class ParserInput {
 public:
  ParserInput(std::string_view page, bool shortenText);

  std::string_view text() const { return shortened_.empty() && cuts_.empty() ? widenedText() : shortened_; }
  // The page offset of an offset into text().
  size_t pageOffset(size_t offset) const { return widenedToPage(shortenedToWidened(offset)); }
  size_t offsetOf(const char* p) const { return pageOffset(static_cast<size_t>(p - text().data())); }
  bool shortened() const { return !cuts_.empty(); }

  // True when every cut run lies in one of `textSpans` (the parse's text, comment and CDATA nodes) and in
  // none of `valueSpans` (its attribute values): then the parse read the cut runs as text, and everything
  // but that text is as the whole page would give it. Spans are [start, end) offsets into text().
  bool cutsHold(std::vector<std::pair<size_t, size_t>> textSpans,
                std::vector<std::pair<size_t, size_t>> valueSpans) const;

 private:
  struct Cut {
    size_t at;             // where the run's kept characters start in text()
    size_t kept;           // how many bytes of the run are kept
    size_t removedBefore;  // bytes removed by the cuts before this one
    size_t removed;        // bytes this cut removes
  };

  std::string_view widenedText() const { return widens_ ? std::string_view(widened_) : page_; }
  size_t widenedToPage(size_t offset) const;
  size_t shortenedToWidened(size_t offset) const;
  void shorten(std::string_view text);

  std::string_view page_;
  std::string widened_;
  std::vector<size_t> widenedAt_;  // where each widened byte's pair starts in the copy
  bool widens_ = false;
  std::string shortened_;
  std::vector<Cut> cuts_;
};

}  // namespace quillon
