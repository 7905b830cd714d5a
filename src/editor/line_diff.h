#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The differences between two texts, line by line: "- " before a line only in `before`, "+ " before one
// only in `after`, "@@ line N" before each run of changes (N counted in `after`), with up to `context`
// unchanged lines around each run. Empty when the texts are the same. Lines end at LF, CR LF or CR; the
// result's lines end in CR LF.
std::string lineDifferences(std::string_view before, std::string_view after, size_t context = 2);

}  // namespace quillon
