#include "app/ui/command_registry.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include "platform/ui/qt_text.h"

namespace quillon {

CommandRegistry::CommandRegistry(QWidget* window, std::vector<CommandRecord> records)
    : QObject(window), window_(window) {
  std::map<std::string, CommandRecord*> byName;
  for (CommandRecord& r : records) byName[r.name] = &r;
  for (const std::string& name : placedCommands()) {
    Entry& e = entries_[name];
    if (const auto it = byName.find(name); it != byName.end()) {
      CommandRecord& r = *it->second;
      e.caption = r.caption;
      e.icon = r.icon;
      e.handler = std::move(r.handler);
      e.changesText = r.changesText;
      e.info = {name, withoutAccessKeys(r.caption), r.shortcut};
      byName.erase(it);
    } else {
      e.info = {name, name, {}};
    }
    order_.push_back(e.info);
    const CommandInfo& info = e.info;
    e.main = new QAction(toQString(info.caption), window_);
    e.main->setObjectName(toQString(info.name));
    if (!info.shortcut.empty()) {
      e.main->setShortcut(QKeySequence(toQString(info.shortcut)));
      e.main->setShortcutContext(Qt::WindowShortcut);
    }
    e.main->setEnabled(static_cast<bool>(e.handler));
    connect(e.main, &QAction::triggered, this, [this, name] { trigger(name); });
    window_->addAction(e.main);
  }
  for (const auto& [name, record] : byName) unplaced_.push_back(name);
}

CommandRegistry::Entry& CommandRegistry::entry(const std::string& name) { return entries_.at(name); }

void CommandRegistry::setHandler(CommandName name, std::function<void()> handler) {
  Entry& e = entry(name);
  e.handler = std::move(handler);
  e.wanted = true;
  refresh(e);
}

void CommandRegistry::refresh(Entry& e) {
  e.main->setEnabled(e.wanted && usable(e));
  std::erase_if(e.twins, [](const QPointer<QAction>& a) { return a.isNull(); });
  for (QAction* a : e.twins) a->setEnabled(usable(e));
}

void CommandRegistry::setTextLocked(bool locked) {
  textLocked_ = locked;
  for (auto& [name, e] : entries_)
    if (e.changesText) refresh(e);
}

std::string CommandRegistry::caption(const std::string& name) const {
  const auto it = entries_.find(name);
  return it == entries_.end() ? std::string() : it->second.caption;
}

std::string CommandRegistry::icon(const std::string& name) const {
  const auto it = entries_.find(name);
  return it == entries_.end() ? std::string() : it->second.icon;
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
  e.wanted = on;
  e.main->setEnabled(on && usable(e));
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
      const std::string shown = !item.caption.empty() ? item.caption
                                : contextMenu         ? withoutAccessKeys(e.caption)
                                                      : e.caption;
      if (!contextMenu && e.main->text() == toQString(withoutAccessKeys(shown))) {
        e.main->setText(toQString(shown));
        menu.addAction(e.main);
        continue;
      }
      // A second caption for the same command, or a context-menu twin: its own action, same handler.
      auto* action = new QAction(toQString(shown), &menu);
      action->setShortcutContext(Qt::WidgetShortcut);
      action->setEnabled(usable(e));
      action->setData(toQString(item.command));
      const std::string name = item.command;
      const std::string caption = withoutAccessKeys(shown);
      connect(action, &QAction::triggered, this, [this, name, caption] {
        if (usable(entry(name))) run(name, caption);
      });
      e.twins.emplace_back(action);
      menu.addAction(action);
    }
  }
}

}  // namespace quillon
