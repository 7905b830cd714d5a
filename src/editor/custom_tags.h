#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/insertion.h"

namespace quillon {

// A custom tag entry of custom.dat: «name * <START><END>» with the end tag possibly empty.
std::string customTagEntry(std::string_view name, std::string_view start, std::string_view end);

// The entry applied to the editing window: the start tag (its first "<" to its first ">"), the selected
// text, the end tag (the next "<" to ">" after it, or nothing); replaces the selection, all of it selected.
Insertion applyCustomTag(const EditView& view, std::string_view entry);

// A list file (custom tags, snippets) keeps one entry per line: a field holding a line break would come
// back after a restart as several broken entries. The message naming the field, or empty when it has none.
std::string lineBreakProblem(std::string_view text, std::string_view field);

// The add dialog's checks on the name, in order: the message to show, or empty when the name will do.
std::string customTagNameProblem(std::string_view name);

// The start tag field as typing leaves it: "<" and ">" added where missing, the caret before the final ">",
// and the end tag that goes with it ("</" and the rest after "<").
struct TypedTag {
  std::string text;
  size_t caret = 0;
  std::string endTag;  // for the start field only
};
TypedTag completeStartTag(std::string_view typed);
TypedTag completeEndTag(std::string_view typed);

// Case-blind order, as the list boxes and the combo show them.
void sortCaseBlind(std::vector<std::string>& entries);

}  // namespace quillon
