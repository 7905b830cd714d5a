#pragma once

#include <string>
#include <vector>

#include "project/project_model.h"

namespace quillon {

// The outline as printed: a line per page, indented by a tab per level below the top; with links, the
// page's link (or its file name alone) in brackets after the title.
enum class PrintedLinks { None, Full, FileNameOnly };
std::vector<std::string> printedOutlineLines(const std::vector<Page>& pages, PrintedLinks links);

}  // namespace quillon
