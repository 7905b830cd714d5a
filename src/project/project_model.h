#pragma once

#include <string>
#include <vector>

namespace quillon {

// One page of a site project: the title shown in the outline, the path of its HTML file, its depth.
struct Page {
  std::string title;
  std::string link;
  int level = 1;  // 1 is the top
  bool expanded = false;

  bool operator==(const Page&) const = default;
};

// The open project's pages in depth-first pre-order (each page followed by its sub-pages). The page
// outline and the page link list are the titles and the links of this one sequence, so they cannot get out
// of step. Indexes are 0-based; page number n is index n - 1.
class PageTree {
 public:
  PageTree() = default;
  explicit PageTree(std::vector<Page> pages) : pages_(std::move(pages)) {}

  const std::vector<Page>& pages() const { return pages_; }
  size_t size() const { return pages_.size(); }
  bool empty() const { return pages_.empty(); }
  const Page& operator[](size_t i) const { return pages_[i]; }

  // One past the last page of page i's group (i + 1 when it has no sub-pages).
  size_t groupEnd(size_t i) const;
  bool hasSubPages(size_t i) const { return groupEnd(i) > i + 1; }

  // A new last top-level page; returns its index.
  size_t addTopLevel(std::string title, std::string link);
  // A new last sub-page of page i, after the whole of its group; returns its index.
  size_t addSubPage(size_t i, std::string title, std::string link);
  // Removes page i with its group; returns how many pages went.
  size_t removeGroup(size_t i);
  void change(size_t i, std::string title, std::string link);

  void expandGroup(size_t i);  // its sub-pages show; deeper groups keep their state
  void expandAll();
  void collapseGroup(size_t i);  // it and every group inside it
  void collapseAll();

 private:
  std::vector<Page> pages_;
};

}  // namespace quillon
