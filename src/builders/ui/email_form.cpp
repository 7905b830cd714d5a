#include "builders/ui/email_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/qt_text.h"

namespace quillon {

TFormEmail::TFormEmail(const std::string& address, QWidget* parent) : QDialog(parent), address_(address) {
  setObjectName("TFormEmail");
  setWindowTitle("MailTo: Tag");
  auto* v = new QVBoxLayout(this);
  v->addWidget(new QLabel("Enter E-Mail Address  ", this));
  EditAddress = new QLineEdit(toQString(address), this);
  EditAddress->setObjectName("EditAddress");
  EditAddress->setMinimumWidth(300);
  EditAddress->selectAll();  // typing replaces the remembered address
  v->addWidget(EditAddress);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("Button1");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("Button2");
  row->addWidget(ok);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(ok, &QPushButton::clicked, this, [this] {
    address_ = toBytes(EditAddress->text());
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    reject();
  });
}

}  // namespace quillon
