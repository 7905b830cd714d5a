#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillon {

enum class ImageKind { Gif, Jpeg, Png, Bmp };

struct ImageSize {
  ImageKind kind;
  int width = 0;
  int height = 0;
};

// Width and height in pixels from the file's own header, whatever its name says; nothing for a file that is
// not a GIF, JPEG (any frame type, progressive included), PNG or BMP, or that ends before its size.
std::optional<ImageSize> measureImage(std::string_view bytes);
std::optional<ImageSize> measureImageFile(const std::string& path);

}  // namespace quillon
