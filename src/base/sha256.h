#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

// SHA-256 in lower-case hex.
std::string sha256Hex(std::string_view bytes);
// Of a file's bytes, read in blocks; nothing when it cannot be read.
std::optional<std::string> fileSha256(const std::string& path);

}  // namespace quillon
