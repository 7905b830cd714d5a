// Suggestions: candidates near a misspelt word, ranked by what it would take to get from one to the other.
#include <algorithm>
#include <functional>
#include <unordered_set>

#include "base/text_bytes.h"
#include "spell/spell_engine.h"
#include "spell/word_reader.h"

namespace quillon {

namespace cost {
// What a candidate's rank adds up from; the lower, the nearer. A swap of neighbours is the commonest slip.
constexpr int kSameLetters = -1;  // the word with its accents or apostrophes ("cafe": "café")
constexpr int kSwap = 0;
constexpr int kDeleteOrInsert = 1;
constexpr int kSubstitute = 2;
constexpr int kSecondEdit = 10;        // added to the two edits' own costs
constexpr int kAlsoSoundsAlike = -5;   // a near spelling that also sounds like the word moves up
constexpr int kSoundsAlike = 14;       // a word that only sounds alike, plus its edit distance
constexpr int kWithinThreeEdits = 20;  // the last resort for badly mangled words, plus the distance
constexpr int kRare = 6;               // a known word the dictionary does not mark as common
}  // namespace cost

namespace {

// Every spelling one edit from `w` (a swap of neighbours, a letter deleted, inserted or changed), each
// with its cost. One buffer, edited in place and put back, instead of a new string for every candidate.
template <typename Emit>
void forEachSingleEdit(const std::string& w, Emit&& emit) {
  static const std::string letters = "abcdefghijklmnopqrstuvwxyz'";
  std::string s = w;
  s.reserve(w.size() + 1);
  for (size_t i = 0; i + 1 < w.size(); ++i) {  // swaps first: the commonest slip
    std::swap(s[i], s[i + 1]);
    emit(s, cost::kSwap);
    std::swap(s[i], s[i + 1]);
  }
  for (size_t i = 0; i < w.size(); ++i) {
    s.erase(i, 1);
    emit(s, cost::kDeleteOrInsert);
    s.insert(i, 1, w[i]);
  }
  for (size_t i = 0; i <= w.size(); ++i) {
    s.insert(i, 1, ' ');
    for (char c : letters) {
      s[i] = c;
      emit(s, cost::kDeleteOrInsert);
    }
    s.erase(i, 1);
  }
  for (size_t i = 0; i < w.size(); ++i) {
    for (char c : letters) {
      if (c == w[i]) continue;
      s[i] = c;
      emit(s, cost::kSubstitute);
    }
    s[i] = w[i];
  }
}

// Fewer and cheaper edits first; then a kept first letter; then a length close to the word's.
void rankCandidates(std::vector<std::pair<int, std::string>>& found, const std::string& word) {
  std::stable_sort(found.begin(), found.end(), [&](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    const bool fa = a.second[0] == word[0], fb = b.second[0] == word[0];
    if (fa != fb) return fa;
    const auto da = std::abs(static_cast<long>(a.second.size()) - static_cast<long>(word.size()));
    const auto db = std::abs(static_cast<long>(b.second.size()) - static_cast<long>(word.size()));
    return da < db;
  });
}

}  // namespace

void SpellEngine::lookup(const std::string& word, std::vector<std::string>& out, size_t limit,
                         const std::atomic<bool>* cancel) const {
  if (word.empty()) return;
  auto cancelled = [cancel] { return cancel && cancel->load(std::memory_order_relaxed); };
  // The work grows with the square of the word's length and more: a long word gets only the cheap
  // candidates, and no edit is tried that could not reach a dictionary word's length.
  const bool cheapOnly = word.size() > kCheapAbove;
  const bool editsCanReach = word.size() <= longestWord_ + 2;
  std::vector<std::pair<int, std::string>> found;
  // A word the dictionary does not mark as common needs a nearer spelling to rank as high.
  auto rarity = [&](const std::string& w) { return !mains_.empty() && mains_[0].rank(w) == 2 ? cost::kRare : 0; };
  std::unordered_set<std::string> seen;
  const bool primaryOnly = config_.on(SpellOption::soPrimaryOnly);
  auto consider = [&](const std::string& candidate, int rank) {
    // The dictionary first: most candidates are not words, and a hash probe is cheaper than remembering them.
    bool hit = false;
    for (size_t i = 0; i < mains_.size() && !hit; ++i) {
      if (primaryOnly && i > 0) break;
      hit = mains_[i].contains(candidate);
    }
    if (hit && seen.insert(candidate).second) found.emplace_back(rank + rarity(candidate), candidate);
  };

  // The same word with its accents or apostrophes: "cafe" is "café", "Ive" is "I've".
  if (const auto it = plainForms().find(plainForm(word)); it != plainForms().end())
    for (std::string_view candidate : it->second) {
      const std::string c(candidate);
      if (seen.insert(c).second) found.emplace_back(cost::kSameLetters, c);
    }
  if (cancelled()) return;
  if (editsCanReach) forEachSingleEdit(word, [&](const std::string& s, int rank) { consider(s, rank); });
  // Two edits away: the dictionary's words of nearly the same length and letters, rather than every string
  // two edits away (a quarter of a million probes for a word of eight letters).
  if (found.size() < limit && !cheapOnly && editsCanReach && !mains_.empty()) {
    for (size_t i = 0; i < mains_.size() && !cancelled(); ++i) {
      if (primaryOnly && i > 0) break;
      nearWords(i).forEachWithinTwo(word, [&](std::string_view near, int count, int cost) {
        if (count < 2) return;  // nearer words came from the first round
        std::string c(near);
        if (seen.insert(c).second) found.emplace_back(cost::kSecondEdit + cost + rarity(c), std::move(c));
      });
    }
  }
  if (cancelled()) return;
  // Words that sound alike come in too, after the near spellings; a near spelling that also sounds alike
  // moves up.
  const std::string sound = soundSkeleton(word);
  for (auto& [rank, candidate] : found)
    if (soundSkeleton(candidate) == sound) rank += cost::kAlsoSoundsAlike;
  if (const auto it = skeletons().find(sound); it != skeletons().end() && !cheapOnly) {
    for (std::string_view candidate : it->second) {
      const std::string c(candidate);
      const int d = boundedEditDistance(lowerAscii(c), word, std::max<int>(3, static_cast<int>(word.size() / 2)));
      if (seen.count(c) || d > std::max<int>(3, static_cast<int>(word.size() / 2))) continue;
      seen.insert(c);
      found.emplace_back(cost::kSoundsAlike + d + rarity(c), c);
    }
  }
  // Still short of a handful: the dictionary's words within three edits, for long and badly mangled words.
  if (found.size() < 5 && !mains_.empty() && word.size() >= 5 && !cheapOnly && editsCanReach && !cancelled()) {
    nearWords(0).forEachWithinThree(word, [&](std::string_view near, int d) {
      std::string c(near);
      if (seen.insert(c).second) found.emplace_back(cost::kWithinThreeEdits + d + rarity(c), std::move(c));
    });
  }
  rankCandidates(found, word);

  for (const auto& [rank, s] : found) {
    if (out.size() >= limit) break;
    if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  }
}

namespace {

size_t firstCharLength(std::string_view utf8) { return utf8.empty() ? 0 : charAt(utf8, 0, true).length; }

bool startsWithCapital(std::string_view utf8) {
  const std::string_view first = utf8.substr(0, firstCharLength(utf8));
  return !first.empty() && lowerWord(first) != first;
}

std::string withCapitalFirst(const std::string& utf8) {
  const size_t n = firstCharLength(utf8);
  return upperWord(std::string_view(utf8).substr(0, n)) + utf8.substr(n);
}

}  // namespace

std::vector<std::string> SpellEngine::suggest(const std::string& word, const std::atomic<bool>* cancel) const {
  std::vector<std::string> out;
  auto add = [&](const std::string& s) {
    if (std::find(out.begin(), out.end(), s) == out.end()) out.push_back(s);
  };
  // A word in capitals gets its suggestions in capitals; otherwise capitals are copied where the word has
  // them, unless the suggestion has its own (a name).
  const bool capitals = isAllCapitals(word);
  const std::string lower = lowerWord(word);
  if (lower != word) {
    std::vector<std::string> fromLower;
    lookup(lower, fromLower, settings_.maxSuggestions, cancel);
    for (const auto& s : fromLower) {
      const bool hasCapital = lowerWord(s) != s;
      std::string shown = capitals ? upperWord(s) : hasCapital ? s : copyCapitals(word, s);
      if (!capitals && startsWithCapital(word)) shown = withCapitalFirst(shown);  // "École" as well as "Recieve"
      add(shown);
    }
  }
  std::vector<std::string> asWritten;
  lookup(word, asWritten, settings_.maxSuggestions, cancel);
  for (const auto& s : asWritten) add(capitals ? upperWord(s) : s);
  if (out.size() > settings_.maxSuggestions) out.resize(settings_.maxSuggestions);
  return out;
}

}  // namespace quillon
