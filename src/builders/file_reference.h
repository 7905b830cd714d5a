#pragma once

#include <string>
#include <string_view>

namespace quillon {

// A picked file's name as it is written into a reference (href, src, background), so that the reference
// finds that file: '%', '#', '?', '"', control characters and DEL become %XX, and so does every byte
// above 127 of a name that is not valid UTF-8 (a Latin-1 "caf\xe9.html" becomes "caf%E9.html", which a
// browser and a web server read back as those bytes). Case and everything else stay as they are.
std::string referenceToFileName(std::string_view name);

}  // namespace quillon
