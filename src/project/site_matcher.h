#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

struct MatchOptions {
  bool regex = false;      // a regular expression (PCRE2), else the text as it is
  bool matchCase = false;  // else A-Z match a-z (a regular expression folds case as PCRE2 does)
  bool wholeWord = false;  // not inside a word: letters, digits, '_' and any byte of a non-ASCII character
};

// One match in a page's bytes, with the byte ranges of its groups (for "$1" in a replacement).
struct PageMatch {
  size_t start = 0, end = 0;
  std::vector<std::pair<size_t, size_t>> groups;  // group 1 onwards; (npos, npos) for a group that did not take part
};

// A search text or pattern, ready to be matched in pages of either encoding: a page read as UTF-8 is
// matched as UTF-8, an 8-bit page with the text in its bytes.
class SiteMatcher {
 public:
  // The matcher, or in `error` why the pattern cannot be used: PCRE2's message and the position for an
  // invalid expression; a refusal for an empty text or a pattern that matches the empty string.
  static std::unique_ptr<SiteMatcher> make(std::string_view findText, MatchOptions options, std::string& error);
  ~SiteMatcher();

  // Every match, left to right, none overlapping. False with `error` when a pattern gives up (it would
  // backtrack without end): the matches found before are kept.
  bool findAll(std::string_view page, std::vector<PageMatch>& matches, std::string& error) const;
  // The same for a page already known to be read as UTF-8 (or not).
  bool findAll(std::string_view page, bool utf8, std::vector<PageMatch>& matches, std::string& error) const;

  // The replacement for one match: "$1".."$99", "${name}" and "$$" stand for groups and '$' in a regular
  // expression's replacement; plain text otherwise. Both come and go as the page's own bytes.
  std::string expand(std::string_view replacementInPage, std::string_view page, const PageMatch& match) const;

  const MatchOptions& options() const { return options_; }

 private:
  SiteMatcher() = default;
  struct Compiled;
  bool findLiteral(std::string_view page, std::string_view needle, std::vector<PageMatch>& matches) const;
  bool findRegex(const Compiled& c, std::string_view page, std::vector<PageMatch>& matches, std::string& error) const;

  MatchOptions options_;
  std::string text_;  // as the user gave it (UTF-8)
  std::unique_ptr<Compiled> utf8_, eightBit_;
};

// Whether the byte is part of a word for "whole word".
bool isWordByte(unsigned char c);

}  // namespace quillon
