#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// What the editor offers as the user types: after "</" the innermost element still open, after "<" and
// letters the element names they begin, after a space inside a start tag the attributes of its element
// that the tag does not have yet.
enum class CompletionKind { None, EndTag, Element, Attribute };
struct CompletionOffer {
  CompletionKind kind = CompletionKind::None;
  size_t typed = 0;  // bytes before the caret that the chosen item replaces
  std::vector<std::string> items;
};
// `before` is the page up to the caret (its last megabyte is enough).
CompletionOffer completionAt(std::string_view before);

// The innermost element open at the end of `before`, as it is written there, or empty. Comments, scripts,
// style sheets, void and self-closed elements open nothing; an end tag closes its element and those
// left open inside it.
std::string innermostOpenElement(std::string_view before);

// What goes in for a chosen item: an end tag closes itself ("table>"), an attribute takes an empty value
// with the caret inside its quotes (boolean ones stand alone).
struct CompletionText {
  std::string text;
  size_t caretBack = 0;  // how far before the end of `text` the caret goes
};
CompletionText completionText(CompletionKind kind, std::string_view item);

}  // namespace quillon
