#include "base/colour_names.h"

#include <cstdio>

#include "base/text_bytes.h"

namespace quillon {

namespace {
constexpr ColourValue rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr std::array<ColourValue, 10> kColourValues = {
    rgb(0, 0, 0),   rgb(255, 0, 0),   rgb(128, 0, 0),   rgb(0, 0, 255),     rgb(0, 0, 128),
    rgb(0, 128, 0), rgb(128, 128, 0), rgb(128, 0, 128), rgb(128, 128, 128), rgb(0, 128, 128)};
}  // namespace

ColourValue ColorFromName(std::string_view name) {
  for (size_t i = 0; i < kColourNames.size(); ++i)
    if (kColourNames[i] == name) return kColourValues[i];
  return kColourValues[0];
}

int ColorNameIndex(ColourValue value) {
  for (size_t i = 0; i < kColourValues.size(); ++i)
    if (kColourValues[i] == value) return static_cast<int>(i);
  return -1;
}

std::string htmlColourText(ColourValue value) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
  return buf;
}

ColourValue readColourValue(std::string_view text, ColourValue fallback) {
  text = trimBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint32_t v = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      const char c = text[i];
      int d;
      if (c >= '0' && c <= '9')
        d = c - '0';
      else if (c >= 'a' && c <= 'f')
        d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F')
        d = c - 'A' + 10;
      else
        return fallback;
      if (i >= 10) return fallback;  // more than eight digits
      v = (v << 4) | static_cast<uint32_t>(d);
    }
    return static_cast<ColourValue>(v);
  }
  size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (negative || (!text.empty() && text[0] == '+')) ++i;
  if (i >= text.size()) return fallback;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return fallback;
    v = v * 10 + (text[i] - '0');
    if (v > 4294967295LL) return fallback;
  }
  return static_cast<ColourValue>(negative ? -v : v);
}

}  // namespace quillon
