// The open HTML document: new, open, save, close, the edit commands and word wrap.
#include <Qsci/qsciscintilla.h>
#include <unistd.h>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QToolButton>
#include <climits>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/encoding_panel.h"

#include "app/window_caption.h"
#include "editor/ui/editor_bytes.h"
#include "platform/ui/qt_text.h"

namespace quillon {

std::vector<CommandRecord> TForm1::documentCommands() {
  return {{cmd::NewHTMLFile1Click, "New HTML File", "Alt+N", "document-new", call(&TForm1::NewHTMLFile1Click)},
          {cmd::OpenHTMLFile1Click, "Open HTML File", "Alt+O", "document-open", call(&TForm1::OpenHTMLFile1Click)},
          {cmd::SaveHTMLFile1Click, "Save &HTML File", "Alt+S", "document-save", call(&TForm1::SaveHTMLFile1Click)},
          {cmd::SaveHTMLFileAs1Click, "Save HT&ML File As", "", "", call(&TForm1::SaveHTMLFileAs1Click)},
          {cmd::CloseHTMLFile1Click, "Close HTML File", "", "", call(&TForm1::CloseHTMLFile1Click)},
          {cmd::BitBtnUndoClick, "&Undo", "Ctrl+Z", "edit-undo", call(&TForm1::BitBtnUndoClick), kChangesText},
          {cmd::Cut1Click, "Cu&t", "", "edit-cut", call(&TForm1::Cut1Click), kChangesText},
          {cmd::Copy1Click, "&Copy", "", "edit-copy", call(&TForm1::Copy1Click)},
          {cmd::Paste1Click, "&Paste", "", "edit-paste", call(&TForm1::Paste1Click), kChangesText},
          {cmd::SelectAll1Click, "Se&lect All", "Ctrl+A", "", call(&TForm1::SelectAll1Click)},
          {cmd::CheckWrapClick, "Wrap", "", "", call(&TForm1::CheckWrapClick)},
          {cmd::WordWrap1Click, "Word Wrap", "", "", call(&TForm1::WordWrap1Click)}};
}

void TForm1::updateCaption() {
  setWindowTitle(toQString(
      windowCaption(project_->caption(), session_->state().path, session_->isUntitled(), session_->modified())));
}

void TForm1::updateDocumentStatus() {
  statusPanels_[2]->setText(toQString(session_->statusText()));
  updateCaption();
  updateEncodingPanel();
}

void TForm1::updateSaveEnabled() {
  const bool on = session_->saveCommandsEnabled();
  commands_->setEnabled(cmd::SaveHTMLFile1Click, on);
  commands_->setEnabled(cmd::SaveHTMLFileAs1Click, on);
}

Answer TForm1::QueryCloseHTML(CloseRequest request) {
  const Answer answer = session_->queryClose(request);
  updateDocumentStatus();
  return answer;
}

void TForm1::NewHTMLFile1Click() {
  if (roomForPage({}) == Room::Cancelled) return;
  freshTab_ = false;
  emptyWindow();
  session_->resetToNew();
  updateDocumentStatus();
  updateSaveEnabled();
  // The template goes through the clipboard, as every inserted block does.
  platform_.clipboard.clear();
  platform_.clipboard.setText(DocumentSession::newFileTemplate());
  RE1->setFocus();
  editor_bytes::replaceSelection(*RE1, platform_.clipboard.text());
}

void TForm1::OpenHTMLFile1Click() {
  // Without tabs the open page gives way first, as the window holds one page.
  if (!settings_.openInNewTab && QueryCloseHTML(CloseRequest::Other) == Answer::Cancel) return;
  FileDialogRequest request;
  request.title = "Open";
  request.filter = openFilter_;
  request.filterIndex = 1;
  request.initialDir = settings_.startLocation;
  const auto chosen = platform_.fileDialogs.choose(request);
  if (!chosen) return;
  setSetting(&RunSettings::startLocation, folderPart(*chosen));
  // A file that cannot be read is refused with a message and the open document stays.
  if (settings_.openInNewTab)
    openPage(*chosen, {});
  else
    openDocument(*chosen, {});
  RE1->setFocus();
}

void TForm1::openGivenFile(const std::string& path) {
  if (path.empty()) return;
  std::string full = path;
  if (full.front() != '/') {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd)) full = std::string(cwd) + "/" + full;
  }
  openPage(full, {});
  RE1->setFocus();
}

void TForm1::SaveHTMLFile1Click() { QueryCloseHTML(CloseRequest::SaveCommand); }

void TForm1::SaveHTMLFileAs1Click() {
  session_->saveAs();
  updateDocumentStatus();
}

void TForm1::CloseHTMLFile1Click() {
  if (QueryCloseHTML(CloseRequest::Other) == Answer::Cancel) return;
  emptyWindow();
  // Closed, the window holds an untitled document: the next Save asks for a name.
  session_->resetToNew();
  updateSaveEnabled();
  updateDocumentStatus();
}

void TForm1::BitBtnUndoClick() { RE1->undo(); }

void TForm1::Cut1Click() {
  platform_.clipboard.clear();
  const std::string selected = editor_bytes::selectedText(*RE1);
  if (!selected.empty()) {
    platform_.clipboard.setText(selected);
    copiedAsUtf8_ = editor_bytes::isUtf8(*RE1);
    editor_bytes::replaceSelection(*RE1, {});
  }
}

void TForm1::Copy1Click() {
  platform_.clipboard.clear();
  const std::string selected = editor_bytes::selectedText(*RE1);
  if (!selected.empty()) platform_.clipboard.setText(selected);
  copiedAsUtf8_ = editor_bytes::isUtf8(*RE1);
}

void TForm1::Paste1Click() {
  // Another program's text arrives as UTF-8 and goes in as the document's encoding; the program's own
  // copied bytes go in exactly.
  const std::string text = platform_.clipboard.text();
  if (!platform_.clipboard.holdsOwnBytes()) {
    editor_bytes::replaceSelection(*RE1, editor_bytes::fromUtf8(*RE1, text));
    return;
  }
  // Bytes copied from a page read otherwise than this one are read as they were shown there.
  std::string bytes = text;
  if (editor_bytes::isUtf8(*RE1) && !isValidUtf8(text))
    bytes = fromDocumentEncoding(text, false);
  else if (!editor_bytes::isUtf8(*RE1) && copiedAsUtf8_ && isValidUtf8(text))
    bytes = editor_bytes::fromUtf8(*RE1, text);
  editor_bytes::replaceSelection(*RE1, bytes);
}

void TForm1::SelectAll1Click() { editor_bytes::select(*RE1, 0, editor_bytes::length(*RE1)); }

void TForm1::CheckWrapClick() {
  setSetting(&RunSettings::wrap, CheckWrap->isChecked());
  editor_bytes::setWordWrap(*RE1, settings_.wrap);
}

void TForm1::WordWrap1Click() {
  CheckWrap->setChecked(!CheckWrap->isChecked());
  CheckWrapClick();
}

bool TForm1::offerOldCopy(const std::string& path, const std::string& copy) {
  const Answer answer = platform_.prompts.message(
      MessageKind::Confirm, kAppTitle,
      "A save of \"" + path +
          "\" was cut short, and the page may be damaged. A complete copy of the page as it "
          "was before that save is kept beside it.\r\rYes puts the old page back. No keeps the page as it is and "
          "removes the copy. Cancel opens nothing and keeps both.",
      Buttons::YesNoCancel);
  if (answer == Answer::Cancel) return false;
  if (answer == Answer::Yes) {
    const auto old = readWholeFile(copy);
    const WriteResult back = old ? writeFileAtomic(path, *old) : WriteResult{false, "It cannot be read", copy};
    if (!back.ok) {
      platform_.prompts.error("Cannot put the old page back into \"" + back.failedPath + "\". " + back.error + ".");
      return false;
    }
  }
  ::unlink(copy.c_str());
  return true;
}

// Loads a file into the editing window as the open document; a help page is read-only. A file that cannot
// be opened, or that the user declines to open for its size, leaves the previous document as it was.
bool TForm1::openDocument(const std::string& path, const DocumentOpen& how) {
  const auto accept = [&](const FileShape& shape) {
    const uint64_t free = availableMemory();
    switch (judgeOpen(shape, free)) {
      case OpenVerdict::Open:
        return true;
      case OpenVerdict::Refuse:
        platform_.prompts.error(tooLargeMessage(path, shape, free));
        return false;
      case OpenVerdict::Ask:
        return platform_.prompts.message(MessageKind::Confirm, kAppTitle, largeFileQuestion(path, shape),
                                         Buttons::YesNo) == Answer::Yes;
    }
    return false;
  };
  // A save of this page that a crash cut short is finished first, so the page is never opened torn.
  const InterruptedSave interrupted = finishInterruptedSave(path);
  if (interrupted.finished)
    platform_.prompts.info("The last save of \"" + path +
                           "\" was cut short. It has been finished from the complete copy kept beside the page.");
  if (!interrupted.oldCopy.empty() && !offerOldCopy(path, interrupted.oldCopy)) return false;
  const editor_bytes::LoadOutcome outcome = editor_bytes::loadFile(*RE1, path, accept);
  if (outcome == editor_bytes::LoadOutcome::Declined) return false;
  if (outcome != editor_bytes::LoadOutcome::Loaded) {
    // A read that failed part-way has emptied the window: the document is then untitled, so that no later
    // Save puts the empty text over a file.
    if (outcome == editor_bytes::LoadOutcome::FailedPartWay) {
      session_->resetToNew();
      updateSaveEnabled();
      updateDocumentStatus();
    }
    platform_.prompts.info(DocumentSession::cannotOpenMessage(how.from, path));
    return false;
  }
  // A page in an 8-bit set other than Latin-1 is shown in it; the user may have chosen how to show it.
  const std::string_view page = editor_bytes::text(*RE1);
  const std::optional<PageReading> chosen = how.encoding.empty() ? std::nullopt : readingNamed(page, how.encoding);
  const PageReading reading = chosen ? *chosen : readingOf(page);
  if (reading.transcoded || reading.utf8 != editor_bytes::isUtf8(*RE1))
    showPageAs(std::string(page), reading);
  else
    documentText_.setReading(reading);
  // Return ends a line as the page's lines end; CR LF in a new page or one of mixed ends.
  const LineEnds ends = lineEndsOf(editor_bytes::text(*RE1));
  RE1->SendScintilla(QsciScintillaBase::SCI_SETEOLMODE, ends == LineEnds::Lf   ? QsciScintillaBase::SC_EOL_LF
                                                        : ends == LineEnds::Cr ? QsciScintillaBase::SC_EOL_CR
                                                                               : QsciScintillaBase::SC_EOL_CRLF);
  session_->opened(path, how.readOnly);
  if (how.untitled) session_->resetToNew();
  updateSaveEnabled();
  updateDocumentStatus();
  colourIfWanted();
  return true;
}

void TForm1::BitBtnLoadFromTemplateClick() {
  if (roomForPage({}) == Room::Cancelled) return;
  freshTab_ = false;
  emptyWindow();
  // The emptied editor is a new page whatever was shown before (a read-only help page included).
  session_->resetToNew();
  updateSaveEnabled();
  if (settings_.htmlTemp.empty()) {
    updateDocumentStatus();
    platform_.prompts.info(
        "You have not selected a Template file yet. Go to the OPTIONS screen and select one from the Files tab.");
    openOptions(OptionsTab::Files);
    return;
  }
  updateDocumentStatus();
  // The template is only the start of a new page: saving asks for a name.
  openDocument(settings_.htmlTemp, {false, true, DocumentSession::OpenedFrom::OtherFile});
}

}  // namespace quillon
