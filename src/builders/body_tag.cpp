#include "builders/body_tag.h"

#include "builders/file_reference.h"

#include "base/text_bytes.h"

namespace quillon {

ColourValue readColourValue(std::string_view text, ColourValue fallback) {
  text = trimBlanks(text);
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint32_t v = 0;
    for (size_t i = 2; i < text.size(); ++i) {
      const char c = text[i];
      int d;
      if (c >= '0' && c <= '9') d = c - '0';
      else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
      else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
      else return fallback;
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

BodyColours readBodyColours(const IniFile& options) {
  BodyColours c;
  auto read = [&](const char* key, ColourValue& value) {
    if (options.hasKey("Colors", key)) value = readColourValue(options.readString("Colors", key, ""), value);
  };
  read("BG", c.bg);
  read("Text", c.text);
  read("Link", c.link);
  read("VLink", c.vlink);
  read("ALink", c.alink);
  return c;
}

std::string bodyTag(const BodyTagRecord& r) {
  std::string background;
  if (!r.tiled) {
    background = "BGCOLOR=" + htmlColourText(r.colours.bg) + " ";
  } else {
    const std::string name = referenceToFileName(fileNamePart(r.imagePath));
    background = "BACKGROUND=\"" + (r.usePath ? r.relativePath : std::string()) + name + "\" ";
  }
  return "<BODY " + background + "TEXT=\"" + htmlColourText(r.colours.text) + "\" LINK=" + htmlColourText(r.colours.link) +
         " ALINK=" + htmlColourText(r.colours.alink) + " VLINK=" + htmlColourText(r.colours.vlink) + ">";
}

std::string bodyTagText(const BodyTagRecord& r) {
  std::vector<std::string> lines;
  const std::string tag = bodyTag(r);
  if (!r.html && !r.head && !r.title && !r.meta) {
    lines.push_back(tag);
    if (r.endBody) lines.push_back("</BODY>");
  } else {
    if (r.html) lines.push_back("<HTML>");
    if (r.head) lines.push_back("<HEAD>");
    if (r.title) lines.push_back("    <TITLE>" + r.titleText + "</TITLE>");
    if (r.meta) {
      lines.push_back("    <META Name=\"Description\" Content=\"" + r.description + "\">");
      lines.push_back("    <META Name=\"Keywords\" Content=\"" + r.keywords + "\">");
    }
    if (r.head) lines.push_back("</HEAD>");
    lines.push_back(tag);
    lines.push_back("</BODY>");
    if (r.html) lines.push_back("</HTML>");
  }
  return joinCrLf(lines);
}

}  // namespace quillon
