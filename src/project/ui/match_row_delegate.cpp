#include "project/ui/match_row_delegate.h"

#include <QApplication>
#include <QPainter>

namespace quillon {

void MatchRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QVariant mark = index.data(kMatchRole);
  if (!mark.isValid()) return QStyledItemDelegate::paint(painter, option, index);
  QStyleOptionViewItem opt = option;
  initStyleOption(&opt, index);
  const QString text = opt.text;
  opt.text.clear();
  QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);  // background, check box, selection
  QRect r = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
  r.adjust(style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1, 0, 0, 0);
  const QPoint m = mark.toPoint();
  const QString parts[3] = {text.left(m.x()), text.mid(m.x(), m.y()), text.mid(m.x() + m.y())};
  const bool selected = opt.state & QStyle::State_Selected;
  const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
  const QColor ink = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
  QFont bold = opt.font;
  bold.setBold(true);
  painter->save();
  painter->setClipRect(r);
  int x = r.left();
  for (int i = 0; i < 3; ++i) {
    const QFont& font = i == 1 ? bold : opt.font;
    const int width = QFontMetrics(font).horizontalAdvance(parts[i]);
    if (i == 1 && !selected) {
      // The match on the palette's own marking colour, softened, so that it reads in light and dark schemes.
      QColor marked = opt.palette.color(group, QPalette::Highlight);
      marked.setAlpha(70);
      painter->fillRect(QRect(x, r.top() + 1, width, r.height() - 2), marked);
    }
    painter->setFont(font);
    painter->setPen(ink);
    painter->drawText(QRect(x, r.top(), r.right() - x + 1, r.height()), Qt::AlignVCenter | Qt::AlignLeft, parts[i]);
    x += width;
    if (x > r.right()) break;
  }
  painter->restore();
}

}  // namespace quillon
