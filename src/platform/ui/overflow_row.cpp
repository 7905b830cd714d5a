#include "platform/ui/overflow_row.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMenu>
#include <QToolButton>
#include <algorithm>

namespace quillon {

namespace {

// A control's width in the row: its preferred width, never below its minimum.
int widthOf(const QWidget* control) { return control->sizeHint().expandedTo(control->minimumSize()).width(); }

}  // namespace

OverflowRow::OverflowRow(QWidget* parent) : QWidget(parent) {
  more_ = new QToolButton(this);
  more_->setObjectName("MoreButtons");
  more_->setText(QString::fromUtf8("\u00bb"));
  more_->setToolTip("More buttons");
  more_->setAutoRaise(true);
  more_->setPopupMode(QToolButton::InstantPopup);
  more_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  menu_ = new QMenu(more_);
  more_->setMenu(menu_);
  connect(menu_, &QMenu::aboutToShow, this, [this] { fillMenu(); });
  more_->hide();
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void OverflowRow::add(QWidget* control) {
  control->setParent(this);
  items_.push_back({control, 0});
  updateGeometry();
  // A row being filled before it is shown is arranged once, when it is shown or sized.
  if (isVisible()) arrange();
}

void OverflowRow::addSpacing(int width) { items_.push_back({nullptr, width}); }

QSize OverflowRow::sizeHint() const {
  int width = kMargin * 2, height = more_->sizeHint().height();
  for (const Item& item : items_) {
    width += item.control ? widthOf(item.control) + kSpacing : item.gap;
    if (item.control) height = std::max(height, item.control->sizeHint().height());
  }
  return {width, height + kMargin * 2};
}

QSize OverflowRow::minimumSizeHint() const { return {more_->sizeHint().width() + kMargin * 2, sizeHint().height()}; }

std::vector<QWidget*> OverflowRow::hiddenControls() const {
  std::vector<QWidget*> hidden;
  for (const Item& item : items_)
    if (item.control && item.control->isHidden()) hidden.push_back(item.control);
  return hidden;
}

void OverflowRow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  arrange();
}

bool OverflowRow::event(QEvent* event) {
  // A font or style change alters every preferred width.
  // A page shown again (another tab chosen) is arranged for the width it has now.
  if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange || event->type() == QEvent::Show)
    arrange();
  return QWidget::event(event);
}

// Places the controls at their preferred widths from the left; once one would pass the right edge (less the
// "»" button's room when anything is left over), it and every later one are hidden.
void OverflowRow::arrange() {
  int total = kMargin;
  for (const Item& item : items_) total += item.control ? widthOf(item.control) + kSpacing : item.gap;
  const bool overflowing = total + kMargin > width();
  const int limit = width() - kMargin - (overflowing ? more_->sizeHint().width() + kSpacing : 0);
  const int rowHeight = height() - kMargin * 2;
  int x = kMargin;
  bool full = false;
  for (const Item& item : items_) {
    if (!item.control) {
      x += item.gap;
      continue;
    }
    const int w = widthOf(item.control);
    full = full || x + w > limit;
    item.control->setVisible(!full);
    if (full) continue;
    const int h = std::min(item.control->sizeHint().height(), rowHeight);
    item.control->setGeometry(x, kMargin + (rowHeight - h) / 2, w, h);
    x += w + kSpacing;
  }
  more_->setVisible(overflowing);
  if (overflowing) {
    const QSize hint = more_->sizeHint();
    more_->setGeometry(width() - kMargin - hint.width(), kMargin + (rowHeight - hint.height()) / 2, hint.width(),
                       std::min(hint.height(), rowHeight));
  }
}

void OverflowRow::fillMenu() {
  menu_->clear();
  for (QWidget* control : hiddenControls()) {
    auto* button = qobject_cast<QAbstractButton*>(control);
    if (!button) continue;
    const QString caption = button->text().isEmpty() ? button->toolTip() : button->text();
    QAction* action = menu_->addAction(button->icon(), caption);
    action->setEnabled(button->isEnabled());
    action->setCheckable(button->isCheckable());
    action->setChecked(button->isChecked());
    action->setToolTip(button->toolTip());
    connect(action, &QAction::triggered, button, [button] { button->click(); });
  }
}

}  // namespace quillon
