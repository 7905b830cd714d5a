#pragma once

#include <string>

namespace quillon {

struct HorizontalRuleRecord {
  bool inPercent = true;
  int percent = 50;   // 1 to 100
  int pixels = 100;   // 1 to 1600
  int thickness = 2;  // 1 to 20
  std::string align = "CENTER";
  bool noShade = false;
};

// `<HR ALIGN="CENTER"  SIZE="2"  WIDTH="50%">`, NOSHADE last when chosen; one line.
std::string horizontalRuleText(const HorizontalRuleRecord& record);

// Where the sample line sits in its 320-pixel strip, drawn at half the scale of a 640-pixel page.
struct RuleSample {
  int left = 0;
  int width = 0;
  int height = 0;
};
RuleSample ruleSample(const HorizontalRuleRecord& record);

}  // namespace quillon
