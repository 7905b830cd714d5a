#include "builders/ui/list_form.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormList::TFormList(Clipboard& clipboard, QWidget* parent) : QDialog(parent), clipboard_(clipboard) {
  setObjectName("TFormList");
  setWindowTitle("Power List Tag");
  auto* v = new QVBoxLayout(this);
  auto* type = named(new QGroupBox("List Type", this), "GroupBoxType");
  auto* tl = new QHBoxLayout(type);
  RadioUn = named(new QRadioButton("Unordered", type), "RadioUn");
  RadioOrd = named(new QRadioButton("Ordered", type), "RadioOrd");
  RadioUn->setChecked(true);
  tl->addWidget(RadioUn);
  tl->addWidget(RadioOrd);
  v->addWidget(type);
  auto* rows = new QHBoxLayout;
  rows->addWidget(new QLabel("# of Rows", this));
  SpinEdit1 = named(new QSpinBox(this), "SpinEdit1");
  SpinEdit1->setRange(1, 500);
  SpinEdit1->setValue(1);
  rows->addWidget(SpinEdit1);
  rows->addStretch();
  v->addLayout(rows);
  for (size_t i = 0; i < edits_.size(); ++i) {
    edits_[i] = new QLineEdit(this);
    edits_[i]->setObjectName(QString("Edit%1").arg(i + 1));
    edits_[i]->setAccessibleName(QString("List item %1").arg(i + 1));
    v->addWidget(edits_[i]);
  }
  auto* note =
      named(new QLabel("You can enter up to 10 list items above. Just select the # of rows you want in your list, "
                       "and up to 10 data entry lines will appear. Then type in your data.",
                       this),
            "LabelNote");
  note->setWordWrap(true);
  v->addWidget(note);
  CheckIndent = named(new QCheckBox("Do NOT indent <LI> items", this), "CheckIndent");
  v->addWidget(CheckIndent);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* make = named(new QPushButton("Make List", this), "Button2");
  make->setDefault(true);
  auto* cancel = named(new QPushButton("Cancel", this), "Button1");
  buttons->addWidget(make);
  buttons->addWidget(cancel);
  v->addLayout(buttons);
  connect(SpinEdit1, &QSpinBox::valueChanged, this, [this] { SpinEdit1Change(); });
  connect(make, &QPushButton::clicked, this, [this] {
    handBack_.post(clipboard_, listTagText(record()));
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  SpinEdit1Change();
}

// The entry lines up to the row count (ten at most) show; those above keep their text, hidden.
void TFormList::SpinEdit1Change() {
  const int shown = std::min(SpinEdit1->value(), 10);
  for (size_t i = 0; i < edits_.size(); ++i) edits_[i]->setVisible(static_cast<int>(i) < shown);
  // The window grows with the entry lines, so that nothing above or below them is squashed; the wrapped note
  // needs more height at this width than the layout's plain minimum tells.
  layout()->activate();
  const int needed = layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(width()) : sizeHint().height();
  setMinimumHeight(needed);
  if (height() < needed) resize(width(), needed);
}

ListTagRecord TFormList::record() const {
  ListTagRecord r;
  r.ordered = RadioOrd->isChecked();
  r.rows = SpinEdit1->value();
  r.noIndent = CheckIndent->isChecked();
  for (size_t i = 0; i < edits_.size(); ++i) r.items[i] = toBytes(edits_[i]->text());
  return r;
}

}  // namespace quillon
