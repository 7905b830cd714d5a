#pragma once

#include <string_view>
#include <vector>

namespace quillon {

// The desktop icon (freedesktop name) a toolbar or tag-panel button of a command shows; a tag button
// without one of its own shows "insert-text".
std::string_view iconNameFor(std::string_view command);

// Every icon name the buttons use, for shipping a fallback copy of each.
const std::vector<std::string_view>& buttonIconNames();

}  // namespace quillon
