#include "editor/charset_guess.h"

#include <uchardet/uchardet.h>

#include "editor/eight_bit_sets.h"

namespace quillon {

namespace {

// The statistics settle long before this; a huge page is not read through for a guess.
constexpr size_t kSampled = 1 << 20;

}  // namespace

std::string guessEightBitCharset(std::string_view page) {
  uchardet_t detector = uchardet_new();
  if (!detector) return {};
  const std::string_view sample = page.substr(0, kSampled);
  std::string guess;
  if (uchardet_handle_data(detector, sample.data(), sample.size()) == 0) {
    uchardet_data_end(detector);
    if (const char* name = uchardet_get_charset(detector)) guess = name;
  }
  uchardet_delete(detector);
  return canonicalEightBitName(guess);
}

}  // namespace quillon
