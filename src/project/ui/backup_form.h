#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/ui/platform.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace quillon {

class BackupRun;

// "Backup Project Files": every page of a chosen project and the project's own two files copied into a
// folder the user picks, with a list of where each copy came from.
class TFormBackup : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string programDir;   // ends in '/'
    std::string projectsDir;  // ends in '/'
    std::string openProject;
    std::string today;  // "12_25_1998"
  };
  TFormBackup(Platform& platform, Start start, QWidget* parent = nullptr);

 private:
  void goToFolder(const std::string& folder);
  void chooseProject(const std::string& entry, bool fromList);
  void ButtonCreateClick();
  void ButtonBackupNowClick();
  // Copies file by file, showing its progress and asking once when a copy fails, then says how it went.
  void runBackup(BackupRun& run);
  void setStatus(const QString& text);

  Platform& platform_;
  Start start_;
  std::string project_;
  std::vector<std::string> files_;
  class FolderBrowser* browser_ = nullptr;
  QListWidget* ListBoxProjects = nullptr;
  QComboBox* DriveComboBox = nullptr;
  QListWidget* DirectoryList = nullptr;
  QLineEdit* EditBackupPath = nullptr;
  QLineEdit* EditSubDir = nullptr;
  QPushButton* ButtonCreate = nullptr;
  QPushButton* ButtonBackupNow = nullptr;
  QPushButton* ButtonClose = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QStatusBar* StatusBar = nullptr;
};

}  // namespace quillon
