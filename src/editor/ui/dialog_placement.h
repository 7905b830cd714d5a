#pragma once

class QWidget;
class QsciScintilla;

namespace quillon {

// Moves a find or spelling dialog off the editor's selection, below it or else above it, so the text it
// just selected stays in view. A dialog that does not cover the selection stays where the user put it.
void keepClearOfSelection(QWidget& dialog, QsciScintilla& editor);

}  // namespace quillon
