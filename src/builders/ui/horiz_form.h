#pragma once

#include <QDialog>

#include "builders/hand_back.h"
#include "builders/horizontal_rule.h"

class QCheckBox;
class QComboBox;
class QRadioButton;
class QSpinBox;

namespace quillon {

class RuleSampleView;

// "POWER Horizontal Line Tag": width in percent or pixels, thickness, alignment and shading, with a
// half-scale sample of the rule.
class TFormHoriz : public QDialog {
  Q_OBJECT
 public:
  TFormHoriz(Clipboard& clipboard, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  HorizontalRuleRecord record() const;

 private:
  void widthModeClick();
  void redrawSample();

  Clipboard& clipboard_;
  BuilderHandBack handBack_;
  QRadioButton* RadioPercent = nullptr;
  QRadioButton* RadioPixels = nullptr;
  QSpinBox* SpinPercent = nullptr;
  QSpinBox* SpinPixels = nullptr;
  QSpinBox* SpinThick = nullptr;
  QComboBox* ComboAlign = nullptr;
  QCheckBox* CheckNoShade = nullptr;
  RuleSampleView* sample_ = nullptr;
};

}  // namespace quillon
