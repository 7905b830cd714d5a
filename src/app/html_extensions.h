#pragma once

#include <string>
#include <vector>

namespace quillon {

inline constexpr size_t kMaxHtmlExtensions = 15;

// The extensions of "htmlext.dat" (one per line, first 15 lines, empty lines skipped), or "html", "htm",
// "shtml", "shtm", "asp" when the file does not exist.
std::vector<std::string> readHtmlExtensions(const std::string& path);
// "*.html;*.htm;..." from the first 15 extensions.
std::string htmlMaskList(const std::vector<std::string>& extensions);
// The Files tab's filter box and the main open dialog's filter, "Caption|patterns|Caption|patterns...".
std::string filesTabFilter(const std::string& maskList);
std::string openDialogFilter(const std::string& maskList);

}  // namespace quillon
