// The custom tags of the tag panel and the two snippet lists of the Snips tab: their commands, and the
// pane object that keeps them.
#include <Qsci/qsciscintilla.h>
#include <QMenu>

#include "app/command_names.h"
#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "app/ui/snip_pane.h"
#include "editor/custom_tags.h"
#include "editor/ui/editor_bytes.h"

namespace quillon {

std::vector<CommandRecord> TForm1::snipCommands() {
  using List = SnipPane::List;
  return {
      {cmd::BitBtnCustomAddClick, "Add a Custom Tag", "", "", [this] { snips_->addCustomTag(); }},
      {cmd::BitBtnCustomDeleteClick, "Delete a Custom Tag", "", "", [this] { snips_->deleteCustomTag(); }},
      {cmd::ButtonEditURLClick, "Edit Snip", "", "", [this] { snips_->editSnip(List::Urls); }},
      {cmd::ButtonEditMiscClick, "Edit Snip", "", "", [this] { snips_->editSnip(List::Misc); }},
  };
}

void TForm1::wireSnipPane() {
  using List = SnipPane::List;
  SnipPane::Hooks hooks;
  hooks.wrapInCustomTag = [this](const std::string& entry) {
    applyInsertion(applyCustomTag(editView(), editor_bytes::fromUtf8(*RE1, entry)));
  };
  hooks.paste = [this](const std::string& text) {
    RE1->setFocus();
    editor_bytes::replaceSelection(*RE1, editor_bytes::fromUtf8(*RE1, text));
  };
  hooks.fillMenu = [this](QMenu& menu, List which) {
    commands_->fillMenu(menu, which == List::Urls ? urlSnipMenu() : miscSnipMenu(), true);
  };
  hooks.editCommand = [this](List which) {
    commands_->trigger(which == List::Urls ? cmd::ButtonEditURLClick : cmd::ButtonEditMiscClick);
  };
  snips_ = new SnipPane(*this, platform_, programDir_, std::move(hooks));
}

}  // namespace quillon
