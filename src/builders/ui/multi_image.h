#pragma once

#include <QImage>
#include <string>

#include "platform/prompts.h"

namespace quillon {

// The picture the builders preview and measure: loaded by full path with Qt's image readers (the file's
// content decides the format, whatever its name says), and saved as a Windows bitmap. A preview never
// holds more than about kMaxPicturePixels: a large JPEG is decoded at a reduced size, another large image is
// shown as a plain panel of its shape; width() and height() are always the file's own dimensions.
class TMultiImage {
 public:
  explicit TMultiImage(Prompts& prompts) : prompts_(prompts) {}

  void reset();
  // False, with the reader's message shown, when the file cannot be read; a missing file only clears.
  bool load(const std::string& path);
  bool saveBmp(const std::string& path);

  static constexpr long long kMaxPicturePixels = 4096LL * 4096LL;

  const QImage& picture() const { return picture_; }
  int width() const { return width_; }
  int height() const { return height_; }
  long long fileSize() const { return fileSize_; }
  // The full path in upper case after a load, "file not found" after a missing file.
  const std::string& name() const { return name_; }

 private:
  Prompts& prompts_;
  QImage picture_;
  int width_ = 0;
  int height_ = 0;
  std::string name_;
  long long fileSize_ = 0;
};

}  // namespace quillon
