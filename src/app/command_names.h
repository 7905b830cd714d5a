#pragma once

#include <string>

namespace quillon {

// A command's name. Code that enables or runs a command names it through these constants, so a misspelt
// name fails the build; a command named only by its record and its places may name itself as text there,
// since a test pairs every place with a record. Scripts and the automation driver name commands by text
// (CommandRegistry::trigger).
struct CommandName {
  const char* text;
  operator std::string() const { return text; }
  friend bool operator==(const std::string& a, CommandName b) { return a == b.text; }
};

namespace cmd {

inline constexpr CommandName NewProject1Click{"NewProject1Click"};
inline constexpr CommandName NewHTMLFile1Click{"NewHTMLFile1Click"};
inline constexpr CommandName Open1Click{"Open1Click"};
inline constexpr CommandName OpenHTMLFile1Click{"OpenHTMLFile1Click"};
inline constexpr CommandName BitBtnLoadFromTemplateClick{"BitBtnLoadFromTemplateClick"};
inline constexpr CommandName Save1Click{"Save1Click"};
inline constexpr CommandName SaveAs1Click{"SaveAs1Click"};
inline constexpr CommandName SaveHTMLFile1Click{"SaveHTMLFile1Click"};
inline constexpr CommandName SaveHTMLFileAs1Click{"SaveHTMLFileAs1Click"};
inline constexpr CommandName CloseHTMLFile1Click{"CloseHTMLFile1Click"};
inline constexpr CommandName NextPage1Click{"NextPage1Click"};
inline constexpr CommandName PreviousPage1Click{"PreviousPage1Click"};
inline constexpr CommandName ClosePage1Click{"ClosePage1Click"};
inline constexpr CommandName PrintProjectOutline1Click{"PrintProjectOutline1Click"};
inline constexpr CommandName Quit1Click{"Quit1Click"};
inline constexpr CommandName BitBtnUndoClick{"BitBtnUndoClick"};
inline constexpr CommandName Cut1Click{"Cut1Click"};
inline constexpr CommandName Copy1Click{"Copy1Click"};
inline constexpr CommandName Paste1Click{"Paste1Click"};
inline constexpr CommandName SelectAll1Click{"SelectAll1Click"};
inline constexpr CommandName BitBtnDeleteClick{"BitBtnDeleteClick"};
inline constexpr CommandName ChangeDescription1Click{"ChangeDescription1Click"};
inline constexpr CommandName Replaceallwith1Click{"Replaceallwith1Click"};
inline constexpr CommandName Replaceprecisewithonlyintags1Click{"Replaceprecisewithonlyintags1Click"};
inline constexpr CommandName BitBtnSpellCheckClick{"BitBtnSpellCheckClick"};
inline constexpr CommandName BitBtnFindClick{"BitBtnFindClick"};
inline constexpr CommandName FindNext1Click{"FindNext1Click"};
inline constexpr CommandName Replace1Click{"Replace1Click"};
inline constexpr CommandName BitBtnReplaceAllClick{"BitBtnReplaceAllClick"};
inline constexpr CommandName FindinSite1Click{"FindinSite1Click"};
inline constexpr CommandName UndoLastSiteReplace1Click{"UndoLastSiteReplace1Click"};
inline constexpr CommandName CheckSite1Click{"CheckSite1Click"};
inline constexpr CommandName ReopenwithEncoding1Click{"ReopenwithEncoding1Click"};
inline constexpr CommandName ConverttoUTF81Click{"ConverttoUTF81Click"};
inline constexpr CommandName SpeedBar1Click{"SpeedBar1Click"};
inline constexpr CommandName BitBtnPowerBodyClick{"BitBtnPowerBodyClick"};
inline constexpr CommandName BitBtnPowerAnchorClick{"BitBtnPowerAnchorClick"};
inline constexpr CommandName BitBtnPowerImageClick{"BitBtnPowerImageClick"};
inline constexpr CommandName BitBtnPowerTableClick{"BitBtnPowerTableClick"};
inline constexpr CommandName PowerFrameClick{"PowerFrameClick"};
inline constexpr CommandName BitBtnPowerListClick{"BitBtnPowerListClick"};
inline constexpr CommandName AHREF1Click{"AHREF1Click"};
inline constexpr CommandName HorizontalLine1Click{"HorizontalLine1Click"};
inline constexpr CommandName H11Click{"H11Click"};
inline constexpr CommandName H21Click{"H21Click"};
inline constexpr CommandName H31Click{"H31Click"};
inline constexpr CommandName Paragraph1Click{"Paragraph1Click"};
inline constexpr CommandName Center1Click{"Center1Click"};
inline constexpr CommandName LineBreak1Click{"LineBreak1Click"};
inline constexpr CommandName NonbreakingSpace1Click{"NonbreakingSpace1Click"};
inline constexpr CommandName BitBtnOLClick{"BitBtnOLClick"};
inline constexpr CommandName UnorderedListUL1Click{"UnorderedListUL1Click"};
inline constexpr CommandName BitBtnLIClick{"BitBtnLIClick"};
inline constexpr CommandName BitBtnDLClick{"BitBtnDLClick"};
inline constexpr CommandName BitBtnDTClick{"BitBtnDTClick"};
inline constexpr CommandName BitBtnDDClick{"BitBtnDDClick"};
inline constexpr CommandName font2Click{"font2Click"};
inline constexpr CommandName font11Click{"font11Click"};
inline constexpr CommandName font21Click{"font21Click"};
inline constexpr CommandName font12Click{"font12Click"};
inline constexpr CommandName font22Click{"font22Click"};
inline constexpr CommandName BoldTagClick{"BoldTagClick"};
inline constexpr CommandName ItalicClick{"ItalicClick"};
inline constexpr CommandName UnderlineClick{"UnderlineClick"};
inline constexpr CommandName PRE1Click{"PRE1Click"};
inline constexpr CommandName Blockquote1Click{"Blockquote1Click"};
inline constexpr CommandName Superscript1Click{"Superscript1Click"};
inline constexpr CommandName Subscript1Click{"Subscript1Click"};
inline constexpr CommandName table2Click{"table2Click"};
inline constexpr CommandName Caption1Click{"Caption1Click"};
inline constexpr CommandName th1Click{"th1Click"};
inline constexpr CommandName tr1Click{"tr1Click"};
inline constexpr CommandName td1Click{"td1Click"};
inline constexpr CommandName N1C1Click{"N1C1Click"};
inline constexpr CommandName N1C2Click{"N1C2Click"};
inline constexpr CommandName N1C3Click{"N1C3Click"};
inline constexpr CommandName N1C4Click{"N1C4Click"};
inline constexpr CommandName N1C5Click{"N1C5Click"};
inline constexpr CommandName N2C1Click{"N2C1Click"};
inline constexpr CommandName N2C2Click{"N2C2Click"};
inline constexpr CommandName N2C3Click{"N2C3Click"};
inline constexpr CommandName N2C4Click{"N2C4Click"};
inline constexpr CommandName N2C5Click{"N2C5Click"};
inline constexpr CommandName N3C1Click{"N3C1Click"};
inline constexpr CommandName N3C2Click{"N3C2Click"};
inline constexpr CommandName N3C3Click{"N3C3Click"};
inline constexpr CommandName N3C4Click{"N3C4Click"};
inline constexpr CommandName N3C5Click{"N3C5Click"};
inline constexpr CommandName N4C1Click{"N4C1Click"};
inline constexpr CommandName N4C2Click{"N4C2Click"};
inline constexpr CommandName N4C3Click{"N4C3Click"};
inline constexpr CommandName N4C4Click{"N4C4Click"};
inline constexpr CommandName N4C5Click{"N4C5Click"};
inline constexpr CommandName N5C1Click{"N5C1Click"};
inline constexpr CommandName N5C2Click{"N5C2Click"};
inline constexpr CommandName N5C3Click{"N5C3Click"};
inline constexpr CommandName N5C4Click{"N5C4Click"};
inline constexpr CommandName N5C5Click{"N5C5Click"};
inline constexpr CommandName BitBtnSetDialogClick{"BitBtnSetDialogClick"};
inline constexpr CommandName BitBtnFrameDialogClick{"BitBtnFrameDialogClick"};
inline constexpr CommandName BitBtnSETClick{"BitBtnSETClick"};
inline constexpr CommandName BitBtnFRAClick{"BitBtnFRAClick"};
inline constexpr CommandName BitBtnNOClick{"BitBtnNOClick"};
inline constexpr CommandName Comment1Click{"Comment1Click"};
inline constexpr CommandName MailTo1Click{"MailTo1Click"};
inline constexpr CommandName Copyright1Click{"Copyright1Click"};
inline constexpr CommandName TM1Click{"TM1Click"};
inline constexpr CommandName RRegisteredTrademark1Click{"RRegisteredTrademark1Click"};
inline constexpr CommandName N141Click{"N141Click"};
inline constexpr CommandName N121Click{"N121Click"};
inline constexpr CommandName N341Click{"N341Click"};
inline constexpr CommandName N17Click{"N17Click"};
inline constexpr CommandName N22Click{"N22Click"};
inline constexpr CommandName N23Click{"N23Click"};
inline constexpr CommandName BitBtnColorNowClick{"BitBtnColorNowClick"};
inline constexpr CommandName InsertLastModifiedDateTime1Click{"InsertLastModifiedDateTime1Click"};
inline constexpr CommandName FTP1Click{"FTP1Click"};
inline constexpr CommandName PublishSite1Click{"PublishSite1Click"};
inline constexpr CommandName BitBtnBackupClick{"BitBtnBackupClick"};
inline constexpr CommandName GetPageLoadingData1Click{"GetPageLoadingData1Click"};
inline constexpr CommandName ColorPicker1Click{"ColorPicker1Click"};
inline constexpr CommandName WebsiteProjectBuilder1Click{"WebsiteProjectBuilder1Click"};
inline constexpr CommandName PreferencesSettings1Click{"PreferencesSettings1Click"};
inline constexpr CommandName BitBtnFTPAddClick{"BitBtnFTPAddClick"};
inline constexpr CommandName AddImagesfromopenHTMLfiletoFTPlist1Click{"AddImagesfromopenHTMLfiletoFTPlist1Click"};
inline constexpr CommandName LauchImageEditor1Click{"LauchImageEditor1Click"};
inline constexpr CommandName LaunchFTPProgram1Click{"LaunchFTPProgram1Click"};
inline constexpr CommandName LaunchImageMapEditor1Click{"LaunchImageMapEditor1Click"};
inline constexpr CommandName WelcometoQuillonPro1Click{"WelcometoQuillonPro1Click"};
inline constexpr CommandName HelpOnTop1Click{"HelpOnTop1Click"};
inline constexpr CommandName FrequentlyAskedQuestions1Click{"FrequentlyAskedQuestions1Click"};
inline constexpr CommandName Instructions1Click{"Instructions1Click"};
inline constexpr CommandName ShowTipoftheDay1Click{"ShowTipoftheDay1Click"};
inline constexpr CommandName BugsSuggestionsFeedback1Click{"BugsSuggestionsFeedback1Click"};
inline constexpr CommandName About1Click{"About1Click"};
inline constexpr CommandName Outline1DblClick{"Outline1DblClick"};
inline constexpr CommandName Button1Click{"Button1Click"};
inline constexpr CommandName BitBtnAddChildClick{"BitBtnAddChildClick"};
inline constexpr CommandName ButtonMoveClick{"ButtonMoveClick"};
inline constexpr CommandName Selected1Click{"Selected1Click"};
inline constexpr CommandName AllPageGroups1Click{"AllPageGroups1Click"};
inline constexpr CommandName ThisLevel1Click{"ThisLevel1Click"};
inline constexpr CommandName EntireSite1Click{"EntireSite1Click"};
inline constexpr CommandName TagColorOptions1Click{"TagColorOptions1Click"};
inline constexpr CommandName BitBtnOptionsClick{"BitBtnOptionsClick"};
inline constexpr CommandName BitBtnInsertLinkImageClick{"BitBtnInsertLinkImageClick"};
inline constexpr CommandName AnalyzeWebPage1Click{"AnalyzeWebPage1Click"};
inline constexpr CommandName ButtonEditURLClick{"ButtonEditURLClick"};
inline constexpr CommandName ButtonEditMiscClick{"ButtonEditMiscClick"};
inline constexpr CommandName BitBtnIEClick{"BitBtnIEClick"};
inline constexpr CommandName BitBtnNSClick{"BitBtnNSClick"};
inline constexpr CommandName CheckWrapClick{"CheckWrapClick"};
inline constexpr CommandName WordWrap1Click{"WordWrap1Click"};
inline constexpr CommandName CheckBoxColoredTagsClick{"CheckBoxColoredTagsClick"};
inline constexpr CommandName BitBtnStopColorsMouseDown{"BitBtnStopColorsMouseDown"};
inline constexpr CommandName BitBtnCustomAddClick{"BitBtnCustomAddClick"};
inline constexpr CommandName BitBtnCustomDeleteClick{"BitBtnCustomDeleteClick"};

// "N<rows>C<cols>Click", the table grid of 1 to 5 rows and columns.
inline constexpr CommandName kGrid[5][5] = {
    {N1C1Click, N1C2Click, N1C3Click, N1C4Click, N1C5Click}, {N2C1Click, N2C2Click, N2C3Click, N2C4Click, N2C5Click},
    {N3C1Click, N3C2Click, N3C3Click, N3C4Click, N3C5Click}, {N4C1Click, N4C2Click, N4C3Click, N4C4Click, N4C5Click},
    {N5C1Click, N5C2Click, N5C3Click, N5C4Click, N5C5Click},
};
inline constexpr CommandName grid(int rows, int cols) { return kGrid[rows - 1][cols - 1]; }

}  // namespace cmd

}  // namespace quillon
