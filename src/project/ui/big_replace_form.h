#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/platform.h"
#include "project/replace_journal.h"
#include "project/site_find.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QPlainTextEdit;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

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
    int keepRuns = 10;        // runs kept in the undo journal
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
  void ButtonPreviewClick();
  // The files of the chosen scope; false (after saying why) when there are none to take.
  bool scopeFiles(std::vector<std::string>& files);
  bool searchRequest(std::string& find, std::vector<std::string>& files);
  // What a preview was made for: the text, its options and the files.
  std::string previewKey(const std::string& find, const std::vector<std::string>& files) const;
  // The matcher for the typed text and options; null (after saying why) when it cannot be used.
  std::shared_ptr<const SiteMatcher> typedMatcher();
  // Every match of the matcher in the files, read with the window kept alive.
  std::vector<FileFindings> findAll(const std::vector<std::string>& files, const std::shared_ptr<const SiteMatcher>& m);
  void showPreview();
  void showLinesOf(QTreeWidgetItem* item);
  // Replaces the ticked matches of the findings (all of them without a preview).
  void replaceFound(const std::vector<FileFindings>& found, const std::shared_ptr<const SiteMatcher>& matcher,
                    bool onlyTicked, bool confirmed);
  // Starts the run's undo journal; false (after saying why) when it cannot be kept.
  bool beginJournal(std::unique_ptr<ReplaceJournal>& journal);
  void endJournal(std::unique_ptr<ReplaceJournal>& journal);
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
  // The preview: what was found, for the text and options it was made with.
  std::vector<FileFindings> preview_;
  std::shared_ptr<const SiteMatcher> previewMatcher_;
  std::string previewKey_;
  std::vector<QTreeWidgetItem*> previewFiles_;                 // per file of preview_
  std::vector<std::vector<QTreeWidgetItem*>> previewMatches_;  // per file, per match
  QCheckBox* CheckRegex = nullptr;
  QCheckBox* CheckWholeWord = nullptr;
  QPushButton* ButtonPreview = nullptr;
  QTreeWidget* TreeResults = nullptr;
  QLabel* LabelCount = nullptr;
  QPlainTextEdit* MemoPreview = nullptr;
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
