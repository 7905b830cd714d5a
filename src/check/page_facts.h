#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// What a reference asks of its target: a page shown (a link), a file loaded with the page (an image, a
// style sheet, a script, a frame), or a style sheet's own load.
enum class ReferenceUse { Link, Load, Alternative, Frame, StyleSheet };

// Alternative: a file the browser may load in place of another (srcset candidates, media sources).
// A URL written in a page, as the browser reads it (entities resolved), with the byte where it starts.
struct PageReference {
  std::string url;
  size_t offset = 0;  // in the page's bytes
  ReferenceUse use = ReferenceUse::Link;
  std::string element;  // "a", "img", "style" (for url(...) in CSS) ...
};

// What a check needs of one page, read through an HTML5 parser as a browser reads it.
struct PageFacts {
  std::vector<PageReference> references;  // in page order
  std::map<std::string, size_t> targets;  // ids and <a name>s, each with its first place
  struct DuplicateId {
    std::string id;
    size_t offset = 0, first = 0;  // where it repeats, and where it first stands
  };
  std::vector<DuplicateId> duplicateIds;
  std::vector<std::pair<std::string, size_t>> imagesWithoutAlt;  // the image's src and where its tag is
  std::string base;                                              // the first <base href>, when the page has one
  size_t baseOffset = 0;
  std::string charset;  // the declared charset, lower case; empty when none is declared
  size_t charsetOffset = 0;
  std::string unparsed;  // why the page could not be read as HTML; empty when it was
};

// Pages nested deeper than this are not given to the parser: its time grows with the square of the depth.
constexpr size_t kMaxNestingDepth = 10'000;

// The facts of a page; 8-bit pages are read as Latin-1, every offset is in the page's own bytes. With
// `shortenText`, the parser skips the words of long runs of text, which no fact depends on (the facts are
// the same either way; false reads every byte).
PageFacts readPageFacts(std::string_view page, bool shortenText = true);

// The deepest nesting of elements a page could reach, counted roughly from its tags (comments, scripts and
// the elements whose end tags may be left out are passed over); it stops counting above `limit`.
size_t roughNestingDepth(std::string_view page, size_t limit);

// The URLs of a srcset attribute, in order.
std::vector<std::string> srcsetUrls(std::string_view srcset);

// The URL of a meta refresh content ("5; url=next.html"), or empty.
std::string refreshUrl(std::string_view content);

// Line and column (both 1-based, the column in bytes) of every offset of one text.
class LinePositions {
 public:
  explicit LinePositions(std::string_view text);
  std::pair<size_t, size_t> at(size_t offset) const;

 private:
  std::vector<size_t> starts_;  // where each line starts
};

}  // namespace quillon
