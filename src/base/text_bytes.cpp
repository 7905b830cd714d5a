#include "base/text_bytes.h"

#include <algorithm>
#include <cstdint>

namespace quillon {

std::vector<std::string> splitLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) lines.emplace_back(text.substr(start));
  return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const auto& line : lines) total += line.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& line : lines) {
    out += line;
    out += kCrLf;
  }
  return out;
}

static char upperChar(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
static char lowerChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string upperAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), upperChar);
  return out;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), lowerChar);
  return out;
}

size_t findIgnoringAsciiCase(std::string_view text, std::string_view lowerNeedle, size_t from) {
  if (lowerNeedle.empty()) return from <= text.size() ? from : std::string_view::npos;
  const char first = lowerNeedle[0];
  const char firstUpper = first >= 'a' && first <= 'z' ? static_cast<char>(first - 32) : first;
  // The next first letter in each case, looked for again only once passed.
  size_t lower = text.find(first, from), upper = text.find(firstUpper, from);
  while (true) {
    const size_t at = std::min(lower, upper);
    if (at == std::string_view::npos || at + lowerNeedle.size() > text.size()) return std::string_view::npos;
    if (equalsIgnoringAsciiCase(text.substr(at, lowerNeedle.size()), lowerNeedle)) return at;
    if (at == lower) lower = text.find(first, at + 1);
    if (at == upper) upper = text.find(firstUpper, at + 1);
  }
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (lowerChar(a[i]) != lowerChar(b[i])) return false;
  return true;
}

bool lessIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const auto ca = static_cast<unsigned char>(lowerChar(a[i]));
    const auto cb = static_cast<unsigned char>(lowerChar(b[i]));
    if (ca != cb) return ca < cb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string_view trimBlanks(std::string_view text) {
  size_t b = 0, e = text.size();
  while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
  while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
  return text.substr(b, e - b);
}

std::string fieldEscaped(std::string_view text) {
  static const char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    if (c == '\t' || c == '\r' || c == '\n' || c == '%') {
      out += '%';
      out += hex[static_cast<unsigned char>(c) >> 4];
      out += hex[static_cast<unsigned char>(c) & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::vector<std::string_view> tabFields(std::string_view line) {
  std::vector<std::string_view> out;
  for (size_t start = 0;;) {
    const size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return out;
    start = tab + 1;
  }
}

std::optional<std::string> fieldUnescaped(std::string_view text) {
  auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    if (i + 2 >= text.size()) return std::nullopt;
    const int hi = digit(text[i + 1]), lo = digit(text[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return out;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool isValidUtf8(std::string_view bytes) {
  const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    // Skip ASCII quickly, eight bytes at a time.
    while (i + 8 <= n) {
      uint64_t word;
      __builtin_memcpy(&word, s + i, 8);
      if (word & 0x8080808080808080ULL) break;
      i += 8;
    }
    if (i >= n) break;
    const unsigned char c = s[i];
    if (c < 0x80) {
      ++i;
      continue;
    }
    size_t len;
    uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
      len = 2;
      cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      len = 3;
      cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      len = 4;
      cp = c & 0x07;
    } else
      return false;
    if (i + len > n) return false;
    for (size_t k = 1; k < len; ++k) {
      if ((s[i + k] & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += len;
  }
  return true;
}

// Length of an unfinished sequence at the end of `bytes` (0 to 3): a lead byte without all its followers.
static size_t unfinishedTail(std::string_view bytes) {
  const size_t n = bytes.size();
  for (size_t back = 1; back <= 3 && back <= n; ++back) {
    const auto c = static_cast<unsigned char>(bytes[n - back]);
    if ((c & 0xC0) == 0x80) continue;  // a follower: look further back for its lead byte
    const size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return need > back ? back : 0;
  }
  return 0;
}

void Utf8Validator::feed(std::string_view piece) {
  if (!valid_ || piece.empty()) return;
  if (pendingLength_ > 0) {
    // Complete the split sequence with the first bytes of this piece, then go on after it.
    std::string joined(pending_, pendingLength_);
    joined.append(piece.substr(0, std::min<size_t>(4, piece.size())));
    const size_t tail = unfinishedTail(joined);
    if (tail == joined.size()) {  // still unfinished: the piece was tiny
      std::copy(joined.begin(), joined.end(), pending_);
      pendingLength_ = joined.size();
      if (pendingLength_ > 4) valid_ = false;
      return;
    }
    const auto c = static_cast<unsigned char>(pending_[0]);
    const size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
    if (joined.size() < need || !isValidUtf8(std::string_view(joined).substr(0, need))) {
      valid_ = false;
      return;
    }
    piece.remove_prefix(need - pendingLength_);
    pendingLength_ = 0;
  }
  const size_t tail = unfinishedTail(piece);
  if (!isValidUtf8(piece.substr(0, piece.size() - tail))) {
    valid_ = false;
    return;
  }
  std::copy(piece.end() - static_cast<long>(tail), piece.end(), pending_);
  pendingLength_ = tail;
}

static size_t afterLastSeparator(std::string_view path) {
  const size_t pos = path.find_last_of("/\\");
  return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string_view fileNamePart(std::string_view path) { return path.substr(afterLastSeparator(path)); }
std::string_view folderPart(std::string_view path) { return path.substr(0, afterLastSeparator(path)); }

std::string toDocumentEncoding(std::string_view utf8, bool documentIsUtf8) {
  if (documentIsUtf8 || !isValidUtf8(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++i;
      continue;
    }
    const size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    uint32_t code = b & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
    for (size_t k = 1; k < n; ++k) code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    i += n;
    if (code <= 0xFF)
      out += static_cast<char>(code);
    else
      out += "&#" + std::to_string(code) + ";";
  }
  return out;
}

std::string fromDocumentEncoding(std::string_view bytes, bool documentIsUtf8) {
  if (documentIsUtf8) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
      continue;
    }
    out += static_cast<char>(0xC0 | (b >> 6));
    out += static_cast<char>(0x80 | (b & 0x3F));
  }
  return out;
}

}  // namespace quillon
