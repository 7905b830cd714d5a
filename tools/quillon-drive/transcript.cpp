#include "transcript.h"

#include <cstdio>

#include "base/text_bytes.h"

namespace quillon::drive {

static size_t validSequenceLength(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  const size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 ? 2 : 0;
  if (len == 0 || i + len > s.size()) return 0;
  return isValidUtf8(s.substr(i, len)) ? len : 0;
}

std::string jsonString(std::string_view bytes) {
  std::string out = "\"";
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    switch (c) {
      case '"':
        out += "\\\"";
        continue;
      case '\\':
        out += "\\\\";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\t':
        out += "\\t";
        continue;
      default:
        break;
    }
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
      continue;
    }
    if (c >= 0x80) {
      if (const size_t len = validSequenceLength(bytes, i)) {
        out.append(bytes.substr(i, len));
        i += len - 1;
        continue;
      }
    }
    char buf[8];
    std::snprintf(buf, sizeof buf, "\\u%04X", c);
    out += buf;
  }
  out += '"';
  return out;
}

void writeLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace quillon::drive
