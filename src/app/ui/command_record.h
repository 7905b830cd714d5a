#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/command_names.h"

namespace quillon {

// One command of the main window, as the area that handles it declares it. Where it is shown comes from
// the placement table (app/command_table.h).
struct CommandRecord {
  using Handler = std::function<void()>;
  CommandName name;
  std::string caption;   // its own caption; "&" marks the access key in the main menu
  std::string shortcut;  // "Ctrl+Shift+B", empty for none
  std::string icon;      // the desktop icon (freedesktop name) its buttons show; empty: a tag's "insert-text"
  Handler handler;
  bool changesText = false;  // edits the open page: locked while the page may not be changed
};

// Marks a record that edits the open page.
constexpr bool kChangesText = true;

// The same records, each marked as changing the open page's text.
inline std::vector<CommandRecord> changingText(std::vector<CommandRecord> records) {
  for (CommandRecord& r : records) r.changesText = true;
  return records;
}

}  // namespace quillon
