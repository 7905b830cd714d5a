#include "project/ui/site_find_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <iterator>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/background_work.h"
#include "platform/ui/byte_items.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "project/site_replace_run.h"
#include "project/ui/match_row_delegate.h"

namespace quillon {

namespace {

constexpr int kPollMs = 100;

}  // namespace

// A match's place in a row's text (bytes of UTF-8), in the characters the row shows.
QPoint markIn(const std::string& title, std::pair<size_t, size_t> mark) {
  const int start = static_cast<int>(QString::fromUtf8(title.data(), static_cast<qsizetype>(mark.first)).size());
  const int length =
      static_cast<int>(QString::fromUtf8(title.data() + mark.first, static_cast<qsizetype>(mark.second)).size());
  return QPoint(start, length);
}

namespace {

QString countText(size_t matches, size_t files, size_t searched, const SkippedFiles& skipped, bool running) {
  QString text = QString::number(matches) + (matches == 1 ? " match in " : " matches in ") + QString::number(files) +
                 (files == 1 ? " file" : " files");
  text += running ? QString(" so far (%1 searched)").arg(searched) : QString(" (%1 searched)").arg(searched);
  if (skipped.total())
    text += QString("; %1 passed over (%2 binary, %3 not regular files, %4 links out of the folder, %5 unreadable)")
                .arg(skipped.total())
                .arg(skipped.binary)
                .arg(skipped.notRegular)
                .arg(skipped.outside)
                .arg(skipped.unreadable);
  return text + ".";
}

SkippedFiles plus(SkippedFiles a, const SkippedFiles& b) {
  a.binary += b.binary;
  a.notRegular += b.notRegular;
  a.outside += b.outside;
  a.unreadable += b.unreadable;
  return a;
}

}  // namespace

TFormSiteFind::TFormSiteFind(Platform& platform, Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(std::move(start)) {
  setObjectName("TFormSiteFind");
  setWindowTitle("Find in Site");
  auto* v = new QVBoxLayout(this);
  auto* texts = new QFormLayout;
  fields_.EditFind = named(new QLineEdit(this), "EditFind");
  texts->addRow("Find:", fields_.EditFind);
  v->addLayout(texts);
  auto* options = new QHBoxLayout;
  fields_.CheckMatchCase = named(new QCheckBox("Match case", this), "CheckMatchCase");
  fields_.CheckWholeWord = named(new QCheckBox("Whole words", this), "CheckWholeWord");
  fields_.CheckRegex = named(new QCheckBox("Regular expression", this), "CheckRegex");
  fields_.CheckRegex->setToolTip("A Perl-style pattern: . any character, \\d a digit, (a|b) either, * + ? repeats");
  for (QCheckBox* c : {fields_.CheckMatchCase, fields_.CheckWholeWord, fields_.CheckRegex}) options->addWidget(c);
  options->addStretch();
  v->addLayout(options);

  auto* scope = new QGridLayout;
  RadioProject = named(new QRadioButton("Pages of the open project", this), "RadioProject");
  RadioFolder = named(new QRadioButton("Folder:", this), "RadioFolder");
  RadioFiles = named(new QRadioButton("Chosen files:", this), "RadioFiles");
  EditFolder = named(new QLineEdit(toQString(start_.folder), this), "EditFolder");
  EditFilter = named(new QLineEdit("*.htm;*.html", this), "EditFilter");
  EditFilter->setToolTip("File names to search, separated by \";\"; empty for every file");
  CheckSubfolders = named(new QCheckBox("With sub-folders", this), "CheckSubfolders");
  CheckSubfolders->setChecked(true);
  ListBoxFiles = named(new QListWidget(this), "ListBoxFiles");
  ListBoxFiles->setMaximumHeight(80);
  ButtonAddFile = namedButton("Add File...", "ButtonAddFile", this);
  scope->addWidget(RadioProject, 0, 0, 1, 3);
  scope->addWidget(RadioFolder, 1, 0);
  scope->addWidget(EditFolder, 1, 1);
  scope->addWidget(CheckSubfolders, 1, 2);
  scope->addWidget(new QLabel("Names:", this), 2, 0, Qt::AlignRight);
  scope->addWidget(EditFilter, 2, 1);
  scope->addWidget(RadioFiles, 3, 0);
  scope->addWidget(ListBoxFiles, 3, 1);
  scope->addWidget(ButtonAddFile, 3, 2, Qt::AlignTop);
  // Tab goes through the scope row by row, as it reads.
  QWidget* const readingOrder[] = {RadioProject, RadioFolder, EditFolder,   CheckSubfolders,
                                   EditFilter,   RadioFiles,  ListBoxFiles, ButtonAddFile};
  for (size_t i = 1; i < std::size(readingOrder); ++i) setTabOrder(readingOrder[i - 1], readingOrder[i]);
  v->addLayout(scope);
  (start_.projectPages.empty() ? RadioFolder : RadioProject)->setChecked(true);

  auto* run = new QHBoxLayout;
  ButtonFind = namedButton("&Find", "ButtonFind", this);
  ButtonFind->setDefault(true);
  ButtonStop = namedButton("&Stop", "ButtonStop", this);
  ButtonStop->setEnabled(false);
  run->addWidget(ButtonFind);
  run->addWidget(ButtonStop);
  run->addStretch();
  v->addLayout(run);
  TreeResults = named(new QTreeWidget(this), "TreeResults", "Matches");
  TreeResults->setHeaderHidden(true);
  TreeResults->setMinimumSize(560, 260);
  TreeResults->setUniformRowHeights(true);
  TreeResults->setItemDelegate(new MatchRowDelegate(TreeResults));
  v->addWidget(TreeResults, 1);
  LabelCount = named(new QLabel(this), "LabelCount");
  LabelCount->setWordWrap(true);
  v->addWidget(LabelCount);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  ButtonClose = namedButton("Close", "ButtonClose", this);
  buttons->addWidget(ButtonClose);
  v->addLayout(buttons);

  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, [this] { collect(); });
  for (QRadioButton* r : {RadioProject, RadioFolder, RadioFiles})
    connect(r, &QRadioButton::toggled, this, [this] { scopeClick(); });
  connect(ButtonAddFile, &QPushButton::clicked, this, [this] {
    FileDialogRequest request;
    request.title = "Open";
    request.filter = "HTML File|*.htm;*.html;*.shtml|All Files|*.*";
    if (const auto chosen = platform_.fileDialogs.choose(request)) addByteItem(ListBoxFiles, *chosen);
  });
  connect(ButtonFind, &QPushButton::clicked, this, [this] { ButtonFindClick(); });
  connect(ButtonStop, &QPushButton::clicked, this, [this] {
    if (run_) run_->stop();
  });
  connect(ButtonClose, &QPushButton::clicked, this, [this] { reject(); });
  connect(TreeResults, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const auto row = rows_.find(item);
    if (row == rows_.end() || run_) return;
    chosen_ = row->second;
    accept();
  });
  scopeClick();
}

TFormSiteFind::~TFormSiteFind() {
  if (run_) {
    run_.reset();
    BackgroundWork::finished();
  }
}

void TFormSiteFind::reject() {
  if (run_) {
    run_->stop();
    finishRun();
  }
  QDialog::reject();
}

void TFormSiteFind::scopeClick() {
  EditFolder->setEnabled(RadioFolder->isChecked());
  EditFilter->setEnabled(RadioFolder->isChecked());
  CheckSubfolders->setEnabled(RadioFolder->isChecked());
  ListBoxFiles->setEnabled(RadioFiles->isChecked());
  ButtonAddFile->setEnabled(RadioFiles->isChecked());
}

std::vector<std::string> TFormSiteFind::scopeFiles(SkippedFiles& skipped) {
  if (RadioProject->isChecked()) return distinctFiles(start_.projectPages);
  if (RadioFiles->isChecked()) {
    std::vector<std::string> files;
    for (int i = 0; i < ListBoxFiles->count(); ++i) files.push_back(itemBytes(ListBoxFiles->item(i)));
    return distinctFiles(std::move(files));
  }
  return filesInFolder(toBytes(EditFolder->text()), toBytes(EditFilter->text()), CheckSubfolders->isChecked(), skipped);
}

void TFormSiteFind::ButtonFindClick() {
  if (run_) return;
  std::string error;
  const MatchOptions options{fields_.CheckRegex->isChecked(), fields_.CheckMatchCase->isChecked(),
                             fields_.CheckWholeWord->isChecked()};
  std::shared_ptr<const SiteMatcher> matcher = SiteMatcher::make(toBytes(fields_.EditFind->text()), options, error);
  if (!matcher) {
    platform_.prompts.info(error);
    fields_.EditFind->setFocus();
    return;
  }
  if (RadioFolder->isChecked() && !isDirectory(toBytes(EditFolder->text()))) {
    platform_.prompts.info("The folder \"" + toBytes(EditFolder->text()) + "\" is not there.");
    return;
  }
  listed_ = SkippedFiles{};
  std::vector<std::string> files = scopeFiles(listed_);
  if (files.empty() && RadioProject->isChecked()) {
    platform_.prompts.info("The open project has no pages to search. Choose a folder or files instead.");
    return;
  }
  TreeResults->clear();
  rows_.clear();
  errors_.clear();
  matches_ = files_ = 0;
  run_ = std::make_unique<SiteFindRun>(std::move(files), matcher, start_.openTexts);
  ButtonFind->setEnabled(false);
  ButtonStop->setEnabled(true);
  BackgroundWork::started();
  run_->start();
  poll_.start();
  LabelCount->setText("Searching...");
}

void TFormSiteFind::showFindings(const FileFindings& f) {
  if (!f.error.empty()) errors_.push_back(f.path + ": " + f.error);
  if (f.matches.empty()) return;
  ++files_;
  matches_ += f.matches.size();
  auto* file =
      new QTreeWidgetItem(TreeResults, QStringList(toQString(f.path) + QString("  (%1)").arg(f.matches.size())));
  QFont bold = file->font(0);
  bold.setBold(true);
  file->setFont(0, bold);
  file->setToolTip(0, f.fromWindow ? "As the editing window holds it, with unsaved changes" : toQString(f.path));
  // A page with thousands of matches shows them when opened, so a large result stays quick to show.
  file->setExpanded(f.matches.size() <= 50);
  QList<QTreeWidgetItem*> children;
  children.reserve(static_cast<int>(f.matches.size()));
  for (size_t i = 0; i < f.matches.size(); ++i) {
    std::pair<size_t, size_t> mark;
    const std::string title = resultTitle(f, i, &mark);
    auto* row = new QTreeWidgetItem(QStringList(toQString(title)));
    row->setData(0, MatchRowDelegate::kMatchRole, markIn(title, mark));
    rows_[row] = Chosen{f.path, f.matches[i].start, f.matches[i].end};
    children.push_back(row);
  }
  file->addChildren(children);
}

void TFormSiteFind::collect() {
  if (!run_) return;
  bool done = false;
  std::vector<FileFindings> found = run_->take(done);
  TreeResults->setUpdatesEnabled(false);
  for (const FileFindings& f : found) showFindings(f);
  TreeResults->setUpdatesEnabled(true);
  LabelCount->setText(countText(matches_, files_, run_->filesRead(), plus(listed_, run_->skipped()), !done));
  if (done) finishRun();
}

void TFormSiteFind::finishRun() {
  poll_.stop();
  if (!run_) return;
  bool done = false;
  for (const FileFindings& f : run_->take(done)) showFindings(f);
  const size_t read = run_->filesRead(), count = run_->fileCount();
  const SkippedFiles skipped = plus(listed_, run_->skipped());
  run_.reset();
  BackgroundWork::finished();
  ButtonFind->setEnabled(true);
  ButtonStop->setEnabled(false);
  QString text = countText(matches_, files_, read, skipped, false);
  if (read < count) text += QString(" Stopped: %1 files were not searched.").arg(count - read);
  for (const std::string& e : errors_) text += "\n" + toQString(e);
  LabelCount->setText(text);
}

}  // namespace quillon
