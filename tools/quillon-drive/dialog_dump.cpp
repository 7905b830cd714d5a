// The DIALOGDUMP line: every named control of a dialog or window, with what it holds.
#include <Qsci/qsciscintilla.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"
#include "transcript.h"
#include "widget_actions.h"

namespace quillon::drive {

namespace {

std::string str(const QString& s) { return jsonString(toBytes(s)); }
std::string flag(bool b) { return b ? "true" : "false"; }

std::string strings(const std::vector<QString>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + str(items[i]);
  return out + "]";
}

std::string numbers(const std::vector<int>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? "," : "") + std::to_string(items[i]);
  return out + "]";
}

// What the control holds, as JSON members after "kind", "enabled" and "visible".
std::string contents(QWidget* w) {
  if (auto* editor = qobject_cast<QsciScintilla*>(w)) return ",\"text\":" + jsonString(editor_bytes::text(*editor));
  if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    std::string out = ",\"text\":" + str(b->text());
    if (b->isCheckable()) out += ",\"checked\":" + flag(b->isChecked());
    return out;
  }
  if (auto* spin = qobject_cast<QSpinBox*>(w)) return ",\"value\":" + std::to_string(spin->value());
  if (auto* combo = qobject_cast<QComboBox*>(w)) {
    std::vector<QString> items;
    for (int i = 0; i < combo->count(); ++i) items.push_back(combo->itemText(i));
    std::vector<int> selected;
    if (combo->currentIndex() >= 0) selected.push_back(combo->currentIndex());
    return ",\"text\":" + str(combo->currentText()) + ",\"items\":" + strings(items) +
           ",\"selected\":" + numbers(selected);
  }
  if (auto* list = qobject_cast<QListWidget*>(w)) {
    std::vector<QString> items;
    std::vector<int> selected;
    for (int i = 0; i < list->count(); ++i) {
      items.push_back(list->item(i)->text());
      if (list->item(i)->isSelected()) selected.push_back(i);
    }
    return ",\"items\":" + strings(items) + ",\"selected\":" + numbers(selected);
  }
  if (auto* grid = qobject_cast<QTableWidget*>(w)) {
    std::string rows = "[";
    for (int r = 0; r < grid->rowCount(); ++r) {
      std::vector<QString> cells;
      for (int c = 0; c < grid->columnCount(); ++c)
        cells.push_back(grid->item(r, c) ? grid->item(r, c)->text() : QString());
      rows += (r ? "," : "") + strings(cells);
    }
    return ",\"cells\":" + rows + "]";
  }
  if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    std::string pages = "[";
    bool first = true;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
      int level = 1;
      for (auto* p = (*it)->parent(); p; p = p->parent()) ++level;
      std::string checked;
      if ((*it)->data(0, Qt::CheckStateRole).isValid())
        checked = std::string(",\"checked\":") + ((*it)->checkState(0) == Qt::Checked ? "true" : "false");
      pages += std::string(first ? "" : ",") + "{\"title\":" + str((*it)->text(0)) +
               ",\"level\":" + std::to_string(level) + checked + "}";
      first = false;
    }
    return ",\"pages\":" + pages + "]";
  }
  if (auto* tabs = qobject_cast<QTabWidget*>(w)) return ",\"tab\":" + str(tabs->tabText(tabs->currentIndex()));
  if (auto* progress = qobject_cast<QProgressBar*>(w)) return ",\"shown\":" + std::to_string(progress->value());
  if (auto* memo = qobject_cast<QPlainTextEdit*>(w)) return ",\"text\":" + str(memo->toPlainText());
  if (auto* memo = qobject_cast<QTextEdit*>(w)) return ",\"text\":" + str(memo->toPlainText());
  const QString caption = captionOf(w);
  return caption.isEmpty() && !qobject_cast<QLineEdit*>(w) ? std::string() : ",\"text\":" + str(caption);
}

}  // namespace

void writeDialogDump(QWidget& window) {
  std::string out = "{";
  bool first = true;
  for (QWidget* w : window.findChildren<QWidget*>()) {
    const QString name = w->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue;
    out += std::string(first ? "" : ",") + str(name) + ":{\"kind\":" + str(kindOf(w)) +
           ",\"enabled\":" + flag(w->isEnabled()) + ",\"visible\":" + flag(w->isVisible()) + contents(w) + "}";
    first = false;
  }
  writeLine("DIALOGDUMP " + toBytes(window.objectName()) + " " + out + "}");
}

}  // namespace quillon::drive
