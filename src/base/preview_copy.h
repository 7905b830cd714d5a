#pragma once

#include <string_view>

namespace quillon {

// The copies the preview writes beside a page and into the help folder: the program's own temporaries,
// never a page of the site to list, link or upload.
inline constexpr std::string_view kPreviewCopyName = "$$temp.htm";
inline constexpr std::string_view kHelpPreviewCopyName = "$$temp.html";
bool isPreviewCopyName(std::string_view name);

}  // namespace quillon
