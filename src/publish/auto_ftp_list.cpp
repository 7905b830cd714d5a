#include "publish/auto_ftp_list.h"

#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

void AutoFtpList::add(const std::string& path) {
  const auto at =
      std::lower_bound(entries_.begin(), entries_.end(), path,
                       [](const std::string& a, const std::string& b) { return lessIgnoringAsciiCase(a, b); });
  if (at != entries_.end() && *at == path) return;
  entries_.insert(at, path);
}

bool AutoFtpList::remove(const std::string& path) {
  const auto at = std::find(entries_.begin(), entries_.end(), path);
  if (at == entries_.end()) return false;
  entries_.erase(at);
  return true;
}

}  // namespace quillon
