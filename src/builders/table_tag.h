#pragma once

#include <string>
#include <vector>

namespace quillon {

// What the table builder's controls hold.
struct TableTagRecord {
  int rows = 2;
  int cols = 2;
  bool widthInPercent = false;
  int pixels = 0;
  int percent = 90;
  int border = 0;
  int padding = 0;
  int spacing = 0;
  std::string align;  // typed or picked, written unchanged
  std::string valign;
  std::string caption;
  bool captionAtBottom = false;
  std::vector<std::vector<std::string>> cells;  // [row][col]; missing cells are empty
};

// The table: "<TABLE" with its attributes, the caption line when there is a caption, one TR block per row
// with one TD line per cell, "</TABLE>"; every line ends in CR LF. Texts are copied as typed.
std::string tableTagText(const TableTagRecord& record);

// The effect sampler's three cells for a border, padding and spacing, in the sample panel's pixels.
struct SamplerCell {
  int left, top, width, height;
};
struct SamplerLayout {
  int bevel;
  SamplerCell cells[3];
};
SamplerLayout tableSampler(int border, int padding, int spacing);

}  // namespace quillon
