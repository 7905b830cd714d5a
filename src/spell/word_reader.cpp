#include "spell/word_reader.h"

#include <algorithm>
#include <cstring>

namespace quillon {

namespace {

struct NamedEntity {
  const char* name;
  char32_t code;
};

// The named character references of HTML 4 and "apos"; kept sorted by name for the search below.
constexpr NamedEntity kEntities[] = {
    {"AElig", 0xC6},     {"Aacute", 0xC1},   {"Acirc", 0xC2},    {"Agrave", 0xC0},   {"Alpha", 0x391},
    {"Aring", 0xC5},     {"Atilde", 0xC3},   {"Auml", 0xC4},     {"Beta", 0x392},    {"Ccedil", 0xC7},
    {"Chi", 0x3A7},      {"Dagger", 0x2021}, {"Delta", 0x394},   {"ETH", 0xD0},      {"Eacute", 0xC9},
    {"Ecirc", 0xCA},     {"Egrave", 0xC8},   {"Epsilon", 0x395}, {"Eta", 0x397},     {"Euml", 0xCB},
    {"Gamma", 0x393},    {"Iacute", 0xCD},   {"Icirc", 0xCE},    {"Igrave", 0xCC},   {"Iota", 0x399},
    {"Iuml", 0xCF},      {"Kappa", 0x39A},   {"Lambda", 0x39B},  {"Mu", 0x39C},      {"Ntilde", 0xD1},
    {"Nu", 0x39D},       {"OElig", 0x152},   {"Oacute", 0xD3},   {"Ocirc", 0xD4},    {"Ograve", 0xD2},
    {"Omega", 0x3A9},    {"Omicron", 0x39F}, {"Oslash", 0xD8},   {"Otilde", 0xD5},   {"Ouml", 0xD6},
    {"Phi", 0x3A6},      {"Pi", 0x3A0},      {"Prime", 0x2033},  {"Psi", 0x3A8},     {"Rho", 0x3A1},
    {"Scaron", 0x160},   {"Sigma", 0x3A3},   {"THORN", 0xDE},    {"Tau", 0x3A4},     {"Theta", 0x398},
    {"Uacute", 0xDA},    {"Ucirc", 0xDB},    {"Ugrave", 0xD9},   {"Upsilon", 0x3A5}, {"Uuml", 0xDC},
    {"Xi", 0x39E},       {"Yacute", 0xDD},   {"Yuml", 0x178},    {"Zeta", 0x396},    {"aacute", 0xE1},
    {"acirc", 0xE2},     {"acute", 0xB4},    {"aelig", 0xE6},    {"agrave", 0xE0},   {"alefsym", 0x2135},
    {"alpha", 0x3B1},    {"amp", '&'},       {"and", 0x2227},    {"ang", 0x2220},    {"apos", '\''},
    {"aring", 0xE5},     {"asymp", 0x2248},  {"atilde", 0xE3},   {"auml", 0xE4},     {"bdquo", 0x201E},
    {"beta", 0x3B2},     {"brvbar", 0xA6},   {"bull", 0x2022},   {"cap", 0x2229},    {"ccedil", 0xE7},
    {"cedil", 0xB8},     {"cent", 0xA2},     {"chi", 0x3C7},     {"circ", 0x2C6},    {"clubs", 0x2663},
    {"cong", 0x2245},    {"copy", 0xA9},     {"crarr", 0x21B5},  {"cup", 0x222A},    {"curren", 0xA4},
    {"dArr", 0x21D3},    {"dagger", 0x2020}, {"darr", 0x2193},   {"deg", 0xB0},      {"delta", 0x3B4},
    {"diams", 0x2666},   {"divide", 0xF7},   {"eacute", 0xE9},   {"ecirc", 0xEA},    {"egrave", 0xE8},
    {"empty", 0x2205},   {"emsp", 0x2003},   {"ensp", 0x2002},   {"epsilon", 0x3B5}, {"equiv", 0x2261},
    {"eta", 0x3B7},      {"eth", 0xF0},      {"euml", 0xEB},     {"euro", 0x20AC},   {"exist", 0x2203},
    {"fnof", 0x192},     {"forall", 0x2200}, {"frac12", 0xBD},   {"frac14", 0xBC},   {"frac34", 0xBE},
    {"frasl", 0x2044},   {"gamma", 0x3B3},   {"ge", 0x2265},     {"gt", '>'},        {"hArr", 0x21D4},
    {"harr", 0x2194},    {"hearts", 0x2665}, {"hellip", 0x2026}, {"iacute", 0xED},   {"icirc", 0xEE},
    {"iexcl", 0xA1},     {"igrave", 0xEC},   {"image", 0x2111},  {"infin", 0x221E},  {"int", 0x222B},
    {"iota", 0x3B9},     {"iquest", 0xBF},   {"isin", 0x2208},   {"iuml", 0xEF},     {"kappa", 0x3BA},
    {"lArr", 0x21D0},    {"lambda", 0x3BB},  {"lang", 0x2329},   {"laquo", 0xAB},    {"larr", 0x2190},
    {"lceil", 0x2308},   {"ldquo", 0x201C},  {"le", 0x2264},     {"lfloor", 0x230A}, {"lowast", 0x2217},
    {"loz", 0x25CA},     {"lrm", 0x200E},    {"lsaquo", 0x2039}, {"lsquo", 0x2018},  {"lt", '<'},
    {"macr", 0xAF},      {"mdash", 0x2014},  {"micro", 0xB5},    {"middot", 0xB7},   {"minus", 0x2212},
    {"mu", 0x3BC},       {"nabla", 0x2207},  {"nbsp", 0xA0},     {"ndash", 0x2013},  {"ne", 0x2260},
    {"ni", 0x220B},      {"not", 0xAC},      {"notin", 0x2209},  {"nsub", 0x2284},   {"ntilde", 0xF1},
    {"nu", 0x3BD},       {"oacute", 0xF3},   {"ocirc", 0xF4},    {"oelig", 0x153},   {"ograve", 0xF2},
    {"oline", 0x203E},   {"omega", 0x3C9},   {"omicron", 0x3BF}, {"oplus", 0x2295},  {"or", 0x2228},
    {"ordf", 0xAA},      {"ordm", 0xBA},     {"oslash", 0xF8},   {"otilde", 0xF5},   {"otimes", 0x2297},
    {"ouml", 0xF6},      {"para", 0xB6},     {"part", 0x2202},   {"permil", 0x2030}, {"perp", 0x22A5},
    {"phi", 0x3C6},      {"pi", 0x3C0},      {"piv", 0x3D6},     {"plusmn", 0xB1},   {"pound", 0xA3},
    {"prime", 0x2032},   {"prod", 0x220F},   {"prop", 0x221D},   {"psi", 0x3C8},     {"quot", '"'},
    {"rArr", 0x21D2},    {"radic", 0x221A},  {"rang", 0x232A},   {"raquo", 0xBB},    {"rarr", 0x2192},
    {"rceil", 0x2309},   {"rdquo", 0x201D},  {"real", 0x211C},   {"reg", 0xAE},      {"rfloor", 0x230B},
    {"rho", 0x3C1},      {"rlm", 0x200F},    {"rsaquo", 0x203A}, {"rsquo", 0x2019},  {"sbquo", 0x201A},
    {"scaron", 0x161},   {"sdot", 0x22C5},   {"sect", 0xA7},     {"shy", 0xAD},      {"sigma", 0x3C3},
    {"sigmaf", 0x3C2},   {"sim", 0x223C},    {"spades", 0x2660}, {"sub", 0x2282},    {"sube", 0x2286},
    {"sum", 0x2211},     {"sup", 0x2283},    {"sup1", 0xB9},     {"sup2", 0xB2},     {"sup3", 0xB3},
    {"supe", 0x2287},    {"szlig", 0xDF},    {"tau", 0x3C4},     {"there4", 0x2234}, {"theta", 0x3B8},
    {"thetasym", 0x3D1}, {"thinsp", 0x2009}, {"thorn", 0xFE},    {"tilde", 0x2DC},   {"times", 0xD7},
    {"trade", 0x2122},   {"uArr", 0x21D1},   {"uacute", 0xFA},   {"uarr", 0x2191},   {"ucirc", 0xFB},
    {"ugrave", 0xF9},    {"uml", 0xA8},      {"upsih", 0x3D2},   {"upsilon", 0x3C5}, {"uuml", 0xFC},
    {"weierp", 0x2118},  {"xi", 0x3BE},      {"yacute", 0xFD},   {"yen", 0xA5},      {"yuml", 0xFF},
    {"zeta", 0x3B6},     {"zwj", 0x200D},    {"zwnj", 0x200C},
};

// "&name;", "&#233;" or "&#xE9;" at pos: the character and the entity's length, or nothing.
std::optional<TextChar> entityAt(std::string_view text, size_t pos) {
  const size_t semi = text.find(';', pos + 1);
  if (semi == std::string_view::npos || semi - pos > 10 || semi == pos + 1) return std::nullopt;
  const std::string_view body = text.substr(pos + 1, semi - pos - 1);
  if (body[0] == '#') {
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    char32_t code = 0;
    for (char c : digits) {
      int v;
      if (c >= '0' && c <= '9')
        v = c - '0';
      else if (hex && c >= 'a' && c <= 'f')
        v = c - 'a' + 10;
      else if (hex && c >= 'A' && c <= 'F')
        v = c - 'A' + 10;
      else
        return std::nullopt;
      code = code * (hex ? 16 : 10) + static_cast<char32_t>(v);
      if (code > 0x10FFFF) return std::nullopt;
    }
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF)) return std::nullopt;  // no character
    return TextChar{code, semi - pos + 1};
  }
  const auto* end = std::end(kEntities);
  const auto* it = std::lower_bound(std::begin(kEntities), end, body, [](const NamedEntity& e, std::string_view name) {
    return std::string_view(e.name) < name;
  });
  if (it == end || std::string_view(it->name) != body) return std::nullopt;
  return TextChar{it->code, semi - pos + 1};
}

}  // namespace

TextChar charAt(std::string_view text, size_t pos, bool utf8) {
  const auto b = static_cast<unsigned char>(text[pos]);
  if (b == '&')
    if (const auto entity = entityAt(text, pos)) return *entity;
  if (b < 0x80 || !utf8) return {b, 1};
  const size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  if (n == 1 || pos + n > text.size()) return {0xFFFD, 1};
  char32_t code = b & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
  for (size_t k = 1; k < n; ++k) {
    const auto c = static_cast<unsigned char>(text[pos + k]);
    if ((c & 0xC0) != 0x80) return {0xFFFD, 1};
    code = (code << 6) | (c & 0x3F);
  }
  // Overlong forms, surrogates and numbers past Unicode are not characters.
  static constexpr char32_t kLeast[5] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[n] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return {0xFFFD, 1};
  return {code, n};
}

bool isApostrophe(char32_t c) { return c == '\'' || c == 0x2019; }

bool isLetter(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  if (c < 0x100) return c >= 0xC0 && c != 0xD7 && c != 0xF7;  // Latin-1: À to ÿ but × and ÷
  if (c < 0x2000) return c != 0x37E && c != 0x387;  // Latin Extended, IPA, Greek, Cyrillic, Hebrew, Arabic, ...
  if (c < 0x2C00) return false;                     // punctuation, symbols, arrows, dashes, quotes
  if (c >= 0x3000 && c < 0x3040) return false;      // CJK punctuation
  if (c >= 0xFE30 && c < 0xFE70) return false;
  if (c >= 0xFF00 && c < 0xFF21) return false;
  if (c >= 0xE000 && c < 0xF900) return false;    // private use
  if (c >= 0x1F000 && c < 0x1FC00) return false;  // emoji, pictographs and other symbols
  if (c == 0xFFFD || c == 0xFEFF) return false;
  return true;
}

std::optional<ReadWord> readWordAt(std::string_view text, size_t pos, size_t limit, bool utf8) {
  limit = std::min(limit, text.size());
  if (pos >= limit) return std::nullopt;
  const TextChar first = charAt(text, pos, utf8);
  const bool digit = first.code >= '0' && first.code <= '9';
  if (!isLetter(first.code) && !digit) return std::nullopt;
  ReadWord word;
  word.start = pos;
  size_t at = pos;
  while (at < limit) {
    // Runs of plain ASCII letters and digits, the common case, go in at once.
    size_t run = at;
    while (run < limit && ((text[run] >= 'a' && text[run] <= 'z') || (text[run] >= 'A' && text[run] <= 'Z') ||
                           (text[run] >= '0' && text[run] <= '9')))
      ++run;
    if (run > at) {
      word.text.append(text.data() + at, run - at);
      at = run;
      continue;
    }
    const TextChar c = charAt(text, at, utf8);
    if (at + c.length > limit) break;
    const bool inWord = isLetter(c.code) || (c.code >= '0' && c.code <= '9') || isApostrophe(c.code);
    if (!inWord) break;
    appendUtf8(word.text, isApostrophe(c.code) ? U'\'' : c.code);
    at += c.length;
  }
  word.end = at;
  return word;
}

char32_t lowerChar(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x138 && c != 0x149 && c != 0x17F) {
    // Pairs upper, lower: even-odd up to U+0137, odd-even from U+0139 to U+0148 and from U+0179.
    const bool evenPairs = c <= 0x137 || (c >= 0x14A && c <= 0x177);
    if (evenPairs ? c % 2 == 0 : c % 2 == 1) return c + 1;
    return c == 0x178 ? 0xFF : c;
  }
  if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
  if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

char32_t upperChar(char32_t c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
    const bool evenPairs = c <= 0x137 || (c >= 0x14A && c <= 0x177);
    if (evenPairs ? c % 2 == 1 : c % 2 == 0) return c - 1;
    return c;
  }
  if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 32;
  if (c >= 0x430 && c <= 0x44F) return c - 32;
  if (c >= 0x450 && c <= 0x45F) return c - 80;
  return c;
}

namespace {
template <typename Fn>
std::string mapWord(std::string_view utf8, Fn fn) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const TextChar c = charAt(utf8, i, true);
    if (c.code == 0xFFFD)
      out += utf8[i];  // not a character here: kept as it was
    else
      appendUtf8(out, fn(c.code, i));
    i += c.length;
  }
  return out;
}
}  // namespace

std::string lowerWord(std::string_view utf8) {
  return mapWord(utf8, [](char32_t c, size_t) { return lowerChar(c); });
}
std::string upperWord(std::string_view utf8) {
  return mapWord(utf8, [](char32_t c, size_t) { return upperChar(c); });
}
std::string capitalizedWord(std::string_view utf8) {
  return mapWord(utf8, [](char32_t c, size_t at) { return at == 0 ? upperChar(c) : lowerChar(c); });
}

bool isAllCapitals(std::string_view utf8) {
  size_t letters = 0;
  for (size_t i = 0; i < utf8.size();) {
    const TextChar c = charAt(utf8, i, true);
    i += c.length;
    if (!isLetter(c.code)) continue;
    if (lowerChar(c.code) == c.code && upperChar(c.code) != c.code) return false;
    ++letters;
  }
  return letters >= 2;
}

}  // namespace quillon
