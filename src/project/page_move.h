#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "project/project_model.h"

namespace quillon {

// The pages as the move dialog left them in its two work files: titles and levels from the outline, links
// by position (a page past the end of the links gets none), every group expanded. Nothing when the outline
// cannot be read.
std::optional<std::vector<Page>> pagesAfterMove(std::string_view outline, std::string_view links);

// Whether the move changed anything but which groups are expanded.
bool pagesMoved(const std::vector<Page>& before, const std::vector<Page>& after);

}  // namespace quillon
