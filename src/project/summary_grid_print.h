#pragma once

#include <array>
#include <string>
#include <vector>

namespace quillon {

// The site summary grid as printed, in printer pixels of a 300-dots-per-inch page: headers at y = 75, a
// rule at y = 110, row r at y = 150 + 75 * r. Forty rows fill a page; each later page holds the next forty
// at the same places, without the headers.
struct PrintedText {
  int page = 0;
  int x = 0;
  int y = 0;
  std::string text;
  int width = 0;  // room before the next column (or the rule's end)
};
struct PrintedRule {
  int page = 0;
  int x1 = 100, x2 = 1900, y = 110, height = 2;
};
struct SummaryGridPrint {
  std::vector<PrintedText> texts;
  PrintedRule rule;
  int pages = 1;
};
inline constexpr int kSummaryPrintDpi = 300;
inline constexpr int kSummaryRowsPerPage = 40;

SummaryGridPrint summaryGridPrint(const std::vector<std::array<std::string, 6>>& rows);

}  // namespace quillon
