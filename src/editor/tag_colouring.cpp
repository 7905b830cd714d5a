#include "editor/tag_colouring.h"

#include "app/text_bytes.h"

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

void colourLine(std::string_view line, size_t lineOffset, const std::array<ColourValue, 6>& colours,
                std::vector<ColouredRange>& out) {
  // The first "<" and the first ">" are retired after each pair, so the next pair lies after both: two
  // cursors find every pair in one pass over the line.
  size_t lt = 0, gt = 0;
  for (;;) {
    const size_t a = line.find('<', lt);
    if (a == std::string_view::npos) return;
    const size_t b = line.find('>', gt);
    if (b == std::string_view::npos) return;  // a tag left open: nothing more on this line
    if (b > a) {
      out.push_back({lineOffset + a, b - a + 1, colours[static_cast<size_t>(tagClass(line.substr(a, b - a + 1)))]});
    } else if (a > b + 1) {
      out.push_back({lineOffset + b + 1, a - b - 1, colours[static_cast<size_t>(TagClass::Default)]});
    }
    if (b + 1 >= line.size()) return;
    lt = a + 1;
    gt = b + 1;
  }
}

std::vector<ColouredRange> colourTags(std::string_view text, const std::array<ColourValue, 6>& colours) {
  std::vector<ColouredRange> out;
  forEachLine(text, [&](std::string_view line, size_t offset) { colourLine(line, offset, colours, out); });
  return out;
}

}  // namespace quillon
