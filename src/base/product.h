#pragma once

namespace quillon {

// The product's name as its window captions and message boxes show it.
inline constexpr const char* kAppTitle = "Brindle Quillon Pro";

}  // namespace quillon
