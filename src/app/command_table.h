#pragma once

#include <string>
#include <vector>

namespace quillon {

// Every user action of the main window is a command named after its handler (`SaveHTMLFile1Click`); each
// area of the window declares its commands (caption, shortcut, icon, handler) beside their handlers. This
// table is the one place that says where each command is reached from: the main menu, the context menus,
// the toolbars, the tag panel and the window's own controls. The windows build their menus and buttons
// from it.
struct MenuItem {
  // A submenu's caption; for a command, empty to show the command's own caption (without its access key in
  // a context menu), or the other caption this place shows. "&" marks the access key; "-" is a separator.
  std::string caption;
  std::string command;  // empty for a submenu
  std::vector<MenuItem> children;

  bool isSeparator() const { return caption == "-"; }
  bool isSubmenu() const { return command.empty() && !isSeparator(); }
};

struct ToolButton {
  std::string hint;
  std::string caption;  // short text shown on the button
  std::string command;
  std::string name = {};  // the button's object name when it is not the one its command gives
};

struct ButtonPage {
  std::string caption;
  std::vector<ToolButton> buttons;
};

const std::vector<MenuItem>& mainMenu();
const std::vector<MenuItem>& outlineMenu();
const std::vector<MenuItem>& editorMenu();
const std::vector<MenuItem>& fileListMenu();
const std::vector<MenuItem>& urlSnipMenu();
const std::vector<MenuItem>& miscSnipMenu();
// The two rows of buttons at the top of the main window.
const std::vector<std::vector<ToolButton>>& toolbarRows();
// The buttons beside the editing window, on the Web Site tab and on the Files tab.
const std::vector<ToolButton>& editorPaneButtons();
const std::vector<ToolButton>& webSiteTabButtons();
const std::vector<ToolButton>& filesTabButtons();
// The tag panel's pages, "Common" to "Frames" ("Custom" holds the custom-tag box, not commands).
const std::vector<ButtonPage>& tagPanelPages();

// The commands reached only from controls of the main window (check boxes, the stop button, the custom-tag
// buttons).
const std::vector<std::string>& controlCommands();
// Every placed command once, in the order first met: main menu, context menus, toolbars, panes, tag panel,
// then the controls.
std::vector<std::string> placedCommands();

std::string withoutAccessKeys(const std::string& caption);

}  // namespace quillon
