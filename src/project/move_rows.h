#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon {

// A page as the move dialog holds it: its level (1 is the top), title and link.
struct MoveRow {
  int level = 1;
  std::string title;
  std::string link;
  bool operator==(const MoveRow&) const = default;
};

// What a move did: whether the rows changed, the row to select afterwards, or the message that refused it.
struct MoveOutcome {
  bool changed = false;
  size_t select = 0;
  std::optional<std::string> refusal;
};

inline constexpr const char* kOnlyChildrenBelow =
    "This item only has children elements below it. It cannot be moved down a level.";
inline constexpr const char* kCannotIndent =
    "Cannot indent this item. Items can only be one level lower than their parents.";

// The number of rows right after row a that are deeper than it: its sub-pages at every depth.
size_t groupSize(const std::vector<MoveRow>& rows, size_t a);

// Each acts on row a with its group; row 0 and rows past the end are left alone.
MoveOutcome moveUp(std::vector<MoveRow>& rows, size_t a);
MoveOutcome moveDown(std::vector<MoveRow>& rows, size_t a);
MoveOutcome moveIn(std::vector<MoveRow>& rows, size_t a);
MoveOutcome moveOut(std::vector<MoveRow>& rows, size_t a);

// The first row at level 1 and no row more than one level below the row above it.
bool isValidOutline(const std::vector<MoveRow>& rows);

// The row as the list shows it: four blanks per level below the top, then the title.
std::string rowCaption(const MoveRow& row);

}  // namespace quillon
