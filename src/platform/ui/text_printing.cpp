#include "platform/ui/text_printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "platform/ui/qt_text.h"

namespace quillon {

bool printTextLines(QPrinter& printer, const std::vector<std::string>& lines, const QFont& font) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  painter.setFont(QFont(font, &printer));
  const QFontMetrics metrics(painter.font(), &printer);
  const int lineHeight = metrics.lineSpacing();
  const int tabWidth = metrics.horizontalAdvance(QString(4, ' '));
  const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
  const int pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width();
  int y = 0;
  for (const std::string& bytes : lines) {
    size_t tabs = 0;
    while (tabs < bytes.size() && bytes[tabs] == '\t') ++tabs;
    QString text = toQString(std::string_view(bytes).substr(tabs));
    text.replace('\t', "    ");
    // A line longer than the page goes on below, indented as it began, rather than off the paper.
    const int left = std::min(static_cast<int>(tabs) * tabWidth, pageWidth / 2);
    const int flags = Qt::TextWrapAnywhere | Qt::AlignLeft | Qt::AlignTop;
    const QRect needed = painter.boundingRect(QRect(left, 0, pageWidth - left, pageHeight), flags, text);
    const int height = std::max(needed.height(), lineHeight);
    if (y > 0 && y + height > pageHeight) {
      printer.newPage();
      y = 0;
    }
    painter.drawText(QRect(left, y, pageWidth - left, height), flags, text);
    y += height;
  }
  return painter.end();
}

}  // namespace quillon
