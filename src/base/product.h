#pragma once

namespace quillon {

// The product's name as its window captions and message boxes show it.
inline constexpr const char* kAppTitle = "Brindle Quillon Pro";
// Where the messages about a missing built-in browser send the user.
inline constexpr const char* kBrowserMakerAddress = "https://browser.example.org/download/";

}  // namespace quillon
