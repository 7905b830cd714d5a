#include "app/command_icons.h"

#include <algorithm>
#include <map>

#include "app/command_names.h"

namespace quillon {

namespace {

// Project commands show folders and page commands documents, so the two are told apart at a glance.
const std::map<std::string_view, std::string_view>& icons() {
  static const std::map<std::string_view, std::string_view> table = {
      {cmd::NewProject1Click.text, "folder-new"},
      {cmd::Open1Click.text, "folder-visiting"},
      {cmd::Save1Click.text, "document-save-as"},
      {cmd::BitBtnDeleteClick.text, "list-remove"},
      {cmd::PrintProjectOutline1Click.text, "document-print"},
      {cmd::BitBtnOptionsClick.text, "preferences-system"},
      {cmd::BitBtnIEClick.text, "web-browser"},
      {cmd::BitBtnNSClick.text, "applications-internet"},
      {cmd::GetPageLoadingData1Click.text, "system-search"},
      {cmd::BitBtnBackupClick.text, "emblem-package"},
      {cmd::Instructions1Click.text, "help-browser"},
      {cmd::Cut1Click.text, "edit-cut"},
      {cmd::Copy1Click.text, "edit-copy"},
      {cmd::Paste1Click.text, "edit-paste"},
      {cmd::BitBtnUndoClick.text, "edit-undo"},
      {cmd::BitBtnFindClick.text, "edit-find"},
      {cmd::Replace1Click.text, "edit-find-replace"},
      {cmd::BitBtnReplaceAllClick.text, "edit-select-all"},
      {cmd::SpeedBar1Click.text, "insert-object"},
      {cmd::BitBtnSpellCheckClick.text, "tools-check-spelling"},
      {cmd::FTP1Click.text, "network-transmit"},
      {cmd::BitBtnFTPAddClick.text, "list-add"},
      {cmd::NewHTMLFile1Click.text, "document-new"},
      {cmd::OpenHTMLFile1Click.text, "document-open"},
      {cmd::SaveHTMLFile1Click.text, "document-save"},
      {cmd::BitBtnLoadFromTemplateClick.text, "document-page-setup"},
      {cmd::BitBtnColorNowClick.text, "applications-graphics"},
      {cmd::Button1Click.text, "document-new"},
      {cmd::BitBtnAddChildClick.text, "format-indent-more"},
      {cmd::ButtonMoveClick.text, "view-sort-ascending"},
      {cmd::BitBtnInsertLinkImageClick.text, "insert-link"},
      {cmd::BitBtnPowerBodyClick.text, "insert-object"},
      {cmd::BitBtnPowerAnchorClick.text, "insert-link"},
      {cmd::BitBtnPowerImageClick.text, "insert-image"},
      {cmd::BitBtnPowerTableClick.text, "view-restore"},
      {cmd::Center1Click.text, "format-justify-center"},
      {cmd::MailTo1Click.text, "mail-message-new"},
      {cmd::Paragraph1Click.text, "format-justify-fill"},
      {cmd::BoldTagClick.text, "format-text-bold"},
      {cmd::ItalicClick.text, "format-text-italic"},
      {cmd::UnderlineClick.text, "format-text-underline"},
      {cmd::BitBtnPowerListClick.text, "format-indent-more"},
      {cmd::LineBreak1Click.text, "go-bottom"},
      {cmd::PowerFrameClick.text, "view-fullscreen"},
      {cmd::Superscript1Click.text, "go-up"},
      {cmd::Subscript1Click.text, "go-down"},
      {cmd::PRE1Click.text, "format-justify-left"},
      {cmd::BitBtnSetDialogClick.text, "view-fullscreen"},
      {cmd::BitBtnFrameDialogClick.text, "view-restore"},
  };
  return table;
}

// Tag buttons without an icon of their own insert text.
constexpr std::string_view kTagIcon = "insert-text";

}  // namespace

std::string_view iconNameFor(std::string_view command) {
  const auto it = icons().find(command);
  return it == icons().end() ? kTagIcon : it->second;
}

const std::vector<std::string_view>& buttonIconNames() {
  static const std::vector<std::string_view> names = [] {
    std::vector<std::string_view> all{kTagIcon};
    for (const auto& [command, icon] : icons()) all.push_back(icon);
    std::sort(all.begin(), all.end());
    all.erase(std::unique(all.begin(), all.end()), all.end());
    return all;
  }();
  return names;
}

}  // namespace quillon
