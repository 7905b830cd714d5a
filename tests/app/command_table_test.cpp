#include "app/command_table.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <set>

#include "app/pane_layout.h"

namespace quillon {
namespace {

void collect(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
  for (const auto& i : items) {
    if (i.isSubmenu())
      collect(i.children, out);
    else if (!i.isSeparator())
      out.push_back(&i);
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

TEST(CommandTable, EveryPlacedCommandIsListedOnceControlsLast) {
  const auto all = placedCommands();
  std::set<std::string> names(all.begin(), all.end());
  EXPECT_EQ(names.size(), all.size());
  for (const char* expected : {"NewProject1Click", "Outline1DblClick", "TagColorOptions1Click", "AnalyzeWebPage1Click",
                               "ButtonEditMiscClick", "BitBtnIEClick", "Button1Click", "BitBtnInsertLinkImageClick",
                               "BitBtnSetDialogClick", "CheckWrapClick", "BitBtnStopColorsMouseDown"})
    EXPECT_TRUE(names.count(expected)) << expected;
  EXPECT_EQ(all.front(), "NewProject1Click");
  EXPECT_TRUE(std::equal(controlCommands().rbegin(), controlCommands().rend(), all.rbegin()));
  // "Change HTML Link" and "Change Page Title" are one command, the second shown with its own caption.
  std::vector<const MenuItem*> items;
  collect(mainMenu(), items);
  std::vector<std::string> changeCaptions;
  for (const MenuItem* i : items)
    if (i->command == "ChangeDescription1Click") changeCaptions.push_back(i->caption);
  EXPECT_EQ(changeCaptions, (std::vector<std::string>{"", "C&hange Page Title"}));
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
