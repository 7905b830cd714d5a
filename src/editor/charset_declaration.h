#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// A character set a page names for itself: in a meta tag («<meta charset="…">», «<meta http-equiv=
// "Content-Type" content="text/html; charset=…">») or in the XML declaration at its very start.
struct CharsetDeclaration {
  std::string name;  // lower-cased
  size_t at = 0;     // where the name's bytes are in the page
  size_t length = 0;
};

// The declarations in the first 8 KB, in page order, read as a browser's pre-scan reads them: the word
// "charset" in text, in a comment or in another tag's attribute declares nothing.
std::vector<CharsetDeclaration> charsetDeclarations(std::string_view page);

}  // namespace quillon
