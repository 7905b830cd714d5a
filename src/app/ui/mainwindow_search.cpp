// Find and replace in the document, and turning backslashes into slashes.
#include <Qsci/qsciscintilla.h>
#include <QToolButton>
#include <algorithm>

#include <thread>

#include "app/command_names.h"
#include "app/ui/mainwindow.h"
#include "app/ui/search_session.h"
#include "base/text_bytes.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/page_tabs.h"
#include "platform/ui/pumped_pass.h"
#include "platform/ui/qt_text.h"
#include "project/replace_journal.h"
#include "project/site_files.h"
#include "project/ui/big_replace_form.h"
#include "project/ui/site_find_form.h"

namespace quillon {

std::vector<CommandRecord> TForm1::searchCommands() {
  return {
      {cmd::BitBtnFindClick, "&Find", "Ctrl+F", "edit-find", [this] { search().open(false); }},
      {cmd::Replace1Click, "&Replace", "Ctrl+R", "edit-find-replace", [this] { search().open(true); }, kChangesText},
      {cmd::FindNext1Click, "Find &Next", "F3", "", [this] { search().findNext(); }},
      {cmd::Replaceallwith1Click, "Replace &all \"\\\" with \"/\" (every occurence)", "Ctrl+\\", "",
       call(&TForm1::Replaceallwith1Click), kChangesText},
      {cmd::Replaceprecisewithonlyintags1Click, "Replace precise \"\\\" with \"/\" (only in tags)", "Ctrl+Shift+\\", "",
       call(&TForm1::Replaceprecisewithonlyintags1Click), kChangesText},
      {cmd::BitBtnReplaceAllClick, "&Extended Replace", "Ctrl+E", "edit-select-all",
       call(&TForm1::BitBtnReplaceAllClick)},
      {cmd::FindinSite1Click, "Find in &Site...", "Ctrl+Alt+F", "", call(&TForm1::FindinSite1Click)},
      {cmd::UndoLastSiteReplace1Click, "&Undo Last Site Replace...", "", "", call(&TForm1::UndoLastSiteReplace1Click)}};
}

// Every match in the site, listed as it is found; a double-click opens the page at the match.
void TForm1::FindinSite1Click() {
  TFormSiteFind::Start start;
  start.projectPages = projectPageLinks();
  start.folder = siteFolder();
  if (start.folder.empty()) start.folder = settings_.startLocation;
  // Open pages with unsaved changes are searched as the window holds them.
  const OpenPages& open = pages_->pages();
  for (size_t i = 0; i < open.size(); ++i)
    if (pages_->modifiedAt(i) && open.at(i).state.path != session_->untitledPath())
      start.openTexts[open.at(i).state.path] = pages_->bytesAt(i);
  TFormSiteFind dialog(platform_, std::move(start), this);
  if (platform_.modal.runModal(dialog) != QDialog::Accepted || !dialog.chosen()) return;
  const TFormSiteFind::Chosen& at = *dialog.chosen();
  if (!showPage(at.path)) return;
  editor_bytes::select(*RE1, static_cast<long>(at.start), static_cast<long>(at.end - at.start));
  RE1->setFocus();
}

// The newest site-wide replace is undone: every file still as the run left it gets its bytes back.
void TForm1::UndoLastSiteReplace1Click() {
  const std::vector<ReplaceRunInfo> runs = undoableRuns(programDir_);
  if (runs.empty()) {
    platform_.prompts.info("There is no site-wide replace to undo.");
    return;
  }
  const ReplaceRunInfo& run = runs.front();
  const std::string question = "Undo the site-wide replace of " + run.when + "?\r\r" + run.what + "\r" +
                               std::to_string(run.files) + (run.files == 1 ? " file" : " files") + " changed" +
                               (run.finished ? "." : " before it was cut short.");
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle, question, Buttons::YesNo) != Answer::Yes) return;
  // Open pages may be among them: their changes are saved or given up first, as before a replace.
  if (!leaveEveryOpenPage()) return;
  const UndoResult undone = undoRun(run.folder);
  // Deleting the journal's thousands of copies frees their blocks, which nobody needs to wait for; one a
  // quit cuts short is swept with the old journals.
  if (!undone.undoneJournal.empty()) std::thread(removeUndoneJournal, undone.undoneJournal).detach();
  std::string said =
      std::to_string(undone.restored.size()) +
      (undone.restored.size() == 1 ? " file was put back as it was." : " files were put back as they were.");
  if (!undone.changedSince.empty()) {
    said += "\r\rThese were changed after the replace and were left as they are:";
    for (const std::string& f : undone.changedSince) said += "\r" + f;
  }
  if (!undone.failed.empty()) {
    said += "\r\rThese could not be put back; the undo can be tried again:";
    for (const std::string& f : undone.failed) said += "\r" + f;
  }
  platform_.prompts.info(said);
  rereadOpenPages(undone.restored);
  if (settings_.ftpAuto)
    for (const std::string& page : undone.restored) autoFtp_.add(page);
}

// Files on disk are about to change: the open document is closed first (saved if the user wishes), so the
// editing window cannot later write an old copy over a replaced file.
void TForm1::BitBtnReplaceAllClick() {
  bool anyModified = false;
  for (size_t i = 0; i < pages_->count(); ++i) anyModified = anyModified || pages_->modifiedAt(i);
  if (anyModified) {
    platform_.prompts.info(
        "To guarantee file integrity, all open files must be closed before doing a global replace. "
        "You will now have the option of saving your open HTML file...");
    if (!leaveEveryOpenPage()) return;
  }
  closeEveryPageButTheShown();
  emptyWindow();
  session_->resetToNew();
  updateDocumentStatus();
  updateSaveEnabled();
  const std::time_t now = std::time(nullptr);
  std::tm today{};
  localtime_r(&now, &today);
  TFormBigReplace dialog(
      platform_, {programDir_, project_->projectsDir(), project_->name(), dateStamp(today), settings_.undoRuns}, this);
  platform_.modal.runModal(dialog);
  // Pages rewritten on disk need sending as much as pages saved from the editor.
  if (settings_.ftpAuto)
    for (const std::string& page : dialog.changedFiles()) autoFtp_.add(page);
}

// Pages open from files that were just rewritten on disk are read again, each where its caret was, so no
// window holds an old copy that a later save would write back.
void TForm1::rereadOpenPages(const std::vector<std::string>& rewritten) {
  const size_t shown = pages_->currentIndex();
  for (size_t i = 0; i < pages_->count(); ++i) {
    const std::string path = pages_->pages().at(i).state.path;
    if (std::find(rewritten.begin(), rewritten.end(), path) == rewritten.end()) continue;
    pages_->show(i);
    const long caret = RE1->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    if (openDocument(path, {})) editor_bytes::select(*RE1, std::min(caret, editor_bytes::length(*RE1)), 0);
  }
  if (shown < pages_->count()) pages_->show(shown);
}

SearchSession& TForm1::search() {
  if (!search_) search_ = new SearchSession(*this, platform_.prompts, [this]() -> QsciScintilla& { return *RE1; });
  return *search_;
}

void TForm1::Replaceallwith1Click() {
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "Replace ALL instance of \"\\\" with \"/\" (within tags and elsewhere) in open file?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  const size_t count = search().replaceAll("\\", "/", true);
  platform_.prompts.info("There were " + std::to_string(count) + " slash characters replaced.");
}

void TForm1::Replaceprecisewithonlyintags1Click() {
  if (platform_.prompts.message(MessageKind::Confirm, kAppTitle,
                                "Replace PRECISE instances of \"\\\" with \"/\" (only when it appears within quotes "
                                "within a tag) in open file?",
                                Buttons::YesNo) != Answer::Yes)
    return;
  stopColoring_ = false;
  editor_bytes::setWordWrap(*RE1, false);
  const std::string text(editor_bytes::text(*RE1));
  // The slashes are found first and replaced in one change at the end (one undo step, one notice to the
  // window): replacing them one by one costs time for every slash in a long document.
  std::vector<size_t> slashes;
  PumpedPass pass(&stopColoring_);
  forEachLine(text, [&](std::string_view line, size_t lineStart) {
    if (pass.shouldStop()) return;
    for (size_t offset : slashesInTags(line)) slashes.push_back(lineStart + offset);
  });
  const bool stopped = pass.stopped();
  // Events that ran during the pass may have changed the text; one-for-one replacements keep offsets valid
  // only in the text the pass read.
  size_t replaced = 0;
  if (!slashes.empty() && editor_bytes::text(*RE1) == text) {
    replaced = slashes.size();
    const size_t first = slashes.front(), end = slashes.back() + 1;
    std::string span = text.substr(first, end - first);
    for (size_t at : slashes) span[at - first] = '/';
    editor_bytes::replaceLargeRange(*RE1, static_cast<long>(first), static_cast<long>(end - first), span);
  }
  editor_bytes::setWordWrap(*RE1, settings_.wrap);
  editor_bytes::select(*RE1, 0, 0);
  if (!stopped) platform_.prompts.info("There were " + std::to_string(replaced) + " slash characters replaced.");
}

void TForm1::BitBtnStopColorsMouseDown() { stopColoring_ = true; }

}  // namespace quillon
