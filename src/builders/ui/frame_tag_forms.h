#pragma once

#include <QDialog>

#include "builders/frame_tags.h"
#include "builders/hand_back.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace quillon {

// "FRAMESET Dialog": the text that was selected, wrapped in a FRAMESET with typed COLS and ROWS.
class TFormFrameSet : public QDialog {
  Q_OBJECT
 public:
  // `enclosed`: the selection the main window cut, as UTF-8.
  TFormFrameSet(Clipboard& clipboard, std::string enclosed, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }

 private:
  Clipboard& clipboard_;
  std::string enclosed_;
  BuilderHandBack handBack_;
  QLineEdit* EditCols = nullptr;
  QLineEdit* EditRows = nullptr;
};

// "FRAME Dialog": one FRAME tag.
class TFormFrameDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFormFrameDialog(Clipboard& clipboard, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  FrameTagRecord record() const;

 private:
  Clipboard& clipboard_;
  BuilderHandBack handBack_;
  QLineEdit* EditName = nullptr;
  QLineEdit* EditURL = nullptr;
  QComboBox* ComboBoxScroll = nullptr;
  QCheckBox* CheckBoxResize = nullptr;
  QCheckBox* CheckBoxBorder = nullptr;
};

}  // namespace quillon
