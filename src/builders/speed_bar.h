#pragma once

#include <string_view>
#include <vector>

#include "editor/insertion.h"

namespace quillon {

// The floating tag panel's two lists: 100 tag templates (the first "." marks where the selected text goes)
// and 72 attribute names.
const std::vector<std::string_view>& speedBarTags();
const std::vector<std::string_view>& speedBarAttributes();

// A template around the selection; the selected text ends selected again at its new place.
Insertion tagTemplateInsertion(const EditView& state, std::string_view tagTemplate);
// An attribute before the selection; the caret ends right after the attribute.
Insertion attributeInsertion(const EditView& state, std::string_view attribute);

}  // namespace quillon
