#include "publish/ui/input_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TInputForm::TInputForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TInputForm");
  auto* v = new QVBoxLayout(this);
  Prompt = named(new QLabel(this), "Prompt");
  Input = named(new QLineEdit(this), "Input", "Answer");
  Prompt->setBuddy(Input);
  v->addWidget(Prompt);
  v->addWidget(Input);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = named(new QPushButton("&Ok", this), "ButtonOk");
  ok->setDefault(true);
  auto* cancel = named(new QPushButton("&Cancel", this), "ButtonCancel");
  row->addWidget(ok);
  row->addWidget(cancel);
  v->addLayout(row);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TInputForm::prepare(const std::string& caption, const std::string& prompt) {
  setWindowTitle(toQString(caption));
  Prompt->setText(toQString(prompt));
  Input->setAccessibleName(Prompt->text().isEmpty() ? QString("Answer") : Prompt->text());
  Input->clear();
  Input->setFocus();
}

std::string TInputForm::text() const { return toBytes(Input->text()); }

}  // namespace quillon
