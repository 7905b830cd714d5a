#pragma once

#include <string>
#include <string_view>

namespace quillon {

// "<FRAMESET COLS="..." ROWS="...">" (each only when typed), the enclosed lines indented four blanks, and
// "</FRAMESET>", joined by CR LF. The text ends in a line break when nothing was enclosed or the enclosed
// text ended in one.
std::string framesetText(std::string_view cols, std::string_view rows, std::string_view enclosed);

struct FrameTagRecord {
  std::string name;
  std::string url;
  std::string scrolling = "Auto";
  bool noResize = true;
  bool noBorder = false;
};

// One "<FRAME>" line and its CR LF; NORESIZE here follows a blank of its own.
std::string frameTagText(const FrameTagRecord& record);

}  // namespace quillon
