#include "publish/publish_tree.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "base/file_copy.h"
#include "base/text_bytes.h"

namespace quillon {

std::vector<std::string> exclusionPatterns(std::string_view text) {
  std::vector<std::string> out;
  for (size_t start = 0; start <= text.size();) {
    size_t end = text.find(';', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view part = trimBlanks(text.substr(start, end - start));
    if (!part.empty()) out.emplace_back(part);
    start = end + 1;
  }
  return out;
}

bool isExcluded(const std::vector<std::string>& patterns, std::string_view relativePath) {
  for (size_t start = 0; start < relativePath.size();) {
    size_t end = relativePath.find('/', start);
    if (end == std::string_view::npos) end = relativePath.size();
    const std::string part(relativePath.substr(start, end - start));
    for (const std::string& pattern : patterns)
      if (::fnmatch(pattern.c_str(), part.c_str(), 0) == 0) return true;
    start = end + 1;
  }
  return false;
}

LocalTree scanLocalTree(const std::string& root, const std::vector<std::string>& exclusions) {
  LocalTree tree;
  std::set<std::pair<dev_t, ino_t>> seen;
  const std::string base = root.empty() || root.back() == '/' ? root : root + "/";
  std::function<bool(const std::string&)> walk = [&](const std::string& relative) {
    const std::string folder = base + relative;
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !seen.insert({st.st_dev, st.st_ino}).second) return false;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
      if (!relative.empty()) tree.unreadable.push_back(relative);
      return false;
    }
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      const std::string path = relative + name;
      if (isExcluded(exclusions, path)) continue;
      struct stat entry {};
      if (::lstat((base + path).c_str(), &entry) == 0 && S_ISLNK(entry.st_mode) && !staysInside(base + path, root)) {
        tree.outside.push_back(path);
        continue;
      }
      if (::stat((base + path).c_str(), &entry) != 0) {
        tree.unreadable.push_back(path);
        continue;
      }
      if (S_ISDIR(entry.st_mode)) {
        tree.folders.push_back(path);
        walk(path + "/");
      } else if (S_ISREG(entry.st_mode)) {
        tree.files.push_back({path, static_cast<int64_t>(entry.st_size),
                              static_cast<int64_t>(entry.st_mtim.tv_sec) * 1000000000 + entry.st_mtim.tv_nsec});
      }
    }
    return true;
  };
  tree.readable = walk("");
  std::sort(tree.files.begin(), tree.files.end(),
            [](const LocalFile& a, const LocalFile& b) { return a.path < b.path; });
  std::sort(tree.folders.begin(), tree.folders.end());
  return tree;
}

std::string remotePathOf(const std::string& remoteRoot, const std::string& relativePath) {
  if (relativePath.empty()) return remoteRoot;
  if (remoteRoot.empty()) return relativePath;
  return remoteRoot.back() == '/' ? remoteRoot + relativePath : remoteRoot + "/" + relativePath;
}

}  // namespace quillon
