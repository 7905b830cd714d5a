#pragma once

#include <QDialog>
#include <random>

class QCheckBox;
class QLabel;

namespace quillon {

// Tip of the day: a tip picked at random on opening and on each "Next Tip".
class TTipsForm : public QDialog {
  Q_OBJECT
 public:
  explicit TTipsForm(bool showTips, QWidget* parent = nullptr);
  bool showTips() const;
  static const std::vector<const char*>& tips();

 private:
  void nextTip();

  std::mt19937 random_;
  QLabel* LabelTip = nullptr;
  QCheckBox* CheckShowTips = nullptr;
};

}  // namespace quillon
