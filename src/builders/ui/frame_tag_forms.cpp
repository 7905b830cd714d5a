#include "builders/ui/frame_tag_forms.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

QHBoxLayout* okCancel(QDialog* dialog, QPushButton*& ok) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  ok = named(new QPushButton("&OK", dialog), "Button1");
  ok->setDefault(true);
  auto* cancel = named(new QPushButton("&Cancel", dialog), "Button2");
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  row->addWidget(ok);
  row->addWidget(cancel);
  return row;
}

QLabel* note(QDialog* dialog) {
  auto* label = named(new QLabel("Do not type quotation marks; they are written for you.", dialog), "LabelNote");
  label->setWordWrap(true);
  return label;
}

}  // namespace

TFormFrameSet::TFormFrameSet(Clipboard& clipboard, std::string enclosed, QWidget* parent)
    : QDialog(parent), clipboard_(clipboard), enclosed_(std::move(enclosed)) {
  setObjectName("TFormFrameSet");
  setWindowTitle("FRAMESET Dialog");
  auto* v = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EditCols = named(new QLineEdit(this), "EditCols");
  EditRows = named(new QLineEdit(this), "EditRows");
  for (QLineEdit* e : {EditCols, EditRows}) e->setToolTip("(ex:  25%,50%,25%  )");
  form->addRow("COLS=", EditCols);
  form->addRow("ROWS=", EditRows);
  v->addLayout(form);
  v->addWidget(note(this));
  QPushButton* ok = nullptr;
  v->addLayout(okCancel(this, ok));
  connect(ok, &QPushButton::clicked, this, [this] {
    handBack_.post(clipboard_, framesetText(toBytes(EditCols->text()), toBytes(EditRows->text()), enclosed_));
    accept();
  });
}

TFormFrameDialog::TFormFrameDialog(Clipboard& clipboard, QWidget* parent) : QDialog(parent), clipboard_(clipboard) {
  setObjectName("TFormFrameDialog");
  setWindowTitle("FRAME Dialog");
  auto* v = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EditName = named(new QLineEdit(this), "EditName");
  EditURL = named(new QLineEdit(this), "EditURL");
  ComboBoxScroll = named(new QComboBox(this), "ComboBoxScroll");
  ComboBoxScroll->addItems({"Auto", "Yes", "No"});
  CheckBoxResize = named(new QCheckBox("No Resize", this), "CheckBoxResize");
  CheckBoxResize->setChecked(true);
  CheckBoxBorder = named(new QCheckBox("No Border", this), "CheckBoxBorder");
  form->addRow("Name", EditName);
  form->addRow("URL Source", EditURL);
  form->addRow("Scrolling:", ComboBoxScroll);
  form->addRow(CheckBoxResize);
  form->addRow(CheckBoxBorder);
  v->addLayout(form);
  v->addWidget(note(this));
  QPushButton* ok = nullptr;
  v->addLayout(okCancel(this, ok));
  connect(ok, &QPushButton::clicked, this, [this] {
    handBack_.post(clipboard_, frameTagText(record()));
    accept();
  });
}

FrameTagRecord TFormFrameDialog::record() const {
  FrameTagRecord r;
  r.name = toBytes(EditName->text());
  r.url = toBytes(EditURL->text());
  r.scrolling = toBytes(ComboBoxScroll->currentText());
  r.noResize = CheckBoxResize->isChecked();
  r.noBorder = CheckBoxBorder->isChecked();
  return r;
}

}  // namespace quillon
