#pragma once

#include <QDialog>
#include <QPoint>
#include <QTimer>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/ui/platform.h"
#include "project/site_find.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace quillon {

// The search fields and scope every site-wide search window shares: the text, its options, and which
// files (the project's pages, a folder with a name filter, or files chosen one by one).
struct SiteSearchFields {
  QLineEdit* EditFind = nullptr;
  QCheckBox* CheckMatchCase = nullptr;
  QCheckBox* CheckWholeWord = nullptr;
  QCheckBox* CheckRegex = nullptr;
};

// "Find in Site": every match of a text or pattern across the project's pages, a folder or chosen files,
// listed by file and line as they are found; a double-click opens the page at the match.
class TFormSiteFind : public QDialog {
  Q_OBJECT
 public:
  struct Start {
    std::vector<std::string> projectPages;         // the open project's page files
    std::string folder;                            // the folder offered first
    std::map<std::string, std::string> openTexts;  // pages open with unsaved changes, as the window holds them
  };
  struct Chosen {
    std::string path;
    size_t start = 0, end = 0;  // the match's bytes in the page
  };
  TFormSiteFind(Platform& platform, Start start, QWidget* parent = nullptr);
  ~TFormSiteFind() override;

  // The match the user double-clicked, once the window has closed for it.
  const std::optional<Chosen>& chosen() const { return chosen_; }

 public slots:
  void reject() override;

 private:
  void ButtonFindClick();
  void collect();
  void finishRun();
  void showFindings(const FileFindings& f);
  void scopeClick();
  std::vector<std::string> scopeFiles(SkippedFiles& skipped);

  Platform& platform_;
  Start start_;
  std::unique_ptr<SiteFindRun> run_;
  QTimer poll_;
  SkippedFiles listed_;  // passed over while the files were gathered
  size_t matches_ = 0, files_ = 0;
  std::vector<std::string> errors_;
  std::map<const QTreeWidgetItem*, Chosen> rows_;
  std::optional<Chosen> chosen_;
  SiteSearchFields fields_;
  QRadioButton* RadioProject = nullptr;
  QRadioButton* RadioFolder = nullptr;
  QRadioButton* RadioFiles = nullptr;
  QLineEdit* EditFolder = nullptr;
  QLineEdit* EditFilter = nullptr;
  QCheckBox* CheckSubfolders = nullptr;
  QListWidget* ListBoxFiles = nullptr;
  QPushButton* ButtonAddFile = nullptr;
  QPushButton* ButtonFind = nullptr;
  QPushButton* ButtonStop = nullptr;
  QTreeWidget* TreeResults = nullptr;
  QLabel* LabelCount = nullptr;
  QPushButton* ButtonClose = nullptr;
};

// A match's place in a result row's text (bytes of UTF-8), in the characters the row shows.
QPoint markIn(const std::string& title, std::pair<size_t, size_t> mark);

}  // namespace quillon
