#include "app/command_table.h"

#include <gtest/gtest.h>
#include <cctype>
#include <map>
#include <set>

#include "app/pane_layout.h"

namespace quillon {
namespace {

void collect(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
  for (const auto& i : items) {
    if (i.isSubmenu()) collect(i.children, out);
    else if (!i.isSeparator()) out.push_back(&i);
  }
}

TEST(CommandTable, MainMenuShortcutsAreUnique) {
  std::vector<const MenuItem*> items;
  collect(mainMenu(), items);
  std::map<std::string, std::string> byShortcut;
  for (const MenuItem* i : items) {
    if (i->shortcut.empty()) continue;
    const auto [it, fresh] = byShortcut.emplace(i->shortcut, i->command);
    EXPECT_TRUE(fresh || it->second == i->command) << i->shortcut << " bound twice";
  }
}

TEST(CommandTable, GridCommandsRunOneToFiveInTheMenuAndTwoToFiveInTheEditorMenu) {
  auto grids = [](const std::vector<MenuItem>& menu) {
    std::vector<const MenuItem*> items;
    collect(menu, items);
    std::set<std::string> names;
    for (const MenuItem* i : items)
      if (i->command.size() == 9 && i->command[0] == 'N' && i->command[2] == 'C') names.insert(i->command);
    return names;
  };
  const auto main = grids(mainMenu());
  EXPECT_EQ(main.size(), 25u);
  EXPECT_TRUE(main.count("N1C1Click") && main.count("N5C5Click") && main.count("N2C3Click"));
  const auto editor = grids(editorMenu());
  EXPECT_EQ(editor.size(), 16u);
  EXPECT_FALSE(editor.count("N1C3Click"));
  EXPECT_TRUE(editor.count("N2C2Click") && editor.count("N5C5Click"));
}

TEST(CommandTable, EveryCommandIsListedOnceWithACaption) {
  const auto all = allCommands();
  std::set<std::string> names;
  for (const auto& c : all) {
    EXPECT_TRUE(names.insert(c.name).second) << c.name;
    EXPECT_FALSE(c.caption.empty()) << c.name;
    EXPECT_EQ(c.caption.find('&'), std::string::npos) << c.name;
  }
  for (const char* expected : {"NewProject1Click", "Outline1DblClick", "TagColorOptions1Click", "AnalyzeWebPage1Click",
                               "ButtonEditMiscClick", "BitBtnIEClick", "Button1Click", "BitBtnInsertLinkImageClick",
                               "BitBtnSetDialogClick", "CheckWrapClick", "BitBtnStopColorsMouseDown"})
    EXPECT_TRUE(names.count(expected)) << expected;
  EXPECT_EQ(all.front().name, "NewProject1Click");
  // "Change HTML Link" and "Change Page Title" are one command.
  std::vector<const MenuItem*> items;
  collect(mainMenu(), items);
  int changeItems = 0;
  for (const MenuItem* i : items) changeItems += i->command == "ChangeDescription1Click";
  EXPECT_EQ(changeItems, 2);
}

TEST(CommandTable, AccessKeysAreRemovedButDoubledAmpersandsKept) {
  EXPECT_EQ(withoutAccessKeys("Save HT&ML File As"), "Save HTML File As");
  EXPECT_EQ(withoutAccessKeys("Fish && Chips"), "Fish & Chips");
}

TEST(PaneLayout, SplitterNeverLeavesTheLeftPaneNarrowerThan199) {
  EXPECT_FALSE(pane_layout::widthWhileDragging(150).has_value());
  EXPECT_FALSE(pane_layout::widthWhileDragging(203).has_value());
  EXPECT_EQ(pane_layout::widthWhileDragging(204), 199);
  EXPECT_EQ(pane_layout::widthWhileDragging(500), 495);
  EXPECT_EQ(pane_layout::widthAfterDrag(930, 945), 897);  // 95% of 945 = 897.75, truncated
  EXPECT_EQ(pane_layout::widthAfterDrag(897, 945), 897);
  EXPECT_EQ(pane_layout::widthOnWindowResize(205, 100), 205);  // small panes are left alone
  EXPECT_EQ(pane_layout::widthOnWindowResize(300, 300), 285);
  EXPECT_EQ(pane_layout::widthOnEditorPaneResize(201, 200), 190);
  EXPECT_EQ(pane_layout::widthOnEditorPaneResize(200, 200), 200);
}

}  // namespace
}  // namespace quillon

namespace quillon {
namespace {

// Alt+letter opens the menu whose caption marks that letter; a shortcut on the same chord would be shadowed.
TEST(CommandTable, MenuAccessKeysAreUniqueAndShadowNoShortcut) {
  std::set<char> keys;
  for (const MenuItem& top : mainMenu()) {
    const size_t amp = top.caption.find('&');
    ASSERT_NE(amp, std::string::npos) << top.caption << " has no access key";
    const char key = static_cast<char>(std::toupper(static_cast<unsigned char>(top.caption[amp + 1])));
    EXPECT_TRUE(keys.insert(key).second) << top.caption << ": access key " << key << " used twice";
  }
  std::vector<const MenuItem*> items;
  collect(mainMenu(), items);
  for (const MenuItem* i : items)
    if (i->shortcut.size() == 5 && i->shortcut.rfind("Alt+", 0) == 0)
      EXPECT_FALSE(keys.count(i->shortcut[4])) << i->shortcut << " is shadowed by a menu's access key";
}

}  // namespace
}  // namespace quillon
