#include "builders/help_pages.h"

#include "base/text_bytes.h"

namespace quillon {

std::vector<std::string> helpPageList(std::string_view linkFile) {
  std::vector<std::string> pages;
  for (std::string& line : splitLines(linkFile))
    if (!line.empty()) pages.push_back(std::move(line));
  return pages;
}

size_t firstHelpPage(const std::vector<std::string>& pages, bool helpMode, std::string_view documentName) {
  if (!helpMode) return 0;
  for (size_t i = 0; i < pages.size(); ++i)
    if (pages[i] == documentName) return i;
  return 0;
}

}  // namespace quillon
