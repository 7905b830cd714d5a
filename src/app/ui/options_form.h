#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/ui/options_tab.h"
#include "platform/ui/platform.h"

class QCheckBox;
class QFontComboBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace quillon {

class ProjectSession;

// The Settings dialog. Its controls show an OptionsRecord; "&Apply" writes it; the pickers for the two
// browsers, the default folder, the backup choice and the Change File Path tab act at once.
class TFormOptions : public QDialog {
  Q_OBJECT
 public:
  TFormOptions(OptionsTab tab, Platform& platform, RunSettings& settings, std::string programDir,
               std::vector<std::string> extensions, ProjectSession& project, QWidget* parent = nullptr);

  OptionsRecord record() const;

 private:
  QWidget* buildFilesTab();
  QWidget* buildTagTab();
  QWidget* buildPathTab();
  QWidget* buildBrowsersTab();
  QWidget* buildHelpersTab();
  QWidget* buildBackupTab();
  QWidget* buildFtpTab();
  QWidget* buildEditorTab();
  QPushButton* pickerRow(QFormLayout* form, QWidget* page, QLineEdit*& box, const char* boxName, const char* buttonName,
                         const char* label);
  void fill(const OptionsRecord& r);
  void paintClassLabels();
  std::optional<std::string> pickFile(const std::string& explanation, int filterIndex);
  std::optional<std::string> pickFolder(const std::string& explanation);
  void writeAtOnce(std::string RunSettings::*member, const std::string& value, QLineEdit* box);
  void Button1Click();
  void ButtonDeleteExtClick();
  void Button3Click();
  void selectNewPath();
  void changeToNewPath();

  Platform& platform_;
  RunSettings& settings_;
  OptionsRecord shown_;  // what the controls were filled with: untouched values keep their bytes
  std::string programDir_;
  ProjectSession& project_;
  std::string newPath_;

  QTabWidget* PageControl1 = nullptr;
  QListWidget* ListBoxHTMLExtensions = nullptr;
  QLineEdit* EditNewExt = nullptr;
  QLineEdit *EditTemplate = nullptr, *EditImagePath = nullptr, *EditDefaultFiles = nullptr, *EditDefaultExt = nullptr;
  QLineEdit *EditFTP = nullptr, *EditImage = nullptr, *EditMap = nullptr, *EditNet = nullptr, *EditMSIE = nullptr;
  QCheckBox *CheckDefaultFiles = nullptr, *CheckConfirm = nullptr, *CheckStrong = nullptr, *CheckEm = nullptr;
  QCheckBox *CheckFTPAuto = nullptr, *CheckFileEditSetting = nullptr, *CheckMSIEControl = nullptr;
  QRadioButton *RadioNoBackup = nullptr, *RadioPromptBack = nullptr;
  QRadioButton *RadioAutoSave = nullptr, *RadioNoSave = nullptr, *RadioTemp = nullptr;
  QSpinBox* SpinPromptBack = nullptr;
  std::array<QComboBox*, 6> colourBoxes_{};
  QFontComboBox* ComboEditorFont = nullptr;
  QSpinBox* SpinEditorSize = nullptr;
  QCheckBox* CheckLineNumbers = nullptr;
  QCheckBox* CheckColourAsYouType = nullptr;
  QCheckBox* CheckCompleteTags = nullptr;
  QCheckBox* CheckOpenInNewTab = nullptr;
  QCheckBox* CheckRestorePages = nullptr;
  QComboBox* ComboScheme = nullptr;
  QSpinBox* SpinUndoRuns = nullptr;
  std::array<QLabel*, 6> classLabels_{};
  QListWidget* ListBoxPaths = nullptr;
  QPushButton *BitBtnNewPath = nullptr, *BitBtnChangePath = nullptr;
  QLabel* LabelNewPath = nullptr;
};

}  // namespace quillon
