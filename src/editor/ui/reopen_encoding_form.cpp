#include "editor/ui/reopen_encoding_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/eight_bit_sets.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/qt_text.h"

namespace quillon {

TFormReopenEncoding::TFormReopenEncoding(const std::string& current, const std::string& pageName, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TFormReopenEncoding");
  setWindowTitle("Reopen with Encoding");
  auto* v = new QVBoxLayout(this);
  auto* label = named(
      new QLabel("Show " + toQString(pageName) + " in this encoding. Its bytes stay as they are until you edit it.",
                 this),
      "LabelPage");
  label->setWordWrap(true);
  v->addWidget(label);
  ListBoxEncodings = named(new QListWidget(this), "ListBoxEncodings");
  ListBoxEncodings->setAccessibleName("Encodings");
  label->setBuddy(ListBoxEncodings);
  std::vector<std::string> names{"UTF-8"};
  for (const std::string& name : eightBitSetNames()) names.push_back(name);
  names.insert(names.end(), {"UTF-16LE", "UTF-16BE"});
  for (const std::string& name : names) {
    const std::string region = name.rfind("UTF-", 0) == 0 ? "Unicode" : eightBitSetRegion(name);
    auto* item = new QListWidgetItem(toQString(name + "  (" + region + ")"), ListBoxEncodings);
    item->setData(Qt::UserRole, toQString(name));
    if (name == current) ListBoxEncodings->setCurrentItem(item);
  }
  if (!ListBoxEncodings->currentItem()) ListBoxEncodings->setCurrentRow(0);
  v->addWidget(ListBoxEncodings);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  BitBtnOK = namedButton("OK", "BitBtnOK", this);
  BitBtnOK->setDefault(true);
  BitBtnCancel = namedButton("Cancel", "BitBtnCancel", this);
  buttons->addWidget(BitBtnOK);
  buttons->addWidget(BitBtnCancel);
  v->addLayout(buttons);
  connect(BitBtnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(ListBoxEncodings, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  resize(420, 420);
}

std::string TFormReopenEncoding::chosen() const {
  const QListWidgetItem* item = ListBoxEncodings->currentItem();
  return item ? item->data(Qt::UserRole).toString().toStdString() : std::string("UTF-8");
}

}  // namespace quillon
