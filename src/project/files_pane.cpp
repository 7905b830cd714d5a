#include "project/files_pane.h"

#include <dirent.h>
#include <sys/stat.h>
#include <algorithm>

#include "base/preview_copy.h"
#include "base/text_bytes.h"

namespace quillon {

namespace {

bool glob(std::string_view name, std::string_view pattern) {
  // Iterative wildcard match with one point to return to after a '*'.
  size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || lowerAscii(pattern.substr(p, 1)) == lowerAscii(name.substr(n, 1)))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<std::string> entries(const std::string& folder, bool wantFolders) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    struct stat st {};
    if (::stat(joinPath(folder, name).c_str(), &st) != 0) continue;
    // Hidden files and folders (a leading '.') are left out, as file managers do.
    if (name[0] == '.') continue;
    if (wantFolders ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(),
            [](const std::string& a, const std::string& b) { return lessIgnoringAsciiCase(a, b); });
  names.erase(std::unique(names.begin(), names.end()), names.end());
  return names;
}

}  // namespace

bool matchesMask(std::string_view name, std::string_view mask) {
  size_t start = 0;
  while (start <= mask.size()) {
    size_t end = mask.find(';', start);
    if (end == std::string_view::npos) end = mask.size();
    const std::string_view pattern = mask.substr(start, end - start);
    if (pattern == "*.*" || (!pattern.empty() && glob(name, pattern))) return true;
    start = end + 1;
  }
  return false;
}

std::vector<std::string> filesIn(const std::string& folder, std::string_view mask) {
  std::vector<std::string> names = entries(folder, false);
  names.erase(std::remove_if(names.begin(), names.end(),
                             [&](const std::string& n) { return !matchesMask(n, mask) || isPreviewCopyName(n); }),
              names.end());
  return names;
}

std::vector<std::string> foldersIn(const std::string& folder) { return entries(folder, true); }

std::string joinPath(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/' || folder.back() == '\\') return folder + name;
  return folder + "/" + name;
}

std::string parentFolder(const std::string& folder) {
  std::string f = folder;
  while (f.size() > 1 && (f.back() == '/' || f.back() == '\\')) f.pop_back();
  const size_t at = f.find_last_of("/\\");
  if (at == std::string::npos) return folder;
  return f.substr(0, at + 1);
}

FileOpenKind openKindFor(std::string_view name) {
  const std::string lower = lowerAscii(name);
  const size_t dot = lower.rfind('.');
  const std::string ext = dot == std::string::npos ? "" : lower.substr(dot);
  if (ext == ".gif" || ext == ".jpg") return FileOpenKind::Image;
  if (ext == ".htm" || ext == ".html" || ext == ".shtml" || ext == ".shtm" || ext == ".asp") return FileOpenKind::Html;
  return FileOpenKind::Other;
}

}  // namespace quillon
