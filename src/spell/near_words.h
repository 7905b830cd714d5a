#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace quillon {

// A dictionary's words by length, each with the set of letters it holds, so that the words within a few
// edits of a misspelling are found by scanning a few lengths with a one-instruction filter in front of the
// edit count, rather than by trying every string two edits away.
class NearWords {
 public:
  explicit NearWords(const std::vector<std::string_view>& words);
  // Calls `near` with every word within `edits` edits (insertions, deletions, substitutions, swaps of
  // neighbours) of `word`, and the cost of the cheapest way there in that many edits or fewer (swap 0,
  // insertion or deletion 1, substitution 2) for two edits, or the edit count for three.
  void forEachWithinTwo(std::string_view word,
                        const std::function<void(std::string_view, int edits, int cost)>& near) const;
  void forEachWithinThree(std::string_view word, const std::function<void(std::string_view, int edits)>& near) const;

 private:
  struct Entry {
    std::string_view word;
    uint32_t letters;
  };
  std::vector<std::vector<Entry>> byLength_;
};

// The set of letters of a word as bits: a to z, the apostrophe, and four groups for other bytes.
uint32_t letterSet(std::string_view word);
// The fewest edits (at most two) from `from` to `to` and the least cost of doing it in that many or fewer;
// edits -1 when more than two are needed.
struct TwoEdits {
  int edits = -1;
  int cost = 0;
};
TwoEdits withinTwoEdits(std::string_view from, std::string_view to);

}  // namespace quillon
