#pragma once

#include <QDialog>
#include <array>
#include <string>
#include <vector>

#include "platform/ui/platform.h"
#include "platform/ui/pumped_pass.h"
#include "project/project_model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTableWidget;
class QTreeWidget;

namespace quillon {

// "Web Page Analysis": load sizes and times of a page or a whole site, its links and images, and the
// pages that hold a text. Reads the project's files and pages; writes nothing but the image folder.
class TFormLoadSize : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::string projectsDir;  // ends in '/'
    std::string projectName;  // the open project's, empty when none
    PageTree tree;            // the open project's pages
    int selectedPage = -1;
    std::string imageDir;
    std::string preselectedFile;  // "Analyze Web Page": a file to analyse in place of the selected page's
  };
  TFormLoadSize(Platform& platform, Start start, QWidget* parent = nullptr);
  const std::string& imageDirectory() const { return imageDir_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* buildSitePage();
  QWidget* buildListsPage();
  QWidget* buildWherePage();
  void chooseProject(int index);
  void showPages(int select);
  void choosePage(int index);
  void imageDirEdited();
  void ButtonImageDirClick();
  // Runs pending events now and then; true once a stop button was pressed.
  bool stopRequested();
  void analysePageNow();
  void ButtonAnalyzePage1Click();
  void ButtonAnalyzeSite1Click();
  void listingRun(bool site);
  void ButtonFindClick();
  void printLines(const std::vector<std::string>& lines, const std::string& title);
  void ButtonPrintSiteClick();
  std::vector<std::string> listLines(const QListWidget* list) const;
  void closeDialog();

  Platform& platform_;
  Start start_;
  PageTree tree_;
  std::string projectEntry_;
  std::string pageFile_;
  std::string pageTitle_;
  std::string imageDir_;
  bool stop_ = false;
  PumpedPass pass_{&stop_};
  bool greetPreselected_ = false;
  QComboBox* ComboProject1 = nullptr;
  QComboBox* ComboProject2 = nullptr;
  QTreeWidget* Outline1 = nullptr;
  QTreeWidget* Outline2 = nullptr;
  QLineEdit* EditImageDir = nullptr;
  QTableWidget* GridSummary = nullptr;
  QListWidget* ListBoxPageSummary = nullptr;
  QLabel* LabelError = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QRadioButton* RadioLinks = nullptr;
  QRadioButton* RadioImages = nullptr;
  QRadioButton* RadioBoth = nullptr;
  QListWidget* ListBoxListing = nullptr;
  QLineEdit* EditSearch = nullptr;
  QCheckBox* CheckFileNameOnly = nullptr;
  QPushButton* ButtonFind = nullptr;
  QListWidget* ListBoxFound = nullptr;
  QLabel* LabelSite = nullptr;
  QStatusBar* StatusBar = nullptr;
};

}  // namespace quillon
