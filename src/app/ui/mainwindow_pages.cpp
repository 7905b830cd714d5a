// Several open pages: the tabs over the editing window, switching and closing them, the close check for all
// of them on leaving, and the open pages kept for the next start.
#include <Qsci/qsciscintilla.h>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "base/write_failure.h"
#include "editor/recovery_copies.h"
#include "editor/ui/colour_as_you_type.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/page_tabs.h"
#include "editor/ui/recovery_snapshot.h"

namespace quillon {

namespace {

const char* const kOpenPagesFile = "OPENPAGES.TXT";

}  // namespace

std::vector<CommandRecord> TForm1::pageCommands() {
  return {{cmd::NextPage1Click, "Next Page", "Ctrl+Tab", "", call(&TForm1::NextPage1Click)},
          {cmd::PreviousPage1Click, "Previous Page", "Ctrl+Shift+Tab", "", call(&TForm1::PreviousPage1Click)},
          {cmd::ClosePage1Click, "Close Page", "Ctrl+W", "", call(&TForm1::ClosePage1Click)}};
}

QWidget* TForm1::buildPagesPanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName("PanelPages");
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  TabBarPages = new QTabBar(panel);
  TabBarPages->setObjectName("TabBarPages");
  TabBarPages->hide();
  column->addWidget(TabBarPages);
  column->addWidget(RE1, 1);
  return panel;
}

void TForm1::setUpPages() {
  pages_ = new PageTabs(*RE1, *TabBarPages, *session_, documentText_);
  pages_->leaving = [this] {
    stopColoring_ = true;  // a pass colours the page it started on, never the next one
    keepRecoveryCopyNow();
  };
  pages_->shown = [this] {
    colourAsYouType_->documentShown();
    updateSaveEnabled();
    updateDocumentStatus();
  };
  pages_->closeAsked = [this](size_t index) {
    pages_->show(index);
    ClosePage1Click();
  };
  pages_->documentDropped = [this](long document) { colourAsYouType_->forgetDocument(document); };
  connect(RE1, &QsciScintilla::modificationChanged, this, [this] { pages_->refresh(); });
}

void TForm1::NextPage1Click() { pages_->show(pages_->pages().nextIndex()); }

void TForm1::PreviousPage1Click() { pages_->show(pages_->pages().previousIndex()); }

void TForm1::ClosePage1Click() {
  if (pages_->count() < 2) {
    CloseHTMLFile1Click();
    return;
  }
  if (QueryCloseHTML(CloseRequest::Other) == Answer::Cancel) return;
  closeShownPage();
}

void TForm1::closeShownPage() {
  const int id = pages_->currentId();
  if (recovery_) recovery_->drop(id);  // closed by the user's choice: saved, or its edits given up
  pages_->remove(pages_->currentIndex());
}

TForm1::Room TForm1::roomForPage(const std::string& path) {
  if (!settings_.openInNewTab)
    return QueryCloseHTML(CloseRequest::Other) == Answer::Cancel ? Room::Cancelled : Room::Ready;
  if (!path.empty())
    if (const auto open = pages_->indexOf(path)) {
      pages_->show(*open);
      return Room::AlreadyOpen;
    }
  // The untitled page nobody has typed in gives its place, as a start with no page does.
  const bool untouched = session_->isUntitled() && !session_->modified() && editor_bytes::length(*RE1) == 0;
  if (!untouched) {
    pages_->addAndShow();
    emptyWindow();
    session_->resetToNew();
    freshTab_ = true;
  }
  return Room::Ready;
}

bool TForm1::openPage(const std::string& path, const DocumentOpen& how) {
  const Room room = roomForPage(path);
  if (room != Room::Ready) return room == Room::AlreadyOpen;
  const bool opened = openDocument(path, how);
  givePlaceBackIfUnused(opened);
  return opened;
}

void TForm1::givePlaceBackIfUnused(bool used) {
  // A tab made for a page that did not open goes again, and the page before it is shown.
  if (!used && freshTab_ && pages_->count() > 1 && !session_->modified()) closeShownPage();
  freshTab_ = false;
}

bool TForm1::leaveEveryOpenPage() {
  std::vector<size_t> modified;
  for (size_t i = 0; i < pages_->count(); ++i)
    if (pages_->modifiedAt(i)) modified.push_back(i);
  // One modified page is asked about as a single page always was.
  if (modified.size() <= 1) {
    if (!modified.empty()) pages_->show(modified.front());
    return QueryCloseHTML(CloseRequest::Other) != Answer::Cancel;
  }
  const bool left = leaveEveryPage(
      modified,
      [this](size_t index) {
        pages_->show(index);
        const std::string name = session_->isUntitled() ? "the new page" : "\"" + session_->state().path + "\"";
        const Answer answer = platform_.prompts.message(
            MessageKind::Confirm, kAppTitle,
            "Save changes to " + name +
                " before closing?\r\rYes saves it and No leaves its changes; Yes to All and No to All do the "
                "same for every modified page still to be asked about.",
            Buttons::YesNoAllCancel);
        switch (answer) {
          case Answer::Yes:
            return LeaveAnswer::Save;
          case Answer::No:
            return LeaveAnswer::Discard;
          case Answer::YesToAll:
            return LeaveAnswer::SaveAll;
          case Answer::NoToAll:
            return LeaveAnswer::DiscardAll;
          default:
            return LeaveAnswer::Cancel;
        }
      },
      [this](size_t index) {
        pages_->show(index);
        return QueryCloseHTML(CloseRequest::SaveCommand) != Answer::Cancel && !session_->modified();
      });
  updateDocumentStatus();
  return left;
}

void TForm1::closeEveryPageButTheShown() {
  while (pages_->count() > 1) {
    const size_t other = pages_->currentIndex() == 0 ? 1 : 0;
    if (recovery_) recovery_->drop(pages_->idAt(other));
    pages_->remove(other);
  }
}

void TForm1::storeOpenPages() {
  const std::string file = programDir_ + kOpenPagesFile;
  if (!settings_.restorePages) return;
  StoredPages stored;
  const OpenPages& open = pages_->pages();
  for (size_t i = 0; i < open.size(); ++i) {
    const OpenPage& page = open.at(i);
    if (page.state.path == session_->untitledPath() || page.state.readOnly) continue;
    if (i == open.currentIndex()) stored.current = stored.pages.size();
    stored.pages.push_back({page.state.path, page.place.caret});
  }
  if (stored.current >= stored.pages.size()) stored.current = 0;
  const WriteResult written = writeFileAtomic(file, storedPagesBytes(stored));
  if (!written.ok) platform_.prompts.error(cannotWriteText(written, "list of open pages"));
}

void TForm1::restoreOpenPages() {
  if (!settings_.restorePages) return;
  const auto bytes = readWholeFile(programDir_ + kOpenPagesFile);
  if (!bytes) return;
  const StoredPages stored = readStoredPages(*bytes);
  std::vector<std::string> gone;
  std::optional<size_t> shown;
  for (size_t i = 0; i < stored.pages.size(); ++i) {
    const StoredPages::Page& page = stored.pages[i];
    if (checkOpenable(page.path) != OpenCheck::Ok) {
      gone.push_back(page.path);
      continue;
    }
    if (roomForPage(page.path) != Room::Ready) continue;
    const bool opened = openDocument(page.path, {});
    givePlaceBackIfUnused(opened);
    if (!opened) continue;
    editor_bytes::select(*RE1, std::min<long>(static_cast<long>(page.caret), editor_bytes::length(*RE1)), 0);
    RE1->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
    if (i == stored.current) shown = pages_->currentIndex();
  }
  if (shown) pages_->show(*shown);
  if (!gone.empty()) {
    std::string list;
    for (const std::string& path : gone) list += "\r" + path;
    platform_.prompts.info("These pages that were open last time are no longer there, and were not opened:\r" + list);
  }
}

std::vector<TForm1::PageSummary> TForm1::openPages() const {
  std::vector<PageSummary> out;
  const OpenPages& open = pages_->pages();
  for (size_t i = 0; i < open.size(); ++i) {
    const OpenPage& page = open.at(i);
    out.push_back({page.state.path, pages_->modifiedAt(i), page.state.readOnly, page.readingLabel});
  }
  return out;
}

size_t TForm1::currentPage() const { return pages_->currentIndex(); }

}  // namespace quillon
