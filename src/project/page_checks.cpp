#include "project/page_checks.h"

#include "base/file_io.h"

namespace quillon {

PageCheck checkPage(const std::string& title, const std::string& link) {
  if (!fileExists(link)) return {PageField::Link, "HTML file does not exist. Please enter a valid HTML file path."};
  if (title.empty()) return {PageField::Title, "You must enter a Title for this Web Page."};
  return {};
}

std::string linkFolder(const std::string& link) {
  const size_t at = link.find_last_of("/\\:");
  return at == std::string::npos ? std::string() : link.substr(0, at + 1);
}

std::string fileSizeText(long long bytes) { return "File Size: " + std::to_string(bytes / 1000) + "KB"; }

}  // namespace quillon
