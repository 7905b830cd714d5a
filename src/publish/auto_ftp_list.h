#pragma once

#include <string>
#include <vector>

namespace quillon {

// Full paths of files waiting for upload, kept for the run only: sorted without regard to A-Z case and
// free of exact duplicates.
class AutoFtpList {
 public:
  void add(const std::string& path);
  bool remove(const std::string& path);
  void clear() { entries_.clear(); }
  const std::vector<std::string>& entries() const { return entries_; }

 private:
  std::vector<std::string> entries_;
};

}  // namespace quillon
