#include "builders/frame_tags.h"

#include "base/text_bytes.h"

namespace quillon {

std::string framesetText(std::string_view cols, std::string_view rows, std::string_view enclosed) {
  std::string out = "<FRAMESET";
  if (!cols.empty()) out += " COLS=\"" + std::string(cols) + "\"";
  if (!rows.empty()) out += " ROWS=\"" + std::string(rows) + "\"";
  out += ">";
  out += kCrLf;
  for (const std::string& line : splitLines(enclosed)) {
    out += "    ";
    out += line;
    out += kCrLf;
  }
  out += "</FRAMESET>";
  const bool endsInBreak = !enclosed.empty() && (enclosed.back() == '\n' || enclosed.back() == '\r');
  if (enclosed.empty() || endsInBreak) out += kCrLf;
  return out;
}

std::string frameTagText(const FrameTagRecord& r) {
  std::string line = "<FRAME NAME=\"" + r.name + "\" SRC=\"" + r.url + "\" SCROLLING=\"" + r.scrolling + "\" ";
  if (r.noResize) line += " NORESIZE";
  if (r.noBorder) line += " FRAMEBORDER=\"0\"";
  line += ">";
  line += kCrLf;
  return line;
}

}  // namespace quillon
