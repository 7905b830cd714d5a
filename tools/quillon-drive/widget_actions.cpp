#include "widget_actions.h"

#include <Qsci/qsciscintilla.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>

#include "platform/ui/qt_text.h"

namespace quillon::drive {

QWidget* findControl(QWidget* root, const QString& name) {
  if (!root) return nullptr;
  if (root->objectName() == name) return root;
  return root->findChild<QWidget*>(name);
}

static QWidget* mouseTarget(QWidget* widget) {
  if (auto* area = qobject_cast<QAbstractScrollArea*>(widget)) return area->viewport();
  return widget;
}

std::string clickControl(QWidget* widget, bool doubleClick) {
  if (!widget->isEnabled()) return "control " + widget->objectName().toStdString() + " is disabled";
  if (auto* button = qobject_cast<QAbstractButton*>(widget); button && !doubleClick) {
    button->click();
    return {};
  }
  QWidget* target = mouseTarget(widget);
  QPoint at = target->rect().center();
  // On a list, the click lands on its current item (chosen with select).
  if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->currentIndex().isValid()) {
    view->scrollTo(view->currentIndex());
    at = view->visualRect(view->currentIndex()).center();
  }
  if (doubleClick) {
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(target, Qt::LeftButton, Qt::NoModifier, at);
  } else {
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
  }
  return {};
}

std::string setControl(QWidget* widget, const std::string& value) {
  const QString text = toQString(value);
  bool isNumber = false;
  const int number = text.toInt(&isNumber);
  if (auto* check = qobject_cast<QCheckBox*>(widget)) {
    if (value != "0" && value != "1") return "a check box takes 0 or 1";
    if (check->isChecked() != (value == "1")) check->click();
    return {};
  }
  if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
    if (value != "1") return "a radio button takes 1";
    if (!radio->isChecked()) radio->click();
    return {};
  }
  if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
    if (!isNumber) return "a spin box takes a number";
    spin->setValue(number);
    return {};
  }
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
    edit->setText(text);
    emit edit->textEdited(text);
    return {};
  }
  if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    if (combo->isEditable()) {
      combo->setEditText(text);
      return {};
    }
    if (!isNumber || number < 0 || number >= combo->count())
      return "no item " + value + " in " + widget->objectName().toStdString();
    combo->setCurrentIndex(number);
    emit combo->activated(number);
    return {};
  }
  if (auto* list = qobject_cast<QListWidget*>(widget)) return selectListItems(list, {isNumber ? number : -1});
  if (auto* plain = qobject_cast<QPlainTextEdit*>(widget)) {
    plain->setPlainText(text);
    return {};
  }
  if (auto* rich = qobject_cast<QTextEdit*>(widget)) {
    rich->setPlainText(text);
    return {};
  }
  if (auto* tabs = qobject_cast<QTabWidget*>(widget)) {
    if (!isNumber || number < 0 || number >= tabs->count()) return "no tab " + value;
    tabs->setCurrentIndex(number);
    return {};
  }
  return "control " + widget->objectName().toStdString() + " cannot be set";
}

std::string selectListItems(QWidget* widget, const std::vector<int>& rows) {
  auto* list = qobject_cast<QListWidget*>(widget);
  if (!list) return "control " + widget->objectName().toStdString() + " is not a list";
  list->clearSelection();
  for (int row : rows) {
    if (row < 0 || row >= list->count())
      return "no item " + std::to_string(row) + " in " + widget->objectName().toStdString();
    if (list->selectionMode() == QAbstractItemView::SingleSelection)
      list->setCurrentRow(row);
    else
      list->item(row)->setSelected(true);
  }
  return {};
}

std::string setGridCell(QWidget* widget, int col, int row, const std::string& text) {
  auto* grid = qobject_cast<QTableWidget*>(widget);
  if (!grid) return "control " + widget->objectName().toStdString() + " is not a grid";
  if (row < 0 || col < 0 || row >= grid->rowCount() || col >= grid->columnCount()) return "no such cell";
  auto* cell = grid->item(row, col);
  if (!cell) grid->setItem(row, col, cell = new QTableWidgetItem);
  cell->setText(toQString(text));
  return {};
}

// Key names written out as words, for keys whose own character is awkward in a script.
static QString withKeyCharacters(const std::string& chord) {
  static const std::pair<const char*, const char*> words[] = {
      {"Backslash", "\\"}, {"Slash", "/"}, {"Comma", ","},       {"Period", "."},       {"Semicolon", ";"},
      {"Minus", "-"},      {"Equal", "="}, {"BracketLeft", "["}, {"BracketRight", "]"}, {"Apostrophe", "'"}};
  QString text = toQString(chord);
  const qsizetype plus = text.lastIndexOf('+', text.size() - 2);
  const QString key = text.mid(plus + 1);
  for (const auto& [word, character] : words)
    if (key.compare(QLatin1String(word), Qt::CaseInsensitive) == 0) return text.left(plus + 1) + character;
  return text;
}

std::string pressChord(QWidget* target, const std::string& chord) {
  const QKeySequence sequence = QKeySequence::fromString(withKeyCharacters(chord), QKeySequence::PortableText);
  if (sequence.count() != 1 || sequence[0].key() == Qt::Key_unknown) return "unknown key chord " + chord;
  const QKeyCombination combination = sequence[0];
  // Shortcuts reach only the active window: a key pressed in a window makes it the active one, as a click would.
  if (QApplication::activeWindow() != target->window()) {
    target->window()->activateWindow();
    QApplication::setActiveWindow(target->window());
    QCoreApplication::processEvents();
  }
  QTest::keyClick(target, combination.key(), combination.keyboardModifiers());
  return {};
}

void typeText(QWidget* target, const std::string& bytes) {
  const QString text = toQString(bytes);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      QTest::keyClick(target, Qt::Key_Return);
    } else if (c == '\t') {
      QTest::keyClick(target, Qt::Key_Tab);
    } else {
      const int key = (c.unicode() < 0x80 && c.isLetter()) ? c.toUpper().unicode() : 0;
      const Qt::KeyboardModifiers mods = c.isUpper() ? Qt::ShiftModifier : Qt::NoModifier;
      QKeyEvent press(QEvent::KeyPress, key, mods, QString(c));
      QKeyEvent release(QEvent::KeyRelease, key, mods, QString(c));
      QApplication::sendEvent(target, &press);
      QApplication::sendEvent(target, &release);
    }
  }
}

QString kindOf(const QWidget* w) {
  if (qobject_cast<const QsciScintilla*>(w)) return "editor";
  if (qobject_cast<const QCheckBox*>(w)) return "checkbox";
  if (qobject_cast<const QRadioButton*>(w)) return "radio";
  if (qobject_cast<const QAbstractButton*>(w)) return "button";
  if (qobject_cast<const QLineEdit*>(w)) return "edit";
  if (qobject_cast<const QComboBox*>(w)) return "combo";
  if (qobject_cast<const QSpinBox*>(w)) return "spin";
  if (qobject_cast<const QListWidget*>(w)) return "list";
  if (qobject_cast<const QTreeWidget*>(w)) return "tree";
  if (qobject_cast<const QTableWidget*>(w)) return "grid";
  if (qobject_cast<const QPlainTextEdit*>(w) || qobject_cast<const QTextEdit*>(w)) return "memo";
  if (qobject_cast<const QTabWidget*>(w)) return "tabs";
  if (qobject_cast<const QProgressBar*>(w)) return "progress";
  if (qobject_cast<const QStatusBar*>(w)) return "statusbar";
  if (qobject_cast<const QGroupBox*>(w)) return "group";
  if (qobject_cast<const QLabel*>(w)) return "label";
  if (w->parentWidget() && qobject_cast<const QStackedWidget*>(w->parentWidget())) return "tab";
  return "panel";
}

QString captionOf(const QWidget* w) {
  QString text;
  if (auto* b = qobject_cast<const QAbstractButton*>(w))
    text = b->text();
  else if (auto* l = qobject_cast<const QLabel*>(w))
    text = l->text();
  else if (auto* e = qobject_cast<const QLineEdit*>(w))
    text = e->echoMode() == QLineEdit::Normal ? e->text() : e->displayText();  // a password as it is shown
  else if (auto* g = qobject_cast<const QGroupBox*>(w))
    text = g->title();
  else if (auto* c = qobject_cast<const QComboBox*>(w))
    text = c->currentText();
  else if (auto* bar = qobject_cast<const QStatusBar*>(w))
    text = bar->currentMessage();
  else if (w->isWindow())
    text = w->windowTitle();
  else if (auto* stack = w->parentWidget() ? qobject_cast<const QStackedWidget*>(w->parentWidget()) : nullptr) {
    if (auto* tabs = qobject_cast<const QTabWidget*>(stack->parentWidget()))
      text = tabs->tabText(tabs->indexOf(const_cast<QWidget*>(w)));
  }
  text.replace('\r', ' ').replace('\n', ' ').replace('\t', ' ');
  return text;
}

}  // namespace quillon::drive
