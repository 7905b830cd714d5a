#pragma once

#include <string>

namespace quillon {

// What the image builder's fields hold, as typed.
struct ImageTagRecord {
  std::string source;
  std::string alt;
  std::string width;
  std::string height;
  std::string align;
  int border = 0;
  bool isMap = false;
  bool useRelative = false;
  std::string relativePath;
};

// One "<IMG>" line: ALIGN, BORDER (always), HEIGHT, WIDTH, ALT, SRC, ISMAP in that order, empty fields left
// out. The source keeps its case (servers tell "Logo.GIF" from "logo.gif"); a double quote or control
// character in it is written as %XX; the relative path goes in front of it as typed.
std::string imageTagText(const ImageTagRecord& record);

}  // namespace quillon
