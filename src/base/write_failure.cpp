#include "base/write_failure.h"

namespace quillon {

std::string cannotWriteText(const WriteResult& result, std::string_view holds, std::string_view fallbackPath) {
  const std::string_view path = result.failedPath.empty() ? fallbackPath : std::string_view(result.failedPath);
  std::string text = "Cannot write the ";
  text += holds;
  if (!path.empty()) {
    text += " \"";
    text += path;
    text += '"';
  }
  text += '.';
  if (!result.error.empty()) {
    text += ' ';
    text += result.error;
    if (text.back() != '.') text += '.';
  }
  return text;
}

}  // namespace quillon
