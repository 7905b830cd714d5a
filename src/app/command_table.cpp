#include "app/command_table.h"

#include <set>

#include "app/command_names.h"

namespace quillon {

namespace {

MenuItem item(std::string caption, CommandName command, std::string shortcut = {}) {
  return MenuItem{std::move(caption), std::move(shortcut), command, {}};
}
MenuItem sep() { return MenuItem{"-", {}, {}, {}}; }
MenuItem sub(std::string caption, std::vector<MenuItem> children) {
  return MenuItem{std::move(caption), {}, {}, std::move(children)};
}

// Rows "1R X" to "5R X", each with "1C" to "5C": N<rows>C<cols>Click.
MenuItem tableGrid(std::string caption, std::vector<MenuItem> tags, int from) {
  for (int r = from; r <= 5; ++r) {
    std::vector<MenuItem> cols;
    for (int c = from; c <= 5; ++c)
      cols.push_back(item(std::to_string(c) + "C", cmd::grid(r, c)));
    tags.push_back(sub(std::to_string(r) + "R X", std::move(cols)));
  }
  return sub(std::move(caption), std::move(tags));
}

std::vector<MenuItem> listItems() {
  return {item("Ordered List <OL>", cmd::BitBtnOLClick),     item("Unordered List <UL>", cmd::UnorderedListUL1Click),
          item("List Item <LI>", cmd::BitBtnLIClick),        item("Definition List <DL>", cmd::BitBtnDLClick),
          item("Definition Term <DT>", cmd::BitBtnDTClick), item("Definition <DD>", cmd::BitBtnDDClick)};
}

std::vector<MenuItem> fontItems() {
  return {item("<FONT>", cmd::font2Click),
          item("Font Size +1", cmd::font11Click, "Alt+F1"),
          item("Font Size +2", cmd::font21Click, "Alt+F2"),
          item("Font Size -1", cmd::font12Click, "Ctrl+Alt+F1"),
          item("Font Size -2", cmd::font22Click, "Ctrl+Alt+F2"),
          item("Bold", cmd::BoldTagClick, "Ctrl+Shift+B"),
          item("Italic", cmd::ItalicClick, "Ctrl+Shift+I"),
          item("Underline", cmd::UnderlineClick, "Ctrl+Shift+U"),
          item("<PRE>", cmd::PRE1Click),
          item("Blockquote", cmd::Blockquote1Click),
          item("Superscript", cmd::Superscript1Click),
          item("Subscript", cmd::Subscript1Click)};
}

std::vector<MenuItem> tableTagItems() {
  return {item("<TABLE>", cmd::table2Click), item("<Caption>", cmd::Caption1Click), item("<TH>", cmd::th1Click),
          item("<TR>", cmd::tr1Click), item("<TD>", cmd::td1Click)};
}

std::vector<MenuItem> frameItems() {
  return {item("FRAMESET Dialog", cmd::BitBtnSetDialogClick), item("FRAME Dialog", cmd::BitBtnFrameDialogClick),
          item("<FRAMESET>", cmd::BitBtnSETClick), item("<FRAME>", cmd::BitBtnFRAClick), item("<NOFRAME>", cmd::BitBtnNOClick)};
}

}  // namespace

const std::vector<MenuItem>& mainMenu() {
  static const std::vector<MenuItem> menu = {
      sub("&File", {item("&New Project", cmd::NewProject1Click, "Ctrl+N"),
                    item("New HTML File", cmd::NewHTMLFile1Click, "Alt+N"),
                    sep(),
                    item("&Open Project", cmd::Open1Click, "Ctrl+O"),
                    item("Open HTML File", cmd::OpenHTMLFile1Click, "Alt+O"),
                    item("Open HTML Template", cmd::BitBtnLoadFromTemplateClick),
                    sep(),
                    item("&Save Project", cmd::Save1Click, "Ctrl+S"),
                    item("Save Project &As", cmd::SaveAs1Click),
                    sep(),
                    item("Save &HTML File", cmd::SaveHTMLFile1Click, "Alt+S"),
                    item("Save HT&ML File As", cmd::SaveHTMLFileAs1Click),
                    sep(),
                    item("Close HTML File", cmd::CloseHTMLFile1Click),
                    sep(),
                    item("&Print Project/HTML", cmd::PrintProjectOutline1Click, "Ctrl+P"),
                    sep(),
                    item("E&xit", cmd::Quit1Click, "Alt+X")}),
      sub("&Edit", {item("&Undo", cmd::BitBtnUndoClick, "Ctrl+Z"),
                    sep(),
                    item("Cu&t", cmd::Cut1Click),
                    item("&Copy", cmd::Copy1Click),
                    item("&Paste", cmd::Paste1Click),
                    item("Se&lect All", cmd::SelectAll1Click, "Ctrl+A"),
                    sep(),
                    item("&Remove Page from Project", cmd::BitBtnDeleteClick),
                    item("Change &HTML Link", cmd::ChangeDescription1Click),
                    item("C&hange Page Title", cmd::ChangeDescription1Click),
                    sep(),
                    item("Replace &all \"\\\" with \"/\" (every occurence)", cmd::Replaceallwith1Click, "Ctrl+\\"),
                    item("Replace precise \"\\\" with \"/\" (only in tags)", cmd::Replaceprecisewithonlyintags1Click,
                         "Ctrl+Shift+\\"),
                    item("Spell Check", cmd::BitBtnSpellCheckClick)}),
      sub("Sea&rch", {item("&Find", cmd::BitBtnFindClick, "Ctrl+F"), item("Find &Next", cmd::FindNext1Click, "F3"),
                      item("&Replace", cmd::Replace1Click, "Ctrl+R"),
                      item("&Extended Replace", cmd::BitBtnReplaceAllClick, "Ctrl+E")}),
      sub("&Tags",
          {item("Show Tag Panel", cmd::SpeedBar1Click),
           sep(),
           item("Power <&BODY>", cmd::BitBtnPowerBodyClick, "Ctrl+B"),
           item("Power <&A HREF>", cmd::BitBtnPowerAnchorClick, "Ctrl+H"),
           item("Power <&IMG>", cmd::BitBtnPowerImageClick, "Ctrl+I"),
           item("Power <&TABLE>", cmd::BitBtnPowerTableClick, "Ctrl+T"),
           item("Power <&FRAME>", cmd::PowerFrameClick, "Ctrl+Shift+F"),
           item("Power &LIST", cmd::BitBtnPowerListClick, "Ctrl+L"),
           sep(),
           item("<A HREF>", cmd::AHREF1Click),
           item("Horizontal Rule <HR>", cmd::HorizontalLine1Click),
           sub("Heading..", {item("H1", cmd::H11Click), item("H2", cmd::H21Click), item("H3", cmd::H31Click)}),
           item("Paragraph <P>", cmd::Paragraph1Click, "Alt+Return"),
           item("Center", cmd::Center1Click, "Ctrl+Shift+C"),
           item("Line Break <BR>", cmd::LineBreak1Click, "Shift+Return"),
           item("Non-breaking Space", cmd::NonbreakingSpace1Click, "Ctrl+Shift+N"),
           sep(),
           sub("Lists...", listItems()),
           sub("Font...", fontItems()),
           tableGrid("Table...", tableTagItems(), 1),
           sub("Frames", frameItems()),
           item("Comment", cmd::Comment1Click),
           item("Mail To:", cmd::MailTo1Click, "Ctrl+Shift+M"),
           sub("Special Characters...",
               {item("Copyright", cmd::Copyright1Click), item("TM - Trademark", cmd::TM1Click),
                item("R - Registered Trademark", cmd::RRegisteredTrademark1Click), item("1/4", cmd::N141Click),
                item("1/2", cmd::N121Click), item("3/4", cmd::N341Click), item("Ampersand", cmd::N17Click),
                item("<", cmd::N22Click), item(">", cmd::N23Click)}),
           item("&Color Tags Now", cmd::BitBtnColorNowClick, "Ctrl+K"),
           item("Insert Last Modified Date/Time", cmd::InsertLastModifiedDateTime1Click)}),
      sub("Too&ls", {item("FTP File Transfer", cmd::FTP1Click), item("Backup HTML files", cmd::BitBtnBackupClick, "Ctrl+F1"),
                     item("Analyze Page/Site", cmd::GetPageLoadingData1Click, "Ctrl+F2"),
                     item("Color Picker...", cmd::ColorPicker1Click),
                     item("Website Project Builder", cmd::WebsiteProjectBuilder1Click)}),
      item("Settin&gs", cmd::PreferencesSettings1Click, "Ctrl+F3"),
      sub("FT&P", {item("Add Selected File to FTP List", cmd::BitBtnFTPAddClick),
                   item("Add Images from open HTML file to FTP list", cmd::AddImagesfromopenHTMLfiletoFTPlist1Click),
                   item("Go to FTP screen", cmd::FTP1Click)}),
      sub("Helper &Apps", {item("Lauch &Image Editor", cmd::LauchImageEditor1Click),
                           item("Launch &FTP Program", cmd::LaunchFTPProgram1Click),
                           item("Launch Image &Map Editor", cmd::LaunchImageMapEditor1Click)}),
      sub("&Help", {item("&Welcome to Quillon Pro", cmd::WelcometoQuillonPro1Click),
                    item("Show Help On &Top", cmd::HelpOnTop1Click, "Ctrl+/"),
                    item("Frequently Asked Questions", cmd::FrequentlyAskedQuestions1Click),
                    item("&Instructions", cmd::Instructions1Click),
                    item("Show Tip of the &Day", cmd::ShowTipoftheDay1Click),
                    sep(),
                    item("&Bugs/Suggestions/Feedback", cmd::BugsSuggestionsFeedback1Click),
                    item("&About", cmd::About1Click)}),
  };
  return menu;
}

const std::vector<MenuItem>& outlineMenu() {
  static const std::vector<MenuItem> menu = {
      item("Open Project", cmd::Open1Click),
      item("Print Project", cmd::PrintProjectOutline1Click),
      sep(),
      item("Open/Edit Web Page", cmd::Outline1DblClick),
      item("Remove Page from Project", cmd::BitBtnDeleteClick),
      sep(),
      item("Add a Web Page", cmd::Button1Click),
      item("Add a Sub-Page", cmd::BitBtnAddChildClick),
      sep(),
      item("Move Page Up/Down", cmd::ButtonMoveClick),
      sep(),
      item("Change HTML Link", cmd::ChangeDescription1Click),
      item("Change Page Title", cmd::ChangeDescription1Click),
      sep(),
      sub("Expand", {item("This Page Group", cmd::Selected1Click), item("All Page Groups", cmd::AllPageGroups1Click)}),
      sub("Collapse", {item("This Page Group", cmd::ThisLevel1Click), item("All Page Groups", cmd::EntireSite1Click)}),
      sep(),
      item("FTP :  Add to FTP list", cmd::BitBtnFTPAddClick),
      item("Page/Site Analysis", cmd::GetPageLoadingData1Click),
  };
  return menu;
}

const std::vector<MenuItem>& editorMenu() {
  static const std::vector<MenuItem> menu = {
      item("Undo", cmd::BitBtnUndoClick),
      sep(),
      item("New", cmd::NewHTMLFile1Click),
      item("Open", cmd::OpenHTMLFile1Click),
      item("Save", cmd::SaveHTMLFile1Click),
      item("Save As..", cmd::SaveHTMLFileAs1Click),
      item("Print", cmd::PrintProjectOutline1Click),
      sep(),
      item("Cut", cmd::Cut1Click),
      item("Copy", cmd::Copy1Click),
      item("Paste", cmd::Paste1Click),
      item("Select All", cmd::SelectAll1Click),
      sep(),
      sub("Power...", {item("Power <BODY>", cmd::BitBtnPowerBodyClick), item("Power <A HREF>", cmd::BitBtnPowerAnchorClick),
                       item("Power <IMG>", cmd::BitBtnPowerImageClick), item("Power <TABLE>", cmd::BitBtnPowerTableClick),
                       item("Power <FRAME>", cmd::PowerFrameClick), item("Power LIST", cmd::BitBtnPowerListClick),
                       item("<HR>", cmd::HorizontalLine1Click)}),
      sub("Format...", {item("H1", cmd::H11Click), item("H2", cmd::H21Click), item("H3", cmd::H31Click),
                        item("Horizontal Rule <HR>", cmd::HorizontalLine1Click), item("Paragraph <P>", cmd::Paragraph1Click),
                        item("Center", cmd::Center1Click), item("Line Break <BR>", cmd::LineBreak1Click),
                        item("Non-breaking Space", cmd::NonbreakingSpace1Click)}),
      sub("Font...", fontItems()),
      tableGrid("Table...", tableTagItems(), 2),
      sub("List...", listItems()),
      sub("Frame...", frameItems()),
      item("Mail To:", cmd::MailTo1Click),
      item("Comment..", cmd::Comment1Click),
      item("Color Tags Now", cmd::BitBtnColorNowClick),
      item("Tag Color Options", cmd::TagColorOptions1Click),
      item("Color Picker", cmd::ColorPicker1Click),
      sep(),
      item("Spell Check", cmd::BitBtnSpellCheckClick),
      item("Find ...", cmd::BitBtnFindClick),
      item("Replace ...", cmd::Replace1Click),
      sep(),
      item("Settings", cmd::BitBtnOptionsClick),
  };
  return menu;
}

const std::vector<MenuItem>& fileListMenu() {
  static const std::vector<MenuItem> menu = {
      item("Insert Image", cmd::BitBtnInsertLinkImageClick),
      item("Insert Link to HTML file", cmd::BitBtnInsertLinkImageClick),
      item("Analyze Web Page", cmd::AnalyzeWebPage1Click),
      item("FTP :  Add to FTP list", cmd::BitBtnFTPAddClick),
  };
  return menu;
}

const std::vector<MenuItem>& urlSnipMenu() {
  static const std::vector<MenuItem> menu = {item("Edit Snip", cmd::ButtonEditURLClick)};
  return menu;
}

const std::vector<MenuItem>& miscSnipMenu() {
  static const std::vector<MenuItem> menu = {item("Edit Snip", cmd::ButtonEditMiscClick)};
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
       {"Add a file or image to the FTP list", "+FTP", cmd::BitBtnFTPAddClick}},
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

std::vector<CommandInfo> allCommands() {
  std::vector<CommandInfo> out;
  std::set<std::string> seen;
  auto add = [&](const std::string& name, const std::string& caption, const std::string& shortcut) {
    if (name.empty() || !seen.insert(name).second) return;
    out.push_back({name, withoutAccessKeys(caption), shortcut});
  };
  auto walk = [&](auto&& self, const std::vector<MenuItem>& items) -> void {
    for (const auto& i : items) {
      if (i.isSubmenu()) self(self, i.children);
      else if (!i.isSeparator()) add(i.command, i.caption, i.shortcut);
    }
  };
  for (const auto* menu : {&mainMenu(), &outlineMenu(), &editorMenu(), &fileListMenu(), &urlSnipMenu(), &miscSnipMenu()})
    walk(walk, *menu);
  auto buttons = [&](const std::vector<ToolButton>& list) {
    for (const auto& b : list) add(b.command, b.hint.empty() ? b.caption : b.hint, "");
  };
  for (const auto& row : toolbarRows()) buttons(row);
  buttons(editorPaneButtons());
  buttons(webSiteTabButtons());
  buttons(filesTabButtons());
  for (const auto& page : tagPanelPages()) buttons(page.buttons);
  // Reached only from controls of the main window.
  add(cmd::CheckWrapClick, "Wrap", "");
  add(cmd::WordWrap1Click, "Word Wrap", "");
  add(cmd::CheckBoxColoredTagsClick, "Turn Colored Tags On/Off", "");
  add(cmd::BitBtnStopColorsMouseDown, "Stop Colored Tag Processing", "");
  add(cmd::BitBtnCustomAddClick, "Add a Custom Tag", "");
  add(cmd::BitBtnCustomDeleteClick, "Delete a Custom Tag", "");
  return out;
}

}  // namespace quillon
