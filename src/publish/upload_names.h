#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// The name a local file is sent under: the part after its last '/'. On this system only '/' separates
// folders, so "a\b.html" is a name of its own.
std::string_view uploadName(std::string_view localPath);

// Files of one transfer run that would land on the same remote name (news/index.html and index.html both
// as "index.html"), so that one would silently replace the other. The message naming every such pair, or
// nothing when each file has a name of its own. The same local file listed twice is no clash.
std::optional<std::string> uploadNameClashes(const std::vector<std::string>& localPaths);

}  // namespace quillon
