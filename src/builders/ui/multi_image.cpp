#include "builders/ui/multi_image.h"

#include <fcntl.h>
#include <unistd.h>
#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cmath>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

// The size to decode at: the image's own, or the same shape shrunk to the pixel budget.
QSize decodeSize(const QSize& full) {
  const long long pixels = static_cast<long long>(full.width()) * full.height();
  if (pixels <= TMultiImage::kMaxPicturePixels) return full;
  const double scale = std::sqrt(static_cast<double>(TMultiImage::kMaxPicturePixels) / static_cast<double>(pixels));
  return QSize(std::max(1, static_cast<int>(full.width() * scale)),
               std::max(1, static_cast<int>(full.height() * scale)));
}

}  // namespace

void TMultiImage::reset() {
  picture_ = QImage();
  width_ = height_ = 0;
  name_.clear();
  fileSize_ = 0;
}

bool TMultiImage::load(const std::string& path) {
  reset();
  // Only regular files: a pipe or a device would block the reader or never end.
  const auto size = regularFileSize(path);
  if (!size) {
    name_ = "file not found";
    return false;
  }
  const std::string_view name = fileNamePart(path);
  const size_t dot = name.rfind('.');
  const std::string kind =
      dot == std::string_view::npos || dot + 1 == name.size() ? "image" : lowerAscii(name.substr(dot + 1));
  // Opened by the path's own bytes: a name that is not UTF-8 would reach another file through a QString.
  QFile file;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) ::close(fd);
    prompts_.error("Reading " + kind + " file failed");
    return false;
  }
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  const QSize full = reader.size();
  QImage decoded;
  if (full.isValid() && !full.isEmpty()) {
    const QSize scaled = decodeSize(full);
    if (scaled != full && reader.format() != "jpeg") {
      // Only the JPEG reader shrinks while it decodes; the others would build the full picture first. An image
      // that large is measured from its header and previewed as a plain panel of its shape.
      decoded = QImage(scaled.scaled(512, 512, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)), QImage::Format_RGB32);
      decoded.fill(Qt::lightGray);
    } else if (scaled != full) {
      reader.setScaledSize(scaled);
    }
  }
  if (decoded.isNull()) decoded = reader.read();
  if (decoded.isNull()) {
    prompts_.error("Reading " + kind + " file failed");
    return false;
  }
  picture_ = std::move(decoded);
  width_ = full.isValid() && !full.isEmpty() ? full.width() : picture_.width();
  height_ = full.isValid() && !full.isEmpty() ? full.height() : picture_.height();
  name_ = upperAscii(path);
  fileSize_ = *size;
  return true;
}

bool TMultiImage::saveBmp(const std::string& path) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (picture_.isNull() || !buffer.open(QIODevice::WriteOnly) || !picture_.save(&buffer, "BMP") ||
      !writeFileAtomic(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))).ok) {
    prompts_.error("Writing bmp file failed");
    return false;
  }
  return true;
}

}  // namespace quillon
