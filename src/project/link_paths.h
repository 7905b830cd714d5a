#pragma once

#include <string>
#include <vector>

#include "project/project_model.h"

namespace quillon {

// The folders of the project's links as they are written, each once, in order of first appearance. Paths
// keep their case: the file system tells "Site/" and "site/" apart.
std::vector<std::string> linkFolders(const PageTree& tree);

// Every link whose folder is exactly oldFolder becomes newFolder + its file name; returns how many changed.
// Titles, levels and other links are left alone.
size_t changeLinkFolder(PageTree& tree, const std::string& oldFolder, const std::string& newFolder);

}  // namespace quillon
