#pragma once

#include <cstddef>
#include <optional>

namespace quillon {

// Which parts of a page one spell check covers, in order: the selection, when there is one; then, on the
// user's word, the rest of the page after it; or, for a check begun at the caret with text before it, on
// the user's word the text before the caret once the end is reached.
class SpellWalk {
 public:
  static constexpr const char* kCheckRemainder =
      "The selected text has been checked.\r\nCheck the remainder of the document?";
  static constexpr const char* kCheckFromStart =
      "The end of the page has been reached.\r\nCheck the page from its start?";

  struct Range {
    size_t from, to;
  };

  SpellWalk(size_t selStart, size_t selLength);

  // The first range, in a text of `textLength` bytes.
  Range first(size_t textLength) const;
  // What to ask once the current range is done; nothing ends the check.
  const char* question() const;
  // The user's answer to question(): the next range, or nothing when the check ends. `selectionEnd` is where
  // the checked selection ends now (changes in it may have moved it); `textLength` the text's length now.
  std::optional<Range> answer(bool yes, size_t selectionEnd, size_t textLength);
  // Whether an uncancelled check that ends now says it is complete: not when only the selection was
  // checked.
  bool saysComplete() const { return restBegun_ && !remainderDeclined_; }

 private:
  size_t selStart_, selLength_;
  bool restBegun_;
  size_t restStart_;
  bool startOffered_;
  bool remainderDeclined_ = false;
};

}  // namespace quillon
