#pragma once

#include <QWidget>
#include <vector>

class QMenu;
class QToolButton;

namespace quillon {

// A row of controls that never squeezes or cuts one off: each keeps its preferred width, and the buttons
// that do not fit are hidden and offered in a menu behind a "»" button at the row's end, with their icons,
// captions (or hints), enabled and checked states.
class OverflowRow : public QWidget {
  Q_OBJECT

 public:
  explicit OverflowRow(QWidget* parent);
  void add(QWidget* control);
  void addSpacing(int width);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  // The "»" button (visible only while something is hidden) and the buttons it offers.
  QToolButton* moreButton() const { return more_; }
  std::vector<QWidget*> hiddenControls() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void arrange();
  void fillMenu();

  struct Item {
    QWidget* control = nullptr;  // nullptr: a gap of `gap` pixels
    int gap = 0;
  };
  std::vector<Item> items_;
  QToolButton* more_ = nullptr;
  QMenu* menu_ = nullptr;
  static constexpr int kSpacing = 1;
  static constexpr int kMargin = 2;
};

}  // namespace quillon
