#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text is bytes: these helpers never decode. Lines end at CR, LF or CR LF; case changes touch A-Z/a-z only.
namespace quillon {

inline constexpr std::string_view kCrLf = "\r\n";

// Splits at CR LF, LF or CR. A line break at the very end does not start another line; "" gives no lines.
std::vector<std::string> splitLines(std::string_view text);

// Calls fn(line, offset of its first byte) for each line, lines ending at CR LF, LF or CR.
template <typename Fn>
void forEachLine(std::string_view text, Fn&& fn) {
  size_t start = 0;
  const size_t n = text.size();
  while (start < n) {
    size_t end = start;
    while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
    fn(text.substr(start, end - start), start);
    start = end + ((end + 1 < n && text[end] == '\r' && text[end + 1] == '\n') ? 2 : 1);
  }
}

// Each line followed by CR LF.
std::string joinCrLf(const std::vector<std::string>& lines);

std::string upperAscii(std::string_view text);
std::string lowerAscii(std::string_view text);
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);
// Where a lower-case needle stands in a text, A-Z matching a-z, from `from` on; npos when nowhere.
size_t findIgnoringAsciiCase(std::string_view text, std::string_view lowerNeedle, size_t from = 0);
// Orders like a case-blind list box: A-Z folded, then by byte to keep the order total.
bool lessIgnoringAsciiCase(std::string_view a, std::string_view b);

std::string_view trimBlanks(std::string_view text);  // blanks and TABs at both ends

bool isValidUtf8(std::string_view bytes);
// A code point appended as UTF-8.
void appendUtf8(std::string& out, char32_t c);

// A field of a tab-separated line as bytes: a tab, CR, LF or '%' in it written as %XX, and back (nothing
// for a '%' not followed by two upper-case hex digits).
std::string fieldEscaped(std::string_view text);
std::optional<std::string> fieldUnescaped(std::string_view text);
// The fields of a tab-separated line, as views into it.
std::vector<std::string_view> tabFields(std::string_view line);

// Checks UTF-8 fed in pieces of any size; a sequence may be split between pieces.
class Utf8Validator {
 public:
  void feed(std::string_view piece);
  bool finish() const { return valid_ && pendingLength_ == 0; }

 private:
  bool valid_ = true;
  char pending_[4] = {};
  size_t pendingLength_ = 0;
};

// Text from a dialog or another program (UTF-8) as it goes into a document. Into a UTF-8 document it goes
// unchanged; into an 8-bit (Latin-1) document each character becomes its Latin-1 byte, or a numeric
// character reference ("&#8364;") where Latin-1 has none. Bytes that are not valid UTF-8 are 8-bit text
// already and pass unchanged.
std::string toDocumentEncoding(std::string_view utf8, bool documentIsUtf8);
// The reverse: a document's bytes as UTF-8 (an 8-bit document's bytes read as Latin-1), so that
// toDocumentEncoding gives the same bytes back.
std::string fromDocumentEncoding(std::string_view bytes, bool documentIsUtf8);

// Folder and name of a path; both '/' and '\' separate.
std::string_view fileNamePart(std::string_view path);
std::string_view folderPart(std::string_view path);  // keeps the trailing separator

}  // namespace quillon
