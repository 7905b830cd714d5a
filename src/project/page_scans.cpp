#include "project/page_scans.h"

#include "base/text_bytes.h"

namespace quillon {

namespace {

constexpr unsigned kStepsBetweenChecks = 4096;

// Counts steps of a scan and asks the stop check every few thousand of them.
class StopCounter {
 public:
  explicit StopCounter(const StopCheck& stop) : stop_(stop) {}
  bool step() {
    if (stopped_) return true;
    if (stop_ && ++steps_ % kStepsBetweenChecks == 0) stopped_ = stop_();
    return stopped_;
  }

 private:
  const StopCheck& stop_;
  unsigned steps_ = 0;
  bool stopped_ = false;
};

std::vector<size_t> positionsOf(std::string_view line, char c) {
  std::vector<size_t> at;
  for (size_t i = line.find(c); i != std::string_view::npos; i = line.find(c, i + 1)) at.push_back(i);
  return at;
}

std::vector<size_t> positionsOf(std::string_view line, std::string_view word) {
  std::vector<size_t> at;
  for (size_t i = line.find(word); i != std::string_view::npos; i = line.find(word, i + word.size())) at.push_back(i);
  return at;
}

bool isImageName(std::string_view lower) {
  const size_t dot = lower.rfind('.');
  if (dot == std::string_view::npos) return false;
  const std::string_view ext = lower.substr(dot);
  return ext == ".gif" || ext == ".jpg";
}

// Every character a scan consumes turns into "$" or is removed, and each search takes the first remaining
// one: so "<", ">" and double quotes are each consumed in order, and the line is walked with one cursor
// per kind instead of being searched again from its start for every tag. A removed "href" is passed over
// in the list of its occurrences; letters that would only spell "href" once it closed up are not joined.
void linksOfLine(std::string_view line, std::vector<std::string>& out, StopCounter& counter) {
  const std::vector<size_t> opens = positionsOf(line, '<');
  const std::vector<size_t> closes = positionsOf(line, '>');
  const std::vector<size_t> quotes = positionsOf(line, '"');
  const std::vector<size_t> lower = positionsOf(line, "href");
  const std::vector<size_t> upper = positionsOf(line, "HREF");
  size_t close = 0, quote = 0, lo = 0, up = 0;
  constexpr size_t none = std::string_view::npos;
  for (const size_t l : opens) {
    if (counter.step()) return;
    if (close == closes.size()) continue;  // a "<" without a ">" is consumed alone
    const size_t g = closes[close++];
    const auto inside = [&](size_t p) { return p != none && p > l && p < g; };
    const size_t firstLower = lo < lower.size() ? lower[lo] : none;
    const size_t firstUpper = up < upper.size() ? upper[up] : none;
    const bool byLower = inside(firstLower);
    const bool link = byLower || inside(firstUpper);
    if (link) {
      if (byLower)
        ++lo;
      else
        ++up;
      if (quote < quotes.size()) {
        const size_t q1 = quotes[quote++];
        if (inside(q1) && quote < quotes.size() && inside(quotes[quote]))
          out.emplace_back(line.substr(q1 + 1, quotes[quote] - q1 - 1));
      }
    }
    while (quote < quotes.size() && quotes[quote] < g) ++quote;
  }
}

}  // namespace

std::vector<std::string> scanImages(std::string_view page, const StopCheck& stop) {
  std::vector<std::string> names;
  StopCounter counter(stop);
  forEachLine(page, [&](std::string_view line, size_t) {
    for (size_t open = line.find('"'); open != std::string_view::npos && !counter.step();) {
      const size_t close = line.find('"', open + 1);
      if (close == std::string_view::npos) break;
      const std::string value = lowerAscii(line.substr(open + 1, close - open - 1));
      if (isImageName(value)) names.push_back(value.substr(value.find_last_of("/\\") + 1));
      open = line.find('"', close + 1);
    }
  });
  return names;
}

std::vector<std::string> scanLinks(std::string_view page, const StopCheck& stop) {
  std::vector<std::string> links;
  StopCounter counter(stop);
  forEachLine(page, [&](std::string_view line, size_t) {
    if (!counter.step()) linksOfLine(line, links, counter);
  });
  return links;
}

}  // namespace quillon
