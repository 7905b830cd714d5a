#pragma once

#include <map>
#include <set>
#include <string>

#include "base/file_io.h"

namespace quillon {

// A user dictionary (".udt"): plain text, one word a line, or "word=replacement" for an auto-correct entry.
class UserDictionary {
 public:
  static UserDictionary load(const std::string& path);  // a missing file is an empty dictionary
  WriteResult save() const;                             // atomically, sorted

  bool contains(const std::string& word) const { return words_.count(word) != 0; }
  const std::string* autoCorrect(const std::string& word) const;
  void addWord(const std::string& word) { words_.insert(word); }
  void removeWord(const std::string& word) { words_.erase(word); }
  void addAutoCorrect(const std::string& word, const std::string& replacement) { corrections_[word] = replacement; }
  void removeAutoCorrect(const std::string& word) { corrections_.erase(word); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::set<std::string> words_;
  std::map<std::string, std::string> corrections_;
};

}  // namespace quillon
