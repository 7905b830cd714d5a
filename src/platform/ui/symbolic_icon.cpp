#include "platform/ui/symbolic_icon.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <memory>

namespace quillon {

namespace {

class SymbolicIconEngine : public QIconEngine {
 public:
  explicit SymbolicIconEngine(QByteArray svg) : svg_(std::move(svg)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    QSvgRenderer renderer(coloured(mode));
    renderer.render(painter, rect);
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return scaledPixmap(size, mode, state, 1.0);
  }

  // `size` is in the screen's pixels already; `scale` is what the picture is marked with.
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    {
      QPainter painter(&picture);
      painter.setRenderHint(QPainter::Antialiasing);
      paint(&painter, QRect(QPoint(0, 0), picture.size()), mode, state);
    }
    picture.setDevicePixelRatio(scale);
    return picture;
  }

  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
  QIconEngine* clone() const override { return new SymbolicIconEngine(svg_); }
  QString key() const override { return QStringLiteral("quillon-symbolic"); }

 private:
  // The drawing with every filled shape in the palette's colour for the mode; the last one is kept, as
  // every button of a bar is drawn in the same colour.
  QByteArray coloured(QIcon::Mode mode) {
    const QPalette palette = QApplication::palette();
    const QColor colour = mode == QIcon::Disabled   ? palette.color(QPalette::Disabled, QPalette::ButtonText)
                          : mode == QIcon::Selected ? palette.color(QPalette::HighlightedText)
                                                    : palette.color(QPalette::ButtonText);
    if (colour == lastColour_ && !lastDrawing_.isEmpty()) return lastDrawing_;
    static const QRegularExpression fill(QStringLiteral("fill(=\"|:)#[0-9a-fA-F]{3,6}"));
    QString text = QString::fromUtf8(svg_);
    text.replace(fill, QStringLiteral("fill\\1") + colour.name());
    lastColour_ = colour;
    lastDrawing_ = text.toUtf8();
    return lastDrawing_;
  }

  QByteArray svg_;
  QColor lastColour_;
  QByteArray lastDrawing_;
};

}  // namespace

QIcon symbolicIcon(const QString& svgFile) {
  QFile file(svgFile);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray svg = file.read(1 << 20);
  if (!QSvgRenderer(svg).isValid()) return {};
  return QIcon(new SymbolicIconEngine(svg));
}

}  // namespace quillon
