#include "platform/ui/text_printing.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>

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
  int y = metrics.ascent();
  for (const std::string& bytes : lines) {
    if (y + metrics.descent() > pageHeight) {
      printer.newPage();
      y = metrics.ascent();
    }
    size_t tabs = 0;
    while (tabs < bytes.size() && bytes[tabs] == '\t') ++tabs;
    QString text = toQString(std::string_view(bytes).substr(tabs));
    text.replace('\t', "    ");
    painter.drawText(static_cast<int>(tabs) * tabWidth, y, text);
    y += lineHeight;
  }
  return painter.end();
}

}  // namespace quillon
