#include "platform/ui/accessible_names.h"

#include <Qsci/qsciscintilla.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>

#include <algorithm>

namespace quillon {

namespace {

bool isPartOfAnother(QWidget* w) {
  for (QWidget* up = w->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
    if (qobject_cast<QComboBox*>(up) || qobject_cast<QAbstractSpinBox*>(up) || qobject_cast<QTabBar*>(up) ||
        qobject_cast<QAbstractItemView*>(up) || qobject_cast<QsciScintillaBase*>(up))
      return true;
  return false;
}

bool isNamelessInput(QWidget* w) {
  if (!w->accessibleName().isEmpty() || w->objectName().startsWith("qt_") || qobject_cast<QScrollBar*>(w)) return false;
  if (qobject_cast<QAbstractButton*>(w)) return false;  // a button is named by its caption already
  return (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w) ||
          qobject_cast<QAbstractItemView*>(w) || qobject_cast<QAbstractSlider*>(w) || qobject_cast<QTextEdit*>(w) ||
          qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QsciScintillaBase*>(w)) &&
         !isPartOfAnother(w);
}

QString spoken(QString caption) {
  caption.remove(QRegularExpression(QStringLiteral("<[^>]*>")));  // rich-text labels
  caption.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove('&').replace('\x01', '&');
  caption = caption.simplified();
  while (caption.endsWith(':')) caption.chop(1);
  return caption.trimmed();
}

QLabel* labelIn(QLayoutItem* item) {
  if (!item || !item->widget()) return nullptr;
  auto* label = qobject_cast<QLabel*>(item->widget());
  return label && !label->text().trimmed().isEmpty() && !label->buddy() ? label : nullptr;
}

// The layout that holds `w` directly, searched from `layout` down.
QLayout* holderOf(QLayout* layout, QWidget* w) {
  if (!layout) return nullptr;
  if (layout->indexOf(w) >= 0) return layout;
  for (int i = 0; i < layout->count(); ++i)
    if (QLayout* inner = layout->itemAt(i)->layout())
      if (QLayout* found = holderOf(inner, w)) return found;
  return nullptr;
}

QLayout* parentLayoutOf(QLayout* root, QLayout* child) {
  if (!root) return nullptr;
  for (int i = 0; i < root->count(); ++i) {
    QLayout* inner = root->itemAt(i)->layout();
    if (inner == child) return root;
    if (QLayout* found = parentLayoutOf(inner, child)) return found;
  }
  return nullptr;
}

// The label the layout sets beside or above the control.
QLabel* labelByLayout(QWidget* w) {
  QWidget* parent = w->parentWidget();
  QLayout* holder = parent ? holderOf(parent->layout(), w) : nullptr;
  if (!holder) return nullptr;
  if (auto* form = qobject_cast<QFormLayout*>(holder)) {
    QWidget* label = form->labelForField(w);
    auto* l = qobject_cast<QLabel*>(label);
    return l && !l->buddy() ? l : nullptr;
  }
  if (auto* grid = qobject_cast<QGridLayout*>(holder)) {
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(w), &row, &column, &rows, &columns);
    if (QLabel* left = column > 0 ? labelIn(grid->itemAtPosition(row, column - 1)) : nullptr) return left;
    return row > 0 ? labelIn(grid->itemAtPosition(row - 1, column)) : nullptr;
  }
  // A box: the item before it, else (when it leads its box) the item before the box in the box around.
  QLayout* layout = holder;
  QLayoutItem* self = layout->itemAt(layout->indexOf(w));
  while (layout) {
    int at = -1;
    for (int i = 0; i < layout->count(); ++i)
      if (layout->itemAt(i) == self) at = i;
    for (int i = at - 1; i >= 0; --i) {
      QLayoutItem* before = layout->itemAt(i);
      if (before->spacerItem()) continue;
      return labelIn(before);
    }
    QLayout* around = parentLayoutOf(parent->layout(), layout);
    if (!around) return nullptr;
    for (int i = 0; i < around->count(); ++i)
      if (around->itemAt(i)->layout() == layout) self = around->itemAt(i);
    layout = around;
  }
  return nullptr;
}

// The caption of a radio button or check box just left of the control, which the control belongs to
// ("Folder:" [path], "% of Screen" [50]).
QString optionBeside(QWidget* w) {
  QWidget* parent = w->parentWidget();
  QLayout* holder = parent ? holderOf(parent->layout(), w) : nullptr;
  QWidget* before = nullptr;
  if (auto* grid = qobject_cast<QGridLayout*>(holder)) {
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(grid->indexOf(w), &row, &column, &rows, &columns);
    QLayoutItem* left = column > 0 ? grid->itemAtPosition(row, column - 1) : nullptr;
    before = left ? left->widget() : nullptr;
  } else if (qobject_cast<QBoxLayout*>(holder)) {
    const int at = holder->indexOf(w);
    before = at > 0 ? holder->itemAt(at - 1)->widget() : nullptr;
  }
  if (qobject_cast<QRadioButton*>(before) || qobject_cast<QCheckBox*>(before))
    return static_cast<QAbstractButton*>(before)->text();
  return {};
}

bool hasLetterOrDigit(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

// The widget just before `w` in the box layout that holds it.
QWidget* widgetBefore(QWidget* w) {
  QWidget* parent = w->parentWidget();
  QLayout* holder = parent ? holderOf(parent->layout(), w) : nullptr;
  if (!qobject_cast<QBoxLayout*>(holder)) return nullptr;
  const int at = holder->indexOf(w);
  return at > 0 ? holder->itemAt(at - 1)->widget() : nullptr;
}

// A label placed by hand: level with the control on its left, or just above it.
QLabel* labelByPlace(QWidget* w) {
  QWidget* parent = w->parentWidget();
  if (!parent) return nullptr;
  const QRect r = w->geometry();
  QLabel* best = nullptr;
  int bestDistance = 1 << 30;
  for (QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
    if (l->buddy() || l->text().trimmed().isEmpty()) continue;
    const QRect g = l->geometry();
    const bool level = g.right() <= r.left() && g.bottom() >= r.top() && g.top() <= r.bottom();
    const bool above = g.bottom() <= r.top() && r.top() - g.bottom() < 2 * g.height() + 8 && g.left() < r.right() &&
                       g.right() > r.left() - 8;
    if (!level && !above) continue;
    const int distance = level ? r.left() - g.right() : r.top() - g.bottom();
    if (distance < bestDistance) bestDistance = distance, best = l;
  }
  return best;
}

// The title of a group box the control is the only input of.
QString groupTitle(QWidget* w) {
  for (QWidget* up = w->parentWidget(); up && !up->isWindow(); up = up->parentWidget())
    if (auto* group = qobject_cast<QGroupBox*>(up)) {
      int inputs = 0;
      for (QWidget* other : group->findChildren<QWidget*>())
        if (isNamelessInput(other) || (other != w && !other->accessibleName().isEmpty())) ++inputs;
      return inputs == 1 ? group->title() : QString();
    }
  return {};
}

}  // namespace

void nameControls(QWidget& window) {
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!isNamelessInput(w)) continue;
    QLabel* label = labelByLayout(w);
    if (!label && !w->parentWidget()->layout()) label = labelByPlace(w);
    QString name = label ? spoken(label->text()) : QString();
    if (label && !name.isEmpty()) label->setBuddy(w);
    if (name.isEmpty()) name = spoken(optionBeside(w));
    if (name.isEmpty()) name = spoken(groupTitle(w));
    if (name.isEmpty()) name = w->toolTip();
    if (name.isEmpty())
      if (auto* edit = qobject_cast<QLineEdit*>(w)) name = edit->placeholderText();
    if (name.isEmpty())
      if (auto* combo = qobject_cast<QComboBox*>(w)) name = combo->placeholderText();
    if (!name.isEmpty()) w->setAccessibleName(name);
  }
  // Buttons whose caption is only signs ("...", "?", "»"): their hint, or what they browse for.
  for (auto* b : window.findChildren<QAbstractButton*>()) {
    if (!b->accessibleName().isEmpty() || hasLetterOrDigit(b->text()) || b->objectName().startsWith("qt_")) continue;
    QString name = spoken(b->toolTip());
    if (name.isEmpty() && b->text().trimmed() == "...") {
      const QWidget* box = widgetBefore(b);
      const QString what = box ? box->accessibleName() : QString();
      name = what.isEmpty() ? QStringLiteral("Browse") : "Browse for " + what;
    }
    if (!name.isEmpty()) b->setAccessibleName(name);
  }
  // An editable combo box's own line says the box's name.
  for (auto* combo : window.findChildren<QComboBox*>())
    if (combo->isEditable() && combo->lineEdit() && combo->lineEdit()->accessibleName().isEmpty())
      combo->lineEdit()->setAccessibleName(combo->accessibleName());
}

namespace {

class NamesOnShow : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
      auto* w = static_cast<QWidget*>(watched);
      if (w->isWindow()) nameControls(*w);
    }
    return false;
  }
};

}  // namespace

void nameControlsOfEveryWindow(QApplication& app) {
  static NamesOnShow* filter = nullptr;
  if (filter) return;
  filter = new NamesOnShow(&app);
  app.installEventFilter(filter);
}

}  // namespace quillon
