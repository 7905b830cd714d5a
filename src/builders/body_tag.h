#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/colour_names.h"
#include "base/settings.h"

namespace quillon {

// The body builder's five colours, kept in OPTIONS.INI [Colors].
struct BodyColours {
  ColourValue bg = body_colour_default::kBg;
  ColourValue text = body_colour_default::kText;
  ColourValue link = body_colour_default::kLink;
  ColourValue vlink = body_colour_default::kVLink;
  ColourValue alink = body_colour_default::kALink;
  bool operator==(const BodyColours&) const = default;
};

BodyColours bodyColoursOf(const RunSettings& settings);
// BG, Text, Link, VLink, ALink as decimal integers.

// What the body builder's controls hold; colours already resolved to RGB.
struct BodyTagRecord {
  BodyColours colours;
  bool tiled = false;
  std::string imagePath;  // full path of the tile image, empty when none was chosen
  bool usePath = false;
  std::string relativePath = "example:  data/images/";
  bool endBody = false, html = false, head = false, title = false, meta = false;
  std::string titleText, description, keywords;
};

// «<BODY BGCOLOR=#FFFFFF TEXT="#000000" LINK=#0000FF ALINK=#0000A0 VLINK=#800080>», or with BACKGROUND="...".
std::string bodyTag(const BodyTagRecord& record);
// The output: the tag alone (and "</BODY>" when asked), or the page skeleton around it; CR LF line ends.
std::string bodyTagText(const BodyTagRecord& record);

}  // namespace quillon
