#pragma once

#include <QDialog>
#include <array>
#include <vector>

#include "builders/frames.h"
#include "builders/hand_back.h"
#include "platform/ui/platform.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QWidget;

namespace quillon {

class FramePanelView;
class TemplatePicture;

// "Frame Builder": a three-step wizard that divides the window into frames and collects each frame's
// data, five ready-made templates, and a page of help.
class Tformframes : public QDialog {
  Q_OBJECT
 public:
  Tformframes(Platform& platform, std::string startFolder, QWidget* parent = nullptr);
  const BuilderHandBack& handBack() const { return handBack_; }
  const FramesLayout& layout() const { return layout_; }
  int step() const { return step_; }

 private:
  struct TemplateGroup {
    QGroupBox* box = nullptr;
    QLineEdit* name = nullptr;
    QLineEdit* url = nullptr;
    QComboBox* scrolling = nullptr;
    QCheckBox* noResize = nullptr;
    QCheckBox* noBorder = nullptr;
    FrameSlot record() const;
  };

  QWidget* buildWizardPage();
  QWidget* buildTemplatePage();
  QWidget* buildHelpPage();
  TemplateGroup buildTemplateGroup(QWidget* parent, const char* colour, const char* defaultName, const char* button);

  void ButtonNextClick();
  void ButtonBackClick();
  void showStep();
  void redrawPanels();
  void Panel21Click(int main, int part);
  void selectPanel(int main, int part);
  void storeDataPanel();
  void loadDataPanel(const std::string& caption);
  void chooseTemplate(int design);
  void ButtonCreateTempFramesClick();
  std::optional<std::string> chooseFileName();
  void finish(const std::string& text);

  Platform& platform_;
  std::string startFolder_;
  BuilderHandBack handBack_;
  FramesLayout layout_;
  int step_ = 1;
  int selectedMain_ = 1;
  int selectedPart_ = 1;
  int design_ = 1;

  QTabWidget* PageControl1 = nullptr;
  QLabel* LabelStep = nullptr;
  QLabel* LabelHelp = nullptr;
  QGroupBox* GroupBoxLayout = nullptr;
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;
  QSpinBox* SpinEditStartNumber = nullptr;
  QWidget* PanelPreview = nullptr;
  std::array<QSpinBox*, 5> partSpins_ = {};
  std::vector<FramePanelView*> panels_;
  QGroupBox* GroupBoxData = nullptr;
  QLineEdit* EditName = nullptr;
  QLineEdit* EditURL = nullptr;
  QComboBox* ComboBoxScroll = nullptr;
  QCheckBox* CheckBoxResize = nullptr;
  QCheckBox* CheckBoxBorder = nullptr;
  QPushButton* ButtonBack = nullptr;
  QPushButton* ButtonNext = nullptr;
  std::array<TemplatePicture*, 5> pictures_ = {};
  QWidget* ShapeHighlight = nullptr;
  TemplateGroup yellow_;
  TemplateGroup white_;
  TemplateGroup pink_;
};

}  // namespace quillon
