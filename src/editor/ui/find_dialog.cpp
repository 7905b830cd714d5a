#include "editor/ui/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quillon {

FindDialog::FindDialog(Kind kind, QWidget* parent) : QDialog(parent) {
  const bool replace = kind == Kind::Replace;
  setObjectName(replace ? "ReplaceDialog1" : "FindDialog1");
  setWindowTitle(replace ? "Replace" : "Find");
  setModal(false);
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel("Fi&nd what:", this), 0, 0);
  EditFind = new QLineEdit(this);
  EditFind->setObjectName("EditFind");
  grid->addWidget(EditFind, 0, 1);
  int row = 1;
  if (replace) {
    grid->addWidget(new QLabel("Re&place with:", this), 1, 0);
    EditReplace = new QLineEdit(this);
    EditReplace->setObjectName("EditReplace");
    grid->addWidget(EditReplace, 1, 1);
    row = 2;
  }
  auto* whole = new QCheckBox("Match &whole word only", this);
  whole->setObjectName("CheckWholeWord");
  grid->addWidget(whole, row, 0, 1, 2);
  CheckMatchCase = new QCheckBox("Match &case", this);
  CheckMatchCase->setObjectName("CheckMatchCase");
  grid->addWidget(CheckMatchCase, row + 1, 0, 1, 2);
  if (!replace) {
    auto* direction = new QGroupBox("Direction", this);
    auto* h = new QHBoxLayout(direction);
    auto* up = new QRadioButton("&Up", direction);
    up->setObjectName("RadioUp");
    auto* down = new QRadioButton("&Down", direction);
    down->setObjectName("RadioDown");
    down->setChecked(true);
    h->addWidget(up);
    h->addWidget(down);
    grid->addWidget(direction, row + 2, 0, 1, 2);
  }
  auto* column = new QVBoxLayout;
  auto* next = new QPushButton("&Find Next", this);
  next->setObjectName("ButtonFindNext");
  next->setDefault(true);
  column->addWidget(next);
  buttons_[0] = next;
  connect(next, &QPushButton::clicked, this, &FindDialog::findNextPressed);
  if (replace) {
    auto* one = new QPushButton("&Replace", this);
    one->setObjectName("ButtonReplace");
    auto* all = new QPushButton("Replace &All", this);
    all->setObjectName("ButtonReplaceAll");
    column->addWidget(one);
    column->addWidget(all);
    buttons_[1] = one;
    buttons_[2] = all;
    connect(one, &QPushButton::clicked, this, &FindDialog::replacePressed);
    connect(all, &QPushButton::clicked, this, &FindDialog::replaceAllPressed);
  }
  auto* cancel = new QPushButton("Cancel", this);
  cancel->setObjectName("ButtonCancel");
  connect(cancel, &QPushButton::clicked, this, &QDialog::hide);
  column->addWidget(cancel);
  column->addStretch();
  grid->addLayout(column, 0, 2, row + 3, 1);
  // An empty find text is never searched: the buttons that search wait for some text.
  connect(EditFind, &QLineEdit::textChanged, this, &FindDialog::updateButtons);
  updateButtons();
}

void FindDialog::updateButtons() {
  for (QWidget* b : buttons_)
    if (b) b->setEnabled(!EditFind->text().isEmpty());
}

QString FindDialog::findText() const { return EditFind->text(); }
QString FindDialog::replaceText() const { return EditReplace ? EditReplace->text() : QString(); }
bool FindDialog::matchCase() const { return CheckMatchCase->isChecked(); }
void FindDialog::setFindText(const QString& text) { EditFind->setText(text); }

void FindDialog::takeKeyboard() {
  activateWindow();
  EditFind->setFocus(Qt::ActiveWindowFocusReason);
  EditFind->selectAll();
}

}  // namespace quillon
