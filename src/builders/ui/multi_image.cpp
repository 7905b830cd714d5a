#include "builders/ui/multi_image.h"

#include <QFileInfo>
#include <QImageReader>

#include "base/text_bytes.h"
#include "platform/ui/qt_text.h"

namespace quillon {

void TMultiImage::reset() {
  picture_ = QImage();
  name_.clear();
  fileSize_ = 0;
}

bool TMultiImage::load(const std::string& path) {
  reset();
  const QFileInfo info(toQString(path));
  if (!info.isFile()) {
    name_ = "file not found";
    return false;
  }
  const std::string ext = lowerAscii(info.suffix().toStdString());
  QImageReader reader(info.filePath());
  reader.setDecideFormatFromContent(true);
  picture_ = reader.read();
  if (picture_.isNull()) {
    prompts_.error("Reading " + (ext.empty() ? std::string("image") : ext) + " file failed");
    return false;
  }
  name_ = upperAscii(path);
  fileSize_ = info.size();
  return true;
}

bool TMultiImage::saveBmp(const std::string& path) {
  if (picture_.isNull() || !picture_.save(toQString(path), "BMP")) {
    prompts_.error("Writing bmp file failed");
    return false;
  }
  return true;
}

}  // namespace quillon
