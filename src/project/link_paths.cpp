#include "project/link_paths.h"

#include <algorithm>

#include "project/page_checks.h"

namespace quillon {

std::vector<std::string> linkFolders(const PageTree& tree) {
  std::vector<std::string> folders;
  for (const Page& page : tree.pages()) {
    std::string folder = linkFolder(page.link);
    if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(std::move(folder));
  }
  return folders;
}

size_t changeLinkFolder(PageTree& tree, const std::string& oldFolder, const std::string& newFolder) {
  size_t changed = 0;
  for (size_t i = 0; i < tree.size(); ++i) {
    const std::string& link = tree[i].link;
    const std::string folder = linkFolder(link);
    if (folder != oldFolder) continue;
    tree.change(i, tree[i].title, newFolder + link.substr(folder.size()));
    ++changed;
  }
  return changed;
}

}  // namespace quillon
