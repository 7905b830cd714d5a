#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/ui/platform.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace quillon {

class SiteReplaceRun;

// "Extended Replace": one text replaced by another in every page of a project or in chosen files, each
// file rewritten on disk, optionally after copying them all to a new backup folder.
class TFormBigReplace : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string programDir;   // ends in '/'
    std::string projectsDir;  // ends in '/'
    std::string openProject;  // the open project's name, to pre-select
    std::string today;        // "10_12_1997"
  };
  TFormBigReplace(Platform& platform, Start start, QWidget* parent = nullptr);
  bool running() const { return running_; }
  // The files the runs rewrote, for the list of pages to publish.
  const std::vector<std::string>& changedFiles() const { return changed_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void scopeClick();
  void ButtonAddFileClick();
  void ButtonReplaceAllClick();
  // Runs the replace file by file, showing its progress, then says how it went.
  void runReplace(SiteReplaceRun& run);
  // Copies the files into a new backup folder; nothing (after saying why) when the folder cannot be made.
  // Files whose copy failed are returned in `notCopied`.
  bool backUp(const std::vector<std::string>& files, std::vector<std::string>& notCopied);
  void setRunning(bool on);
  void say(const std::string& text);

  Platform& platform_;
  Start start_;
  std::string lastDirectory_;
  bool running_ = false;
  std::vector<std::string> changed_;
  QLineEdit* EditFind = nullptr;
  QLineEdit* EditReplace = nullptr;
  QCheckBox* CheckMatchCase = nullptr;
  QRadioButton* RadioProject = nullptr;
  QRadioButton* RadioFiles = nullptr;
  QComboBox* ComboProject = nullptr;
  QListWidget* ListBoxFiles = nullptr;
  QPushButton* ButtonAddFile = nullptr;
  QPushButton* ButtonRemove = nullptr;
  QCheckBox* CheckBackup = nullptr;
  QLineEdit* EditBackupDir = nullptr;
  QPushButton* ButtonReplaceAll = nullptr;
  QPushButton* ButtonExit = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QLabel* LabelStatus = nullptr;
};

}  // namespace quillon
