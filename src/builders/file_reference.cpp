#include "builders/file_reference.h"

#include "base/text_bytes.h"

namespace quillon {

std::string referenceToFileName(std::string_view name) {
  static const char* hex = "0123456789ABCDEF";
  const bool utf8 = isValidUtf8(name);
  std::string out;
  out.reserve(name.size());
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    const bool escape = c == '%' || c == '#' || c == '?' || c == '"' || b < 0x20 || b == 0x7F || (b >= 0x80 && !utf8);
    if (!escape) {
      out += c;
      continue;
    }
    out += '%';
    out += hex[b >> 4];
    out += hex[b & 15];
  }
  return out;
}

}  // namespace quillon
