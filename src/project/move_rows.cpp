#include "project/move_rows.h"

namespace quillon {

namespace {

void shiftLevels(std::vector<MoveRow>& rows, size_t from, size_t count, int by) {
  for (size_t i = from; i < from + count && i < rows.size(); ++i) rows[i].level += by;
}

}  // namespace

size_t groupSize(const std::vector<MoveRow>& rows, size_t a) {
  size_t end = a + 1;
  while (end < rows.size() && rows[end].level > rows[a].level) ++end;
  return end - a - 1;
}

MoveOutcome moveUp(std::vector<MoveRow>& rows, size_t a) {
  if (a == 0 || a >= rows.size()) return {false, a, {}};
  const size_t n = groupSize(rows, a);
  const int above = rows[a - 1].level;
  const int level = rows[a].level;
  if (a == 1) {
    if (level == 1) return {false, a, {}};
    shiftLevels(rows, a, n + 1, -1);
    return {true, a, {}};
  }
  std::vector<MoveRow> group(rows.begin() + static_cast<long>(a), rows.begin() + static_cast<long>(a + n + 1));
  for (MoveRow& r : group) r.level += above - level;
  rows.erase(rows.begin() + static_cast<long>(a), rows.begin() + static_cast<long>(a + n + 1));
  rows.insert(rows.begin() + static_cast<long>(a - 1), group.begin(), group.end());
  return {true, a - 1, {}};
}

MoveOutcome moveDown(std::vector<MoveRow>& rows, size_t a) {
  if (a == 0 || a >= rows.size()) return {false, a, {}};
  const size_t n = groupSize(rows, a);
  const size_t last = rows.size() - 1;
  if (a + n == last && n >= 1) return {false, a, kOnlyChildrenBelow};
  if (a == last) {
    if (rows[a].level <= 1) return {false, a, {}};
    --rows[a].level;
    return {true, a, {}};
  }
  const size_t next = a + n + 1;
  const int q = rows[next].level;
  const size_t m = groupSize(rows, next);
  int level = rows[a].level;
  if (n == 0) {
    if (q < level && a > 1) {
      rows[a].level = q;
      level = q;
    }
    if (a + 2 < rows.size() && rows[a + 2].level > level) ++rows[a].level;
    std::swap(rows[a], rows[a + 1]);
    return {true, a + 1, {}};
  }
  std::vector<MoveRow> group(rows.begin() + static_cast<long>(a), rows.begin() + static_cast<long>(a + n + 1));
  rows.erase(rows.begin() + static_cast<long>(a), rows.begin() + static_cast<long>(a + n + 1));
  for (MoveRow& r : group) {
    if (q < level && a > 1) r.level -= level - q;
    if (m > 0) ++r.level;
  }
  rows.insert(rows.begin() + static_cast<long>(a + 1), group.begin(), group.end());
  return {true, a + 1, {}};
}

MoveOutcome moveIn(std::vector<MoveRow>& rows, size_t a) {
  if (a == 0 || a >= rows.size()) return {false, a, {}};
  if (rows[a - 1].level < rows[a].level) return {false, a, kCannotIndent};
  shiftLevels(rows, a, groupSize(rows, a) + 1, 1);
  return {true, a, {}};
}

MoveOutcome moveOut(std::vector<MoveRow>& rows, size_t a) {
  if (a == 0 || a >= rows.size()) return {false, a, {}};
  const size_t n = groupSize(rows, a);
  if (n >= 1 && rows[a].level >= 2) {
    shiftLevels(rows, a, n + 1, -1);
    return {true, a, {}};
  }
  if (rows[a].level > 1) {
    --rows[a].level;
    return {true, a, {}};
  }
  return {false, a, {}};
}

bool isValidOutline(const std::vector<MoveRow>& rows) {
  int previous = 0;
  for (const MoveRow& r : rows) {
    if (r.level < 1 || r.level > previous + 1) return false;
    previous = r.level;
  }
  return true;
}

std::string rowCaption(const MoveRow& row) {
  return std::string(static_cast<size_t>(row.level > 1 ? 4 * (row.level - 1) : 0), ' ') + row.title;
}

}  // namespace quillon
