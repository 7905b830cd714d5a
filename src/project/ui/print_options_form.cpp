#include "project/ui/print_options_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/ui/named.h"

namespace quillon {

TFormPrintOptions::TFormPrintOptions(bool documentOpen, bool projectOpen, QWidget* parent) : QDialog(parent) {
  setObjectName("TFormPrintOptions");
  setWindowTitle("Print Options");
  auto* v = new QVBoxLayout(this);
  auto* group = new QGroupBox("Print", this);
  auto* g = new QVBoxLayout(group);
  RadioOutline = named(new QRadioButton("Project Outline Only", group), "RadioOutline");
  RadioOutlineLinks = named(new QRadioButton("Project Outline with File Links", group), "RadioOutlineLinks");
  RadioDocument = named(new QRadioButton("Currently Open HTML File", group), "RadioDocument");
  RadioDocument->setEnabled(documentOpen);
  // Without a project there is no outline to print: the open document is offered instead.
  RadioOutline->setEnabled(projectOpen);
  RadioOutlineLinks->setEnabled(projectOpen);
  (projectOpen ? RadioOutline : RadioDocument)->setChecked(true);
  for (QRadioButton* r : {RadioOutline, RadioOutlineLinks, RadioDocument}) g->addWidget(r);
  v->addWidget(group);
  CheckFileNameOnly = named(new QCheckBox("Include filename only, not entire path", this), "CheckFileNameOnly");
  v->addWidget(CheckFileNameOnly);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* print = named(new QPushButton("&Print", this), "BitBtnPrint");
  print->setDefault(true);
  auto* cancel = named(new QPushButton("&Cancel", this), "BitBtnCancel");
  buttons->addWidget(print);
  buttons->addWidget(cancel);
  v->addLayout(buttons);
  connect(print, &QPushButton::clicked, this, [this] {
    pressedPrint_ = true;
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    cancelled_ = true;
    reject();
  });
}

TFormPrintOptions::Choice TFormPrintOptions::choice() const {
  if (!pressedPrint_) return RadioOutline->isEnabled() ? Choice::Outline : Choice::Document;
  if (RadioOutline->isChecked()) return Choice::Outline;
  return RadioOutlineLinks->isChecked() ? Choice::OutlineWithLinks : Choice::Document;
}

bool TFormPrintOptions::fileNameOnly() const { return !pressedPrint_ || CheckFileNameOnly->isChecked(); }

}  // namespace quillon
