#pragma once

#include <string>

namespace quillon {

// The main window's caption: the program's (and open project's) caption, then the open page's file name
// and a star while it has unsaved changes: "Brindle Quillon Pro:  /p/site.out - index.html *". An untitled
// page is named only once it has changes.
std::string windowCaption(const std::string& projectCaption, const std::string& pagePath, bool untitled, bool modified);

}  // namespace quillon
