#include "project/site_scans.h"

#include <iterator>

#include "base/file_io.h"

namespace quillon {

namespace {

using PageScan = std::vector<std::string> (*)(std::string_view, const StopCheck&);

std::optional<SiteScan> scanSite(const PageTree& tree, PageScan scan, const StopCheck& stop) {
  SiteScan out;
  for (size_t i = 0; i < tree.size(); ++i) {
    if (stop && stop()) return std::nullopt;
    out.lastTitle = tree[i].title;
    out.lastFile = tree[i].link;
    if (const auto bytes = readWholeFile(tree[i].link)) {
      std::vector<std::string> more = scan(*bytes, stop);
      out.found.insert(out.found.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
    }
  }
  if (stop && stop()) return std::nullopt;
  return out;
}

}  // namespace

std::optional<SiteScan> scanSiteLinks(const PageTree& tree, const StopCheck& stop) {
  return scanSite(tree, &scanLinks, stop);
}

std::optional<SiteScan> scanSiteImages(const PageTree& tree, const StopCheck& stop) {
  return scanSite(tree, &scanImages, stop);
}

}  // namespace quillon
