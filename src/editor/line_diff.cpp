#include "editor/line_diff.h"

#include <algorithm>
#include <vector>

namespace quillon {

namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\n' && text[i] != '\r') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

// Above this many cells the middle is shown as all removed, then all added, rather than matched.
constexpr size_t kMostCells = 16'000'000;

}  // namespace

std::string lineDifferences(std::string_view before, std::string_view after, size_t context) {
  const auto a = linesOf(before), b = linesOf(after);
  size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) ++tail;
  const size_t n = a.size() - head - tail, m = b.size() - head - tail;
  if (n == 0 && m == 0) return {};

  // Each line of both texts marked ' ', '-' or '+', in order.
  std::vector<std::pair<char, std::string_view>> marked;
  for (size_t i = 0; i < head; ++i) marked.emplace_back(' ', a[i]);
  if (n * m <= kMostCells) {
    // The longest common subsequence of the middle lines, from the end.
    std::vector<std::vector<uint32_t>> lcs(n + 1, std::vector<uint32_t>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
      for (size_t j = m; j-- > 0;)
        lcs[i][j] = a[head + i] == b[head + j] ? lcs[i + 1][j + 1] + 1 : std::max(lcs[i + 1][j], lcs[i][j + 1]);
    size_t i = 0, j = 0;
    while (i < n || j < m) {
      if (i < n && j < m && a[head + i] == b[head + j]) {
        marked.emplace_back(' ', a[head + i]);
        ++i, ++j;
      } else if (i < n && (j == m || lcs[i + 1][j] >= lcs[i][j + 1])) {
        marked.emplace_back('-', a[head + i++]);  // on a tie, what went before what came
      } else {
        marked.emplace_back('+', b[head + j++]);
      }
    }
  } else {
    for (size_t i = 0; i < n; ++i) marked.emplace_back('-', a[head + i]);
    for (size_t j = 0; j < m; ++j) marked.emplace_back('+', b[head + j]);
  }
  for (size_t i = a.size() - tail; i < a.size(); ++i) marked.emplace_back(' ', a[i]);

  std::string out;
  size_t afterLine = 0;  // lines of `after` passed
  size_t shownUpTo = 0;  // marked lines before this one are written
  for (size_t k = 0; k < marked.size();) {
    if (marked[k].first == ' ') {
      ++afterLine;
      ++k;
      continue;
    }
    const size_t from = std::max(shownUpTo, k >= context ? k - context : 0);
    size_t end = k;
    // The run, joined with the next one when fewer than 2 x context unchanged lines lie between.
    for (size_t quiet = 0; end < marked.size() && quiet <= 2 * context; ++end)
      quiet = marked[end].first == ' ' ? quiet + 1 : 0;
    while (end > k && marked[end - 1].first == ' ') --end;
    const size_t to = std::min(marked.size(), end + context);
    size_t line = afterLine + 1 - (k - from);
    out += "@@ line " + std::to_string(line) + "\r\n";
    for (size_t x = from; x < to; ++x) {
      out += marked[x].first;
      out += ' ';
      out.append(marked[x].second);
      out += "\r\n";
    }
    for (size_t x = k; x < to; ++x)
      if (marked[x].first != '-') ++afterLine;
    shownUpTo = to;
    k = to;
  }
  return out;
}

}  // namespace quillon
