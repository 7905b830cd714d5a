#include "project/summary_grid_print.h"

namespace quillon {

SummaryGridPrint summaryGridPrint(const std::vector<std::array<std::string, 6>>& rows) {
  static constexpr std::array<int, 6> headerX = {100, 550, 800, 1050, 1350, 1650};
  static constexpr std::array<int, 6> valueX = {100, 570, 880, 1130, 1430, 1730};
  static const std::array<const char*, 6> headers = {"Page",           "File Size",      "Unique Images",
                                                     "Total Image KB", "Est. 28.8 Time", "Est. 14.4 Time"};
  SummaryGridPrint out;
  constexpr int kGap = 10;
  const auto room = [](const std::array<int, 6>& xs, size_t c) {
    return (c + 1 < xs.size() ? xs[c + 1] : 1900) - xs[c] - kGap;
  };
  for (size_t c = 0; c < headers.size(); ++c) out.texts.push_back({0, headerX[c], 75, headers[c], room(headerX, c)});
  for (size_t r = 0; r < rows.size(); ++r) {
    const int page = static_cast<int>(r) / kSummaryRowsPerPage;
    const int y = 150 + 75 * (static_cast<int>(r) % kSummaryRowsPerPage);
    for (size_t c = 0; c < 6; ++c) out.texts.push_back({page, valueX[c], y, rows[r][c], room(valueX, c)});
    out.pages = page + 1;
  }
  return out;
}

}  // namespace quillon
