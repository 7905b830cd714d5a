#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillon {

// A colour value: red in the low byte, green in the second, blue in the third.
using ColourValue = int32_t;

inline constexpr std::array<std::string_view, 10> kColourNames = {"clBlack", "clRed",   "clMaroon", "clBlue", "clNavy",
                                                                  "clGreen", "clOlive", "clPurple", "clGray", "clTeal"};

// Exact, case-sensitive match; any other name is black.
ColourValue ColorFromName(std::string_view name);
// Position of the value's name in kColourNames, or -1 when the value has no name.
int ColorNameIndex(ColourValue value);
// "#RRGGBB", upper-case hexadecimal.
std::string htmlColourText(ColourValue value);
// A stored colour: a decimal integer, or hexadecimal after "0x"/"0X"; anything else gives the fallback.
ColourValue readColourValue(std::string_view text, ColourValue fallback);

}  // namespace quillon
