#include "builders/anchor_tag.h"

namespace quillon {

std::string anchorTagText(const AnchorTagRecord& r) {
  const std::string target = r.relative ? r.relativePath + r.target : r.target;
  if (r.named) return "<A HREF=#" + target + ">" + r.description + "</A>  <A NAME=" + target + ">";
  return "<A HREF=\"" + target + "\">" + r.description + "</A>";
}

}  // namespace quillon
