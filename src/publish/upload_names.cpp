#include "publish/upload_names.h"

#include <map>

namespace quillon {

std::string_view uploadName(std::string_view localPath) {
  const size_t slash = localPath.rfind('/');
  return slash == std::string_view::npos ? localPath : localPath.substr(slash + 1);
}

std::optional<std::string> uploadNameClashes(const std::vector<std::string>& localPaths) {
  std::map<std::string_view, std::string_view> first;  // remote name -> the first file sent under it
  std::string said;
  for (const std::string& path : localPaths) {
    const auto [at, fresh] = first.emplace(uploadName(path), path);
    if (fresh || at->second == path) continue;
    said += "\r" + std::string(at->second) + " and " + path + " as \"" + std::string(at->first) + "\"";
  }
  if (said.empty()) return std::nullopt;
  return "These files would be sent under the same name, so one would replace the other on the server:" + said +
         "\rNothing was sent. Remove one of each pair from the list, or send them in separate runs into their "
         "own folders.";
}

}  // namespace quillon
