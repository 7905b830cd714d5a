#include "editor/ui/editor_bytes.h"

#include <Qsci/qsciscintilla.h>
#include <Qsci/qsciscintillabase.h>

#include <algorithm>

#include "app/text_bytes.h"

namespace quillon::editor_bytes {

namespace {
using S = QsciScintillaBase;

void setCodePageFor(QsciScintilla& editor, std::string_view bytes) {
  editor.SendScintilla(S::SCI_SETCODEPAGE, isValidUtf8(bytes) ? S::SC_CP_UTF8 : 0UL);
}
}  // namespace

void load(QsciScintilla& editor, std::string_view bytes) {
  editor.SendScintilla(S::SCI_SETUNDOCOLLECTION, 0UL);
  editor.SendScintilla(S::SCI_CLEARALL);
  setCodePageFor(editor, bytes);
  // In pieces, so Scintilla's buffer grows once per piece rather than copying a second full-size block.
  constexpr size_t kPiece = 8u << 20;
  for (size_t at = 0; at < bytes.size(); at += kPiece) {
    const size_t n = std::min(kPiece, bytes.size() - at);
    editor.SendScintilla(S::SCI_APPENDTEXT, n, bytes.data() + at);
  }
  editor.SendScintilla(S::SCI_EMPTYUNDOBUFFER);
  editor.SendScintilla(S::SCI_SETUNDOCOLLECTION, 1UL);
  editor.SendScintilla(S::SCI_SETSAVEPOINT);
  editor.SendScintilla(S::SCI_GOTOPOS, 0UL);
}

std::string_view text(QsciScintilla& editor) {
  const long n = editor.SendScintilla(S::SCI_GETLENGTH);
  if (n <= 0) return {};
  const auto* p = reinterpret_cast<const char*>(editor.SendScintilla(S::SCI_GETCHARACTERPOINTER));
  return std::string_view(p, static_cast<size_t>(n));
}

long length(QsciScintilla& editor) { return editor.SendScintilla(S::SCI_GETLENGTH); }

long selectionStart(QsciScintilla& editor) { return editor.SendScintilla(S::SCI_GETSELECTIONSTART); }

long selectionLength(QsciScintilla& editor) {
  return editor.SendScintilla(S::SCI_GETSELECTIONEND) - editor.SendScintilla(S::SCI_GETSELECTIONSTART);
}

void select(QsciScintilla& editor, long start, long len) {
  const long n = length(editor);
  start = std::clamp(start, 0L, n);
  const long end = std::clamp(start + std::max(len, 0L), start, n);
  editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(start), end);
}

std::string selectedText(QsciScintilla& editor) {
  const long start = selectionStart(editor);
  return std::string(text(editor).substr(static_cast<size_t>(start), static_cast<size_t>(selectionLength(editor))));
}

void replaceSelection(QsciScintilla& editor, std::string_view bytes) {
  const long start = selectionStart(editor);
  editor.SendScintilla(S::SCI_TARGETFROMSELECTION);
  editor.SendScintilla(S::SCI_REPLACETARGET, bytes.size(), bytes.empty() ? "" : bytes.data());
  const long caret = start + static_cast<long>(bytes.size());
  editor.SendScintilla(S::SCI_SETSEL, static_cast<unsigned long>(caret), caret);
  // Text that arrives after a Latin-1 document was opened may turn it into valid UTF-8 or the reverse.
  if (editor.SendScintilla(S::SCI_GETCODEPAGE) == S::SC_CP_UTF8 && !isValidUtf8(bytes))
    setCodePageFor(editor, text(editor));
}

void setWordWrap(QsciScintilla& editor, bool on) {
  editor.SendScintilla(S::SCI_SETWRAPMODE, on ? S::SC_WRAP_WORD : S::SC_WRAP_NONE);
}

}  // namespace quillon::editor_bytes
