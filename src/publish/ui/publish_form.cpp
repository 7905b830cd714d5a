#include "publish/ui/publish_form.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "platform/ui/background_work.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "publish/site_publisher.h"

namespace quillon {

namespace {

const char* groupTitle(PublishChange change) {
  switch (change) {
    case PublishChange::New:
      return "New";
    case PublishChange::Changed:
      return "Changed";
    case PublishChange::Conflict:
      return "Changed on the server since the last publish: ticked ones are overwritten";
    case PublishChange::RemoteOnly:
      break;
  }
  return "Only on the server: ticked ones are deleted";
}

}  // namespace

TFormPublish::TFormPublish(Platform& platform, EventLoop& loop, Publisher& publisher, const PublishLogin& login,
                           Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), publisher_(publisher) {
  setObjectName("TFormPublish");
  setWindowTitle("Publish Site");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EditLocalFolder = named(new QLineEdit(toQString(start.localFolder), this), "EditLocalFolder");
  EditRemoteFolder = named(new QLineEdit(toQString(start.remoteFolder), this), "EditRemoteFolder");
  EditRemoteFolder->setToolTip(
      "A folder on the server: from the top when it starts with \"/\", else within the folder you logged in to");
  EditExclude = named(new QLineEdit(toQString(start.exclusions), this), "EditExclude");
  EditExclude->setToolTip(
      "Names never published or deleted, separated by \";\": * stands for any text, ? for one character");
  form->addRow("Local folder:", EditLocalFolder);
  form->addRow("Server folder:", EditRemoteFolder);
  form->addRow("Leave out:", EditExclude);
  layout->addLayout(form);
  ButtonCompare = namedButton("Compare", "ButtonCompare", this);
  layout->addWidget(ButtonCompare, 0, Qt::AlignLeft);
  TreeChanges = named(new QTreeWidget(this), "TreeChanges");
  TreeChanges->setHeaderHidden(true);
  TreeChanges->setMinimumSize(520, 260);
  layout->addWidget(TreeChanges, 1);
  LabelCount = named(new QLabel("Press Compare to see what would be sent.", this), "LabelCount");
  LabelCount->setWordWrap(true);
  layout->addWidget(LabelCount);
  ProgressBar = named(new QProgressBar(this), "ProgressBar");
  layout->addWidget(ProgressBar);
  auto* buttons = new QHBoxLayout;
  ButtonSend = namedButton("Send", "ButtonSend", this);
  ButtonCancel = namedButton("Cancel", "ButtonCancel", this);
  ButtonClose = namedButton("Close", "ButtonClose", this);
  buttons->addStretch(1);
  for (QPushButton* b : {ButtonSend, ButtonCancel, ButtonClose}) buttons->addWidget(b);
  layout->addLayout(buttons);
  ButtonSend->setEnabled(false);
  ButtonCancel->setEnabled(false);

  site_ = std::make_unique<SitePublisher>(loop, publisher, login, start.dataFolder);
  site_->events.compared = [this](const PublishPlan& plan) {
    setRunning(false);
    showPlan(plan);
  };
  site_->events.progress = [this](const SitePublisher::Progress& p) {
    ProgressBar->setMaximum(static_cast<int>(std::max<size_t>(p.filesTotal, 1)));
    ProgressBar->setValue(static_cast<int>(p.filesDone));
    if (p.deleting)
      LabelCount->setText("Deleting " + toQString(p.path) + " on the server");
    else if (!p.path.empty())
      LabelCount->setText(QString("Sending %1 (%2 of %3 files, %4 of %5 KB)")
                              .arg(toQString(p.path))
                              .arg(p.filesDone + 1)
                              .arg(p.filesTotal)
                              .arg((p.bytesDone + 1023) / 1024)
                              .arg((p.bytesTotal + 1023) / 1024));
  };
  site_->events.fileDone = [this](const PlannedFile& f, bool ok, const std::string&) {
    if (!ok)
      ++failedFiles_;
    else if (f.change == PublishChange::RemoteOnly)
      ++deleted_;
    else
      ++sent_;
  };
  site_->events.failed = [this](const std::string& why) { platform_.prompts.error(why); };
  site_->events.sent = [this](bool, bool cancelled) {
    setRunning(false);
    QString text = "Sent " + QString::number(sent_) + " file" + (sent_ == 1 ? "" : "s");
    if (deleted_) text += ", deleted " + QString::number(deleted_);
    if (failedFiles_) text += "; " + QString::number(failedFiles_) + " failed";
    if (cancelled) text += "; stopped before the end: publish again to send the rest";
    LabelCount->setText(text + ".");
    TreeChanges->clear();
    rows_.clear();
    ButtonSend->setEnabled(false);
  };
  connect(ButtonCompare, &QPushButton::clicked, this, [this] { ButtonCompareClick(); });
  connect(ButtonSend, &QPushButton::clicked, this, [this] { ButtonSendClick(); });
  connect(ButtonCancel, &QPushButton::clicked, this, [this] { site_->cancel(); });
  connect(ButtonClose, &QPushButton::clicked, this, [this] { reject(); });
}

TFormPublish::~TFormPublish() {
  if (running_) BackgroundWork::finished();
}

std::string TFormPublish::exclusions() const { return toBytes(EditExclude->text()); }

void TFormPublish::reject() {
  if (running_) return;  // Cancel stops a run; the window waits for its end
  QDialog::reject();
}

void TFormPublish::setRunning(bool on) {
  if (on == running_) return;
  running_ = on;
  if (on)
    BackgroundWork::started();
  else
    BackgroundWork::finished();
  ButtonCompare->setEnabled(!on);
  ButtonClose->setEnabled(!on);
  ButtonCancel->setEnabled(on);
  ButtonSend->setEnabled(!on && !rows_.empty());
}

void TFormPublish::ButtonCompareClick() {
  const std::string local = toBytes(EditLocalFolder->text());
  if (local.empty() || !isDirectory(local)) {
    platform_.prompts.info("The local folder \"" + local + "\" is not there. Choose the folder that holds your site.");
    return;
  }
  if (!publisher_.connected()) {
    platform_.prompts.info("The connection to the server is closed. Connect again on the FTP screen first.");
    return;
  }
  TreeChanges->clear();
  rows_.clear();
  LabelCount->setText("Comparing...");
  setRunning(true);
  site_->compare(local, toBytes(EditRemoteFolder->text()), exclusionPatterns(toBytes(EditExclude->text())));
}

void TFormPublish::showPlan(const PublishPlan& plan) {
  plan_ = plan;
  TreeChanges->clear();
  rows_.assign(plan.files.size(), nullptr);
  QTreeWidgetItem* group = nullptr;
  PublishChange groupChange = PublishChange::New;
  for (size_t i = 0; i < plan.files.size(); ++i) {
    const PlannedFile& f = plan.files[i];
    if (!group || f.change != groupChange) {
      group = new QTreeWidgetItem(TreeChanges, QStringList(groupTitle(f.change)));
      group->setFlags(group->flags() | Qt::ItemIsUserCheckable | Qt::ItemIsAutoTristate);
      group->setExpanded(true);
      groupChange = f.change;
    }
    QString title = toQString(f.path);
    if (!f.note.empty()) title += "  (" + toQString(f.note) + ")";
    auto* row = new QTreeWidgetItem(group, QStringList(title));
    row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
    row->setCheckState(0, f.ticked ? Qt::Checked : Qt::Unchecked);
    rows_[i] = row;
  }
  QString summary = toQString(planSummary(plan));
  if (plan.files.empty()) summary = "Nothing to send: the server has the site as it is here (" + summary + ").";
  if (!plan.deletionsAllowed) summary += " Nothing can be deleted: " + toQString(plan.noDeletionsBecause) + ".";
  for (const std::string& note : plan.notes) summary += "\n" + toQString(note);
  LabelCount->setText(summary);
  ButtonSend->setEnabled(!rows_.empty() && plan.usable);
}

void TFormPublish::ButtonSendClick() {
  PublishPlan plan = plan_;
  size_t ticked = 0, deletions = 0;
  for (size_t i = 0; i < plan.files.size(); ++i) {
    plan.files[i].ticked = rows_[i] && rows_[i]->checkState(0) == Qt::Checked;
    ticked += plan.files[i].ticked;
    deletions += plan.files[i].ticked && plan.files[i].change == PublishChange::RemoteOnly;
  }
  if (!ticked) {
    platform_.prompts.info("Nothing is ticked to send or delete.");
    return;
  }
  if (deletions > 20 && platform_.prompts.message(MessageKind::Confirm, "Publish Site",
                                                  "Delete " + std::to_string(deletions) + " files on the server?",
                                                  Buttons::YesNo) != Answer::Yes)
    return;
  sent_ = deleted_ = failedFiles_ = 0;
  ProgressBar->setValue(0);
  setRunning(true);
  site_->send(std::move(plan));
}

}  // namespace quillon
