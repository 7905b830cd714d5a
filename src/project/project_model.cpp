#include "project/project_model.h"

namespace quillon {

size_t PageTree::groupEnd(size_t i) const {
  size_t end = i + 1;
  while (end < pages_.size() && pages_[end].level > pages_[i].level) ++end;
  return end;
}

size_t PageTree::addTopLevel(std::string title, std::string link) {
  pages_.push_back({std::move(title), std::move(link), 1, false});
  return pages_.size() - 1;
}

size_t PageTree::addSubPage(size_t i, std::string title, std::string link) {
  const size_t at = groupEnd(i);
  pages_.insert(pages_.begin() + static_cast<long>(at),
                Page{std::move(title), std::move(link), pages_[i].level + 1, false});
  return at;
}

size_t PageTree::removeGroup(size_t i) {
  const size_t end = groupEnd(i);
  pages_.erase(pages_.begin() + static_cast<long>(i), pages_.begin() + static_cast<long>(end));
  return end - i;
}

void PageTree::change(size_t i, std::string title, std::string link) {
  pages_[i].title = std::move(title);
  pages_[i].link = std::move(link);
}

void PageTree::expandGroup(size_t i) {
  if (hasSubPages(i)) pages_[i].expanded = true;
}

void PageTree::expandAll() {
  for (size_t i = 0; i < pages_.size(); ++i) pages_[i].expanded = hasSubPages(i);
}

void PageTree::collapseGroup(size_t i) {
  if (!hasSubPages(i)) return;
  const size_t end = groupEnd(i);
  for (size_t k = i; k < end; ++k) pages_[k].expanded = false;
}

void PageTree::collapseAll() {
  for (auto& page : pages_) page.expanded = false;
}

}  // namespace quillon
