#pragma once

#include <string>

namespace quillon {

enum class PageField { None, Title, Link };

struct PageCheck {
  PageField focus = PageField::None;  // the field to fix, None when the page may be taken
  std::string message;
};

// The page dialog's OK: the link must name an existing file, then the title must not be empty (blanks are
// a title).
PageCheck checkPage(const std::string& title, const std::string& link);

// The folder part of a link, up to and including its last '/', '\' or ':'.
std::string linkFolder(const std::string& link);

// "File Size: 1KB": bytes divided by 1000, rounded down.
std::string fileSizeText(long long bytes);

}  // namespace quillon
