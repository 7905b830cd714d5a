#include "spell/near_words.h"

#include <algorithm>
#include <bit>
#include <climits>

#include "spell/spell_engine.h"

namespace quillon {

uint32_t letterSet(std::string_view word) {
  uint32_t set = 0;
  for (const char ch : word) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 'a' && c <= 'z')
      set |= 1u << (c - 'a');
    else if (c >= 'A' && c <= 'Z')
      set |= 1u << (c - 'A');
    else if (c == '\'')
      set |= 1u << 26;
    else
      set |= 1u << (27 + (c & 3));
  }
  return set;
}

// The cheapest way with exactly k edits (k = 0, 1, 2) to each pair of prefixes, in a band of two around the
// diagonal: a word's letters can only have moved two places.
TwoEdits withinTwoEdits(std::string_view from, std::string_view to) {
  const size_t n = from.size(), m = to.size();
  if ((n > m ? n - m : m - n) > 2) return {};
  constexpr int kNone = INT_MAX / 4;
  constexpr int kCosts = 3;
  const size_t width = m + 1;
  thread_local std::vector<int> table;
  table.assign((n + 1) * width * kCosts, kNone);
  auto at = [&](size_t i, size_t j) { return &table[(i * width + j) * kCosts]; };
  at(0, 0)[0] = 0;
  for (size_t j = 1; j <= std::min<size_t>(m, 2); ++j) at(0, j)[j] = static_cast<int>(j);
  for (size_t i = 1; i <= n; ++i) {
    if (i <= 2) at(i, 0)[i] = static_cast<int>(i);
    const size_t low = i > 2 ? i - 2 : 1, high = std::min(m, i + 2);
    for (size_t j = low; j <= high; ++j) {
      int* cell = at(i, j);
      const int* diagonal = at(i - 1, j - 1);
      const int* up = at(i - 1, j);
      const int* left = at(i, j - 1);
      const bool same = from[i - 1] == to[j - 1];
      const bool swapped = i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1] && !same;
      for (int k = 0; k < kCosts; ++k) {
        int best = same ? diagonal[k] : kNone;
        if (k > 0) {
          best = std::min({best, diagonal[k - 1] + 2, up[k - 1] + 1, left[k - 1] + 1});
          if (swapped) best = std::min(best, at(i - 2, j - 2)[k - 1]);
        }
        cell[k] = best;
      }
    }
  }
  const int* last = at(n, m);
  for (int k = 0; k < kCosts; ++k)
    if (last[k] < kNone) {
      int cost = last[k];
      for (int more = k + 1; more < kCosts; ++more) cost = std::min(cost, last[more]);
      return {k, cost};
    }
  return {};
}

NearWords::NearWords(const std::vector<std::string_view>& words) {
  for (std::string_view w : words) {
    if (w.size() >= byLength_.size()) byLength_.resize(w.size() + 1);
    byLength_[w.size()].push_back({w, letterSet(w)});
  }
}

void NearWords::forEachWithinTwo(std::string_view word,
                                 const std::function<void(std::string_view, int, int)>& near) const {
  const uint32_t letters = letterSet(word);
  const size_t low = word.size() > 2 ? word.size() - 2 : 0;
  for (size_t length = low; length <= word.size() + 2 && length < byLength_.size(); ++length)
    for (const Entry& e : byLength_[length]) {
      // Two edits change at most four letters of the set.
      if (std::popcount(e.letters ^ letters) > 4) continue;
      const TwoEdits two = withinTwoEdits(word, e.word);
      if (two.edits >= 0) near(e.word, two.edits, two.cost);
    }
}

void NearWords::forEachWithinThree(std::string_view word,
                                   const std::function<void(std::string_view, int)>& near) const {
  const uint32_t letters = letterSet(word);
  const size_t low = word.size() > 3 ? word.size() - 3 : 0;
  for (size_t length = low; length <= word.size() + 3 && length < byLength_.size(); ++length)
    for (const Entry& e : byLength_[length]) {
      if (std::popcount(e.letters ^ letters) > 6) continue;
      const int d = boundedEditDistance(e.word, word, 3);
      if (d <= 3) near(e.word, d);
    }
}

}  // namespace quillon
