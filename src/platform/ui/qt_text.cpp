#include "platform/ui/qt_text.h"

#include "base/text_bytes.h"

namespace quillon {

QString toQString(std::string_view bytes) {
  if (isValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
  return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toBytes(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::string toBytesKeeping(const QString& text, std::string_view original) {
  if (toQString(original) == text) return std::string(original);
  if (!isValidUtf8(original)) {
    bool latin1 = true;
    for (const QChar c : text) latin1 = latin1 && c.unicode() <= 0xFF;
    if (latin1) {
      const QByteArray bytes = text.toLatin1();
      return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
  }
  return toBytes(text);
}

}  // namespace quillon
