#include "check/ui/check_site_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/product.h"
#include "check/ui/link_prober.h"
#include "platform/ui/background_work.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

constexpr int kPollMs = 100;

QString plural(size_t n, const char* one, const char* many) { return QString::number(n) + " " + (n == 1 ? one : many); }

}  // namespace

TFormCheckSite::TFormCheckSite(Platform& platform, Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(std::move(start)) {
  setObjectName("TFormCheckSite");
  setWindowTitle("Check Site");
  auto* v = new QVBoxLayout(this);
  auto* scope = new QGridLayout;
  RadioProject = named(new QRadioButton("Pages of the open project", this), "RadioProject");
  RadioFolder = named(new QRadioButton("Every page under the folder:", this), "RadioFolder");
  EditFolder = named(new QLineEdit(toQString(start_.folder), this), "EditFolder");
  scope->addWidget(RadioProject, 0, 0, 1, 2);
  scope->addWidget(RadioFolder, 1, 0);
  scope->addWidget(EditFolder, 1, 1);
  v->addLayout(scope);
  RadioProject->setEnabled(!start_.projectPages.empty());
  (start_.projectPages.empty() ? RadioFolder : RadioProject)->setChecked(true);

  auto* options = new QHBoxLayout;
  CheckExternal = named(new QCheckBox("Check external links", this), "CheckExternal");
  CheckExternal->setToolTip("Ask each web server whether the page linked to is there (8 at a time, 10 s each)");
  CheckExternal->setChecked(start_.external);
  SpinGoodKB = named(new QSpinBox(this), "SpinGoodKB");
  SpinHeavyKB = named(new QSpinBox(this), "SpinHeavyKB");
  for (QSpinBox* s : {SpinGoodKB, SpinHeavyKB}) {
    s->setRange(1, 1'000'000);
    s->setSuffix(" KB");
  }
  SpinGoodKB->setValue(start_.goodKB);
  SpinHeavyKB->setValue(start_.heavyKB);
  SpinGoodKB->setToolTip("A page with everything it loads up to this size is light");
  SpinHeavyKB->setToolTip("A page with everything it loads above this size is too heavy");
  SpinGoodKB->setAccessibleName("Light page budget");
  SpinHeavyKB->setAccessibleName("Heavy page budget");
  options->addWidget(CheckExternal);
  options->addStretch();
  options->addWidget(new QLabel("Light up to:", this));
  options->addWidget(SpinGoodKB);
  options->addWidget(new QLabel("Too heavy above:", this));
  options->addWidget(SpinHeavyKB);
  v->addLayout(options);

  auto* run = new QHBoxLayout;
  ButtonCheck = namedButton("&Check", "ButtonCheck", this);
  ButtonCheck->setDefault(true);
  ButtonStop = namedButton("&Stop", "ButtonStop", this);
  ButtonStop->setEnabled(false);
  ProgressBar = named(new QProgressBar(this), "ProgressBar");
  ProgressBar->setRange(0, 1);
  ProgressBar->setValue(0);
  run->addWidget(ButtonCheck);
  run->addWidget(ButtonStop);
  run->addWidget(ProgressBar, 1);
  v->addLayout(run);

  TreeResults = named(new QTreeWidget(this), "TreeResults");
  TreeResults->setColumnCount(4);
  TreeResults->setHeaderLabels({"Page", "Line", "What", "Target"});
  TreeResults->setMinimumSize(640, 280);
  TreeResults->setUniformRowHeights(true);
  TreeResults->header()->setSectionResizeMode(QHeaderView::Interactive);
  v->addWidget(TreeResults, 1);
  LabelCount = named(new QLabel(this), "LabelCount");
  LabelCount->setWordWrap(true);
  v->addWidget(LabelCount);
  auto* buttons = new QHBoxLayout;
  ButtonExportHtml = namedButton("Save as &HTML Report...", "ButtonExportHtml", this);
  ButtonExportCsv = namedButton("Save as CS&V...", "ButtonExportCsv", this);
  ButtonClose = namedButton("Close", "ButtonClose", this);
  ButtonExportHtml->setEnabled(false);
  ButtonExportCsv->setEnabled(false);
  buttons->addWidget(ButtonExportHtml);
  buttons->addWidget(ButtonExportCsv);
  buttons->addStretch();
  buttons->addWidget(ButtonClose);
  v->addLayout(buttons);

  poll_.setInterval(kPollMs);
  connect(&poll_, &QTimer::timeout, this, [this] { poll(); });
  for (QRadioButton* r : {RadioProject, RadioFolder})
    connect(r, &QRadioButton::toggled, this, [this] { scopeClick(); });
  connect(ButtonCheck, &QPushButton::clicked, this, [this] { ButtonCheckClick(); });
  connect(ButtonStop, &QPushButton::clicked, this, [this] { stopRun(); });
  connect(ButtonExportHtml, &QPushButton::clicked, this, [this] { exportReport(true); });
  connect(ButtonExportCsv, &QPushButton::clicked, this, [this] { exportReport(false); });
  connect(ButtonClose, &QPushButton::clicked, this, [this] { reject(); });
  connect(TreeResults, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const auto row = rows_.find(item);
    if (row == rows_.end() || progress_) return;
    chosen_ = row->second;
    accept();
  });
  scopeClick();
}

TFormCheckSite::~TFormCheckSite() {
  if (progress_) progress_->stop = true;
  // Closed while servers were still being asked: the results are never shown, so the wait ends here.
  if (prober_) {
    prober_->stop();
    BackgroundWork::finished();
  }
  if (worker_.joinable()) {
    worker_.join();
    BackgroundWork::finished();
  }
}

int TFormCheckSite::goodKB() const { return SpinGoodKB->value(); }
int TFormCheckSite::heavyKB() const { return SpinHeavyKB->value(); }
bool TFormCheckSite::external() const { return CheckExternal->isChecked(); }

void TFormCheckSite::reject() {
  stopRun();
  if (worker_.joinable()) {
    worker_.join();
    BackgroundWork::finished();
  }
  QDialog::reject();
}

void TFormCheckSite::scopeClick() { EditFolder->setEnabled(RadioFolder->isChecked()); }

void TFormCheckSite::stopRun() {
  if (progress_) progress_->stop = true;
  if (prober_) prober_->stop();
}

void TFormCheckSite::ButtonCheckClick() {
  if (progress_) return;
  SiteCheckRequest request;
  if (RadioProject->isChecked()) {
    request.root = start_.projectRoot;
    request.pages = start_.projectPages;
    if (request.root.empty()) {
      platform_.prompts.info("The open project has no pages in a folder to check. Choose a folder instead.");
      return;
    }
  } else {
    request.root = toBytes(EditFolder->text());
    if (!isDirectory(request.root)) {
      platform_.prompts.info("The folder \"" + request.root + "\" is not there.");
      EditFolder->setFocus();
      return;
    }
  }
  if (SpinHeavyKB->value() < SpinGoodKB->value()) SpinHeavyKB->setValue(SpinGoodKB->value());
  request.goodBytes = int64_t{SpinGoodKB->value()} * 1024;
  request.heavyBytes = int64_t{SpinHeavyKB->value()} * 1024;
  checkedRoot_ = request.root;
  TreeResults->clear();
  rows_.clear();
  findings_.clear();
  progress_ = std::make_unique<SiteCheckProgress>();
  workerDone_ = false;
  ButtonCheck->setEnabled(false);
  ButtonStop->setEnabled(true);
  ButtonExportHtml->setEnabled(false);
  ButtonExportCsv->setEnabled(false);
  LabelCount->setText("Checking the site's files...");
  BackgroundWork::started();
  worker_ = std::thread([this, request, progress = progress_.get()] {
    result_ = checkSite(request, *progress);
    workerDone_ = true;
  });
  poll_.start();
}

void TFormCheckSite::poll() {
  if (!progress_) return;
  if (prober_) {
    ProgressBar->setRange(0, static_cast<int>(std::max<size_t>(1, prober_->total())));
    ProgressBar->setValue(static_cast<int>(prober_->done()));
    return;
  }
  ProgressBar->setRange(0, static_cast<int>(std::max<size_t>(1, progress_->pagesTotal.load())));
  ProgressBar->setValue(static_cast<int>(progress_->pagesDone.load()));
  LabelCount->setText(
      QString("Reading pages: %1 of %2...").arg(progress_->pagesDone.load()).arg(progress_->pagesTotal.load()));
  if (workerDone_) localDone();
}

void TFormCheckSite::localDone() {
  worker_.join();
  BackgroundWork::finished();
  if (!result_.error.empty()) {
    poll_.stop();
    progress_.reset();
    ButtonCheck->setEnabled(true);
    ButtonStop->setEnabled(false);
    LabelCount->setText(toQString(result_.error));
    return;
  }
  if (CheckExternal->isChecked() && !result_.external.empty() && !progress_->stop) {
    prober_ = new LinkProber(this);
    connect(prober_, &LinkProber::finished, this, [this] { QTimer::singleShot(0, this, [this] { showResults(); }); });
    std::vector<std::string> urls;
    for (const ExternalUse& use : result_.external) urls.push_back(use.url);
    LabelCount->setText(
        QString("Asking the servers of %1...").arg(plural(result_.external.size(), "external link", "external links")));
    BackgroundWork::started();
    prober_->start(urls);
    return;
  }
  showResults();
}

void TFormCheckSite::showResults() {
  poll_.stop();
  const bool asked = prober_ != nullptr;
  std::map<std::string, ExternalAnswer> answers;
  if (prober_) {
    answers = prober_->answers();
    prober_->deleteLater();
    prober_ = nullptr;
    BackgroundWork::finished();
  }
  findings_ = std::move(result_.findings);
  for (Finding& f : externalFindings(result_.external, asked ? &answers : nullptr)) findings_.push_back(std::move(f));
  const bool stopped = progress_->stop;
  progress_.reset();
  ButtonCheck->setEnabled(true);
  ButtonStop->setEnabled(false);
  ProgressBar->setValue(ProgressBar->maximum());

  std::map<FindingKind, std::vector<const Finding*>> byKind;
  size_t problems = 0;
  for (const Finding& f : findings_) {
    byKind[f.kind].push_back(&f);
    problems += f.problem;
  }
  TreeResults->setUpdatesEnabled(false);
  for (const auto& [kind, list] : byKind) {
    auto* group = new QTreeWidgetItem(
        TreeResults, QStringList(toQString(std::string(kindHeading(kind))) + QString(" (%1)").arg(list.size())));
    QFont bold = group->font(0);
    bold.setBold(true);
    group->setFont(0, bold);
    group->setFirstColumnSpanned(true);
    QList<QTreeWidgetItem*> rows;
    for (const Finding* f : list) {
      auto* row = new QTreeWidgetItem(
          QStringList{toQString(f->page), QString::number(f->line), toQString(f->detail), toQString(f->target)});
      row->setToolTip(0, toQString(f->page));
      row->setToolTip(3, toQString(f->target));
      if (kind != FindingKind::Orphan) rows_[row] = Chosen{f->page, f->line};
      rows.push_back(row);
    }
    group->addChildren(rows);
    group->setExpanded(kind != FindingKind::ExternalLink && kind != FindingKind::PageWeight && list.size() <= 200);
  }
  TreeResults->setUpdatesEnabled(true);
  TreeResults->resizeColumnToContents(1);
  QString text = plural(problems, "problem", "problems") + " in " + plural(result_.pagesChecked, "page", "pages") +
                 " (" + plural(result_.filesInSite, "file", "files") + " in the site";
  if (!result_.external.empty())
    text += ", " + plural(result_.external.size(), "external link", "external links") + (asked ? " asked" : " listed");
  text += ").";
  if (stopped) text += " Stopped before the end: what was checked is shown.";
  LabelCount->setText(text);
  ButtonExportHtml->setEnabled(true);
  ButtonExportCsv->setEnabled(true);
}

void TFormCheckSite::exportReport(bool html) {
  FileDialogRequest request;
  request.mode = FileDialogRequest::Mode::Save;
  request.title = html ? "Save the Report" : "Save the Findings";
  request.filter = html ? "HTML File|*.html" : "CSV File|*.csv";
  request.fileName = html ? "site-check.html" : "site-check.csv";
  request.defaultExt = html ? "html" : "csv";
  request.confirmOverwrite = true;
  request.initialDir = checkedRoot_;
  const auto chosen = platform_.fileDialogs.choose(request);
  if (!chosen) return;
  std::string path = *chosen;
  if (path.find('.', path.rfind('/') + 1) == std::string::npos) path += "." + request.defaultExt;
  const std::string bytes = html ? findingsHtml(findings_, checkedRoot_) : findingsCsv(findings_);
  const WriteResult written = writeFileAtomic(path, bytes);
  if (!written.ok) {
    platform_.prompts.info("The report could not be saved as \"" + path + "\": " + written.error + ".");
    return;
  }
  if (html && start_.showReport &&
      platform_.prompts.message(MessageKind::Confirm, kAppTitle, "The report is saved. Show it in the browser pane?",
                                Buttons::YesNo) == Answer::Yes)
    start_.showReport(path);
}

}  // namespace quillon
