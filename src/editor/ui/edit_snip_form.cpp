#include "editor/ui/edit_snip_form.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormEditSnip::TFormEditSnip(const std::string& text, QWidget* parent) : QDialog(parent) {
  setObjectName("TFormEditSnip");
  setWindowTitle("Edit Entry");
  auto* v = new QVBoxLayout(this);
  EditEntry = named(new QLineEdit(toQString(text), this), "EditEntry", "Entry");
  EditEntry->setMinimumWidth(360);
  v->addWidget(EditEntry);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = named(new QPushButton("&OK", this), "ButtonOK");
  ok->setDefault(true);
  auto* cancel = named(new QPushButton("Cancel", this), "ButtonCancel");
  row->addWidget(ok);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

std::string TFormEditSnip::text() const { return toBytes(EditEntry->text()); }

}  // namespace quillon
