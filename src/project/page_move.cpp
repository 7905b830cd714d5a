#include "project/page_move.h"

#include "project/project_files.h"

namespace quillon {

std::optional<std::vector<Page>> pagesAfterMove(std::string_view outline, std::string_view links) {
  const auto lines = parseOutline(outline);
  if (!lines) return std::nullopt;
  const std::vector<std::string> linkList = parseLinks(links);
  std::vector<Page> pages;
  pages.reserve(lines->size());
  for (size_t i = 0; i < lines->size(); ++i)
    pages.push_back({(*lines)[i].title, i < linkList.size() ? linkList[i] : std::string(), (*lines)[i].level, true});
  return pages;
}

bool pagesMoved(const std::vector<Page>& before, const std::vector<Page>& after) {
  if (before.size() != after.size()) return true;
  for (size_t i = 0; i < before.size(); ++i)
    if (before[i].title != after[i].title || before[i].link != after[i].link || before[i].level != after[i].level)
      return true;
  return false;
}

}  // namespace quillon
