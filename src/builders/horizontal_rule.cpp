#include "builders/horizontal_rule.h"

#include <algorithm>

namespace quillon {

namespace {
constexpr int kSampleWidth = 320;
}

std::string horizontalRuleText(const HorizontalRuleRecord& r) {
  std::string tag = "<HR ALIGN=\"" + r.align + "\"  SIZE=\"" + std::to_string(r.thickness) + "\"  WIDTH=\"";
  tag += r.inPercent ? std::to_string(r.percent) + "%\"" : std::to_string(r.pixels) + "\"";
  if (r.noShade) tag += " NOSHADE";
  return tag + ">";
}

RuleSample ruleSample(const HorizontalRuleRecord& r) {
  RuleSample s;
  s.height = r.thickness;
  s.width = r.inPercent ? r.percent * kSampleWidth / 100 : std::min(r.pixels / 2, kSampleWidth);
  if (r.align == "LEFT")
    s.left = 0;
  else if (r.align == "RIGHT")
    s.left = kSampleWidth - s.width;
  else
    s.left = (kSampleWidth - s.width) / 2;
  return s;
}

}  // namespace quillon
