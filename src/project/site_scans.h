#pragma once

#include <optional>
#include <string>
#include <vector>

#include "project/page_scans.h"
#include "project/project_model.h"

namespace quillon {

// What the scans of a whole site found, page after page in the outline's order, and the page read last
// (the link listing's header names it). A page that cannot be read adds nothing.
struct SiteScan {
  std::vector<std::string> found;
  std::string lastTitle, lastFile;
};

// Every link of every page; nothing when `stop` ended the scan.
std::optional<SiteScan> scanSiteLinks(const PageTree& tree, const StopCheck& stop = {});
// Every image name of every page; nothing when `stop` ended the scan.
std::optional<SiteScan> scanSiteImages(const PageTree& tree, const StopCheck& stop = {});

}  // namespace quillon
