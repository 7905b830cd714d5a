#include "builders/body_tag.h"

#include "builders/file_reference.h"

#include "base/text_bytes.h"

namespace quillon {

BodyColours bodyColoursOf(const RunSettings& s) { return {s.bodyBg, s.bodyText, s.bodyLink, s.bodyVLink, s.bodyALink}; }

std::string bodyTag(const BodyTagRecord& r) {
  std::string background;
  if (!r.tiled) {
    background = "BGCOLOR=" + htmlColourText(r.colours.bg) + " ";
  } else {
    const std::string name = referenceToFileName(fileNamePart(r.imagePath));
    background = "BACKGROUND=\"" + (r.usePath ? r.relativePath : std::string()) + name + "\" ";
  }
  return "<BODY " + background + "TEXT=\"" + htmlColourText(r.colours.text) +
         "\" LINK=" + htmlColourText(r.colours.link) + " ALINK=" + htmlColourText(r.colours.alink) +
         " VLINK=" + htmlColourText(r.colours.vlink) + ">";
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
