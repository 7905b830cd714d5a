#pragma once

#include <string>
#include <string_view>

#include "editor/page_reading.h"

namespace quillon {

enum class LineEnds { None, CrLf, Lf, Cr, Mixed };
LineEnds lineEndsOf(std::string_view bytes);
// "CR LF", "LF", "CR", "mixed"; a page of one line has "no line end".
std::string_view lineEndsName(LineEnds ends);

// The status bar's account of how a page is read: "UTF-8, CR LF", "UTF-8 with BOM, LF",
// "8-bit (ISO-8859-1), CR LF"; with a warning when the page's meta charset or XML declaration says other
// than its bytes.
struct EncodingPanel {
  std::string reading;  // "UTF-8", "UTF-8 with BOM", "8-bit (ISO-8859-1)"
  std::string text;
  std::string warning;  // empty when the declaration agrees, or there is none
};
EncodingPanel encodingPanelOf(std::string_view page, const PageReading& reading);

}  // namespace quillon
