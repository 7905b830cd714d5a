#include "project/ui/new_name_form.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "platform/ui/qt_text.h"
#include "project/page_checks.h"

namespace quillon {

TFormNewName::TFormNewName(Platform& platform, QWidget* parent) : QDialog(parent), platform_(platform) {
  setObjectName("TFormNewName");
  setWindowTitle("Adding/Changing Web Pages");
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel("To add a web page to your site, it must already exist as an HTML file.", this));
  v->addWidget(new QLabel("#1  Enter/Change Title for this web page:", this));
  EditTitle = new QLineEdit(this);
  EditTitle->setObjectName("EditTitle");
  v->addWidget(EditTitle);
  v->addWidget(new QLabel("#2  Path to HTML file for this web page: ", this));
  EditLink = new QLineEdit(this);
  EditLink->setObjectName("EditLink");
  EditLink->setMinimumWidth(420);
  v->addWidget(EditLink);
  v->addWidget(new QLabel("Example:  /home/me/website/products.html", this));
  auto* row = new QHBoxLayout;
  auto* select = new QPushButton("Select/Change File", this);
  select->setObjectName("BitBtnSelectFile");
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("BitBtnOK");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("BitBtnCancel");
  row->addWidget(select);
  row->addStretch();
  row->addWidget(ok);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(select, &QPushButton::clicked, this, &TFormNewName::selectFile);
  connect(ok, &QPushButton::clicked, this, &TFormNewName::accept);
  connect(cancel, &QPushButton::clicked, this, &TFormNewName::reject);
}

void TFormNewName::prepare(const std::string& fileFilter, const std::string& startFolder, const std::string& title,
                           const std::string& link, Focus focus, bool changing, bool eightBitTitles) {
  filter_ = fileFilter;
  eightBitTitles_ = eightBitTitles;
  startFolder_ = startFolder;
  title_.clear();
  link_.clear();
  shownTitle_ = title;
  shownLink_ = changing ? link : startFolder;
  cancelled_ = false;
  EditTitle->setText(toQString(title));
  EditLink->setText(toQString(changing ? link : startFolder));
  QLineEdit* focused = changing && focus == Focus::Link ? EditLink : EditTitle;
  focused->setFocus();
  if (changing) focused->selectAll();
}

void TFormNewName::selectFile() {
  const std::string current = toBytesKeeping(EditLink->text(), shownLink_);
  FileDialogRequest request;
  request.title = "Select HTML File";
  request.filter = filter_;
  request.filterIndex = 1;
  if (fileExists(current)) {
    request.initialDir = std::string(folderPart(current));
    request.fileName = std::string(fileNamePart(current));
  } else {
    request.initialDir = startFolder_;
  }
  if (const auto chosen = platform_.fileDialogs.choose(request)) {
    shownLink_ = *chosen;  // a picked path is used by its own bytes
    EditLink->setText(toQString(*chosen));
  }
}

void TFormNewName::accept() {
  // Untouched, a title or link keeps its bytes (an 8-bit title is not rewritten as UTF-8).
  // A title typed over takes the outline's encoding: beside 8-bit titles a new one is 8-bit too (any 8-bit
  // original makes toBytesKeeping write Latin-1 where the text allows).
  const bool untouched = EditTitle->text() == toQString(shownTitle_);
  const std::string like = eightBitTitles_ && isValidUtf8(shownTitle_) ? std::string("\xFF") : shownTitle_;
  const std::string title = untouched ? shownTitle_ : toBytesKeeping(EditTitle->text(), like);
  const std::string link = toBytesKeeping(EditLink->text(), shownLink_);
  const PageCheck check = checkPage(title, link);
  if (check.focus != PageField::None) {
    platform_.prompts.info(check.message);
    (check.focus == PageField::Link ? EditLink : EditTitle)->setFocus();
    return;
  }
  title_ = title;
  link_ = link;
  QDialog::accept();
}

void TFormNewName::reject() {
  cancelled_ = true;
  QDialog::reject();
}

TFormConfirm::TFormConfirm(bool confirmOn, QWidget* parent) : QDialog(parent) {
  setObjectName("TFormConfirm");
  setWindowTitle("Confirm Delete");
  setStyleSheet("TFormConfirm { background-color: #FF0000; }");
  auto* v = new QVBoxLayout(this);
  auto* text = new QLabel("Are you sure you want to remove this file from your project?", this);
  text->setObjectName("LabelQuestion");
  v->addWidget(text);
  auto* row = new QHBoxLayout;
  auto* yes = new QPushButton("&Yes", this);
  yes->setObjectName("BitBtnYes");
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("BitBtnCancel");
  cancel->setDefault(true);
  row->addWidget(yes);
  row->addWidget(cancel);
  v->addLayout(row);
  CheckNoConfirm = new QCheckBox("Do not show this confirmation screen in the future.", this);
  CheckNoConfirm->setObjectName("CheckNoConfirm");
  CheckNoConfirm->setChecked(!confirmOn);
  v->addWidget(CheckNoConfirm);
  connect(yes, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TFormConfirm::noConfirm() const { return CheckNoConfirm->isChecked(); }

}  // namespace quillon
