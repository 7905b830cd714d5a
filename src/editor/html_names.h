#pragma once

#include <string_view>
#include <vector>

namespace quillon {

// The elements of HTML, sorted.
const std::vector<std::string_view>& htmlElements();
// The attributes an element takes: its own and the global ones, sorted; empty for a name that is no element.
std::vector<std::string_view> htmlAttributes(std::string_view element);
// Elements that never have an end tag (br, img, input, ...).
bool isVoidElement(std::string_view element);

}  // namespace quillon
