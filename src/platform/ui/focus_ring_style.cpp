#include "platform/ui/focus_ring_style.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>

namespace quillon {

namespace {

class FocusRingStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!showsRing(option)) return;
    // A frame is a scroll area's (list, tree, table, text) when its widget scrolls; plain frames and
    // panels never take the focus.
    if (element == CE_ShapedFrame && qobject_cast<const QAbstractScrollArea*>(widget))
      ring(painter, option->rect, option->palette, 2);
    else if (element == CE_PushButton)
      ring(painter, option->rect.adjusted(3, 3, -3, -3), option->palette, 1);
  }

 private:
  static bool showsRing(const QStyleOption* option) {
    return (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange);
  }
  // A ring of `width` pixels just inside `r`.
  static void ring(QPainter* painter, const QRect& r, const QPalette& palette, int width) {
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(palette.color(QPalette::Active, QPalette::Highlight), width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    const qreal half = width / 2.0;
    painter->drawRect(QRectF(r).adjusted(half, half, -half, -half));
    painter->restore();
  }
};

}  // namespace

void showFocusRings(QApplication& app) {
  if (dynamic_cast<FocusRingStyle*>(app.style())) return;
  // The proxy owns the style it draws over; a fresh one of the same kind, so the application's own is left
  // to the application to delete.
  QStyle* base = QStyleFactory::create(app.style()->name());
  QApplication::setStyle(new FocusRingStyle(base));
}

}  // namespace quillon
