// How the open page is read: the status bar's panel, Reopen with Encoding and Convert to UTF-8.
#include <Qsci/qsciscintilla.h>
#include <QLabel>
#include <QTimer>
#include <algorithm>

#include "app/ui/command_registry.h"
#include "app/ui/mainwindow.h"
#include "base/file_io.h"
#include "base/text_bytes.h"
#include "editor/encoding_panel.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/reopen_encoding_form.h"
#include "platform/ui/qt_text.h"

namespace quillon {

namespace {

using S = QsciScintillaBase;

// The span where two texts differ, as one replacement: [start, a.size() - suffix) of `a` becomes the same
// span of `b`. Converting a page mostly changes a little of it (its declarations, its letters beyond ASCII).
struct Change {
  size_t start, oldLength;
  std::string_view replacement;
};
Change differingSpan(std::string_view a, std::string_view b) {
  size_t prefix = 0;
  const size_t shorter = std::min(a.size(), b.size());
  while (prefix < shorter && a[prefix] == b[prefix]) ++prefix;
  size_t suffix = 0;
  while (suffix < shorter - prefix && a[a.size() - 1 - suffix] == b[b.size() - 1 - suffix]) ++suffix;
  return {prefix, a.size() - prefix - suffix, b.substr(prefix, b.size() - prefix - suffix)};
}

}  // namespace

std::vector<CommandRecord> TForm1::encodingCommands() {
  return {{cmd::ReopenwithEncoding1Click, "Reopen with &Encoding...", "", "", call(&TForm1::ReopenwithEncoding1Click)},
          {cmd::ConverttoUTF81Click, "Convert to UTF-&8", "", "", call(&TForm1::ConverttoUTF81Click), kChangesText}};
}

void TForm1::updateEncodingPanel() {
  if (TimerEncoding) TimerEncoding->stop();
  // The window turns to Latin-1 when bytes that are not UTF-8 arrive in a page held as its own bytes; a page
  // held in UTF-8 for its 8-bit set stays so (its writing back reads such bytes as Latin-1).
  PageReading reading = documentText_.reading();
  if (reading.transcoded && !editor_bytes::isUtf8(*RE1)) editor_bytes::setShownAsUtf8(*RE1, true);
  if (!reading.transcoded && reading.utf8 != editor_bytes::isUtf8(*RE1)) {
    reading = *readingNamed(editor_bytes::text(*RE1), editor_bytes::isUtf8(*RE1) ? "UTF-8" : "ISO-8859-1");
    documentText_.setReading(reading);
  }
  const EncodingPanel panel = encodingPanelOf(editor_bytes::text(*RE1), reading);
  StatusEncoding->setText(toQString(panel.text));
  // A screen reader says what the panel shows, and the warning with it.
  StatusEncoding->setAccessibleName("Encoding and line ends: " + toQString(panel.text));
  StatusEncoding->setAccessibleDescription(toQString(panel.warning));
  StatusEncoding->setToolTip(panel.warning.empty() ? "How the page is read, and how its lines end"
                                                   : toQString(panel.warning));
  StatusEncoding->setStyleSheet(panel.warning.empty() ? QString() : QStringLiteral("QLabel { color: #b00020; }"));
}

void TForm1::showPageAs(std::string_view page, PageReading reading) {
  const int line =
      static_cast<int>(RE1->SendScintilla(S::SCI_LINEFROMPOSITION, RE1->SendScintilla(S::SCI_GETCURRENTPOS)));
  const long firstVisible = RE1->SendScintilla(S::SCI_GETFIRSTVISIBLELINE);
  const std::string text = windowTextOf(page, reading);
  editor_bytes::load(*RE1, text, reading.utf8 || reading.transcoded);
  documentText_.setReading(std::move(reading));
  RE1->SendScintilla(S::SCI_GOTOLINE, static_cast<unsigned long>(line));
  RE1->SendScintilla(S::SCI_SETFIRSTVISIBLELINE, static_cast<unsigned long>(firstVisible));
  updateEncodingPanel();
}

void TForm1::emptyWindow() {
  editor_bytes::load(*RE1, {});
  documentText_.setReading({});
  RE1->SendScintilla(S::SCI_SETEOLMODE, static_cast<unsigned long>(S::SC_EOL_CRLF));
}

void TForm1::ReopenwithEncoding1Click() {
  const DocumentState state = session_->state();
  TFormReopenEncoding dialog(documentText_.reading().name,
                             std::string(fileNamePart(session_->isUntitled() ? "untitled" : state.path)), this);
  if (platform_.modal.runModal(dialog) != QDialog::Accepted) return;
  const std::string name = dialog.chosen();
  // An untitled page is read again from the window's bytes, which only an unedited one may be.
  if (session_->isUntitled()) {
    if (session_->modified()) {
      platform_.prompts.info("Save the page first: Reopen with Encoding reads the page again from its file.");
      return;
    }
    const std::string page(documentText_.bytes());
    if (const auto reading = readingNamed(page, name)) showPageAs(page, *reading);
    return;
  }
  // The page is read again from its file: it must still be one, and edits are saved or given up first.
  if (!fileExists(state.path)) {
    platform_.prompts.info(DocumentSession::cannotOpenMessage(DocumentSession::OpenedFrom::OtherFile, state.path) +
                           " The page stays as it is.");
    return;
  }
  if (session_->modified() && QueryCloseHTML(CloseRequest::Other) == Answer::Cancel) return;
  DocumentOpen how;
  how.readOnly = state.readOnly;
  how.encoding = name;
  openDocument(state.path, how);
}

void TForm1::ConverttoUTF81Click() {
  const PageReading before = documentText_.reading();
  const std::string_view text = editor_bytes::text(*RE1);
  const std::string converted = convertedToUtf8(text, before);
  if (before.utf8 && converted == text) {
    platform_.prompts.info("The page is in UTF-8 already, and declares no other character set.");
    return;
  }
  if (!isValidUtf8(converted)) {
    platform_.prompts.info(
        "The page holds bytes that are not UTF-8, so it cannot be declared UTF-8 as it is. Reopen it with the "
        "encoding it was written in (File, Reopen with Encoding), then convert it.");
    return;
  }
  // One undo step: a marker that takes the reading back, and the text's change.
  const int token = nextConvertToken_++;
  convertedFrom_[token] = before;
  const Change change = differingSpan(text, converted);
  RE1->SendScintilla(S::SCI_BEGINUNDOACTION);
  // Scintilla says the save point is left only for a change of the text, and the page may change only in
  // its bytes: a space put in and taken out again marks it modified, inside the same step.
  const long end = editor_bytes::length(*RE1);
  editor_bytes::replaceRange(*RE1, end, 0, " ");
  editor_bytes::replaceRange(*RE1, end, 1, {});
  RE1->SendScintilla(S::SCI_ADDUNDOACTION, static_cast<unsigned long>(token), 0L);
  if (!before.utf8 && !before.transcoded) editor_bytes::setShownAsUtf8(*RE1, true);
  const std::string replacement(change.replacement);
  if (change.oldLength > 0 || !replacement.empty())
    editor_bytes::replaceLargeRange(*RE1, static_cast<long>(change.start), static_cast<long>(change.oldLength),
                                    replacement);
  RE1->SendScintilla(S::SCI_ENDUNDOACTION);
  documentText_.setReading({});
  updateEncodingPanel();
  updateCaption();
}

void TForm1::containerUndone(int token, bool undo) {
  const auto found = convertedFrom_.find(token);
  if (found == convertedFrom_.end()) return;
  const PageReading reading = undo ? found->second : PageReading{};
  // Scintilla takes no change of the window from inside its own notice: the code page follows at once after.
  QTimer::singleShot(0, this, [this, reading] {
    documentText_.setReading(reading);
    editor_bytes::setShownAsUtf8(*RE1, reading.utf8 || reading.transcoded);
    updateEncodingPanel();
  });
}

}  // namespace quillon
