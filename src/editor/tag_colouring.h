#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <vector>

#include "base/colour_names.h"

namespace quillon {

enum class TagClass { Default = 0, Href = 1, Img = 2, Font = 3, Table = 4, List = 5 };  // as kTagColourKeys

struct ColouredRange {
  size_t offset = 0;
  size_t length = 0;
  ColourValue colour = 0;
  bool operator==(const ColouredRange&) const = default;
};

// The class of a tag text ("<" to ">"), by substring patterns matched without regard to A-Z case; later
// tests win: HREF, then FONT, IMG, TABLE, LIST.
TagClass tagClass(std::string_view tagText);

// The coloured ranges of one line (without its line end) that starts at document offset lineOffset:
// each "<" paired with the first ">" of the line as it stands, pairs retired ("$") as they are used. A
// tag's class is read from the line as it stands, so a retired ">" inside it no longer counts. A ">" before
// the "<" colours what lies between them in the DEFAULT colour.
class LineColourer {
 public:
  LineColourer(std::string_view line, size_t lineOffset) : line_(line), offset_(lineOffset) {}
  // Adds the ranges of up to maxPairs more pairs; true when the line is done.
  bool next(const std::array<ColourValue, 6>& colours, std::vector<ColouredRange>& out, size_t maxPairs);
  // Where the pairs so far end, as a document offset, when every "<" and ">" before it is retired: colouring
  // from there on is the same as colouring a line that starts there. npos otherwise.
  size_t freshPoint() const;
  // Where the pairs so far end, as a document offset.
  size_t position() const { return offset_ + (lt_ > gt_ ? lt_ : gt_); }
  bool done() const { return done_; }

 private:
  std::string_view line_;
  size_t offset_;
  size_t lt_ = 0, gt_ = 0;  // the first "<" and ">" not yet retired lie at or after these
  bool done_ = false;
};

void colourLine(std::string_view line, size_t lineOffset, const std::array<ColourValue, 6>& colours,
                std::vector<ColouredRange>& out);

// The style number that shows a colour in the editing window: 0 is the normal text, 1 + n the n-th colour
// name.
int styleForColour(ColourValue colour);

// The whole document, line by line, with the true offsets of line starts (lines end at CR LF, LF or CR).
std::vector<ColouredRange> colourTags(std::string_view text, const std::array<ColourValue, 6>& colours);

}  // namespace quillon
