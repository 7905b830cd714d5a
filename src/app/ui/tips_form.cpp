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
      "Ctrl+B opens the Power BODY builder: pick the page's colours and a background image from a form.",
      "Ctrl+T opens the Power TABLE builder: type the cells into its grid and the whole table is written for you.",
      "The image builder measures a picture for you and fills in its WIDTH and HEIGHT.",
      "Move pages up, down, in and out of groups with the Move button below the site outline.",
      "Website Project Builder turns a folder of pages into a project, taking each page's name from its TITLE.",
      "Backup copies every page of a project and its project files into a dated folder of your choice.",
      "Quillon Pro can remind you to back up a project every few times you leave it: see the Options screen.",
      "Custom tags you define yourself appear on the Custom tab of the tag panel.",
      "Right-click a snippet to edit it, or choose whether a double-click pastes it or only copies it.",
      "The Files tab lists the pages and images of any folder; double-click a picture to build its IMG tag.",
      "Preview a page in your own browser or in the built-in one, without leaving Quillon Pro.",
      "Double-click the small mode letter beside the preview buttons to choose how pages are saved for preview.",
      "Spell check skips the tags of your page and checks only the text your visitors read.",
      "Print the site outline with or without the file behind each page from the Print screen.",
      "The FTP screen remembers your servers and sends the pages you changed with one click.",
      "Change File Path repairs every link of a project when you move its pages to another folder.",
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
  LabelTip->setMargin(8);
  LabelTip->setAutoFillBackground(true);
  QPalette pale = LabelTip->palette();
  pale.setColor(QPalette::Window, QColor(255, 255, 236));
  pale.setColor(QPalette::WindowText, Qt::black);
  LabelTip->setPalette(pale);
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
