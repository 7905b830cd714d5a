// Recovery copies of unsaved edits, and their offer at the next start after a crash.
#include <Qsci/qsciscintilla.h>
#include <QEvent>
#include <QTimer>
#include <algorithm>

#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "editor/page_reading.h"
#include "editor/recovery_copies.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/page_tabs.h"
#include "editor/ui/recover_form.h"
#include "editor/ui/recovery_snapshot.h"

namespace quillon {

namespace {

constexpr int kMostRecoverySeconds = 3600;

}  // namespace

void TForm1::setUpRecovery() {
  recovery_ = std::make_unique<RecoveryKeeper>(programDir_);
  recoverySnapshot_ = new RecoverySnapshot(
      *RE1,
      [this](std::string bytes) {
        if (session_->modified()) keepShownPageBytes(std::move(bytes));  // else saved meanwhile
      },
      this);
  TimerRecovery = new QTimer(this);
  TimerRecovery->setSingleShot(true);
  TimerRecovery->setInterval(std::clamp(settings_.recoverySeconds, 1, kMostRecoverySeconds) * 1000);
  connect(TimerRecovery, &QTimer::timeout, this, [this] { keepRecoveryCopy(); });
  // The window may say the text changes before it has (see ColourAsYouType): the modified state is read
  // once the change is made.
  connect(
      RE1, &QsciScintilla::textChanged, this, [this] { recoveryTextChanged(); }, Qt::QueuedConnection);
  // Saved, or undone back to the saved text: the copy has nothing left to keep.
  connect(RE1, &QsciScintilla::modificationChanged, this, [this](bool modified) {
    if (modified || !recovery_) return;
    TimerRecovery->stop();
    recoveryBehind_ = false;
    recoverySnapshot_->stop();
    recovery_->drop(pages_->currentId());
  });
  QTimer::singleShot(0, this, [this] { offerRecoveryCopies(); });
}

void TForm1::recoveryTextChanged() {
  if (!recovery_ || !session_->modified() || session_->state().readOnly) return;
  if (const auto failure = recovery_->takeFailure()) platform_.prompts.info(*failure + " Editing goes on.");
  recoveryBehind_ = true;
  if (!TimerRecovery->isActive()) TimerRecovery->start();  // at most one copy each interval while typing
}

void TForm1::keepRecoveryCopy() {
  if (!recovery_) return;
  TimerRecovery->stop();
  if (const auto failure = recovery_->takeFailure()) platform_.prompts.info(*failure + " Editing goes on.");
  if (!recoveryBehind_ || !session_->modified()) return;
  recoveryBehind_ = false;
  recoverySnapshot_->start();
}

void TForm1::keepRecoveryCopyNow() {
  TimerRecovery->stop();
  const bool wanted = recoveryBehind_ || recoverySnapshot_->running();
  recoverySnapshot_->stop();
  recoveryBehind_ = false;
  if (!recovery_ || !wanted || !session_->modified() || session_->state().readOnly) return;
  keepShownPageBytes(std::string(editor_bytes::text(*RE1)));
}

void TForm1::keepShownPageBytes(std::string bytes) {
  const PageReading& reading = documentText_.reading();
  std::function<std::string(std::string_view)> toPage;
  if (reading.transcoded) toPage = [reading](std::string_view text) { return pageBytesOf(text, reading); };
  recovery_->keep(std::move(bytes), session_->isUntitled() ? "" : session_->state().path, reading.name,
                  std::move(toPage), pages_->currentId());
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  // The desktop went light or dark, or another scheme was set: the editing window follows.
  if (event->type() == QEvent::PaletteChange && RE1) applyEditorColours();
  if (event->type() == QEvent::ActivationChange && !isActiveWindow() && recoveryBehind_) keepRecoveryCopy();
}

void TForm1::offerRecoveryCopies() {
  if (!recovery_) return;
  for (const RecoveryCopy& copy : recovery_->leftBehind()) {
    if (!copy.damaged.empty()) {
      platform_.prompts.info("A recovery copy of unsaved edits could not be used, because " + copy.damaged +
                             ". It was set aside as " + copy.file + ".");
      continue;
    }
    TFormRecover dialog(platform_, copy, this);
    platform_.modal.runModal(dialog);
    if (dialog.choice() == TFormRecover::Choice::Discard) RecoveryKeeper::remove(copy.file);
    if (dialog.choice() != TFormRecover::Choice::Recover) continue;
    const bool pageGone = !copy.pagePath.empty() && !fileExists(copy.pagePath);
    if (copy.pagePath.empty() || pageGone) {
      if (roomForPage({}) == Room::Cancelled) continue;
      freshTab_ = false;
      session_->resetToNew();
      updateDocumentStatus();
    } else if (!openPage(copy.pagePath, {})) {
      if (roomForPage({}) == Room::Cancelled) continue;
      freshTab_ = false;
      session_->resetToNew();
      updateDocumentStatus();
    } else if (session_->modified() && QueryCloseHTML(CloseRequest::Other) == Answer::Cancel) {
      continue;  // the page's own tab holds edits of this run: they are saved or given up first
    }
    if (pageGone)
      platform_.prompts.info("The file " + copy.pagePath +
                             " is no longer there. The recovered text is in a new page: save it under that name to "
                             "put the page back.");
    // The recovered text as one edit of the page, read as it was when the copy was made: modified, to be
    // looked over and saved (or undone).
    const std::string encoding = copy.encoding == "8-bit" ? "ISO-8859-1" : copy.encoding;
    const PageReading reading = readingNamed(copy.bytes, encoding).value_or(readingOf(copy.bytes));
    if (reading.utf8 != editor_bytes::isUtf8(*RE1) || reading.transcoded || documentText_.reading().transcoded)
      showPageAs(documentText_.bytes(), reading);
    documentText_.setReading(reading);
    editor_bytes::replaceLargeRange(*RE1, 0, editor_bytes::length(*RE1), windowTextOf(copy.bytes, reading));
    RecoveryKeeper::remove(copy.file);
    updateEncodingPanel();
    recoveryTextChanged();
    keepRecoveryCopy();  // the recovered edits are this instance's to protect now
  }
}

}  // namespace quillon
