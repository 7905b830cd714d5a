#include "builders/image_tag.h"

#include "base/text_bytes.h"

namespace quillon {

std::string imageTagText(const ImageTagRecord& r) {
  std::string source = lowerAscii(r.source);
  if (r.useRelative) source = r.relativePath + source;
  std::string tag = "<IMG";
  if (!r.align.empty()) tag += " ALIGN=" + r.align;
  tag += " BORDER=" + std::to_string(r.border);
  if (!r.height.empty()) tag += " HEIGHT=" + r.height;
  if (!r.width.empty()) tag += " WIDTH=" + r.width;
  if (!r.alt.empty()) tag += " ALT=\"" + r.alt + "\"";
  tag += " SRC=\"" + source + "\"";
  if (r.isMap) tag += " ISMAP";
  return tag + ">";
}

}  // namespace quillon
