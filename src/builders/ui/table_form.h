#pragma once

#include <QDialog>

#include "builders/hand_back.h"
#include "builders/table_tag.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QTableWidget;

namespace quillon {

inline constexpr int kMaxTableRows = 50000;
inline constexpr int kMaxTableColumns = 100;

// "POWER Table Tag": the table's layout, an optional caption and the cells in a grid that follows the row
// and column counts; "OK -  Insert Table" hands the table back.
class TFormTable : public QDialog {
  Q_OBJECT
 public:
  TFormTable(Clipboard& clipboard, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  TableTagRecord record() const;

 private:
  QWidget* buildCaptionBox(QWidget* page);
  QWidget* buildSampler(QWidget* page);
  void SpinRowsChange();
  void SpinBorderChange();
  void BitBtn1Click();

  Clipboard& clipboard_;
  BuilderHandBack handBack_;
  QSpinBox* SpinRows = nullptr;
  QSpinBox* SpinCols = nullptr;
  QRadioButton* RadioPixels = nullptr;
  QRadioButton* RadioPercent = nullptr;
  QSpinBox* SpinPixels = nullptr;
  QSpinBox* SpinPercent = nullptr;
  QSpinBox* SpinBorder = nullptr;
  QSpinBox* SpinPad = nullptr;
  QSpinBox* SpinSpace = nullptr;
  QComboBox* ComboAlignTable = nullptr;
  QComboBox* ComboVAlign = nullptr;
  QLineEdit* EditCaption = nullptr;
  QRadioButton* RadioCapTop = nullptr;
  QRadioButton* RadioCapBot = nullptr;
  QTableWidget* Grid1 = nullptr;
  QFrame* PanelSampler = nullptr;
  QLabel* LabelSamplerHint = nullptr;
  QLabel* sampleCells_[3] = {};
};

}  // namespace quillon
