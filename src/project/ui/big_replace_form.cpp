#include "project/ui/big_replace_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <map>
#include <set>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/named.h"
#include "platform/ui/pumped_pass.h"
#include "platform/ui/qt_text.h"
#include "project/backup_plan.h"
#include "project/project_files.h"
#include "project/site_files.h"
#include "project/site_replace.h"
#include "project/site_replace_run.h"
#include "project/ui/match_row_delegate.h"
#include "project/ui/site_find_form.h"

namespace quillon {

namespace {

// "Replace "a" with "b"", as the undo command names the run.
std::string runDescription(const std::string& find, const std::string& replacement) {
  return "Replace \"" + find + "\" with \"" + replacement + "\"";
}

}  // namespace

TFormBigReplace::TFormBigReplace(Platform& platform, Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(std::move(start)) {
  setObjectName("TFormBigReplace");
  setWindowTitle("Extended Replace");
  auto* v = new QVBoxLayout(this);
  auto* texts = new QFormLayout;
  EditFind = named(new QLineEdit(this), "EditFind");
  EditReplace = named(new QLineEdit(this), "EditReplace");
  texts->addRow("Replace:", EditFind);
  texts->addRow("With:", EditReplace);
  v->addLayout(texts);
  CheckMatchCase = named(new QCheckBox("Match Case?", this), "CheckMatchCase");
  CheckWholeWord = named(new QCheckBox("Whole words", this), "CheckWholeWord");
  CheckRegex = named(new QCheckBox("Regular expression ($1 in the replacement for a group)", this), "CheckRegex");
  auto* options = new QHBoxLayout;
  for (QCheckBox* c : {CheckMatchCase, CheckWholeWord, CheckRegex}) options->addWidget(c);
  options->addStretch();
  v->addLayout(options);

  auto* scope = new QGridLayout;
  RadioProject = named(new QRadioButton("Selected Project (below)", this), "RadioProject");
  RadioFiles = named(new QRadioButton("Selected Files (below)", this), "RadioFiles");
  RadioProject->setChecked(true);
  ComboProject = named(new QComboBox(this), "ComboProject", "Project");
  ComboProject->setPlaceholderText("Select a Project");
  const std::vector<std::string> projects = listProjects(start_.projectsDir);
  for (const std::string& p : projects) addByteItem(ComboProject, p);
  ComboProject->setCurrentIndex(projectListSelection(projects, start_.openProject));
  ListBoxFiles = named(new QListWidget(this), "ListBoxFiles", "Selected files");
  ButtonAddFile = named(new QPushButton("Add File", this), "ButtonAddFile");
  ButtonRemove = named(new QPushButton("Re&move", this), "ButtonRemove");
  scope->addWidget(RadioProject, 0, 0);
  scope->addWidget(ComboProject, 1, 0);
  scope->addWidget(RadioFiles, 0, 1);
  scope->addWidget(ListBoxFiles, 1, 1, 2, 1);
  auto* fileButtons = new QHBoxLayout;
  fileButtons->addWidget(ButtonAddFile);
  fileButtons->addWidget(ButtonRemove);
  scope->addLayout(fileButtons, 3, 1);
  v->addLayout(scope);
  auto* listHint =
      named(new QLabel("Tip: a list of files you change together often can be kept as a project of its own, "
                       "and chosen above.",
                       this),
            "LabelHint");
  listHint->setWordWrap(true);
  v->addWidget(listHint);

  CheckBackup = named(new QCheckBox("Backup all files before replacing", this), "CheckBackup");
  EditBackupDir = named(new QLineEdit(toQString(start_.today), this), "EditBackupDir");
  auto* backup = new QFormLayout;
  backup->addRow(CheckBackup);
  backup->addRow("Create this new directory:", EditBackupDir);
  v->addLayout(backup);
  auto* note =
      named(new QLabel("NOTE: Files will be copied to the \\BACKUP directory in your Quillon Pro directory. A new "
                       "directory named after today's date (example: \\10_12_97) will be created unless another "
                       "is specified above.",
                       this),
            "LabelNote");
  note->setTextFormat(Qt::PlainText);
  note->setWordWrap(true);
  v->addWidget(note);

  // The preview: hidden until asked for, so the dialog is as it always was for a user who never asks.
  TreeResults = named(new QTreeWidget(this), "TreeResults");
  TreeResults->setHeaderHidden(true);
  TreeResults->setUniformRowHeights(true);
  TreeResults->setItemDelegate(new MatchRowDelegate(TreeResults));
  TreeResults->setMinimumHeight(180);
  LabelCount = named(new QLabel(this), "LabelCount");
  LabelCount->setWordWrap(true);
  MemoPreview = named(new QPlainTextEdit(this), "MemoPreview", "Lines around the match");
  MemoPreview->setReadOnly(true);
  MemoPreview->setMaximumHeight(90);
  for (QWidget* w : std::initializer_list<QWidget*>{TreeResults, LabelCount, MemoPreview}) {
    v->addWidget(w);
    w->hide();
  }
  ProgressBar = named(new QProgressBar(this), "ProgressBar");
  ProgressBar->hide();
  LabelStatus = named(new QLabel(this), "LabelStatus");
  v->addWidget(ProgressBar);
  v->addWidget(LabelStatus);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ButtonPreview = named(new QPushButton("&Preview", this), "ButtonPreview");
  ButtonPreview->setToolTip("List every match first, to untick those to leave as they are");
  ButtonReplaceAll = named(new QPushButton("&Replace All", this), "ButtonReplaceAll");
  ButtonExit = named(new QPushButton("E&xit", this), "ButtonExit");
  buttons->addWidget(ButtonPreview);
  buttons->addWidget(ButtonReplaceAll);
  buttons->addWidget(ButtonExit);
  v->addLayout(buttons);

  connect(RadioProject, &QRadioButton::toggled, this, [this] { scopeClick(); });
  connect(ButtonAddFile, &QPushButton::clicked, this, [this] { ButtonAddFileClick(); });
  connect(ButtonRemove, &QPushButton::clicked, this, [this] { delete ListBoxFiles->currentItem(); });
  connect(ButtonReplaceAll, &QPushButton::clicked, this, [this] { ButtonReplaceAllClick(); });
  connect(ButtonPreview, &QPushButton::clicked, this, [this] { ButtonPreviewClick(); });
  connect(TreeResults, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) { showLinesOf(item); });
  connect(ButtonExit, &QPushButton::clicked, this, &TFormBigReplace::reject);
  scopeClick();
}

void TFormBigReplace::scopeClick() {
  const bool files = RadioFiles->isChecked();
  ListBoxFiles->setEnabled(files);
  ButtonAddFile->setEnabled(files);
  ButtonRemove->setEnabled(files);
  ComboProject->setEnabled(!files);
}

void TFormBigReplace::ButtonAddFileClick() {
  FileDialogRequest request;
  request.title = "Open";
  request.filter = "HTML File|*.htm;*.html;*.shtml;*.sht;*.cgi;*.asp;|All Files|*.*";
  request.initialDir = lastDirectory_;
  const auto chosen = platform_.fileDialogs.choose(request);
  if (!chosen) return;
  addByteItem(ListBoxFiles, *chosen);
  lastDirectory_ = std::string(folderPart(*chosen));
}

void TFormBigReplace::say(const std::string& text) { platform_.prompts.info(text); }

bool TFormBigReplace::backUp(const std::vector<std::string>& files, std::vector<std::string>& notCopied) {
  if (EditBackupDir->text().isEmpty()) EditBackupDir->setText(toQString(start_.today));
  const std::string name = lowerAscii(toBytes(EditBackupDir->text()));
  const std::string root = start_.programDir + "backup/";
  makeDirectories(root);
  const std::string folder = root + name + "/";
  if (!validBackupFolderName(name) || !makeDirectory(folder)) {
    say("Could not create backup directory. Make sure you have provided a valid directory name (no slashes). "
        "Exiting...");
    return false;
  }
  const std::vector<BackupCopy> copies = planBackupCopies(files);
  std::set<std::string> checkedFolders;
  for (const BackupCopy& copy : copies) {
    // A file that cannot be read is passed over here and left alone by the replace as well.
    if (!copyIntoBackup(folder, copy, &checkedFolders).ok && checkOpenable(copy.source) == OpenCheck::Ok)
      notCopied.push_back(copy.source);
  }
  writeFileReplacing(folder + backupListName(copies), backupListText(copies));
  syncFileSystemOf(folder);
  return true;
}

bool TFormBigReplace::scopeFiles(std::vector<std::string>& files) {
  const bool projectScope = RadioProject->isChecked();
  if (projectScope && ComboProject->currentIndex() < 0) {
    say("You must select a project from the list first.");
    return false;
  }
  if (!projectScope && ListBoxFiles->count() == 0) {
    say("You must select at least one file to search first.");
    return false;
  }
  if (projectScope) {
    const std::string entry = comboBytes(ComboProject, ComboProject->currentIndex());
    const auto pages = projectPageFiles(start_.projectsDir, entry);
    if (!pages) {
      say("Cannot read the link file \"" + projectLinkPath(start_.projectsDir, entry) + "\" of this project.");
      return false;
    }
    files = *pages;
  } else {
    for (int i = 0; i < ListBoxFiles->count(); ++i) files.push_back(itemBytes(ListBoxFiles->item(i)));
  }
  files = distinctFiles(std::move(files));
  return true;
}

std::shared_ptr<const SiteMatcher> TFormBigReplace::typedMatcher() {
  std::string error;
  std::shared_ptr<const SiteMatcher> m =
      SiteMatcher::make(toBytes(EditFind->text()),
                        {CheckRegex->isChecked(), CheckMatchCase->isChecked(), CheckWholeWord->isChecked()}, error);
  if (!m) say(error);
  return m;
}

std::vector<FileFindings> TFormBigReplace::findAll(const std::vector<std::string>& files,
                                                   const std::shared_ptr<const SiteMatcher>& m) {
  std::vector<FileFindings> found;
  SiteFindRun run(files, m);
  setRunning(true);
  ProgressBar->setRange(0, static_cast<int>(files.size()));
  ProgressBar->show();
  LabelStatus->setText("Searching...");
  run.start();
  PumpedPass pass;
  for (bool done = false; !done;) {
    for (FileFindings& f : run.take(done)) found.push_back(std::move(f));
    ProgressBar->setValue(static_cast<int>(run.filesRead()));
    pass.pump();
    if (!done) QThread::msleep(2);
  }
  ProgressBar->hide();
  LabelStatus->clear();
  setRunning(false);
  std::string problems;
  for (const FileFindings& f : found)
    if (!f.error.empty()) problems += "\r" + f.path + ": " + f.error;
  if (!problems.empty()) say("The search did not finish in these files; what it found before is listed:" + problems);
  return found;
}

static std::string previewKeyOf(const std::string& find, bool regex, bool matchCase, bool wholeWord,
                                const std::vector<std::string>& files) {
  std::string key = find + '\0' + (regex ? '1' : '0') + (matchCase ? '1' : '0') + (wholeWord ? '1' : '0');
  for (const std::string& f : files) key += '\0' + f;
  return key;
}

// The text to find and the files of the chosen scope; false (after saying why) when either is missing.
bool TFormBigReplace::searchRequest(std::string& find, std::vector<std::string>& files) {
  find = toBytes(EditFind->text());
  if (find.empty()) {
    say("Type the text to be replaced after \"Replace:\" first.");
    return false;
  }
  return scopeFiles(files);
}

std::string TFormBigReplace::previewKey(const std::string& find, const std::vector<std::string>& files) const {
  return previewKeyOf(find, CheckRegex->isChecked(), CheckMatchCase->isChecked(), CheckWholeWord->isChecked(), files);
}

void TFormBigReplace::ButtonPreviewClick() {
  std::string find;
  std::vector<std::string> files;
  if (!searchRequest(find, files)) return;
  const auto matcher = typedMatcher();
  if (!matcher) return;
  preview_ = findAll(files, matcher);
  previewMatcher_ = matcher;
  previewKey_ = previewKey(find, files);
  showPreview();
}

void TFormBigReplace::showPreview() {
  TreeResults->setUpdatesEnabled(false);
  TreeResults->clear();
  previewFiles_.clear();
  previewMatches_.clear();
  size_t matches = 0;
  for (const FileFindings& f : preview_) {
    auto* file =
        new QTreeWidgetItem(TreeResults, QStringList(toQString(f.path) + QString("  (%1)").arg(f.matches.size())));
    file->setFlags(file->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
    file->setExpanded(f.matches.size() <= 50);
    std::vector<QTreeWidgetItem*> rows;
    QList<QTreeWidgetItem*> children;
    for (size_t i = 0; i < f.matches.size(); ++i) {
      std::pair<size_t, size_t> mark;
      const std::string title = resultTitle(f, i, &mark);
      auto* row = new QTreeWidgetItem(QStringList(toQString(title)));
      row->setData(0, MatchRowDelegate::kMatchRole, markIn(title, mark));
      row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
      row->setCheckState(0, Qt::Checked);
      rows.push_back(row);
      children.push_back(row);
    }
    file->addChildren(children);
    previewFiles_.push_back(file);
    previewMatches_.push_back(std::move(rows));
    matches += f.matches.size();
  }
  TreeResults->setUpdatesEnabled(true);
  LabelCount->setText(QString("%1 occurrences in %2 files. Untick those to leave as they are, then Replace All.")
                          .arg(matches)
                          .arg(preview_.size()));
  MemoPreview->clear();
  for (QWidget* w : std::initializer_list<QWidget*>{TreeResults, LabelCount, MemoPreview}) w->show();
}

// The line of the chosen match before and after the replacement.
void TFormBigReplace::showLinesOf(QTreeWidgetItem* item) {
  MemoPreview->clear();
  if (!item || !item->parent() || !previewMatcher_) return;
  const int file = TreeResults->indexOfTopLevelItem(item->parent());
  const int match = item->parent()->indexOfChild(item);
  if (file < 0 || match < 0 || static_cast<size_t>(file) >= preview_.size()) return;
  const FileFindings& f = preview_[static_cast<size_t>(file)];
  const auto bytes = readWholeFile(f.path);
  const auto stamp = stampOf(f.path);
  if (!bytes || !stamp || !(*stamp == f.stamp)) {
    MemoPreview->setPlainText("The file changed since the preview was made: press Preview again.");
    return;
  }
  const auto [lineStart, lineEnd] = f.lineRanges[static_cast<size_t>(match)];
  const PageMatch& m = f.matches[static_cast<size_t>(match)];
  const std::string_view page(*bytes);
  const std::string after =
      replaceMatches(page.substr(0, lineEnd), *previewMatcher_, {m}, toBytes(EditReplace->text()));
  MemoPreview->setPlainText(
      "Before:  " + toQString(fromDocumentEncoding(page.substr(lineStart, lineEnd - lineStart), f.utf8)) +
      "\nAfter:   " + toQString(fromDocumentEncoding(std::string_view(after).substr(lineStart), f.utf8)));
}

bool TFormBigReplace::beginJournal(std::unique_ptr<ReplaceJournal>& journal) {
  WriteResult began;
  journal = std::make_unique<ReplaceJournal>(ReplaceJournal::begin(
      start_.programDir, runDescription(toBytes(EditFind->text()), toBytes(EditReplace->text())), began));
  if (began.ok) return true;
  platform_.prompts.error("Nothing was replaced: the journal that lets this replace be undone cannot be written.\r" +
                          cannotWriteText(began, "undo journal"));
  journal.reset();
  return false;
}

void TFormBigReplace::endJournal(std::unique_ptr<ReplaceJournal>& journal) {
  if (!journal) return;
  journal->end();
  journal->discardIfEmpty();
  pruneReplaceJournals(start_.programDir, static_cast<size_t>(std::max(1, start_.keepRuns)));
  journal.reset();
}

void TFormBigReplace::replaceFound(const std::vector<FileFindings>& found,
                                   const std::shared_ptr<const SiteMatcher>& matcher, bool onlyTicked, bool confirmed) {
  struct Chosen {
    FileStamp stamp;
    std::vector<PageMatch> matches;
  };
  std::map<std::string, Chosen> chosen;
  std::vector<std::string> files;
  size_t count = 0;
  for (size_t i = 0; i < found.size(); ++i) {
    const FileFindings& f = found[i];
    if (f.fromWindow) continue;
    Chosen c{f.stamp, {}};
    for (size_t m = 0; m < f.matches.size(); ++m)
      if (!onlyTicked || previewMatches_[i][m]->checkState(0) == Qt::Checked) c.matches.push_back(f.matches[m]);
    if (c.matches.empty()) continue;
    count += c.matches.size();
    files.push_back(f.path);
    chosen[f.path] = std::move(c);
  }
  if (files.empty()) {
    say(onlyTicked ? "Nothing is ticked to replace." : "The text was not found in the selected files.");
    return;
  }
  if (!confirmed && platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                              "Replace " + std::to_string(count) + " occurrences in " +
                                                  std::to_string(files.size()) + " files?",
                                              Buttons::YesNo) != Answer::Yes)
    return;
  std::vector<std::string> notCopied;
  if (CheckBackup->isChecked() && !backUp(files, notCopied)) return;
  std::unique_ptr<ReplaceJournal> journal;
  if (!beginJournal(journal)) return;
  const std::string replacement = toBytes(EditReplace->text());
  ReplaceJournal* kept = journal.get();
  SiteReplaceRun run(
      files,
      [&chosen, &matcher, &replacement, kept](const std::string& path) {
        const Chosen& c = chosen.at(path);
        return replaceChosenInFile(path, c.stamp, *matcher, c.matches, replacement, kept);
      },
      notCopied);
  runReplace(run);
  endJournal(journal);
  // What was found is out of date now.
  preview_.clear();
  previewKey_.clear();
  TreeResults->clear();
  for (QWidget* w : std::initializer_list<QWidget*>{TreeResults, LabelCount, MemoPreview}) w->hide();
}

void TFormBigReplace::ButtonReplaceAllClick() {
  std::string find;
  std::vector<std::string> files;
  if (!searchRequest(find, files)) return;
  // After a preview of this very search, only its ticked matches are replaced.
  if (!previewKey_.empty() && previewKey_ == previewKey(find, files)) {
    replaceFound(preview_, previewMatcher_, true, false);
    return;
  }
  const bool matcherNeeded = CheckRegex->isChecked() || CheckWholeWord->isChecked();
  const auto matcher = matcherNeeded ? typedMatcher() : nullptr;
  if (matcherNeeded && !matcher) return;
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "Are you sure you want to replace this text in all the selected files?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  if (matcherNeeded) {
    replaceFound(findAll(files, matcher), matcher, false, true);
    return;
  }
  // A file whose backup copy failed is left as it is: without its copy, the replacement could not be undone.
  std::vector<std::string> notCopied;
  if (CheckBackup->isChecked() && !backUp(files, notCopied)) return;
  std::unique_ptr<ReplaceJournal> journal;
  if (!beginJournal(journal)) return;
  SiteReplaceRun run(files, find, toBytes(EditReplace->text()), CheckMatchCase->isChecked(), notCopied);
  run.keepJournal(journal.get());
  runReplace(run);
  endJournal(journal);
}

void TFormBigReplace::runReplace(SiteReplaceRun& run) {
  setRunning(true);
  ProgressBar->setRange(0, static_cast<int>(run.fileCount()));
  ProgressBar->setValue(0);
  ProgressBar->show();
  LabelStatus->setText("Processing...");
  PumpedPass pass;
  while (!run.done()) {
    ProgressBar->setValue(static_cast<int>(run.filesDone() + 1));
    // The window is kept alive between files, but not redrawn for each of thousands of small ones.
    pass.pump();
    run.step();
  }
  run.finish();
  changed_.insert(changed_.end(), run.changed().begin(), run.changed().end());
  setRunning(false);
  ProgressBar->hide();
  if (run.failure()) {
    LabelStatus->setText("Stopped.");
    platform_.prompts.error(cannotWriteText(*run.failure(), "page"));
    return;
  }
  LabelStatus->setText(
      run.leftAloneCount() == 0
          ? QString("Finished.")
          : QString("Finished. %1 file(s) that could not be backed up were left unchanged.").arg(run.leftAloneCount()));
  if (!run.changedMeanwhile().empty()) {
    std::string said =
        "Another program changed these files while the replace was working on them, so they were "
        "left as that program left them:";
    for (const std::string& f : run.changedMeanwhile()) said += "\r" + f;
    platform_.prompts.info(said);
  }
}

void TFormBigReplace::setRunning(bool on) {
  running_ = on;
  for (QWidget* w :
       std::initializer_list<QWidget*>{ButtonReplaceAll, ButtonPreview, ButtonExit, ButtonAddFile, ButtonRemove})
    w->setEnabled(!on && (w == ButtonReplaceAll || w == ButtonPreview || w == ButtonExit || RadioFiles->isChecked()));
  if (on)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

// The dialog stays while a run is rewriting files.
void TFormBigReplace::reject() {
  if (!running_) QDialog::reject();
}

void TFormBigReplace::closeEvent(QCloseEvent* event) {
  if (running_)
    event->ignore();
  else
    QDialog::closeEvent(event);
}

}  // namespace quillon
