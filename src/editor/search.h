#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The document search shared by the find and replace dialogs: a plain forward substring search in a
// snapshot of the text taken when the search starts, so the user may edit between two Find Next presses
// and the search goes on in the text as it was. Without "Match case" both sides are upper-cased (A-Z only).
class SearchState {
 public:
  // StartSearch. An empty find text starts nothing: the search fails at once.
  void start(std::string_view text, std::string_view findText, bool matchCase);
  // FindNextMatch: the next match at or after the next position; overlapping matches are found. A failed
  // search stays failed until start().
  std::optional<size_t> findNext();
  // ReplaceMatch, after the selection was replaced in the document: a new snapshot of the whole text, and
  // the next position moves past the replacement so it is never searched.
  void replaced(std::string_view newText, size_t replacementLength, bool matchCase);

  // Ends the search: the next Find Next fails.
  void stop() { next_.reset(); }
  bool active() const { return next_.has_value(); }
  const std::string& findText() const { return find_; }

 private:
  std::string snapshot_;
  std::string find_;
  std::optional<size_t> next_;
};

struct ReplaceAllResult {
  std::string text;
  size_t count = 0;
  size_t lastEnd = 0;  // just after the last replacement in the new text
};

// The text that replacing one match at a time, with a new snapshot after each, would give; built in one pass.
ReplaceAllResult replaceAll(std::string_view text, std::string_view findText, std::string_view replacement,
                            bool matchCase);

// Offsets, within one line, of the backslashes inside double-quoted values of tags on that line.
std::vector<size_t> slashesInTags(std::string_view line);

// "abc" not found.
std::string notFoundMessage(std::string_view findText);

}  // namespace quillon
