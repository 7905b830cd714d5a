#pragma once

#include <QDialog>
#include <array>

#include "builders/hand_back.h"
#include "builders/list_tag.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace quillon {

// "Power List Tag": an ordered or unordered list of up to 500 rows, the first ten typed in entry lines
// that appear as the row count grows.
class TFormList : public QDialog {
  Q_OBJECT
 public:
  TFormList(Clipboard& clipboard, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  ListTagRecord record() const;

 private:
  void SpinEdit1Change();

  Clipboard& clipboard_;
  BuilderHandBack handBack_;
  QRadioButton* RadioUn = nullptr;
  QRadioButton* RadioOrd = nullptr;
  QSpinBox* SpinEdit1 = nullptr;
  std::array<QLineEdit*, 10> edits_ = {};
  QCheckBox* CheckIndent = nullptr;
};

}  // namespace quillon
