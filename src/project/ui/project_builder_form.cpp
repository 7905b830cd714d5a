#include "project/ui/project_builder_form.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "platform/ui/dialog_parts.h"
#include "platform/ui/named.h"
#include "platform/ui/qt_text.h"
#include "project/files_pane.h"
#include "project/project_builder.h"
#include "project/ui/folder_browser.h"

namespace quillon {

namespace {

enum Tab { kInstructions, kSelect, kOrder, kNames, kHierarchy, kFinish };

const char* kInstructionsText =
    "This builder makes a new project from HTML files you already have, without adding each page by hand.\n\n"
    "1. Select Files: pick the files of your site and add them to the list.\n"
    "2. Sort/Order Files: put them in the order the pages should have in the outline.\n"
    "3. Assign Names: take each page's title from its file name or from its <TITLE>, and change any you like.\n"
    "4. Build Hierarchy: indent the pages that belong beneath another page.\n"
    "5. Finish: name the project and save it. Open it afterwards with File, Open Project.";

}  // namespace

TFormProjectBuilder::TFormProjectBuilder(Platform& platform, Start start, QWidget* parent)
    : QDialog(parent), platform_(platform), start_(std::move(start)) {
  setObjectName("TFormProjectBuilder");
  setWindowTitle("Website Project Builder");
  auto* v = new QVBoxLayout(this);
  PageControl = named(new QTabWidget(this), "PageControl");
  auto* instructions = new QLabel(kInstructionsText, this);
  instructions->setTextFormat(Qt::PlainText);
  instructions->setWordWrap(true);
  instructions->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  PageControl->addTab(instructions, "Instructions:");
  PageControl->addTab(buildSelectPage(), "Select Files");
  PageControl->addTab(buildOrderPage(), "Sort/Order Files");
  PageControl->addTab(buildNamesPage(), "Assign Names");
  PageControl->addTab(buildHierarchyPage(), "Build Hierarchy");
  PageControl->addTab(buildFinishPage(), "Finish");
  v->addWidget(PageControl);
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* exit = namedButton("E&xit", "ButtonExit", this);
  row->addWidget(exit);
  v->addLayout(row);
  connect(exit, &QPushButton::clicked, this, &TFormProjectBuilder::reject);
  connect(PageControl, &QTabWidget::currentChanged, this, [this](int index) { tabChanged(index); });
  goToFolder(isDirectory(start_.startFolder) ? start_.startFolder : std::string(folderPart(start_.startFolder)));
}

QWidget* TFormProjectBuilder::buildSelectPage() {
  auto* page = new QWidget(this);
  auto* h = new QHBoxLayout(page);
  auto* browse = new QVBoxLayout;
  DriveComboBox = named(new QComboBox(page), "DriveComboBox", "Drive");
  DirectoryList = named(new QListWidget(page), "DirectoryList");
  FilterComboBox = named(new QComboBox(page), "FilterComboBox", "File types");
  FilterComboBox->addItem("All files (*.*)", "*.*");
  FilterComboBox->addItem("HTML Files", "*.htm;*.html;*.shtml;*.asp;*.cgi");
  ListBoxDirFiles = named(new QListWidget(page), "ListBoxDirFiles", "Files in the folder");
  ListBoxDirFiles->setSelectionMode(QAbstractItemView::ExtendedSelection);
  browse->addWidget(DriveComboBox);
  auto* folderPath = named(new QLabel(page), "LabelFolder");
  folderPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
  browse->addWidget(folderPath);
  browse->addWidget(DirectoryList);
  browse->addWidget(FilterComboBox);
  browse->addWidget(ListBoxDirFiles);
  h->addLayout(browse, 1);
  auto* buttons = new QVBoxLayout;
  auto* add = namedButton("Add", "ButtonAdd", page);
  auto* addAll = namedButton("Add All", "ButtonAddAll", page);
  auto* remove = namedButton("Remove from List", "ButtonRemove", page);
  auto* clear = namedButton("Clear All", "ButtonClearAll", page);
  for (QPushButton* b : {add, addAll, remove, clear}) buttons->addWidget(b);
  buttons->addStretch();
  h->addLayout(buttons);
  ListBoxChosen = named(new QListWidget(page), "ListBoxChosen", "Chosen pages");
  ListBoxChosen->setSelectionMode(QAbstractItemView::ExtendedSelection);
  h->addWidget(ListBoxChosen, 1);

  browser_ = new FolderBrowser(
      DriveComboBox, DirectoryList, ListBoxDirFiles,
      [this] { return toBytes(FilterComboBox->currentData().toString()); }, this);
  browser_->showPathIn(folderPath);
  connect(FilterComboBox, &QComboBox::currentIndexChanged, this, [this] { goToFolder(browser_->folder()); });
  connect(add, &QPushButton::clicked, this, [this] { addFiles(false); });
  connect(addAll, &QPushButton::clicked, this, [this] { addFiles(true); });
  connect(remove, &QPushButton::clicked, this, [this] {
    const std::vector<int> marked = markedRows(ListBoxChosen);
    for (auto it = marked.rbegin(); it != marked.rend(); ++it) chosen_.erase(chosen_.begin() + static_cast<long>(*it));
    chosenChanged();
  });
  connect(clear, &QPushButton::clicked, this, [this] {
    chosen_.clear();
    chosenChanged();
  });
  return page;
}

QWidget* TFormProjectBuilder::buildOrderPage() {
  auto* page = new QWidget(this);
  auto* h = new QHBoxLayout(page);
  ListBoxOrder = named(new QListWidget(page), "ListBoxOrder", "Page order");
  h->addWidget(ListBoxOrder, 1);
  auto* buttons = new QVBoxLayout;
  auto* up = namedButton("Up", "ButtonUp", page);
  auto* down = namedButton("Down", "ButtonDown", page);
  buttons->addWidget(up);
  buttons->addWidget(down);
  buttons->addStretch();
  h->addLayout(buttons);
  connect(up, &QPushButton::clicked, this, [this] { moveInOrder(-1); });
  connect(down, &QPushButton::clicked, this, [this] { moveInOrder(1); });
  return page;
}

QWidget* TFormProjectBuilder::buildNamesPage() {
  auto* page = new QWidget(this);
  auto* v = new QVBoxLayout(page);
  auto* group = new QGroupBox("Load Web Page Names:", page);
  auto* g = new QHBoxLayout(group);
  RadioFileName = named(new QRadioButton("Use Filename", group), "RadioFileName");
  RadioTitle = named(new QRadioButton("Use <TITLE> Value", group), "RadioTitle");
  RadioFileName->setChecked(true);
  auto* load = namedButton("Load Names", "ButtonLoadNames", group);
  g->addWidget(RadioFileName);
  g->addWidget(RadioTitle);
  g->addWidget(load);
  v->addWidget(group);
  MemoNames = named(new QPlainTextEdit(page), "MemoNames", "Web page names");
  // One name a line: Tab leaves the list for the next control, as everywhere else in the dialog.
  MemoNames->setTabChangesFocus(true);
  MemoNames->setLineWrapMode(QPlainTextEdit::NoWrap);
  v->addWidget(MemoNames);
  auto* note = new QLabel(
      "You can change the names above. Keep one name on each line, in the order of the files; do "
      "not add TABs or line breaks.",
      page);
  note->setWordWrap(true);
  v->addWidget(note);
  connect(load, &QPushButton::clicked, this, [this] { loadNames(); });
  return page;
}

QWidget* TFormProjectBuilder::buildHierarchyPage() {
  auto* page = new QWidget(this);
  auto* h = new QHBoxLayout(page);
  ListBoxHierarchy = named(new QListWidget(page), "ListBoxHierarchy", "Page levels");
  ListBoxHierarchy->setSelectionMode(QAbstractItemView::ExtendedSelection);
  QFont fixed("Monospace");
  fixed.setStyleHint(QFont::TypeWriter);
  ListBoxHierarchy->setFont(fixed);
  h->addWidget(ListBoxHierarchy, 1);
  auto* buttons = new QVBoxLayout;
  auto* indent = namedButton("Indent", "ButtonIndent", page);
  auto* unindent = namedButton("Unindent", "ButtonUnindent", page);
  buttons->addWidget(indent);
  buttons->addWidget(unindent);
  buttons->addStretch();
  h->addLayout(buttons);
  connect(indent, &QPushButton::clicked, this, [this] {
    const auto marked = markedHierarchy();
    indentLines(hierarchy_, marked);
    showHierarchy(marked);
  });
  connect(unindent, &QPushButton::clicked, this, [this] {
    const auto marked = markedHierarchy();
    unindentLines(hierarchy_, marked);
    showHierarchy(marked);
  });
  return page;
}

QWidget* TFormProjectBuilder::buildFinishPage() {
  auto* page = new QWidget(this);
  auto* v = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel("Project Name:", page));
  EditProjectName = named(new QLineEdit(page), "EditProjectName");
  // A prompt, not text: what is typed replaces it, and an untouched box is no name.
  EditProjectName->setPlaceholderText("Enter Project Name Here");
  row->addWidget(EditProjectName, 1);
  v->addLayout(row);
  auto* finish = namedButton("Click HERE to Save Project and Exit", "ButtonFinish", page);
  v->addWidget(finish);
  v->addStretch();
  connect(finish, &QPushButton::clicked, this, [this] { ButtonFinishClick(); });
  return page;
}

void TFormProjectBuilder::goToFolder(const std::string& folder) { browser_->goTo(folder); }

void TFormProjectBuilder::addFiles(bool all) {
  for (int i = 0; i < ListBoxDirFiles->count(); ++i)
    if (all || ListBoxDirFiles->item(i)->isSelected()) chosen_.push_back(browser_->pathOf(ListBoxDirFiles->item(i)));
  chosenChanged();
}

void TFormProjectBuilder::chosenChanged() {
  ListBoxChosen->clear();
  for (const std::string& path : chosen_) ListBoxChosen->addItem(toQString(path));
  order_ = chosen_;
  ListBoxOrder->clear();
  for (const std::string& path : order_) ListBoxOrder->addItem(toQString(path));
}

void TFormProjectBuilder::moveInOrder(int by) {
  const int row = ListBoxOrder->currentRow();
  const int other = row + by;
  if (row < 0 || other < 0 || other >= static_cast<int>(order_.size())) return;
  std::swap(order_[static_cast<size_t>(row)], order_[static_cast<size_t>(other)]);
  ListBoxOrder->item(row)->setText(toQString(order_[static_cast<size_t>(row)]));
  ListBoxOrder->item(other)->setText(toQString(order_[static_cast<size_t>(other)]));
  ListBoxOrder->setCurrentRow(other);
  chosen_ = order_;
  ListBoxChosen->clear();
  for (const std::string& path : chosen_) ListBoxChosen->addItem(toQString(path));
}

void TFormProjectBuilder::loadNames() {
  MemoNames->clear();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  QStringList names;
  loadedNames_.clear();
  for (const std::string& path : order_) {
    if (RadioFileName->isChecked()) {
      loadedNames_.push_back(tidyPageName(nameFromFileName(path), path));
    } else {
      const auto bytes = readWholeFile(path);
      loadedNames_.push_back(tidyPageName(nameFromTitle(bytes ? *bytes : std::string(), path), path));
    }
    names << toQString(loadedNames_.back());
  }
  MemoNames->setPlainText(names.join('\n'));
  QApplication::restoreOverrideCursor();
}

// The rows are rewritten in place and the marks set as one selection of runs, so that indenting many marked
// rows costs their number, not its square.
void TFormProjectBuilder::showHierarchy(const std::vector<size_t>& marked) {
  ListBoxHierarchy->setUpdatesEnabled(false);
  if (static_cast<size_t>(ListBoxHierarchy->count()) == hierarchy_.size()) {
    for (size_t i = 0; i < hierarchy_.size(); ++i)
      ListBoxHierarchy->item(static_cast<int>(i))->setText(toQString(hierarchy_[i]));
  } else {
    ListBoxHierarchy->clear();
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(hierarchy_.size()));
    for (const std::string& line : hierarchy_) rows << toQString(line);
    ListBoxHierarchy->addItems(rows);
  }
  QItemSelection selection;
  for (size_t at = 0; at < marked.size();) {
    size_t end = at;
    while (end + 1 < marked.size() && marked[end + 1] == marked[end] + 1) ++end;
    if (marked[end] < hierarchy_.size()) {
      QAbstractItemModel* model = ListBoxHierarchy->model();
      selection.select(model->index(static_cast<int>(marked[at]), 0), model->index(static_cast<int>(marked[end]), 0));
    }
    at = end + 1;
  }
  ListBoxHierarchy->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
  ListBoxHierarchy->setUpdatesEnabled(true);
}

std::vector<size_t> TFormProjectBuilder::markedHierarchy() const {
  const std::vector<int> rows = markedRows(ListBoxHierarchy);
  return std::vector<size_t>(rows.begin(), rows.end());
}

// Leaving the names starts the hierarchy afresh from them; opening Finish checks the hierarchy first.
void TFormProjectBuilder::tabChanged(int index) {
  const int left = lastTab_;
  lastTab_ = index;
  if (left == kNames) {
    hierarchy_.clear();
    const QString text = MemoNames->toPlainText();
    // A name as it was read keeps its page's bytes (an 8-bit title stays 8-bit); one typed over keeps
    // their encoding where it can.
    if (!text.isEmpty())
      for (const QString& line : text.split('\n')) {
        const size_t at = hierarchy_.size();
        hierarchy_.push_back(at < loadedNames_.size() ? toBytesKeeping(line, loadedNames_[at]) : toBytes(line));
      }
    showHierarchy({});
  }
  if (index != kFinish) return;
  if (const auto jump = firstHierarchyJump(hierarchy_)) {
    showHierarchy({*jump, *jump + 1});
    PageControl->setCurrentIndex(kHierarchy);
    platform_.prompts.info(
        "Sub-pages can only be one indent level below their parent. You must unindent the second "
        "marked page by at least one level, then continue.");
  }
}

void TFormProjectBuilder::ButtonFinishClick() {
  const std::string name = toBytes(EditProjectName->text());
  if (name.empty()) {
    platform_.prompts.info("You must enter a name for this Project.");
    return;
  }
  if (order_.empty()) {
    platform_.prompts.info("There are no files in this project yet. Add them on the \"Select Files\" tab first.");
    return;
  }
  if (!validProjectName(name)) {
    platform_.prompts.info("A project name cannot hold a slash or be \".\" or \"..\". Please enter another name.");
    return;
  }
  const std::string outline = start_.projectsDir + name + ".out";
  const std::string links = start_.projectsDir + name + ".fil";
  // Another project's files are never replaced without the user's word.
  if ((fileExists(outline) || fileExists(links)) &&
      platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "A project named \"" + name + "\" already exists. Do you want to replace it?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  const std::string outlineText = builderOutlineText(hierarchy_, order_);
  const std::string linkText = builderLinkText(order_);
  const WriteResult written = writeFilesTogether({{links, linkText}, {outline, outlineText}});
  if (!written.ok) {
    platform_.prompts.error(cannotWriteText(written, "project file"));
    return;
  }
  platform_.prompts.info("Project Saved.");
  accept();
}

void TFormProjectBuilder::reject() {
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "You have not finished and saved this project. Do you really wish to exit?",
                                Buttons::YesNo) == Answer::Yes)
    QDialog::reject();
}

}  // namespace quillon
