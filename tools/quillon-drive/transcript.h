#pragma once

#include <string>
#include <string_view>

namespace quillon::drive {

// A string written JSON-style; bytes that are not valid UTF-8 become one \u00XX escape each.
std::string jsonString(std::string_view bytes);

void writeLine(const std::string& line);  // one transcript line on standard output

}  // namespace quillon::drive
