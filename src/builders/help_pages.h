#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The help window's pages: one file name per line of the help link file, blank lines left out.
std::vector<std::string> helpPageList(std::string_view linkFile);

// The page shown first: in help mode the one named exactly as the open document, else the first.
size_t firstHelpPage(const std::vector<std::string>& pages, bool helpMode, std::string_view documentName);

}  // namespace quillon
