#include "project/ui/backup_form.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>
#include <set>

#include "base/file_copy.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/named.h"
#include "platform/ui/pumped_pass.h"
#include "platform/ui/qt_text.h"
#include "project/backup_plan.h"
#include "project/backup_run.h"
#include "project/files_pane.h"
#include "project/project_files.h"
#include "project/site_files.h"
#include "project/ui/folder_browser.h"

namespace quillon {

namespace {
// Failures named in the closing summary; the rest are counted.
}  // namespace

TFormBackup::TFormBackup(Platform& platform, Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(std::move(start)) {
  setObjectName("TFormBackup");
  setWindowTitle("Backup Project Files");
  auto* v = new QVBoxLayout(this);
  auto* note = named(new QLabel("Nothing is restored for you: to restore a backup, copy the HTML files back to their "
                                "folders (backup-list.txt names each one's place), and the project's .out and .fil "
                                "files back into the projects directory.",
                                this),
                     "LabelNote");
  note->setWordWrap(true);
  v->addWidget(note);

  auto* one = new QGroupBox("#1  Select Project to Backup:  ", this);
  auto* oneLayout = new QVBoxLayout(one);
  ListBoxProjects = named(new QListWidget(one), "ListBoxProjects");
  oneLayout->addWidget(ListBoxProjects);
  auto* two = new QGroupBox("#2 Select Backup Location:  ", this);
  auto* twoLayout = new QVBoxLayout(two);
  DriveComboBox = named(new QComboBox(two), "DriveComboBox", "Drive");
  DirectoryList = named(new QListWidget(two), "DirectoryList", "Backup folder");
  twoLayout->addWidget(DriveComboBox);
  twoLayout->addWidget(DirectoryList);
  auto* top = new QHBoxLayout;
  top->addWidget(one);
  top->addWidget(two);
  v->addLayout(top);
  v->addWidget(new QLabel("All HTML files connected to this project will be backed up to this location:", this));
  EditBackupPath = named(new QLineEdit(this), "EditBackupPath");
  v->addWidget(EditBackupPath);

  auto* three = new QGroupBox("#3 Create New Sub-directory? ", this);
  auto* threeLayout = new QHBoxLayout(three);
  EditSubDir = named(new QLineEdit(three), "EditSubDir");
  ButtonCreate = named(new QPushButton("Create", three), "ButtonCreate");
  threeLayout->addWidget(EditSubDir);
  threeLayout->addWidget(ButtonCreate);
  auto* four = new QGroupBox("#4 Finish:  ", this);
  auto* fourLayout = new QHBoxLayout(four);
  ButtonBackupNow = named(new QPushButton("Backup NOW", four), "ButtonBackupNow");
  ButtonBackupNow->setEnabled(false);
  fourLayout->addWidget(ButtonBackupNow);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(three);
  bottom->addWidget(four);
  v->addLayout(bottom);
  ProgressBar = named(new QProgressBar(this), "ProgressBar");
  ProgressBar->hide();
  v->addWidget(ProgressBar);
  auto* closeRow = new QHBoxLayout;
  closeRow->addStretch();
  ButtonClose = named(new QPushButton("&Close", this), "ButtonClose");
  closeRow->addWidget(ButtonClose);
  v->addLayout(closeRow);
  StatusBar = named(new QStatusBar(this), "StatusBar");
  StatusBar->setSizeGripEnabled(false);
  v->addWidget(StatusBar);

  browser_ = new FolderBrowser(DriveComboBox, DirectoryList, nullptr, {}, this);
  browser_->entered = [this](const std::string& folder) {
    setLineBytes(EditBackupPath, folder);
    setStatus("Status:");
  };
  connect(EditBackupPath, &QLineEdit::textEdited, this, [this] { ButtonBackupNow->setEnabled(!project_.empty()); });
  connect(ButtonCreate, &QPushButton::clicked, this, [this] { ButtonCreateClick(); });
  connect(ButtonBackupNow, &QPushButton::clicked, this, [this] { ButtonBackupNowClick(); });
  connect(ButtonClose, &QPushButton::clicked, this, &QDialog::reject);

  const std::string backupRoot = start_.programDir + "backup/";
  goToFolder(isDirectory(backupRoot) ? backupRoot : start_.programDir);
  const std::vector<std::string> projects = listProjects(start_.projectsDir);
  for (const std::string& p : projects) addByteItem(ListBoxProjects, p);
  const int selected = projectListSelection(projects, start_.openProject);
  if (selected >= 0) {
    ListBoxProjects->setCurrentRow(selected);
    chooseProject(start_.openProject, false);
  }
  // The project follows the current row however it was chosen: mouse, keyboard or program.
  connect(ListBoxProjects, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) chooseProject(itemBytes(ListBoxProjects->item(row)), true);
  });
  connect(ListBoxProjects, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (itemBytes(item) != project_) chooseProject(itemBytes(item), true);
  });
}

void TFormBackup::setStatus(const QString& text) { StatusBar->showMessage(text); }

void TFormBackup::goToFolder(const std::string& folder) { browser_->goTo(folder); }

void TFormBackup::chooseProject(const std::string& entry, bool fromList) {
  if (fromList) setStatus("Status:");
  project_ = entry;
  ButtonBackupNow->setEnabled(!entry.empty());
  const auto pages = projectPageFiles(start_.projectsDir, entry);
  files_ = pages ? *pages : std::vector<std::string>{};
  if (!pages) platform_.prompts.info("You cannot type in a project name. You must select it from the list.");
  setLineBytes(EditSubDir, backupSubDirName(entry, start_.today));
  setLineBytes(EditBackupPath, browser_->folder());
}

void TFormBackup::ButtonCreateClick() {
  setStatus("Status:");
  const std::string name = lineBytes(EditSubDir);
  if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos) {
    platform_.prompts.info("Type the name of one new folder (without \"/\") to create it in the chosen folder.");
    return;
  }
  std::string path = browser_->folder();
  if (path.empty() || path.back() != '/') path += '/';
  path += name;
  makeDirectory(path);
  setLineBytes(EditBackupPath, path);
  EditSubDir->clear();
  goToFolder(browser_->folder());
}

void TFormBackup::ButtonBackupNowClick() {
  if (files_.empty()) {
    platform_.prompts.info("You have not selected a valid project. Please choose from the list.");
    return;
  }
  setStatus("Status:");
  std::string target = lineBytes(EditBackupPath);
  if (target.empty()) {
    platform_.prompts.info("Choose the folder to back up into, or type its path, first.");
    return;
  }
  if (target.back() != '/') {
    target += '/';
    setLineBytes(EditBackupPath, target);
  }
  const std::string link = projectLinkPath(start_.projectsDir, project_);
  const std::string outline = projectOutlinePath(start_.projectsDir, project_);
  std::vector<std::string> sources = files_;
  sources.push_back(link);
  sources.push_back(outline);
  if (const auto clash = backupLocationClash(target, sources)) {
    platform_.prompts.info(*clash);
    setStatus("Status: Nothing was copied");
    return;
  }
  BackupRun run(target, files_, link, outline);
  runBackup(run);
}

void TFormBackup::runBackup(BackupRun& run) {
  ProgressBar->setRange(0, std::max(0, static_cast<int>(run.copyCount()) - 1));
  ProgressBar->setValue(0);
  ProgressBar->show();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  PumpedPass pass;
  while (run.copying()) {
    ProgressBar->setValue(static_cast<int>(run.copiesDone()));
    setStatus("Status: Copying " + toQString(fileNamePart(run.nextCopy().source)));
    pass.pump();
    const std::string source = run.nextCopy().source;
    const WriteResult result = run.step();
    // The first failure asks whether to go on; later ones are only counted, so a full disk or a list of
    // missing pages gives one question and one summary, never a box per page.
    if (result.ok || run.failedCount() > 1) continue;
    QApplication::restoreOverrideCursor();
    if (!run.copying()) {
      platform_.prompts.info("Error copying HTML file: " + source + ". Not backed up!");
    } else if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                         "Error copying HTML file: " + source + ". Not backed up! (" + result.error +
                                             ")\r\rGo on backing up the other files? Further failures are only counted "
                                             "and listed at the end.",
                                         Buttons::YesNo) != Answer::Yes) {
      run.stop();
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  run.finish();
  QApplication::restoreOverrideCursor();
  ProgressBar->hide();
  if (run.stopped()) {
    setStatus("Status: Backup stopped");
    platform_.prompts.info(run.summary());
    return;
  }
  if (!run.projectCopied()) platform_.prompts.info("Error copying the project file. Not backed up!");
  setStatus("Status: Backup complete");
  platform_.prompts.info(run.summary());
}

}  // namespace quillon
