#pragma once

#include <string>
#include <string_view>

namespace quillon {

// The one-byte character set a page that declares none most likely is in, by the statistics of its text:
// a name `eightBitSet` knows ("windows-1252"), or empty when no guess is worth showing.
std::string guessEightBitCharset(std::string_view page);

}  // namespace quillon
