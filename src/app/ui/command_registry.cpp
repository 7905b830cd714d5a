#include "app/ui/command_registry.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "platform/ui/qt_text.h"

namespace quillon {

CommandRegistry::CommandRegistry(QWidget* window) : QObject(window), window_(window), order_(allCommands()) {
  for (const auto& info : order_) {
    Entry& e = entries_[info.name];
    e.info = info;
    e.main = new QAction(toQString(info.caption), window_);
    e.main->setObjectName(toQString(info.name));
    if (!info.shortcut.empty()) {
      e.main->setShortcut(QKeySequence(toQString(info.shortcut)));
      e.main->setShortcutContext(Qt::WindowShortcut);
    }
    e.main->setEnabled(false);
    const std::string name = info.name;
    connect(e.main, &QAction::triggered, this, [this, name] { trigger(name); });
    window_->addAction(e.main);
  }
}

CommandRegistry::Entry& CommandRegistry::entry(const std::string& name) { return entries_.at(name); }

void CommandRegistry::bind(CommandName name, std::function<void()> handler) {
  Entry& e = entry(name);
  e.handler = std::move(handler);
  e.main->setEnabled(true);
  for (QAction* a : e.context) a->setEnabled(true);
}

bool CommandRegistry::works(const std::string& name) const {
  const auto it = entries_.find(name);
  return it != entries_.end() && static_cast<bool>(it->second.handler);
}

bool CommandRegistry::enabled(const std::string& name) const {
  const auto it = entries_.find(name);
  return it != entries_.end() && it->second.handler && it->second.main->isEnabled();
}

void CommandRegistry::setEnabled(CommandName name, bool on) {
  Entry& e = entry(name);
  e.main->setEnabled(on && e.handler);
}

bool CommandRegistry::trigger(const std::string& name) {
  if (!enabled(name)) return false;
  run(name, entries_.at(name).info.caption);
  return true;
}

void CommandRegistry::run(const std::string& name, const std::string& caption) {
  const auto handler = entries_.at(name).handler;  // a handler may rebind commands while it runs
  const std::string outer = triggeredCaption_;
  triggeredCaption_ = caption;
  handler();
  triggeredCaption_ = outer;
}

QAction* CommandRegistry::mainAction(const std::string& name) { return entry(name).main; }

void CommandRegistry::fillMenu(QMenu& menu, const std::vector<MenuItem>& items, bool contextMenu) {
  for (const auto& item : items) {
    if (item.isSeparator()) {
      menu.addSeparator();
    } else if (item.isSubmenu()) {
      QMenu* sub = menu.addMenu(toQString(item.caption));
      fillMenu(*sub, item.children, contextMenu);
    } else {
      Entry& e = entry(item.command);
      if (!contextMenu && e.main->text() == toQString(withoutAccessKeys(item.caption))) {
        e.main->setText(toQString(item.caption));
        menu.addAction(e.main);
        continue;
      }
      // A second caption for the same command, or a context-menu twin: its own action, same handler.
      auto* action = new QAction(toQString(item.caption), &menu);
      if (!contextMenu && !item.shortcut.empty()) action->setShortcut(QKeySequence(toQString(item.shortcut)));
      action->setShortcutContext(Qt::WidgetShortcut);
      action->setEnabled(static_cast<bool>(e.handler));
      action->setData(toQString(item.command));
      const std::string name = item.command;
      const std::string caption = withoutAccessKeys(item.caption);
      connect(action, &QAction::triggered, this, [this, name, caption] {
        if (works(name)) run(name, caption);
      });
      if (contextMenu) e.context.push_back(action);
      menu.addAction(action);
    }
  }
}

}  // namespace quillon
