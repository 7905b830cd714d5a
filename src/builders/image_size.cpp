#include "builders/image_size.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace quillon {

namespace {

uint32_t le16(std::string_view b, size_t at) {
  return static_cast<uint8_t>(b[at]) | (static_cast<uint8_t>(b[at + 1]) << 8);
}
uint32_t be16(std::string_view b, size_t at) {
  return (static_cast<uint8_t>(b[at]) << 8) | static_cast<uint8_t>(b[at + 1]);
}
uint32_t le32(std::string_view b, size_t at) { return le16(b, at) | (le16(b, at + 2) << 16); }
uint32_t be32(std::string_view b, size_t at) { return (be16(b, at) << 16) | be16(b, at + 2); }

std::optional<ImageSize> sized(ImageKind kind, long long w, long long h) {
  if (w <= 0 || h <= 0 || w > 0x7FFFFFFF || h > 0x7FFFFFFF) return std::nullopt;
  return ImageSize{kind, static_cast<int>(w), static_cast<int>(h)};
}

std::optional<ImageSize> jpeg(std::string_view b) {
  size_t at = 2;
  while (at + 1 < b.size()) {
    if (static_cast<uint8_t>(b[at]) != 0xFF) return std::nullopt;
    while (at < b.size() && static_cast<uint8_t>(b[at]) == 0xFF) ++at;  // fill bytes
    if (at >= b.size()) return std::nullopt;
    const uint8_t marker = static_cast<uint8_t>(b[at++]);
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;  // no length follows
    if (marker == 0xD9 || marker == 0xDA) return std::nullopt;           // end or scan before any frame
    if (at + 2 > b.size()) return std::nullopt;
    const uint32_t length = be16(b, at);
    if (length < 2) return std::nullopt;
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame) {
      if (at + 7 > b.size()) return std::nullopt;
      return sized(ImageKind::Jpeg, be16(b, at + 5), be16(b, at + 3));
    }
    at += length;
  }
  return std::nullopt;
}

}  // namespace

std::optional<ImageSize> measureImage(std::string_view b) {
  if (b.size() >= 10 && (b.substr(0, 6) == "GIF87a" || b.substr(0, 6) == "GIF89a"))
    return sized(ImageKind::Gif, le16(b, 6), le16(b, 8));
  if (b.size() >= 24 && b.substr(0, 8) == "\x89PNG\r\n\x1a\n" && b.substr(12, 4) == "IHDR")
    return sized(ImageKind::Png, be32(b, 16), be32(b, 20));
  if (b.size() >= 26 && b.substr(0, 2) == "BM") {
    const uint32_t header = le32(b, 14);
    if (header == 12) return sized(ImageKind::Bmp, le16(b, 18), le16(b, 20));
    if (header >= 40) {
      const auto w = static_cast<int32_t>(le32(b, 18));
      const auto h = static_cast<int32_t>(le32(b, 22));
      return sized(ImageKind::Bmp, w, std::llabs(static_cast<long long>(h)));  // negative: stored top-down
    }
    return std::nullopt;
  }
  if (b.size() >= 4 && static_cast<uint8_t>(b[0]) == 0xFF && static_cast<uint8_t>(b[1]) == 0xD8) return jpeg(b);
  return std::nullopt;
}

std::optional<ImageSize> measureImageFile(const std::string& path) {
  // The size is near the start of every format; JPEG may carry large metadata first, so read up to 1 MiB.
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::string head(1 << 20, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), f));
  std::fclose(f);
  return measureImage(head);
}

}  // namespace quillon
