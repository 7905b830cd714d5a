#include "platform/ui/pane_keys.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QShortcut>
#include <QWidget>

namespace quillon {

namespace {

class PaneKeys : public QObject {
 public:
  PaneKeys(QWidget& window, const QList<QWidget*>& panes) : QObject(&window), window_(window) {
    for (QWidget* pane : panes) panes_.append(pane);
    auto* next = new QShortcut(QKeySequence(Qt::Key_F6), &window, [this] { move(1); });
    auto* previous = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), &window, [this] { move(-1); });
    for (QShortcut* s : {next, previous}) s->setContext(Qt::WindowShortcut);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (const int pane = paneOf(now); pane >= 0) lastFocus_[pane] = now;
    });
  }

 private:
  int paneOf(const QWidget* w) const {
    for (int i = 0; i < panes_.size(); ++i)
      if (w && panes_[i] && (panes_[i] == w || panes_[i]->isAncestorOf(w))) return i;
    return -1;
  }

  static bool takesFocus(const QWidget* w) {
    return w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
  }

  // The control of the pane the focus goes to, or none when the pane shows nothing that takes it.
  QWidget* targetIn(int pane) const {
    QWidget* root = panes_[pane];
    if (!root || !root->isVisible() || !root->isEnabled()) return nullptr;
    if (QWidget* last = lastFocus_.value(pane); last && takesFocus(last) && root->isAncestorOf(last)) return last;
    if (takesFocus(root)) return root;
    // The first control in the window's Tab order that lies in the pane.
    for (QWidget* w = window_.nextInFocusChain(); w && w != &window_; w = w->nextInFocusChain())
      if (root->isAncestorOf(w) && takesFocus(w)) return w;
    return nullptr;
  }

  void move(int step) {
    const int count = static_cast<int>(panes_.size());
    if (count == 0) return;
    const int from = paneOf(QApplication::focusWidget());
    for (int i = 1; i <= count; ++i) {
      const int pane = ((from < 0 ? (step > 0 ? -1 : 0) : from) + step * i + count * count) % count;
      if (QWidget* target = targetIn(pane)) {
        target->setFocus(Qt::ShortcutFocusReason);
        return;
      }
    }
  }

  QWidget& window_;
  QList<QPointer<QWidget>> panes_;
  QHash<int, QPointer<QWidget>> lastFocus_;
};

}  // namespace

void movePanesWithF6(QWidget& window, const QList<QWidget*>& panes) { new PaneKeys(window, panes); }

}  // namespace quillon
