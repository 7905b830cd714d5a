#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quillon {

// Asked every few thousand lines or tags of a long scan; true ends the scan early with what it has.
using StopCheck = std::function<bool()>;

// Image names of one page: on each line, double quotes pair up in order, and a quoted value whose last
// extension is ".gif" or ".jpg" (any case) gives its lower-cased name after the last '/' or '\'.
std::vector<std::string> scanImages(std::string_view page, const StopCheck& stop = {});

// Link targets of one page, line by line, as tags are consumed one "<" at a time: a tag is a link when the
// line's first remaining "href" (lower case) or "HREF" (upper case) lies inside it, and its target is the
// first remaining double-quoted value when both quotes lie inside it. Other spellings, single quotes and
// unquoted values are not seen. Each line is scanned once, however many tags it holds.
std::vector<std::string> scanLinks(std::string_view page, const StopCheck& stop = {});

}  // namespace quillon
