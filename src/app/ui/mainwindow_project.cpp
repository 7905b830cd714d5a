// Site projects: new, open, save, the recent list, the help project, and the outline's page commands.
#include <unistd.h>
#include <QAction>
#include <algorithm>

#include <Qsci/qsciscintilla.h>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include "project/files_pane.h"

#include <Qsci/qsciprinter.h>
#include <QPrinter>
#include "app/command_names.h"
#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "app/ui/preview_pane.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "check/ui/check_site_form.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"
#include "platform/ui/text_printing.h"
#include "project/backup_plan.h"
#include "project/outline_print.h"
#include "project/page_checks.h"
#include "project/page_move.h"
#include "project/project_files.h"
#include "project/site_files.h"
#include "project/ui/backup_form.h"
#include "project/ui/load_size_form.h"
#include "project/ui/move_form.h"
#include "project/ui/new_name_form.h"
#include "project/ui/print_options_form.h"
#include "project/ui/project_builder_form.h"
#include "publish/preview_file.h"

namespace quillon {

namespace {
constexpr int kIndexRole = Qt::UserRole + 1;
}

std::vector<CommandRecord> TForm1::projectCommands() {
  return {
      {cmd::BitBtnBackupClick, "Backup HTML files", "Ctrl+F1", "emblem-package", call(&TForm1::BitBtnBackupClick)},
      {cmd::ButtonMoveClick, "Move Page Up/Down", "", "view-sort-ascending", call(&TForm1::ButtonMoveClick)},
      {cmd::WebsiteProjectBuilder1Click, "Website Project Builder", "", "", call(&TForm1::WebsiteProjectBuilder1Click)},
      {cmd::GetPageLoadingData1Click, "Analyze Page/Site", "Ctrl+F2", "system-search",
       call(&TForm1::GetPageLoadingData1Click)},
      {cmd::AnalyzeWebPage1Click, "Analyze Web Page", "", "", call(&TForm1::AnalyzeWebPage1Click)},
      {cmd::CheckSite1Click, "Check &Site...", "", "", call(&TForm1::CheckSite1Click)},
      {cmd::PrintProjectOutline1Click, "&Print Project/HTML", "Ctrl+P", "document-print",
       call(&TForm1::PrintProjectOutline1Click)},
      {cmd::NewProject1Click, "&New Project", "Ctrl+N", "folder-new", call(&TForm1::NewProject1Click)},
      {cmd::Open1Click, "&Open Project", "Ctrl+O", "folder-visiting", call(&TForm1::Open1Click)},
      {cmd::Save1Click, "&Save Project", "Ctrl+S", "document-save-as", call(&TForm1::Save1Click)},
      {cmd::SaveAs1Click, "Save Project &As", "", "", call(&TForm1::SaveAs1Click)},
      {cmd::WelcometoQuillonPro1Click, "&Welcome to Quillon Pro", "", "", call(&TForm1::WelcometoQuillonPro1Click)},
      {cmd::Button1Click, "Add a Web Page", "", "document-new", call(&TForm1::Button1Click)},
      {cmd::BitBtnAddChildClick, "Add a Sub-Page", "", "format-indent-more", call(&TForm1::BitBtnAddChildClick)},
      {cmd::BitBtnDeleteClick, "&Remove Page from Project", "", "list-remove", call(&TForm1::BitBtnDeleteClick)},
      {cmd::ChangeDescription1Click, "Change &HTML Link", "", "", call(&TForm1::ChangeDescription1Click)},
      {cmd::Outline1DblClick, "Open/Edit Web Page", "", "", call(&TForm1::Outline1DblClick)},
      {cmd::Selected1Click, "This Page Group", "", "", call(&TForm1::Selected1Click)},
      {cmd::AllPageGroups1Click, "All Page Groups", "", "", call(&TForm1::AllPageGroups1Click)},
      {cmd::ThisLevel1Click, "This Page Group", "", "", call(&TForm1::ThisLevel1Click)},
      {cmd::EntireSite1Click, "All Page Groups", "", "", call(&TForm1::EntireSite1Click)},
      {cmd::BitBtnLoadFromTemplateClick, "Open HTML Template", "", "document-page-setup",
       call(&TForm1::BitBtnLoadFromTemplateClick)}};
}

int TForm1::selectedPage() const {
  const QTreeWidgetItem* item = Outline1->currentItem();
  return item ? item->data(0, kIndexRole).toInt() : -1;
}

void TForm1::refreshOutline(int select) {
  const PageTree& tree = project_->tree();
  Outline1->setUpdatesEnabled(false);
  Outline1->clear();
  std::vector<QTreeWidgetItem*> parents;  // the last item seen at each level
  QList<QTreeWidgetItem*> topLevel;
  std::vector<QTreeWidgetItem*> items;
  items.reserve(tree.size());
  for (size_t i = 0; i < tree.size(); ++i) {
    const Page& page = tree[i];
    const size_t depth = static_cast<size_t>(page.level - 1);
    parents.resize(depth);
    auto* item = depth == 0 ? new QTreeWidgetItem : new QTreeWidgetItem(parents.back());
    item->setText(0, toQString(page.title));
    item->setData(0, Qt::UserRole, toQString(page.link));
    item->setData(0, kIndexRole, static_cast<int>(i));
    if (depth == 0) topLevel << item;
    parents.push_back(item);
    items.push_back(item);
  }
  Outline1->addTopLevelItems(topLevel);
  for (size_t i = 0; i < tree.size(); ++i)
    if (tree[i].expanded) items[i]->setExpanded(true);
  if (select >= 0 && static_cast<size_t>(select) < items.size())
    Outline1->setCurrentItem(items[static_cast<size_t>(select)]);
  Outline1->setUpdatesEnabled(true);
  refreshProjectState();
}

// Another project replaced the outline: the page panels no longer speak of any of its pages.
void TForm1::showOtherProject() {
  refreshOutline();
  selectedPageFile_.clear();
  statusPanels_[0]->setText("File Size:");
  statusPanels_[1]->setText("Page Location:");
}

// Where a builder's folder list starts: the open page's folder for what belongs to the page (its images),
// else the folder last used for pages; never the program's own folder, which holds no site.
std::string TForm1::builderStartFolder(bool forThePage) const {
  if (forThePage && !session_->isUntitled()) return std::string(folderPart(session_->state().path));
  const std::string& start = settings_.startLocation;
  if (!start.empty() && isDirectory(std::string(folderPart(start))) && std::string(folderPart(start)) != programDir_)
    return start;
  if (!session_->isUntitled()) return std::string(folderPart(session_->state().path));
  return homeDirectory();
}

void TForm1::refreshProjectState() {
  updateCaption();
  // Only the toolbar button follows the project's state; the menu item and Ctrl+S stay available.
  if (auto* button = findChild<QToolButton*>("SpeedButtonSave1")) button->setEnabled(project_->saveEnabled());
}

void TForm1::refreshRecentMenu() {
  for (size_t i = 0; i < recentActions_.size(); ++i)
    recentActions_[i]->setText(QString("%1: ").arg(i + 1) + toQString(settings_.recent[i]));
}

void TForm1::NewProject1Click() {
  if (project_->newProject()) showOtherProject();
  refreshRecentMenu();
  refreshProjectState();
}

void TForm1::Open1Click() {
  if (project_->open()) showOtherProject();
  refreshRecentMenu();
  refreshProjectState();
}

void TForm1::Save1Click() {
  project_->save();
  refreshRecentMenu();
  refreshProjectState();
}

void TForm1::SaveAs1Click() {
  project_->saveAs();
  refreshRecentMenu();
  refreshProjectState();
}

void TForm1::Reopen(size_t entry) {
  if (project_->reopen(entry)) showOtherProject();
  refreshRecentMenu();
  refreshProjectState();
}

void TForm1::WelcometoQuillonPro1Click() {
  if (!leaveEveryOpenPage()) return;
  closeEveryPageButTheShown();
  const bool opened = project_->openHelp();
  refreshRecentMenu();
  showOtherProject();
  if (!opened) return;
  CheckWrap->setChecked(true);
  editor_bytes::setWordWrap(*RE1, true);
  PanelEClick();
  openDocument(project_->helpDir() + "welcome.brn", {true, false, DocumentSession::OpenedFrom::ProjectPage});
}

bool TForm1::runPageDialog(bool changing, bool focusLink) {
  const int selected = selectedPage();
  std::string title, link;
  if (changing && selected >= 0) {
    title = project_->tree()[static_cast<size_t>(selected)].title;
    link = project_->tree()[static_cast<size_t>(selected)].link;
  }
  const auto& pages = project_->tree().pages();
  const bool eightBit = std::any_of(pages.begin(), pages.end(), [](const Page& p) { return !isValidUtf8(p.title); });
  if (!FormNewName) FormNewName = new TFormNewName(platform_, this);
  FormNewName->prepare("HTML Files|" + maskList_ + "|All Files|*.*", settings_.startLocation, title, link,
                       focusLink ? TFormNewName::Focus::Link : TFormNewName::Focus::Title, changing, eightBit);
  platform_.modal.runModal(*FormNewName);
  return !FormNewName->cancelled() && FormNewName->result() == QDialog::Accepted;
}

void TForm1::Button1Click() {
  if (!runPageDialog(false, false)) return;
  project_->enableSave();
  const size_t at = project_->tree().addTopLevel(FormNewName->resultTitle(), FormNewName->resultLink());
  project_->setModified();
  setSetting(&RunSettings::startLocation, linkFolder(FormNewName->resultLink()));
  refreshOutline(static_cast<int>(at));
}

void TForm1::BitBtnAddChildClick() {
  const int selected = selectedPage();
  if (!runPageDialog(false, false) || selected < 0) return;
  project_->enableSave();
  project_->setModified();
  PageTree& tree = project_->tree();
  const size_t at =
      tree.addSubPage(static_cast<size_t>(selected), FormNewName->resultTitle(), FormNewName->resultLink());
  setSetting(&RunSettings::startLocation, linkFolder(FormNewName->resultLink()));
  tree.expandAll();
  refreshOutline(static_cast<int>(at));
}

void TForm1::BitBtnDeleteClick() {
  if (project_->helpMode()) {
    platform_.prompts.info("Sorry, this is the HELP file and cannot be edited.");
    return;
  }
  const int selected = selectedPage();
  if (project_->tree().empty() || selected < 0) return;
  if (settings_.filesConfirm) {
    TFormConfirm confirm(settings_.filesConfirm, this);
    const bool yes = platform_.modal.runModal(confirm) == QDialog::Accepted;
    setSetting(&RunSettings::filesConfirm, !confirm.noConfirm());
    if (!yes) return;
  }
  project_->setModified();
  project_->tree().removeGroup(static_cast<size_t>(selected));
  refreshOutline(std::min(selected, static_cast<int>(project_->tree().size()) - 1));
}

void TForm1::ChangeDescription1Click() { ChangePage(commands_->triggeredCaption() != "Change Page Title"); }

void TForm1::ChangePage(bool focusLink) {
  const int selected = selectedPage();
  if (!runPageDialog(true, focusLink) || selected < 0) return;
  project_->setModified();
  project_->tree().change(static_cast<size_t>(selected), FormNewName->resultTitle(), FormNewName->resultLink());
  refreshOutline(selected);
}

void TForm1::Outline1Click() {
  const int selected = selectedPage();
  if (selected < 0) return;
  const std::string& link = project_->tree()[static_cast<size_t>(selected)].link;
  selectedPageFile_ = link;
  const auto size = regularFileSize(link);
  if (!size) return;
  statusPanels_[0]->setText(toQString(fileSizeText(*size)));
  statusPanels_[1]->setText("Page Location:  " + toQString(link));
}

void TForm1::Outline1DblClick() {
  const int selected = selectedPage();
  if (selected < 0) return;
  const std::string link = project_->tree()[static_cast<size_t>(selected)].link;
  if (project_->isHelpPage(link))
    openPage(project_->helpDir() + link, {true, false, DocumentSession::OpenedFrom::ProjectPage});
  else
    openPage(link, {false, false, DocumentSession::OpenedFrom::ProjectPage});
}

void TForm1::Selected1Click() {
  if (selectedPage() < 0) return;
  project_->tree().expandGroup(static_cast<size_t>(selectedPage()));
  refreshOutline(selectedPage());
}

void TForm1::AllPageGroups1Click() {
  project_->tree().expandAll();
  refreshOutline(selectedPage());
}

void TForm1::ThisLevel1Click() {
  if (selectedPage() < 0) return;
  project_->tree().collapseGroup(static_cast<size_t>(selectedPage()));
  refreshOutline(selectedPage());
}

void TForm1::EntireSite1Click() {
  project_->tree().collapseAll();
  refreshOutline(selectedPage());
}

void TForm1::showOutlineMenu(const QPoint& pos) {
  auto* menu = new QMenu(this);
  menu->setObjectName("PopupMenuOutline");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  commands_->fillMenu(*menu, outlineMenu(), true);
  menu->popup(Outline1->viewport()->mapToGlobal(pos));
}

namespace {

std::string todayStamp() {
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  localtime_r(&now, &today);
  return dateStamp(today);
}

}  // namespace

void TForm1::BitBtnBackupClick() {
  TFormBackup dialog(platform_, {programDir_, project_->projectsDir(), project_->name(), todayStamp()}, this);
  platform_.modal.runModal(dialog);
}

// Every few times a project is left, the user is offered a backup of it. The counter of each project
// lives in OPTIONS.INI.
void TForm1::backupReminder(const std::string& projectName) {
  const std::string key = leaveCounterKey(projectName);
  const int stored = IniFile::load(writer_->pathOf(SettingsFile::Options)).readInt("Backup", key, 0);
  const auto step = reminderStep(settings_.backupType, projectName, stored, settings_.promptFreq);
  if (!step) return;
  const WriteResult counted = writer_->write(SettingsFile::Options, "Backup", step->key, std::to_string(step->counter));
  if (!counted.ok)
    platform_.prompts.error(cannotWriteText(counted, "settings file") +
                            " The backup reminder cannot count how often this project is left.");
  if (!step->ask) return;
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "This project has not been backed-up recently. Do you wish to back up all HTML and "
                                "project files now?\r(NOTE: You can disable this prompt from the BACKUP tab of the "
                                "SETTINGS menu.)",
                                Buttons::YesNo) == Answer::No)
    return;
  BitBtnBackupClick();
}

// The pages go to the move dialog and come back through the two exchange files. What cannot be read back
// leaves the outline as it was.
void TForm1::ButtonMoveClick() {
  const PageTree& tree = project_->tree();
  const WriteResult written = writeFilesTogether(
      {{programDir_ + "temp.ttt", formatOutline(tree)}, {programDir_ + "temp2.ttt", formatLinks(tree)}});
  if (!written.ok) {
    platform_.prompts.error(cannotWriteText(written, "project file"));
    return;
  }
  TFormMove dialog(platform_, programDir_, this);
  if (platform_.modal.runModal(dialog) != QDialog::Accepted) return;
  const auto outline = readWholeFile(programDir_ + "temp.ttt");
  const auto links = readWholeFile(programDir_ + "temp2.ttt");
  auto pages = outline && links ? pagesAfterMove(*outline, *links) : std::nullopt;
  if (!pages) {
    platform_.prompts.info(kFileLoadError);
    return;
  }
  const bool moved = pagesMoved(project_->tree().pages(), *pages);
  project_->tree() = PageTree(std::move(*pages));
  if (moved) project_->setModified();
  refreshOutline();
}

void TForm1::WebsiteProjectBuilder1Click() {
  TFormProjectBuilder dialog(platform_, {project_->projectsDir(), builderStartFolder(false)}, this);
  platform_.modal.runModal(dialog);
}

void TForm1::GetPageLoadingData1Click() { openAnalysis({}); }

// Broken links and anchors, orphans and page weight; a double-click on a finding opens its page at the line.
void TForm1::CheckSite1Click() {
  TFormCheckSite::Start start;
  start.projectPages = projectPageLinks();
  start.projectRoot = siteFolder();
  start.folder = start.projectRoot.empty() ? settings_.startLocation : start.projectRoot;
  start.goodKB = settings_.checkGoodKB;
  start.heavyKB = settings_.checkHeavyKB;
  start.external = settings_.checkExternal;
  start.showReport = [this](const std::string& path) {
    std::string failure;
    if (!preview_->available() || !preview_->show(fileUrl(path), settings_.msieControl, failure))
      platform_.prompts.info("The report cannot be shown in the browser pane." +
                             (failure.empty() ? std::string() : "\r\n\r\n" + failure));
  };
  TFormCheckSite dialog(platform_, std::move(start), this);
  const bool accepted = platform_.modal.runModal(dialog) == QDialog::Accepted;
  if (dialog.goodKB() != settings_.checkGoodKB) setSetting(&RunSettings::checkGoodKB, dialog.goodKB());
  if (dialog.heavyKB() != settings_.checkHeavyKB) setSetting(&RunSettings::checkHeavyKB, dialog.heavyKB());
  if (dialog.external() != settings_.checkExternal) setSetting(&RunSettings::checkExternal, dialog.external());
  if (!accepted || !dialog.chosen()) return;
  const TFormCheckSite::Chosen& at = *dialog.chosen();
  if (!showPage(at.path)) return;
  const int line = static_cast<int>(at.line) - 1;
  RE1->setCursorPosition(line, 0);
  RE1->ensureLineVisible(line);
  RE1->setFocus();
}

void TForm1::AnalyzeWebPage1Click() {
  const std::string file = chosenFile();
  if (file.empty() || openKindFor(fileNamePart(file)) != FileOpenKind::Html) return;
  openAnalysis(file);
}

// The image folder is written back when the dialog is closed by one of its Close buttons.
void TForm1::openAnalysis(const std::string& preselectedFile) {
  TFormLoadSize dialog(
      platform_,
      {project_->projectsDir(), project_->name(), project_->tree(), selectedPage(), settings_.images, preselectedFile},
      this);
  if (platform_.modal.runModal(dialog) == QDialog::Accepted) setSetting(&RunSettings::images, dialog.imageDirectory());
}

void TForm1::PrintProjectOutline1Click() {
  const std::string& path = session_->state().path;
  // An untitled document with no text in it is no document to print.
  const bool documentOpen = !path.empty() && !(session_->isUntitled() && editor_bytes::length(*RE1) == 0);
  if (!documentOpen && project_->name().empty()) {
    platform_.prompts.info("There is no project or HTML file open to print.");
    return;
  }
  TFormPrintOptions options(documentOpen, !project_->name().empty(), this);
  platform_.modal.runModal(options);
  if (options.cancelled()) return;
  if (options.choice() == TFormPrintOptions::Choice::Document) {
    QsciPrinter printer(QPrinter::HighResolution);
    if (!platform_.printDialogs.choose(printer, path)) return;
    printer.setDocName(toQString(path));
    printer.printRange(RE1);
    return;
  }
  const PrintedLinks links = options.choice() != TFormPrintOptions::Choice::OutlineWithLinks ? PrintedLinks::None
                             : options.fileNameOnly() ? PrintedLinks::FileNameOnly
                                                      : PrintedLinks::Full;
  const std::vector<std::string> lines = printedOutlineLines(project_->tree().pages(), links);
  QPrinter printer(QPrinter::HighResolution);
  if (!platform_.printDialogs.choose(printer, project_->name())) return;
  printTextLines(printer, lines, Outline1->font());
}

}  // namespace quillon
