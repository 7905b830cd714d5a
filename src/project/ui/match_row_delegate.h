#pragma once

#include <QStyledItemDelegate>

namespace quillon {

// Result rows of a site search, each with its match marked: the match's place in the row's text is kept in
// the item under kMatchRole (a QPoint of start and length, in characters) and drawn bold on a marked
// background; the text itself stays plain, for reading aloud and for copying.
class MatchRowDelegate : public QStyledItemDelegate {
 public:
  static constexpr int kMatchRole = Qt::UserRole + 41;
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quillon
