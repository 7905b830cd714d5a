#include "editor/insertion.h"

#include <array>
#include <cstdio>

#include "base/text_bytes.h"

namespace quillon {

EditState applyInsertion(const EditView& state, const Insertion& in) {
  EditState out;
  out.text = std::string(state.text.substr(0, in.start)) + in.text +
             std::string(state.text.substr(in.start + in.removeLength));
  out.selStart = in.selStart;
  out.selLength = in.selLength;
  return out;
}

bool isPointText(std::string_view text) {
  static constexpr std::array<std::string_view, 16> kPoints = {
      "<P>",   "<BR>",   "&nbsp;", "<LI>",   "<DT>",  "<DD>", "&copy;", "&trade;",
      "&reg;", "&#188;", "&#189;", "&#190;", "&amp;", "&lt;", "&gt;",   "<FRAME>"};
  for (std::string_view p : kPoints)
    if (p == text) return true;
  return false;
}

Insertion insertTag(const EditView& state, std::string_view text, CaretRule rule) {
  Insertion in;
  in.text = text;
  if (isPointText(text)) {
    in.start = text == "<BR>" ? state.selStart + state.selLength : state.selStart;
    in.selStart = in.start + text.size();
    return in;
  }
  in.start = state.selStart;
  in.removeLength = state.selLength;
  if (rule == CaretRule::BeforeLastFour) {
    in.selStart = in.start + (text.size() >= 4 ? text.size() - 4 : 0);
  } else {
    in.selStart = in.start;
    in.selLength = text.size();
  }
  return in;
}

Insertion wrapSelection(const EditView& state, std::string_view open, std::string_view close, CaretRule rule) {
  const std::string_view selected = state.text.substr(state.selStart, state.selLength);
  return insertTag(state, std::string(open) + std::string(selected) + std::string(close), rule);
}

Insertion comment(const EditView& state) {
  if (state.selLength > 0) return wrapSelection(state, "<!-- ", " -->", CaretRule::BeforeLastFour);
  Insertion in;
  in.start = state.selStart;
  in.text = "<!--  -->";
  in.selStart = in.start + in.text.size() - 5;
  return in;
}

std::string wrapLinesText(std::string_view selected, std::string_view name, std::string_view newFileTemplate) {
  if (name == "NEW") return std::string(newFileTemplate);
  const std::string prefix = (name == "UL" || name == "OL")               ? "   <LI>"
                             : (name == "NOFRAMES" || name == "FRAMESET") ? "   "
                                                                          : "";
  std::string out = "<" + std::string(name) + ">\r\n";
  const std::vector<std::string> lines = splitLines(selected);
  for (const auto& line : lines) out += prefix + line + "\r\n";
  out += "</" + std::string(name) + ">";
  const bool endsWithBreak = !selected.empty() && (selected.back() == '\n' || selected.back() == '\r');
  if (selected.empty() || endsWithBreak) out += "\r\n";
  return out;
}

Insertion wrapLinesInTag(const EditView& state, std::string_view name, std::string_view newFileTemplate) {
  Insertion in;
  in.start = state.selStart;
  in.removeLength = state.selLength;
  in.text = wrapLinesText(state.text.substr(state.selStart, state.selLength), name, newFileTemplate);
  in.selStart = in.start + in.text.size();
  return in;
}

std::string tableGridText(int rows, int columns) {
  std::string out = "<TABLE>\r\n";
  for (int r = 0; r < rows; ++r) {
    out += "<TR>\r\n";
    for (int c = 0; c < columns; ++c) out += "    <TD></TD>\r\n";
    out += "</TR>\r\n";
  }
  return out + "</TABLE>\r\n";
}

Insertion insertTableGrid(const EditView& state, int rows, int columns) {
  Insertion in;
  in.start = state.selStart;
  in.text = tableGridText(rows, columns);
  in.selStart = in.start + in.text.size();
  return in;
}

std::string colourPickerText(ColourValue colour) { return "\"" + htmlColourText(colour) + "\""; }

std::string lastModifiedComment(const std::tm& t, std::string_view weekdayName, std::string_view monthAbbreviation) {
  const int hour12 = t.tm_hour % 12 == 0 ? 12 : t.tm_hour % 12;
  char clock[16];
  std::snprintf(clock, sizeof clock, "%02d:%02d %s", hour12, t.tm_min, t.tm_hour < 12 ? "AM" : "PM");
  return "<!--Last Modified: " + std::string(weekdayName) + ", " + std::string(monthAbbreviation) + " " +
         std::to_string(t.tm_mday) + ", " + std::to_string(t.tm_year + 1900) + ", at " + clock + "-->";
}

bool isLinkableImage(std::string_view fileName) {
  const std::string name = lowerAscii(fileName);
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  const std::string ext = name.substr(dot);
  return ext == ".gif" || ext == ".jpg";
}

std::string linkText(std::string_view fileName) { return "<A HREF=\"" + std::string(fileName) + "\"></A>"; }

std::string imageText(std::string_view fileName, int width, int height) {
  return "<IMG WIDTH=" + std::to_string(width) + " HEIGHT=" + std::to_string(height) + " SRC=\"" +
         std::string(fileName) + "\">";
}

}  // namespace quillon
