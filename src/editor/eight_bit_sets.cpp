#include "editor/eight_bit_sets.h"

#include <iconv.h>
#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "base/text_bytes.h"

namespace quillon {

namespace {

struct Known {
  const char* name;       // as pages and the user see it
  const char* iconvName;  // as the system's converters know it
  const char* region;     // the languages it serves
};

constexpr Known kKnown[] = {
    {"ISO-8859-1", "ISO-8859-1", "Western European"},
    {"windows-1252", "CP1252", "Western European"},
    {"ISO-8859-15", "ISO-8859-15", "Western European, with the euro"},
    {"ISO-8859-2", "ISO-8859-2", "Central European"},
    {"windows-1250", "CP1250", "Central European"},
    {"ISO-8859-3", "ISO-8859-3", "South European"},
    {"ISO-8859-4", "ISO-8859-4", "Baltic"},
    {"ISO-8859-13", "ISO-8859-13", "Baltic"},
    {"windows-1257", "CP1257", "Baltic"},
    {"ISO-8859-5", "ISO-8859-5", "Cyrillic"},
    {"windows-1251", "CP1251", "Cyrillic"},
    {"KOI8-R", "KOI8-R", "Russian"},
    {"KOI8-U", "KOI8-U", "Ukrainian"},
    {"ISO-8859-7", "ISO-8859-7", "Greek"},
    {"windows-1253", "CP1253", "Greek"},
    {"ISO-8859-9", "ISO-8859-9", "Turkish"},
    {"windows-1254", "CP1254", "Turkish"},
    {"ISO-8859-8", "ISO-8859-8", "Hebrew"},
    {"windows-1255", "CP1255", "Hebrew"},
    {"ISO-8859-6", "ISO-8859-6", "Arabic"},
    {"windows-1256", "CP1256", "Arabic"},
    {"windows-1258", "CP1258", "Vietnamese"},
    {"windows-874", "CP874", "Thai"},
    {"ISO-8859-10", "ISO-8859-10", "Nordic"},
    {"ISO-8859-14", "ISO-8859-14", "Celtic"},
    {"ISO-8859-16", "ISO-8859-16", "South-Eastern European"},
    {"macintosh", "MACINTOSH", "Western European, Mac"},
    {"IBM850", "IBM850", "Western European, DOS"},
};

// The character one byte stands for in the set, or nothing when the set leaves it undefined (or the system
// lacks the converter).
std::optional<char32_t> convertOne(iconv_t cd, unsigned char byte) {
  char in[1] = {static_cast<char>(byte)};
  char out[8];
  char* from = in;
  char* to = out;
  size_t fromLeft = 1, toLeft = sizeof out;
  ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (::iconv(cd, &from, &fromLeft, &to, &toLeft) == static_cast<size_t>(-1) || fromLeft != 0) return std::nullopt;
  if (sizeof out - toLeft != 4) return std::nullopt;  // a set that makes two characters of one byte
  char32_t c;
  std::memcpy(&c, out, 4);
  return c;
}

}  // namespace

std::string canonicalEightBitName(std::string_view given) {
  std::string name = lowerAscii(given);
  std::replace(name.begin(), name.end(), '_', '-');
  if (name.rfind("iso8859-", 0) == 0) name.insert(3, "-");
  if (name.rfind("cp125", 0) == 0 && name.size() == 6) name = "windows-" + name.substr(2);
  static const std::map<std::string, std::string, std::less<>> kAliases = {
      {"latin1", "ISO-8859-1"},   {"latin-1", "ISO-8859-1"},
      {"l1", "ISO-8859-1"},       {"us-ascii", "ISO-8859-1"},
      {"ascii", "ISO-8859-1"},    {"iso-8859-1", "ISO-8859-1"},
      {"latin2", "ISO-8859-2"},   {"latin-2", "ISO-8859-2"},
      {"latin3", "ISO-8859-3"},   {"latin4", "ISO-8859-4"},
      {"latin5", "ISO-8859-9"},   {"latin6", "ISO-8859-10"},
      {"latin7", "ISO-8859-13"},  {"latin8", "ISO-8859-14"},
      {"latin9", "ISO-8859-15"},  {"latin-9", "ISO-8859-15"},
      {"latin10", "ISO-8859-16"}, {"cyrillic", "ISO-8859-5"},
      {"greek", "ISO-8859-7"},    {"hebrew", "ISO-8859-8"},
      {"arabic", "ISO-8859-6"},   {"koi8r", "KOI8-R"},
      {"koi8u", "KOI8-U"},        {"koi8", "KOI8-R"},
      {"mac", "macintosh"},       {"x-mac-roman", "macintosh"},
      {"macroman", "macintosh"},  {"cp850", "IBM850"},
      {"ibm-850", "IBM850"},      {"cp874", "windows-874"},
      {"tis-620", "windows-874"}, {"iso-8859-8-i", "ISO-8859-8"},
  };
  if (const auto alias = kAliases.find(name); alias != kAliases.end()) return alias->second;
  for (const Known& k : kKnown)
    if (lowerAscii(k.name) == name) return k.name;
  return {};
}

const std::vector<std::string>& eightBitSetNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> all;
    for (const Known& k : kKnown) all.emplace_back(k.name);
    return all;
  }();
  return names;
}

std::string eightBitSetRegion(std::string_view name) {
  for (const Known& k : kKnown)
    if (name == k.name) return k.region;
  return {};
}

const EightBitSet* eightBitSet(std::string_view given) {
  const std::string name = canonicalEightBitName(given);
  if (name.empty()) return nullptr;
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<EightBitSet>> made;
  const std::lock_guard lock(mutex);
  if (const auto found = made.find(name); found != made.end()) return found->second.get();
  const Known* known =
      std::find_if(std::begin(kKnown), std::end(kKnown), [&](const Known& k) { return name == k.name; });
  iconv_t cd = ::iconv_open("UTF-32LE", known->iconvName);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    made[name] = nullptr;
    return nullptr;
  }
  auto set = std::make_unique<EightBitSet>();
  set->name_ = name;
  std::array<bool, 256> defined{};
  std::map<char32_t, int> taken;
  for (int b = 0; b < 256; ++b) {
    const auto c = convertOne(cd, static_cast<unsigned char>(b));
    if (!c || taken.count(*c)) continue;
    set->chars_[b] = *c;
    defined[b] = true;
    taken[*c] = b;
  }
  ::iconv_close(cd);
  for (int b = 0; b < 256; ++b) {
    if (defined[b]) continue;
    const char32_t own = static_cast<char32_t>(b), privateUse = 0xF700 + static_cast<char32_t>(b);
    set->chars_[b] = taken.count(own) ? privateUse : own;
    taken[set->chars_[b]] = b;
  }
  for (int b = 0; b < 256; ++b) {
    appendUtf8(set->utf8Of_[b], set->chars_[b]);
    if (b < 0x80) set->asciiSame_ = set->asciiSame_ && set->chars_[b] == static_cast<char32_t>(b);
    if (set->chars_[b] >= 0x80) set->bytesOf_.emplace_back(set->chars_[b], static_cast<unsigned char>(b));
  }
  std::sort(set->bytesOf_.begin(), set->bytesOf_.end());
  return (made[name] = std::move(set)).get();
}

std::string EightBitSet::decode(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (size_t i = 0; i < bytes.size();) {
    // Runs of ASCII go across at once: most of a page is markup.
    size_t run = i;
    if (asciiSame_)
      while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
    if (run > i) {
      out.append(bytes.data() + i, run - i);
      i = run;
      continue;
    }
    out += utf8Of_[static_cast<unsigned char>(bytes[i++])];
  }
  return out;
}

std::string EightBitSet::encode(std::string_view utf8) const {
  std::string out;
  out.reserve(utf8.size());
  const auto put = [&](char32_t c) {
    if (c < 0x80 && asciiSame_) {
      out += static_cast<char>(c);
      return;
    }
    const auto found =
        std::lower_bound(bytesOf_.begin(), bytesOf_.end(), std::make_pair(c, static_cast<unsigned char>(0)));
    if (found != bytesOf_.end() && found->first == c)
      out += static_cast<char>(found->second);
    else if (c < 0x80)
      out += static_cast<char>(std::find(chars_.begin(), chars_.end(), c) - chars_.begin());
    else
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
  };
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      size_t run = i;
      if (asciiSame_)
        while (run < utf8.size() && static_cast<unsigned char>(utf8[run]) < 0x80) ++run;
      if (run > i) {
        out.append(utf8.data() + i, run - i);
        i = run;
      } else {
        put(b);
        ++i;
      }
      continue;
    }
    const size_t length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
    if (length == 0 || i + length > utf8.size() || !isValidUtf8(utf8.substr(i, length))) {
      put(b);  // not UTF-8: the byte as a Latin-1 character
      ++i;
      continue;
    }
    char32_t c = b & (length == 4 ? 0x07 : length == 3 ? 0x0F : 0x1F);
    for (size_t k = 1; k < length; ++k) c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    put(c);
    i += length;
  }
  return out;
}

}  // namespace quillon
