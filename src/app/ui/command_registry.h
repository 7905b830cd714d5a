#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/command_names.h"
#include "app/command_table.h"
#include "app/ui/command_record.h"

class QAction;
class QMenu;
class QWidget;

namespace quillon {

struct CommandInfo {
  std::string name;
  std::string caption;  // its own caption, "&" removed
  std::string shortcut;
};

// The main window's commands: every placed command of the placement table with the record its area
// declares. A placed command without a record (or a handler) stays registered, disabled. Each command has
// one main action carrying its shortcut; context menus and second captions get their own actions, so that
// disabling the main one (a read-only page's save commands) leaves them as they are. Locking the text
// reaches them all.
class CommandRegistry : public QObject {
  Q_OBJECT
 public:
  CommandRegistry(QWidget* window, std::vector<CommandRecord> records);

  // Code names commands by their constants (cmd::SaveHTMLFile1Click); only scripts and the table's own
  // walk name them by text.
  // Gives a command another handler (a test's probe, or a window that takes a command over).
  void setHandler(CommandName name, std::function<void()> handler);
  void setEnabled(CommandName name, bool on);
  // Locks (or unlocks) every command whose record changes the text, wherever it is placed; each keeps what
  // setEnabled asked of it for when the lock goes.
  void setTextLocked(bool locked);
  bool textLocked() const { return textLocked_; }
  bool enabled(CommandName name) const { return enabled(std::string(name.text)); }
  bool trigger(CommandName name) { return trigger(std::string(name.text)); }
  bool exists(const std::string& name) const { return entries_.count(name) != 0; }
  bool works(const std::string& name) const;
  bool enabled(const std::string& name) const;
  // Runs the command as its menu item would; false when unknown or disabled.
  bool trigger(const std::string& name);

  QAction* mainAction(const std::string& name);
  // Its own caption, "&" marking the access key.
  std::string caption(const std::string& name) const;
  // The icon its buttons show.
  std::string icon(const std::string& name) const;
  // Records that no place of the placement table shows, so that no user can reach them.
  const std::vector<std::string>& unplaced() const { return unplaced_; }
  void fillMenu(QMenu& menu, const std::vector<MenuItem>& items, bool contextMenu);
  const std::vector<CommandInfo>& commands() const { return order_; }
  // The caption ("&" removed) of the menu item that started the running command; a command reached by two
  // captions ("Change HTML Link", "Change Page Title") tells them apart by it.
  const std::string& triggeredCaption() const { return triggeredCaption_; }

 private:
  struct Entry {
    CommandInfo info;
    std::string caption;  // with its access key
    std::string icon;
    std::function<void()> handler;
    bool changesText = false;
    bool wanted = true;  // as setEnabled last asked
    QAction* main = nullptr;
    std::vector<QPointer<QAction>> twins;  // its other actions; a context menu's go with the menu
  };
  Entry& entry(const std::string& name);
  bool usable(const Entry& e) const { return e.handler && !(e.changesText && textLocked_); }
  void refresh(Entry& e);

  void run(const std::string& name, const std::string& caption);

  QWidget* window_;
  std::string triggeredCaption_;
  bool textLocked_ = false;
  std::vector<CommandInfo> order_;
  std::map<std::string, Entry> entries_;
  std::vector<std::string> unplaced_;
};

}  // namespace quillon
