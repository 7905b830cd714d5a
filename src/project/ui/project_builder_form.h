#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "platform/ui/platform.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;

namespace quillon {

// "Website Project Builder": a new project made from existing HTML files, chosen, ordered, named and
// indented over six tabs, and written as an outline file and a link file into the projects directory.
class TFormProjectBuilder : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string projectsDir;  // ends in '/'
    std::string startFolder;
  };
  TFormProjectBuilder(Platform& platform, Start start, QWidget* parent = nullptr);
  const std::vector<std::string>& fileOrder() const { return order_; }

 public slots:
  void reject() override;

 private:
  QWidget* buildSelectPage();
  QWidget* buildOrderPage();
  QWidget* buildNamesPage();
  QWidget* buildHierarchyPage();
  QWidget* buildFinishPage();
  void goToFolder(const std::string& folder);
  void addFiles(bool all);
  void chosenChanged();
  void moveInOrder(int by);
  void loadNames();
  void tabChanged(int index);
  void showHierarchy(const std::vector<size_t>& marked);
  std::vector<size_t> markedHierarchy() const;
  void ButtonFinishClick();

  Platform& platform_;
  Start start_;
  class FolderBrowser* browser_ = nullptr;
  std::vector<std::string> chosen_;
  std::vector<std::string> order_;
  std::vector<std::string> loadedNames_;  // the names as read, in the order of the memo
  std::vector<std::string> hierarchy_;
  int lastTab_ = 0;
  QTabWidget* PageControl = nullptr;
  QComboBox* DriveComboBox = nullptr;
  QListWidget* DirectoryList = nullptr;
  QComboBox* FilterComboBox = nullptr;
  QListWidget* ListBoxDirFiles = nullptr;
  QListWidget* ListBoxChosen = nullptr;
  QListWidget* ListBoxOrder = nullptr;
  QRadioButton* RadioFileName = nullptr;
  QRadioButton* RadioTitle = nullptr;
  QPlainTextEdit* MemoNames = nullptr;
  QListWidget* ListBoxHierarchy = nullptr;
  QLineEdit* EditProjectName = nullptr;
};

}  // namespace quillon
