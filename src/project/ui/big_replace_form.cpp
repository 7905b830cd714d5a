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
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
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

namespace quillon {

namespace {}

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
  v->addWidget(CheckMatchCase);

  auto* scope = new QGridLayout;
  RadioProject = named(new QRadioButton("Selected Project (below)", this), "RadioProject");
  RadioFiles = named(new QRadioButton("Selected Files (below)", this), "RadioFiles");
  RadioProject->setChecked(true);
  ComboProject = named(new QComboBox(this), "ComboProject");
  ComboProject->setPlaceholderText("Select a Project");
  const std::vector<std::string> projects = listProjects(start_.projectsDir);
  for (const std::string& p : projects) addByteItem(ComboProject, p);
  ComboProject->setCurrentIndex(projectListSelection(projects, start_.openProject));
  ListBoxFiles = named(new QListWidget(this), "ListBoxFiles");
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

  ProgressBar = named(new QProgressBar(this), "ProgressBar");
  ProgressBar->hide();
  LabelStatus = named(new QLabel(this), "LabelStatus");
  v->addWidget(ProgressBar);
  v->addWidget(LabelStatus);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ButtonReplaceAll = named(new QPushButton("&Replace All", this), "ButtonReplaceAll");
  ButtonExit = named(new QPushButton("E&xit", this), "ButtonExit");
  buttons->addWidget(ButtonReplaceAll);
  buttons->addWidget(ButtonExit);
  v->addLayout(buttons);

  connect(RadioProject, &QRadioButton::toggled, this, [this] { scopeClick(); });
  connect(ButtonAddFile, &QPushButton::clicked, this, [this] { ButtonAddFileClick(); });
  connect(ButtonRemove, &QPushButton::clicked, this, [this] { delete ListBoxFiles->currentItem(); });
  connect(ButtonReplaceAll, &QPushButton::clicked, this, [this] { ButtonReplaceAllClick(); });
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

void TFormBigReplace::ButtonReplaceAllClick() {
  const std::string find = toBytes(EditFind->text());
  if (find.empty()) {
    say("Type the text to be replaced after \"Replace:\" first.");
    return;
  }
  const bool projectScope = RadioProject->isChecked();
  if (projectScope && ComboProject->currentIndex() < 0) {
    say("You must select a project from the list first.");
    return;
  }
  if (!projectScope && ListBoxFiles->count() == 0) {
    say("You must select at least one file to search first.");
    return;
  }
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "Are you sure you want to replace this text in all the selected files?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  std::vector<std::string> files;
  if (projectScope) {
    const std::string entry = comboBytes(ComboProject, ComboProject->currentIndex());
    const auto pages = projectPageFiles(start_.projectsDir, entry);
    if (!pages) {
      say("Cannot read the link file \"" + projectLinkPath(start_.projectsDir, entry) + "\" of this project.");
      return;
    }
    files = *pages;
  } else {
    for (int i = 0; i < ListBoxFiles->count(); ++i) files.push_back(itemBytes(ListBoxFiles->item(i)));
  }
  files = distinctFiles(std::move(files));
  // A file whose backup copy failed is left as it is: without its copy, the replacement could not be undone.
  std::vector<std::string> notCopied;
  if (CheckBackup->isChecked() && !backUp(files, notCopied)) return;
  SiteReplaceRun run(files, find, toBytes(EditReplace->text()), CheckMatchCase->isChecked(), notCopied);
  runReplace(run);
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
  for (QWidget* w : std::initializer_list<QWidget*>{ButtonReplaceAll, ButtonExit, ButtonAddFile, ButtonRemove})
    w->setEnabled(!on && (w == ButtonReplaceAll || w == ButtonExit || RadioFiles->isChecked()));
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
