#pragma once

#include <string>
#include <string_view>

namespace quillon {

// Where a URL written in a page leads.
struct ReferenceTarget {
  enum Kind {
    Local,     // a file of the site: `path`
    External,  // http or https: `url`
    Other,     // mailto:, javascript:, data: ... not checked
    Outside,   // a path that climbs out of the site folder
    Bad,       // not usable as a URL at all: `why`
  };
  Kind kind = Other;
  std::string path;         // relative to the site folder, '/' between folders; empty for the page itself
  bool folder = false;      // written with a closing '/'
  std::string fragment;     // after '#', percent-decoded; `hasFragment` tells "#" from none
  std::string rawFragment;  // as written
  bool hasFragment = false;
  std::string url;
  std::string why;
};

// The target of `url`, written in the page at `pagePath` (relative to the site folder), under the page's
// <base href> when it has one. Blanks around the URL and tabs and line ends inside it are dropped, '\' is
// read as '/', the path is percent-decoded, and a path starting with '/' starts at the site folder.
ReferenceTarget resolveReference(std::string_view url, std::string_view pagePath, std::string_view base);

// The base a page's references resolve against: its <base href> trimmed, or nothing when that is no base
// a web server could use (a file: or drive path, control characters).
std::string baseInEffect(std::string_view base);

// A text shown in one line: control characters written as \xNN.
std::string printable(std::string_view text);

}  // namespace quillon
