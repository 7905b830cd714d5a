#include "app/ui/mainwindow.h"
#include "editor/recovery_copies.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>
#include <Qsci/qsciscintilla.h>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/pane_layout.h"
#include "app/ui/command_registry.h"
#include "app/ui/desktop_scheme.h"
#include "editor/ui/colour_as_you_type.h"
#include "editor/ui/colour_follows_caret.h"
#include "editor/ui/editor_accessible.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/editor_key_behaviours.h"
#include "editor/ui/tag_completer.h"
#include "editor/ui/tag_styles.h"
#include "platform/ui/accessible_names.h"
#include "platform/ui/focus_ring_style.h"
#include "platform/ui/named.h"
#include "platform/ui/overflow_row.h"
#include "platform/ui/pane_keys.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/symbolic_icon.h"

namespace quillon {

namespace {

// "BitBtnSaveHTMLFile1Click" -> "BitBtnSaveHTMLFile1"; other handlers get the "SpeedButton" prefix.
QString buttonNameFor(const std::string& command) {
  std::string base = command;
  if (base.size() > 5 && base.compare(base.size() - 5, 5, "Click") == 0) base.resize(base.size() - 5);
  if (base.rfind("BitBtn", 0) != 0 && base.rfind("Button", 0) != 0) base = "SpeedButton" + base;
  return QString::fromStdString(base);
}

}  // namespace

TForm1::TForm1(ProgramFolders folders, Platform& platform, QWidget* parent)
    : QMainWindow(parent), folders_(std::move(folders)), programDir_(folders_.data), platform_(platform) {
  setObjectName("TForm1");
  setWindowTitle(kAppTitle);
  nameControlsOfEveryWindow(*qApp);
  showFocusRings(*qApp);
  resize(945, 650);
  session_ = std::make_unique<DocumentSession>(programDir_, settings_, platform_.prompts, platform_.fileDialogs,
                                               documentText_);
  session_->onSaved([this](const std::string& path) {
    if (settings_.ftpAuto) autoFtp_.add(path);
  });
  writer_ = std::make_unique<SettingsWriter>(programDir_);
  project_ = std::make_unique<ProjectSession>(folders_, settings_, *writer_, platform_.prompts, platform_.fileDialogs);
  commands_ = new CommandRegistry(this, commandRecords());
  project_->setBackupReminder([this](const std::string& name) { backupReminder(name); });
  buildWindow();
  wireSnipPane();
  wirePreviewPane();
  wireFilesPane();
  buildMenus();
  releaseEditorKeys();
  setUpPages();
  FormCreate();
}

// The desktop theme's icon, else the shipped drawing in the palette's colours, else the shipped picture.
// The picture is read straight into a pixmap: a QIcon made from a file name first asks every icon engine
// plugin whether it reads that kind of file.
QIcon TForm1::buttonIcon(const QString& name) const {
  if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  // Two buttons' pictures have no one-colour drawing of their name; these draw the same thing.
  static const std::map<QString, QString> drawnAs = {{"applications-internet", "web-browser"},
                                                     {"emblem-package", "package-x-generic"}};
  const auto alias = drawnAs.find(name);
  const QString folder = toQString(folders_.shared) + "icons/";
  const QIcon drawn = symbolicIcon(folder + (alias == drawnAs.end() ? name : alias->second) + "-symbolic.svg");
  if (!drawn.isNull()) return drawn;
  const QPixmap picture(folder + name + ".png");
  return picture.isNull() ? QIcon() : QIcon(picture);
}

void TForm1::loadDeferredIcons(QWidget* sheet) {
  if (!sheet) return;
  for (QToolButton* b : sheet->findChildren<QToolButton*>()) {
    const QString name = b->property("iconName").toString();
    if (name.isEmpty()) continue;
    b->setIcon(buttonIcon(name));
    b->setProperty("iconName", QVariant());
  }
}

TForm1::~TForm1() = default;

QToolButton* TForm1::commandButton(QWidget* parent, const ToolButton& button, const QString& objectName) {
  auto* b = new QToolButton(parent);
  QString name = objectName;
  // A name seen before gets a number: looked up in the names given out, not by searching every control.
  for (int n = 2; buttonNames_.contains(name); ++n) name = objectName + QString::number(n);
  buttonNames_.insert(name);
  b->setObjectName(name);
  const QString caption = toQString(button.caption.empty() ? button.hint : button.caption);
  b->setText(caption);
  if (!button.hint.empty()) b->setToolTip(toQString(button.hint));
  b->setAutoRaise(true);
  const std::string own = commands_->icon(button.command);
  const QString icon = own.empty() ? QString("insert-text") : toQString(own);  // a tag button inserts text
  // Looking an icon up in the theme costs a tenth of a millisecond: the tag panel's pages not shown at start
  // get theirs when they are first shown.
  if (parent->property("deferIcons").toBool())
    b->setProperty("iconName", icon);
  else
    b->setIcon(buttonIcon(icon));
  // The toolbars show icons, their hints name them; the tag panel keeps its tag names beside the icons.
  b->setToolButtonStyle(parent->objectName() == "ToolbarRow" ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
  const std::string command = button.command;
  b->setEnabled(commands_->works(command));
  connect(commands_->mainAction(command), &QAction::changed, b,
          [this, b, command] { b->setEnabled(commands_->enabled(command)); });
  connect(b, &QToolButton::clicked, this, [this, command] { commands_->trigger(command); });
  return b;
}

void TForm1::buildWindow() {
  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);

  auto* top = new QWidget(central);
  top->setObjectName("PanelTop");
  auto* topRow = new QHBoxLayout(top);
  // Buttons that do not fit are cut off at the right rather than widening the window.
  topRow->setSizeConstraint(QLayout::SetNoConstraint);
  top->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  topRow->setContentsMargins(2, 2, 2, 2);
  buildToolbars(top);
  topRow->addWidget(buildTagPanel(), 1);
  outer->addWidget(top);

  auto* panes = new QWidget(central);
  auto* paneRow = new QHBoxLayout(panes);
  paneRow->setContentsMargins(0, 0, 0, 0);
  paneRow->setSpacing(0);
  paneRow->addWidget(buildLeftPane());
  PanelSplitter = named(new QFrame(panes), "PanelSplitter");
  PanelSplitter->setFixedWidth(pane_layout::kSplitterWidth);
  PanelSplitter->setCursor(Qt::SplitHCursor);
  PanelSplitter->setFrameShape(QFrame::VLine);
  PanelSplitter->installEventFilter(this);
  paneRow->addWidget(PanelSplitter);
  paneRow->addWidget(buildRightPane(), 1);
  outer->addWidget(panes, 1);
  movePanesWithF6(*this, {PanelOutline, PanelHTMLWindow});

  auto* status = named(new QStatusBar(this), "StatusBar1");
  status->setSizeGripEnabled(true);
  const std::pair<const char*, int> panels[] = {{"File Size:", 95}, {"Page Location:", 275}, {"Open HTML File:", 270}};
  // The panels share the window's width in the proportions of their usual widths.
  for (const auto& [caption, width] : panels) {
    auto* label = new QLabel(caption, status);
    label->setObjectName(QString("StatusPanel%1").arg(statusPanels_.size() + 1));
    label->setMinimumWidth(width);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    status->addWidget(label, width);
    statusPanels_.push_back(label);
  }
  StatusEncoding = named(new QLabel(status), "StatusEncoding");
  StatusEncoding->setFrameShape(QFrame::Panel);
  StatusEncoding->setFrameShadow(QFrame::Sunken);
  StatusEncoding->setAccessibleName("Encoding and line ends");
  status->addPermanentWidget(StatusEncoding);
  setStatusBar(status);

  // Hidden lists and panels other commands work with.
  ListBoxChanged = named(new QListWidget(central), "ListBoxChanged", "Changed files");
  ListBoxChanged->setSortingEnabled(true);
  ListBoxChanged->hide();
  ListBoxFTPImages = named(new QListWidget(central), "ListBoxFTPImages", "Images to upload");
  ListBoxFTPImages->hide();

  TimerSplitter = named(new QTimer(this), "TimerSplitter");
  TimerSplitter->setInterval(10);
  connect(TimerSplitter, &QTimer::timeout, this, [this] { dragSplitterTo(mapFromGlobal(QCursor::pos()).x()); });
}

void TForm1::buildToolbars(QWidget* top) {
  auto* rows = new QWidget(top);
  rows->setObjectName("PanelToolbars");
  auto* layout = new QVBoxLayout(rows);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& row : toolbarRows()) {
    auto* bar = new QWidget(rows);
    bar->setObjectName("ToolbarRow");
    auto* h = new QHBoxLayout(bar);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(1);
    for (const auto& button : row) {
      // The Web Site tab's own button carries the command's button name.
      const bool paneHasIt = button.command == cmd::BitBtnDeleteClick;
      const QString name = paneHasIt ? "SpeedButtonDelete" : buttonNameFor(button.command);
      h->addWidget(commandButton(bar, button, name));
    }
    h->addStretch();
    layout->addWidget(bar);
  }
  top->layout()->addWidget(rows);
}

QWidget* TForm1::buildTagPanel() {
  PageControl2 = named(new QTabWidget(this), "PageControl2");
  // Each page is one row of buttons; those the window is too narrow for wait behind the row's "»" menu.
  auto sheetFor = [this](const QString& caption) {
    auto* sheet = new OverflowRow(PageControl2);
    sheet->setObjectName("TabSheet" + caption);
    sheet->setProperty("deferIcons", true);
    sheet->moreButton()->setObjectName("MoreButtons" + caption);
    return sheet;
  };
  for (const auto& page : tagPanelPages()) {
    OverflowRow* sheet = sheetFor(toQString(page.caption));
    for (const auto& button : page.buttons)
      sheet->add(
          commandButton(sheet, button, button.name.empty() ? buttonNameFor(button.command) : toQString(button.name)));
    PageControl2->addTab(sheet, toQString(page.caption));
  }
  OverflowRow* custom = sheetFor("Custom");
  ComboCustom = named(new QComboBox(custom), "ComboCustom", "Custom tags");
  ComboCustom->setMinimumWidth(260);
  ComboCustom->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  custom->add(ComboCustom);
  custom->addSpacing(4);
  custom->add(commandButton(custom, {"Add a Custom Tag", "Add", cmd::BitBtnCustomAddClick}, "BitBtnCustomAdd"));
  custom->add(
      commandButton(custom, {"Delete a Custom Tag", "Delete", cmd::BitBtnCustomDeleteClick}, "BitBtnCustomDelete"));
  PageControl2->addTab(custom, "Custom");
  loadDeferredIcons(PageControl2->currentWidget());
  connect(PageControl2, &QTabWidget::currentChanged, this,
          [this](int index) { loadDeferredIcons(PageControl2->widget(index)); });
  return PageControl2;
}

QWidget* TForm1::buildLeftPane() {
  PanelOutline = named(new QFrame(this), "PanelOutline");
  PanelOutline->setFixedWidth(pane_layout::kStartLeftWidth);
  auto* layout = new QVBoxLayout(PanelOutline);
  layout->setContentsMargins(0, 0, 0, 0);
  PageControl1 = named(new QTabWidget(PanelOutline), "PageControl1");
  layout->addWidget(PageControl1);

  PageControl1->addTab(buildSiteTab(), "Web Site");
  PageControl1->addTab(buildFilesTab(), "Files");
  PageControl1->addTab(buildSnipsTab(), "Snips");
  return PanelOutline;
}

QWidget* TForm1::buildSiteTab() {
  auto* site = named(new QWidget(PageControl1), "TabSheet1");
  auto* siteLayout = new QVBoxLayout(site);
  siteLayout->setContentsMargins(6, 6, 6, 6);
  Outline1 = named(new QTreeWidget(site), "Outline1", "Site outline");
  Outline1->setHeaderHidden(true);
  Outline1->setContextMenuPolicy(Qt::CustomContextMenu);
  Outline1->setDragDropMode(QAbstractItemView::NoDragDrop);
  // A double-click opens the page; folding stays with the branch marks and the keyboard.
  Outline1->setExpandsOnDoubleClick(false);
  wireOutline();
  siteLayout->addWidget(Outline1, 1);
  siteLayout->addSpacing(8);
  GroupBoxAddMove = named(new QGroupBox("Add/Move Web Pages", site), "GroupBoxAddMove");
  auto* groupLayout = new QGridLayout(GroupBoxAddMove);
  int at = 0;
  for (const auto& button : webSiteTabButtons()) {
    QToolButton* b = commandButton(GroupBoxAddMove, button, buttonNameFor(button.command));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(false);
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    groupLayout->addWidget(b, at, 0);
    ++at;
  }
  siteLayout->addWidget(GroupBoxAddMove);
  siteLayout->addSpacing(34 - 6);
  ListBox1 = named(new QListWidget(site), "ListBox1", "Pages");
  ListBox1->hide();
  return site;
}

// The outline's clicks, menu, and folding, which the project's model follows.
void TForm1::wireOutline() {
  connect(Outline1, &QTreeWidget::customContextMenuRequested, this, &TForm1::showOutlineMenu);
  connect(Outline1, &QTreeWidget::itemClicked, this, [this] { Outline1Click(); });
  connect(Outline1, &QTreeWidget::itemDoubleClicked, this, [this] { commands_->trigger(cmd::Outline1DblClick); });
  // The user's own expanding and collapsing is the model's too.
  connect(Outline1, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    const size_t i = static_cast<size_t>(item->data(0, Qt::UserRole + 1).toInt());
    if (i < project_->tree().size()) project_->tree().expandGroup(i);
  });
  connect(Outline1, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
    const size_t i = static_cast<size_t>(item->data(0, Qt::UserRole + 1).toInt());
    if (i < project_->tree().size()) project_->tree().collapseGroup(i);
    // Collapsing a group collapses every group inside it, in the window as in the model.
    const QSignalBlocker quiet(Outline1);
    std::vector<QTreeWidgetItem*> inside{item};
    while (!inside.empty()) {
      QTreeWidgetItem* next = inside.back();
      inside.pop_back();
      for (int c = 0; c < next->childCount(); ++c) {
        next->child(c)->setExpanded(false);
        inside.push_back(next->child(c));
      }
    }
  });
}

QWidget* TForm1::buildFilesTab() {
  auto* files = named(new QWidget(PageControl1), "TabSheet2");
  auto* filesLayout = new QVBoxLayout(files);
  filesLayout->setContentsMargins(6, 6, 6, 6);
  DriveComboBox1 = named(new QComboBox(files), "DriveComboBox1", "Drive");
  filesLayout->addWidget(DriveComboBox1);
  LabelDirectory = named(new QLabel(files), "LabelDirectory");
  LabelDirectory->setWordWrap(true);
  filesLayout->addWidget(LabelDirectory);
  DirectoryListBox1 = named(new QListWidget(files), "DirectoryListBox1", "Folders");
  filesLayout->addWidget(DirectoryListBox1, 1);
  FilterComboBox1 = named(new QComboBox(files), "FilterComboBox1", "File types");
  filesLayout->addWidget(FilterComboBox1);
  ListBox2 = named(new QListWidget(files), "ListBox2", "Files");
  ListBox2->setContextMenuPolicy(Qt::CustomContextMenu);
  filesLayout->addWidget(ListBox2, 2);
  for (const auto& button : filesTabButtons()) {
    QToolButton* b = commandButton(files, button, buttonNameFor(button.command));
    b->setAutoRaise(false);
    filesLayout->addWidget(b);
  }
  filesLayout->addSpacing(38 - 6 - 28);
  return files;
}

QWidget* TForm1::buildSnipsTab() {
  auto* snips = named(new QWidget(PageControl1), "TabSheet7");
  auto* snipsLayout = new QVBoxLayout(snips);
  snipsLayout->setContentsMargins(6, 6, 6, 6);
  PageControlSnips = named(new QTabWidget(snips), "PageControlSnips");
  auto snipPage = [&](const char* caption, const char* list, const char* edit, const char* add, const char* del,
                      const char* editButton, QListWidget*& listOut) {
    auto* page = new QWidget(PageControlSnips);
    auto* v = new QVBoxLayout(page);
    listOut = named(new QListWidget(page), list, caption);
    listOut->setContextMenuPolicy(Qt::CustomContextMenu);
    v->addWidget(listOut, 1);
    auto* entry = named(new QLineEdit("Type or paste a new entry here...", page), edit, "New entry");
    v->addWidget(entry);
    auto* row = new QHBoxLayout;
    for (const auto& [name, caption] :
         {std::pair{add, "&Add"}, std::pair{del, "&Delete"}, std::pair{editButton, "Edit"}})
      row->addWidget(named(new QPushButton(caption, page), name));
    v->addLayout(row);
    PageControlSnips->addTab(page, caption);
  };
  snipPage("URL Manager", "ListBoxURL", "EditURL", "ButtonAddURL", "ButtonDelURL", "ButtonEditURL", ListBoxURL);
  snipPage("Misc Text", "ListBoxMisc", "EditMisc", "ButtonAddMisc", "ButtonDelMisc", "ButtonEditMisc", ListBoxMisc);
  snipsLayout->addWidget(PageControlSnips, 1);
  auto* paste = named(new QGroupBox("Paste Option", snips), "GroupBoxPasteOption");
  auto* pasteLayout = new QVBoxLayout(paste);
  auto* radioPaste = named(new QRadioButton("Paste into HTML Editor", paste), "RadioPaste");
  radioPaste->setChecked(true);
  pasteLayout->addWidget(radioPaste);
  pasteLayout->addWidget(named(new QRadioButton("Copy to Clipboard Only", paste), "RadioClip"));
  snipsLayout->addSpacing(5);
  snipsLayout->addWidget(paste);
  return snips;
}

QWidget* TForm1::buildRightPane() {
  PanelHTMLWindow = named(new QFrame(this), "PanelHTMLWindow");
  PanelHTMLWindow->installEventFilter(this);
  auto* grid = new QGridLayout(PanelHTMLWindow);
  grid->setSizeConstraint(QLayout::SetNoConstraint);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);

  grid->addWidget(buildEditorControls(), 0, 0, 1, 2);

  buildEditor();
  grid->addWidget(buildPagesPanel(PanelHTMLWindow), 2, 0);

  OleContainer1 = named(new QWidget(PanelHTMLWindow), "OleContainer1");
  OleContainer1->hide();
  grid->addWidget(OleContainer1, 2, 0);

  QWidget* side = buildSideTabs();
  grid->addWidget(side, 1, 1, 2, 1);
  grid->setRowStretch(2, 1);
  grid->setColumnStretch(0, 1);

  Memo1 = named(new QPlainTextEdit(PanelHTMLWindow), "Memo1", "Work text");
  Memo1->hide();
  auto* image = named(new QLabel(PanelHTMLWindow), "Image1");
  image->hide();
  // The browser's controls take a row of their own between the button row and the page they steer.
  PanelMSIE = named(new QFrame(PanelHTMLWindow), "PanelMSIE");
  PanelMSIE->hide();
  grid->addWidget(PanelMSIE, 1, 0);
  return PanelHTMLWindow;
}

// The row over the editing window: the page's buttons, the colouring controls, Wrap and the preview mode.
QWidget* TForm1::buildEditorControls() {
  auto* row = new QWidget(PanelHTMLWindow);
  row->setObjectName("PanelHTMLControls");
  row->setFixedHeight(32);
  // The left pane may take up to 95% of the window: the editing pane gives way instead of widening it.
  row->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  PanelHTMLWindow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* h = new QHBoxLayout(row);
  h->setSizeConstraint(QLayout::SetNoConstraint);
  h->setContentsMargins(4, 0, 4, 0);
  // The page's buttons; those a narrow pane has no room for wait behind the row's "»" menu.
  auto* pageButtons = new OverflowRow(row);
  pageButtons->setObjectName("PanelHTMLButtons");
  pageButtons->moreButton()->setObjectName("MoreButtonsHTML");
  h->addWidget(pageButtons, 1);
  auto* label = named(new QLabel("HTML", pageButtons), "LabelHTML");
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  pageButtons->add(label);
  pageButtons->addSpacing(4);
  for (const auto& button : editorPaneButtons()) {
    const QString name = button.command == cmd::SaveHTMLFile1Click            ? "BitBtnSaveHTML"
                         : button.command == cmd::NewHTMLFile1Click           ? "BitBtnNewHTML"
                         : button.command == cmd::OpenHTMLFile1Click          ? "BitBtnOpenHTML"
                         : button.command == cmd::BitBtnLoadFromTemplateClick ? "BitBtnLoadFromTemplate"
                                                                              : buttonNameFor(button.command);
    QToolButton* b = commandButton(pageButtons, button, name);
    if (name == "BitBtnSaveHTML") BitBtnSaveHTML = b;
    pageButtons->add(b);
  }
  pageButtons->addSpacing(6);
  // Acts on the press itself, so that a running pass sees it at once.
  auto* stop = named(new QToolButton(pageButtons), "BitBtnStopColors");
  stop->setText("Stop");
  stop->setToolTip("Stop Colored Tag Processing");
  connect(stop, &QToolButton::pressed, this, [this] { commands_->trigger(cmd::BitBtnStopColorsMouseDown); });
  pageButtons->add(stop);
  pageButtons->addSpacing(6);
  CheckBoxColoredTags = named(new QCheckBox("Color", pageButtons), "CheckBoxColoredTags");
  CheckBoxColoredTags->setToolTip("Turn Colored Tags On/Off");
  connect(CheckBoxColoredTags, &QCheckBox::clicked, this,
          [this] { commands_->trigger(cmd::CheckBoxColoredTagsClick); });
  pageButtons->add(CheckBoxColoredTags);
  pageButtons->addSpacing(4);
  CheckWrap = named(new QCheckBox("Wrap", pageButtons), "CheckWrap");
  connect(CheckWrap, &QCheckBox::clicked, this, [this] { commands_->trigger(cmd::CheckWrapClick); });
  pageButtons->add(CheckWrap);
  LabelBrowserMode = named(new QLabel("T", row), "LabelBrowserMode");
  LabelBrowserMode->setFrameShape(QFrame::Box);
  LabelBrowserMode->setFixedWidth(16);
  LabelBrowserMode->setAlignment(Qt::AlignCenter);
  h->addWidget(LabelBrowserMode);
  return row;
}

void TForm1::buildEditor() {
  editor_accessible::install();
  RE1 = named(new QsciScintilla(PanelHTMLWindow), "RE1");
  RE1->setAccessibleName("Page source");
  editor_accessible::announceChanges(*RE1);
  RE1->SendScintilla(QsciScintillaBase::SCI_SETEOLMODE, QsciScintillaBase::SC_EOL_CRLF);
  RE1->SendScintilla(QsciScintillaBase::SCI_SETHSCROLLBAR, 1UL);
  RE1->SendScintilla(QsciScintillaBase::SCI_SETVSCROLLBAR, 1UL);
  RE1->SendScintilla(QsciScintillaBase::SCI_SETSCROLLWIDTHTRACKING, 1UL);
  RE1->SendScintilla(QsciScintillaBase::SCI_SETMARGINWIDTHN, 1UL, 0L);
  colourAsYouType_ = new ColourAsYouType(*RE1);
  applyEditorLook();
  new ColourFollowsCaret(*RE1, [this] { return !colourAsYouType_->isOn(); });
  new TagCompleter(*RE1, [this] { return settings_.completeTags && !session_->state().readOnly; });
  // Filters installed later see a key first: an Alt chord is dropped before it could be typed as a reference.
  new EightBitTypingAsReferences(*RE1);
  new AltChordsTypeNothing(*RE1);
  new ClickStopsPass(*RE1, stopColoring_);
  RE1->setMinimumSize(0, 0);
  RE1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(RE1, &QWidget::customContextMenuRequested, this, &TForm1::showEditorContextMenu);
  // The document is modified exactly when its text differs from the save point: typing, pasting, insertions,
  // replacements, undo and redo move away from it; undoing back to it clears the flag.
  documentText_.attach(*RE1);
  connect(RE1, &QsciScintilla::modificationChanged, this, [this] { updateCaption(); });
  connect(RE1, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int, int type, const char*, int, int, int, int, int, int token, int) {
            if (type & QsciScintillaBase::SC_MOD_CONTAINER)
              containerUndone(token, (type & QsciScintillaBase::SC_PERFORMED_UNDO) != 0);
          });
  TimerEncoding = new QTimer(this);
  TimerEncoding->setSingleShot(true);
  TimerEncoding->setInterval(400);
  connect(TimerEncoding, &QTimer::timeout, this, [this] { updateEncodingPanel(); });
  connect(RE1, &QsciScintilla::textChanged, TimerEncoding, qOverload<>(&QTimer::start));
}

// The E and IE tabs beside the editing window.
QWidget* TForm1::buildSideTabs() {
  auto* side = new QWidget(PanelHTMLWindow);
  side->setObjectName("PanelSideTabs");
  side->setFixedWidth(21);
  auto* v = new QVBoxLayout(side);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(2);
  PanelE = named(new QLabel("E", side), "PanelE");
  PanelE->setToolTip("Show Edit Window");
  PanelP = named(new QLabel(side), "PanelP");
  PanelIE = named(new QLabel("IE", side), "PanelIE");
  PanelIE->setToolTip("Show the built-in browser");
  for (QLabel* tab : {PanelE, PanelP, PanelIE}) {
    tab->setAlignment(Qt::AlignCenter);
    tab->setFixedHeight(tab == PanelP ? 6 : 40);
    tab->setAutoFillBackground(true);
    if (tab != PanelP) tab->installEventFilter(this);
    v->addWidget(tab);
  }
  v->addStretch();
  return side;
}

void TForm1::buildMenus() {
  for (const auto& top : mainMenu()) {
    if (top.isSubmenu()) {
      QMenu* menu = menuBar()->addMenu(toQString(top.caption));
      commands_->fillMenu(*menu, top.children, false);
    } else {
      QAction* action = commands_->mainAction(top.command);
      action->setText(toQString(top.caption.empty() ? commands_->caption(top.command) : top.caption));
      menuBar()->addAction(action);
    }
  }
}

// The editing window claims the keys of its own key map before the window's shortcuts see them; the
// program's shortcuts (Alt+Enter, Shift+Enter, Ctrl+K, ...) win, so those keys are taken out of its map.
void TForm1::releaseEditorKeys() {
  QSet<int> ours;
  for (const auto& info : commands_->commands())
    if (!info.shortcut.empty()) ours.insert(QKeySequence(toQString(info.shortcut))[0].toCombined());
  for (QsciCommand* command : RE1->standardCommands()->commands()) {
    if (ours.contains(command->key())) command->setKey(0);
    if (ours.contains(command->alternateKey())) command->setAlternateKey(0);
  }
}

void TForm1::showEditorContextMenu(const QPoint& pos) {
  QMenu menu(this);
  menu.setObjectName("PopupMenuEditor");
  commands_->fillMenu(menu, editorMenu(), true);
  menu.exec(RE1->viewport()->mapToGlobal(pos));
}

// Each area binds its own commands beside its handlers.
// Every area's commands, each declared beside its handlers.
std::vector<CommandRecord> TForm1::commandRecords() {
  std::vector<CommandRecord> all;
  for (std::vector<CommandRecord> area :
       {documentCommands(), pageCommands(), encodingCommands(), programCommands(), projectCommands(), searchCommands(),
        colourCommands(), spellCommands(), filesCommands(), tagCommands(), snipCommands(), previewCommands(),
        ftpCommands()})
    for (CommandRecord& r : area) all.push_back(std::move(r));
  return all;
}

CommandRecord::Handler TForm1::call(void (TForm1::*handler)()) {
  return [this, handler] { (this->*handler)(); };
}

bool TForm1::saveEnabled() const { return BitBtnSaveHTML->isEnabled(); }

int TForm1::leftPaneWidth() const { return PanelOutline->width(); }

// The editing window drawn in the palette's colours, and the tag colours readable on its background.
void TForm1::applyEditorColours() {
  using S = QsciScintillaBase;
  const QPalette palette = QApplication::palette();
  const SchemeColours c = desktop_scheme::editorColours(palette);
  RE1->SendScintilla(S::SCI_STYLESETFORE, S::STYLE_DEFAULT, static_cast<long>(c.text));
  RE1->SendScintilla(S::SCI_STYLESETBACK, S::STYLE_DEFAULT, static_cast<long>(c.background));
  RE1->SendScintilla(S::SCI_STYLECLEARALL);
  tag_styles::install(*RE1,
                      shownTagColours(desktop_scheme::drawnDark(palette), c.background, settings_.tagColourNames));
  RE1->SendScintilla(S::SCI_STYLESETFORE, S::STYLE_LINENUMBER, static_cast<long>(c.marginText));
  RE1->SendScintilla(S::SCI_STYLESETBACK, S::STYLE_LINENUMBER, static_cast<long>(c.margin));
  RE1->SendScintilla(S::SCI_SETCARETFORE, static_cast<unsigned long>(c.text));
  RE1->SendScintilla(S::SCI_SETSELFORE, 1UL, static_cast<long>(c.selectionText));
  RE1->SendScintilla(S::SCI_SETSELBACK, 1UL, static_cast<long>(c.selectionBack));
}

// The editing window's font and size, line numbers when chosen, and a little room between text and frame.
void TForm1::applyEditorLook() {
  using S = QsciScintillaBase;
  const QFont font(toQString(settings_.editorFont), settings_.editorSize);
  RE1->setFont(font);
  RE1->SendScintilla(S::SCI_STYLESETFONT, S::STYLE_DEFAULT, font.family().toUtf8().constData());
  RE1->SendScintilla(S::SCI_STYLESETSIZE, S::STYLE_DEFAULT, static_cast<long>(settings_.editorSize));
  const Scheme scheme = schemeNamed(settings_.scheme);
  if (scheme != appliedScheme_) {
    appliedScheme_ = scheme;
    desktop_scheme::apply(scheme);
  }
  applyEditorColours();
  if (colourAsYouType_) {
    std::array<ColourValue, 6> colours;
    for (size_t i = 0; i < colours.size(); ++i) colours[i] = ColorFromName(settings_.tagColourNames[i]);
    colourAsYouType_->setColours(colours);
    colourAsYouType_->setOn(settings_.colourAsYouType);
  }
  RE1->SendScintilla(S::SCI_SETMARGINLEFT, 0UL, 4L);
  RE1->SendScintilla(S::SCI_SETMARGINTYPEN, 0UL, static_cast<long>(S::SC_MARGIN_NUMBER));
  const long numbers = settings_.lineNumbers ? RE1->SendScintilla(S::SCI_TEXTWIDTH, S::STYLE_LINENUMBER, "_99999") : 0L;
  RE1->SendScintilla(S::SCI_SETMARGINWIDTHN, 0UL, numbers);
}

}  // namespace quillon
