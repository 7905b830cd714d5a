#include "editor/tag_colouring.h"

#include <algorithm>

#include "base/text_bytes.h"

namespace quillon {

namespace {

bool containsAny(std::string_view text, std::initializer_list<std::string_view> patterns) {
  for (std::string_view p : patterns)
    if (text.find(p) != std::string_view::npos) return true;
  return false;
}

}  // namespace

TagClass tagClass(std::string_view tagText) {
  const std::string t = lowerAscii(tagText);
  TagClass c = TagClass::Default;
  if (containsAny(t, {"<a href", "</a", "<a name"})) c = TagClass::Href;
  if (containsAny(t, {"<font", "</font", "<b>", "</b>", "<i>", "</i>", "<u>", "</u>"})) c = TagClass::Font;
  if (containsAny(t, {"<img"})) c = TagClass::Img;
  if (containsAny(t, {"<table", "</table", "<tr", "</tr", "<td", "</td", "<th", "</th"})) c = TagClass::Table;
  if (containsAny(t, {"<ol", "</ol", "<ul", "</ul", "<dl", "</dl", "<li", "</li", "<dd", "</dd", "<dt", "</dt"}))
    c = TagClass::List;
  return c;
}

bool LineColourer::next(const std::array<ColourValue, 6>& colours, std::vector<ColouredRange>& out, size_t maxPairs) {
  // Retired pairs are always the first ones, so the next pair lies after both cursors: one pass over the line.
  for (size_t pairs = 0; !done_ && pairs < maxPairs; ++pairs) {
    const size_t a = line_.find('<', lt_);
    const size_t b = a == std::string_view::npos ? a : line_.find('>', gt_);
    if (b == std::string_view::npos) {  // no "<" left, or a tag left open: nothing more on this line
      done_ = true;
      break;
    }
    if (b > a) {
      std::string_view tag = line_.substr(a, b - a + 1);
      // Every ">" before b inside the tag was retired: in the working line it reads "$".
      std::string retired;
      if (tag.find('>') + 1 < tag.size()) {
        retired.assign(tag);
        for (size_t k = 0; k + 1 < retired.size(); ++k)
          if (retired[k] == '>') retired[k] = '$';
        tag = retired;
      }
      out.push_back({offset_ + a, b - a + 1, colours[static_cast<size_t>(tagClass(tag))]});
    } else if (a > b + 1) {
      out.push_back({offset_ + b + 1, a - b - 1, colours[static_cast<size_t>(TagClass::Default)]});
    }
    if (b + 1 >= line_.size()) done_ = true;
    lt_ = a + 1;
    gt_ = b + 1;
  }
  return done_;
}

size_t LineColourer::freshPoint() const {
  const size_t q = std::max(lt_, gt_);
  if (q > line_.size()) return std::string_view::npos;
  const std::string_view before = line_.substr(0, q);
  if (before.find('<', lt_) != std::string_view::npos || before.find('>', gt_) != std::string_view::npos)
    return std::string_view::npos;
  return offset_ + q;
}

int styleForColour(ColourValue colour) {
  const int index = ColorNameIndex(colour);
  return 1 + (index < 0 ? 0 : index);
}

void colourLine(std::string_view line, size_t lineOffset, const std::array<ColourValue, 6>& colours,
                std::vector<ColouredRange>& out) {
  LineColourer(line, lineOffset).next(colours, out, static_cast<size_t>(-1));
}

std::vector<ColouredRange> colourTags(std::string_view text, const std::array<ColourValue, 6>& colours) {
  std::vector<ColouredRange> out;
  forEachLine(text, [&](std::string_view line, size_t offset) { colourLine(line, offset, colours, out); });
  return out;
}

}  // namespace quillon
