#include "app/ui/tips_form.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>

namespace quillon {

const std::vector<const char*>& TTipsForm::tips() {
  static const std::vector<const char*> list = {
      "Double-click a page in the site outline to open its HTML file in the editing window.",
      "Select some text and choose a tag from the Tags menu: the tag is wrapped around your selection.",
      "Alt+Enter inserts a paragraph tag and Shift+Enter a line break while you type.",
      "Turn on \"Color\" above the editing window to colour the tags of every page you open.",
      "Extended Replace changes a text in every page of a project at once, after making a backup.",
      "Keep the addresses you use most on the Snips tab and paste them with a double-click.",
      "The auto-FTP list remembers every page you save, ready for the next upload.",
      "Use the Power builders to write whole BODY, TABLE, LIST and FRAME tags from a form.",
      "Press F3 to find the next match of the text you last searched for.",
      "Site/Page Analysis tells how long a page and its images take to load over a modem.",
  };
  return list;
}

TTipsForm::TTipsForm(bool showTips, QWidget* parent)
    : QDialog(parent), random_(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())) {
  setObjectName("TTipsForm");
  setWindowTitle("Quillon Pro Tip of the Day");
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel("Did you know...", this);
  title->setObjectName("LabelTitle");
  QFont bold = title->font();
  bold.setBold(true);
  bold.setPointSize(bold.pointSize() + 4);
  title->setFont(bold);
  layout->addWidget(title);
  LabelTip = new QLabel(this);
  LabelTip->setObjectName("LabelTip");
  LabelTip->setWordWrap(true);
  LabelTip->setMinimumSize(360, 90);
  LabelTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  layout->addWidget(LabelTip, 1);
  auto* row = new QHBoxLayout;
  CheckShowTips = new QCheckBox(" &Show Tips at Startup", this);
  CheckShowTips->setObjectName("CheckShowTips");
  CheckShowTips->setChecked(showTips);
  row->addWidget(CheckShowTips);
  row->addStretch();
  auto* next = new QPushButton("&Next Tip", this);
  next->setObjectName("ButtonNextTip");
  auto* ok = new QPushButton("Ok", this);
  ok->setObjectName("ButtonOk");
  ok->setDefault(true);
  row->addWidget(next);
  row->addWidget(ok);
  layout->addLayout(row);
  connect(next, &QPushButton::clicked, this, &TTipsForm::nextTip);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  nextTip();
}

bool TTipsForm::showTips() const { return CheckShowTips->isChecked(); }

void TTipsForm::nextTip() {
  std::uniform_int_distribution<size_t> pick(0, tips().size() - 1);
  LabelTip->setText(tips()[pick(random_)]);
}

}  // namespace quillon
