#pragma once

#include <string>
#include <vector>

#include "project/project_model.h"

namespace quillon {

// The folders of the project's links, lower-cased, each once, in order of first appearance.
std::vector<std::string> linkFolders(const PageTree& tree);

// Every link whose lower-cased folder is oldFolder becomes newFolder + its lower-cased file name; returns how
// many changed. Titles, levels and other links are left alone.
size_t changeLinkFolder(PageTree& tree, const std::string& oldFolder, const std::string& newFolder);

}  // namespace quillon
