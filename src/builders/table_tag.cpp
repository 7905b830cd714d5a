#include "builders/table_tag.h"

#include <algorithm>

namespace quillon {

std::string tableTagText(const TableTagRecord& r) {
  std::string width;
  if (!r.widthInPercent)
    width = r.pixels != 0 ? " WIDTH=" + std::to_string(r.pixels) : " ";
  else if (r.percent != 0)
    width = " WIDTH=\"" + std::to_string(r.percent) + "%\"";
  auto number = [](const char* name, int value) {
    return value != 0 ? std::string(name) + std::to_string(value) : std::string();
  };
  std::string out = "<TABLE" + number(" CELLPADDING=", r.padding) + number(" CELLSPACING=", r.spacing) + width +
                    number(" BORDER=", r.border) + (r.align.empty() ? "" : " ALIGN=" + r.align) +
                    (r.valign.empty() ? "" : " VALIGN=" + r.valign) + ">\r\n";
  if (!r.caption.empty())
    out += std::string("   <CAPTION ALIGN=") + (r.captionAtBottom ? "BOTTOM>" : "TOP>") + r.caption + "</CAPTION>\r\n";
  static const std::string kEmpty;
  for (int row = 0; row < r.rows; ++row) {
    out += "<TR>\r\n";
    const auto* cells = static_cast<size_t>(row) < r.cells.size() ? &r.cells[static_cast<size_t>(row)] : nullptr;
    for (int col = 0; col < r.cols; ++col) {
      const std::string& cell =
          cells && static_cast<size_t>(col) < cells->size() ? (*cells)[static_cast<size_t>(col)] : kEmpty;
      out += "    <TD>";
      out += cell;
      out += "</TD>\r\n";
    }
    out += "</TR>\r\n";
  }
  out += "</TABLE>\r\n";
  return out;
}

SamplerLayout tableSampler(int border, int padding, int spacing) {
  const int b = std::clamp(border, 0, 6), s = std::clamp(spacing, 0, 8), p = std::clamp(padding, 0, 6);
  const int w = 2 * p + 35, h = 2 * p + 17, origin = b + s + 2;
  return {b, {{origin, origin, w, h}, {origin + w + s + 1, origin, w, h}, {origin, origin + h + s + 1, w, h}}};
}

}  // namespace quillon
