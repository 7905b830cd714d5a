#pragma once

class QsciScintillaBase;

namespace quillon::editor_accessible {

// Makes every editing window answer assistive technology through the program's own text interface: its
// text, caret, selection and lines, with character offsets found from Scintilla's line index, so that
// neither a keystroke nor a paint counts the characters of the page from its start. Called before the
// first editing window is made; calling it again does nothing.
void install();

// Sends assistive technology the editing window's changes as they happen: text put in or taken out, the
// caret and the selection moved.
void announceChanges(QsciScintillaBase& editor);

}  // namespace quillon::editor_accessible
