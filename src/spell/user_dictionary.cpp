#include "spell/user_dictionary.h"

#include "base/text_bytes.h"

namespace quillon {

UserDictionary UserDictionary::load(const std::string& path) {
  UserDictionary d;
  d.path_ = path;
  if (const auto data = readWholeFile(path)) {
    for (const auto& line : splitLines(*data)) {
      if (line.empty()) continue;
      const size_t eq = line.find('=');
      if (eq == std::string::npos)
        d.words_.insert(line);
      else if (eq > 0)
        d.corrections_[line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return d;
}

WriteResult UserDictionary::save() const {
  std::vector<std::string> lines(words_.begin(), words_.end());
  for (const auto& [word, replacement] : corrections_) lines.push_back(word + "=" + replacement);
  return writeFileAtomic(path_, joinCrLf(lines));
}

const std::string* UserDictionary::autoCorrect(const std::string& word) const {
  const auto it = corrections_.find(word);
  return it == corrections_.end() ? nullptr : &it->second;
}

}  // namespace quillon
