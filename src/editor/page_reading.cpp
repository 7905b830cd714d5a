#include "editor/page_reading.h"

#include "base/text_bytes.h"
#include "editor/charset_declaration.h"
#include "editor/charset_guess.h"
#include "editor/eight_bit_sets.h"
#include "editor/page_encoding.h"

namespace quillon {

namespace {

constexpr std::string_view kLatin1 = "ISO-8859-1";

PageReading eightBitReading(const EightBitSet& set, bool guessed) {
  PageReading reading;
  reading.utf8 = false;
  reading.name = set.name();
  reading.guessed = guessed;
  // Only Latin-1 is what the window shows of bytes held as they are: in any other set a character typed or
  // pasted must become that set's byte, so the window holds the text.
  reading.transcoded = set.name() != kLatin1;
  return reading;
}

std::string decodeUtf16(std::string_view bytes, bool little) {
  std::string out;
  out.reserve(bytes.size() / 2 * 3 / 2 + 4);
  const auto unit = [&](size_t i) -> char32_t {
    const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
    return little ? (b << 8 | a) : (a << 8 | b);
  };
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size()) {
      const char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if (c >= 0xD800 && c <= 0xDFFF) {  // unpaired: its three bytes, which appendUtf8 would refuse
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      appendUtf8(out, c);
    }
  }
  return out;
}

std::string encodeUtf16(std::string_view text, bool little) {
  std::string out;
  out.reserve(text.size() * 2);
  const auto put = [&](char32_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += little ? lo : hi;
    out += little ? hi : lo;
  };
  for (size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const size_t length = b < 0x80 ? 1 : b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    char32_t c = length == 1 ? b : b & (length == 4 ? 0x07 : length == 3 ? 0x0F : 0x1F);
    bool whole = i + length <= text.size();
    for (size_t k = 1; whole && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      whole = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!whole) {  // not UTF-8: the byte as a Latin-1 character
      put(b);
      ++i;
      continue;
    }
    if (c >= 0x10000) {
      put(0xD800 + ((c - 0x10000) >> 10));
      put(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      put(c);
    }
    i += length;
  }
  return out;
}

PageReading utf16Reading(bool little, bool bom) {
  PageReading reading;
  reading.bom = bom;
  reading.utf8 = false;
  reading.transcoded = true;
  reading.name = little ? "UTF-16LE" : "UTF-16BE";
  return reading;
}

}  // namespace

const EightBitSet* PageReading::set() const { return utf8 || utf16() ? nullptr : eightBitSet(name); }

PageReading readingOf(std::string_view page) {
  // A byte order mark of UTF-16, when the whole page reads back to the same bytes.
  for (const bool little : {true, false}) {
    if (page.size() % 2 != 0 || page.substr(0, 2) != (little ? "\xFF\xFE" : "\xFE\xFF")) continue;
    if (encodeUtf16(decodeUtf16(page, little), little) == page) return utf16Reading(little, true);
  }
  if (readAsUtf8(page)) return {};
  const std::string declared = declaredCharset(page);
  if (const EightBitSet* set = declared.empty() ? nullptr : eightBitSet(declared))
    return eightBitReading(*set, false);
  if (declared.empty())
    if (const EightBitSet* set = eightBitSet(guessEightBitCharset(page))) return eightBitReading(*set, true);
  return eightBitReading(*eightBitSet(kLatin1), false);
}

std::optional<PageReading> readingNamed(std::string_view page, std::string_view name) {
  if (equalsIgnoringAsciiCase(name, "UTF-8")) return PageReading{};
  for (const bool little : {true, false})
    if (equalsIgnoringAsciiCase(name, little ? "UTF-16LE" : "UTF-16BE"))
      return page.size() % 2 == 0
                 ? std::optional(utf16Reading(little, page.substr(0, 2) == (little ? "\xFF\xFE" : "\xFE\xFF")))
                 : std::nullopt;
  const EightBitSet* set = eightBitSet(name);
  if (!set) return std::nullopt;
  return eightBitReading(*set, false);
}

std::string readingLabel(const PageReading& reading, std::string_view page) {
  if (reading.utf8) return page.substr(0, 3) == "\xEF\xBB\xBF" ? "UTF-8 with BOM" : "UTF-8";
  if (reading.utf16())
    return std::string(reading.name == "UTF-16LE" ? "UTF-16 LE" : "UTF-16 BE") + (reading.bom ? " with BOM" : "");
  return "8-bit (" + reading.name + (reading.guessed ? ", guessed)" : ")");
}

std::string windowTextOf(std::string_view page, const PageReading& reading) {
  if (reading.utf16()) {
    // The byte order mark stays out of the window, so that no edit can take it away; it goes back in front.
    std::string text = decodeUtf16(page, reading.name == "UTF-16LE");
    if (reading.bom && text.substr(0, 3) == "\xEF\xBB\xBF") text.erase(0, 3);
    return text;
  }
  const EightBitSet* set = reading.transcoded ? reading.set() : nullptr;
  return set ? set->decode(page) : std::string(page);
}

std::string pageBytesOf(std::string_view windowText, const PageReading& reading) {
  if (reading.utf16())
    return encodeUtf16(reading.bom ? "\xEF\xBB\xBF" + std::string(windowText) : std::string(windowText),
                       reading.name == "UTF-16LE");
  const EightBitSet* set = reading.transcoded ? reading.set() : nullptr;
  return set ? set->encode(windowText) : std::string(windowText);
}

std::string convertedToUtf8(std::string_view windowText, const PageReading& reading) {
  std::string text;
  if (reading.utf8 || reading.transcoded) {
    text = std::string(windowText);
  } else {
    const EightBitSet* set = reading.set();
    text = set ? set->decode(windowText) : fromDocumentEncoding(windowText, false);
  }
  // Later declarations first, so that the earlier ones' positions still hold.
  const auto declarations = charsetDeclarations(text);
  for (auto d = declarations.rbegin(); d != declarations.rend(); ++d)
    if (!isUtf8CharsetName(d->name)) text.replace(d->at, d->length, "utf-8");
  return text;
}

}  // namespace quillon
