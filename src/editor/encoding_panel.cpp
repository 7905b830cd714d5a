#include "editor/encoding_panel.h"

#include <algorithm>
#include <cstring>

#include "editor/eight_bit_sets.h"
#include "editor/page_encoding.h"

namespace quillon {

LineEnds lineEndsOf(std::string_view bytes) {
  bool crlf = false, lf = false, cr = false;
  const char* p = bytes.data();
  const size_t n = bytes.size();
  // Every LF found with memchr (this runs over whole pages), then the lone CRs.
  for (const char* at = static_cast<const char*>(std::memchr(p, '\n', n)); at;
       at = static_cast<const char*>(std::memchr(at + 1, '\n', static_cast<size_t>(p + n - at - 1)))) {
    (at > p && at[-1] == '\r' ? crlf : lf) = true;
    if (crlf && lf) return LineEnds::Mixed;
  }
  for (const char* at = static_cast<const char*>(std::memchr(p, '\r', n)); at;
       at = static_cast<const char*>(std::memchr(at + 1, '\r', static_cast<size_t>(p + n - at - 1)))) {
    if (at + 1 < p + n && at[1] == '\n') continue;
    cr = true;
    break;
  }
  const int kinds = crlf + lf + cr;
  if (kinds > 1) return LineEnds::Mixed;
  if (crlf) return LineEnds::CrLf;
  if (lf) return LineEnds::Lf;
  if (cr) return LineEnds::Cr;
  return LineEnds::None;
}

std::string_view lineEndsName(LineEnds ends) {
  switch (ends) {
    case LineEnds::CrLf:
      return "CR LF";
    case LineEnds::Lf:
      return "LF";
    case LineEnds::Cr:
      return "CR";
    case LineEnds::Mixed:
      return "mixed";
    case LineEnds::None:
      break;
  }
  return "no line end";
}

EncodingPanel encodingPanelOf(std::string_view page, const PageReading& reading) {
  EncodingPanel panel;
  panel.reading = readingLabel(reading, page);
  panel.text = panel.reading + ", ";
  panel.text += lineEndsName(lineEndsOf(page));
  const std::string declared = declaredCharset(page);
  if (declared.empty()) return panel;
  const bool ascii = std::none_of(page.begin(), page.end(), [](char c) { return (c & 0x80) != 0; });
  const std::string declaredSet = canonicalEightBitName(declared);
  if (isUtf8CharsetName(declared) && !reading.utf8)
    panel.warning = "The page declares " + declared + ", but its bytes are not UTF-8: it is read as 8-bit.";
  else if (isEightBitCharsetName(declared) && reading.utf8 && !ascii)
    panel.warning = "The page declares " + declared + ", but its bytes are UTF-8: it is read as UTF-8.";
  else if (!reading.utf8 && !declaredSet.empty() && declaredSet != reading.name && !ascii)
    panel.warning = "The page declares " + declared + ", but it is shown as " + reading.name + ".";
  if (!panel.warning.empty()) panel.text += "; declares " + declared + "!";
  return panel;
}

}  // namespace quillon
