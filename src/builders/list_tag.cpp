#include "builders/list_tag.h"

namespace quillon {

std::string listTagText(const ListTagRecord& r) {
  const std::string type = r.ordered ? "OL" : "UL";
  std::string out = "<" + type + ">\r\n";
  for (int row = 1; row <= r.rows; ++row) {
    if (!r.noIndent) out += "    ";
    out += "<LI>";
    if (row <= static_cast<int>(r.items.size())) out += r.items[static_cast<size_t>(row - 1)];
    out += "\r\n";
  }
  out += "</" + type + ">\r\n";
  return out;
}

}  // namespace quillon
