#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillon::drive {

// One directive of a script, its arguments decoded (escapes applied, bytes kept as bytes).
struct Directive {
  int line = 0;
  std::string name;
  std::vector<std::string> args;
  std::vector<Directive> body;  // the lines of a `dialog` or `window` block
};

struct ParseResult {
  std::vector<Directive> directives;
  std::optional<std::pair<int, std::string>> error;  // line and reason
};

ParseResult parseScript(const std::string& text);

// Splits one line into words and double-quoted strings with \r \n \t \\ \" \xHH escapes.
bool splitArguments(const std::string& line, std::vector<std::string>& out, std::string& error);

}  // namespace quillon::drive
