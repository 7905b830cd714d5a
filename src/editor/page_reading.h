#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

class EightBitSet;

// How the editing window holds a page. UTF-8 and ISO-8859-1 pages are held as their own bytes. A page in
// any other 8-bit set, or in UTF-16, is held as its text in UTF-8 (`transcoded`) and written back through
// the set, which maps one to one, so its bytes come back unchanged.
struct PageReading {
  bool utf8 = true;
  std::string name = "UTF-8";  // "UTF-8", "ISO-8859-1", "windows-1252"
  bool transcoded = false;
  bool guessed = false;  // no declaration and not UTF-8: the set is a guess from the text
  bool bom = false;      // UTF-16: the page starts with a byte order mark, which the window does not hold
  const EightBitSet* set() const;
  // A page in UTF-16 ("UTF-16LE", "UTF-16BE"), held in UTF-8: a surrogate without its pair is kept as
  // the three bytes UTF-8 would give it, so that it goes back as it came.
  bool utf16() const { return name == "UTF-16LE" || name == "UTF-16BE"; }
};

// How an opened page is read: as UTF-16 when it starts with a UTF-16 byte order mark; as UTF-8 when its bytes are
// (unless plain ASCII declaring an 8-bit set); else in the 8-bit set it declares; else in the set its text suggests
// (marked as a guess); else as ISO-8859-1.
PageReading readingOf(std::string_view page);
// The page read in the encoding the user chose ("UTF-8", "UTF-16LE", "UTF-16BE" or a name of
// `eightBitSetNames`); nothing for a name the program does not know, or UTF-16 for a page of odd length.
std::optional<PageReading> readingNamed(std::string_view page, std::string_view name);

// "UTF-8", "UTF-8 with BOM", "UTF-16 LE with BOM", "8-bit (windows-1252)", "8-bit (windows-1252, guessed)";
// `text` is the page as the window holds it.
std::string readingLabel(const PageReading& reading, std::string_view text);

// What the window holds for a page read so, and the page's bytes for what the window holds.
std::string windowTextOf(std::string_view page, const PageReading& reading);
std::string pageBytesOf(std::string_view windowText, const PageReading& reading);

// The window's text rewritten in UTF-8, with each charset the page declares for itself changed to
// "utf-8"; the same text when the page is read as UTF-8 already.
std::string convertedToUtf8(std::string_view windowText, const PageReading& reading);

}  // namespace quillon
