#include "spell/spell_engine.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

#include "app/text_bytes.h"

namespace quillon {

namespace {

std::vector<std::string> splitList(const std::string& list) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(';', start);
    if (end == std::string::npos) end = list.size();
    if (end > start) out.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

bool isUpper(char c) { return c >= 'A' && c <= 'Z'; }
bool isLower(char c) { return c >= 'a' && c <= 'z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool allUpper(std::string_view w) {
  bool letter = false;
  for (char c : w) {
    if (isLower(c)) return false;
    letter |= isUpper(c);
  }
  return letter;
}

}  // namespace

std::string soundSkeleton(std::string_view word) {
  const std::string w = lowerAscii(word);
  std::string out;
  auto put = [&](char c) {
    if (out.empty() || out.back() != c) out += c;
  };
  for (size_t i = 0; i < w.size(); ++i) {
    const char c = w[i];
    const char next = i + 1 < w.size() ? w[i + 1] : '\0';
    if (c == 'p' && next == 'h') {
      put('f');
      ++i;
    } else if (c == 'g' && next == 'h') {
      ++i;  // silent, as in "through" and "night"
    } else if (c == 'c') {
      put(next == 'e' || next == 'i' || next == 'y' ? 's' : 'k');
    } else if (c == 'q' || c == 'k') {
      put('k');
    } else if (c == 'x') {
      put('k');
      put('s');
    } else if (c == 'z') {
      put('s');
    } else if (std::string_view("aeiouy'").find(c) != std::string_view::npos) {
      if (i == 0) put('a');  // only a first vowel counts
      else if (!out.empty() && out.back() != '-') out += '-';  // a vowel separates, so "tt" and "t-t" differ
    } else {
      put(c);
    }
  }
  std::string compact;
  for (char c : out)
    if (c != '-') compact += c;
  return compact;
}

int editDistance(std::string_view a, std::string_view b) {
  return boundedEditDistance(a, b, static_cast<int>(std::max(a.size(), b.size())));
}

int boundedEditDistance(std::string_view a, std::string_view b, int bound) {
  // One row at a time, giving up as soon as every cell of a row is past the bound.
  const size_t m = b.size();
  std::vector<int> before(m + 1), row(m + 1), twoBack(m + 1);
  for (size_t j = 0; j <= m; ++j) before[j] = static_cast<int>(j);
  for (size_t i = 1; i <= a.size(); ++i) {
    row[0] = static_cast<int>(i);
    int best = row[0];
    for (size_t j = 1; j <= m; ++j) {
      row[j] = std::min({before[j] + 1, row[j - 1] + 1, before[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) row[j] = std::min(row[j], twoBack[j - 2] + 1);
      best = std::min(best, row[j]);
    }
    if (best > bound) return bound + 1;
    twoBack.swap(before);
    before.swap(row);
  }
  return before[m];
}

const std::unordered_map<std::string, std::vector<std::string_view>>& SpellEngine::skeletons() const {
  if (!skeletonsBuilt_ && !mains_.empty()) {
    for (std::string_view w : mains_[0].words()) skeletons_[soundSkeleton(w)].push_back(w);
    skeletonsBuilt_ = true;
  }
  return skeletons_;
}

std::string copyCapitals(const std::string& word, const std::string& suggestion) {
  std::string out = suggestion;
  for (size_t i = 0; i < word.size() && i < out.size(); ++i)
    if (isUpper(word[i]) && isLower(out[i])) out[i] = static_cast<char>(out[i] - 'a' + 'A');
  if (!word.empty() && out.size() > word.size() && isUpper(out[word.size() - 1]))
    for (size_t i = word.size(); i < out.size(); ++i)
      if (isLower(out[i])) out[i] = static_cast<char>(out[i] - 'a' + 'A');
  return out;
}

SpellEngine::SpellEngine(SpellConfig config, std::vector<Dictionary> mains, std::vector<UserDictionary> users,
                         SpellSettings settings)
    : config_(std::move(config)), mains_(std::move(mains)), users_(std::move(users)), settings_(std::move(settings)) {
  prefixes_ = splitList(settings_.ignorePrefix);
  suffixes_ = splitList(settings_.ignoreSuffix);
  for (const Dictionary& d : mains_)
    for (unsigned char c : d.wordCharacters()) wordChars_[c] = true;
  for (unsigned char c = '0'; c <= '9'; ++c) wordChars_[c] = true;
}

SpellEngine SpellEngine::open(const std::string& programDir, SpellSettings settings) {
  const std::string path = programDir + "spell/spell.cfg";
  SpellConfig config = loadSpellConfig(path, "default", "american.dct", "default.udt");
  std::vector<Dictionary> mains;
  std::vector<DictionaryEntry> used;
  for (const auto& m : config.mains) {
    if (!m.inUse) continue;
    if (auto d = Dictionary::load(resolveDictionaryPath(path, m.path))) {
      mains.push_back(std::move(*d));
      used.push_back(m);
    }
  }
  config.mains = used;
  std::vector<UserDictionary> users;
  for (const auto& u : config.users) users.push_back(UserDictionary::load(resolveDictionaryPath(path, u.path)));
  return SpellEngine(std::move(config), std::move(mains), std::move(users), std::move(settings));
}

bool SpellEngine::inDictionaries(std::string_view word) const {
  for (const Dictionary& d : mains_)
    if (d.contains(word)) return true;
  const std::string w(word);
  for (size_t i = 0; i < users_.size(); ++i)
    if ((i >= config_.users.size() || config_.users[i].inUse) && users_[i].contains(w)) return true;
  return false;
}

bool SpellEngine::knownRaw(std::string_view word) const {
  return inDictionaries(word) || ignoreAll_.count(std::string(word)) != 0;
}

std::string SpellEngine::stripped(std::string_view word) const {
  std::string w(word);
  for (bool again = true; again;) {
    again = false;
    for (const auto& p : prefixes_)
      if (w.size() > p.size() && w.compare(0, p.size(), p) == 0) {
        w.erase(0, p.size());
        again = true;
      }
  }
  for (bool again = true; again;) {
    again = false;
    for (const auto& s : suffixes_) {
      // A suffix counts only where it first occurs at the very end.
      const size_t at = w.find(s);
      if (at != std::string::npos && at + s.size() == w.size() && at > 0) {
        w.erase(at);
        again = true;
      }
    }
  }
  return w;
}

bool SpellEngine::known(std::string_view word) const {
  const std::string s = stripped(word);
  return knownRaw(word) || knownRaw(lowerAscii(word)) || knownRaw(s) || knownRaw(lowerAscii(s));
}

void SpellEngine::begin(size_t from, size_t to, bool resetCount) {
  pos_ = from;
  end_ = to;
  if (resetCount) checked_ = 0;
  previous_.clear();
  tagBetween_ = false;
  current_.reset();
}

std::optional<SpellEngine::Stop> SpellEngine::next(SpellText& text) {
  current_.reset();
  for (;;) {
    const std::string_view t = text.bytes();
    const size_t limit = std::min(end_, t.size());
    if (pos_ >= limit) return std::nullopt;
    const char c = t[pos_];
    if (config_.on(SpellOption::soHTML) && c == '<') {
      const size_t close = t.find('>', pos_);
      pos_ = close == std::string_view::npos ? limit : close + 1;
      tagBetween_ = true;
      continue;
    }
    if (config_.on(SpellOption::soQuoted) && (pos_ == 0 || t[pos_ - 1] == '\n' || t[pos_ - 1] == '\r') && c == '>') {
      while (pos_ < limit && t[pos_] != '\n' && t[pos_] != '\r') ++pos_;  // a quoted line, as in mail
      continue;
    }
    if (!wordChars_[static_cast<unsigned char>(c)]) {
      ++pos_;
      continue;
    }
    const size_t start = pos_;
    while (pos_ < limit && wordChars_[static_cast<unsigned char>(t[pos_])]) ++pos_;
    std::string word(t.substr(start, pos_ - start));
    bool address = false;
    if (config_.on(SpellOption::soInternet) && pos_ < t.size()) {
      const std::string lower = lowerAscii(word);
      if (t[pos_] == '@' || (t[pos_] == ':' && (lower == "http" || lower == "ftp" || lower == "news"))) {
        while (pos_ < limit && t[pos_] != ' ' && t[pos_] != '\t' && t[pos_] != '\r' && t[pos_] != '\n' &&
               t[pos_] != '<' && t[pos_] != '>' && t[pos_] != '"')
          ++pos_;
        word = std::string(t.substr(start, pos_ - start));
        address = true;
      }
    }
    ++checked_;
    const bool dualCaps = config_.on(SpellOption::soDualCaps) && word.size() > 2 && isUpper(word[0]) &&
                          isUpper(word[1]) && isLower(word[2]);
    if (!address && !dualCaps && known(word)) {
      const bool repeated = config_.on(SpellOption::soRepeated) && !tagBetween_ && word == previous_;
      previous_ = word;
      tagBetween_ = false;
      if (repeated) return current_ = Stop{start, word, StopKind::Repeated};
      continue;
    }
    const std::string* replacement = nullptr;
    for (const auto& [from, to] : changeAll_)
      if (from == word) replacement = &to;
    for (size_t i = 0; !replacement && i < users_.size(); ++i)
      if (i >= config_.users.size() || config_.users[i].inUse) replacement = users_[i].autoCorrect(word);
    if (replacement) {
      const std::string with = *replacement;
      text.replace(start, word.size(), with);
      end_ = end_ + with.size() - word.size();
      pos_ = start + with.size();
      previous_ = with;
      tagBetween_ = false;
      continue;
    }
    const bool digitsOnly = std::all_of(word.begin(), word.end(), isDigit);
    const bool hasDigit = std::any_of(word.begin(), word.end(), isDigit);
    if (address || digitsOnly || (config_.on(SpellOption::soUpcase) && allUpper(word)) ||
        (config_.on(SpellOption::soNumbers) && hasDigit)) {
      previous_ = word;
      tagBetween_ = false;
      continue;
    }
    previous_ = word;
    tagBetween_ = false;
    return current_ = Stop{start, word, StopKind::NotFound};
  }
}

void SpellEngine::record(Undo undo) {
  undo_.push_back(std::move(undo));
  if (undo_.size() > settings_.maxUndo) undo_.erase(undo_.begin());
}

void SpellEngine::ignore() {
  if (current_) record({Undo::Ignore, current_->offset, current_->word, {}});
}

void SpellEngine::ignoreAll() {
  if (!current_) return;
  ignoreAll_.insert(current_->word);
  record({Undo::IgnoreAll, current_->offset, current_->word, {}});
}

void SpellEngine::replaceCurrent(SpellText& text, const std::string& replacement, bool recheck) {
  size_t start = current_->offset;
  std::string removed = current_->word;
  if (current_->kind == StopKind::Repeated && replacement.empty()) {
    // "Delete": the repeated word goes with the blanks before it.
    const std::string_view t = text.bytes();
    while (start > 0 && (t[start - 1] == ' ' || t[start - 1] == '\t')) --start;
    removed = std::string(t.substr(start, current_->offset + current_->word.size() - start));
  }
  text.replace(start, removed.size(), replacement);
  end_ = end_ + replacement.size() - removed.size();
  pos_ = recheck && config_.on(SpellOption::soRecheck) ? start : start + replacement.size();
  previous_.clear();
  current_->offset = start;
  current_->word = removed;
}

void SpellEngine::change(SpellText& text, const std::string& replacement) {
  if (!current_) return;
  replaceCurrent(text, replacement, true);
  record({Undo::Change, current_->offset, current_->word, replacement});
}

void SpellEngine::changeAll(SpellText& text, const std::string& replacement) {
  if (!current_) return;
  changeAll_.emplace_back(current_->word, replacement);
  replaceCurrent(text, replacement, true);
  record({Undo::ChangeAll, current_->offset, current_->word, replacement});
}

UserDictionary* SpellEngine::userDictionary() {
  if (config_.userIndex < 0 || static_cast<size_t>(config_.userIndex) >= users_.size()) return nullptr;
  return &users_[static_cast<size_t>(config_.userIndex)];
}

void SpellEngine::add() {
  if (!current_) return;
  if (UserDictionary* d = userDictionary()) {
    d->addWord(current_->word);
    d->save();
  }
  record({Undo::Add, current_->offset, current_->word, {}});
}

void SpellEngine::autoCorrect(SpellText& text, const std::string& replacement) {
  if (!current_) return;
  if (UserDictionary* d = userDictionary()) {
    d->addAutoCorrect(current_->word, replacement);
    d->save();
  }
  replaceCurrent(text, replacement, true);
  record({Undo::AutoCorrect, current_->offset, current_->word, replacement});
}

bool SpellEngine::undoLast(SpellText& text) {
  if (undo_.empty()) return false;
  const Undo u = undo_.back();
  undo_.pop_back();
  switch (u.kind) {
    case Undo::IgnoreAll: ignoreAll_.erase(u.word); break;
    case Undo::ChangeAll:
      for (auto it = changeAll_.begin(); it != changeAll_.end(); ++it)
        if (it->first == u.word && it->second == u.replacement) {
          changeAll_.erase(it);
          break;
        }
      break;
    case Undo::Add:
      if (UserDictionary* d = userDictionary()) {
        d->removeWord(u.word);
        d->save();
      }
      break;
    case Undo::AutoCorrect:
      if (UserDictionary* d = userDictionary()) {
        d->removeAutoCorrect(u.word);
        d->save();
      }
      break;
    default: break;
  }
  // Back to that word, as it stood.
  if (u.kind == Undo::Change || u.kind == Undo::ChangeAll || u.kind == Undo::AutoCorrect) {
    text.replace(u.offset, u.replacement.size(), u.word);
    end_ = end_ + u.word.size() - u.replacement.size();
  }
  pos_ = u.offset;
  previous_.clear();
  current_.reset();
  return true;
}

void SpellEngine::lookup(const std::string& word, std::vector<std::string>& out, size_t limit) const {
  if (word.empty()) return;
  static const std::string letters = "abcdefghijklmnopqrstuvwxyz'";
  std::vector<std::pair<int, std::string>> found;
  // A word the dictionary does not mark as common needs a nearer spelling to rank as high.
  auto rarity = [&](const std::string& w) { return !mains_.empty() && mains_[0].rank(w) == 2 ? 6 : 0; };
  std::unordered_set<std::string> seen;
  const bool primaryOnly = config_.on(SpellOption::soPrimaryOnly);
  auto consider = [&](const std::string& candidate, int cost) {
    // The dictionary first: most candidates are not words, and a hash probe is cheaper than remembering them.
    bool hit = false;
    for (size_t i = 0; i < mains_.size() && !hit; ++i) {
      if (primaryOnly && i > 0) break;
      hit = mains_[i].contains(candidate);
    }
    if (hit && seen.insert(candidate).second) found.emplace_back(cost + rarity(candidate), candidate);
  };
  auto edits = [&](const std::string& w, const std::function<void(const std::string&, int)>& emit) {
    // One buffer, edited in place and put back, instead of a new string for every candidate.
    std::string s = w;
    s.reserve(w.size() + 1);
    for (size_t i = 0; i + 1 < w.size(); ++i) {  // swaps first: the commonest slip
      std::swap(s[i], s[i + 1]);
      emit(s, 0);
      std::swap(s[i], s[i + 1]);
    }
    for (size_t i = 0; i < w.size(); ++i) {
      s.erase(i, 1);
      emit(s, 1);
      s.insert(i, 1, w[i]);
    }
    for (size_t i = 0; i <= w.size(); ++i) {
      s.insert(i, 1, ' ');
      for (char c : letters) {
        s[i] = c;
        emit(s, 1);
      }
      s.erase(i, 1);
    }
    for (size_t i = 0; i < w.size(); ++i) {
      for (char c : letters) {
        if (c == w[i]) continue;
        s[i] = c;
        emit(s, 2);
      }
      s[i] = w[i];
    }
  };

  std::vector<std::pair<std::string, int>> first;
  edits(word, [&](const std::string& s, int cost) {
    consider(s, cost);
    first.emplace_back(s, cost);
  });
  if (found.size() < limit) {
    for (const auto& edit : first) {
      if (edit.first.empty()) continue;
      const int c1 = edit.second;
      edits(edit.first, [&](const std::string& s, int c2) { consider(s, 10 + c1 + c2); });
    }
  }
  // Words that sound alike come in too, after the near spellings; a near spelling that also sounds alike
  // moves up.
  const std::string sound = soundSkeleton(word);
  for (auto& [cost, candidate] : found)
    if (soundSkeleton(candidate) == sound) cost -= 5;
  if (const auto it = skeletons().find(sound); it != skeletons().end()) {
    for (std::string_view candidate : it->second) {
      const std::string c(candidate);
      const int d = boundedEditDistance(lowerAscii(c), word, std::max<int>(3, static_cast<int>(word.size() / 2)));
      if (seen.count(c) || d > std::max<int>(3, static_cast<int>(word.size() / 2))) continue;
      seen.insert(c);
      found.emplace_back(14 + d + rarity(c), c);
    }
  }
  // Still short of a handful: the dictionary's words within three edits, for long and badly mangled words.
  if (found.size() < 5 && !mains_.empty() && word.size() >= 5) {
    for (std::string_view candidate : mains_[0].words()) {
      if (candidate.size() + 3 < word.size() || candidate.size() > word.size() + 3) continue;
      const int d = boundedEditDistance(candidate, word, 3);
      if (d > 3) continue;
      const std::string c(candidate);
      if (!seen.insert(c).second) continue;
      found.emplace_back(20 + d + rarity(c), c);
    }
  }
  std::stable_sort(found.begin(), found.end(), [&](const auto& a, const auto& b) {
    // Fewer and cheaper edits first; then a kept first letter; then a length close to the word's.
    if (a.first != b.first) return a.first < b.first;
    const bool fa = a.second[0] == word[0], fb = b.second[0] == word[0];
    if (fa != fb) return fa;
    const auto da = std::abs(static_cast<long>(a.second.size()) - static_cast<long>(word.size()));
    const auto db = std::abs(static_cast<long>(b.second.size()) - static_cast<long>(word.size()));
    return da < db;
  });
  for (const auto& [cost, s] : found) {
    if (out.size() >= limit) break;
    if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  }
}

std::vector<std::string> SpellEngine::suggest(const std::string& word) const {
  std::vector<std::string> out;
  const std::string lower = lowerAscii(word);
  if (lower != word) {
    std::vector<std::string> fromLower;
    lookup(lower, fromLower, settings_.maxSuggestions);
    for (const auto& s : fromLower) {
      const bool hasCapital = std::any_of(s.begin(), s.end(), isUpper);
      const std::string shown = hasCapital ? s : copyCapitals(word, s);
      if (std::find(out.begin(), out.end(), shown) == out.end()) out.push_back(shown);
    }
  }
  std::vector<std::string> asWritten;
  lookup(word, asWritten, settings_.maxSuggestions);
  for (const auto& s : asWritten)
    if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  if (out.size() > settings_.maxSuggestions) out.resize(settings_.maxSuggestions);
  return out;
}

std::vector<std::string> SpellEngine::dialogSuggestions(const std::string& word) const {
  return config_.on(SpellOption::soAutoSuggest) ? suggest(word) : std::vector<std::string>{};
}

}  // namespace quillon
