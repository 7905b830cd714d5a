#include "app/ui/search_session.h"

#include <Qsci/qsciscintilla.h>
#include <QWidget>

#include "base/text_bytes.h"
#include "editor/ui/dialog_placement.h"
#include "editor/ui/editor_bytes.h"
#include "editor/ui/find_dialog.h"
#include "platform/ui/qt_text.h"

namespace quillon {

SearchSession::SearchSession(QWidget& window, Prompts& prompts, std::function<QsciScintilla&()> editor)
    : QObject(&window), window_(window), prompts_(prompts), editor_(std::move(editor)) {}

FindDialog& SearchSession::dialog(bool replace) {
  FindDialog*& dialog = replace ? replace_ : find_;
  if (!dialog) {
    dialog = new FindDialog(replace ? FindDialog::Kind::Replace : FindDialog::Kind::Find, &window_);
    connect(dialog, &FindDialog::findNextPressed, this, [this, replace] { dialogFind(replace); });
    if (replace) {
      connect(dialog, &FindDialog::replacePressed, this, [this] { replaceOne(); });
      connect(dialog, &FindDialog::replaceAllPressed, this, [this] {
        FindDialog& d = *replace_;
        QsciScintilla& editor = editor_();
        replaceAll(editor_bytes::bytesFor(editor, d.findText()), editor_bytes::bytesFor(editor, d.replaceText()),
                   d.matchCase());
      });
    }
  }
  return *dialog;
}

void SearchSession::open(bool replace) {
  FindDialog& d = dialog(replace);
  d.setFindText(toQString(editor_bytes::selectedText(editor_())));
  (replace ? newReplaceSearch_ : newFindSearch_) = true;
  d.show();
  d.raise();
  d.takeKeyboard();
}

void SearchSession::findNext() { findNextMatch(find_ ? find_->findText() : QString()); }

void SearchSession::dialogFind(bool replace) {
  FindDialog& d = dialog(replace);
  bool& fresh = replace ? newReplaceSearch_ : newFindSearch_;
  if (fresh) {
    fresh = false;
    QsciScintilla& editor = editor_();
    search_.start(editor_bytes::text(editor), editor_bytes::bytesFor(editor, d.findText()), d.matchCase());
  }
  findNextMatch(d.findText());
}

void SearchSession::findNextMatch(const QString& quotedText) {
  QsciScintilla& editor = editor_();
  if (const auto at = search_.findNext()) {
    // The match is the user's to work on: the main window becomes the active one (a focus set inside an
    // inactive window would stay with the dialog), and typing and F3 go to the editing window.
    window_.activateWindow();
    editor.setFocus(Qt::OtherFocusReason);
    editor_bytes::select(editor, static_cast<long>(*at), static_cast<long>(search_.findText().size()));
    editor.ensureCursorVisible();
    for (FindDialog* d : {find_, replace_})
      if (d) keepClearOfSelection(*d, editor);
    return;
  }
  prompts_.info(notFoundMessage(toBytes(quotedText)));
}

void SearchSession::replaceOne() {
  FindDialog& d = dialog(true);
  QsciScintilla& editor = editor_();
  const std::string find = editor_bytes::bytesFor(editor, d.findText());
  if (find.empty() || !equalsIgnoringAsciiCase(editor_bytes::selectedText(editor), find)) return;
  const std::string replacement = editor_bytes::bytesFor(editor, d.replaceText());
  editor_bytes::replaceSelection(editor, replacement);
  search_.replaced(editor_bytes::text(editor), replacement.size(), d.matchCase());
}

size_t SearchSession::replaceAll(const std::string& find, const std::string& replacement, bool matchCase) {
  search_.stop();
  QsciScintilla& editor = editor_();
  const ReplaceAllResult result = quillon::replaceAll(editor_bytes::text(editor), find, replacement, matchCase);
  if (result.count == 0) return 0;
  editor_bytes::replaceLargeRange(editor, 0, editor_bytes::length(editor), result.text);
  editor_bytes::select(editor, static_cast<long>(result.lastEnd), 0);
  return result.count;
}

}  // namespace quillon
