#pragma once

#include <QDialog>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "check/site_check.h"
#include "platform/ui/platform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillon {

class LinkProber;

// "Check Site": broken links and anchors, images without alt, duplicate ids, charsets, orphans, page weight
// and, when asked, external links, for the open project's pages or every page under a folder. Results are
// grouped by kind; a double-click opens the page at the line; they can be saved as an HTML report or CSV.
class TFormCheckSite : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::vector<std::string> projectPages;
    std::string projectRoot;  // the folder holding every page of the project
    std::string folder;       // the folder offered first
    int goodKB = 500, heavyKB = 1500;
    bool external = false;
    std::function<void(const std::string& reportPath)> showReport;  // in the embedded browser
  };
  struct Chosen {
    std::string path;
    size_t line = 1;
  };
  TFormCheckSite(Platform& platform, Start start, QWidget* parent = nullptr);
  ~TFormCheckSite() override;

  const std::optional<Chosen>& chosen() const { return chosen_; }
  // The budgets and the external choice as the user left them.
  int goodKB() const;
  int heavyKB() const;
  bool external() const;

 public slots:
  void reject() override;

 private:
  void ButtonCheckClick();
  void poll();
  void localDone();
  void showResults();
  void exportReport(bool html);
  void stopRun();
  void scopeClick();

  Platform& platform_;
  Start start_;
  std::unique_ptr<SiteCheckProgress> progress_;
  std::thread worker_;
  std::atomic<bool> workerDone_{false};
  SiteCheckResult result_;
  LinkProber* prober_ = nullptr;
  std::vector<Finding> findings_;
  std::string checkedRoot_;
  QTimer poll_;
  std::map<const QTreeWidgetItem*, Chosen> rows_;
  std::optional<Chosen> chosen_;
  QRadioButton* RadioProject = nullptr;
  QRadioButton* RadioFolder = nullptr;
  QLineEdit* EditFolder = nullptr;
  QCheckBox* CheckExternal = nullptr;
  QSpinBox* SpinGoodKB = nullptr;
  QSpinBox* SpinHeavyKB = nullptr;
  QPushButton* ButtonCheck = nullptr;
  QPushButton* ButtonStop = nullptr;
  QProgressBar* ProgressBar = nullptr;
  QTreeWidget* TreeResults = nullptr;
  QLabel* LabelCount = nullptr;
  QPushButton* ButtonExportHtml = nullptr;
  QPushButton* ButtonExportCsv = nullptr;
  QPushButton* ButtonClose = nullptr;
};

}  // namespace quillon
