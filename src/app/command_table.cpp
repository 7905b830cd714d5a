#include "app/command_table.h"

#include <set>

namespace quillon {

namespace {

MenuItem item(std::string caption, std::string command, std::string shortcut = {}) {
  return MenuItem{std::move(caption), std::move(shortcut), std::move(command), {}};
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
      cols.push_back(item(std::to_string(c) + "C", "N" + std::to_string(r) + "C" + std::to_string(c) + "Click"));
    tags.push_back(sub(std::to_string(r) + "R X", std::move(cols)));
  }
  return sub(std::move(caption), std::move(tags));
}

std::vector<MenuItem> listItems() {
  return {item("Ordered List <OL>", "BitBtnOLClick"),     item("Unordered List <UL>", "UnorderedListUL1Click"),
          item("List Item <LI>", "BitBtnLIClick"),        item("Definition List <DL>", "BitBtnDLClick"),
          item("Definition Term <DT>", "BitBtnDTClick"), item("Definition <DD>", "BitBtnDDClick")};
}

std::vector<MenuItem> fontItems() {
  return {item("<FONT>", "font2Click"),
          item("Font Size +1", "font11Click", "Alt+F1"),
          item("Font Size +2", "font21Click", "Alt+F2"),
          item("Font Size -1", "font12Click", "Ctrl+Alt+F1"),
          item("Font Size -2", "font22Click", "Ctrl+Alt+F2"),
          item("Bold", "BoldTagClick", "Ctrl+Shift+B"),
          item("Italic", "ItalicClick", "Ctrl+Shift+I"),
          item("Underline", "UnderlineClick", "Ctrl+Shift+U"),
          item("<PRE>", "PRE1Click"),
          item("Blockquote", "Blockquote1Click"),
          item("Superscript", "Superscript1Click"),
          item("Subscript", "Subscript1Click")};
}

std::vector<MenuItem> tableTagItems() {
  return {item("<TABLE>", "table2Click"), item("<Caption>", "Caption1Click"), item("<TH>", "th1Click"),
          item("<TR>", "tr1Click"), item("<TD>", "td1Click")};
}

std::vector<MenuItem> frameItems() {
  return {item("FRAMESET Dialog", "BitBtnSetDialogClick"), item("FRAME Dialog", "BitBtnFrameDialogClick"),
          item("<FRAMESET>", "BitBtnSETClick"), item("<FRAME>", "BitBtnFRAClick"), item("<NOFRAME>", "BitBtnNOClick")};
}

}  // namespace

const std::vector<MenuItem>& mainMenu() {
  static const std::vector<MenuItem> menu = {
      sub("&File", {item("&New Project", "NewProject1Click", "Ctrl+N"),
                    item("New HTML File", "NewHTMLFile1Click", "Alt+N"),
                    sep(),
                    item("&Open Project", "Open1Click", "Ctrl+O"),
                    item("Open HTML File", "OpenHTMLFile1Click", "Alt+O"),
                    item("Open HTML Template", "BitBtnLoadFromTemplateClick"),
                    sep(),
                    item("&Save Project", "Save1Click", "Ctrl+S"),
                    item("Save Project &As", "SaveAs1Click"),
                    sep(),
                    item("Save &HTML File", "SaveHTMLFile1Click", "Alt+S"),
                    item("Save HT&ML File As", "SaveHTMLFileAs1Click"),
                    sep(),
                    item("Close HTML File", "CloseHTMLFile1Click"),
                    sep(),
                    item("&Print Project/HTML", "PrintProjectOutline1Click", "Ctrl+P"),
                    sep(),
                    item("E&xit", "Quit1Click", "Alt+X")}),
      sub("&Edit", {item("&Undo", "BitBtnUndoClick", "Ctrl+Z"),
                    sep(),
                    item("Cu&t", "Cut1Click"),
                    item("&Copy", "Copy1Click"),
                    item("&Paste", "Paste1Click"),
                    item("Se&lect All", "SelectAll1Click", "Ctrl+A"),
                    sep(),
                    item("&Remove Page from Project", "BitBtnDeleteClick"),
                    item("Change &HTML Link", "ChangeDescription1Click"),
                    item("C&hange Page Title", "ChangeDescription1Click"),
                    sep(),
                    item("Replace &all \"\\\" with \"/\" (every occurence)", "Replaceallwith1Click", "Ctrl+\\"),
                    item("Replace precise \"\\\" with \"/\" (only in tags)", "Replaceprecisewithonlyintags1Click",
                         "Ctrl+Shift+\\"),
                    item("Spell Check", "BitBtnSpellCheckClick")}),
      sub("Sea&rch", {item("&Find", "BitBtnFindClick", "Ctrl+F"), item("Find &Next", "FindNext1Click", "F3"),
                      item("&Replace", "Replace1Click", "Ctrl+R"),
                      item("&Extended Replace", "BitBtnReplaceAllClick", "Ctrl+E")}),
      sub("&Tags",
          {item("Show Tag Panel", "SpeedBar1Click"),
           sep(),
           item("Power <&BODY>", "BitBtnPowerBodyClick", "Ctrl+B"),
           item("Power <&A HREF>", "BitBtnPowerAnchorClick", "Ctrl+H"),
           item("Power <&IMG>", "BitBtnPowerImageClick", "Ctrl+I"),
           item("Power <&TABLE>", "BitBtnPowerTableClick", "Ctrl+T"),
           item("Power <&FRAME>", "PowerFrameClick", "Ctrl+Shift+F"),
           item("Power &LIST", "BitBtnPowerListClick", "Ctrl+L"),
           sep(),
           item("<A HREF>", "AHREF1Click"),
           item("Horizontal Rule <HR>", "HorizontalLine1Click"),
           sub("Heading..", {item("H1", "H11Click"), item("H2", "H21Click"), item("H3", "H31Click")}),
           item("Paragraph <P>", "Paragraph1Click", "Alt+Return"),
           item("Center", "Center1Click", "Ctrl+Shift+C"),
           item("Line Break <BR>", "LineBreak1Click", "Shift+Return"),
           item("Non-breaking Space", "NonbreakingSpace1Click", "Ctrl+Shift+N"),
           sep(),
           sub("Lists...", listItems()),
           sub("Font...", fontItems()),
           tableGrid("Table...", tableTagItems(), 1),
           sub("Frames", frameItems()),
           item("Comment", "Comment1Click"),
           item("Mail To:", "MailTo1Click", "Ctrl+Shift+M"),
           sub("Special Characters...",
               {item("Copyright", "Copyright1Click"), item("TM - Trademark", "TM1Click"),
                item("R - Registered Trademark", "RRegisteredTrademark1Click"), item("1/4", "N141Click"),
                item("1/2", "N121Click"), item("3/4", "N341Click"), item("Ampersand", "N17Click"),
                item("<", "N22Click"), item(">", "N23Click")}),
           item("&Color Tags Now", "BitBtnColorNowClick", "Ctrl+K"),
           item("Insert Last Modified Date/Time", "InsertLastModifiedDateTime1Click")}),
      sub("Too&ls", {item("FTP File Transfer", "FTP1Click"), item("Backup HTML files", "BitBtnBackupClick", "Ctrl+F1"),
                     item("Analyze Page/Site", "GetPageLoadingData1Click", "Ctrl+F2"),
                     item("Color Picker...", "ColorPicker1Click"),
                     item("Website Project Builder", "WebsiteProjectBuilder1Click")}),
      item("Settin&gs", "PreferencesSettings1Click", "Ctrl+F3"),
      sub("FT&P", {item("Add Selected File to FTP List", "BitBtnFTPAddClick"),
                   item("Add Images from open HTML file to FTP list", "AddImagesfromopenHTMLfiletoFTPlist1Click"),
                   item("Go to FTP screen", "FTP1Click")}),
      sub("Helper &Apps", {item("Lauch &Image Editor", "LauchImageEditor1Click"),
                           item("Launch &FTP Program", "LaunchFTPProgram1Click"),
                           item("Launch Image &Map Editor", "LaunchImageMapEditor1Click")}),
      sub("&Help", {item("&Welcome to Quillon Pro", "WelcometoQuillonPro1Click"),
                    item("Show Help On &Top", "HelpOnTop1Click", "Ctrl+/"),
                    item("Frequently Asked Questions", "FrequentlyAskedQuestions1Click"),
                    item("&Instructions", "Instructions1Click"),
                    item("Show Tip of the &Day", "ShowTipoftheDay1Click"),
                    sep(),
                    item("&Bugs/Suggestions/Feedback", "BugsSuggestionsFeedback1Click"),
                    item("&About", "About1Click")}),
  };
  return menu;
}

const std::vector<MenuItem>& outlineMenu() {
  static const std::vector<MenuItem> menu = {
      item("Open Project", "Open1Click"),
      item("Print Project", "PrintProjectOutline1Click"),
      sep(),
      item("Open/Edit Web Page", "Outline1DblClick"),
      item("Remove Page from Project", "BitBtnDeleteClick"),
      sep(),
      item("Add a Web Page", "Button1Click"),
      item("Add a Sub-Page", "BitBtnAddChildClick"),
      sep(),
      item("Move Page Up/Down", "ButtonMoveClick"),
      sep(),
      item("Change HTML Link", "ChangeDescription1Click"),
      item("Change Page Title", "ChangeDescription1Click"),
      sep(),
      sub("Expand", {item("This Page Group", "Selected1Click"), item("All Page Groups", "AllPageGroups1Click")}),
      sub("Collapse", {item("This Page Group", "ThisLevel1Click"), item("All Page Groups", "EntireSite1Click")}),
      sep(),
      item("FTP :  Add to FTP list", "BitBtnFTPAddClick"),
      item("Page/Site Analysis", "GetPageLoadingData1Click"),
  };
  return menu;
}

const std::vector<MenuItem>& editorMenu() {
  static const std::vector<MenuItem> menu = {
      item("Undo", "BitBtnUndoClick"),
      sep(),
      item("New", "NewHTMLFile1Click"),
      item("Open", "OpenHTMLFile1Click"),
      item("Save", "SaveHTMLFile1Click"),
      item("Save As..", "SaveHTMLFileAs1Click"),
      item("Print", "PrintProjectOutline1Click"),
      sep(),
      item("Cut", "Cut1Click"),
      item("Copy", "Copy1Click"),
      item("Paste", "Paste1Click"),
      item("Select All", "SelectAll1Click"),
      sep(),
      sub("Power...", {item("Power <BODY>", "BitBtnPowerBodyClick"), item("Power <A HREF>", "BitBtnPowerAnchorClick"),
                       item("Power <IMG>", "BitBtnPowerImageClick"), item("Power <TABLE>", "BitBtnPowerTableClick"),
                       item("Power <FRAME>", "PowerFrameClick"), item("Power LIST", "BitBtnPowerListClick"),
                       item("<HR>", "HorizontalLine1Click")}),
      sub("Format...", {item("H1", "H11Click"), item("H2", "H21Click"), item("H3", "H31Click"),
                        item("Horizontal Rule <HR>", "HorizontalLine1Click"), item("Paragraph <P>", "Paragraph1Click"),
                        item("Center", "Center1Click"), item("Line Break <BR>", "LineBreak1Click"),
                        item("Non-breaking Space", "NonbreakingSpace1Click")}),
      sub("Font...", fontItems()),
      tableGrid("Table...", tableTagItems(), 2),
      sub("List...", listItems()),
      sub("Frame...", frameItems()),
      item("Mail To:", "MailTo1Click"),
      item("Comment..", "Comment1Click"),
      item("Color Tags Now", "BitBtnColorNowClick"),
      item("Tag Color Options", "TagColorOptions1Click"),
      item("Color Picker", "ColorPicker1Click"),
      sep(),
      item("Spell Check", "BitBtnSpellCheckClick"),
      item("Find ...", "BitBtnFindClick"),
      item("Replace ...", "Replace1Click"),
      sep(),
      item("Settings", "BitBtnOptionsClick"),
  };
  return menu;
}

const std::vector<MenuItem>& fileListMenu() {
  static const std::vector<MenuItem> menu = {
      item("Insert Image", "BitBtnInsertLinkImageClick"),
      item("Insert Link to HTML file", "BitBtnInsertLinkImageClick"),
      item("Analyze Web Page", "AnalyzeWebPage1Click"),
      item("FTP :  Add to FTP list", "BitBtnFTPAddClick"),
  };
  return menu;
}

const std::vector<MenuItem>& urlSnipMenu() {
  static const std::vector<MenuItem> menu = {item("Edit Snip", "ButtonEditURLClick")};
  return menu;
}

const std::vector<MenuItem>& miscSnipMenu() {
  static const std::vector<MenuItem> menu = {item("Edit Snip", "ButtonEditMiscClick")};
  return menu;
}

const std::vector<std::vector<ToolButton>>& toolbarRows() {
  static const std::vector<std::vector<ToolButton>> rows = {
      {{"New Project", "New", "NewProject1Click"},
       {"Open Project", "Open", "Open1Click"},
       {"Save Project", "Save", "Save1Click"},
       {"Remove page from project", "Remove", "BitBtnDeleteClick"},
       {"Print", "Print", "PrintProjectOutline1Click"},
       {"Settings", "Settings", "BitBtnOptionsClick"},
       {"MS Explorer Preview", "IE", "BitBtnIEClick"},
       {"Netscape Preview", "NS", "BitBtnNSClick"},
       {"Site/Page Analysis", "Analyze", "GetPageLoadingData1Click"},
       {"Backup Project Files", "Backup", "BitBtnBackupClick"},
       {"Help", "?", "Instructions1Click"}},
      {{"Cut", "Cut", "Cut1Click"},
       {"Copy", "Copy", "Copy1Click"},
       {"Paste", "Paste", "Paste1Click"},
       {"Undo", "Undo", "BitBtnUndoClick"},
       {"Find Text", "Find", "BitBtnFindClick"},
       {"Replace Text", "Replace", "Replace1Click"},
       {"Extended Replace", "Ext. Replace", "BitBtnReplaceAllClick"},
       {"Show Tag Panel", "Tags", "SpeedBar1Click"},
       {"Check spelling", "Spell", "BitBtnSpellCheckClick"},
       {"Go to FTP Screen", "FTP", "FTP1Click"},
       {"Add a file or image to the FTP list", "+FTP", "BitBtnFTPAddClick"}},
  };
  return rows;
}

const std::vector<ToolButton>& editorPaneButtons() {
  static const std::vector<ToolButton> buttons = {
      {"New HTML file", "New", "NewHTMLFile1Click"},
      {"Open HTML file", "Open", "OpenHTMLFile1Click"},
      {"Save HTML File", "Save", "SaveHTMLFile1Click"},
      {"Load HTML Template", "Template", "BitBtnLoadFromTemplateClick"},
      {"Color Tags Now", "Color Now", "BitBtnColorNowClick"},
  };
  return buttons;
}

const std::vector<ToolButton>& webSiteTabButtons() {
  static const std::vector<ToolButton> buttons = {
      {"", "&Add a Web Page", "Button1Click"},
      {"", "Add a Sub-Page", "BitBtnAddChildClick"},
      {"", "&Remove from Project", "BitBtnDeleteClick"},
      {"", "Moves Pages Up/Down", "ButtonMoveClick"},
  };
  return buttons;
}

const std::vector<ToolButton>& filesTabButtons() {
  static const std::vector<ToolButton> buttons = {
      {"Insert selected graphic or HTML file as link", "Insert Link/Image", "BitBtnInsertLinkImageClick"}};
  return buttons;
}

const std::vector<ButtonPage>& tagPanelPages() {
  static const std::vector<ButtonPage> pages = {
      {"Common",
       {{"Power <BODY> builder", "Body", "BitBtnPowerBodyClick"},
        {"Power <A HREF> builder", "Anchor", "BitBtnPowerAnchorClick"},
        {"Power <IMG> builder", "Image", "BitBtnPowerImageClick"},
        {"Power <TABLE> builder", "Table", "BitBtnPowerTableClick"},
        {"Insert CENTER Tag", "Center", "Center1Click"},
        {"Insert MAILTO Link", "@", "MailTo1Click"},
        {"Insert <P> Tag", "P", "Paragraph1Click"},
        {"Insert BOLD Tag", "B", "BoldTagClick"},
        {"Insert ITALICS Tag", "I", "ItalicClick"},
        {"Insert UNDERLINE Tag", "U", "UnderlineClick"},
        {"Power LIST builder", "List", "BitBtnPowerListClick"},
        {"Insert <BR> Tag", "BR", "LineBreak1Click"},
        {"Power FRAME builder", "Frame", "PowerFrameClick"}}},
      {"Font",
       {{"Insert FONT Tag", "F", "font2Click"},
        {"Insert FONT SIZE +1 Tag", "F+1", "font11Click"},
        {"Insert FONT SIZE +2 Tag", "F+2", "font21Click"},
        {"Insert FONT SIZE -1 Tag", "F-1", "font12Click"},
        {"Insert FONT SIZE -2 Tag", "F-2", "font22Click"},
        {"Insert SUPERSCRIPT Tag", "Sup", "Superscript1Click"},
        {"Insert SUBSCRIPT Tag", "Sub", "Subscript1Click"},
        {"Insert <H1> Tag", "H1", "H11Click"},
        {"Insert <H2> Tag", "H2", "H21Click"},
        {"Insert <H3> Tag", "H3", "H31Click"},
        {"Insert <PRE> Tag", "PRE", "PRE1Click"}}},
      {"List",
       {{"Power LIST builder", "List", "BitBtnPowerListClick"},
        {"Insert UNORDERED LIST Tag", "UL", "UnorderedListUL1Click"},
        {"Insert ORDERED LIST Tag", "OL", "BitBtnOLClick"},
        {"Insert LIST ITEM Tag", "LI", "BitBtnLIClick"},
        {"Insert DEFINITION LIST Tag", "DL", "BitBtnDLClick"},
        {"Insert DEFINITION TERM Tag", "DT", "BitBtnDTClick"},
        {"Insert DEFINITION Tag", "DD", "BitBtnDDClick"}}},
      {"Table",
       {{"Power <TABLE> builder", "Table", "BitBtnPowerTableClick"},
        {"Insert TABLE Tag", "Tbl", "table2Click"},
        {"Insert Table Row Tag", "TR", "tr1Click"},
        {"Insert Table Heading Tag", "TH", "th1Click"},
        {"Insert Table Data Tag", "TD", "td1Click"},
        {"Insert Table Caption Tag", "Cap", "Caption1Click"}}},
      {"Frames",
       {{"Power FRAME builder", "Frame", "PowerFrameClick"},
        {"FRAMESET tag dialog", "SET...", "BitBtnSetDialogClick"},
        {"FRAME tag dialog", "FRA...", "BitBtnFrameDialogClick"},
        {"Insert NOFRAMES tag", "NO", "BitBtnNOClick"},
        {"Insert FRAME tag", "FRA", "BitBtnFRAClick"},
        {"Insert FRAMESET tag", "SET", "BitBtnSETClick"}}},
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
  add("CheckWrapClick", "Wrap", "");
  add("WordWrap1Click", "Word Wrap", "");
  add("CheckBoxColoredTagsClick", "Turn Colored Tags On/Off", "");
  add("BitBtnStopColorsMouseDown", "Stop Colored Tag Processing", "");
  add("BitBtnCustomAddClick", "Add a Custom Tag", "");
  add("BitBtnCustomDeleteClick", "Delete a Custom Tag", "");
  return out;
}

}  // namespace quillon
