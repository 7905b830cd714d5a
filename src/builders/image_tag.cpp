#include "builders/image_tag.h"

#include "base/text_bytes.h"

namespace quillon {

namespace {

// A file name may hold characters that would end the quoted value or the line: they are written as
// %XX, as in any URL.
std::string quotedValueSafe(std::string_view text) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (const char c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || b < 0x20 || b == 0x7F) {
      out += '%';
      out += hex[b >> 4];
      out += hex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string imageTagText(const ImageTagRecord& r) {
  std::string source = quotedValueSafe(r.source);
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
