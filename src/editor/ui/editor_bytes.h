#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "editor/open_limits.h"

class QString;
class QsciScintilla;

// The editing window holds the document's exact bytes; positions are byte offsets.
namespace quillon::editor_bytes {

// Replaces the whole text without an undo step; shown as UTF-8 when valid, else Latin-1.
void load(QsciScintilla& editor, std::string_view bytes);
// The same, shown as UTF-8 or as Latin-1 as asked, whatever the bytes are.
void load(QsciScintilla& editor, std::string_view bytes, bool showAsUtf8);
void setShownAsUtf8(QsciScintilla& editor, bool utf8);
enum class LoadOutcome { Loaded, Unreadable, Declined, FailedPartWay };
// Reads a file straight into the window in pieces, never holding a second full copy. Only regular files are
// opened. `accept` (when given) is asked twice and may decline: with the size alone before anything is read,
// then with the measured shape; the window is untouched
// unless the file is loaded, or a read failed part-way (FailedPartWay: the window is then empty).
LoadOutcome loadFile(QsciScintilla& editor, const std::string& path,
                     const std::function<bool(const FileShape&)>& accept = {});
// Valid until the next change of the text.
std::string_view text(QsciScintilla& editor);
long length(QsciScintilla& editor);
long selectionStart(QsciScintilla& editor);
long selectionLength(QsciScintilla& editor);
void select(QsciScintilla& editor, long start, long length);
std::string selectedText(QsciScintilla& editor);
// Replaces the selection (or inserts at the caret) with bytes; the caret ends after them.
void replaceSelection(QsciScintilla& editor, std::string_view bytes);
void setWordWrap(QsciScintilla& editor, bool on);
// The document is shown as UTF-8 (else every byte is a Latin-1 character).
bool isUtf8(QsciScintilla& editor);
// Text from a dialog, a builder or another program as the document's bytes: UTF-8 in a UTF-8 document,
// else Latin-1 with numeric character references for what Latin-1 lacks.
std::string fromUtf8(QsciScintilla& editor, std::string_view utf8);
std::string bytesFor(QsciScintilla& editor, const QString& text);
// Document bytes as UTF-8, exactly undone by fromUtf8.
std::string toUtf8(QsciScintilla& editor, std::string_view bytes);
// Replaces bytes [start, start + length) as one undoable step, without moving the selection.
void replaceRange(QsciScintilla& editor, long start, long length, std::string_view bytes);
// The same for a change that rewrites much of the document at once (Replace All): no per-change notices.
void replaceLargeRange(QsciScintilla& editor, long start, long length, std::string_view bytes);
// Told of each such change made without notices: where, how many bytes went and how many came.
void onQuietChange(QsciScintilla& editor, std::function<void(long start, long removed, long inserted)> listener);

}  // namespace quillon::editor_bytes
