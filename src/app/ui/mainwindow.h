#pragma once

#include <QMainWindow>
#include <QSet>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/command_names.h"
#include "app/command_table.h"
#include "app/ui/command_record.h"
#include "app/ui/options_tab.h"
#include "base/settings.h"
#include "builders/hand_back.h"
#include "editor/colour_scheme.h"
#include "editor/document_session.h"
#include "editor/insertion.h"
#include "editor/ui/editor_document_text.h"
#include "platform/ui/platform.h"
#include "project/project_session.h"
#include "publish/auto_ftp_list.h"
#include "spell/spell_engine.h"

class QIcon;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLineEdit;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabBar;
class QTabWidget;
class QTimer;
class QToolButton;
class QTreeWidget;
class QAction;
class QWidget;
class QsciScintilla;

namespace quillon {

class CommandRegistry;
class RecoveryKeeper;
class RecoverySnapshot;
class SnipPane;
class SearchSession;
class FilesTab;
class PreviewPane;

// The main window: site outline on the left, the HTML editing window on the right, menus and toolbars
// built from the command table. One handler per command, named as the command, reached through its record;
// the handlers live in the mainwindow_<area>.cpp files, in the order of the headings below.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  TForm1(ProgramFolders folders, Platform& platform, QWidget* parent = nullptr);
  ~TForm1() override;

  // What the automation driver and the tests read and do.
  CommandRegistry& commands() { return *commands_; }
  const RunSettings& settings() const { return settings_; }
  const DocumentSession& document() const { return *session_; }
  const PageReading& pageReading() const { return documentText_.reading(); }
  // The open pages in tab order, and the shown one's index.
  struct PageSummary {
    std::string path;
    bool modified = false;
    bool readOnly = false;
    std::string reading;
  };
  std::vector<PageSummary> openPages() const;
  size_t currentPage() const;
  const AutoFtpList& autoFtp() const { return autoFtp_; }
  bool browserAvailable() const;
  bool browserShown() const;
  bool saveEnabled() const;
  // Opens a page named on the command line; a relative name is taken from the current folder.
  void openGivenFile(const std::string& path);
  const ProjectSession& project() const { return *project_; }
  FilesTab& filesTab() { return *files_; }
  // The outline's selected page as a 0-based index, or -1.
  int selectedPage() const;
  void ColorTags();
  void dragSplitterTo(int cursorXInWindow);
  void endSplitterDrag();
  int leftPaneWidth() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The window itself: its panes, menus and buttons, and its commands (mainwindow.cpp).
  void applyEditorLook();
  void applyEditorColours();
  void buildWindow();
  void buildMenus();
  void releaseEditorKeys();
  void buildToolbars(QWidget* top);
  QWidget* buildLeftPane();
  QWidget* buildSiteTab();
  void wireOutline();
  QWidget* buildFilesTab();
  QWidget* buildSnipsTab();
  QWidget* buildRightPane();
  QWidget* buildEditorControls();
  void buildEditor();
  QWidget* buildSideTabs();
  QWidget* buildTagPanel();
  // Each area's commands, declared in the file that holds their handlers.
  std::vector<CommandRecord> commandRecords();
  CommandRecord::Handler call(void (TForm1::*handler)());
  void showEditorContextMenu(const QPoint& pos);
  QIcon buttonIcon(const QString& name) const;
  void loadDeferredIcons(QWidget* sheet);
  QToolButton* commandButton(QWidget* parent, const ToolButton& button, const QString& objectName);
  // Assigns a run-time setting and writes it to its settings file at once; a failed write is reported.
  template <typename T, typename V>
  void setSetting(T RunSettings::*member, V&& value) {
    reportSettingsWrite(writer_->set(settings_, member, T(std::forward<V>(value))));
  }

  // Start-up, leaving, the Settings dialog and the program commands (mainwindow_startup.cpp).
  void FormCreate();
  void ShowTipsAtStart();
  void Quit1Click();
  void ShowTipoftheDay1Click();
  void About1Click();
  // The Settings dialog, opened on a tab.
  void openOptions(OptionsTab tab);
  bool FormCloseQuery();
  std::vector<CommandRecord> programCommands();
  void applyFilters();
  void reportSettingsWrite(const WriteResult& result);
  void BitBtnOptionsClick() { openOptions(OptionsTab::Files); }
  void PreferencesSettings1Click() { openOptions(OptionsTab::Files); }
  void TagColorOptions1Click() { openOptions(OptionsTab::TagOptions); }

  // The open document: opening, saving, closing, editing (mainwindow_document.cpp).
  void NewHTMLFile1Click();
  void OpenHTMLFile1Click();
  void SaveHTMLFile1Click();
  void SaveHTMLFileAs1Click();
  void CloseHTMLFile1Click();
  void BitBtnUndoClick();
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void SelectAll1Click();
  void CheckWrapClick();
  void WordWrap1Click();
  Answer QueryCloseHTML(CloseRequest request);
  void BitBtnLoadFromTemplateClick();
  std::vector<CommandRecord> documentCommands();
  void updateDocumentStatus();
  // Recovery copies of unsaved edits (mainwindow_recovery.cpp): kept at most every 15 s while the page is
  // modified and whenever the window loses focus, dropped when it is saved or closed, offered at start.
  void setUpRecovery();
  void recoveryTextChanged();
  void keepRecoveryCopy();
  void keepRecoveryCopyNow();                  // at once, before the window shows another page
  void keepShownPageBytes(std::string bytes);  // the shown page's window bytes as its recovery copy
  void offerRecoveryCopies();
  // How the page is read and its line ends, with a warning when its declared charset says otherwise
  // (mainwindow_encoding.cpp, with Reopen with Encoding and Convert to UTF-8).
  void updateEncodingPanel();
  std::vector<CommandRecord> encodingCommands();
  void ReopenwithEncoding1Click();
  void ConverttoUTF81Click();
  // The window shows the page's bytes read so; no undo step, the caret's line kept.
  void showPageAs(std::string_view page, PageReading reading);
  // An empty untitled page in the window, read as UTF-8.
  void emptyWindow();
  // Undo and redo of Convert to UTF-8 take the page's reading back and forth with its text.
  void containerUndone(int token, bool undo);
  std::map<int, PageReading> convertedFrom_;
  int nextConvertToken_ = 1;
  bool copiedAsUtf8_ = true;  // the program's own bytes on the clipboard came from a page shown as UTF-8
  // The caption names the project (as the project session words it), then the open page and its unsaved mark.
  void updateCaption();
  void updateSaveEnabled();
  // How a file becomes the open document: a read-only help page, an untitled new page (a template), and
  // where it was opened from, which decides the message when it cannot be opened.
  struct DocumentOpen {
    bool readOnly = false;
    bool untitled = false;
    DocumentSession::OpenedFrom from = DocumentSession::OpenedFrom::OtherFile;
    std::string encoding;  // the encoding the user chose to show it in; empty: as the page is read
  };
  bool openDocument(const std::string& path, const DocumentOpen& how);
  // A copy of the old page that an interrupted save left beside it: put back, dropped, or (false) the open
  // is given up with both kept.
  bool offerOldCopy(const std::string& path, const std::string& copy);

  // Several open pages in tabs over the editing window (mainwindow_pages.cpp).
  std::vector<CommandRecord> pageCommands();
  QWidget* buildPagesPanel(QWidget* parent);
  void setUpPages();
  void NextPage1Click();
  void PreviousPage1Click();
  void ClosePage1Click();
  void closeShownPage();
  // Before a page is opened: its own tab shown when it is open already; else, with pages in tabs, a new
  // tab (or the untouched untitled page), without tabs the close check of the shown page.
  enum class Room { Cancelled, AlreadyOpen, Ready };
  Room roomForPage(const std::string& path);
  // A page opened through roomForPage; true when it is shown.
  bool openPage(const std::string& path, const DocumentOpen& how);
  void givePlaceBackIfUnused(bool used);
  // The close check of every modified page, one question each; false when the user stays.
  bool leaveEveryOpenPage();
  void closeEveryPageButTheShown();
  void rereadOpenPages(const std::vector<std::string>& rewritten);
  void storeOpenPages();
  void restoreOpenPages();
  class PageTabs* pages_ = nullptr;
  QTabBar* TabBarPages = nullptr;
  bool freshTab_ = false;  // the shown tab was made for a page being opened

  // The site project and its outline, backup, analysis, printing (mainwindow_project.cpp).
  void BitBtnBackupClick();
  void ButtonMoveClick();
  void WebsiteProjectBuilder1Click();
  void GetPageLoadingData1Click();
  void CheckSite1Click();
  // The files of the project's pages, in outline order, those without a link left out.
  std::vector<std::string> projectPageLinks() const;
  // The page at `path` in the editing window: the open one, or another after the close check; false when
  // the user cancelled or it could not be opened.
  bool showPage(const std::string& path);
  void AnalyzeWebPage1Click();
  void openAnalysis(const std::string& preselectedFile);
  void PrintProjectOutline1Click();
  void backupReminder(const std::string& projectName);
  void NewProject1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Reopen(size_t entry);
  void WelcometoQuillonPro1Click();
  void Button1Click();
  void BitBtnAddChildClick();
  void BitBtnDeleteClick();
  void ChangeDescription1Click();
  void ChangePage(bool focusLink);
  void Outline1Click();
  void Outline1DblClick();
  void Selected1Click();
  void AllPageGroups1Click();
  void ThisLevel1Click();
  void EntireSite1Click();
  std::vector<CommandRecord> projectCommands();
  std::string builderStartFolder(bool forThePage) const;
  void refreshOutline(int select = -1);
  void showOtherProject();
  void refreshProjectState();
  void refreshRecentMenu();
  bool runPageDialog(bool changing, bool focusLink);
  void showOutlineMenu(const QPoint& pos);

  // The Files tab (mainwindow_files.cpp).
  void ListBox2DblClick();
  void BitBtnInsertLinkImageClick();
  std::vector<CommandRecord> filesCommands();
  void wireFilesPane();
  std::string chosenFile() const;

  // The snippet lists and the custom tags (mainwindow_snips.cpp).
  std::vector<CommandRecord> snipCommands();
  void wireSnipPane();

  // Tag insertion and the builders (mainwindow_tags.cpp).
  void MailTo1Click();
  void BitBtnPowerBodyClick();
  void BitBtnPowerAnchorClick();
  void BitBtnPowerTableClick();
  void BitBtnPowerListClick();
  void BitBtnPowerImageClick();
  void openImageBuilder(const std::string& selectedFile);
  void PowerFrameClick();
  void HorizontalLine1Click();
  void BitBtnSetDialogClick();
  void BitBtnFrameDialogClick();
  void HelpOnTop1Click();
  std::vector<CommandRecord> tagCommands();
  std::vector<CommandRecord> wrappingTagCommands();
  std::vector<CommandRecord> insertedTagCommands();
  std::vector<CommandRecord> builderCommands();
  EditView editView() const;
  void applyInsertion(const Insertion& insertion);
  void insertThroughClipboard(const Insertion& insertion);
  void applyHandBack(const BuilderHandBack& handBack, HandBackSelection selection);

  // Find and replace (mainwindow_search.cpp).
  void BitBtnReplaceAllClick();
  void Replaceallwith1Click();
  void Replaceprecisewithonlyintags1Click();
  void BitBtnStopColorsMouseDown();
  std::vector<CommandRecord> searchCommands();
  SearchSession& search();  // made on first use

  // Tag colouring (mainwindow_colour.cpp).
  void BitBtnColorNowClick();
  void CheckBoxColoredTagsClick();
  std::vector<CommandRecord> colourCommands();
  void colourIfWanted();

  // Spelling (mainwindow_spell.cpp).
  void BitBtnSpellCheckClick();
  std::vector<CommandRecord> spellCommands();
  SpellEngine& spellEngine();

  // Preview, the browsers and the helper programs (mainwindow_preview.cpp).
  void wirePreviewPane();
  // The file a browser is to show, written first when the mode asks; on failure, why.
  std::optional<std::string> preparePreview(bool embedded, std::string& failure);
  void PanelIEClick();
  void LabelBrowserModeDblClick();
  void externalPreview(std::string RunSettings::*browser, const char* missing, const char* failed);
  void BitBtnNSClick();
  void BitBtnIEClick();
  void launchHelper(const std::string& path);
  void LauchImageEditor1Click();
  void LaunchFTPProgram1Click();
  void LaunchImageMapEditor1Click();
  void Instructions1Click();
  void FrequentlyAskedQuestions1Click();
  void BugsSuggestionsFeedback1Click();
  std::vector<CommandRecord> previewCommands();

  // The FTP list (mainwindow_ftp.cpp).
  void BitBtnFTPAddClick();
  void FTP1Click();
  void PublishSite1Click();
  void FindinSite1Click();
  void UndoLastSiteReplace1Click();
  std::string siteFolder() const;
  void AddImagesfromopenHTMLfiletoFTPlist1Click();
  std::vector<CommandRecord> ftpCommands();

  // Pane layout (mainwindow_layout.cpp).
  void PanelEClick();
  void setLeftPaneWidth(int width);

  // State.
  QSet<QString> buttonNames_;  // the object names the command buttons were given
  ProgramFolders folders_;
  std::string programDir_;  // the data folder, where settings, projects and backups are written
  Platform& platform_;
  RunSettings settings_;
  std::optional<Scheme> appliedScheme_;  // the colour scheme last set over the program
  AutoFtpList autoFtp_;
  class ColourAsYouType* colourAsYouType_ = nullptr;
  EditorDocumentText documentText_;  // before session_, which reads it
  std::unique_ptr<DocumentSession> session_;
  CommandRegistry* commands_ = nullptr;
  std::unique_ptr<SettingsWriter> writer_;
  std::unique_ptr<ProjectSession> project_;
  class TFormNewName* FormNewName = nullptr;  // made when first needed, as is FormSpell
  std::vector<QAction*> recentActions_;
  std::string selectedPageFile_;
  SearchSession* search_ = nullptr;
  bool stopColoring_ = false;  // StopColoring: ends a running line-by-line pass
  class TFormSpeedBar* SpeedBar = nullptr;
  class TFormHelpOnTop* HelpOnTop = nullptr;
  class TFormSpell* FormSpell = nullptr;
  std::unique_ptr<SpellEngine> spell_;
  std::unique_ptr<RecoveryKeeper> recovery_;
  QTimer* TimerRecovery = nullptr;
  RecoverySnapshot* recoverySnapshot_ = nullptr;
  bool recoveryBehind_ = false;  // edits since the last copy
  std::vector<std::string> htmlExtensions_;
  std::string maskList_;
  std::string openFilter_;
  std::string filesFilter_;
  // Controls named as the rest of the program refers to them.
  QTabWidget* PageControl2 = nullptr;
  QFrame* PanelOutline = nullptr;
  QTabWidget* PageControl1 = nullptr;
  QTreeWidget* Outline1 = nullptr;
  QGroupBox* GroupBoxAddMove = nullptr;
  QListWidget* ListBox1 = nullptr;
  QComboBox* DriveComboBox1 = nullptr;
  QListWidget* DirectoryListBox1 = nullptr;
  QLabel* LabelDirectory = nullptr;
  QComboBox* FilterComboBox1 = nullptr;
  QListWidget* ListBox2 = nullptr;
  FilesTab* files_ = nullptr;  // owns the behaviour of the five above
  QTabWidget* PageControlSnips = nullptr;
  QListWidget* ListBoxURL = nullptr;
  QListWidget* ListBoxMisc = nullptr;
  QComboBox* ComboCustom = nullptr;
  SnipPane* snips_ = nullptr;  // owns the behaviour of the three above
  QFrame* PanelSplitter = nullptr;
  QFrame* PanelHTMLWindow = nullptr;
  QsciScintilla* RE1 = nullptr;
  QWidget* OleContainer1 = nullptr;
  QLabel* PanelE = nullptr;
  QLabel* PanelP = nullptr;  // a strip between the two, coloured with the editing tab
  QLabel* PanelIE = nullptr;
  QLabel* LabelBrowserMode = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QCheckBox* CheckWrap = nullptr;
  QCheckBox* CheckBoxColoredTags = nullptr;
  QToolButton* BitBtnSaveHTML = nullptr;
  QFrame* PanelMSIE = nullptr;
  PreviewPane* preview_ = nullptr;  // owns the embedded browser, its controls and the side tabs
  QListWidget* ListBoxChanged = nullptr;
  QListWidget* ListBoxFTPImages = nullptr;
  std::vector<QLabel*> statusPanels_;
  QLabel* StatusEncoding = nullptr;
  QTimer* TimerEncoding = nullptr;  // the panel follows edits once typing pauses
  QTimer* TimerSplitter = nullptr;
};

}  // namespace quillon
