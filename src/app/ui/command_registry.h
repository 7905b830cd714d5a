#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/command_names.h"
#include "app/command_table.h"

class QAction;
class QMenu;
class QWidget;

namespace quillon {

// Binds each command of the command table to its handler. A command without a handler stays registered,
// disabled. Each command has one main action carrying its shortcut; context menus get their own actions so
// that disabling the main one (a read-only page's save commands) leaves them as they are.
class CommandRegistry : public QObject {
  Q_OBJECT
 public:
  explicit CommandRegistry(QWidget* window);

  // Code names commands by their constants (cmd::SaveHTMLFile1Click); only scripts and the table's own
  // walk name them by text.
  void bind(CommandName name, std::function<void()> handler);
  void setEnabled(CommandName name, bool on);
  bool enabled(CommandName name) const { return enabled(std::string(name.text)); }
  bool trigger(CommandName name) { return trigger(std::string(name.text)); }
  bool exists(const std::string& name) const { return entries_.count(name) != 0; }
  bool works(const std::string& name) const;
  bool enabled(const std::string& name) const;
  // Runs the command as its menu item would; false when unknown or disabled.
  bool trigger(const std::string& name);

  QAction* mainAction(const std::string& name);
  void fillMenu(QMenu& menu, const std::vector<MenuItem>& items, bool contextMenu);
  const std::vector<CommandInfo>& commands() const { return order_; }
  // The caption ("&" removed) of the menu item that started the running command; a command reached by two
  // captions ("Change HTML Link", "Change Page Title") tells them apart by it.
  const std::string& triggeredCaption() const { return triggeredCaption_; }

 private:
  struct Entry {
    CommandInfo info;
    std::function<void()> handler;
    QAction* main = nullptr;
    std::vector<QAction*> context;
  };
  Entry& entry(const std::string& name);

  void run(const std::string& name, const std::string& caption);

  QWidget* window_;
  std::string triggeredCaption_;
  std::vector<CommandInfo> order_;
  std::map<std::string, Entry> entries_;
};

}  // namespace quillon
