#pragma once

#include <functional>
#include <string>

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
};

}  // namespace quillon
