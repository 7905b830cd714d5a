#include "script.h"

#include "base/text_bytes.h"

namespace quillon::drive {

static int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool splitArguments(const std::string& line, std::vector<std::string>& out, std::string& error) {
  size_t i = 0;
  const size_t n = line.size();
  while (true) {
    while (i < n && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i >= n) return true;
    if (line[i] != '"') {
      const size_t start = i;
      while (i < n && line[i] != ' ' && line[i] != '\t') ++i;
      out.push_back(line.substr(start, i - start));
      continue;
    }
    std::string word;
    ++i;
    bool closed = false;
    while (i < n) {
      const char c = line[i++];
      if (c == '"') {
        closed = true;
        break;
      }
      if (c != '\\') {
        word += c;
        continue;
      }
      if (i >= n) break;
      const char e = line[i++];
      switch (e) {
        case 'r':
          word += '\r';
          break;
        case 'n':
          word += '\n';
          break;
        case 't':
          word += '\t';
          break;
        case '\\':
          word += '\\';
          break;
        case '"':
          word += '"';
          break;
        case 'x': {
          const int hi = i < n ? hexValue(line[i]) : -1;
          const int lo = i + 1 < n ? hexValue(line[i + 1]) : -1;
          if (hi < 0 || lo < 0) {
            error = "bad \\x escape";
            return false;
          }
          word += static_cast<char>(hi * 16 + lo);
          i += 2;
          break;
        }
        default:
          error = std::string("unknown escape \\") + e;
          return false;
      }
    }
    if (!closed) {
      error = "unterminated string";
      return false;
    }
    if (i < n && line[i] != ' ' && line[i] != '\t') {
      error = "text right after a closing quote";
      return false;
    }
    out.push_back(std::move(word));
  }
}

ParseResult parseScript(const std::string& text) {
  ParseResult result;
  const std::vector<std::string> lines = splitLines(text);
  Directive* block = nullptr;
  for (size_t i = 0; i < lines.size(); ++i) {
    const int lineNo = static_cast<int>(i + 1);
    const std::string_view trimmed = trimBlanks(lines[i]);
    if (trimmed.empty() || trimmed.front() == '#') continue;
    std::vector<std::string> words;
    std::string error;
    if (!splitArguments(std::string(trimmed), words, error)) {
      result.error = {{lineNo, error}};
      return result;
    }
    Directive d{lineNo, words.front(), {words.begin() + 1, words.end()}, {}};
    if (d.name == "end") {
      if (!block) {
        result.error = {{lineNo, "end without dialog or window"}};
        return result;
      }
      block = nullptr;
      continue;
    }
    if (block) {
      if (d.name == "dialog" || d.name == "window") {
        result.error = {{lineNo, "a block inside a block"}};
        return result;
      }
      block->body.push_back(std::move(d));
      continue;
    }
    result.directives.push_back(std::move(d));
    if (result.directives.back().name == "dialog" || result.directives.back().name == "window")
      block = &result.directives.back();
  }
  if (block) result.error = {{block->line, "block without end"}};
  return result;
}

}  // namespace quillon::drive
