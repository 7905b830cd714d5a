#pragma once

#include <QImage>
#include <string>

#include "platform/prompts.h"

namespace quillon {

// The picture the builders preview and measure: loaded by full path with Qt's image readers, chosen by
// the upper-cased extension, and saved as a Windows bitmap.
class TMultiImage {
 public:
  explicit TMultiImage(Prompts& prompts) : prompts_(prompts) {}

  void reset();
  // False, with the reader's message shown, when the file cannot be read; a missing file only clears.
  bool load(const std::string& path);
  bool saveBmp(const std::string& path);

  const QImage& picture() const { return picture_; }
  int width() const { return picture_.width(); }
  int height() const { return picture_.height(); }
  long long fileSize() const { return fileSize_; }
  // The full path in upper case after a load, "file not found" after a missing file.
  const std::string& name() const { return name_; }

 private:
  Prompts& prompts_;
  QImage picture_;
  std::string name_;
  long long fileSize_ = 0;
};

}  // namespace quillon
