#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace quillon::testing {

// A fresh folder for one test, removed afterwards; path() ends in '/'.
class TempDir {
 public:
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quillon-test-XXXXXX").string();
    path_ = std::string(::mkdtemp(tmpl.data())) + "/";
  }
  ~TempDir() { std::filesystem::remove_all(path_); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace quillon::testing
