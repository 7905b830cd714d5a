#pragma once

#include <string>
#include <string_view>

#include "base/file_io.h"

namespace quillon {

// The one wording of a failed write, built from its result: what the file holds, which file, and why.
//   Cannot write the settings file "/home/u/.local/share/quillon/OPTIONS.INI". Is a directory.
// `fallbackPath` names the file when the result does not.
std::string cannotWriteText(const WriteResult& result, std::string_view holds = "file",
                            std::string_view fallbackPath = {});

}  // namespace quillon
