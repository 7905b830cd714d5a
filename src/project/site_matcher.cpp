#define PCRE2_CODE_UNIT_WIDTH 8
#include "project/site_matcher.h"

#include <pcre2.h>

#include <algorithm>
#include <cstring>

#include "base/text_bytes.h"
#include "editor/page_encoding.h"

namespace quillon {

namespace {

// A pattern that backtracks without end is stopped after this many steps; real pages never come near it.
constexpr uint32_t kMatchLimit = 20'000'000;

std::string pcreMessage(int code) {
  PCRE2_UCHAR buffer[256];
  const int n = pcre2_get_error_message(code, buffer, sizeof buffer);
  return n < 0 ? "error " + std::to_string(code) : std::string(reinterpret_cast<const char*>(buffer));
}

char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

}  // namespace

bool isWordByte(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

struct SiteMatcher::Compiled {
  pcre2_code* code = nullptr;
  pcre2_match_context* context = nullptr;
  std::string literal;  // the text in this encoding's bytes, for a literal search
  bool usable = true;   // the text can be written in this encoding at all
  ~Compiled() {
    if (context) pcre2_match_context_free(context);
    if (code) pcre2_code_free(code);
  }
};

SiteMatcher::~SiteMatcher() = default;

std::unique_ptr<SiteMatcher> SiteMatcher::make(std::string_view findText, MatchOptions options, std::string& error) {
  error.clear();
  if (findText.empty()) {
    error = "Type the text to find.";
    return nullptr;
  }
  std::unique_ptr<SiteMatcher> m(new SiteMatcher);
  m->options_ = options;
  m->text_ = std::string(findText);
  m->utf8_ = std::make_unique<Compiled>();
  m->eightBit_ = std::make_unique<Compiled>();
  // An 8-bit page holds the text as Latin-1 bytes; a character Latin-1 lacks cannot be in such a page.
  const std::string sample = "\xe9";  // a page that is not UTF-8
  const auto eightBit = textAsInPage(findText, sample);
  m->utf8_->literal = std::string(findText);
  m->eightBit_->usable = eightBit.has_value();
  if (eightBit) m->eightBit_->literal = *eightBit;
  if (!options.regex) return m;

  for (const bool utf : {true, false}) {
    Compiled& c = utf ? *m->utf8_ : *m->eightBit_;
    if (!c.usable) continue;
    const std::string& pattern = c.literal;
    uint32_t flags = (utf ? PCRE2_UTF | PCRE2_MATCH_INVALID_UTF : 0) | (options.matchCase ? 0 : PCRE2_CASELESS);
    int code = 0;
    PCRE2_SIZE offset = 0;
    c.code =
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), flags, &code, &offset, nullptr);
    if (!c.code) {
      error = "The regular expression cannot be used: " + pcreMessage(code) + " (at character " +
              std::to_string(offset + 1) + ").";
      return nullptr;
    }
    pcre2_jit_compile(c.code, PCRE2_JIT_COMPLETE);  // without JIT the interpreter runs the same pattern
    c.context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(c.context, kMatchLimit);
    pcre2_set_depth_limit(c.context, kMatchLimit / 20);
    // A pattern that matches nothing at all would "find" every position of every page.
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(c.code, nullptr);
    const int empty = pcre2_match(c.code, reinterpret_cast<PCRE2_SPTR>(""), 0, 0, 0, data, c.context);
    pcre2_match_data_free(data);
    if (empty >= 0) {
      error =
          "The regular expression matches empty text, so it would match everywhere. Make it need at least "
          "one character.";
      return nullptr;
    }
  }
  return m;
}

bool SiteMatcher::findLiteral(std::string_view page, std::string_view needle, std::vector<PageMatch>& matches) const {
  if (needle.empty() || needle.size() > page.size()) return true;
  const bool fold = !options_.matchCase;
  std::string key(needle);
  if (fold)
    for (char& c : key) c = upper(c);
  const char first = key[0];
  const char firstOther = fold && first >= 'A' && first <= 'Z' ? static_cast<char>(first + 32) : first;
  const char* base = page.data();
  const size_t last = page.size() - needle.size();
  for (size_t at = 0; at <= last;) {
    size_t found = std::string::npos;
    if (!fold) {
      const void* hit = ::memmem(base + at, page.size() - at, needle.data(), needle.size());
      if (hit) found = static_cast<size_t>(static_cast<const char*>(hit) - base);
    } else {
      // The first byte in either case, then the rest compared folded.
      const void* hit = std::memchr(base + at, first, last - at + 1);
      found = hit ? static_cast<size_t>(static_cast<const char*>(hit) - base) : std::string::npos;
      if (firstOther != first) {
        const size_t limit = found == std::string::npos ? last + 1 : found;
        if (const void* other = std::memchr(base + at, firstOther, limit - at))
          found = static_cast<size_t>(static_cast<const char*>(other) - base);
      }
    }
    if (found == std::string::npos) break;
    bool same = true;
    if (fold)
      for (size_t i = 1; i < key.size() && same; ++i) same = upper(base[found + i]) == key[i];
    const size_t end = found + needle.size();
    if (same && options_.wholeWord) {
      const bool before = found > 0 && isWordByte(static_cast<unsigned char>(base[found - 1])) &&
                          isWordByte(static_cast<unsigned char>(base[found]));
      const bool after = end < page.size() && isWordByte(static_cast<unsigned char>(base[end])) &&
                         isWordByte(static_cast<unsigned char>(base[end - 1]));
      same = !before && !after;
    }
    if (same) {
      matches.push_back({found, end, {}});
      at = end;
    } else {
      at = found + 1;
    }
  }
  return true;
}

bool SiteMatcher::findRegex(const Compiled& c, std::string_view page, std::vector<PageMatch>& matches,
                            std::string& error) const {
  pcre2_match_data* data = pcre2_match_data_create_from_pattern(c.code, nullptr);
  const auto subject = reinterpret_cast<PCRE2_SPTR>(page.data());
  size_t at = 0;
  bool ok = true;
  while (at <= page.size()) {
    const int rc = pcre2_match(c.code, subject, page.size(), at, 0, data, c.context);
    if (rc == PCRE2_ERROR_NOMATCH) break;
    if (rc < 0) {
      error = rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_JIT_STACKLIMIT
                  ? "The regular expression takes too long on this page (it tries too many ways to match); "
                    "make it more precise."
                  : "The regular expression failed on this page: " + pcreMessage(rc) + ".";
      ok = false;
      break;
    }
    const PCRE2_SIZE* v = pcre2_get_ovector_pointer(data);
    PageMatch m{v[0], v[1], {}};
    for (int g = 1; g < rc; ++g) m.groups.emplace_back(v[2 * g], v[2 * g + 1]);
    const uint32_t groups = pcre2_get_ovector_count(data);
    while (m.groups.size() + 1 < groups) m.groups.emplace_back(std::string::npos, std::string::npos);
    bool take = m.end > m.start;
    if (take && options_.wholeWord) {
      const bool before = m.start > 0 && isWordByte(static_cast<unsigned char>(page[m.start - 1])) &&
                          isWordByte(static_cast<unsigned char>(page[m.start]));
      const bool after = m.end < page.size() && isWordByte(static_cast<unsigned char>(page[m.end])) &&
                         isWordByte(static_cast<unsigned char>(page[m.end - 1]));
      take = !before && !after;
    }
    if (take) {
      at = m.end;
      matches.push_back(std::move(m));
    } else {
      at = m.start + 1;
    }
  }
  pcre2_match_data_free(data);
  return ok;
}

bool SiteMatcher::findAll(std::string_view page, std::vector<PageMatch>& matches, std::string& error) const {
  return findAll(page, readAsUtf8(page), matches, error);
}

bool SiteMatcher::findAll(std::string_view page, bool utf8, std::vector<PageMatch>& matches, std::string& error) const {
  error.clear();
  const Compiled& c = utf8 ? *utf8_ : *eightBit_;
  if (!c.usable) return true;
  if (!options_.regex) return findLiteral(page, c.literal, matches);
  return findRegex(c, page, matches, error);
}

std::string SiteMatcher::expand(std::string_view replacement, std::string_view page, const PageMatch& match) const {
  if (!options_.regex) return std::string(replacement);
  std::string out;
  auto group = [&](size_t n) {
    if (n == 0) {
      out.append(page.substr(match.start, match.end - match.start));
    } else if (n <= match.groups.size() && match.groups[n - 1].first != std::string::npos) {
      const auto [s, e] = match.groups[n - 1];
      out.append(page.substr(s, e - s));
    }
  };
  for (size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    if (c != '$' || i + 1 >= replacement.size()) {
      out += c;
      continue;
    }
    const char next = replacement[i + 1];
    if (next == '$') {
      out += '$';
      ++i;
    } else if (next >= '0' && next <= '9') {
      size_t n = static_cast<size_t>(next - '0');
      ++i;
      if (i + 1 < replacement.size() && replacement[i + 1] >= '0' && replacement[i + 1] <= '9' &&
          n * 10 + static_cast<size_t>(replacement[i + 1] - '0') <= match.groups.size()) {
        n = n * 10 + static_cast<size_t>(replacement[i + 1] - '0');
        ++i;
      }
      group(n);
    } else if (next == '{') {
      const size_t close = replacement.find('}', i + 2);
      if (close == std::string_view::npos) {
        out += c;
        continue;
      }
      const std::string name(replacement.substr(i + 2, close - i - 2));
      const Compiled& compiled = readAsUtf8(page) ? *utf8_ : *eightBit_;
      int n = -1;
      if (!name.empty() && name.find_first_not_of("0123456789") == std::string::npos)
        n = std::stoi(name);
      else if (compiled.code)
        n = pcre2_substring_number_from_name(compiled.code, reinterpret_cast<PCRE2_SPTR>(name.c_str()));
      if (n >= 0) group(static_cast<size_t>(n));
      i = close;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace quillon
