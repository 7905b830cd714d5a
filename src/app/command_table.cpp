#include "app/command_table.h"

#include <set>

#include "app/command_names.h"

namespace quillon {

namespace {

// A command shown with its own caption, or with another one in this place.
MenuItem item(CommandName command, std::string caption = {}) { return MenuItem{std::move(caption), command, {}}; }
MenuItem sep() { return MenuItem{"-", {}, {}}; }
MenuItem sub(std::string caption, std::vector<MenuItem> children) {
  return MenuItem{std::move(caption), {}, std::move(children)};
}

// Rows "1R X" to "5R X", each with "1C" to "5C": N<rows>C<cols>Click.
MenuItem tableGrid(std::string caption, std::vector<MenuItem> tags, int from) {
  for (int r = from; r <= 5; ++r) {
    std::vector<MenuItem> cols;
    for (int c = from; c <= 5; ++c) cols.push_back(item(cmd::grid(r, c)));
    tags.push_back(sub(std::to_string(r) + "R X", std::move(cols)));
  }
  return sub(std::move(caption), std::move(tags));
}

std::vector<MenuItem> listItems() {
  return {item(cmd::BitBtnOLClick), item(cmd::UnorderedListUL1Click), item(cmd::BitBtnLIClick),
          item(cmd::BitBtnDLClick), item(cmd::BitBtnDTClick),         item(cmd::BitBtnDDClick)};
}

std::vector<MenuItem> fontItems() {
  return {item(cmd::font2Click),       item(cmd::font11Click),       item(cmd::font21Click),
          item(cmd::font12Click),      item(cmd::font22Click),       item(cmd::BoldTagClick),
          item(cmd::ItalicClick),      item(cmd::UnderlineClick),    item(cmd::PRE1Click),
          item(cmd::Blockquote1Click), item(cmd::Superscript1Click), item(cmd::Subscript1Click)};
}

std::vector<MenuItem> tableTagItems() {
  return {item(cmd::table2Click), item(cmd::Caption1Click), item(cmd::th1Click), item(cmd::tr1Click),
          item(cmd::td1Click)};
}

std::vector<MenuItem> frameItems() {
  return {item(cmd::BitBtnSetDialogClick), item(cmd::BitBtnFrameDialogClick), item(cmd::BitBtnSETClick),
          item(cmd::BitBtnFRAClick), item(cmd::BitBtnNOClick)};
}

std::vector<MenuItem> fileMenuItems() {
  return {item(cmd::NewProject1Click),
          item(cmd::NewHTMLFile1Click),
          sep(),
          item(cmd::Open1Click),
          item(cmd::OpenHTMLFile1Click),
          item(cmd::BitBtnLoadFromTemplateClick),
          sep(),
          item(cmd::Save1Click),
          item(cmd::SaveAs1Click),
          sep(),
          item(cmd::SaveHTMLFile1Click),
          item(cmd::SaveHTMLFileAs1Click),
          item(cmd::ReopenwithEncoding1Click),
          item(cmd::ConverttoUTF81Click),
          sep(),
          item(cmd::CloseHTMLFile1Click),
          item(cmd::NextPage1Click),
          item(cmd::PreviousPage1Click),
          item(cmd::ClosePage1Click),
          sep(),
          item(cmd::PrintProjectOutline1Click),
          sep(),
          item(cmd::Quit1Click)};
}

std::vector<MenuItem> editMenuItems() {
  return {item(cmd::BitBtnUndoClick),
          sep(),
          item(cmd::Cut1Click),
          item(cmd::Copy1Click),
          item(cmd::Paste1Click),
          item(cmd::SelectAll1Click),
          sep(),
          item(cmd::BitBtnDeleteClick),
          item(cmd::ChangeDescription1Click),
          item(cmd::ChangeDescription1Click, "C&hange Page Title"),
          sep(),
          item(cmd::Replaceallwith1Click),
          item(cmd::Replaceprecisewithonlyintags1Click),
          item(cmd::BitBtnSpellCheckClick)};
}

std::vector<MenuItem> tagsMenuItems() {
  return {
      item(cmd::SpeedBar1Click),
      sep(),
      item(cmd::BitBtnPowerBodyClick),
      item(cmd::BitBtnPowerAnchorClick),
      item(cmd::BitBtnPowerImageClick),
      item(cmd::BitBtnPowerTableClick),
      item(cmd::PowerFrameClick),
      item(cmd::BitBtnPowerListClick),
      sep(),
      item(cmd::AHREF1Click),
      item(cmd::HorizontalLine1Click),
      sub("Heading..", {item(cmd::H11Click), item(cmd::H21Click), item(cmd::H31Click)}),
      item(cmd::Paragraph1Click),
      item(cmd::Center1Click),
      item(cmd::LineBreak1Click),
      item(cmd::NonbreakingSpace1Click),
      sep(),
      sub("Lists...", listItems()),
      sub("Font...", fontItems()),
      tableGrid("Table...", tableTagItems(), 1),
      sub("Frames", frameItems()),
      item(cmd::Comment1Click),
      item(cmd::MailTo1Click),
      sub("Special Characters...",
          {item(cmd::Copyright1Click), item(cmd::TM1Click), item(cmd::RRegisteredTrademark1Click), item(cmd::N141Click),
           item(cmd::N121Click), item(cmd::N341Click), item(cmd::N17Click), item(cmd::N22Click), item(cmd::N23Click)}),
      item(cmd::BitBtnColorNowClick),
      item(cmd::InsertLastModifiedDateTime1Click)};
}

std::vector<MenuItem> helpMenuItems() {
  return {item(cmd::WelcometoQuillonPro1Click),      item(cmd::HelpOnTop1Click),
          item(cmd::FrequentlyAskedQuestions1Click), item(cmd::Instructions1Click),
          item(cmd::ShowTipoftheDay1Click),          sep(),
          item(cmd::BugsSuggestionsFeedback1Click),  item(cmd::About1Click)};
}

}  // namespace

const std::vector<MenuItem>& mainMenu() {
  static const std::vector<MenuItem> menu = {
      sub("&File", fileMenuItems()),
      sub("&Edit", editMenuItems()),
      sub("Sea&rch",
          {item(cmd::BitBtnFindClick), item(cmd::FindNext1Click), item(cmd::Replace1Click),
           item(cmd::BitBtnReplaceAllClick), item(cmd::FindinSite1Click), item(cmd::UndoLastSiteReplace1Click)}),
      sub("&Tags", tagsMenuItems()),
      sub("Too&ls", {item(cmd::FTP1Click), item(cmd::BitBtnBackupClick), item(cmd::GetPageLoadingData1Click),
                     item(cmd::CheckSite1Click), item(cmd::ColorPicker1Click), item(cmd::WebsiteProjectBuilder1Click)}),
      item(cmd::PreferencesSettings1Click),
      sub("FT&P", {item(cmd::BitBtnFTPAddClick), item(cmd::AddImagesfromopenHTMLfiletoFTPlist1Click),
                   item(cmd::FTP1Click, "Go to FTP screen"), item(cmd::PublishSite1Click)}),
      sub("Helper &Apps", {item(cmd::LauchImageEditor1Click), item(cmd::LaunchFTPProgram1Click),
                           item(cmd::LaunchImageMapEditor1Click)}),
      sub("&Help", helpMenuItems()),
  };
  return menu;
}

const std::vector<MenuItem>& outlineMenu() {
  static const std::vector<MenuItem> menu = {
      item(cmd::Open1Click),
      item(cmd::PrintProjectOutline1Click, "Print Project"),
      sep(),
      item(cmd::Outline1DblClick),
      item(cmd::BitBtnDeleteClick),
      sep(),
      item(cmd::Button1Click),
      item(cmd::BitBtnAddChildClick),
      sep(),
      item(cmd::ButtonMoveClick),
      sep(),
      item(cmd::ChangeDescription1Click),
      item(cmd::ChangeDescription1Click, "Change Page Title"),
      sep(),
      sub("Expand", {item(cmd::Selected1Click), item(cmd::AllPageGroups1Click)}),
      sub("Collapse", {item(cmd::ThisLevel1Click), item(cmd::EntireSite1Click)}),
      sep(),
      item(cmd::BitBtnFTPAddClick, "FTP :  Add to FTP list"),
      item(cmd::GetPageLoadingData1Click, "Page/Site Analysis"),
  };
  return menu;
}

const std::vector<MenuItem>& editorMenu() {
  static const std::vector<MenuItem> menu = {
      item(cmd::BitBtnUndoClick),
      sep(),
      item(cmd::NewHTMLFile1Click, "New"),
      item(cmd::OpenHTMLFile1Click, "Open"),
      item(cmd::SaveHTMLFile1Click, "Save"),
      item(cmd::SaveHTMLFileAs1Click, "Save As.."),
      item(cmd::PrintProjectOutline1Click, "Print"),
      sep(),
      item(cmd::Cut1Click),
      item(cmd::Copy1Click),
      item(cmd::Paste1Click),
      item(cmd::SelectAll1Click),
      sep(),
      sub("Power...", {item(cmd::BitBtnPowerBodyClick), item(cmd::BitBtnPowerAnchorClick),
                       item(cmd::BitBtnPowerImageClick), item(cmd::BitBtnPowerTableClick), item(cmd::PowerFrameClick),
                       item(cmd::BitBtnPowerListClick), item(cmd::HorizontalLine1Click, "<HR>")}),
      sub("Format...", {item(cmd::H11Click), item(cmd::H21Click), item(cmd::H31Click), item(cmd::HorizontalLine1Click),
                        item(cmd::Paragraph1Click), item(cmd::Center1Click), item(cmd::LineBreak1Click),
                        item(cmd::NonbreakingSpace1Click)}),
      sub("Font...", fontItems()),
      tableGrid("Table...", tableTagItems(), 2),
      sub("List...", listItems()),
      sub("Frame...", frameItems()),
      item(cmd::MailTo1Click),
      item(cmd::Comment1Click, "Comment.."),
      item(cmd::BitBtnColorNowClick),
      item(cmd::TagColorOptions1Click),
      item(cmd::ColorPicker1Click, "Color Picker"),
      sep(),
      item(cmd::BitBtnSpellCheckClick),
      item(cmd::BitBtnFindClick, "Find ..."),
      item(cmd::Replace1Click, "Replace ..."),
      sep(),
      item(cmd::BitBtnOptionsClick),
  };
  return menu;
}

const std::vector<MenuItem>& fileListMenu() {
  static const std::vector<MenuItem> menu = {
      item(cmd::BitBtnInsertLinkImageClick),
      item(cmd::BitBtnInsertLinkImageClick, "Insert Link to HTML file"),
      item(cmd::AnalyzeWebPage1Click),
      item(cmd::BitBtnFTPAddClick, "FTP :  Add to FTP list"),
  };
  return menu;
}

const std::vector<MenuItem>& urlSnipMenu() {
  static const std::vector<MenuItem> menu = {item(cmd::ButtonEditURLClick)};
  return menu;
}

const std::vector<MenuItem>& miscSnipMenu() {
  static const std::vector<MenuItem> menu = {item(cmd::ButtonEditMiscClick)};
  return menu;
}

const std::vector<std::vector<ToolButton>>& toolbarRows() {
  static const std::vector<std::vector<ToolButton>> rows = {
      {{"New Project", "New", cmd::NewProject1Click},
       {"Open Project", "Open", cmd::Open1Click},
       {"Save Project", "Save", cmd::Save1Click},
       {"Remove page from project", "Remove", cmd::BitBtnDeleteClick},
       {"Print", "Print", cmd::PrintProjectOutline1Click},
       {"Settings", "Settings", cmd::BitBtnOptionsClick},
       {"MS Explorer Preview", "IE", cmd::BitBtnIEClick},
       {"Netscape Preview", "NS", cmd::BitBtnNSClick},
       {"Site/Page Analysis", "Analyze", cmd::GetPageLoadingData1Click},
       {"Backup Project Files", "Backup", cmd::BitBtnBackupClick},
       {"Help", "?", cmd::Instructions1Click}},
      {{"Cut", "Cut", cmd::Cut1Click},
       {"Copy", "Copy", cmd::Copy1Click},
       {"Paste", "Paste", cmd::Paste1Click},
       {"Undo", "Undo", cmd::BitBtnUndoClick},
       {"Find Text", "Find", cmd::BitBtnFindClick},
       {"Replace Text", "Replace", cmd::Replace1Click},
       {"Extended Replace", "Ext. Replace", cmd::BitBtnReplaceAllClick},
       {"Show Tag Panel", "Tags", cmd::SpeedBar1Click},
       {"Check spelling", "Spell", cmd::BitBtnSpellCheckClick},
       {"Go to FTP Screen", "FTP", cmd::FTP1Click},
       {"Add a file or image to the FTP list", "+FTP", cmd::BitBtnFTPAddClick},
       {"Publish the site: send what changed", "Publish", cmd::PublishSite1Click}},
  };
  return rows;
}

const std::vector<ToolButton>& editorPaneButtons() {
  static const std::vector<ToolButton> buttons = {
      {"New HTML file", "New", cmd::NewHTMLFile1Click},
      {"Open HTML file", "Open", cmd::OpenHTMLFile1Click},
      {"Save HTML File", "Save", cmd::SaveHTMLFile1Click},
      {"Load HTML Template", "Template", cmd::BitBtnLoadFromTemplateClick},
      {"Color Tags Now", "Color Now", cmd::BitBtnColorNowClick},
  };
  return buttons;
}

const std::vector<ToolButton>& webSiteTabButtons() {
  static const std::vector<ToolButton> buttons = {
      {"", "&Add a Web Page", cmd::Button1Click},
      {"", "Add a Sub-Page", cmd::BitBtnAddChildClick},
      {"", "&Remove from Project", cmd::BitBtnDeleteClick},
      {"", "Moves Pages Up/Down", cmd::ButtonMoveClick},
  };
  return buttons;
}

const std::vector<ToolButton>& filesTabButtons() {
  static const std::vector<ToolButton> buttons = {
      {"Insert selected graphic or HTML file as link", "Insert Link/Image", cmd::BitBtnInsertLinkImageClick}};
  return buttons;
}

const std::vector<ButtonPage>& tagPanelPages() {
  static const std::vector<ButtonPage> pages = {
      {"Common",
       {{"Power Body Tag", "Body", cmd::BitBtnPowerBodyClick},
        {"Power Anchor Tag", "Anchor", cmd::BitBtnPowerAnchorClick},
        {"Power Image Tag/Preview", "Image", cmd::BitBtnPowerImageClick},
        {"Power Table Tag", "Table", cmd::BitBtnPowerTableClick},
        {"Insert CENTER Tag", "Center", cmd::Center1Click},
        {"Insert MAILTO Link", "@", cmd::MailTo1Click},
        {"Insert <P> Tag", "P", cmd::Paragraph1Click},
        {"Insert BOLD Tag", "B", cmd::BoldTagClick},
        {"Insert ITALICS Tag", "I", cmd::ItalicClick},
        {"Insert UNDERLINE Tag", "U", cmd::UnderlineClick},
        {"Power List Tag", "List", cmd::BitBtnPowerListClick},
        {"Insert <BR> Tag", "BR", cmd::LineBreak1Click},
        {"POWER Frame Tag", "Frame", cmd::PowerFrameClick, "BitBtnPowerFrame"}}},
      {"Font",
       {{"Insert FONT Tag", "F", cmd::font2Click},
        {"Insert FONT SIZE +1 Tag", "F+1", cmd::font11Click},
        {"Insert FONT SIZE +2 Tag", "F+2", cmd::font21Click},
        {"Insert FONT SIZE -1 Tag", "F-1", cmd::font12Click},
        {"Insert FONT SIZE -2 Tag", "F-2", cmd::font22Click},
        {"Insert SUPERSCRIPT Tag", "Sup", cmd::Superscript1Click},
        {"Insert SUBSCRIPT Tag", "Sub", cmd::Subscript1Click},
        {"Insert <H1> Tag", "H1", cmd::H11Click},
        {"Insert <H2> Tag", "H2", cmd::H21Click},
        {"Insert <H3> Tag", "H3", cmd::H31Click},
        {"Insert <PRE> Tag", "PRE", cmd::PRE1Click}}},
      {"List",
       {{"Power LIST Tag", "List", cmd::BitBtnPowerListClick, "BitBtnList"},
        {"Insert UNORDERED LIST Tag", "UL", cmd::UnorderedListUL1Click},
        {"Insert ORDERED LIST Tag", "OL", cmd::BitBtnOLClick},
        {"Insert LIST ITEM Tag", "LI", cmd::BitBtnLIClick},
        {"Insert DEFINITION LIST Tag", "DL", cmd::BitBtnDLClick},
        {"Insert DEFINITION TERM Tag", "DT", cmd::BitBtnDTClick},
        {"Insert DEFINITION Tag", "DD", cmd::BitBtnDDClick}}},
      {"Table",
       {{"POWER Table Tag", "Table", cmd::BitBtnPowerTableClick, "BitBtn3"},
        {"Insert TABLE Tag", "Tbl", cmd::table2Click},
        {"Insert Table Row Tag", "TR", cmd::tr1Click},
        {"Insert Table Heading Tag", "TH", cmd::th1Click},
        {"Insert Table Data Tag", "TD", cmd::td1Click},
        {"Insert Table Caption Tag", "Cap", cmd::Caption1Click}}},
      {"Frames",
       {{"POWER Frame", "Frame", cmd::PowerFrameClick, "BitBtnPFrame"},
        {"FRAMESET Dialog", "SET...", cmd::BitBtnSetDialogClick},
        {"FRAME Dialog", "FRA...", cmd::BitBtnFrameDialogClick},
        {"Insert NOFRAMES tag", "NO", cmd::BitBtnNOClick},
        {"Insert FRAME tag", "FRA", cmd::BitBtnFRAClick},
        {"Insert FRAMESET tag", "SET", cmd::BitBtnSETClick}}},
  };
  return pages;
}

std::string withoutAccessKeys(const std::string& caption) {
  std::string out;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (i + 1 < caption.size() && caption[i + 1] == '&') out += caption[++i];
      continue;
    }
    out += caption[i];
  }
  return out;
}

const std::vector<std::string>& controlCommands() {
  static const std::vector<std::string> names = {cmd::CheckWrapClick,           cmd::WordWrap1Click,
                                                 cmd::CheckBoxColoredTagsClick, cmd::BitBtnStopColorsMouseDown,
                                                 cmd::BitBtnCustomAddClick,     cmd::BitBtnCustomDeleteClick};
  return names;
}

std::vector<std::string> placedCommands() {
  std::vector<std::string> out;
  std::set<std::string> seen;
  auto add = [&](const std::string& name) {
    if (!name.empty() && seen.insert(name).second) out.push_back(name);
  };
  auto walk = [&](auto&& self, const std::vector<MenuItem>& items) -> void {
    for (const auto& i : items) {
      if (i.isSubmenu())
        self(self, i.children);
      else if (!i.isSeparator())
        add(i.command);
    }
  };
  for (const auto* menu :
       {&mainMenu(), &outlineMenu(), &editorMenu(), &fileListMenu(), &urlSnipMenu(), &miscSnipMenu()})
    walk(walk, *menu);
  auto buttons = [&](const std::vector<ToolButton>& list) {
    for (const auto& b : list) add(b.command);
  };
  for (const auto& row : toolbarRows()) buttons(row);
  buttons(editorPaneButtons());
  buttons(webSiteTabButtons());
  buttons(filesTabButtons());
  for (const auto& page : tagPanelPages()) buttons(page.buttons);
  for (const auto& name : controlCommands()) add(name);
  return out;
}

}  // namespace quillon
