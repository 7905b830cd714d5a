#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "project/move_rows.h"
#include "project/project_files.h"

namespace quillon {
namespace {

std::vector<MoveRow> rowsOf(std::initializer_list<std::pair<int, const char*>> list) {
  std::vector<MoveRow> rows;
  for (const auto& [level, title] : list) rows.push_back({level, title, std::string(title) + ".htm"});
  return rows;
}

std::string shape(const std::vector<MoveRow>& rows) {
  std::string out;
  for (const MoveRow& r : rows) out += (out.empty() ? "" : " ") + r.title + std::to_string(r.level);
  return out;
}

enum class Op { Up, Down, In, Out };

MoveOutcome apply(Op op, std::vector<MoveRow>& rows, size_t a) {
  switch (op) {
    case Op::Up:
      return moveUp(rows, a);
    case Op::Down:
      return moveDown(rows, a);
    case Op::In:
      return moveIn(rows, a);
    case Op::Out:
      return moveOut(rows, a);
  }
  return {};
}

TEST(MoveRows, TheCasesOfEachMove) {
  struct Case {
    std::vector<MoveRow> rows;
    Op op;
    size_t row;
    const char* after;
    size_t select;
    const char* refusal;
  };
  const Case cases[] = {
      {rowsOf({{1, "Home"}, {1, "A"}, {1, "B"}}), Op::Up, 2, "Home1 B1 A1", 1, nullptr},
      {rowsOf({{1, "Home"}, {1, "A"}, {1, "B"}}), Op::Up, 1, "Home1 A1 B1", 1, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}, {3, "A1"}, {2, "B"}}), Op::Up, 3, "Home1 A2 B3 A13", 2, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}, {3, "A1"}}), Op::Up, 1, "Home1 A1 A12", 1, nullptr},
      {rowsOf({{1, "Home"}, {1, "A"}, {1, "B"}, {2, "B1"}}), Op::Down, 1, "Home1 B1 A2 B12", 2, nullptr},
      {rowsOf({{1, "Home"}, {1, "A"}, {2, "A1"}}), Op::Down, 1, "Home1 A1 A12", 1, kOnlyChildrenBelow},
      {rowsOf({{1, "Home"}, {1, "A"}, {2, "A1"}, {1, "B"}}), Op::Down, 1, "Home1 B1 A1 A12", 2, nullptr},
      {rowsOf({{1, "Home"}, {1, "A"}, {2, "A1"}, {1, "B"}, {2, "B1"}}), Op::Down, 1, "Home1 B1 A2 A13 B12", 2, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}}), Op::Down, 1, "Home1 A1", 1, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}, {3, "A1"}, {2, "B"}}), Op::Down, 2, "Home1 A2 B2 A12", 3, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}, {2, "B"}}), Op::In, 1, "Home1 A2 B2", 1, kCannotIndent},
      {rowsOf({{1, "Home"}, {1, "A"}, {2, "A1"}}), Op::In, 1, "Home1 A2 A13", 1, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}, {2, "B"}, {2, "C"}}), Op::Out, 1, "Home1 A1 B2 C2", 1, nullptr},
      {rowsOf({{1, "Home"}, {2, "A"}, {3, "A1"}}), Op::Out, 1, "Home1 A1 A12", 1, nullptr},
      {rowsOf({{1, "Home"}, {1, "A"}}), Op::Out, 1, "Home1 A1", 1, nullptr},
  };
  for (const Case& c : cases) {
    std::vector<MoveRow> rows = c.rows;
    const MoveOutcome out = apply(c.op, rows, c.row);
    SCOPED_TRACE(shape(c.rows) + " op " + std::to_string(static_cast<int>(c.op)) + " row " + std::to_string(c.row));
    EXPECT_EQ(shape(rows), c.after);
    EXPECT_EQ(out.select, c.select);
    EXPECT_EQ(out.refusal.value_or(""), c.refusal ? c.refusal : "");
  }
  // The first row is never moved; links travel with their titles.
  std::vector<MoveRow> rows = rowsOf({{1, "Home"}, {1, "A"}, {1, "B"}});
  for (Op op : {Op::Up, Op::Down, Op::In, Op::Out}) EXPECT_FALSE(apply(op, rows, 0).changed);
  moveUp(rows, 2);
  EXPECT_EQ(rows[1].link, "B.htm");
  EXPECT_EQ(rowCaption({3, "Deep", ""}), "        Deep");
}

// Random outlines and random moves: no page is lost, doubled or parted from its link, no level drops below
// the top, and what the main window reloads keeps every page in its place.
TEST(MoveRows, RandomMovesKeepEveryPageAndAreCaughtWhenInvalid) {
  std::mt19937 random(20261208);
  for (int trial = 0; trial < 3000; ++trial) {
    std::vector<MoveRow> rows;
    const int count = 1 + static_cast<int>(random() % 9);
    int level = 1;
    for (int i = 0; i < count; ++i) {
      if (i > 0) level = 1 + static_cast<int>(random() % static_cast<unsigned>(level + 1));
      rows.push_back({level, "P" + std::to_string(i), "p" + std::to_string(i) + ".htm"});
    }
    const std::vector<MoveRow> start = rows;
    for (int step = 0; step < 12; ++step) {
      const auto op = static_cast<Op>(random() % 4);
      const size_t a = random() % rows.size();
      const std::vector<MoveRow> before = rows;
      const MoveOutcome out = apply(op, rows, a);
      if (out.refusal) {
        EXPECT_EQ(rows, before);
      }
      if (out.changed) {
        EXPECT_LT(out.select, rows.size());
      }
    }
    std::vector<std::string> pairsBefore, pairsAfter;
    for (const MoveRow& r : start) pairsBefore.push_back(r.title + "|" + r.link);
    for (const MoveRow& r : rows) {
      pairsAfter.push_back(r.title + "|" + r.link);
      EXPECT_GE(r.level, 1);
    }
    std::sort(pairsBefore.begin(), pairsBefore.end());
    std::sort(pairsAfter.begin(), pairsAfter.end());
    ASSERT_EQ(pairsBefore, pairsAfter);
    std::string outline;
    for (const MoveRow& r : rows) outline += std::string(static_cast<size_t>(r.level - 1), '\t') + r.title + "\r\n";
    // A valid list reloads as it stands; any other either reloads with every page in its place (a level
    // jump clamped) or is refused, and the main window then keeps the outline it had.
    const auto reloaded = parseOutline(outline);
    if (isValidOutline(rows)) ASSERT_TRUE(reloaded) << shape(rows);
    if (!reloaded) continue;
    ASSERT_EQ(reloaded->size(), rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      EXPECT_EQ((*reloaded)[i].title, rows[i].title);
      if (isValidOutline(rows)) EXPECT_EQ((*reloaded)[i].level, rows[i].level);
    }
  }
}

}  // namespace
}  // namespace quillon
