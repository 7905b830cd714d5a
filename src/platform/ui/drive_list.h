#pragma once

#include <string>
#include <vector>

namespace quillon {

// What a drive list offers on this system: the file-system root, the home folder and each mounted volume
// a user would pick (removable media, other disks), each ending in '/', each once.
std::vector<std::string> driveRoots();

// The entry of `roots` that holds `folder`: the longest one it starts with, else the first.
std::string driveOf(const std::vector<std::string>& roots, const std::string& folder);

}  // namespace quillon
