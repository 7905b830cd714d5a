#include "spell/spell_engine.h"

#include <algorithm>
#include <functional>
#include <unordered_set>

#include "base/text_bytes.h"
#include "editor/page_encoding.h"
#include "spell/word_reader.h"

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
  std::string w(word);
  for (char& c : w)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  std::string out;
  out.reserve(w.size());
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
      if (i == 0)
        put('a');  // only a first vowel counts
      else if (!out.empty() && out.back() != '-')
        out += '-';  // a vowel separates, so "tt" and "t-t" differ
    } else {
      put(c);
    }
  }
  out.erase(std::remove(out.begin(), out.end(), '-'), out.end());
  return out;
}

std::string plainForm(std::string_view utf8Word) {
  // Latin-1 letters À (0xC0) to ÿ (0xFF) without their accents.
  static const char* const kPlain[64] = {
      "a", "a", "a", "a", "a", "a", "ae", "c", "e",  "e",  "e", "e", "i", "i", "i", "i", "d",  "n", "o",  "o", "o", "o",
      "o", "",  "o", "u", "u", "u", "u",  "y", "th", "ss", "a", "a", "a", "a", "a", "a", "ae", "c", "e",  "e", "e", "e",
      "i", "i", "i", "i", "d", "n", "o",  "o", "o",  "o",  "o", "",  "o", "u", "u", "u", "u",  "y", "th", "y"};
  std::string out;
  out.reserve(utf8Word.size());
  for (size_t i = 0; i < utf8Word.size();) {
    const TextChar c = charAt(utf8Word, i, true);
    i += c.length;
    if (c.code == '\'') continue;
    if (c.code < 0x80)
      out += static_cast<char>(c.code >= 'A' && c.code <= 'Z' ? c.code - 'A' + 'a' : c.code);
    else if (c.code >= 0xC0 && c.code <= 0xFF)
      out += kPlain[c.code - 0xC0];
    else
      appendUtf8(out, c.code);
  }
  return out;
}

const std::unordered_map<std::string, std::vector<std::string_view>>& SpellEngine::plainForms() const {
  skeletons();  // built together
  return plainForms_;
}

const NearWords& SpellEngine::nearWords(size_t i) const {
  skeletons();  // built together
  return nearWords_[i];
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
    const std::vector<std::string_view> words = mains_[0].words();
    skeletons_.reserve(words.size());
    for (std::string_view w : words) {
      skeletons_[soundSkeleton(w)].push_back(w);
      // Only words whose plain form is more than their lower case need an entry of their own.
      const bool plainDiffers = std::any_of(w.begin(), w.end(), [](char c) { return c == '\'' || (c & 0x80); });
      if (plainDiffers) plainForms_[plainForm(w)].push_back(w);
    }
    for (const Dictionary& d : mains_) nearWords_.emplace_back(&d == &mains_[0] ? words : d.words());
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
    for (std::string_view w : d.words()) longestWord_ = std::max(longestWord_, w.size());
}

SpellEngine SpellEngine::open(const ProgramFolders& folders, SpellSettings settings) {
  const std::string path = folders.data + "spell/spell.cfg";
  const std::string shared = folders.shared + "spell/";
  SpellConfig config = loadSpellConfig(path, "default", "american.dct", "default.udt", shared);
  // A configuration that lists no main dictionary at all is damaged: the shipped one stands in.
  if (config.mains.empty()) config.mains.push_back({"american.dct", true, {}});
  std::vector<Dictionary> mains;
  std::vector<DictionaryEntry> used;
  std::vector<std::string> unreadable;
  for (const auto& m : config.mains) {
    if (!m.inUse) continue;
    const std::string file = resolveDictionaryPath(path, m.path, shared);
    if (auto d = Dictionary::load(file)) {
      mains.push_back(std::move(*d));
      used.push_back(m);
    } else {
      unreadable.push_back(file);
    }
  }
  // Nothing to check with because listed dictionaries are gone: those are the ones to name.
  if (mains.empty() && unreadable.empty())
    for (const auto& m : config.mains)
      if (const std::string file = resolveDictionaryPath(path, m.path, shared); !fileExists(file))
        unreadable.push_back(file);
  config.mains = used;
  std::vector<UserDictionary> users;
  for (const auto& u : config.users) users.push_back(UserDictionary::load(resolveDictionaryPath(path, u.path)));
  SpellEngine engine(std::move(config), std::move(mains), std::move(users), std::move(settings));
  engine.unreadable_ = std::move(unreadable);
  return engine;
}

bool SpellEngine::inDictionaries(std::string_view word) const {
  for (const Dictionary& d : mains_)
    if (d.contains(word)) return true;
  if (users_.empty()) return false;
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
  // Most words are in a main dictionary as they stand: no copy is made for them.
  for (const Dictionary& d : mains_)
    if (d.contains(word)) return true;
  const std::string s = stripped(word);
  if (knownRaw(word) || knownRaw(lowerAscii(word)) || knownRaw(s) || knownRaw(lowerAscii(s))) return true;
  // Capitals beyond A-Z ("CAFÉ"), and a name written in capitals ("ZÜRICH", "PARIS").
  const std::string lower = lowerWord(s);
  return knownRaw(lower) || (isAllCapitals(s) && knownRaw(capitalizedWord(lower)));
}

void SpellEngine::begin(size_t from, size_t to, bool resetCount) {
  encodingKnown_ = false;
  pos_ = from;
  end_ = to;
  if (resetCount) checked_ = 0;
  previous_.clear();
  tagBetween_ = false;
  current_.reset();
}

std::string SpellEngine::inPageEncoding(const std::string& utf8) const { return toDocumentEncoding(utf8, pageUtf8_); }

// A word followed by "@", or "http", "ftp" or "news" followed by ":", runs on to the end of the address.
bool SpellEngine::extendToAddress(std::string_view t, size_t start, size_t limit, std::string& word) {
  if (pos_ >= t.size() || (t[pos_] != '@' && t[pos_] != ':')) return false;
  const std::string lower = lowerAscii(word);
  if (t[pos_] != '@' && lower != "http" && lower != "ftp" && lower != "news") return false;
  while (pos_ < limit && t[pos_] != ' ' && t[pos_] != '\t' && t[pos_] != '\r' && t[pos_] != '\n' && t[pos_] != '<' &&
         t[pos_] != '>' && t[pos_] != '"')
    ++pos_;
  word = std::string(t.substr(start, pos_ - start));
  return true;
}

// What a word is changed to without asking: a "Change All" of this check, else a user dictionary's
// auto-correction.
const std::string* SpellEngine::automaticReplacement(const std::string& word) const {
  const std::string* replacement = nullptr;
  for (const auto& [from, to] : changeAll_)
    if (from == word) replacement = &to;
  for (size_t i = 0; !replacement && i < users_.size(); ++i)
    if (i >= config_.users.size() || config_.users[i].inUse) replacement = users_[i].autoCorrect(word);
  return replacement;
}

std::optional<SpellEngine::Stop> SpellEngine::next(SpellText& text) {
  current_.reset();
  if (!encodingKnown_) {
    pageUtf8_ = readAsUtf8(text.bytes());
    encodingKnown_ = true;
  }
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
    std::optional<ReadWord> read = readWordAt(t, pos_, limit, pageUtf8_);
    if (!read) {
      pos_ += charAt(t, pos_, pageUtf8_).length;  // a separator, or an entity standing for one
      continue;
    }
    const size_t start = read->start;
    pos_ = read->end;
    std::string word = std::move(read->text);
    const bool address = config_.on(SpellOption::soInternet) && extendToAddress(t, start, limit, word);
    const size_t length = pos_ - start;
    ++checked_;
    const bool dualCaps = config_.on(SpellOption::soDualCaps) && word.size() > 2 && isUpper(word[0]) &&
                          isUpper(word[1]) && isLower(word[2]);
    if (!address && !dualCaps && known(word)) {
      const bool repeated = config_.on(SpellOption::soRepeated) && !tagBetween_ && word == previous_;
      tagBetween_ = false;
      if (repeated) {
        previous_ = word;
        return current_ = Stop{start, std::move(word), StopKind::Repeated, length};
      }
      previous_.swap(word);
      continue;
    }
    if (const std::string* replacement = automaticReplacement(word)) {
      const std::string with = inPageEncoding(*replacement);
      text.replace(start, length, with);
      end_ = end_ + with.size() - length;
      pos_ = start + with.size();
      previous_ = *replacement;
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
    return current_ = Stop{start, word, StopKind::NotFound, length};
  }
}

void SpellEngine::record(Undo undo) {
  undo_.push_back(std::move(undo));
  if (undo_.size() > settings_.maxUndo) undo_.pop_front();
}

void SpellEngine::ignore() {
  if (current_) record({Undo::Ignore, current_->offset, current_->word, {}, {}, 0});
}

void SpellEngine::ignoreAll() {
  if (!current_) return;
  ignoreAll_.insert(current_->word);
  record({Undo::IgnoreAll, current_->offset, current_->word, {}, {}, 0});
}

size_t SpellEngine::replaceCurrent(SpellText& text, const std::string& replacement, bool recheck, std::string& source) {
  size_t start = current_->offset;
  size_t length = current_->length;
  const std::string_view t = text.bytes();
  if (current_->kind == StopKind::Repeated && replacement.empty()) {
    // "Delete": the repeated word goes with the blanks before it.
    while (start > 0 && (t[start - 1] == ' ' || t[start - 1] == '\t')) --start;
    length = current_->offset + current_->length - start;
  }
  source = std::string(t.substr(start, length));
  const std::string with = inPageEncoding(replacement);
  text.replace(start, length, with);
  end_ = end_ + with.size() - length;
  pos_ = recheck && config_.on(SpellOption::soRecheck) ? start : start + with.size();
  previous_.clear();
  current_->offset = start;
  current_->length = length;
  return with.size();
}

void SpellEngine::change(SpellText& text, const std::string& replacement) {
  if (!current_) return;
  std::string source;
  const size_t written = replaceCurrent(text, replacement, true, source);
  record({Undo::Change, current_->offset, current_->word, replacement, source, written});
}

void SpellEngine::changeAll(SpellText& text, const std::string& replacement) {
  if (!current_) return;
  changeAll_.emplace_back(current_->word, replacement);
  std::string source;
  const size_t written = replaceCurrent(text, replacement, true, source);
  record({Undo::ChangeAll, current_->offset, current_->word, replacement, source, written});
}

UserDictionary* SpellEngine::userDictionary() {
  if (config_.userIndex < 0 || static_cast<size_t>(config_.userIndex) >= users_.size()) return nullptr;
  return &users_[static_cast<size_t>(config_.userIndex)];
}

WriteResult SpellEngine::add() {
  WriteResult saved{true, {}, {}};
  if (!current_) return saved;
  if (UserDictionary* d = userDictionary()) {
    d->addWord(current_->word);
    saved = d->save();
    if (!saved.ok) saved.failedPath = d->path();
  }
  record({Undo::Add, current_->offset, current_->word, {}, {}, 0});
  return saved;
}

WriteResult SpellEngine::autoCorrect(SpellText& text, const std::string& replacement) {
  WriteResult saved{true, {}, {}};
  if (!current_) return saved;
  if (UserDictionary* d = userDictionary()) {
    d->addAutoCorrect(current_->word, replacement);
    saved = d->save();
    if (!saved.ok) saved.failedPath = d->path();
  }
  std::string source;
  const size_t written = replaceCurrent(text, replacement, true, source);
  record({Undo::AutoCorrect, current_->offset, current_->word, replacement, source, written});
  return saved;
}

bool SpellEngine::undoLast(SpellText& text) {
  if (undo_.empty()) return false;
  const Undo u = undo_.back();
  undo_.pop_back();
  switch (u.kind) {
    case Undo::IgnoreAll:
      ignoreAll_.erase(u.word);
      break;
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
    default:
      break;
  }
  // Back to that word, as it stood.
  if (u.kind == Undo::Change || u.kind == Undo::ChangeAll || u.kind == Undo::AutoCorrect) {
    text.replace(u.offset, u.written, u.source);
    end_ = end_ + u.source.size() - u.written;
  }
  pos_ = u.offset;
  previous_.clear();
  current_.reset();
  return true;
}

}  // namespace quillon
