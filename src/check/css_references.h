#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A URL in style sheet text: url(...) and @import "...", with its byte in the text.
struct CssReference {
  std::string url;
  size_t offset = 0;
  bool import = false;  // an @import: a style sheet of its own
};

// Every URL in a style sheet, an inline style attribute or a style element; comments and strings outside
// url(...) are passed over, CSS escapes are resolved.
std::vector<CssReference> cssReferences(std::string_view css);

}  // namespace quillon
