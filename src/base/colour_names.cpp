#include "base/colour_names.h"

#include <cstdio>

namespace quillon {

namespace {
constexpr ColourValue rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
constexpr std::array<ColourValue, 10> kColourValues = {
    rgb(0, 0, 0),     rgb(255, 0, 0),   rgb(128, 0, 0),   rgb(0, 0, 255),     rgb(0, 0, 128),
    rgb(0, 128, 0),   rgb(128, 128, 0), rgb(128, 0, 128), rgb(128, 128, 128), rgb(0, 128, 128)};
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

}  // namespace quillon
