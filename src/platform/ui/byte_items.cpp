#include "platform/ui/byte_items.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeWidget>
#include <QVariant>

#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

constexpr int kBytesRole = Qt::UserRole + 40;
constexpr const char* kBytesProperty = "quillonBytes";

QByteArray asArray(const std::string& bytes) { return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())); }
std::string asBytes(const QVariant& v) {
  const QByteArray a = v.toByteArray();
  return std::string(a.constData(), static_cast<size_t>(a.size()));
}

}  // namespace

QListWidgetItem* byteItem(const std::string& bytes) {
  auto* item = new QListWidgetItem(toQString(bytes));
  item->setData(kBytesRole, asArray(bytes));
  return item;
}

void addByteItem(QListWidget* list, const std::string& bytes) { list->addItem(byteItem(bytes)); }

std::string itemBytes(const QListWidgetItem* item) {
  const QVariant kept = item->data(kBytesRole);
  return kept.isValid() ? asBytes(kept) : toBytes(item->text());
}

void setItemBytes(QTreeWidgetItem* item, int column, const std::string& bytes) {
  item->setText(column, toQString(bytes));
  item->setData(column, kBytesRole, asArray(bytes));
}

std::string itemBytes(const QTreeWidgetItem* item, int column) {
  const QVariant kept = item->data(column, kBytesRole);
  return kept.isValid() ? asBytes(kept) : toBytes(item->text(column));
}

void addByteItem(QComboBox* combo, const std::string& bytes) {
  combo->addItem(toQString(bytes));
  combo->setItemData(combo->count() - 1, asArray(bytes), kBytesRole);
}

std::string comboBytes(const QComboBox* combo, int index) {
  const QVariant kept = combo->itemData(index, kBytesRole);
  return kept.isValid() ? asBytes(kept) : toBytes(combo->itemText(index));
}

void setLineBytes(QLineEdit* edit, const std::string& bytes) {
  edit->setProperty(kBytesProperty, asArray(bytes));
  edit->setText(toQString(bytes));
}

std::string lineBytes(const QLineEdit* edit) {
  const QVariant kept = edit->property(kBytesProperty);
  return kept.isValid() ? toBytesKeeping(edit->text(), asBytes(kept)) : toBytes(edit->text());
}

}  // namespace quillon
