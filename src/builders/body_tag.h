#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/colour_names.h"
#include "base/ini_file.h"

namespace quillon {

// The body builder's five colours, kept in OPTIONS.INI [Colors].
struct BodyColours {
  ColourValue bg = 16777215;
  ColourValue text = 0;
  ColourValue link = 16711680;
  ColourValue vlink = 8388736;
  ColourValue alink = 10485760;
  bool operator==(const BodyColours&) const = default;
};

// A stored colour: a decimal integer, or hexadecimal after "0x"/"0X"; anything else gives the fallback.
ColourValue readColourValue(std::string_view text, ColourValue fallback);
BodyColours readBodyColours(const IniFile& options);
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
