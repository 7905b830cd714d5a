#include "app/html_extensions.h"

#include "base/file_io.h"
#include "base/text_bytes.h"

namespace quillon {

std::vector<std::string> readHtmlExtensions(const std::string& path) {
  const auto data = readWholeFile(path);
  if (!data) return {"html", "htm", "shtml", "shtm", "asp"};
  std::vector<std::string> lines = splitLines(*data);
  if (lines.size() > kMaxHtmlExtensions) lines.resize(kMaxHtmlExtensions);
  std::vector<std::string> out;
  for (auto& line : lines)
    if (!line.empty()) out.push_back(std::move(line));
  return out;
}

std::string htmlMaskList(const std::vector<std::string>& extensions) {
  std::string mask;
  for (size_t i = 0; i < extensions.size() && i < kMaxHtmlExtensions; ++i) {
    if (i) mask += ';';
    mask += "*." + extensions[i];
  }
  return mask;
}

std::string filesTabFilter(const std::string& maskList) {
  return "All Files|*.*|Image Files|*.jpg;*.gif|HTML Files|" + maskList + "|All Web Files|*.jpg;*.gif;" + maskList;
}

std::string openDialogFilter(const std::string& maskList) {
  return "HTML Files|" + maskList + "|Project Files|*.out|EXE Files|*.exe|All Files|*.*";
}

}  // namespace quillon
