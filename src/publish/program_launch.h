#pragma once

#include <string>
#include <vector>

namespace quillon {

// Starts a program with an argument list (never through a shell), in `folder` when one is given, without
// waiting for it. Empty on success; otherwise the reason, in the words users of this program know:
// "File was not found.(PATH)", "Path was not found.", "Type of executable file was unknown.", ...
std::string launchProgram(const std::string& path, const std::vector<std::string>& arguments,
                          const std::string& folder = {});

}  // namespace quillon
